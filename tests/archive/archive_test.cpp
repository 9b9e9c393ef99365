#include <gtest/gtest.h>

#include "archive/contest_archive.h"
#include "archive/frequencies.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "support/columns.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

using test::Col;

T_Concorso Contest(std::int32_t anno, std::uint8_t numero, const char* col = "0120M0120M01",
                   std::uint8_t tipo = 1) {
    T_Concorso c;
    c.Anno = anno;
    c.Numero = numero;
    c.Tipo = tipo;
    c.ColonnaVincente = Col(col);
    c.AggiornaCompleto();
    return c;
}

// Expected bytes of one record from the layout: Tipo, Anno (4, LE), Numero, 12 signs, Completo.
std::vector<std::uint8_t> RecordBytes(std::uint8_t tipo, std::int32_t anno, std::uint8_t numero,
                                      const Colonna& col, std::uint8_t completo) {
    std::vector<std::uint8_t> b(19, 0);
    b[0] = tipo;
    const auto a = static_cast<std::uint32_t>(anno);
    for (int i = 0; i < 4; ++i) {
        b[static_cast<std::size_t>(1 + i)] = static_cast<std::uint8_t>(a >> (8 * i));
    }
    b[5] = numero;
    for (int i = 0; i < 12; ++i) {
        b[static_cast<std::size_t>(6 + i)] = col.s[static_cast<std::size_t>(i)];
    }
    b[18] = completo;
    return b;
}

TEST(Archive, RecordLayoutAndRoundTrip) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    T_Archivio a;
    a.Concorsi() = {Contest(2023, 35, "0120M0120M01"), Contest(2024, 1, "MMMM2222*111", 2),
                    Contest(-70000, 255, "111111111111")};
    std::vector<std::uint8_t> expected;
    for (const T_Concorso& c : a.Concorsi()) {
        const auto r = RecordBytes(c.Tipo, c.Anno, c.Numero, c.ColonnaVincente, c.Completo);
        expected.insert(expected.end(), r.begin(), r.end());
    }
    EXPECT_EQ(a.Codifica(), expected);
    EXPECT_EQ(a.Concorsi()[1].Completo, 0); // one unknown sign
    ASSERT_TRUE(a.Salva());
    EXPECT_EQ(test::ReadBytes(T_Archivio::PercorsoFile()),
              std::vector<unsigned char>(expected.begin(), expected.end()));
    EXPECT_EQ(T_Archivio::PercorsoFile().filename(), "archivio.tts");
    EXPECT_EQ(T_Archivio::PercorsoFile().parent_path().filename(), "ARCHIVI");

    T_Archivio b;
    T_IntervalloConcorsi range;
    range.Tipi = 3;
    range.Filtra = 0;
    EXPECT_TRUE(b.Carica(range));
    EXPECT_EQ(b.Concorsi(), a.Concorsi());
    // The range runs from the first contest of the list to the last, as it stands.
    EXPECT_EQ(range.AnnoDa, 2023);
    EXPECT_EQ(range.NumeroDa, 35);
    EXPECT_EQ(range.AnnoA, static_cast<std::int16_t>(-70000));
    EXPECT_EQ(range.NumeroA, 255);
    EXPECT_EQ(range.Tipi, 3);
    EXPECT_EQ(range.Filtra, 0);
}

