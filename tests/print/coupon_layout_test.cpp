#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "core/errors.h"
#include "core/interfaces.h"
#include "print/coupon_print.h"
#include "print/recording_canvas.h"
#include "support/columns.h"

namespace tessaline {
namespace {

// A4 at 600 dots per inch.
TRecordingCanvas A4(double dpi = 600) {
    return TRecordingCanvas(static_cast<int>(210 / 25.4 * dpi), static_cast<int>(297 / 25.4 * dpi), dpi);
}

using test::Col;

std::vector<TRecordedOp> Of(const TRecordingCanvas& c, TRecordedOp::Kind kind) {
    std::vector<TRecordedOp> out;
    std::copy_if(c.ops.begin(), c.ops.end(), std::back_inserter(out),
                 [kind](const TRecordedOp& op) { return op.kind == kind; });
    return out;
}

TEST(MmPrinter, ConversionsTruncateWithTheFixedFactor) {
    struct Case {
        double dpi, mm;
        int dots;
    } cases[] = {{600, 10, 236}, {600, -10, -236}, {600, 0.04, 0}, {300, 10, 118}, {1200, 40.1, 1894}};
    for (const Case& c : cases) {
        TRecordingCanvas canvas(1000, 1000, c.dpi);
        TmmPrinter p(canvas);
        EXPECT_EQ(p.MmInX(c.mm), c.dots) << c.dpi << " " << c.mm;
        EXPECT_EQ(p.MmInY(c.mm), c.dots) << c.dpi << " " << c.mm;
    }
    TRecordingCanvas canvas(4961, 7016, 600);
    TmmPrinter p(canvas);
    EXPECT_NEAR(p.XInMm(1), 0.0423, 0.0001);
    EXPECT_NEAR(p.LarghezzaPagina(), 4961 / 600.0 / 0.03937, 1e-9);
}

TEST(MmPrinter, PageFooterAndTurnedTextSize) {
    TRecordingCanvas canvas = A4();
    TmmPrinter p(canvas);
    p.InizioStampa();
    canvas.SetFont({"Courier New", 12, 0});
    p.NuovaPagina();
    p.ScriviRuotato("abc", 36, 10, 20, true);
    p.ScriviRuotato("abc", 60, 10, 20, false);
    canvas.SetFont({"Arial", 7, kFontBold});
    p.FineStampa();
    const auto texts = Of(canvas, TRecordedOp::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Pagina Nº 1");
    EXPECT_EQ(texts[0].page, 1);
    EXPECT_EQ(texts[0].font.size, 12);
    EXPECT_EQ(texts[1].text, "Pagina Nº 2");
    EXPECT_EQ(texts[1].font, FontTabulato10()); // the listing font for the last footer
    EXPECT_EQ(canvas.Font(), (TFontDesc{"Arial", 7, kFontBold}));
    EXPECT_EQ(p.Pagina, 3);
    // Centred, 1 mm above the foot: width of 11 characters at 12 pt, height 1.15 em.
    const int w = static_cast<int>(std::lround(11 * 0.6 * 12 * 600 / 72.0));
    EXPECT_EQ(texts[0].x1, p.MmInX((p.LarghezzaPagina() - p.XInMm(w)) / 2));
    const auto turned = Of(canvas, TRecordedOp::Turned);
    ASSERT_EQ(turned.size(), 2u);
    // size 36 at 600 dpi: 60 screen points, 80 screen pixels copied dot for dot.
    EXPECT_EQ(turned[0].font.size, 80);
    EXPECT_EQ(turned[1].font.size, 133);
    EXPECT_TRUE(turned[0].upward);
    EXPECT_EQ(std::tie(turned[0].x1, turned[0].y1), std::make_tuple(236 + 1, 472 - 1));
    EXPECT_EQ(std::tie(turned[1].x1, turned[1].y1), std::make_tuple(236 - 1, 472 + 1));
}

TEST(CouponPlan, EarlyCloseRangesAndOneColumnPerCoupon) {
    const Colonna simple = Col("000000000000");
    const Colonna twice = Col("100000000000");
    Colonna dbl = simple;
    dbl[0] = kSign0 | kSign1;
    struct Case {
        const char* name;
        std::vector<Colonna> cols;
        int per, prima, ultima;
        std::vector<std::size_t> sizes;
        std::size_t firstColumn;
    } cases[] = {
        {"7 simple, 3 per coupon", std::vector<Colonna>(7, simple), 3, 1, 3, {3, 2, 2}, 0},
        {"last column covers two",
         {simple, simple, simple, simple, simple, simple, dbl},
         3,
         1,
         3,
         {3, 3, 1},
         0},
        {"one column", {simple}, 3, 1, 1, {1}, 0},
        {"one per coupon never stalls", std::vector<Colonna>(3, simple), 1, 1, 3, {1, 1, 1}, 0},
        {"two per coupon", std::vector<Colonna>(3, twice), 2, 1, 2, {1, 2}, 0},
        {"range 2 to 3 skips a coupon", std::vector<Colonna>(9, dbl), 3, 2, 3, {3, 3}, 3},
        {"range stops at the last", std::vector<Colonna>(9, dbl), 3, 1, 1, {3}, 0},
    };
    for (const Case& c : cases) {
        const auto plan = PianoSchedine(c.cols, c.per, c.prima, c.ultima);
        std::vector<std::size_t> sizes;
        for (const auto& coupon : plan) {
            sizes.push_back(coupon.colonne.size());
        }
        EXPECT_EQ(sizes, c.sizes) << c.name;
        ASSERT_FALSE(plan.empty()) << c.name;
        EXPECT_EQ(plan[0].numero, c.prima) << c.name;
        EXPECT_EQ(plan[0].colonne[0], c.firstColumn) << c.name;
        EXPECT_EQ(NumeroSchedine(c.cols.size(), c.per),
                  static_cast<std::int32_t>((c.cols.size() + c.per - 1) / c.per));
    }
}

TEST(CouponPrint, BoxesOfBothOrientationsAt600Dpi) {
    // Dots from the calibration defaults: mm * 0.03937 * 600, truncated, corners converted.
    struct Case {
        int orientation, slot, team, sign;
        int x1, y1, x2, y2;
    } cases[] = {
        {kOrizzontale, 0, 0, 0, 947, 777, 1008, 838},    {kOrizzontale, 2, 11, 3, 2151, 1920, 2213, 1981},
        {kOrizzontale, 1, 5, 2, 1603, 1296, 1665, 1358}, {kVerticale, 0, 0, 0, 1589, 937, 1651, 999},
        {kVerticale, 2, 11, 3, 446, 2149, 507, 2211},    {kVerticale, 1, 5, 2, 1070, 1599, 1131, 1660},
    };
    const std::vector<Colonna> all(3, Col("000000000000"));
    std::vector<Colonna> full(3);
    for (Colonna& c : full) {
        c.s.fill(kAllSigns);
    }
    for (const int orientation : {kOrizzontale, kVerticale}) {
        TRecordingCanvas canvas = A4();
        TLavoroStampa job;
        job.Orientamento = orientation;
        job.Ultima = 1;
        job.ModoTest = true;
        TContestoStampa ctx;
        const TEsitoStampa esito = StampaSuSchedine(canvas, full, job, ctx);
        EXPECT_EQ(esito.schedine, 1);
        const auto fills = Of(canvas, TRecordedOp::Fill);
        ASSERT_EQ(fills.size(), 3u * 12 * 4);
        for (const Case& c : cases) {
            if (c.orientation != orientation) {
                continue;
            }
            const TRecordedOp& op = fills[static_cast<std::size_t>((c.slot * 12 + c.team) * 4 + c.sign)];
            EXPECT_EQ(std::tie(op.x1, op.y1, op.x2, op.y2), std::tie(c.x1, c.y1, c.x2, c.y2))
                << orientation << " " << c.slot << " " << c.team << " " << c.sign;
            EXPECT_EQ(op.colour, kBlack);
        }
        const auto texts =
            orientation == kOrizzontale ? Of(canvas, TRecordedOp::Turned) : Of(canvas, TRecordedOp::Text);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "Nome Schedina Nº 1 L. 2.400");
        if (orientation == kOrizzontale) {
            EXPECT_EQ(std::tie(texts[0].x1, texts[0].y1), std::make_tuple(2244 + 1, 1948 - 1)); // (95, 82.5)
            EXPECT_TRUE(texts[0].upward);
        } else {
            EXPECT_EQ(std::tie(texts[0].x1, texts[0].y1), std::make_tuple(474, 2251)); // (102 - 81.9, 95.3)
            EXPECT_EQ(texts[0].font, (TFontDesc{"Courier New", 10, kFontBold}));
        }
    }
}

TEST(CouponPrint, EmptyAndMultiSignColumnsTextsAndPages) {
    TRecordingCanvas canvas = A4();
    Colonna dbl = Col("000000000000");
    dbl[3] = kSign1 | kSignM;
    const std::vector<Colonna> cols = {Col("************"), dbl, Col("12M012M012M0"), Col("111111111111")};
    TLavoroStampa job;
    job.Ultima = NumeroSchedine(cols.size(), 3);
    job.NomeSistema = "prova";
    TContestoStampa ctx;
    const TEsitoStampa esito = StampaSuSchedine(canvas, cols, job, ctx);
    // The last column is simple: the first coupon closes after two slots.
    EXPECT_EQ(esito.schedine, 2);
    EXPECT_EQ(esito.pagine, 2);
    EXPECT_TRUE(esito.tutteStampate);
    const auto fills = Of(canvas, TRecordedOp::Fill);
    ASSERT_EQ(fills.size(), 13u + 12 + 12);
    // The empty column's slot 0 stays blank: the first box is the double's in slot 1.
    EXPECT_EQ(fills[0].x1, 1386); // 40.1 + 18.6 mm
    // Team 4 of the double: two boxes on one row (signs 1 and M).
    EXPECT_EQ(fills[3].y1, fills[4].y1);
    EXPECT_EQ(fills[4].x1 - fills[3].x1, 217); // two sign steps of 4.6 mm (truncated corners)
    const auto texts = Of(canvas, TRecordedOp::Turned);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "prova Schedina Nº 1  £ 1.600");
    EXPECT_EQ(texts[0].page, 1);
    EXPECT_EQ(texts[1].text, "prova Schedina Nº 2  £ 1.600");
    EXPECT_EQ(texts[1].page, 2);

