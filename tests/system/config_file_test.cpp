#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "core/byte_sink.h"
#include "core/errors.h"
#include "core/paths.h"
#include "support/test_home.h"
#include "system/config_file.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

// Expected bytes assembled from the layout table of docs/FORMATS.md, offset by offset.
class TLayout {
public:
    explicit TLayout(std::size_t size) : b_(size, 0) {}
    void F64(std::size_t off, double v) { Le(off, std::bit_cast<std::uint64_t>(v), 8); }
    void I32(std::size_t off, std::int32_t v) { Le(off, static_cast<std::uint32_t>(v), 4); }
    void I16(std::size_t off, std::int16_t v) { Le(off, static_cast<std::uint16_t>(v), 2); }
    void U8(std::size_t off, std::uint8_t v) { b_.at(off) = v; }
    void Str(std::size_t off, const std::string& cp1252) {
        b_.at(off) = static_cast<std::uint8_t>(cp1252.size());
        for (std::size_t i = 0; i < cp1252.size(); ++i) {
            b_.at(off + 1 + i) = static_cast<std::uint8_t>(cp1252[i]);
        }
    }
    const std::vector<unsigned char>& Bytes() const { return b_; }

private:
    void Le(std::size_t off, std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) {
            b_.at(off + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }
    std::vector<unsigned char> b_;
};

TProgramSettings Sample() {
    TProgramSettings s;
    s.costLire = 1000;
    s.costEuro = 0.52;
    s.costsInEuro = true;
    s.backgroundPicture = "/srv/sfondi/marmo.bmp";
    s.automaticMerge = false;
    s.saveColumnsWithSystem = true;
    s.reloadLastCoupon = false;
    s.shopData = {"Bar Sport", "Via Roma 1", "Città", "0123 456"};
    s.taratura.set[0].XPrimaCol = 41.5;
    s.taratura.set[1].AQuadratini = 2.9;
    s.taratura.OrizzontalePredefinito = 0;
    s.taratura.ColonnePerSchedina = 2;
    s.taratura.StampaScritta = 0;
    s.taratura.StampaConcorso = 1;
    s.tabulato = {5, 6, "Liberation Mono", 10, kFontBold | kFontItalic};
    s.ricerca.Intervallo.AnnoDa = 1998;
    s.ricerca.Intervallo.AnnoA = -2;
    s.ricerca.Intervallo.NumeroDa = 7;
    s.ricerca.Intervallo.NumeroA = 35;
    s.ricerca.Intervallo.Tipi = 3;
    s.ricerca.IgnoraColonneFiltro = 0;
    s.ricerca.IgnoraRipetizioni = 1;
    s.ricerca.IgnoraValori = 0; // not stored
    s.ricerca.IgnoraPercentuali = 0;
    s.ricerca.Categoria1 = 0;
    s.ricerca.Categoria12 = 1;
    s.ricerca.Categoria123 = 0;
    s.improvedReduction = true;
    s.improveSeconds = 25;
    return s;
}

// The trailing block as written today: the improved-reduction record.
void Trailer(TLayout& e, bool improved, std::int32_t seconds) {
    for (std::size_t i = 0; i < 4; ++i) {
        e.U8(731 + i, static_cast<std::uint8_t>("RMIG"[i]));
    }
    e.I16(735, 5);
    e.U8(737, improved ? 1 : 0);
    e.I32(738, seconds);
}

std::vector<unsigned char> ExpectedSample() {
    TLayout e(kConfigSize + 11);
    e.F64(0, 1000);
    e.F64(8, 0.52);
    e.U8(16, 1);
    e.Str(17, "/srv/sfondi/marmo.bmp");
    e.U8(273, 0);
    e.U8(274, 1);
    e.U8(275, 0);
    e.Str(276, "Bar Sport");
    e.Str(337, "Via Roma 1");
    e.Str(398, "Citt\xE0");
    e.Str(459, "0123 456");
    const double set1[9] = {41.5, 32.9, 2.0, 1.8, 18.6, 95.0, 82.5, 2.6, 2.6};
    const double set2[9] = {39.7, 34.7, 2.1, 1.8, 18.6, 95.3, 81.9, 2.6, 2.9};
    for (std::size_t i = 0; i < 9; ++i) {
        e.F64(520 + 8 * i, set1[i]);
        e.F64(592 + 8 * i, set2[i]);
    }
    e.U8(664, 0);  // OrizzontalePredefinito
    e.I32(665, 2); // ColonnePerSchedina
    e.U8(669, 0);  // StampaScritta
    e.U8(670, 1);  // StampaConcorso
    e.I32(671, 5);
    e.I32(675, 6);
    e.Str(679, "Liberation Mono");
    e.I32(710, 10);
    e.I32(714, 3);
    e.U8(718, 3);
    e.I16(719, 1998);
    e.I16(721, -2);
    e.U8(723, 7);
    e.U8(724, 35);
    e.U8(725, 0); // IgnoraColonneFiltro
    e.U8(726, 1); // IgnoraRipetizioni
    e.U8(727, 0); // IgnoraPercentuali
    e.U8(728, 0); // Categoria1
    e.U8(729, 1); // Categoria12
    e.U8(730, 0); // Categoria123
    Trailer(e, true, 25);
    return e.Bytes();
}

TEST(ConfigFile, BytesFollowTheFieldTable) {
    const auto bytes = ConfigBytes(Sample());
    ASSERT_EQ(bytes.size(), kConfigSize + 11);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.end()), ExpectedSample());

    // The defaults: 800 lire, 800 / 1936.27 euro, the default calibration and listing font, the
    // search flags 1, 1, 1, 1, 0, 0 and kinds 1.
    test::TTestHome home;
    const auto d = ConfigBytes(DefaultSettings());
    TLayout e(kConfigSize + 11);
    e.F64(0, 800);
    e.F64(8, 800 / 1936.27);
    e.Str(17, (home.Path() / "SFONDI" / "irtex67b.Bmp").string());
    e.U8(273, 1);
    e.U8(274, 1);
    e.U8(275, 1);
    const double set1[9] = {40.1, 32.9, 2.0, 1.8, 18.6, 95.0, 82.5, 2.6, 2.6};
    const double set2[9] = {39.7, 34.7, 2.1, 1.8, 18.6, 95.3, 81.9, 2.6, 2.6};
    for (std::size_t i = 0; i < 9; ++i) {
        e.F64(520 + 8 * i, set1[i]);
        e.F64(592 + 8 * i, set2[i]);
    }
    e.U8(664, 1);
    e.I32(665, 3);
    e.U8(669, 1);
    e.U8(670, 1);
    e.I32(671, 4);
    e.I32(675, 4);
    e.Str(679, "Courier New");
    e.I32(710, 8);
    e.U8(718, 1);
    e.U8(725, 1);
    e.U8(726, 1);
    e.U8(727, 1);
    e.U8(728, 1);
    Trailer(e, false, 10);
    EXPECT_EQ(std::vector<unsigned char>(d.begin(), d.end()), e.Bytes());
}