TEST(Archive, BadFilesLoadWhatIsWholeOrFailCleanly) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    const auto path = T_Archivio::PercorsoFile();
    T_IntervalloConcorsi range;
    T_Archivio a;

    // Missing file and empty file: a failed load with the archive's message.
    try {
        a.Carica(range);
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Caricare L'Archivio.");
    }
    test::WriteBytes(path, {});
    EXPECT_THROW(a.Carica(range), EInOutError);
    EXPECT_EQ(a.Count(), 0u);
    test::WriteBytes(path, std::vector<unsigned char>(18, 1)); // less than one record
    EXPECT_THROW(a.Carica(range), EInOutError);

    // Start-up policy: one new contest and the message.
    TFixedAnswerPrompt prompt;
    EXPECT_FALSE(a.CaricaOppureNuovo(range, &prompt));
    ASSERT_EQ(a.Count(), 1u);
    EXPECT_EQ(a.Concorsi()[0].Numero, 1);
    EXPECT_EQ(a.Concorsi()[0].Tipo, 1);
    EXPECT_EQ(a.Concorsi()[0].Completo, 0);
    EXPECT_GE(a.Concorsi()[0].Anno, 2024);
    EXPECT_EQ(prompt.LastText(), "Impossibile Caricare L'Archivio.");
    EXPECT_EQ(prompt.LastTitle(), "Informazione");

    // Two whole records and a tail of 7 bytes: the two are kept, the result says so.
    auto bytes = RecordBytes(1, 2024, 1, Col("000000000000"), 1);
    const auto second = RecordBytes(1, 2024, 2, Col("1111112222M2"), 1);
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.insert(bytes.end(), second.begin(), second.begin() + 7);
    test::WriteBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    EXPECT_FALSE(a.Carica(range));
    ASSERT_EQ(a.Count(), 2u);
    EXPECT_EQ(a.Concorsi()[1].ColonnaVincente, Col("1111112222M2"));
    EXPECT_EQ(range.NumeroA, 2);

    // Sign bytes other than 1, 2, 4, 8 make the contest incomplete whatever the stored flag says;
    // bits beyond the four signs are dropped when reading.
    for (const std::uint8_t bad : {std::uint8_t{0}, std::uint8_t{3}, std::uint8_t{16}, std::uint8_t{255}}) {
        Colonna c = Col("000000000000");
        c.s[5] = bad;
        const auto r = RecordBytes(1, 2024, 3, c, 1);
        test::WriteBytes(path, std::vector<unsigned char>(r.begin(), r.end()));
        EXPECT_TRUE(a.Carica(range));
        ASSERT_EQ(a.Count(), 1u);
        EXPECT_EQ(a.Concorsi()[0].Completo, 0) << int(bad);
        EXPECT_EQ(a.Concorsi()[0].ColonnaVincente.s[5], bad & kAllSigns); // only the sign bits are kept
    }
}

TEST(Archive, SaveIsAtomic) {
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    T_Archivio a;
    a.Concorsi() = {Contest(2024, 1)};
    ASSERT_TRUE(a.Salva());
    const auto before = test::ReadBytes(T_Archivio::PercorsoFile());
    // A target inside a missing folder cannot be written: the error is raised, nothing is left.
    const auto bad = home.Path() / "missing" / "archivio.tts";
    try {
        a.Salva(bad);
        FAIL() << "no exception";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare Le Modifiche.");
    }
    EXPECT_FALSE(std::filesystem::exists(bad));
    EXPECT_EQ(test::ReadBytes(T_Archivio::PercorsoFile()), before);
}

TEST(Archive, RangeRule) {
    T_IntervalloConcorsi r;
    r.AnnoDa = 2022;
    r.NumeroDa = 10;
    r.AnnoA = 2024;
    r.NumeroA = 5;
    r.Tipi = 1;
    r.Filtra = 1;
    const struct {
        std::int32_t anno;
        std::uint8_t numero;
        const char* col;
        std::uint8_t tipo;
        std::uint8_t filtra;
        bool in;
    } cases[] = {
        {2022, 9, "000000000000", 1, 1, false},  {2022, 10, "000000000000", 1, 1, true},
        {2023, 1, "000000000000", 1, 1, true},   {2023, 99, "000000000000", 1, 1, true},
        {2024, 5, "000000000000", 1, 1, true},   {2024, 6, "000000000000", 1, 1, false},
        {2021, 50, "000000000000", 1, 1, false}, {2025, 1, "000000000000", 1, 1, false},
        {2023, 1, "00000000000*", 1, 1, false},  {2023, 1, "000000000000", 2, 1, false},
        {2023, 1, "00000000000*", 1, 0, true},   {2023, 1, "000000000000", 2, 0, true},
        {2022, 9, "00000000000*", 2, 0, false},
    };
    for (const auto& c : cases) {
        r.Filtra = c.filtra;
        EXPECT_EQ(r.Contiene(Contest(c.anno, c.numero, c.col, c.tipo)), c.in)
            << c.anno << "/" << int(c.numero);
    }
    // Within one season both number bounds apply.
    r = T_IntervalloConcorsi{};
    r.AnnoDa = r.AnnoA = 2023;
    r.NumeroDa = 3;
    r.NumeroA = 7;
    EXPECT_FALSE(r.Contiene(Contest(2023, 2)));
    EXPECT_TRUE(r.Contiene(Contest(2023, 3)));
    EXPECT_TRUE(r.Contiene(Contest(2023, 7)));
    EXPECT_FALSE(r.Contiene(Contest(2023, 8)));
    r.Tipi = 2;
    EXPECT_FALSE(r.Contiene(Contest(2023, 5)));
    r.Tipi = 3;
    EXPECT_TRUE(r.Contiene(Contest(2023, 5, "0120M0120M01", 2)));
}

