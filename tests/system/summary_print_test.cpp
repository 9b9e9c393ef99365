// The system summary on the recording canvas: its sections in order, the copy titles and the
// listing's page numbers continuing the summary's.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conditions/condition_set.h"
#include "conditions/sign_count.h"
#include "core/errors.h"
#include "print/recording_canvas.h"
#include "support/canvas_texts.h"
#include "system/summary_print.h"

namespace tessaline {
namespace {

TRecordingCanvas A4() {
    return TRecordingCanvas(794, 1123, 96);
}

using test::InOrder;
using test::Texts;

void Prepara(T_Sistema& sys) {
    sys.fileName = "/tmp/prova.svs";
    for (int t = 0; t < kTeams; ++t) {
        sys.dati.teamNames[static_cast<std::size_t>(t)] = "Squadra" + std::to_string(t + 1);
        sys.dati.Forecast[t] = kSign1;
    }
    sys.dati.Forecast[0] = kSign1 | kSign2;
    sys.dati.ContestNumber = 27;
}

TOpzioniProspetto Opzioni() {
    TOpzioniProspetto o;
    o.TestoIniziali = "  Colonne Iniziali : 2";
    o.TestoFinali = "  Colonne Finali : ";
    o.Data = "01/02/2026";
    return o;
}

TEST(Prospetto, SectionsInOrderWithTheConditionsInForce) {
    T_Sistema sys;
    Prepara(sys);
    sys.dati.sviluppo.ReducedDevelopment = 1;
    sys.dati.sviluppo.Guarantee = 5;
    sys.Insieme().SlotAs<TCondNumeroSegni>(1)->Tabella(1).Imposta(false, 4, kAmmesso);
    TRecordingCanvas canvas = A4();
    const TEsitoStampa e = StampaProspetto(canvas, sys, Opzioni(), TContestoStampa{});
    EXPECT_EQ(canvas.documents, 1);
    EXPECT_EQ(e.pagine, 1);
    EXPECT_TRUE(InOrder(
        Texts(canvas),
        {"Tessaline 2.0", "Prospetto del Sistema", "Informazioni Generali sul Sistema",
         "  Nome del Sistema : prova", "  Stampato il : 01/02/2026",
         "  Doppie : 1   Triple : 0   Quadruple : 0", "  Sistema Condizionato Ridotto a garanzia di  Cinque",
         "  Colonne Iniziali : 2", "  Colonne Finali : ", "Concorso Nº 27", " 1", "Squadra1", "Squadra12",
         " 12", " 1", "Elenco delle condizioni del sistema", "\\Numero Di Segni", "Segni 1", "Pagina Nº 1"}));
}

struct CopyCase {
    const char* name;
    int participants;
    std::vector<std::string> names;
    bool perParticipant;
    int copies;
    std::vector<std::string> titles;
};

TEST(Prospetto, CopyTitles) {
    const CopyCase cases[] = {
        {"one participant, three copies",
         1,
         {},
         false,
         3,
         {"Prospetto del Sistema     Copia Nº 1", "Prospetto del Sistema     Copia Nº 2",
          "Prospetto del Sistema     Copia Nº 3"}},
        {"one copy", 1, {}, false, 1, {"Prospetto del Sistema"}},
        {"per named participant",
         2,
         {"Anna", "Bruno"},
         true,
         1,
         {"Prospetto del Sistema     Copia per Anna", "Prospetto del Sistema     Copia per Bruno"}},
        {"per participant without names",
         2,
         {},
         true,
         1,
         {"Prospetto del Sistema     Copia Nº 1", "Prospetto del Sistema     Copia Nº 2"}},
        {"one participant asks per participant",
         1,
         {},
         true,
         4,
         {"Prospetto del Sistema     Copia Nº 1", "Prospetto del Sistema     Copia Nº 2",
          "Prospetto del Sistema     Copia Nº 3", "Prospetto del Sistema     Copia Nº 4"}},
    };
    for (const CopyCase& c : cases) {
        T_Sistema sys;
        Prepara(sys);
        sys.ParticipantCount = c.participants;
        sys.participants = c.names;
        TOpzioniProspetto o = Opzioni();
        o.CopiaPerPartecipante = c.perParticipant;
        o.Copie = c.copies;
        TRecordingCanvas canvas = A4();
        StampaProspetto(canvas, sys, o, TContestoStampa{});
        std::vector<std::string> titles;
        for (const std::string& t : Texts(canvas)) {
            if (t.rfind("Prospetto del Sistema", 0) == 0) {
                titles.push_back(t);
            }
        }
        EXPECT_EQ(titles, c.titles) << c.name;
        EXPECT_EQ(canvas.documents, static_cast<int>(c.titles.size())) << c.name;
        const std::vector<std::string> got = Texts(canvas);
        // An integral system: no conditions section.
        EXPECT_EQ(std::count(got.begin(), got.end(), "  Sistema Integrale  "),
                  static_cast<long>(c.titles.size()))
            << c.name;
        EXPECT_EQ(std::count(got.begin(), got.end(), "Elenco delle condizioni del sistema"), 0) << c.name;
        if (c.participants > 1) {
            EXPECT_TRUE(InOrder(got, {"Numero di Partecipanti al Sistema : 2", "Concorso Nº 27"})) << c.name;
        }
        if (!c.names.empty()) {
            EXPECT_TRUE(InOrder(got, {"Nomi dei Partecipanti : ", "Anna, ", "Bruno"})) << c.name;
        }
    }
}

TEST(Prospetto, ListingContinuesThePageNumbers) {
    T_Sistema sys;
    Prepara(sys);
    Colonna c;
    for (int t = 0; t < kTeams; ++t) {
        c[t] = kSign0;
    }
    sys.Colonne.Append(c);
    sys.Colonne.Append(c);
    TOpzioniProspetto o = Opzioni();
    o.Tabulato = true;
    o.Copie = 2;
    TRecordingCanvas canvas = A4();
    StampaProspetto(canvas, sys, o, TContestoStampa{});
    EXPECT_EQ(canvas.documents, 4); // each copy, then its listing
    std::vector<std::string> footers;
    for (const std::string& t : Texts(canvas)) {
        if (t.rfind("Pagina Nº ", 0) == 0) {
            footers.push_back(t);
        }
    }
    EXPECT_EQ(footers,
              (std::vector<std::string>{"Pagina Nº 1", "Pagina Nº 2", "Pagina Nº 1", "Pagina Nº 2"}));
}

TEST(Prospetto, PrinterFailureRaisesTheSummaryMessage) {
    T_Sistema sys;
    Prepara(sys);
    TRecordingCanvas canvas = A4();
    canvas.FailBeginFrom(2);
    TOpzioniProspetto o = Opzioni();
    o.Copie = 2;
    try {
        StampaProspetto(canvas, sys, o, TContestoStampa{});
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Stampare il Prospetto del Sistema");
    }
}

} // namespace
} // namespace tessaline
