#include <gtest/gtest.h>

#include <filesystem>

#include "core/errors.h"
#include "core/paths.h"
#include "support/test_home.h"
#include "system/coupon.h"
#include "system/sistema.h"
#include "system/team_lists.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::vector<unsigned char> Name13(const std::string& cp1252) {
    std::vector<unsigned char> b(13, 0);
    b[0] = static_cast<unsigned char>(cp1252.size());
    std::copy(cp1252.begin(), cp1252.end(), b.begin() + 1);
    return b;
}

TEST(CouponFile, ExactBytesAndRoundTrip) {
    test::TTestHome home;
    TSchedina s;
    s.ContestNumber = 0x01020304;
    s.teamNames = {"Milan",  "Inter", "Città", "Internazionale Milano",
                   "",       "Roma",  "Lazio", "Napoli",
                   "Torino", "Genoa", "Bari",  "Łódź"};
    std::vector<unsigned char> expected = {0x04, 0x03, 0x02, 0x01};
    // Cut to 12 characters; "à" is 0xE0 in Windows-1252, which has no "Ł" or "ź" (written "?").
    const std::vector<std::string> cp = {"Milan",
                                         "Inter",
                                         "Citt\xE0",
                                         "Internaziona",
                                         "",
                                         "Roma",
                                         "Lazio",
                                         "Napoli",
                                         "Torino",
                                         "Genoa",
                                         "Bari",
                                         "?\xF3"
                                         "d?"};
    for (const std::string& n : cp) {
        const auto b = Name13(n);
        expected.insert(expected.end(), b.begin(), b.end());
    }
    ASSERT_EQ(expected.size(), kCouponFileSize);
    EXPECT_EQ(ScriviSchedina(s), std::vector<std::uint8_t>(expected.begin(), expected.end()));

    const fs::path file = home.Path() / "a.Xsc";
    ASSERT_TRUE(SalvaFileSchedina(file, s));
    EXPECT_EQ(test::ReadBytes(file), expected);
    TSchedina back;
    ASSERT_TRUE(CaricaFileSchedina(file, back));
    EXPECT_EQ(back.ContestNumber, s.ContestNumber);
    EXPECT_EQ(back.teamNames[2], "Città");
    EXPECT_EQ(back.teamNames[3], "Internaziona");
    EXPECT_EQ(back.teamNames[11], "?ód?");

    // Every shorter file fails and leaves the coupon alone.
    for (std::size_t n = 0; n < kCouponFileSize; ++n) {
        TSchedina untouched;
        untouched.ContestNumber = 77;
        EXPECT_FALSE(LeggiSchedina(std::span<const std::uint8_t>(ScriviSchedina(s).data(), n), untouched))
            << n;
        EXPECT_EQ(untouched.ContestNumber, 77);
    }
}

TEST(CouponFile, SystemCommandsKeepTheForecast) {
    test::TTestHome home;
    T_Sistema sys;
    sys.dati.ContestNumber = 12;
    sys.dati.teamNames[0] = "Juventus";
    const fs::path file = home.Path() / "c.Xsc";
    SalvaSchedina(sys, file);

    T_Sistema other;
    other.dati.Forecast[0] = kSign1 | kSign2;
    other.modified = false;
    CaricaSchedina(other, file);
    EXPECT_EQ(other.dati.ContestNumber, 12);
    EXPECT_EQ(other.dati.teamNames[0], "Juventus");
    EXPECT_EQ(other.dati.Forecast[0], kSign1 | kSign2);
    EXPECT_TRUE(other.modified);

    test::WriteBytes(file, {1, 2, 3});
    try {
        CaricaSchedina(other, file);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare la Schedina");
    }
    EXPECT_EQ(other.dati.ContestNumber, 12);
    try {
        SalvaSchedina(sys, home.Path() / "missing" / "c.Xsc");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare la Schedina");
    }
}

TEST(TeamLists, SortedWithoutCaseAndAccents) {
    TListaSquadre l;
    for (const char* n : {"roma", "Atalanta", "Ávellino", "bari", "Àncona", "Ascoli", "Empoli", "Éstense",
                          "Zeta", "Citta", "Città", "ROMA", "ancona"}) {
        l.Aggiungi(n);
    }
    const std::vector<std::string> expected = {"ancona", "Àncona", "Ascoli", "Atalanta", "Ávellino", "bari",
                                               "Citta",  "Città",  "Empoli", "Éstense",  "roma",     "Zeta"};
    EXPECT_EQ(l.Nomi(), expected);

    // "Modifica" deletes the line and adds the new name in its place of the order.
    const std::size_t i = l.Modifica(0, "Zara");
    EXPECT_EQ(l.Nomi()[i], "Zara");
    EXPECT_EQ(i, l.Size() - 2);
    l.Cancella(99); // out of range: nothing
    EXPECT_EQ(l.Size(), 12u);
}

