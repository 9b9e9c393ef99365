// Paths stored in files that may come from someone else, and the files opened through them.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <string>
#include <sys/stat.h>

#include "core/paths.h"
#include "core/regular_file.h"
#include "core/user_message.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

TEST(StoredPaths, OnlyPathsInsideTheDataFolderAreKept) {
    test::TTestHome outside; // a folder beside the data folder
    const fs::path o = outside.Path();
    test::TTestHome home;
    ASSERT_TRUE(PrepareProgramDir(false));
    const fs::path h = home.Path();
    fs::create_directories(h / "COLONNE" / "vecchie");
    fs::create_directory_symlink(o, h / "Sistemi" / "fuori");
    fs::create_directory_symlink(h / "COLONNE" / "vecchie", h / "dentro");
    const fs::path col = h / "COLONNE";
    struct TCase {
        std::string stored;
        fs::path expected;
    };
    const TCase cases[] = {
        // Kept: a bare name in its folder, paths that stay inside the data folder.
        {"a.Col", col / "a.Col"},
        {(col / "vecchie" / "b.Col").string(), col / "vecchie" / "b.Col"},
        {(h / "c.Col").string(), h / "c.Col"},
        {"COLONNE/vecchie/d.Col", h / "COLONNE/vecchie/d.Col"},
        {"dentro/e.Col", h / "dentro/e.Col"},
        // Reduced to the file name in the column folder.
        {"/etc/passwd", col / "passwd"},
        {(o / "f.Col").string(), col / "f.Col"},
        {"../../vittima/g.txt", col / "g.txt"},
        {"COLONNE/../../h.Col", col / "h.Col"},
        {(h / "COLONNE" / ".." / "i.Col").string(), col / "i.Col"},
        {"Sistemi/fuori/j.Col", col / "j.Col"},
        {(h / "Sistemi" / "fuori" / "k.Col").string(), col / "k.Col"},
        {"C:\\Prog\\COLONNE\\l.Col", col / "l.Col"},
        {"D:m.Col", col / "m.Col"},
        {"sotto\\n.Col", col / "n.Col"},
        {std::string("/tmp/o.Col\0.txt", 15), col / "o.Col"},
        {std::string("p.Col\0/../../x", 14), col / "p.Col"},
        {"..", col / ""},
        {"/", col / ""},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(ResolveStoredPath(c.stored, TFolder::Colonne), c.expected) << c.stored;
    }
    EXPECT_EQ(ResolveStoredPath("/srv/x.Bmp", TFolder::Sfondi), h / "SFONDI" / "x.Bmp");
    EXPECT_TRUE(InsideProgramDir(h));
    EXPECT_FALSE(InsideProgramDir(h.parent_path()));
    EXPECT_FALSE(InsideProgramDir(h / "Sistemi" / "fuori" / "q"));
}

TEST(StoredPaths, OnlyRegularFilesOpen) {
    test::TTestHome home;
    const fs::path h = home.Path();
    test::WriteBytes(h / "file.Col", {1, 2, 3});
    fs::create_symlink(h / "file.Col", h / "link.Col");
    fs::create_directory(h / "cartella");
    ASSERT_EQ(::mkfifo((h / "tubo.Col").c_str(), 0600), 0);
    struct TCase {
        fs::path path;
        bool opens;
    };
    const TCase cases[] = {
        {h / "file.Col", true},  {h / "link.Col", true}, {h / "tubo.Col", false},
        {h / "cartella", false}, {"/dev/null", false},   {h / "manca.Col", false},
    };
    for (const TCase& c : cases) {
        std::FILE* f = OpenRegularFile(c.path); // a FIFO must not wait for a writer
        EXPECT_EQ(f != nullptr, c.opens) << c.path;
        if (f != nullptr) {
            unsigned char buf[4] = {};
            EXPECT_EQ(std::fread(buf, 1, sizeof buf, f), 3u); // blocking reads again
            EXPECT_EQ(buf[2], 3);
            std::fclose(f);
        }
    }
}

TEST(StoredPaths, LastResortMessagesAreTheProgramsOwn) {
    struct TCase {
        std::exception_ptr error;
        std::string shown;
    };
    const TCase cases[] = {
        {std::make_exception_ptr(EInOutError("Impossibile Caricare Il Sistema")),
         "Impossibile Caricare Il Sistema"},
        {std::make_exception_ptr(std::bad_alloc()), "Memoria Esaurita."},
        {std::make_exception_ptr(std::bad_array_new_length()), "Memoria Esaurita."},
        {std::make_exception_ptr(std::length_error("vector::_M_realloc_insert")),
         "Errore Imprevisto. Operazione Non Completata."},
        {std::make_exception_ptr(
             fs::filesystem_error("cannot get file size", std::make_error_code(std::errc::io_error))),
         "Errore Imprevisto. Operazione Non Completata."},
    };
    for (const TCase& c : cases) {
        try {
            std::rethrow_exception(c.error);
        } catch (const std::exception& e) {
            EXPECT_EQ(UserMessage(e), c.shown) << e.what();
        }
    }
}

} // namespace
} // namespace tessaline
