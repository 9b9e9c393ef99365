// System files with settings out of range, damaged team lists and coupon files.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "core/errors.h"
#include "core/paths.h"
#include "support/test_home.h"
#include "system/config_file.h"
#include "system/coupon.h"
#include "system/sistema.h"
#include "system/system_file.h"
#include "system/team_lists.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

TEST(SystemSettings, OutOfRangeFailsTheWholeLoad) {
    test::TTestHome home;
    T_Sistema target;
    target.dati.ContestNumber = 41;
    target.comment = {"prima"};
    const auto before = target.ScriviFile();
    struct TCase {
        const char* what;
        std::function<void(T_Sistema&)> edit;
        bool loads;
    };
    const auto dev = [](auto set) { return [set](T_Sistema& s) { set(s.dati.sviluppo); }; };
    const TCase cases[] = {
        {"guarantee 3", dev([](auto& d) { d.Guarantee = 3; }), false},
        {"guarantee 4", dev([](auto& d) { d.Guarantee = 4; }), true},
        {"guarantee 5", dev([](auto& d) { d.Guarantee = 5; }), true},
        {"guarantee 6", dev([](auto& d) { d.Guarantee = 6; }), false},
        {"guarantee 255", dev([](auto& d) { d.Guarantee = 255; }), false},
        {"minimum distance 1", dev([](auto& d) { d.MinDistance = 1; }), false},
        {"minimum distance 2", dev([](auto& d) { d.MinDistance = 2; }), true},
        {"minimum distance 10", dev([](auto& d) { d.MinDistance = 10; }), true},
        {"minimum distance 11", dev([](auto& d) { d.MinDistance = 11; }), false},
        {"passes 0", dev([](auto& d) { d.Passes = 0; }), false},
        {"passes 10", dev([](auto& d) { d.Passes = 10; }), true},
        {"passes 11", dev([](auto& d) { d.Passes = 11; }), false},
        {"use conditions 2", dev([](auto& d) { d.UseConditions = 2; }), false},
        {"reduced development 2", dev([](auto& d) { d.ReducedDevelopment = 2; }), false},
        {"minimum distance mode 2", dev([](auto& d) { d.MinDistanceMode = 2; }), false},
        {"destination memory 2", dev([](auto& d) { d.DestinationMemory = 2; }), false},
        {"optimised reduction 2", dev([](auto& d) { d.OptimisedReduction = 2; }), false},
        {"automatic recalculation 2", dev([](auto& d) { d.AutoRecalc = 2; }), false},
        {"real calculation 2", dev([](auto& d) { d.RealCalculation = 2; }), false},
        {"pair mode 2", dev([](auto& d) { d.PairMode = 2; }), false},
        {"pair admitted 2", dev([](auto& d) { d.PairTable.p[5][15] = 2; }), false},
        {"integral base M", dev([](auto& d) { d.IntegralBases[11] = kSignM; }), true},
        {"integral base of two signs", dev([](auto& d) { d.IntegralBases[11] = kSign0 | kSign1; }), false},
        {"integral base 16", dev([](auto& d) { d.IntegralBases[0] = 16; }), false},
        {"source forecast 2", [](T_Sistema& s) { s.dati.SourceForecast = 2; }, false},
        {"participant names flag 2", [](T_Sistema& s) { s.participantNamesFlag = 2; }, false},
        {"participants 0", [](T_Sistema& s) { s.ParticipantCount = 0; }, false},
        {"participants 100", [](T_Sistema& s) { s.ParticipantCount = 100; }, true},
        {"participants 101", [](T_Sistema& s) { s.ParticipantCount = 101; }, false},
        {"participants -1", [](T_Sistema& s) { s.ParticipantCount = -1; }, false},
    };
    for (const TCase& c : cases) {
        T_Sistema source;
        source.dati.ContestNumber = 7;
        c.edit(source);
        const auto bytes = source.ScriviFile();
        EXPECT_EQ(target.LeggiFile(bytes), c.loads) << c.what;
        if (c.loads) {
            EXPECT_EQ(target.ScriviFile(), bytes) << c.what;
            ASSERT_TRUE(target.LeggiFile(before));
        }
        // All or nothing: a refused file leaves every field as it was.
        EXPECT_EQ(target.ScriviFile(), before) << c.what;
    }
}

TEST(ConfigSettings, CostsOutOfRangeAreNotTaken) {
    test::TTestHome home;
    struct TCase {
        double lire;
        double euro;
        bool taken;
    };
    const TCase cases[] = {
        {10000, 19.99, true}, {10001, 0.5, false}, {800, 20.5, false},
        {1e300, 0.5, false},  {800, 1e300, false}, {-1, 0.5, false},
    };
    for (const TCase& c : cases) {
        TProgramSettings s = DefaultSettings();
        s.costLire = c.lire;
        s.costEuro = c.euro;
        s.automaticMerge = false;
        TProgramSettings read = DefaultSettings();
        EXPECT_EQ(ParseConfig(ConfigBytes(s), read), c.taken) << c.lire << " " << c.euro;
        // All or nothing: a refused record leaves every setting at its default.
        EXPECT_EQ(read.automaticMerge, !c.taken) << c.lire << " " << c.euro;
    }
}

