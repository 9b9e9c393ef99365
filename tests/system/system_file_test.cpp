// The system file: exact bytes, the version-199 layout, truncation at every length, round trips of a
// system with every family, and the menu commands.

#include <gtest/gtest.h>

#include "../conditions/helpers.h"
#include "conditions/frame.h"
#include "conditions/set_record.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "reference/sample_systems.h"
#include "support/test_home.h"
#include "system/system_file.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

void I32(std::vector<std::uint8_t>& b, std::int32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(v) >> (8 * i)));
    }
}

void Str(std::vector<std::uint8_t>& b, const std::string& cp1252, std::size_t width) {
    b.push_back(static_cast<std::uint8_t>(cp1252.size()));
    b.insert(b.end(), cp1252.begin(), cp1252.end());
    b.insert(b.end(), width - 1 - cp1252.size(), 0);
}

void Append(std::vector<std::uint8_t>& b, const std::vector<std::uint8_t>& more) {
    b.insert(b.end(), more.begin(), more.end());
}

std::vector<std::uint8_t> SlotRecords(TInsiemeCondizioni& set) {
    TByteWriter w;
    for (int i = 1; i <= kSlots; ++i) {
        w.U8(static_cast<std::uint8_t>(i));
        TByteWriter one;
        set.Slot(i)->Scrivi(one);
        EXPECT_EQ(one.Data().front(), i) << "slot " << i << " record starts with its code";
        w.Bytes(one.Data().data() + 1, one.Size() - 1);
    }
    return w.Data();
}

std::vector<std::uint8_t> EmptyLink() {
    std::vector<std::uint8_t> b;
    for (int i = 0; i < 27; ++i) {
        Append(b, test::EmptyTableBytes(99));
    }
    return b;
}

