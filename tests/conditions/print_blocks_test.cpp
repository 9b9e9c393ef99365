// The printed block of each condition family, of the frame and of the link: the texts and their
// order on the recording canvas, and the pages a long block takes.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "conditions/condition_print.h"
#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/value_conditions.h"
#include "print/recording_canvas.h"
#include "support/canvas_texts.h"
#include "tests/conditions/helpers.h"

namespace tessaline {
namespace {

TRecordingCanvas A4() {
    return TRecordingCanvas(4961, 7016, 600);
}

using test::InOrder;
using test::Texts;

const std::array<std::string, kTeams> kNomi = {"Inter",      "Bologna", "Cagliari", "Empoli",
                                               "Fiorentina", "Genoa",   "Juventus", "Lazio",
                                               "Milan",      "Napoli",  "Roma",     "Torino"};

struct Case {
    const char* name;
    std::function<std::unique_ptr<TCondizione>(TInsiemeCondizioni*)> build;
    std::vector<std::string> want;
    std::vector<std::string> absent;
};

TEST(StampaCondizioni, EachFamilyPrintsItsTextsInOrder) {
    const Case cases[] = {
        {"numero di segni",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondNumeroSegni>(o);
             TTabellaPunti& t = c->Tabella(0);
             t.Imposta(false, 2, kAmmesso);
             t.Imposta(false, 3, kRecupero, 7);
             t.Pt.Link = 'B';
             t.Pt.Tra = 3;
             t.Imposta(true, 1, kAmmesso);
             t.ImpostaCampo(2, 9);
             return c;
         },
         {"\\Numero Di Segni",
          "Segni 0",
          "Pt ",
          "Rec",
          "Liv",
          ".",
          ".",
          "2",
          "3",
          "7",
          "Link B",
          "Tra 3",
          "Cs ",
          "Rec",
          "Liv",
          ".",
          "1",
          "Link A",
          "Campo",
          "Min 2",
          "Max 9"},
         {"Segni 1", "Segni 2", "Segni M", "Tra 0"}},
        {"risultati",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondRisultati>(o);
             c->Esiti[1] = 1 | 2;
             c->Esiti[5] = 4;
             c->Tabella(0).Imposta(false, 4, kAmmesso);
             return c;
         },
         {"\\Risultati", "Cagliari - Empoli : 1 X", "Roma - Torino : 2", "Punti", "Pt ", "4", "Link A",
          "Campo"},
         {"Inter - Bologna : "}},
        {"vortice",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondVortice>(o);
             c->Tabella(3).Imposta(false, 5, kAmmesso);
             return c;
         },
         {"\\Vortice", "Vortice Inverso", "Bracci", "5"},
         {"Vortice Diretto", "Posizione"}},
        {"simmetrie",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondSimmetrie>(o);
             c->Tabella(1).Imposta(true, 2, kAmmesso);
             c->Tabella(2).Imposta(false, 11, kRecupero, 12);
             return c;
         },
         {"\\Simmetrie", "Inverse", "Cs ", "2", "Totali", "Pt ", "11", "12"},
         {"Dirette"}},
        {"consecutivita",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondConsecutivita>(o);
             c->Segno = kSign2;
             c->Selezione().Imposta(false, 4, kAmmesso);
             c->Selezione().Imposta(false, 5, kAmmesso);
             c->Ammessa().Imposta(false, 2, kAmmesso);
             return c;
         },
         {"\\Consecutività Segno 2", "Conteggi : 4 5", "Segni 2", "Consecutività Ammessa", "Pt ", "2"},
         {"Selezione"}},
        {"sequela",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondSequela>(o);
             c->ImpostaTipo(kBitermine);
             c->ImpostaLunghezza(3);
             c->ImpostaPasso(2);
             c->Presenze().Imposta(false, 1, kAmmesso);
             return c;
         },
         {"\\Sequele", "Sequela Bitermine  Lunghezza : 3    Passo Trovata : 2    Passo NonTrovata : 2",
          "Presenze", "1"},
         {}},
        {"gol squadra",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondPuntiSquadra>(o);
             c->Squadre[0] = 1;
             c->Squadre[11] = 1;
             c->Gol().Imposta(false, 3, kAmmesso);
             c->Gol().Imposta(false, 5, kRecupero, 2);
             return c;
         },
         // 37 values: the marked range as a list.
         {"\\Punti Squadra", "Squadre :", "1) Inter", "12) Torino", "Gol ", "Pt   Link A", "   3 Pt",
          "   4 .", "   5 Rec Liv 2", "Campo"},
         {"   2 .", "   6 ."}},
        {"valori",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondGruppoValori>(o);
             c->Squadre[2] = 1;
             c->Intervalli.Aggiungi(1, 2, 1);
             c->Intervalli.Aggiungi(3.5, 4.25, 1);
             c->Intervalli.Aggiungi(5, 6, 2, 4);
             c->Intervalli.Link = 'C';
             return c;
         },
         {"\\Valori", "Squadre :", "3) Cagliari", "Valori", "Intervalli Ammessi :   1-2  3.5-4.25",
          "Intervalli In Recupero : 5-6  Liv 4", "Link  C"},
         {}},
        {"percentuali",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondPercentuali>(o);
             c->Intervalli.Aggiungi(10, 90, 1);
             return c;
         },
         {"Squadre :", "Percentuali", "Intervalli Ammessi :   10-90", "Link  A"},
         {"Valori", "Intervalli In Recupero : "}},
        {"colonna filtro",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondColonnaFiltro>(o);
             c->Filtro = test::Col("1 0 * 2 M 1 1 1 1 1 1 1");
             c->Filtro[0] = kSign0 | kSign1;
             c->ConfrontoACoppie = false;
             c->Punti().Imposta(false, 6, kAmmesso);
             return c;
         },
         {"\\Colonna Filtro", "Punti", "6", "Confronto a Coppie : Spento",
          "Colonna Filtro : 01 0 * 2 M 1 1 1 1 1 1 1"},
         {}},
        {"punti tra",
         [](TInsiemeCondizioni* o) {
             auto c = std::make_unique<TCondPuntiTra>(o);
             c->Gruppo(2).Aggiungi(10, 20, 1);
             c->Gruppo(4).Aggiungi(3, 3, 2, 1);
             return c;
         },
         {"\\Punti Tra", "Gruppo Tra : 2", "Punti Ammessi", "Intervalli Ammessi :   10-20", "Gruppo Tra : 4",
          "Punti Ammessi", "Intervalli Ammessi : ", "Intervalli In Recupero : 3-3  Liv 1"},
         {"Gruppo Tra : 1", "Gruppo Tra : 3"}},
        {"quadro",
         [](TInsiemeCondizioni* o) {
             auto q = std::make_unique<TCondQuadro>(o, "Mio Quadro");
             auto a = std::make_unique<TCondColonnaFiltro>(o);
             a->Filtro = test::Col("111111111111");
             a->Punti().Imposta(false, 6, kAmmesso);
             q->Aggiungi(std::move(a));
             q->Aggiungi(std::make_unique<TCondNumeroSegni>(o)); // nothing marked: not printed
             auto b = std::make_unique<TCondNumeroSegni>(o);
             b->Tabella(2).Imposta(false, 1, kAmmesso);
             q->Aggiungi(std::move(b));
             q->ImpostaRelazione(kRelXor);
             return q;
         },
         {"\\Mio Quadro", "Relazione tra le Condizioni : XOR", "01 Colonna Filtro", " 1) 1", "12) 1",
          "03 Numero Di Segni"},
         {"02 Numero Di Segni"}},
    };
    for (const Case& c : cases) {
        TInsiemeCondizioni set;
        set.NomiSquadre = &kNomi;
        std::unique_ptr<TCondizione> cond = c.build(&set);
        cond->ImpostaTitolo("");
        ASSERT_TRUE(cond->AggiornaStato()) << c.name;
        TRecordingCanvas canvas = A4();
        TmmPrinter p(canvas);
        p.InizioStampa();
        canvas.SetFont({"Courier New", 8, 0});
        double y = 40;
        cond->Stampa(p, y, 10);
        const std::vector<std::string> got = Texts(canvas);
        EXPECT_TRUE(InOrder(got, c.want)) << c.name;
        for (const std::string& a : c.absent) {
            EXPECT_EQ(std::count(got.begin(), got.end(), a), 0) << c.name << ": " << a;
        }
        EXPECT_GT(y, 40) << c.name;
        EXPECT_EQ(canvas.pages, 1) << c.name;
    }
}