TEST(TeamLists, DamagedFilesLoadCleanly) {
    test::TTestHome home;
    std::mt19937 random(20261208);
    std::string noise;
    for (int i = 0; i < 4000; ++i) {
        noise.push_back(static_cast<char>(random() & 0xFF));
    }
    std::string many;
    for (int i = 30000; i > 0; --i) {
        many += "Squadra " + std::to_string(i) + "\r\n";
    }
    struct TCase {
        const char* what;
        std::string bytes;
        std::vector<std::string> names; // empty: only the invariants are checked
    };
    const TCase cases[] = {
        {"empty", "", {}},
        {"blank lines only", "  \r\n\r\n\n \n", {}},
        {"bare CR line ends", "Roma\rBari\rMilan\r", {"Bari", "Milan", "Roma"}},
        {"mixed line ends", "Roma\r\n\rBari\n\n\r\rMilan", {"Bari", "Milan", "Roma"}},
        {"CR CR LF", "Roma\r\r\nBari\r\r\n", {"Bari", "Roma"}},
        {"duplicates but for case", "ROMA\r\nRoma\r\nroma\r\nBari\r\n", {"Bari", "ROMA"}},
        {"a NUL inside a name", std::string("Ro\0ma\r\n", 7), {std::string("Ro\0ma", 5)}},
        {"unassigned bytes", "\x81\x8D\x8F\x90\x9D\r\n", {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}},
        {"a very long line", std::string(100000, 'x'), {std::string(100000, 'x')}},
        {"random bytes", noise, {}},
        {"thirty thousand names in reverse order", many, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (TLega lega : kTutteLeLeghe) {
            test::WriteBytes(FileLega(lega), std::vector<unsigned char>(c.bytes.begin(), c.bytes.end()));
        }
        TListeSquadre lists;
        ASSERT_NO_THROW(lists.Carica());
        const auto& names = lists.Lista(TLega::C2).Nomi();
        if (!c.names.empty() || c.bytes.find_first_not_of(" \r\n") == std::string::npos) {
            EXPECT_EQ(names, c.names);
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(names[i].find_first_of("\r\n"), std::string::npos);
            EXPECT_NE(names[i].find_first_not_of(' '), std::string::npos);
            if (i > 0) {
                EXPECT_LT(ConfrontaNomi(names[i - 1], names[i]), 0) << i;
                EXPECT_FALSE(StessoNome(names[i - 1], names[i])) << i;
            }
        }
        // What is saved reads back as the same list.
        lists.Salva();
        TListeSquadre again;
        again.Carica();
        EXPECT_EQ(again.Lista(TLega::C2).Nomi(), names);
    }
    // Adding one by one gives the same list as loading the file at once.
    TListaSquadre byHand;
    for (int i = 30000; i > 29000; --i) {
        byHand.Aggiungi("Squadra " + std::to_string(i));
        byHand.Aggiungi("SQUADRA " + std::to_string(i));
    }
    TListaSquadre loaded;
    std::string text;
    for (int i = 30000; i > 29000; --i) {
        text += "Squadra " + std::to_string(i) + "\r\nSQUADRA " + std::to_string(i) + "\r\n";
    }
    loaded.DaTesto(text);
    EXPECT_EQ(loaded.Nomi(), byHand.Nomi());

    // A list that is a folder cannot be read: the message names its league.
    fs::remove(FileLega(TLega::B));
    fs::create_directory(FileLega(TLega::B));
    TListeSquadre lists;
    try {
        lists.Carica();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare la Lista delle Squadre di Serie B");
    }
}

TEST(CouponFile, LongFilesAndBadLengthBytes) {
    test::TTestHome home;
    TSchedina s;
    s.ContestNumber = 33;
    for (int t = 0; t < kTeams; ++t) {
        s.teamNames[static_cast<std::size_t>(t)] = "Squadra" + std::to_string(t + 1);
    }
    const auto good = ScriviSchedina(s);
    struct TCase {
        const char* what;
        std::size_t at;        // byte to change (kCouponFileSize: none)
        unsigned char value;   // its new value
        std::size_t extra;     // bytes added after the 160
        std::string firstTeam; // what the first team reads as
    };
    const TCase cases[] = {
        {"161 bytes", kCouponFileSize, 0, 1, "Squadra1"},
        {"64 KiB", kCouponFileSize, 0, 65536 - kCouponFileSize, "Squadra1"},
        {"length 0", 4, 0, 0, ""},
        {"length 12", 4, 12, 0, std::string("Squadra1") + std::string(4, '\0')},
        {"length 13", 4, 13, 0, std::string("Squadra1") + std::string(4, '\0')},
        {"length 255", 4, 255, 0, std::string("Squadra1") + std::string(4, '\0')},
    };
    for (const TCase& c : cases) {
        std::vector<unsigned char> bytes(good.begin(), good.end());
        if (c.at < bytes.size()) {
            bytes[c.at] = c.value;
        }
        bytes.insert(bytes.end(), c.extra, 0xAB);
        const fs::path file = home.Path() / "schedina.Xsc";
        test::WriteBytes(file, bytes);
        TSchedina back;
        ASSERT_TRUE(CaricaFileSchedina(file, back)) << c.what;
        EXPECT_EQ(back.ContestNumber, 33) << c.what;
        EXPECT_EQ(back.teamNames[0], c.firstTeam) << c.what;
        for (std::size_t t = 1; t < back.teamNames.size(); ++t) {
            EXPECT_EQ(back.teamNames[t], s.teamNames[t]) << c.what; // the other names keep their places
        }
    }
}

} // namespace
} // namespace tessaline
