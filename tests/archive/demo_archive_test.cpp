// The demo archive installed with the program (data/ARCHIVI/archivio.tts) comes from the generator
// in archive/demo_archive.cpp. Run with TESSALINE_WRITE_DEMO_ARCHIVE=1 to rewrite the file after
// changing the generator.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "archive/demo_archive.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

TEST(DemoArchive, InstalledFileComesFromTheGenerator) {
    const std::filesystem::path file =
        std::filesystem::path(TESSALINE_SOURCE_DIR) / "data" / "ARCHIVI" / "archivio.tts";
    const T_Archivio demo = ArchivioDimostrativo();
    if (std::getenv("TESSALINE_WRITE_DEMO_ARCHIVE") != nullptr) {
        std::filesystem::create_directories(file.parent_path());
        ASSERT_TRUE(demo.Salva(file));
    }
    const auto bytes = demo.Codifica();
    EXPECT_EQ(test::ReadBytes(file), std::vector<unsigned char>(bytes.begin(), bytes.end()));
    EXPECT_EQ(ArchivioDimostrativo().Codifica(), bytes); // no hidden state between calls

    T_Archivio loaded;
    T_IntervalloConcorsi range;
    ASSERT_TRUE(loaded.Carica(range, file));
    ASSERT_EQ(loaded.Count(), 10u * 38u + 16u);
    EXPECT_EQ(range.AnnoDa, 2014);
    EXPECT_EQ(range.NumeroDa, 1);
    EXPECT_EQ(range.AnnoA, 2024);
    EXPECT_EQ(range.NumeroA, 16);

    // Sorted without duplicates, a few basketball and a few incomplete contests, and every sign
    // frequent enough to look like football results.
    std::map<int, int> basket;
    int incomplete = 0;
    std::array<int, 4> signs{};
    for (std::size_t i = 0; i < loaded.Count(); ++i) {
        const T_Concorso& c = loaded.Concorsi()[i];
        if (i > 0) {
            EXPECT_TRUE(loaded.Concorsi()[i - 1].Precede(c)) << i;
        }
        basket[c.Tipo] += 1;
        incomplete += c.Completo == 0 ? 1 : 0;
        for (const SignSet s : c.ColonnaVincente.s) {
            for (std::size_t k = 0; k < 4; ++k) {
                signs[k] += s == (1 << k) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(basket[2], 3);
    EXPECT_EQ(incomplete, 4);
    EXPECT_FALSE(loaded.Concorsi().back().Completo);
    const int total = signs[0] + signs[1] + signs[2] + signs[3];
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_GT(signs[k] * 100, total * 10) << k; // each sign above 10 %
        EXPECT_LT(signs[k] * 100, total * 45) << k; // and below 45 %
    }
}

} // namespace
} // namespace tessaline
