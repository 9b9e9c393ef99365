// "print coupons" into a PDF, rendered with poppler and measured: every mark where the calibration
// puts it, nothing else in the marking area, and the listing naming every coupon.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "conditions/condition_set.h"
#include "conditions/frame.h"
#include "core/column.h"
#include "support/test_home.h"
#include "system/summary_print.h"
#include "system/system_file.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Quote(const fs::path& p) {
    return "'" + p.string() + "'";
}

Colonna Col(const char* groups) {
    // Twelve groups separated by blanks ("-" for an empty set).
    Colonna c;
    int team = 0;
    std::string g;
    for (const char* p = groups;; ++p) {
        if (*p == ' ' || *p == '\0') {
            c[team++] = g == "-" ? 0 : ParseSigns(g);
            g.clear();
            if (*p == '\0') {
                break;
            }
        } else {
            g.push_back(*p);
        }
    }
    return c;
}

void WriteColumns(const fs::path& file, const std::vector<Colonna>& cols) {
    std::vector<unsigned char> bytes;
    for (const Colonna& c : cols) {
        bytes.insert(bytes.end(), c.s.begin(), c.s.end());
    }
    test::WriteBytes(file, bytes);
}

#ifdef TESSALINE_CLI_PRINT

constexpr int kDpi = 300;
constexpr double kMmPerPx = 25.4 / kDpi;
constexpr double kTolerance = 0.25;

struct TBox {
    double x1, y1, x2, y2; // mm
};

// The marks of a coupon as the calibration defaults place them: slot origin, then team and sign steps.
std::vector<TBox> Expected(bool vertical, const std::vector<Colonna>& slots) {
    std::vector<TBox> out;
    for (std::size_t j = 0; j < slots.size(); ++j) {
        for (int t = 0; t < kTeams; ++t) {
            for (int k = 0; k < 4; ++k) {
                if (((slots[j][t] >> k) & 1) == 0) {
                    continue;
                }
                if (!vertical) { // 40.1, 32.9; signs every 2.0 + 2.6, teams every 1.8 + 2.6, columns 18.6
                    const double x = 40.1 + j * 18.6 + k * 4.6;
                    const double y = 32.9 + t * 4.4;
                    out.push_back({x, y, x + 2.6, y + 2.6});
                } else { // 39.7, 34.7; signs every 2.1 + 2.6; the coupon turned: 102 - 34.7 across
                    const double x = 102 - 34.7 - t * 4.4;
                    const double y = 39.7 + j * 18.6 + k * 4.7;
                    out.push_back({x, y, x + 2.6, y + 2.6});
                }
            }
        }
    }
    return out;
}

// The area every possible box of the coupon covers, 1 mm wider each way.
TBox MarkingArea(bool vertical) {
    return vertical
               ? TBox{102 - 34.7 - 11 * 4.4 - 1, 39.7 - 1, 102 - 34.7 + 2.6 + 1,
                      39.7 + 2 * 18.6 + 3 * 4.7 + 2.6 + 1}
               : TBox{40.1 - 1, 32.9 - 1, 40.1 + 2 * 18.6 + 3 * 4.6 + 2.6 + 1, 32.9 + 11 * 4.4 + 2.6 + 1};
}

struct TImage {
    int w = 0, h = 0;
    std::vector<unsigned char> px;
};

// Renders one page (the top 130 x 130 mm) in grey and reads the PGM.
TImage Render(const fs::path& pdf, int page, const fs::path& dir) {
    const fs::path prefix = dir / ("page" + std::to_string(page));
    const int side = static_cast<int>(130 / kMmPerPx);
    const std::string cmd = "pdftoppm -gray -r " + std::to_string(kDpi) + " -f " + std::to_string(page) +
                            " -l " + std::to_string(page) + " -x 0 -y 0 -W " + std::to_string(side) + " -H " +
                            std::to_string(side) + " -singlefile " + Quote(pdf) + " " + Quote(prefix);
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    std::ifstream in(prefix.string() + ".pgm", std::ios::binary);
    std::string magic;
    TImage img;
    int maxval = 0;
    in >> magic >> img.w >> img.h >> maxval;
    in.get();
    EXPECT_EQ(magic, "P5");
    img.px.resize(static_cast<std::size_t>(img.w) * static_cast<std::size_t>(img.h));
    in.read(reinterpret_cast<char*>(img.px.data()), static_cast<std::streamsize>(img.px.size()));
    return img;
}

