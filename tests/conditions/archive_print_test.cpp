// The archive printout on the recording canvas: which contests a pair of ends selects, forty contests
// a page, the bands that fit the page's width, every text inside the page, the rows' texts, and the
// failure of the printer.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "archive/archive_csv.h"
#include "conditions/archive_print.h"
#include "core/errors.h"
#include "print/mm_printer.h"
#include "print/print_settings.h"
#include "print/recording_canvas.h"

namespace tessaline {
namespace {

// A4 turned to landscape at 600 dots per inch.
TRecordingCanvas Landscape() {
    return TRecordingCanvas(7016, 4961, 600);
}

T_Concorso Contest(std::int32_t anno, int numero, std::mt19937& rng, bool completo = true) {
    T_Concorso c;
    c.Anno = anno;
    c.Numero = static_cast<std::uint8_t>(numero);
    c.Tipo = numero % 7 == 0 ? 2 : 1;
    for (std::size_t t = 0; t < 12; ++t) {
        c.ColonnaVincente.s[t] = static_cast<SignSet>(1U << (rng() % 4));
    }
    if (!completo) {
        c.ColonnaVincente.s[rng() % 12] = 0;
    }
    c.AggiornaCompleto();
    return c;
}

// Contests 2023/36..38, 2024/1..90 (with 2024/50 missing and every 9th incomplete), 2025/1..3.
std::vector<T_Concorso> Archivio() {
    std::mt19937 rng(7);
    std::vector<T_Concorso> l;
    for (int n = 36; n <= 38; ++n) {
        l.push_back(Contest(2023, n, rng));
    }
    for (int n = 1; n <= 90; ++n) {
        if (n != 50) {
            l.push_back(Contest(2024, n, rng, n % 9 != 0));
        }
    }
    for (int n = 1; n <= 3; ++n) {
        l.push_back(Contest(2025, n, rng));
    }
    return l;
}

std::size_t Index(const std::vector<T_Concorso>& l, std::int32_t anno, int numero) {
    for (std::size_t i = 0; i < l.size(); ++i) {
        if (l[i].Anno == anno && l[i].Numero == numero) {
            return i;
        }
    }
    return l.size();
}

TEST(ArchivePrint, TheEndsSelectTheContestsBetweenThem) {
    const std::vector<T_Concorso> l = Archivio();
    const struct {
        TEstremoConcorso da, a;
        bool any;
        std::int32_t annoPrimo;
        int numPrimo;
        std::int32_t annoUltimo;
        int numUltimo;
    } cases[] = {
        {{2024, 5}, {2024, 85}, true, 2024, 5, 2024, 85},   // both ends archived
        {{2024, 50}, {2024, 50}, false, 0, 0, 0, 0},        // a missing contest alone
        {{2024, 50}, {2024, 51}, true, 2024, 51, 2024, 51}, // the first after the first end
        {{2024, 49}, {2024, 50}, true, 2024, 49, 2024, 49}, // the last before the last end
        {{2023, 1}, {2023, 99}, true, 2023, 36, 2023, 38},  // numbers past the archived ones
        {{2022, 1}, {2026, 1}, true, 2023, 36, 2025, 3},    // the whole archive
        {{2024, 91}, {2024, 99}, false, 0, 0, 0, 0},        // between two seasons
        {{2024, 85}, {2024, 5}, false, 0, 0, 0, 0},         // ends the wrong way round
        {{2023, 38}, {2025, 1}, true, 2023, 38, 2025, 1},   // across three seasons
        {{2026, 1}, {2026, 9}, false, 0, 0, 0, 0},          // after the archive
    };
    for (const auto& c : cases) {
        std::size_t primo = 999;
        std::size_t ultimo = 999;
        ASSERT_EQ(ConcorsiDaStampare(l, c.da, c.a, primo, ultimo), c.any) << c.da.Anno << "/" << c.da.Numero;
        if (c.any) {
            EXPECT_EQ(primo, Index(l, c.annoPrimo, c.numPrimo));
            EXPECT_EQ(ultimo, Index(l, c.annoUltimo, c.numUltimo));
        } else {
            EXPECT_EQ(primo, 999U);
        }
    }
    std::size_t primo = 0;
    std::size_t ultimo = 0;
    ASSERT_TRUE(ConcorsiDaStampare(l, {2024, 5}, {2024, 85}, primo, ultimo));
    EXPECT_EQ(ultimo - primo + 1, 80U); // 81 numbers, one of them missing
}

TGruppiScelti Scelti(std::initializer_list<std::size_t> g) {
    TGruppiScelti s{};
    for (const std::size_t i : g) {
        s[i] = true;
    }
    return s;
}

TGruppiScelti Predefiniti() {
    TGruppiScelti s{};
    for (std::size_t g = 0; g < s.size(); ++g) {
        s[g] = TMisureArchivio::Gruppi()[g].Predefinito;
    }
    return s;
}

TGruppiScelti Tutti() {
    TGruppiScelti s{};
    s.fill(true);
    return s;
}

TEST(ArchivePrint, FortyContestsAPageInBandsThatFitThePage) {
    const std::vector<T_Concorso> l = Archivio();
    const TMisureArchivio misure;
    const struct {
        std::size_t primo, n;
        TGruppiScelti gruppi;
        const char* what;
    } cases[] = {
        {0, 1, Scelti({kGruppoNumeroSegni}), "one contest"},
        {5, 40, Scelti({kGruppoNumeroSegni, kGruppoPariDispari}), "one full page"},
        {5, 41, Scelti({kGruppoNumeroSegni}), "one over a page"},
        {3, 81, Scelti({kGruppoRipetizioni, kGruppoGolSquadra}), "three pages"},
        {0, 95, Predefiniti(), "the view's groups"},
        {0, 95, Tutti(), "every group"},
        {10, 40, Scelti({}), "the fixed columns alone"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TRecordingCanvas canvas = Landscape();
        TmmPrinter mm(canvas);
        const TEsitoStampaArchivio esito =
            StampaArchivio(canvas, l, c.primo, c.primo + c.n - 1, c.gruppi, misure);
        EXPECT_EQ(esito.concorsi, c.n);
        EXPECT_EQ(canvas.documents, 1);
        EXPECT_EQ(esito.pagine, canvas.pages);
        const std::size_t blocchi = (c.n + kConcorsiPerPagina - 1) / kConcorsiPerPagina;

        // The bands: within the page's width less 20 mm from x = 5 mm; the fixed columns open the
        // first, "Anno" and "Num." the others; every measure column of the chosen groups once.
        ASSERT_FALSE(esito.fasce.empty());
        std::vector<std::string> misurePrinted;
        for (std::size_t b = 0; b < esito.fasce.size(); ++b) {
            const auto& f = esito.fasce[b];
            double w = 0;
            for (const TColonnaStampa& col : f) {
                w += (col.larghezza + 1) * kScalaStampaArchivio;
                if (col.gruppo != kNumGruppiArchivio) {
                    EXPECT_TRUE(c.gruppi[col.gruppo]);
                    misurePrinted.push_back(std::to_string(col.gruppo) + "." + std::to_string(col.k));
                }
            }
            EXPECT_LE(w, mm.LarghezzaPagina() - kMargineStampaArchivio) << "band " << b;
            const std::size_t fisse = b == 0 ? 4 : 2;
            ASSERT_GE(f.size(), fisse);
            for (std::size_t k = 0; k < fisse; ++k) {
                EXPECT_EQ(f[k].gruppo, kNumGruppiArchivio);
                EXPECT_EQ(f[k].k, k);
            }
            EXPECT_TRUE(b == 0 || f.size() > 2) << "a band of fixed columns alone";
        }
        std::size_t attese = 0;
        for (std::size_t g = 0; g < kNumGruppiArchivio; ++g) {
            attese += c.gruppi[g] ? TMisureArchivio::Gruppi()[g].Intestazioni.size() : 0;
        }
        EXPECT_EQ(misurePrinted.size(), attese);
        std::sort(misurePrinted.begin(), misurePrinted.end());
        EXPECT_EQ(std::adjacent_find(misurePrinted.begin(), misurePrinted.end()), misurePrinted.end());

        // Texts and lines stay inside the page, below 20 mm and above the page number's room.
        const double right = mm.LarghezzaPagina() - 15 + 0.05;
        const double bottom = mm.AltezzaPagina() - 10 + 0.05;
        int titles = 0;
        std::vector<int> footers;
        std::map<std::string, int> groupTitles;
        std::map<std::string, int> pageOf; // column text of a contest -> its page
        for (const TRecordedOp& op : canvas.ops) {
            if (op.kind == TRecordedOp::Text) {
                if (op.text == msg::kTitoloStampaArchivio) {
                    ++titles;
                    EXPECT_EQ(op.page, 1);
                    EXPECT_EQ(op.font, FontTabulato10());
                    continue;
                }
                if (op.text.rfind("Pagina Nº ", 0) == 0) {
                    footers.push_back(std::stoi(op.text.substr(std::string("Pagina Nº ").size())));
                    continue;
                }
                EXPECT_EQ(op.font.size, 7);
                EXPECT_GE(mm.XInMm(op.x1), kSinistraStampaArchivio) << op.text;
                EXPECT_LE(mm.XInMm(op.x1 + canvas.TextWidth(op.text)), right) << op.text;
                EXPECT_GE(mm.YInMm(op.y1), kCimaStampaArchivio) << op.text;
                EXPECT_LE(mm.YInMm(op.y1 + canvas.TextHeight(op.text)), bottom) << op.text;
                if (op.font.style == kFontBold) {
                    ++groupTitles[op.text];
                }
                if (op.text.size() == 12) {
                    pageOf.emplace(op.text, op.page);
                }
            } else if (op.kind == TRecordedOp::Line) {
                EXPECT_LE(mm.XInMm(std::max(op.x1, op.x2)), right);
                EXPECT_LE(mm.YInMm(std::max(op.y1, op.y2)), bottom);
            }
        }
        EXPECT_EQ(titles, 1);
        std::vector<int> expectedFooters(static_cast<std::size_t>(canvas.pages));
        for (std::size_t p = 0; p < expectedFooters.size(); ++p) {
            expectedFooters[p] = static_cast<int>(p) + 1;
        }
        EXPECT_EQ(footers, expectedFooters);
        // Every chosen group's title stands over each page of contests; the others never.
        for (std::size_t g = 0; g < kNumGruppiArchivio; ++g) {
            const std::string& t = TMisureArchivio::Gruppi()[g].Titolo;
            const auto it = groupTitles.find(t);
            const int seen = it == groupTitles.end() ? 0 : it->second;
            if (c.gruppi[g]) {
                EXPECT_GE(seen, static_cast<int>(blocchi)) << t;
            } else {
                EXPECT_EQ(seen, 0) << t;
            }
        }
        // Each contest's column on the page of its block of forty; the blocks on pages in order, and
        // with one band a page is a block.
        int last = 0;
        for (std::size_t i = 0; i < c.n; ++i) {
            const std::string col = TestoColonnaVincente(l[c.primo + i].ColonnaVincente);
            ASSERT_TRUE(pageOf.count(col)) << col;
            const int page = pageOf[col];
            if (i % kConcorsiPerPagina == 0) {
                EXPECT_GT(page, last);
            } else {
                EXPECT_EQ(page, last);
            }
            last = page;
        }
        if (esito.fasce.size() == 1) {
            EXPECT_EQ(static_cast<std::size_t>(canvas.pages), blocchi);
        }
    }
}

TEST(ArchivePrint, EachRowShowsTheContestAndItsMeasures) {
    const std::vector<T_Concorso> l = Archivio();
    const TMisureArchivio misure;
    const TGruppiScelti gruppi = Tutti();
    TRecordingCanvas canvas = Landscape();
    const std::size_t primo = 2;
    const std::size_t ultimo = 60;
    const TEsitoStampaArchivio esito = StampaArchivio(canvas, l, primo, ultimo, gruppi, misure);
    ASSERT_GE(esito.fasce.size(), 2U); // every group needs more than one band
    // Contests of either page, complete and not, in every band: the row's texts left to right are the
    // headings' cells that are not empty.
    for (const std::size_t i :
         {std::size_t{2}, std::size_t{3}, std::size_t{11}, std::size_t{42}, std::size_t{60}}) {
        const std::string col = TestoColonnaVincente(l[i].ColonnaVincente);
        std::map<std::string, std::vector<std::string>> celle;
        for (std::size_t g = 0; g < kNumGruppiArchivio; ++g) {
            celle[std::to_string(g)] = misure.Celle(l, i, g);
        }
        const std::vector<std::string> fisse = {std::to_string(l[i].Anno), std::to_string(l[i].Numero),
                                                TestoTipo(l[i].Tipo), col};
        // The row of band 0 is where the column text stands; the other bands' rows follow in the same
        // order, so the n-th row with the contest's year and number in the first two columns.
        for (std::size_t b = 0; b < esito.fasce.size(); ++b) {
            std::vector<std::string> expected;
            for (const TColonnaStampa& c : esito.fasce[b]) {
                const std::string t =
                    c.gruppo == kNumGruppiArchivio ? fisse[c.k] : celle[std::to_string(c.gruppo)][c.k];
                if (!t.empty()) {
                    expected.push_back(t);
                }
            }
            // Rows of the printout: texts grouped by page and y, in x order.
            std::map<std::pair<int, int>, std::vector<std::pair<int, std::string>>> rows;
            for (const TRecordedOp& op : canvas.ops) {
                if (op.kind == TRecordedOp::Text && op.font.style == 0 && op.font.size == 7) {
                    rows[{op.page, op.y1}].push_back({op.x1, op.text});
                }
            }
            int found = 0;
            for (auto& [key, cells] : rows) {
                std::sort(cells.begin(), cells.end());
                std::vector<std::string> texts;
                for (const auto& [x, t] : cells) {
                    texts.push_back(t);
                }
                if (texts == expected) {
                    ++found;
                }
            }
            EXPECT_GE(found, 1) << "contest " << i << " band " << b;
        }
    }
}

TEST(ArchivePrint, APrinterThatFailsGivesTheMessageAndNothingWithoutContests) {
    const std::vector<T_Concorso> l = Archivio();
    const TMisureArchivio misure;
    TRecordingCanvas failing = Landscape();
    failing.FailBeginFrom(1);
    try {
        StampaArchivio(failing, l, 0, 10, Predefiniti(), misure);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Stampare La Tabella");
    }
    TRecordingCanvas none = Landscape();
    const TEsitoStampaArchivio esito = StampaArchivio(none, l, 5, 4, Predefiniti(), misure);
    EXPECT_EQ(esito.pagine, 0);
    EXPECT_EQ(none.documents, 0);
    EXPECT_EQ(StampaArchivio(none, l, 0, l.size(), Predefiniti(), misure).pagine, 0);
    EXPECT_EQ(none.documents, 0);
}

} // namespace
} // namespace tessaline