TEST(SystemFile, ExactBytesOfANewSystem) {
    test::TTestHome home;
    T_Sistema sys;
    sys.dati.SourceFile = "S.Col";
    sys.dati.sviluppo.DestinationFile = "D.Col";
    sys.dati.teamNames[0] = "Milan";
    sys.dati.Forecast[0] = kSign1 | kSign2;
    sys.dati.TeamValues[0][3] = -2;
    sys.dati.TeamPercentages[11][0] = 40;
    sys.comment = {"ab"};
    sys.Colonne.Append(sys.dati.Forecast);

    std::vector<std::uint8_t> e;
    I32(e, 200);
    I32(e, 1);
    Str(e, "Milan", 13);
    for (int t = 1; t < kTeams; ++t) {
        Str(e, "", 13);
    }
    e.push_back(6);
    e.insert(e.end(), 11 + 2, 0); // forecast, reserved zeros
    I32(e, 0), I32(e, 0), I32(e, 0), I32(e, -2);
    e.insert(e.end(), 176 + 176, 0);
    I32(e, 40);
    e.insert(e.end(), 12, 0);
    const std::size_t setStart = e.size();
    ASSERT_EQ(setStart, 4u + 4 + 156 + 12 + 2 + 192 + 192);
    Append(e, SlotRecords(sys.Insieme()));
    const auto link = EmptyLink();
    ASSERT_EQ(link.size(), 11448u);
    Append(e, link);
    e.push_back(1); // SourceForecast
    Str(e, "S.Col", 256);
    e.insert(e.end(), {1, 0, 0, 1, 0, 4, 3, 1}); // development switches at their defaults
    Str(e, "D.Col", 256);
    e.insert(e.end(), {0, 1}); // AutoRecalc, RealCalculation
    e.insert(e.end(), 12, 0);  // IntegralBases
    e.insert(e.end(), 96, 0);  // PairTable
    e.push_back(0);            // PairMode
    I32(e, 2);
    e.insert(e.end(), {'a', 'b'});
    I32(e, -1);     // comment
    I32(e, -1);     // participants
    I32(e, 1);      // participant count
    e.push_back(1); // names flag
    e.push_back(1); // columns flag
    e.insert(e.end(), {6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

    EXPECT_EQ(sys.ScriviFile(), e);
    sys.dati.settings.saveColumnsWithSystem = false;
    e.resize(e.size() - 13);
    EXPECT_EQ(sys.ScriviFile(), e);

    sys.fileName = home.Path() / "nuovo.Svs";
    sys.modified = true;
    ASSERT_TRUE(sys.Save());
    EXPECT_FALSE(sys.modified);
    EXPECT_EQ(test::ReadBytes(sys.fileName), std::vector<unsigned char>(e.begin(), e.end()));

    // Saved without columns: loads with an empty list and columns valid.
    T_Sistema back;
    back.Colonne.Append(sys.dati.Forecast);
    ASSERT_TRUE(back.Load(sys.fileName));
    EXPECT_TRUE(back.Colonne.Empty());
    EXPECT_EQ(back.dati.columnsValid, 1);
    EXPECT_EQ(back.comment, sys.comment);
    EXPECT_EQ(back.dati.SourceFile, (home.Path() / "COLONNE" / "S.Col").string());
}

TEST(SystemFile, Version199Layout) {
    test::TTestHome home;
    T_Sistema sample;
    test::BuildRichSystem(sample);
    std::vector<std::uint8_t> e;
    I32(e, 199);
    I32(e, 31);
    for (int t = 0; t < kTeams; ++t) {
        Str(e, t == 3 ? "Vecchia" : "", 13);
    }
    e.insert(e.end(), 12, 2);  // forecast: all "1"
    e.insert(e.end(), {7, 9}); // reserved, carried through
    e.insert(e.end(), 384, 0);
    // Slots 1..13 as written today, the older slot 14 (read and dropped), then slot 15.
    TByteWriter slots;
    for (int i = 1; i <= 13; ++i) {
        sample.Insieme().Slot(i)->Scrivi(slots);
    }
    Append(e, slots.Data());
    e.push_back(14);
    e.push_back(1);
    Append(e, test::EmptyTableBytes(14));
    Append(e, test::EmptyTableBytes(36));
    TByteWriter tra;
    sample.Insieme().Slot(15)->Scrivi(tra);
    Append(e, tra.Data());
    Append(e, EmptyLink());
    e.push_back(1);
    Str(e, "C:\\TOTO\\COLONNE\\Sorg.Col", 256);
    e.insert(e.end(), {0, 1, 0, 0, 0, 5, 4, 2});
    Str(e, "Dest.Col", 256);
    I32(e, 3);
    e.insert(e.end(), {'u', 'n', 'o'});
    I32(e, -1);
    I32(e, 1);
    e.push_back('Z');
    I32(e, -1);
    I32(e, 4);

    T_Sistema sys;
    sys.dati.sviluppo.AutoRecalc = 1;
    sys.dati.sviluppo.PairMode = 1;
    sys.dati.sviluppo.IntegralBases[0] = kSign0;
    sys.participantNamesFlag = 0;
    sys.Colonne.Append(sample.dati.Forecast);
    ASSERT_TRUE(sys.LeggiFile(e));
    EXPECT_EQ(sys.versioneLetta, 199);
    EXPECT_EQ(sys.dati.ContestNumber, 31);
    EXPECT_EQ(sys.dati.teamNames[3], "Vecchia");
    EXPECT_EQ(sys.dati.reserved, (std::array<std::uint8_t, 2>{7, 9}));
    const auto& d = sys.dati.sviluppo;
    EXPECT_EQ(d.UseConditions, 0);
    EXPECT_EQ(d.ReducedDevelopment, 1);
    EXPECT_EQ(d.Guarantee, 5);
    EXPECT_EQ(d.Passes, 2);
    EXPECT_EQ(d.AutoRecalc, 0);
    EXPECT_EQ(d.RealCalculation, 1);
    EXPECT_EQ(d.IntegralBases, IntegralBases{});
    EXPECT_EQ(d.PairTable, PairTable{});
    EXPECT_EQ(d.PairMode, 0);
    EXPECT_EQ(sys.participantNamesFlag, 1);
    EXPECT_EQ(sys.ParticipantCount, 4);
    EXPECT_EQ(sys.participants, std::vector<std::string>{"Z"});
    EXPECT_EQ(sys.comment, std::vector<std::string>{"uno"});
    EXPECT_TRUE(sys.Colonne.Empty());
    EXPECT_EQ(sys.Insieme().SlotAs<TListaCondizioni>(kCodGruppoRisultati)->Count(), 0u);
    EXPECT_EQ(sys.Insieme().SlotAs<TCondQuadro>(kCodQuadro)->Nome, "Quadro Prova");
    // A Windows path is reduced to its name in "COLONNE".
    EXPECT_EQ(sys.dati.SourceFile, (home.Path() / "COLONNE" / "Sorg.Col").string());
    EXPECT_EQ(sys.dati.sviluppo.DestinationFile, (home.Path() / "COLONNE" / "Dest.Col").string());
}

TEST(SystemFile, RoundTripOfEveryFamily) {
    test::TTestHome home;
    T_Sistema sys;
    test::BuildRichSystem(sys);
    const auto bytes = sys.ScriviFile();
    T_Sistema back;
    ASSERT_TRUE(back.LeggiFile(bytes));
    // The multi-sign column came back expanded; everything else byte for byte.
    EXPECT_EQ(back.Colonne.Count(), ColumnsCovered(sys.dati.Forecast) + 1);
    back.Colonne = sys.Colonne;
    back.dati.SourceFile = sys.dati.SourceFile;
    back.dati.sviluppo.DestinationFile = sys.dati.sviluppo.DestinationFile;
    EXPECT_EQ(back.ScriviFile(), bytes);
    for (int i = 1; i <= kSlots; ++i) {
        EXPECT_EQ(back.Insieme().Slot(i)->Tipo, i);
    }
    // Every slot and item is really in force after the round trip.
    back.Insieme().Prepara();
    EXPECT_EQ(back.Insieme().Attive().size(), 14u); // all but Ripetizioni (switched off)
    EXPECT_EQ(back.Insieme().Link().LettereUsate, "A");
    EXPECT_EQ(back.dati.sviluppo.IntegralBases[6], kSign2);
    EXPECT_EQ(back.comment[2], "con l'accento: è");
}

// A chain of 64 frames in slot 13, each the only item of the one above: the system file and the
// frame file load it and title every frame once, with every position on its path.
TEST(SystemFile, DeepFrameChainLoadsAndIsTitled) {
    test::TTestHome home;
    constexpr int kDepth = 64;
    T_Sistema sys;
    auto chain = std::make_unique<TCondQuadro>(&sys.Insieme());
    for (int d = 1; d < kDepth; ++d) {
        auto outer = std::make_unique<TCondQuadro>(&sys.Insieme());
        ASSERT_TRUE(outer->Aggiungi(std::move(chain)));
        chain = std::move(outer);
    }
    TByteWriter frameBytes;
    chain->Scrivi(frameBytes);
    sys.Insieme().ImpostaSlot(kCodQuadro, std::move(chain));
    const fs::path qdr = home.Path() / "catena.QDR";
    test::WriteBytes(qdr, std::vector<unsigned char>(frameBytes.Data().begin(), frameBytes.Data().end()));

    std::string expected = "\\Quadro";
    for (int d = 1; d < kDepth; ++d) {
        expected += "\\Quadro 001";
    }
    const auto deepest = [](TInsiemeCondizioni& set) {
        TCondQuadro* f = set.SlotAs<TCondQuadro>(kCodQuadro);
        while (f != nullptr && f->Count() == 1) {
            f = dynamic_cast<TCondQuadro*>(&f->Item(0));
        }
        return f;
    };

    T_Sistema back;
    ASSERT_TRUE(back.LeggiFile(sys.ScriviFile()));
    back.Insieme().ImpostaTitoli();
    ASSERT_NE(deepest(back.Insieme()), nullptr);
    EXPECT_EQ(deepest(back.Insieme())->Titolo, expected);

    T_Sistema fromFrame;
    CaricaQuadro(qdr, fromFrame.Insieme());
    fromFrame.Insieme().ImpostaTitoli();
    ASSERT_NE(deepest(fromFrame.Insieme()), nullptr);
    EXPECT_EQ(deepest(fromFrame.Insieme())->Titolo, expected);
}

TEST(SystemFile, TruncatedAtEveryLengthFailsAndLeavesTheSystem) {
    test::TTestHome home;
    T_Sistema rich;
    test::BuildRichSystem(rich);
    const auto bytes = rich.ScriviFile();
    const std::size_t columns = 2 * 12;
    const std::size_t flag = bytes.size() - columns - 1; // the columns flag's offset

    T_Sistema target;
    target.dati.ContestNumber = 999;
    target.comment = {"intatto"};
    Colonna single;
    single.s.fill(kSign2);
    target.Colonne.Append(single);
    target.modified = true;
    const auto before = target.ScriviFile();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const bool ok = target.LeggiFile(std::span<const std::uint8_t>(bytes.data(), n));
        if (n < flag) {
            ASSERT_FALSE(ok) << n;
            ASSERT_TRUE(target.modified);
        } else {
            // No flag: no columns; then whole records only.
            ASSERT_TRUE(ok) << n;
            const std::size_t records = n > flag ? (n - flag - 1) / 12 : 0;
            ASSERT_EQ(target.Colonne.Count(), records == 0 ? 0 : ColumnsCovered(rich.dati.Forecast)) << n;
            ASSERT_TRUE(target.LeggiFile(before));
            target.modified = true;
        }
    }
    EXPECT_EQ(target.ScriviFile(), before);
    EXPECT_EQ(target.dati.ContestNumber, 999);
}

TEST(SystemFile, GarbageFailsCleanly) {
    test::TTestHome home;
    T_Sistema rich;
    test::BuildRichSystem(rich);
    const auto bytes = rich.ScriviFile();
    std::uint32_t state = 12345;
    T_Sistema target;
    const auto before = target.ScriviFile();
    int loaded = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::uint8_t> bad = bytes;
        for (int k = 0; k < 8; ++k) {
            state = state * 1664525u + 1013904223u;
            bad[(state >> 8) % (bytes.size() - 26)] = static_cast<std::uint8_t>(state >> 24);
        }
        if (target.LeggiFile(bad)) {
            ++loaded; // a change the layout cannot see (a mark, a letter): still a whole system
            // Whatever was taken is a system within range that writes and reads back as itself.
            const TImpostazioniSviluppo& d = target.dati.sviluppo;
            EXPECT_TRUE(d.Guarantee == 4 || d.Guarantee == 5) << round;
            EXPECT_TRUE(d.MinDistance >= 2 && d.MinDistance <= 10) << round;
            EXPECT_TRUE(d.Passes >= 1 && d.Passes <= 10) << round;
            EXPECT_TRUE(target.ParticipantCount >= 1 && target.ParticipantCount <= 100) << round;
            const auto again = target.ScriviFile();
            T_Sistema copy;
            ASSERT_TRUE(copy.LeggiFile(again)) << round;
            EXPECT_EQ(copy.ScriviFile(), again) << round;
            ASSERT_TRUE(target.LeggiFile(before));
        }
        ASSERT_EQ(target.ScriviFile(), before);
    }
    // A multi-sign flood of columns past every distinct column is refused.
    std::vector<std::uint8_t> flood(bytes.begin(), bytes.end() - 24);
    for (int i = 0; i < 2; ++i) {
        flood.insert(flood.end(), 12, kAllSigns);
    }
    EXPECT_FALSE(target.LeggiFile(flood));
    // Both outcomes were exercised: some damage is refused, some is invisible to the layout.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 300);
}

