// The printout of the fixed-sign list on a recording canvas: where each text goes, the page rule and
// the printer failure.

#include "reduce/fixed_signs_print.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "core/errors.h"
#include "print/mm_printer.h"
#include "print/recording_canvas.h"

namespace tessaline {
namespace {

constexpr double kDpi = 300;

int Dots(double mm) {
    return static_cast<int>(mm * kInchesPerMm * kDpi);
}

TEST(FixedSignsPrint, LayoutAndPages) {
    // A4 at 300 dpi; text 8 pt is round(1.15 * 8 * 300 / 72) = 38 dots high = 3.2 mm.
    TRecordingCanvas canvas(2480, 3508, kDpi);
    auto voci = GeneraFisse(2);
    voci[9].Frequenza = 4;
    voci[9].Ritardo = 3;
    const int pages = StampaFisse(canvas, voci, 10, 0, 200);
    const double h = 38 / (kInchesPerMm * kDpi);
    // Lines from 10 + h + 2 mm, h + 1 apart, while they end above 297 - 20 mm (the page height as the
    // printer converts it); then headers at 10 and lines from 10 + h + 5.
    const double pageMm = 3508 / (kInchesPerMm * kDpi);
    int perFirst = 0;
    for (double y = 10 + h + 2; y + h + 1 <= pageMm - 20; y += h + 1) {
        ++perFirst;
    }
    int perNext = 0;
    for (double y = 10 + h + 5; y + h + 1 <= pageMm - 20; y += h + 1) {
        ++perNext;
    }
    const int expectedPages = 1 + (200 - perFirst + perNext - 1) / perNext;
    EXPECT_EQ(pages, expectedPages);
    EXPECT_EQ(canvas.pages, expectedPages);

    std::vector<const TRecordedOp*> texts;
    for (const auto& op : canvas.ops) {
        // The page footers are the printer's own.
        if (op.kind == TRecordedOp::Text && op.text.rfind("Pagina", 0) != 0) {
            texts.push_back(&op);
            EXPECT_EQ(op.font.name, "Courier New");
            EXPECT_EQ(op.font.size, 8);
        }
    }
    ASSERT_GE(texts.size(), 7u + 12u);
    EXPECT_EQ(texts[0]->text, "Stampa delle coppie di segni più probabili");
    EXPECT_EQ(texts[0]->y1, Dots(2));
    const char* header[] = {" Nº  ", "Coppie", "Posizioni", "Frequenza", "Ritardo", "IC"};
    const double headerX[] = {27, 57, 85, 115, 145, 175};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(texts[1 + k]->text, header[k]);
        EXPECT_EQ(texts[1 + k]->x1, Dots(headerX[k]));
        EXPECT_EQ(texts[1 + k]->y1, Dots(10));
    }
    // Entry 10 (the tenth line): number at 25 mm, the rest 0.3 mm lower.
    const double y10 = 10 + h + 2 + 9 * (h + 1);
    const std::size_t at = 7 + 9 * 6;
    const char* line[] = {"  10", " 0,0 2,1", "1,2", "4", "3", "1,20"};
    const double lineX[] = {25, 55, 85, 115, 145, 175};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(texts[at + k]->text, line[k]);
        EXPECT_EQ(texts[at + k]->x1, Dots(lineX[k]));
        EXPECT_EQ(texts[at + k]->y1, Dots(k == 0 ? y10 : y10 + 0.3));
    }
    // The second page starts with its header at 10 mm and its first line 5 mm lower.
    const TRecordedOp* firstOnTwo = nullptr;
    for (const auto* t : texts) {
        if (t->page == 2 && t->text == fmt::format("  {}", perFirst + 1)) {
            firstOnTwo = t;
        }
    }
    ASSERT_NE(firstOnTwo, nullptr);
    EXPECT_EQ(firstOnTwo->y1, Dots(10 + h + 5));
}

TEST(FixedSignsPrint, FailureAndEmptyRange) {
    TRecordingCanvas canvas(2480, 3508, kDpi);
    canvas.FailBeginFrom(1);
    const auto voci = GeneraFisse(1);
    try {
        StampaFisse(canvas, voci, 0, 1, 5);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Stampare Le Tabelle");
    }
    // A range past the list prints the header only.
    TRecordingCanvas other(2480, 3508, kDpi);
    EXPECT_EQ(StampaFisse(other, voci, 0, 97, 120), 1);
}

} // namespace
} // namespace tessaline