    ctx.euro = true;
    ctx.costoColonna = 0.5;
    job.CostoFisso = true;
    EXPECT_EQ(TestoSchedina(job, ctx, 3, 1234.5), "Costo della schedina € 1.234,50");
    job.CostoFisso = false;
    job.ModoCedolina = true;
    EXPECT_EQ(TestoSchedina(job, ctx, 3, 2), "Schedina Nº 3  € 2,00");
}

TEST(CouponPrint, PauseAndPrinterFailures) {
    const std::vector<Colonna> cols(7, Col("000000000000"));
    TLavoroStampa job;
    job.Ultima = 3;
    job.Pausa = true;
    TFixedAnswerPrompt prompt;
    TContestoStampa ctx;
    ctx.prompt = &prompt;
    TRecordingCanvas canvas = A4();
    EXPECT_EQ(StampaSuSchedine(canvas, cols, job, ctx).schedine, 3);
    EXPECT_EQ(canvas.documents, 3);
    EXPECT_EQ(prompt.Count(), 2);
    EXPECT_EQ(prompt.LastText(), "Stampa Schedine In Pausa ( Ok per Continuare )");

    for (int failing : {1, 2}) {
        TRecordingCanvas broken = A4();
        broken.FailBeginFrom(failing);
        try {
            StampaSuSchedine(broken, cols, job, ctx);
            ADD_FAILURE() << "no failure reported";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Impossibile Stampare le Schedine");
        }
        TLavoroStampa listing = job;
        try {
            StampaSuTabulato(broken, cols, listing, ctx);
            ADD_FAILURE() << "no failure reported";
        } catch (const EInOutError& e) {
            EXPECT_STREQ(e.what(), "Impossibile Stampare il Tabulato");
        }
    }
}

TEST(CouponPrint, ReceiptMarksAndLines) {
    TRecordingCanvas canvas = A4();
    TLavoroStampa job;
    job.ModoCedolina = true;
    job.StampaCedolina = true;
    job.Ultima = 1;
    job.RigheCedolina[0] = "Tessaline 2.0";
    job.RigheCedolina[1] = "Sistema ridotto";
    job.ColonneCedolina[0] = Col("111111111111");
    job.ColonneCedolina[2] = Col("222222222222");
    TContestoStampa ctx;
    ctx.ricevitoria = {"Bar Sport", "  ", "Roma", "06 123"};
    const std::vector<Colonna> cols = {Col("000000000000")};
    const TEsitoStampa esito = StampaSuSchedine(canvas, cols, job, ctx);
    EXPECT_EQ(esito.pagine, 2);
    const auto fills = Of(canvas, TRecordedOp::Fill);
    // 12 + 12 receipt boxes on page 1, then the coupon's 12.
    ASSERT_EQ(fills.size(), 36u);
    EXPECT_EQ(fills[23].page, 1);
    EXPECT_EQ(fills[24].page, 2);
    EXPECT_EQ(fills[12].x1, 2043); // slot 2, sign 2: 40.1 + 2 * 18.6 + 2 * 4.6 mm
    const auto texts = Of(canvas, TRecordedOp::Text);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "PRO");
    EXPECT_EQ(texts[1].text, "BASE");
    EXPECT_EQ(texts[0].font, (TFontDesc{"Courier New", 16, kFontBold}));
    EXPECT_EQ(texts[0].y1, 429); // 32.9 - 3 * 4.4 - 1.5 mm
    std::vector<std::string> lines;
    std::vector<int> xs;
    for (const auto& op : Of(canvas, TRecordedOp::Turned)) {
        if (op.page == 1) {
            lines.push_back(op.text);
            xs.push_back(op.x1);
        }
    }
    const std::vector<std::string> expected = {"Tessaline 2.0", "Sistema ridotto", "Bar Sport", "Roma",
                                               "06 123"};
    EXPECT_EQ(lines, expected);
    // Lines 0 and 1 one text height apart; the shop's lines half a height and 1 mm higher, then 1 mm
    // less for each further line (h = 1.15 em of 16 pt at 600 dpi = 153 dots).
    TmmPrinter p(canvas);
    const double h = p.YInMm(153);
    const double base = 3 * 18.6 + 40.1 + 6;
    EXPECT_EQ(xs[0], p.MmInX(base) + 1);
    EXPECT_EQ(xs[1], p.MmInX(h + base) + 1);
    EXPECT_EQ(xs[2], p.MmInX(7 * h + base - 0.5 * h - 1) + 1);
    EXPECT_EQ(xs[3], p.MmInX(8 * h + base - 0.5 * h - 2) + 1);
    EXPECT_EQ(xs[4], p.MmInX(9 * h + base - 0.5 * h - 3) + 1);
}