// Bounding boxes (mm) of the dark connected areas of the image.
std::vector<TBox> DarkAreas(const TImage& img) {
    std::vector<TBox> out;
    std::vector<char> seen(img.px.size(), 0);
    std::vector<std::size_t> stack;
    for (int y0 = 0; y0 < img.h; ++y0) {
        for (int x0 = 0; x0 < img.w; ++x0) {
            const std::size_t i0 = static_cast<std::size_t>(y0) * img.w + x0;
            if (seen[i0] || img.px[i0] >= 128) {
                continue;
            }
            int minx = x0, maxx = x0, miny = y0, maxy = y0;
            stack.push_back(i0);
            seen[i0] = 1;
            while (!stack.empty()) {
                const std::size_t i = stack.back();
                stack.pop_back();
                const int x = static_cast<int>(i % img.w);
                const int y = static_cast<int>(i / img.w);
                minx = std::min(minx, x), maxx = std::max(maxx, x), miny = std::min(miny, y),
                maxy = std::max(maxy, y);
                const int nb[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
                for (const auto& n : nb) {
                    if (n[0] < 0 || n[1] < 0 || n[0] >= img.w || n[1] >= img.h) {
                        continue;
                    }
                    const std::size_t j = static_cast<std::size_t>(n[1]) * img.w + n[0];
                    if (!seen[j] && img.px[j] < 128) {
                        seen[j] = 1;
                        stack.push_back(j);
                    }
                }
            }
            out.push_back({minx * kMmPerPx, miny * kMmPerPx, (maxx + 1) * kMmPerPx, (maxy + 1) * kMmPerPx});
        }
    }
    return out;
}

bool Overlaps(const TBox& a, const TBox& b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

bool Near(const TBox& a, const TBox& b) {
    return std::abs(a.x1 - b.x1) <= kTolerance && std::abs(a.y1 - b.y1) <= kTolerance &&
           std::abs(a.x2 - b.x2) <= kTolerance && std::abs(a.y2 - b.y2) <= kTolerance;
}

std::string PdfText(const fs::path& pdf) {
    const fs::path txt = pdf.string() + ".txt";
    const std::string cmd = "pdftotext -layout " + Quote(pdf) + " " + Quote(txt);
    EXPECT_EQ(std::system(cmd.c_str()), 0);
    // Blanks collapsed: the layout spreads words to their places on the page.
    std::string out;
    for (const char ch : test::ReadText(txt)) {
        if (ch == ' ' && !out.empty() && out.back() == ' ') {
            continue;
        }
        out.push_back(ch);
    }
    return out;
}

TEST(CliPrint, EveryMarkWhereTheCalibrationPutsIt) {
    test::TTestHome home;
    const std::vector<Colonna> cols = {Col("1 1 1 1 1 1 1 1 1 1 1 1"), Col("0M 1 2 M 01 2M 012M 0 1 2 M 0"),
                                       Col("- - - - - - - - - - - -"), Col("2 0 M 1 2 0 M 1 2 0 M 1"),
                                       Col("0 0 0 0 0 0 0 0 0 0 0 M")};
    const fs::path in = home.Path() / "prova.Col";
    WriteColumns(in, cols);
    struct Case {
        const char* args;
        bool vertical;
        std::vector<std::vector<int>> coupons; // column positions slot by slot
        std::vector<int> numbers;
    } cases[] = {
        // The first coupon holds the empty column in its last slot; the second the last two.
        {"--orientation horizontal --per-coupon 3", false, {{0, 1, 2}, {3, 4}}, {1, 2}},
        // The second coupon closes early (the last column is simple): the empty column alone.
        {"--orientation vertical --per-coupon 2", true, {{0, 1}, {2}, {3, 4}}, {1, 2, 3}},
        {"--orientation horizontal --per-coupon 2 --from 2 --to 3", false, {{2}, {3, 4}}, {2, 3}},
        {"--orientation vertical --per-coupon 3 --from 2 --to 2", true, {{3, 4}}, {2}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const fs::path pdf = home.Path() / ("out" + std::to_string(++n) + ".pdf");
        const auto r =
            test::RunCli("print coupons " + Quote(in) + " --pdf " + Quote(pdf) + " " + c.args + " --json");
        ASSERT_EQ(r.status, 0) << c.args;
        EXPECT_EQ(r.out, "{\"coupons\": " + std::to_string(c.coupons.size()) +
                             ", \"pages\": " + std::to_string(c.coupons.size()) + "}\n")
            << c.args;
        const std::string text = PdfText(pdf);
        for (std::size_t p = 0; p < c.coupons.size(); ++p) {
            std::vector<Colonna> slots;
            for (int i : c.coupons[p]) {
                slots.push_back(cols[static_cast<std::size_t>(i)]);
            }
            const std::vector<TBox> expected = Expected(c.vertical, slots);
            const TBox area = MarkingArea(c.vertical);
            std::vector<TBox> found;
            for (const TBox& b : DarkAreas(Render(pdf, static_cast<int>(p) + 1, home.Path()))) {
                if (Overlaps(b, area)) {
                    found.push_back(b);
                }
            }
            EXPECT_EQ(found.size(), expected.size()) << c.args << " coupon " << p + 1;
            for (const TBox& e : expected) {
                const bool hit =
                    std::any_of(found.begin(), found.end(), [&](const TBox& f) { return Near(f, e); });
                EXPECT_TRUE(hit) << c.args << " coupon " << p + 1 << ": no mark at " << e.x1 << ", " << e.y1;
            }
            // The coupon text names the file and the coupon; the cost counts every covered column.
            EXPECT_NE(text.find("prova Schedina Nº " + std::to_string(c.numbers[p])), std::string::npos)
                << c.args;
        }
    }
    // The second column covers 2 * 2 * 2 * 4 = 32 columns: with the first and the empty one the first
    // coupon of three costs 33 * 800 lire.
    EXPECT_NE(PdfText(home.Path() / "out1.pdf").find("Schedina Nº 1 £ 26.400"), std::string::npos);
}

TEST(CliPrint, ListingNamesEveryCoupon) {
    test::TTestHome home;
    const fs::path in = fs::path(TESSALINE_SOURCE_DIR) / "data" / "Sistemi" / "esempio1.svs";
    const fs::path cols = home.Path() / "esempio1.Col";
    ASSERT_EQ(test::RunCli("develop " + Quote(in) + " -o " + Quote(cols)).status, 0);
    const std::size_t count = fs::file_size(cols) / 12;
    ASSERT_GT(count, 3u);
    struct Case {
        const char* per;
        const char* head;
        std::size_t perCoupon;
    } cases[] = {{"3", "Schedina Nº ", 3}, {"2", "Sched. Nº ", 2}, {"1", "Sched. Nº ", 1}};
    for (const Case& c : cases) {
        const fs::path pdf = home.Path() / (std::string("tab") + c.per + ".pdf");
        const auto r = test::RunCli("print coupons " + Quote(cols) + " --pdf " + Quote(pdf) +
                                    " --listing --per-coupon " + c.per + " --json");
        ASSERT_EQ(r.status, 0);
        const std::size_t coupons = (count + c.perCoupon - 1) / c.perCoupon;
        EXPECT_EQ(r.out, "{\"coupons\": " + std::to_string(coupons) + ", \"pages\": 1}\n");
        const std::string text = PdfText(pdf);
        EXPECT_NE(text.find("Stampa delle Colonne del Sistema esempio1"), std::string::npos);
        EXPECT_NE(text.find("Pagina Nº 1"), std::string::npos);
        std::size_t at = 0;
        for (std::size_t i = 1; i <= coupons; ++i) {
            const std::size_t next = text.find(c.head + std::to_string(i) + " ", at);
            const std::size_t nextEnd = text.find(c.head + std::to_string(i) + "\n", at);
            EXPECT_TRUE(next != std::string::npos || nextEnd != std::string::npos) << c.head << i << "\n"
                                                                                   << text;
        }
        EXPECT_EQ(text.find(c.head + std::to_string(coupons + 1)), std::string::npos);
    }
}

// Every condition in force as its block heads it: list items, frame items by number and name.
void Intestazioni(const TCondizione& c, std::vector<std::string>& out) {
    if (const auto* l = dynamic_cast<const TListaCondizioni*>(&c)) {
        for (std::size_t i = 0; i < l->Count(); ++i) {
            if (l->Item(i).Abilitata && l->Item(i).Attivato) {
                Intestazioni(l->Item(i), out);
            }
        }
        return;
    }
    out.push_back(c.Titolo);
    if (const auto* q = dynamic_cast<const TCondQuadro*>(&c)) {
        for (std::size_t i = 0; i < q->Count(); ++i) {
            if (q->Item(i).Abilitata) {
                out.push_back(fmt::format("{:02} {}", i + 1, q->Item(i).Nome));
            }
        }
    }
}

TEST(CliPrint, SummaryListsEveryConditionInForce) {
    test::TTestHome home;
    const fs::path in = fs::path(TESSALINE_SOURCE_DIR) / "data" / "Sistemi" / "esempio1.svs";
    T_Sistema sys;
    CaricaSistema(sys, in);
    ASSERT_TRUE(SistemaCondizionato(sys));
    std::vector<std::string> heads;
    for (const TCondizione* c : sys.Insieme().Attive()) {
        Intestazioni(*c, heads);
    }
    ASSERT_GE(heads.size(), 4u);
    const fs::path pdf = home.Path() / "prospetto.pdf";
    const auto r = test::RunCli("print summary " + Quote(in) + " --pdf " + Quote(pdf) + " --copies 2 --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"pages\": 4}\n");
    const std::string text = PdfText(pdf);
    std::size_t at = 0;
    for (int copy = 1; copy <= 2; ++copy) {
        for (const std::string& w :
             {std::string("Prospetto del Sistema Copia Nº ") + std::to_string(copy),
              std::string("Nome del Sistema : esempio1"), std::string("Concorso Nº 27"),
              std::string("Elenco delle condizioni del sistema")}) {
            at = text.find(w, at);
            ASSERT_NE(at, std::string::npos) << w << "\n" << text;
        }
        for (const std::string& h : heads) {
            at = text.find(h, at);
            ASSERT_NE(at, std::string::npos) << h << "\n" << text;
        }
    }
    // A bad count is refused before anything is written.
    const fs::path bad = home.Path() / "bad.pdf";
    EXPECT_NE(test::RunCli("print summary " + Quote(in) + " --pdf " + Quote(bad) + " --copies 0").status, 0);
    EXPECT_FALSE(fs::exists(bad));
}

TEST(CliPrint, BadInputLeavesNoPdf) {
    test::TTestHome home;
    const fs::path in = home.Path() / "uno.Col";
    WriteColumns(in, std::vector<Colonna>(4, Col("1 1 1 1 1 1 1 1 1 1 1 1")));
    const fs::path empty = home.Path() / "vuoto.Col";
    WriteColumns(empty, {});
    const fs::path pdf = home.Path() / "x.pdf";
    auto r = test::RunCli("print coupons " + Quote(in) + " --pdf " + Quote(pdf) + " --from 3 --to 2 --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"Il Numero della schedina iniziale o finale è errato.\"}\n");
    r = test::RunCli("print coupons " + Quote(empty) + " --pdf " + Quote(pdf) + " --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"coupons\": 0, \"pages\": 0}\n");
    r = test::RunCli("print coupons " + Quote(home.Path() / "manca.Col") + " --pdf " + Quote(pdf));
    EXPECT_EQ(r.status, 1);
    r = test::RunCli("print coupons " + Quote(in) + " --pdf " + Quote(home.Path() / "no" / "x.pdf"));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(pdf));
    for (const char* bad : {"--per-coupon 4", "--orientation obliqua", "--from 1", ""}) {
        EXPECT_EQ(test::RunCli("print coupons " + Quote(in) + " " + bad).status, 2) << bad;
    }
    // A column file is no system: the summary fails to load it and writes nothing.
    EXPECT_EQ(test::RunCli("print summary " + Quote(in) + " --pdf " + Quote(pdf)).status, 1);
    EXPECT_EQ(test::RunCli("print summary " + Quote(in) + " --pdf " + Quote(pdf) + " --per-coupon 2").status,
              2);
    // Ranges past the last coupon stay within the coupons there are (as the window's spin edits).
    r = test::RunCli("print coupons " + Quote(in) + " --pdf " + Quote(pdf) +
                     " --per-coupon 2 --from 2 --to 9 --json");
    EXPECT_EQ(r.out, "{\"coupons\": 1, \"pages\": 1}\n");
    // Nothing but the PDF is left in the folder.
    int files = 0;
    for (const auto& e : fs::directory_iterator(home.Path())) {
        files += e.path().extension() == ".pdf" ? 1 : 0;
    }
    EXPECT_EQ(files, 1);
}

#else

TEST(CliPrint, NeedsTheFullBuild) {
    test::TTestHome home;
    const fs::path in = home.Path() / "uno.Col";
    WriteColumns(in, {Col("1 1 1 1 1 1 1 1 1 1 1 1")});
    const fs::path pdf = home.Path() / "x.pdf";
    const auto r = test::RunCli("print coupons " + Quote(in) + " --pdf " + Quote(pdf));
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists(pdf));
}

#endif

} // namespace
} // namespace tessaline