TEST(Archive, StoredRangeAndSearchSettings) {
    T_IntervalloConcorsi r;
    r.Tipi = 3;
    r.AnnoDa = 0x1234;
    r.AnnoA = -2;
    r.NumeroDa = 7;
    r.NumeroA = 200;
    r.Filtra = 0;
    TByteWriter w;
    r.Scrivi(w);
    const std::vector<std::uint8_t> expected = {3, 0x34, 0x12, 0xFE, 0xFF, 7, 200};
    EXPECT_EQ(w.Data(), expected);
    T_IntervalloConcorsi back;
    TByteReader rd(w.Data());
    ASSERT_TRUE(back.Leggi(rd));
    EXPECT_EQ(back.Filtra, 1); // not stored: a new range filters
    back.Filtra = 0;
    EXPECT_EQ(back, r);
    TByteReader shortRead(std::span<const std::uint8_t>(w.Data().data(), 6));
    EXPECT_FALSE(T_IntervalloConcorsi{}.Leggi(shortRead));

    T_ImpostazioniRicerca s;
    s.Intervallo = r;
    s.IgnoraColonneFiltro = 0;
    s.IgnoraRipetizioni = 1;
    s.IgnoraValori = 0;
    s.IgnoraPercentuali = 0;
    s.Categoria1 = 0;
    s.Categoria12 = 0;
    s.Categoria123 = 1;
    EXPECT_EQ(s.Categorie(), 3);
    TByteWriter ws;
    s.Scrivi(ws);
    std::vector<std::uint8_t> exp2 = expected;
    exp2.insert(exp2.end(), {0, 1, 0, 0, 0, 1});
    EXPECT_EQ(ws.Data(), exp2);
    ASSERT_EQ(ws.Size(), kImpostazioniRicercaSize);
    T_ImpostazioniRicerca t;
    TByteReader rs(ws.Data());
    ASSERT_TRUE(t.Leggi(rs));
    EXPECT_EQ(t.IgnoraValori, 1); // not stored
    EXPECT_EQ(t.Categoria123, 1);
    EXPECT_EQ(t.IgnoraRipetizioni, 1);
    EXPECT_EQ(t.IgnoraColonneFiltro, 0);
    TByteReader rs2(std::span<const std::uint8_t>(ws.Data().data(), 12));
    EXPECT_FALSE(t.Leggi(rs2));
}