TEST(ConfigFile, RoundTripAndLongTextsCut) {
    test::TTestHome home;
    fs::create_directories(home.Path() / "SFONDI");
    TProgramSettings s = Sample();
    s.backgroundPicture = (home.Path() / "SFONDI" / "marmo.bmp").string();
    s.shopData[0] = std::string(80, 'x');
    ASSERT_TRUE(WriteConfigFile(home.Path() / kConfigFileName, s));
    TProgramSettings back = DefaultSettings();
    ASSERT_TRUE(ReadConfigFile(home.Path() / kConfigFileName, back));
    EXPECT_EQ(back.shopData[0], std::string(60, 'x'));
    s.shopData[0] = std::string(60, 'x');
    s.ricerca.IgnoraValori = back.ricerca.IgnoraValori; // lives only in memory
    EXPECT_EQ(back, s);
}

TEST(ConfigFile, UnreadableFilesGiveDefaultsSilently) {
    test::TTestHome home;
    const fs::path file = home.Path() / kConfigFileName;
    const auto good = ConfigBytes(Sample());

    auto corrupt = [&](std::size_t off, std::uint8_t v) {
        std::vector<unsigned char> b(good.begin(), good.end());
        b[off] = v;
        return b;
    };
    struct TCase {
        const char* what;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"empty", {}},
        {"truncated in the calibration", std::vector<unsigned char>(good.begin(), good.begin() + 600)},
        {"one byte short of the fixed part", std::vector<unsigned char>(good.begin(), good.begin() + 730)},
        {"text file", std::vector<unsigned char>(800, 'a')},
        {"flag 7", corrupt(273, 7)},
        {"shop line length past its field", corrupt(276, 61)},
        {"columns per coupon 9", corrupt(665, 9)},
    };

    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteBytes(file, c.bytes);
        TProgramSettings s = DefaultSettings();
        s.costLire = 1200; // a value set before reading is kept
        s.backgroundPicture = "elsewhere.bmp";
        s.taratura.set[0].XPrimaCol = 1;
        EXPECT_FALSE(ReadConfigFile(file, s));
        EXPECT_EQ(s.costLire, 1200);
        EXPECT_EQ(s.backgroundPicture, (home.Path() / "SFONDI" / "irtex67b.Bmp").string());
        EXPECT_EQ(s.taratura, T_Taratura{});
        EXPECT_TRUE(s.automaticMerge);
    }
    fs::remove(file);
    TProgramSettings s = DefaultSettings();
    EXPECT_FALSE(ReadConfigFile(file, s));
    EXPECT_EQ(s, DefaultSettings());
}