TEST(StampaCondizioni, LinkPrintsEachUsedLetterThenTheTotal) {
    TInsiemeCondizioni set;
    TLink& link = set.Link();
    link.LettereUsate = "AC";
    link.Lettera('A').ErroriAmmessi.Imposta(false, 1, kAmmesso);
    link.Lettera('C').ErroriAmmessi.Imposta(false, 2, kAmmesso);
    link.ErroriTotali.Imposta(false, 2, kAmmesso);
    link.AggiornaStato();
    TRecordingCanvas canvas = A4();
    TmmPrinter p(canvas);
    p.InizioStampa();
    double y = 10;
    StampaLink(p, link, y, 10);
    EXPECT_TRUE(
        InOrder(Texts(canvas), {"Link", "Errori Ammessi Nella Link A", "   1 Pt",
                                "Errori Ammessi Nella Link C", "   2 Pt", "Errori Ammessi In Totale"}));
}

// A list of forty items: blocks never cross the foot of a page, pages are numbered in turn and the
// list takes the pages its blocks need.
TEST(StampaCondizioni, LongListBreaksPagesBetweenBlocks) {
    TInsiemeCondizioni set;
    auto lista = std::make_unique<TListaCondizioni>(kCodGruppoSequele, "Gruppo Sequele", &set);
    for (int i = 0; i < 40; ++i) {
        auto s = std::make_unique<TCondSequela>(&set);
        s->Presenze().Imposta(false, i % 12, kAmmesso);
        s->Presenze().Imposta(true, 1, kAmmesso);
        lista->Aggiungi(std::move(s));
    }
    lista->ImpostaTitolo("");
    ASSERT_TRUE(lista->AggiornaStato());
    TRecordingCanvas canvas = A4();
    TmmPrinter p(canvas);
    p.InizioStampa();
    canvas.SetFont({"Courier New", 8, 0});
    double y = 40;
    lista->Stampa(p, y, 10);
    p.FineStampa();
    const std::vector<std::string> got = Texts(canvas);
    EXPECT_EQ(std::count(got.begin(), got.end(), "Presenze"), 40);
    EXPECT_TRUE(InOrder(got, {"\\Gruppo Sequele\\Sequele 001", "\\Gruppo Sequele\\Sequele 040"}));
    // Each block: title, sequela line, caption, two sections of three rows, field: 46.6 mm with the 3.86 mm
    // lines of 8 points on this canvas. The first page (from 40 mm) and every other (from 10 mm) hold
    // five blocks above the foot at 285 mm: the forty need eight pages.
    EXPECT_EQ(canvas.pages, 8);
    std::vector<std::string> footers;
    const int foot = p.MmInY(p.AltezzaPagina() - kPiedePagina);
    for (const TRecordedOp& op : canvas.ops) {
        if (op.kind == TRecordedOp::Text && op.text.rfind("Pagina Nº ", 0) == 0) {
            footers.push_back(op.text);
        } else if (op.kind == TRecordedOp::Text) {
            EXPECT_LT(op.y1, foot) << op.text;
        }
    }
    EXPECT_EQ(footers,
              (std::vector<std::string>{"Pagina Nº 1", "Pagina Nº 2", "Pagina Nº 3", "Pagina Nº 4",
                                        "Pagina Nº 5", "Pagina Nº 6", "Pagina Nº 7", "Pagina Nº 8"}));
    // A block stays on one page: its caption and its field line share the page.
    int captionPage = 0;
    for (const TRecordedOp& op : canvas.ops) {
        if (op.text == "Presenze") {
            captionPage = op.page;
        } else if (op.text == "Campo") {
            EXPECT_EQ(op.page, captionPage);
        }
    }
}

} // namespace
} // namespace tessaline
