// The demo archive installed with the program (data/ARCHIVI/archivio.tts) is made here, through the
// archive's own writer, from a fixed pseudo-random sequence of plausible results: no real contest.
// Run with TESSALINE_WRITE_DEMO_ARCHIVE=1 to rewrite the file after changing the generator.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "archive/contest_archive.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

T_Archivio DemoArchive() {
    T_Archivio a;
    std::uint32_t state = 20240825u;
    auto next = [&] {
        state = state * 1664525u + 1013904223u; // the classic 32-bit LCG: same numbers everywhere
        return state >> 8;
    };
    // Goals of one team: 0 about a quarter of the time, 1 a third, 2 a quarter, M the rest.
    auto sign = [&] {
        const std::uint32_t r = next() % 100;
        return r < 26 ? kSign0 : r < 61 ? kSign1 : r < 85 ? kSign2 : kSignM;
    };
    const struct {
        std::int32_t anno;
        int contests;
    } seasons[] = {{2024, 34}, {2025, 10}};
    for (const auto& s : seasons) {
        for (int n = 1; n <= s.contests; ++n) {
            T_Concorso c;
            c.Tipo = 1;
            c.Anno = s.anno;
            c.Numero = static_cast<std::uint8_t>(n);
            for (SignSet& t : c.ColonnaVincente.s) {
                t = sign();
            }
            c.AggiornaCompleto();
            a.Concorsi().push_back(c);
        }
    }
    return a;
}

TEST(DemoArchive, InstalledFileComesFromTheGenerator) {
    const std::filesystem::path file =
        std::filesystem::path(TESSALINE_SOURCE_DIR) / "data" / "ARCHIVI" / "archivio.tts";
    const T_Archivio demo = DemoArchive();
    if (std::getenv("TESSALINE_WRITE_DEMO_ARCHIVE") != nullptr) {
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(demo.Salva(file));
    }
    const auto bytes = demo.Codifica();
    EXPECT_EQ(test::ReadBytes(file), std::vector<unsigned char>(bytes.begin(), bytes.end()));

    T_Archivio loaded;
    T_IntervalloConcorsi range;
    ASSERT_TRUE(loaded.Carica(range, file));
    ASSERT_EQ(loaded.Count(), 44u);
    for (const T_Concorso& c : loaded.Concorsi()) {
        EXPECT_EQ(c.Completo, 1);
    }
    EXPECT_EQ(range.AnnoDa, 2024);
    EXPECT_EQ(range.NumeroDa, 1);
    EXPECT_EQ(range.AnnoA, 2025);
    EXPECT_EQ(range.NumeroA, 10);
}

} // namespace
} // namespace tessaline