TEST(ConfigFile, TrailingBlockReadsKnownRecordsAndSkipsTheRest) {
    const auto full = ConfigBytes(Sample());
    const std::vector<unsigned char> fixed(full.begin(), full.begin() + 731);
    const auto record = [](const std::string& tag, std::vector<unsigned char> payload) {
        std::vector<unsigned char> r(tag.begin(), tag.end());
        r.push_back(static_cast<unsigned char>(payload.size()));
        r.push_back(static_cast<unsigned char>(payload.size() >> 8));
        r.insert(r.end(), payload.begin(), payload.end());
        return r;
    };
    const auto join = [&](std::initializer_list<std::vector<unsigned char>> parts) {
        std::vector<unsigned char> out = fixed;
        for (const auto& p : parts) {
            out.insert(out.end(), p.begin(), p.end());
        }
        return out;
    };
    const std::vector<unsigned char> on30 = {1, 30, 0, 0, 0};
    struct TCase {
        const char* what;
        std::vector<unsigned char> bytes;
        bool improved;
        std::int32_t seconds;
    } cases[] = {
        {"an older file of the fixed part only", fixed, false, 7},
        {"as written", full, true, 25},
        {"an unknown record first", join({record("HOST", {3, 'a', 'b', 'c'}), record("RMIG", on30)}), true,
         30},
        {"a longer record from a later version", join({record("RMIG", {1, 30, 0, 0, 0, 9, 9})}), true, 30},
        {"seconds out of range", join({record("RMIG", {1, 0, 0, 0, 0})}), false, 7},
        {"flag 2", join({record("RMIG", {2, 30, 0, 0, 0})}), false, 7},
        {"a record shorter than its fields", join({record("RMIG", {1, 30})}), false, 7},
        {"a length past the end",
         [&] {
             auto b = join({record("RMIG", on30)});
             b[735] = 200;
             return b;
         }(),
         false, 7},
        {"stray bytes", join({{'R', 'M'}}), false, 7},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TProgramSettings s = DefaultSettings();
        s.improveSeconds = 7;
        ASSERT_TRUE(ParseConfig(c.bytes, s)); // the fixed part is always taken
        EXPECT_EQ(s.costLire, 1000);
        EXPECT_EQ(s.improvedReduction, c.improved);
        EXPECT_EQ(s.improveSeconds, c.seconds);
    }
}

