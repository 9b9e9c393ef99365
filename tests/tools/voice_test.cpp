#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_home.h"
#include "tools/voice.h"

namespace tessaline {
namespace {

TEST(Voice, WordsOfEverySignByte) {
    const char* expected[16] = {"",         "zero",          "uno",          "zero uno",
                                "due",      "zero due",      "uno due",      "zero uno due",
                                "emme",     "zero emme",     "uno emme",     "zero uno emme",
                                "due emme", "zero due emme", "uno due emme", "zero uno due emme"};
    for (int a = 0; a < 16; ++a) {
        EXPECT_EQ(ParoleSegno(static_cast<std::uint8_t>(a)), expected[a]) << a;
    }
    EXPECT_EQ(ParoleSegno(16), "");
    EXPECT_EQ(ParoleSegno(0x81), "");
}

void Put16(std::string& b, unsigned v) {
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}
void Tag(std::string& b, const char* t) {
    b.append(t, 4);
}

// A mono 16-bit file at 1000 Hz holding `frames` samples, with an extra chunk before the data.
std::vector<unsigned char> Wave(std::uint32_t frames, std::uint32_t declaredData) {
    std::string b;
    Tag(b, "RIFF");
    Put32(b, 0); // the RIFF size is not relied upon
    Tag(b, "WAVE");
    Tag(b, "fmt ");
    Put32(b, 16);
    Put16(b, 1);    // PCM
    Put16(b, 1);    // mono
    Put32(b, 1000); // rate
    Put32(b, 2000); // bytes per second
    Put16(b, 2);    // block
    Put16(b, 16);   // bits
    Tag(b, "LIST");
    Put32(b, 3);
    b.append("abc", 3);
    b += '\0'; // odd size, padded
    Tag(b, "data");
    Put32(b, declaredData);
    for (std::uint32_t i = 0; i < frames; ++i) {
        Put16(b, i);
    }
    return std::vector<unsigned char>(b.begin(), b.end());
}

TEST(Voice, ReadsPcmWaveAndCutsStretches) {
    test::TTestHome home;
    const auto path = home.Path() / "v.wav";
    test::WriteBytes(path, Wave(3100, 6200));
    const auto s = CaricaWave(path);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->canali, 1);
    EXPECT_EQ(s->frequenza, 1000);
    EXPECT_EQ(s->bitPerCampione, 16);
    ASSERT_EQ(s->dati.size(), 6200u);
    const struct {
        std::int64_t from, to;
        std::size_t b0, b1;
    } cases[] = {{0, 1000, 0, 2000},
                 {1000, 2000, 2000, 4000},
                 {2000, 3100, 4000, 6200},
                 {2000, 5000, 4000, 6200},
                 {-5, 0, 0, 0}};
    for (const auto& c : cases) {
        const auto [b0, b1] = s->Byte(c.from, c.to);
        EXPECT_EQ(b0, c.b0) << c.from;
        EXPECT_EQ(b1, c.b1) << c.to;
    }
}

TEST(Voice, RefusesBrokenFiles) {
    test::TTestHome home;
    const auto path = home.Path() / "v.wav";
    EXPECT_FALSE(CaricaWave(home.Path() / "missing.wav").has_value());
    std::vector<unsigned char> good = Wave(10, 20);
    const struct {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"data past the end", Wave(10, 4000)},
        {"truncated header", std::vector<unsigned char>(good.begin(), good.begin() + 20)},
        {"not RIFF",
         [&] {
             auto b = good;
             b[0] = 'X';
             return b;
         }()},
        {"not PCM",
         [&] {
             auto b = good;
             b[20] = 3; // format tag
             return b;
         }()},
        {"empty", {}},
    };
    for (const auto& c : cases) {
        test::WriteBytes(path, c.bytes);
        EXPECT_FALSE(CaricaWave(path).has_value()) << c.what;
    }
}

} // namespace
} // namespace tessaline