TEST(TeamLists, FilesBytesAndMessages) {
    test::TTestHome home;
    TListeSquadre lists;
    try {
        lists.Carica();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare la Lista delle Squadre di Serie A");
    }
    // A, B present; C1 missing: the message names C1.
    test::WriteBytes(FileLega(TLega::A), {'R', 'o', 'm', 'a', '\r', '\n', ' ', ' ', '\r', '\n',
                                          'B', 'a', 'r', 'i', '\n', 'M',  'i', 'l', 'a',  'n'});
    test::WriteBytes(FileLega(TLega::B), {'C', 'i', 't', 't', 0xE0, '\r', '\n'});
    try {
        lists.Carica();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare la Lista delle Squadre di Serie C1");
    }
    EXPECT_EQ(lists.Lista(TLega::A).Nomi(), (std::vector<std::string>{"Bari", "Milan", "Roma"}));
    EXPECT_EQ(lists.Lista(TLega::B).Nomi(), (std::vector<std::string>{"Città"}));

    lists.Lista(TLega::C2).Aggiungi("Ŝpezia"); // not in the page: "?"
    lists.Salva();
    EXPECT_EQ(FileLega(TLega::A).filename(), "SquadrA.Txt");
    EXPECT_EQ(FileLega(TLega::C1).filename(), "SquadrC1.Txt");
    EXPECT_EQ(test::ReadText(FileLega(TLega::A)), "Bari\r\nMilan\r\nRoma\r\n");
    EXPECT_EQ(test::ReadText(FileLega(TLega::B)), "Citt\xE0\r\n");
    EXPECT_EQ(test::ReadText(FileLega(TLega::C1)), "");
    EXPECT_EQ(test::ReadText(FileLega(TLega::C2)), "?pezia\r\n");

    fs::remove(FileLega(TLega::B));
    fs::create_directory(FileLega(TLega::B)); // cannot be replaced by a file
    try {
        lists.Salva();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare la Lista delle Squadre di Serie B");
    }
    EXPECT_EQ(test::ReadText(FileLega(TLega::A)), "Bari\r\nMilan\r\nRoma\r\n");
}

TEST(TeamLists, EditAndParticipantsChecks) {
    EXPECT_EQ(ValidaNomeSquadra("   "), std::optional<std::string>("Il Nome della Squadra non è Valido ! "));
    EXPECT_EQ(ValidaNomeSquadra(""), std::optional<std::string>("Il Nome della Squadra non è Valido ! "));
    EXPECT_EQ(ValidaNomeSquadra(" a "), std::nullopt);

    const std::string refused = "Il numero dei nomi dei soci non corrisponde a quello specificato";
    struct Case {
        int numero;
        bool nomi;
        std::vector<std::string> righe;
        bool ok;
        std::size_t stored;
    };
    const Case cases[] = {
        {3, true, {"Anna", "Bruno", "Carla"}, true, 3},
        {3, true, {"Anna", "  ", "Bruno", ""}, false, 0}, // blank lines do not count
        {1, true, {"Anna", "Bruno", "Carla", "Dino"}, true, 4},
        {3, false, {"Anna"}, true, 0}, // names not specified: none stored
    };
    for (const Case& c : cases) {
        T_Sistema sys;
        sys.participants = {"old"};
        const auto r = ApplicaPartecipanti(sys, c.numero, c.nomi, c.righe);
        if (c.ok) {
            EXPECT_EQ(r, std::nullopt);
            EXPECT_EQ(sys.participants.size(), c.stored);
            EXPECT_EQ(sys.ParticipantCount, c.numero);
            EXPECT_EQ(sys.participantNamesFlag, c.nomi ? 1 : 0);
        } else {
            EXPECT_EQ(r, std::optional<std::string>(refused));
            EXPECT_EQ(sys.participants, std::vector<std::string>{"old"});
            EXPECT_EQ(sys.ParticipantCount, 1);
        }
    }
}

TEST(TeamSelection, SlotsCutsAndHighlights) {
    T_Sistema sys;
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.teamNames[static_cast<std::size_t>(t)] = t == 4 ? "  " : "Squadra";
    }
    TSelezioneSquadre sel(sys);
    EXPECT_EQ(sel.Slot(), 4); // first blank name
    sel.Scegli("Hellas Verona FC");
    EXPECT_EQ(sys.dati.teamNames[4], "Hellas Veron");
    EXPECT_EQ(sel.Slot(), 5);
    EXPECT_TRUE(sel.SulCoupon("hellasveron"));
    EXPECT_TRUE(sel.SulCoupon("SQUA DRA"));
    EXPECT_FALSE(sel.SulCoupon("Hellas Verona"));

    TSelezioneSquadre full(sys);
    EXPECT_EQ(full.Slot(), 0); // all named: team 1
    for (int i = 0; i < 20; ++i) {
        full.Giu();
    }
    full.Scegli("Roma");
    EXPECT_EQ(full.Slot(), 11); // stays on team 12
    EXPECT_EQ(sys.dati.teamNames[11], "Roma");
    full.Su();
    EXPECT_EQ(full.Slot(), 10);

    EXPECT_EQ(TSelezioneSquadre::Righe(0), 10);
    EXPECT_EQ(TSelezioneSquadre::Righe(20), 10);
    EXPECT_EQ(TSelezioneSquadre::Righe(21), 11);
}

} // namespace
} // namespace tessaline