TEST(Listing, TextsInOrderAndPagesByPerCoupon) {
    struct Case {
        int per;
        std::size_t columns;
        const char* head;
    } cases[] = {{3, 7, "Schedina Nº "}, {2, 7, "Sched. Nº "}, {1, 200, "Sched. Nº "}};
    for (const Case& c : cases) {
        std::vector<Colonna> cols(c.columns, Col("012M012M012M"));
        cols[0] = Col("1***********");
        TRecordingCanvas canvas = A4(96);
        TLavoroStampa job;
        job.ColonnePerSchedina = c.per;
        job.Ultima = NumeroSchedine(cols.size(), c.per);
        job.NomeSistema = "esempio1";
        TContestoStampa ctx;
        const TEsitoStampa esito = StampaSuTabulato(canvas, cols, job, ctx, 5);
        ASSERT_EQ(esito.schedine, job.Ultima);
        const auto texts = Of(canvas, TRecordedOp::Text);
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].text, "Stampa delle Colonne del Sistema esempio1");
        EXPECT_EQ(texts[0].y1, 3);
        // Every coupon named in order, each followed by its columns' signs team by team.
        std::vector<std::string> heads;
        std::vector<std::string> footers;
        for (const auto& op : texts) {
            if (op.text.rfind(c.head, 0) == 0) {
                heads.push_back(op.text);
            } else if (op.text.rfind("Pagina Nº ", 0) == 0) {
                footers.push_back(op.text);
            }
        }
        ASSERT_EQ(heads.size(), static_cast<std::size_t>(job.Ultima)) << c.per;
        for (std::size_t i = 0; i < heads.size(); ++i) {
            EXPECT_EQ(heads[i], c.head + std::to_string(i + 1));
        }
        EXPECT_EQ(texts[1].text, c.head + std::string("1"));
        EXPECT_EQ(texts[2].text, "1"); // the first column's only sign; empty sets write nothing
        // Then the second column's first team, or with one column per coupon the next coupon.
        EXPECT_EQ(texts[3].text, c.per == 1 ? c.head + std::string("2") : std::string("0"));
        EXPECT_EQ(static_cast<int>(footers.size()), esito.pagine) << c.per;
        EXPECT_EQ(footers.front(), "Pagina Nº 5");
        EXPECT_EQ(canvas.pages, esito.pagine);
        EXPECT_EQ(esito.pagine > 1, c.columns == 200) << c.per;
        for (const auto& op : texts) {
            ASSERT_LT(op.y1 + 15, canvas.PageHeight()) << op.text;
        }
    }
}

} // namespace
} // namespace tessaline
