#include <gtest/gtest.h>

#include "conditions/analysis_view.h"
#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/value_conditions.h"
#include "core/column_list.h"
#include "helpers.h"

namespace tessaline {
namespace {

using test::Col;

std::vector<std::int32_t> Frequencies(const T_FrequenzeRitardi& t, int upTo) {
    std::vector<std::int32_t> out;
    for (int v = 0; v <= upTo; ++v) {
        out.push_back(t.Frequenza(v));
    }
    return out;
}

struct Fixture {
    Fixture() {
        ricerca.Intervallo.AnnoDa = 2000;
        ricerca.Intervallo.AnnoA = 2000;
        ricerca.Intervallo.NumeroDa = 1;
        ricerca.Intervallo.NumeroA = 99;
        int n = 1;
        for (const char* c : {"000111111111", "011111111111", "000000111111", "0*0111111111"}) {
            T_Concorso k;
            k.Anno = 2000;
            k.Numero = static_cast<std::uint8_t>(n++);
            k.ColonnaVincente = Col(c);
            k.AggiornaCompleto();
            archivio.Concorsi().push_back(k);
        }
        set.Collega(&archivio, &ricerca, &colonne);
    }
    T_Archivio archivio;
    T_ImpostazioniRicerca ricerca;
    TListaColonne colonne;
    TInsiemeCondizioni set;
};

TEST(AnalysisView, SignCountTablesOverArchiveForecastConditionAndMemory) {
    Fixture f;
    auto& segni = *f.set.SlotAs<TCondNumeroSegni>(1);
    segni.Tabella(0).Imposta(false, 0, kAmmesso);
    segni.Tabella(0).Imposta(false, 1, kAmmesso);
    segni.Tabella(0).Imposta(false, 3, kRecupero, 4);
    f.colonne.Append(Col("011111111111"));
    Colonna multi = Col("011111111111");
    multi.s[1] = 3; // a multi-sign column counts as the two it covers
    f.colonne.Append(multi);
    const Colonna forecast = Col("0 0 0 1 1 1 1 1 1 1 1 1");
    Colonna pronostico = forecast;
    for (int t = 0; t < 3; ++t) {
        pronostico.s[static_cast<std::size_t>(t)] = 3; // "01" on the first three teams
    }

    VistaAnalisi v;
    ASSERT_TRUE(CostruisciVista(segni, pronostico, true, false, v));
    EXPECT_EQ(v.TitoloStatistica, "Analisi Statistica del Numero dei Segni");
    EXPECT_EQ(v.TitoloColonne, "Analisi Colonnare del Numero dei Segni");
    ASSERT_EQ(v.Misure.size(), 4u);
    EXPECT_EQ(v.Misure[3].Nome, "Segni +");
    EXPECT_EQ(v.ColonnePronostico, 8);
    EXPECT_TRUE(v.Sviluppato);
    EXPECT_TRUE(v.ConColonne);
    const TMisuraVista& zeri = v.Misure[0];
    // The incomplete contest is not examined: 3, 1 and 6 zeros.
    EXPECT_EQ(zeri.Archivio.Eventi(), 3);
    EXPECT_EQ(Frequencies(zeri.Archivio, 6), (std::vector<std::int32_t>{0, 1, 0, 1, 0, 0, 1}));
    EXPECT_EQ(zeri.Archivio.Ritardo(3), 2);
    EXPECT_EQ(Frequencies(zeri.Integrale, 4), (std::vector<std::int32_t>{1, 3, 3, 1, 0}));
    // Kept alone: zero, one or three zeros (a recovery entry passes; only the link would refuse it).
    EXPECT_EQ(Frequencies(zeri.Singola, 4), (std::vector<std::int32_t>{1, 3, 0, 1, 0}));
    EXPECT_EQ(Frequencies(zeri.Condizionata, 4), (std::vector<std::int32_t>{0, 2, 1, 0, 0}));
    EXPECT_EQ(zeri.StatiPunti[0], kAmmesso);
    EXPECT_EQ(zeri.StatiPunti[2], kNonAmmesso);
    EXPECT_EQ(zeri.StatiPunti[3], kRecupero);
    EXPECT_EQ(zeri.Etichette.size(), 13u);
    EXPECT_TRUE(zeri.HaCons());
    // The same columns seen through the count of ones.
    EXPECT_EQ(v.Misure[1].Singola.Frequenza(12), 1);
    EXPECT_EQ(v.Misure[1].Singola.Frequenza(11), 3);
    EXPECT_EQ(v.Misure[1].Singola.Frequenza(9), 1);
    EXPECT_EQ(v.Misure[1].Integrale.Frequenza(9), 1);
    // The dialog's condition keeps its own statistics untouched.
    EXPECT_EQ(segni.Voce(0).Archivio.Eventi(), 0);

    // Not developed: no conditioned table; archive only: no column tables at all.
    ASSERT_TRUE(CostruisciVista(segni, pronostico, false, false, v));
    EXPECT_FALSE(v.Sviluppato);
    EXPECT_EQ(v.Misure[0].Condizionata.Eventi(), 0);
    ASSERT_TRUE(CostruisciVista(segni, pronostico, true, true, v));
    EXPECT_FALSE(v.ConColonne);
    EXPECT_EQ(v.Misure[0].Integrale.Eventi(), 0);
    EXPECT_EQ(v.Misure[0].Archivio.Eventi(), 3);

    // "Annulla" stops the column count.
    Colonna tutto;
    tutto.s.fill(15);
    TCancelFlag cancel;
    cancel.Request();
    EXPECT_FALSE(CostruisciVista(segni, tutto, false, false, v, TVarianteVista::Diretta, &cancel));
    EXPECT_FALSE(v.ConColonne);
}

TEST(AnalysisView, TitlesAndMeasuresOfEachKind) {
    struct Case {
        std::uint8_t code;
        TVarianteVista variante;
        std::vector<std::string> names;
        const char* statistica;
        const char* colonne;
        const char* ritardo;
        const char* frequenza;
    };
    const std::vector<Case> cases = {
        {kCodInterruzioni,
         TVarianteVista::Diretta,
         {"Globali", "Segni 0", "Segni 1", "Segni 2", "Segni +"},
         "Analisi Statistica delle Interruzioni",
         "Analisi Colonnare delle Interruzioni",
         "Analisi Statistica del Ritardo nelle Interruzioni",
         "Analisi Statistica della Frequenza delle Interruzioni"},
        {kCodRipetizioni,
         TVarianteVista::Diretta,
         {"Una Prec.", "Due Prec."},
         "Analisi Statistica delle Ripetizioni",
         "Analisi Colonnare delle Ripetizione",
         "Analisi Statistica del Ritardo nelle Ripetizioni",
         "Analisi Statistica della Frequenza delle ipetizioni"},
        {kCodVortice,
         TVarianteVista::Inversa,
         {"Posizione"},
         "Analisi Statistica del Vortice Inverso",
         "Analisi Colonnare del Vortice Inverso",
         "Analisi Statistica dei Ritardi nel Vortice Inverso",
         "Analisi Statistica della Frequenza del Vortice Inverso"},
        {kCodConsecutivita,
         TVarianteVista::Diretta,
         {" Segno 0"},
         "Analisi Statistica della Consecutivita del Segno 0",
         "Analisi Colonnare della Consecutivita del Segno 0",
         "Analisi Statistica del Ritardo nella Consecutivita del Segno 0",
         "Analisi Statistica della Frequenza nella Consecutivita del Segno 0"},
        {kCodPuntiSquadra,
         TVarianteVista::Diretta,
         {"Gol Squadra"},
         "Analisi Statistica dei Punti Squadra",
         "Analisi Colonnare dei Punti Squadra",
         "Analisi Statistica del Ritardo nei Punti Squadra",
         ""},
        {kCodPercentuali,
         TVarianteVista::Diretta,
         {"Percentuali"},
         "Analisi Statistica delle Percentuali",
         "Analisi Colonnare delle Percentuali",
         "",
         ""},
        {kCodRisultati,
         TVarianteVista::Diretta,
         {"Risultati"},
         "Analisi Statistica dei Risultati",
         "Analisi Colonnare dei Risultati",
         "Analisi Statistica del Ritardo nei Risultati",
         "Analisi Statistica delle Frequenze dei Risultati"},
    };
    Fixture f;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        auto cond = CreaCondizione(c.code, &f.set);
        ASSERT_NE(cond, nullptr);
        VistaAnalisi v;
        ASSERT_TRUE(CostruisciVista(*cond, Col("0 1 2 M 0 1 2 M 0 1 2 M"), false, false, v, c.variante));
        std::vector<std::string> names;
        for (const TMisuraVista& m : v.Misure) {
            names.push_back(m.Nome);
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(v.TitoloStatistica, c.statistica);
        EXPECT_EQ(v.TitoloColonne, c.colonne);
        EXPECT_EQ(v.TitoloRitardo, c.ritardo);
        EXPECT_EQ(v.TitoloFrequenza, c.frequenza);
        EXPECT_EQ(v.ColonnePronostico, 1);
        for (const TMisuraVista& m : v.Misure) {
            EXPECT_EQ(m.Integrale.Eventi(), 1);
            EXPECT_EQ(m.Archivio.Eventi(), c.code == kCodRipetizioni ? 1 : 3);
        }
    }
}

TEST(AnalysisView, ValueIntervalsWithOthers) {
    Fixture f;
    TCondGruppoValori valori(&f.set);
    valori.Intervalli.Aggiungi(0, 5, 1);
    valori.Intervalli.Aggiungi(5.5, 9, 2, 3);
    VistaAnalisi v;
    ASSERT_TRUE(CostruisciVista(valori, Col("0 1 2 M 0 1 2 M 0 1 2 M"), false, false, v));
    ASSERT_EQ(v.Misure.size(), 1u);
    EXPECT_EQ(v.Misure[0].Nome, "Valori");
    EXPECT_EQ(v.Misure[0].Etichette, (std::vector<std::string>{"0,5", "5.5,9", "Altri"}));
    EXPECT_EQ(v.Misure[0].StatiPunti, (std::vector<std::uint8_t>{1, 2, 0}));
    EXPECT_EQ(v.TitoloRitardo, "Analisi Statistica dei Ritardi nei Valori");
    // No coupon values linked: the measure is 0, inside the first interval.
    EXPECT_EQ(v.Misure[0].Integrale.Frequenza(0), 1);
}

} // namespace
} // namespace tessaline