TEST(ConfigFile, StoredBackgroundFromAnotherMachineGoesToTheBackgroundFolder) {
    test::TTestHome home;
    TProgramSettings s = DefaultSettings();
    s.backgroundPicture = "C:\\Programmi\\SFONDI\\legno.bmp";
    ASSERT_TRUE(WriteConfigFile(home.Path() / kConfigFileName, s));
    TProgramSettings back = DefaultSettings();
    ASSERT_TRUE(ReadConfigFile(home.Path() / kConfigFileName, back));
    EXPECT_EQ(fs::path(back.backgroundPicture), home.Path() / "SFONDI" / "legno.bmp");
}

TEST(ConfigFile, FailedSaveReports) {
    test::TTestHome home;
    TProgramSettings s = DefaultSettings();
    // A folder in the way of the file fails even for root.
    fs::create_directory(home.Path() / kConfigFileName);
    try {
        SalvaConfigurazione(s);
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Impossibile Salvare La Configurazione");
    }
    EXPECT_TRUE(fs::is_directory(home.Path() / kConfigFileName));
    EXPECT_EQ(std::distance(fs::directory_iterator(home.Path()), fs::directory_iterator()), 1)
        << "no temporary file left behind";
}

TEST(ConfigFile, FailedSaveKeepsTheOldFile) {
    test::TTestHome home;
    TProgramSettings s = DefaultSettings();
    SalvaConfigurazione(s);
    const auto before = test::ReadBytes(home.Path() / kConfigFileName);
    ASSERT_EQ(before.size(), kConfigSize + 11);
    s.costLire = 2000;
    // A write that stops part-way (a full disk): the save fails, the previous file and nothing else
    // stays.
    bool threw = false;
    try {
        TScopedWriteFault fault(100);
        SalvaConfigurazione(s);
    } catch (const EInOutError&) {
        threw = true;
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(test::ReadBytes(home.Path() / kConfigFileName), before);
    for (const auto& entry : std::filesystem::directory_iterator(home.Path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    }
}

TEST(ConfigFile, VersionText) {
    EXPECT_EQ(VersionText(200), "2.0");
    EXPECT_EQ(VersionText(210), "2.10");
    EXPECT_EQ(VersionText(1005), "10.05");
}

} // namespace
} // namespace tessaline

namespace tessaline {
namespace {

TEST(ConfigFile, ThreadCapRecord) {
    // Written after the improved-reduction record only when set; read back within 1 to 1024.
    TProgramSettings s = DefaultSettings();
    const auto plain = ConfigBytes(s);
    EXPECT_EQ(plain.size(), kConfigSize + 11) << "no record for every core";
    s.maxThreads = 3;
    const auto capped = ConfigBytes(s);
    ASSERT_EQ(capped.size(), kConfigSize + 11 + 10);
    const std::vector<unsigned char> record(capped.begin() + kConfigSize + 11, capped.end());
    EXPECT_EQ(record, (std::vector<unsigned char>{'T', 'H', 'R', 'D', 4, 0, 3, 0, 0, 0}));
    TProgramSettings back = DefaultSettings();
    ASSERT_TRUE(ParseConfig(capped, back));
    EXPECT_EQ(back.maxThreads, 3);
    const struct {
        std::int32_t stored;
        std::int32_t read;
    } cases[] = {{1, 1}, {1024, 1024}, {0, 5}, {-2, 5}, {1025, 5}};
    for (const auto& c : cases) {
        auto bytes = capped;
        for (int i = 0; i < 4; ++i) {
            bytes[kConfigSize + 11 + 6 + static_cast<std::size_t>(i)] =
                static_cast<unsigned char>(static_cast<std::uint32_t>(c.stored) >> (8 * i));
        }
        TProgramSettings t = DefaultSettings();
        t.maxThreads = 5;
        ASSERT_TRUE(ParseConfig(bytes, t));
        EXPECT_EQ(t.maxThreads, c.read) << c.stored;
    }
}

} // namespace
} // namespace tessaline
