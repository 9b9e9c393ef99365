#include <gtest/gtest.h>

#include <random>

#include "conditions/archive_check.h"
#include "conditions/condition_set.h"
#include "conditions/sign_count.h"
#include "helpers.h"

namespace tessaline {
namespace {

using test::Col;

T_Concorso Contest(std::int32_t anno, std::uint8_t numero, const Colonna& c) {
    T_Concorso k;
    k.Anno = anno;
    k.Numero = numero;
    k.ColonnaVincente = c;
    k.AggiornaCompleto();
    return k;
}

T_ImpostazioniRicerca Settings(int categorie) {
    T_ImpostazioniRicerca r;
    r.Intervallo.AnnoDa = 1900;
    r.Intervallo.AnnoA = 2100;
    r.Intervallo.NumeroDa = 1;
    r.Intervallo.NumeroA = 99;
    r.Categoria1 = categorie == 1;
    r.Categoria12 = categorie == 2;
    r.Categoria123 = categorie == 3;
    return r;
}

// Admits exactly the given counts of the sign 0.
void AdmitZeros(TInsiemeCondizioni& set, const std::vector<int>& counts) {
    TTabellaPunti& t = set.SlotAs<TCondNumeroSegni>(1)->Tabella(0);
    for (int v : counts) {
        t.Imposta(false, v, kAmmesso);
    }
}

TEST(ArchiveCheck, FinalFiguresOfACategory) {
    struct Case {
        const char* name;
        std::vector<int> wins; // ordinals
        int examined;
        int ultima, minimo, massimo, attuale, settimane;
        double ciclo, medio;
    };
    const std::vector<Case> cases = {
        // Gaps 3 − 3 = 0 and 11 − 13 = −2 do not count; 10 − 6 = 4 is the only one.
        {"ordinals 3, 10, 11 of 12", {3, 10, 11}, 12, 11, 4, 4, 0, 1, 11.0 / 3, 4.0},
        {"no win", {}, 7, 0, 0, 0, 7, 7, 0.0, 0.0},
        // Cycle 3.33 (3 whole): gaps 5 − 3 = 2, 6 − 8 = −2, 10 − 9 = 1; delay 10 − 3 = 7.
        {"spread", {5, 6, 10}, 20, 10, 1, 2, 7, 10, 10.0 / 3, 1.5},
        {"every contest", {1, 2, 3, 4}, 4, 4, 0, 0, 0, 0, 1.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TCategoriaStorica cat;
        cat.Tabella.Azzera(1);
        std::size_t w = 0;
        for (int i = 1; i <= c.examined; ++i) {
            const bool win = w < c.wins.size() && c.wins[w] == i;
            cat.Tabella.Aggiungi(win ? 1 : 0, 0, true);
            if (win) {
                cat.Vincite.push_back(i);
                ++w;
            }
        }
        ConcludiCategoria(cat, c.examined);
        EXPECT_EQ(cat.UltimaVincita, c.ultima);
        EXPECT_DOUBLE_EQ(cat.CicloMedio, c.ciclo);
        EXPECT_EQ(cat.RitardoMinimo, c.minimo);
        EXPECT_EQ(cat.RitardoMassimo, c.massimo);
        EXPECT_DOUBLE_EQ(cat.RitardoMedio, c.medio);
        EXPECT_EQ(cat.RitardoAttuale, c.attuale);
        EXPECT_EQ(cat.Settimane(), c.settimane);
    }
}

TEST(ArchiveCheck, VariantsInTheirOrder) {
    const std::vector<Colonna> v = VariantiErrore(Col("0 1 2 M * * * * * * * *"));
    const std::vector<const char*> expected = {"1 1 2 M ********", "2 1 2 M ********", "M 1 2 M ********",
                                               "0 0 2 M ********", "0 2 2 M ********", "0 M 2 M ********",
                                               "0 1 1 M ********", "0 1 0 M ********", "0 1 M M ********",
                                               "0 1 2 0 ********", "0 1 2 1 ********", "0 1 2 2 ********"};
    ASSERT_EQ(v.size(), expected.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        EXPECT_EQ(v[i], Col(expected[i])) << i;
    }
}

// Fewest errors that bring a column with z zeros to an admitted count (3 when more are needed): a
// changed team moves the count by one at most, and only towards the signs the column has.
int FewestErrors(int z, const std::vector<bool>& ok) {
    auto admitted = [&](int v) { return v >= 0 && v <= 12 && ok[static_cast<std::size_t>(v)]; };
    if (admitted(z)) {
        return 0;
    }
    if ((z > 0 && admitted(z - 1)) || (z < 12 && admitted(z + 1))) {
        return 1;
    }
    if ((z > 1 && admitted(z - 2)) || (z < 11 && admitted(z + 2))) {
        return 2;
    }
    return 3;
}

TEST(ArchiveCheck, CategoriesMatchTheFewestErrorsOnRandomArchives) {
    std::mt19937 rng(77);
    for (int round = 0; round < 40; ++round) {
        TInsiemeCondizioni set;
        std::vector<int> counts;
        std::vector<bool> ok(13, false);
        for (int v = 0; v <= 12; ++v) {
            if (rng() % 4 == 0) {
                counts.push_back(v);
                ok[static_cast<std::size_t>(v)] = true;
            }
        }
        if (counts.empty()) {
            continue;
        }
        AdmitZeros(set, counts);
        T_Archivio archivio;
        const int n = 1 + static_cast<int>(rng() % 60);
        std::vector<int> errors;
        for (int i = 0; i < n; ++i) {
            Colonna c;
            const int zeroShare = static_cast<int>(rng() % 13);
            for (SignSet& s : c.s) {
                s = static_cast<int>(rng() % 12) < zeroShare ? 1 : static_cast<SignSet>(2 << (rng() % 3));
            }
            archivio.Concorsi().push_back(Contest(2000 + i / 40, static_cast<std::uint8_t>(1 + i % 40), c));
            int z = 0;
            for (SignSet s : c.s) {
                z += s == 1 ? 1 : 0;
            }
            errors.push_back(FewestErrors(z, ok));
        }
        const int categorie = 1 + round % 3;
        const T_ImpostazioniRicerca r = Settings(categorie);
        TAnalisiStorica out;
        ASSERT_TRUE(AnalisiArchivio(set, archivio, r, out));
        ASSERT_EQ(out.Esaminati, n);
        ASSERT_EQ(out.NumCategorie, categorie);
        for (int k = 0; k < 3; ++k) {
            SCOPED_TRACE(testing::Message() << "round " << round << " category " << k + 1);
            // A contest reaches category k when it needs k errors or more; it wins there with exactly k.
            std::vector<std::int32_t> wins;
            int events = 0;
            for (int i = 0; i < n; ++i) {
                if (k < categorie && errors[static_cast<std::size_t>(i)] >= k) {
                    ++events;
                    if (errors[static_cast<std::size_t>(i)] == k) {
                        wins.push_back(i + 1);
                    }
                }
            }
            const TCategoriaStorica& cat = out.Categorie[static_cast<std::size_t>(k)];
            EXPECT_EQ(cat.Tabella.Eventi(), events);
            EXPECT_EQ(cat.Vincite, wins);
            EXPECT_EQ(cat.Tabella.Frequenza(1), static_cast<std::int32_t>(wins.size()));
        }
    }
}

TEST(ArchiveCheck, RangeCancelAndLinksRestored) {
    TInsiemeCondizioni set;
    AdmitZeros(set, {12});
    T_Archivio archivio;
    const char* cols[] = {"000000000000", "000000000001", "000000000011", "000000000111", "000000000000"};
    for (int i = 0; i < 5; ++i) {
        archivio.Concorsi().push_back(Contest(2020, static_cast<std::uint8_t>(i + 1), Col(cols[i])));
    }
    T_ImpostazioniRicerca propria;
    set.Collega(nullptr, &propria, nullptr);

    // The range leaves out the first and the last contest.
    T_ImpostazioniRicerca r = Settings(3);
    r.Intervallo.AnnoDa = 2020;
    r.Intervallo.NumeroDa = 2;
    r.Intervallo.AnnoA = 2020;
    r.Intervallo.NumeroA = 4;
    struct TLog : TAnalisiProgress {
        std::vector<std::string> stati;
        int gauge = -1;
        void Stato(const std::string& t) override { stati.push_back(t); }
        void Gauge(int p) override { gauge = p; }
    } log;
    TAnalisiStorica out;
    ASSERT_TRUE(AnalisiArchivio(set, archivio, r, out, &log));
    EXPECT_EQ(out.Esaminati, 3);
    EXPECT_EQ(out.Concorsi, 5);
    EXPECT_EQ(out.Categorie[0].Tabella.Eventi(), 3);
    EXPECT_EQ(out.Categorie[1].Vincite, std::vector<std::int32_t>{1});
    EXPECT_EQ(out.Categorie[2].Vincite, std::vector<std::int32_t>{2});
    EXPECT_EQ(out.Categorie[2].Tabella.Eventi(), 2);
    EXPECT_EQ(log.stati, (std::vector<std::string>{kAnalisiInCorso, "Concorsi Esaminati : 3 Su 5"}));
    EXPECT_EQ(log.gauge, 100);
    EXPECT_FALSE(set.ModoArchivio);
    EXPECT_EQ(set.RicercaCollegata(), &propria);
    EXPECT_EQ(set.Archivio(), nullptr);

    // "Annulla" pressed before the run: it stops after the first contest, with no final figures.
    TCancelFlag cancel;
    cancel.Request();
    TLog log2;
    EXPECT_FALSE(AnalisiArchivio(set, archivio, Settings(1), out, &log2, &cancel));
    EXPECT_FALSE(out.Completata);
    EXPECT_EQ(out.Esaminati, 1);
    EXPECT_EQ(out.Categorie[0].UltimaVincita, 1); // set by the win, the final step never ran
    EXPECT_EQ(out.Categorie[0].CicloMedio, 0.0);
    EXPECT_EQ(log2.stati, std::vector<std::string>{kAnalisiInCorso});
    EXPECT_FALSE(set.ModoArchivio);
}

} // namespace
} // namespace tessaline
