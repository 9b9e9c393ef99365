// The analysis of the link's rejections: the rows of each table in values and percent, the printout's
// texts in order, a table that runs over pages, and the failure of the printer.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "conditions/link.h"
#include "conditions/link_analysis_print.h"
#include "core/errors.h"
#include "print/mm_printer.h"
#include "print/recording_canvas.h"

namespace tessaline {
namespace {

// counts[v] rejections at value v.
T_FrequenzeRitardi Stat(const std::vector<int>& counts) {
    T_FrequenzeRitardi f;
    for (std::size_t v = 0; v < counts.size(); ++v) {
        for (int k = 0; k < counts[v]; ++k) {
            f.Aggiungi(static_cast<int>(v), 0, false);
        }
    }
    return f;
}

std::vector<TRigaAnalisiLink> R(std::initializer_list<std::pair<int, const char*>> l) {
    std::vector<TRigaAnalisiLink> out;
    for (const auto& [v, t] : l) {
        out.push_back({v, t});
    }
    return out;
}

TEST(LinkAnalysis, RowsRunToTheLastValueThatRejected) {
    const struct {
        std::vector<int> counts;
        int from;
        bool percent;
        std::vector<TRigaAnalisiLink> rows;
    } cases[] = {
        {{}, 0, false, {}},
        {{0, 0, 0}, 1, false, {}},
        {{5, 3, 0, 1, 0, 0}, 1, false, R({{1, "3"}, {2, "0"}, {3, "1"}})}, // value 0 left out from 1
        {{5, 3, 0, 1, 0, 0}, 0, false, R({{0, "5"}, {1, "3"}, {2, "0"}, {3, "1"}})},
        {{0, 3, 0, 1}, 1, true, R({{1, "75,00"}, {2, "0,00"}, {3, "25,00"}})},
        {{1, 2}, 0, true, R({{0, "33,33"}, {1, "66,67"}})},
        {{0, 1234}, 0, false, R({{0, "0"}, {1, "1.234"}})},
        {{7}, 0, true, R({{0, "100,00"}})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RigheAnalisiLink(Stat(c.counts), c.from, c.percent), c.rows)
            << c.counts.size() << " from " << c.from << (c.percent ? " %" : "");
    }
}

std::vector<TRecordedOp> Texts(const TRecordingCanvas& c) {
    std::vector<TRecordedOp> out;
    for (const TRecordedOp& op : c.ops) {
        if (op.kind == TRecordedOp::Text) {
            out.push_back(op);
        }
    }
    return out;
}

// The texts of the printout with the padding of the numbers taken off.
std::vector<std::string> Trimmed(const TRecordingCanvas& c) {
    std::vector<std::string> out;
    for (const TRecordedOp& op : Texts(c)) {
        const std::size_t s = op.text.find_first_not_of(' ');
        out.push_back(s == std::string::npos ? "" : op.text.substr(s));
    }
    return out;
}

TEST(LinkAnalysis, ThePrintoutShowsEveryUsedLetterThenTheTotal) {
    TLink link;
    link.LettereUsate = "AC";
    link.Lettera('A').StatLivelli = Stat({0, 4, 0, 2});
    link.Lettera('A').StatErrori = Stat({1});
    link.Lettera('C').StatErrori = Stat({0, 0, 9});
    link.StatTotale = Stat({3, 0, 1});
    for (const bool percent : {false, true}) {
        TRecordingCanvas canvas(4961, 7016, 600);
        EXPECT_EQ(StampaAnalisiLink(canvas, link, percent), 1);
        const std::string u = percent ? " (%)" : "";
        const std::vector<std::string> want = {
            "Stampa Delle Colonne Filtrate Dal Recupero Condizioni", "Link A", "Valore",
            "Dai Livelli della Link" + u, "Dagli Errori Totali della Link" + u,
            // value, by level (from 1), by errors (from 0)
            "0", percent ? "100,00" : "1", "1", percent ? "66,67" : "4", "2", percent ? "0,00" : "0", "3",
            percent ? "33,33" : "2", "Link C", "Valore", "Dai Livelli della Link" + u,
            "Dagli Errori Totali della Link" + u, "0", percent ? "0,00" : "0", "1", percent ? "0,00" : "0",
            "2", percent ? "100,00" : "9", "Tutte le Link", "Valore",
            "Dagli Errori Totali su Tutte le Link" + u, "0", percent ? "75,00" : "3", "1",
            percent ? "0,00" : "0", "2", percent ? "25,00" : "1", "Pagina Nº 1"};
        EXPECT_EQ(Trimmed(canvas), want);
        EXPECT_EQ(canvas.documents, 1);
    }
}

TEST(LinkAnalysis, ALongTableGoesOnOverPagesUnderItsHeadings) {
    TLink link;
    std::vector<int> counts(150, 1);
    link.StatTotale = Stat(counts);
    TRecordingCanvas canvas(4961, 7016, 600);
    TmmPrinter mm(canvas);
    const int pages = StampaAnalisiLink(canvas, link, false);
    EXPECT_GE(pages, 3);
    EXPECT_EQ(pages, canvas.pages);
    std::vector<int> values;
    int headings = 0;
    for (const TRecordedOp& op : Texts(canvas)) {
        const std::string t = op.text.substr(std::min(op.text.size(), op.text.find_first_not_of(' ')));
        if (t == "Valore") {
            ++headings;
        } else if (t.rfind("Pagina", 0) != 0 && op.x1 < mm.MmInX(15) && !t.empty() &&
                   std::all_of(t.begin(), t.end(), [](char ch) { return ch >= '0' && ch <= '9'; })) {
            values.push_back(std::stoi(t));
        }
        if (t.rfind("Pagina", 0) != 0) {
            EXPECT_LE(mm.YInMm(op.y1 + canvas.TextHeight(op.text)), mm.AltezzaPagina() - 12 + 0.05) << t;
        }
    }
    EXPECT_EQ(headings, pages); // the headings again on every page
    std::vector<int> all(150);
    for (int v = 0; v < 150; ++v) {
        all[static_cast<std::size_t>(v)] = v;
    }
    EXPECT_EQ(values, all);
}

TEST(LinkAnalysis, APrinterThatFailsGivesTheMessage) {
    TLink link;
    TRecordingCanvas canvas(4961, 7016, 600);
    canvas.FailBeginFrom(1);
    try {
        StampaAnalisiLink(canvas, link, false);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Stampare Le Tabella");
    }
}

} // namespace
} // namespace tessaline
