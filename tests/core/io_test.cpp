#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/codepage.h"
#include "core/column_list.h"
#include "core/paths.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

TEST(BinaryIo, LittleEndianFieldsAndShortReads) {
    TByteWriter w;
    w.U8(0xAB);
    w.I16(-2);
    w.I32(0x01020304);
    w.F64(1.0);
    w.PString("Milan", 13);
    const std::vector<std::uint8_t> expected = {0xAB, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0,   0,   0,
                                                0,    0,    0,    0xF0, 0x3F, 5,    'M',  'i', 'l', 'a',
                                                'n',  0,    0,    0,    0,    0,    0,    0};
    EXPECT_EQ(w.Data(), expected);

    TByteReader r(w.Data());
    std::uint8_t u8 = 0;
    std::int16_t i16 = 0;
    std::int32_t i32 = 0;
    double d = 0;
    std::string s;
    ASSERT_TRUE(r.U8(u8) && r.I16(i16) && r.I32(i32) && r.F64(d) && r.PString(s, 13));
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, 0x01020304);
    EXPECT_EQ(d, 1.0);
    EXPECT_EQ(s, "Milan");
    EXPECT_TRUE(r.AtEnd());
    EXPECT_FALSE(r.U8(u8));

    // A field cut in the middle fails and leaves nothing to read.
    TByteReader cut(std::span<const std::uint8_t>(expected.data(), 5));
    ASSERT_TRUE(cut.U8(u8) && cut.I16(i16));
    EXPECT_FALSE(cut.I32(i32));
    EXPECT_TRUE(cut.AtEnd());
}

TEST(BinaryIo, StringsAreCutAndClamped) {
    TByteWriter w;
    w.PString("Internazionale Milano", 13); // 21 characters, 12 kept
    ASSERT_EQ(w.Size(), 13u);
    EXPECT_EQ(w.Data()[0], 12);
    std::vector<std::uint8_t> bytes = w.Data();
    bytes[0] = 200; // a damaged length byte never reads past the field
    TByteReader r(bytes);
    std::string s;
    ASSERT_TRUE(r.PString(s, 13));
    EXPECT_EQ(s, "Internaziona");
}

TEST(CodePage, RoundTripAndReplacement) {
    EXPECT_EQ(Cp1252ToUtf8("Citt\xE0"), "Città");
    EXPECT_EQ(Utf8ToCp1252("Città"), "Citt\xE0");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "€");
    EXPECT_EQ(Utf8ToCp1252("€ £"), "\x80 \xA3");
    EXPECT_EQ(Utf8ToCp1252("日本"), "??");
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?") << "a cut sequence";
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << b;
    }
}

TEST(AtomicFile, FailedSaveKeepsThePreviousFile) {
    test::TTestHome home;
    const fs::path target = home.Path() / "dati.bin";
    const std::vector<std::uint8_t> first = {1, 2, 3};
    ASSERT_TRUE(SaveFileAtomic(target, first));
    {
        TAtomicFile f(target);
        ASSERT_TRUE(f.IsOpen());
        ASSERT_TRUE(f.Write("xyz", 3));
        // Destroyed without Commit: as if the write had failed half-way.
    }
    EXPECT_EQ(test::ReadBytes(target), std::vector<unsigned char>({1, 2, 3}));
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(home.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
    // A folder that does not exist cannot be saved into, and says so.
    EXPECT_FALSE(SaveFileAtomic(home.Path() / "manca" / "x.bin", first));
    // A write that fails part-way (the file size limit stands in for a full disk): the save
    // reports failure, the previous file is intact and no temporary file is left.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::vector<std::uint8_t> big(5000, 7);
    const bool saved = SaveFileAtomic(target, big);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    EXPECT_EQ(test::ReadBytes(target), std::vector<unsigned char>({1, 2, 3}));
    files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(home.Path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ProgramDir, FoldersAndStoredPaths) {
    test::TTestHome home;
    EXPECT_EQ(ProgramDir(), home.Path());
    ASSERT_TRUE(PrepareProgramDir(false));
    for (const char* name : {"Sistemi", "Ridotti", "Schedine", "COLONNE", "ARCHIVI", "QUADRI", "SFONDI",
                             "WAV", "ArchivioGiocate"}) {
        EXPECT_TRUE(fs::is_directory(home.Path() / name)) << name;
    }
    EXPECT_EQ(ResolveInFolder("DefDest.Col", TFolder::Colonne), home.Path() / "COLONNE" / "DefDest.Col");
    EXPECT_EQ(ResolveInFolder("/tmp/x.Col", TFolder::Colonne), fs::path("/tmp/x.Col"));
    EXPECT_EQ(ResolveStoredPath("C:\\Prog\\COLONNE\\a.Col", TFolder::Colonne),
              home.Path() / "COLONNE" / "a.Col");
    EXPECT_EQ(ResolveStoredPath("/non/esiste/b.Col", TFolder::Colonne), home.Path() / "COLONNE" / "b.Col");
    EXPECT_EQ(ResolveStoredPath((home.Path() / "c.Col").string(), TFolder::Colonne), home.Path() / "c.Col");
}

TEST(ProgramDir, SeedingNeverOverwrites) {
    test::TTestHome home;
    const fs::path source = InstalledDataDir();
    ASSERT_FALSE(source.empty());
    ASSERT_TRUE(fs::exists(source / "esempio.txt"));
    test::WriteBytes(home.Path() / "esempio.txt", {'m', 'i', 'o'});
    ASSERT_TRUE(PrepareProgramDir(true));
    EXPECT_EQ(test::ReadText(home.Path() / "esempio.txt"), "mio");
    EXPECT_TRUE(fs::exists(home.Path() / "esempio.pronostico"));
}

} // namespace
// Column files: sign bytes keep their four sign bits, and an expansion stops before it passes the
// largest development (a few bytes must not become gigabytes).
TEST(ColumnFile, SignBitsAndExpansionLimit) {
    test::TTestHome home;
    const auto file = home.Path() / "c.col";
    std::vector<unsigned char> bytes(24, 0x0F); // then twelve quadruples: 16,777,216 single columns
    std::fill_n(bytes.begin(), 12, 0xF2);       // reads as team sets {1}
    test::WriteBytes(file, bytes);
    TListaColonne plain;
    ASSERT_TRUE(plain.LoadFromFile(file, false, nullptr));
    ASSERT_EQ(plain.Count(), 2);
    for (int t = 0; t < kTeams; ++t) {
        EXPECT_EQ(plain.begin()[0][t], kSign1);
    }
    TListaColonne expanded;
    expanded.Append(plain.begin()[0]);
    EXPECT_FALSE(expanded.LoadFromFile(file, true, nullptr));
    EXPECT_TRUE(expanded.Empty());

    bytes[12] = 0x02; // eleven quadruples
    bytes.resize(24);
    test::WriteBytes(file, bytes);
    ASSERT_TRUE(expanded.LoadFromFile(file, true, nullptr));
    EXPECT_EQ(expanded.Count(), 1 + (std::int64_t{1} << 22));
}

} // namespace tessaline