TEST(SystemFile, MenuCommands) {
    test::TTestHome home;
    PrepareProgramDir(false);
    T_Sistema sys;
    EXPECT_TRUE(SalvaChiedeNome(sys));
    EXPECT_EQ(sys.fileName, home.Path() / "Sistemi" / "SENZANOME.SVS");

    TFixedAnswerPrompt yes(true);
    const fs::path file = home.Path() / "Sistemi" / "mio.Svs";
    sys.modified = true;
    ASSERT_TRUE(SalvaSistemaCome(sys, file, yes));
    EXPECT_EQ(yes.Count(), 0); // new file: no question
    EXPECT_FALSE(sys.untitled);
    EXPECT_FALSE(SalvaChiedeNome(sys));

    TFixedAnswerPrompt no(false);
    sys.dati.ContestNumber = 5;
    EXPECT_FALSE(SalvaSistemaCome(sys, file, no));
    EXPECT_EQ(no.LastText(), "Il file esiste gia. Vuoi sovrascriverlo ? ");
    EXPECT_EQ(no.LastTitle(), "Informazione");
    SalvaSistema(sys);

    T_Sistema other;
    other.modified = true;
    CaricaSistema(other, file);
    EXPECT_EQ(other.fileName, file);
    EXPECT_EQ(other.dati.ContestNumber, 5);
    EXPECT_FALSE(other.modified);

    test::WriteBytes(home.Path() / "rotto.Svs", {200, 0, 0});
    try {
        CaricaSistema(other, home.Path() / "rotto.Svs");
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare Il Sistema");
    }
    EXPECT_EQ(other.fileName, file);

    sys.fileName = home.Path() / "manca" / "x.Svs";
    try {
        SalvaSistema(sys);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare Il Sistema");
    }

    EXPECT_FALSE(CancellaSistema(file, no));
    EXPECT_EQ(no.LastTitle(), "Conferma");
    EXPECT_EQ(no.LastText(), "Vuoi Cancellare " + file.string() + "?");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_TRUE(CancellaSistema(file, yes));
    EXPECT_FALSE(fs::exists(file));
    try {
        CancellaSistema(file, yes);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Cancellare Il Sistema");
    }

    // "&Nuovo": a fresh set, the coupon emptied, the source settings kept.
    other.dati.SourceFile = "tenuto";
    other.Insieme()
        .SlotAs<TCondQuadro>(kCodQuadro)
        ->Aggiungi(std::make_unique<TCondQuadro>(&other.Insieme()));
    other.dati.reserved = {1, 2};
    other.NewSystem();
    EXPECT_EQ(other.dati.SourceFile, "tenuto");
    EXPECT_EQ(other.Insieme().SlotAs<TCondQuadro>(kCodQuadro)->Count(), 0u);
    EXPECT_EQ(other.Condizioni, &other.Insieme());
    EXPECT_EQ(other.dati.reserved, (std::array<std::uint8_t, 2>{0, 0}));
    EXPECT_TRUE(other.untitled);
}

} // namespace
} // namespace tessaline