TEST(Archive, ReorderAfterAnEdit) {
    T_Archivio a;
    a.Concorsi() = {Contest(2023, 1), Contest(2023, 5), Contest(2024, 2), Contest(2024, 8)};
    TFixedAnswerPrompt yes(true);
    TFixedAnswerPrompt no(false);
    auto order = [&] {
        std::vector<std::pair<int, int>> v;
        for (const auto& c : a.Concorsi()) {
            v.emplace_back(c.Anno, c.Numero);
        }
        return v;
    };

    // Moved back, with its kind and column kept.
    a.Concorsi()[3] = Contest(2023, 3, "MMMMMMMMMMMM", 2);
    EXPECT_TRUE(a.Riordina(3, yes));
    EXPECT_EQ(order(), (std::vector<std::pair<int, int>>{{2023, 1}, {2023, 3}, {2023, 5}, {2024, 2}}));
    EXPECT_EQ(a.Concorsi()[1].Tipo, 2);
    EXPECT_EQ(a.Concorsi()[1].ColonnaVincente, Col("MMMMMMMMMMMM"));

    // Moved forward to the end.
    a.Concorsi()[0].Anno = 2025;
    EXPECT_TRUE(a.Riordina(0, yes));
    EXPECT_EQ(order(), (std::vector<std::pair<int, int>>{{2023, 3}, {2023, 5}, {2024, 2}, {2025, 1}}));

    // Moved forward into the middle.
    a.Concorsi()[0].Anno = 2024;
    a.Concorsi()[0].Numero = 1;
    EXPECT_TRUE(a.Riordina(0, yes));
    EXPECT_EQ(order(), (std::vector<std::pair<int, int>>{{2023, 5}, {2024, 1}, {2024, 2}, {2025, 1}}));
    EXPECT_EQ(yes.Count(), 0);

    // A duplicate: "No" keeps both, "Si" replaces the other one.
    a.Concorsi()[3] = Contest(2024, 2, "222222222222");
    EXPECT_FALSE(a.Riordina(3, no));
    EXPECT_EQ(no.LastText(), "Il Concorso è già in memoria. Devo Sostituirlo ?");
    EXPECT_EQ(a.Count(), 4u);
    std::size_t position = 3;
    EXPECT_TRUE(a.Riordina(3, yes, &position));
    EXPECT_EQ(order(), (std::vector<std::pair<int, int>>{{2023, 5}, {2024, 1}, {2024, 2}}));
    EXPECT_EQ(a.Concorsi()[2].ColonnaVincente, Col("222222222222"));
    EXPECT_EQ(position, 2u);

    std::int32_t first = 0;
    std::int32_t last = 0;
    ASSERT_TRUE(a.AnniEstremi(first, last));
    EXPECT_EQ(first, 2023);
    EXPECT_EQ(last, 2024);
    EXPECT_FALSE(T_Archivio{}.AnniEstremi(first, last));
}

TEST(Frequencies, CountsDelaysAndGrowth) {
    T_FrequenzeRitardi f;
    f.Azzera(1);
    f.Aggiungi(5, 2, true);
    ASSERT_EQ(f.Massimo(), 5);
    ASSERT_EQ(f.Presenze().size(), 6u);
    ASSERT_EQ(f.Consecutivi().size(), 6u);
    EXPECT_EQ(f.Frequenza(5), 1);
    EXPECT_EQ(f.Ritardo(5), 0);
    EXPECT_EQ(f.Ritardo(0), 1);
    f.Aggiungi(0, 0, true);
    f.Aggiungi(0, 0, true);
    f.Aggiungi(3, 0, true);
    EXPECT_EQ(f.Eventi(), 4);
    // Value: 0 came out at events 2 and 3, 5 at event 1, 3 at event 4.
    const struct {
        int v, freq, rit, ritMax;
    } presenze[] = {{0, 2, 1, 1}, {1, 0, 4, 4}, {3, 1, 0, 3}, {5, 1, 3, 3}};
    for (const auto& e : presenze) {
        EXPECT_EQ(f.Frequenza(e.v), e.freq) << e.v;
        EXPECT_EQ(f.Ritardo(e.v), e.rit) << e.v;
        EXPECT_EQ(f.RitardoMax(e.v), e.ritMax) << e.v;
    }
    f.ScegliLista(false);
    EXPECT_EQ(f.Frequenza(0), 3);
    EXPECT_EQ(f.Frequenza(2), 1);
    EXPECT_EQ(f.Ritardo(2), 3);
    EXPECT_EQ(f.Frequenza(99), 0);
    EXPECT_EQ(f.Frequenza(-1), 0);

    // Without delays only frequencies move.
    T_FrequenzeRitardi g;
    g.Azzera(12);
    for (int i = 0; i < 5; ++i) {
        g.Aggiungi(i, 12 - i, false);
    }
    for (int v = 0; v <= 12; ++v) {
        EXPECT_EQ(g.Ritardo(v), 0);
        EXPECT_EQ(g.RitardoMax(v), 0);
    }
    EXPECT_EQ(g.Frequenza(4), 1);
    EXPECT_EQ(g.Eventi(), 5);
    g.Azzera(3);
    EXPECT_EQ(g.Eventi(), 0);
    EXPECT_EQ(g.Presenze().size(), 4u);
    EXPECT_EQ(g.Frequenza(0), 0);
}

} // namespace
} // namespace tessaline
