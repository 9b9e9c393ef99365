// "tessaline-cli update" against a loopback FTP server, as a new user runs it.

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "support/test_home.h"
#include "system/config_file.h"
#include "update/ftp_server.h"

namespace tessaline {
namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<unsigned char>;

void Put(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    test::WriteBytes(p, TBytes(text.begin(), text.end()));
}

std::map<std::string, TBytes> Snapshot(const fs::path& home) {
    std::map<std::string, TBytes> files;
    for (const auto& e : fs::recursive_directory_iterator(home)) {
        const std::string rel = fs::relative(e.path(), home).generic_string();
        if (rel.rfind("server", 0) != 0 && e.is_regular_file()) {
            files[rel] = test::ReadBytes(e.path());
        }
    }
    return files;
}

TEST(AggiornamentoCli, ReplacesWholeFilesOrNothing) {
    test::TTestHome home;
    const fs::path root = home.Path() / "server";
    const std::string archive(19 * 3, '\x01');
    Put(root / "archivi" / "archivio.tts", archive);
    const char* remote[] = {"squadra.txt", "squadrb.txt", "squadrc1.txt", "squadrc2.txt"};
    const char* local[] = {"SquadrA.Txt", "SquadrB.Txt", "SquadrC1.Txt", "SquadrC2.Txt"};
    for (int i = 0; i < 4; ++i) {
        Put(root / "archivi" / remote[i], std::string("Nuova ") + remote[i] + "\r\n");
        Put(home.Path() / local[i], "Vecchia\r\n");
    }
    Put(root / "schedine" / "_tessaline.xsc", std::string(160, '\0'));
    test::TFtpServer server(root);
    Put(root / "dwninfo.txt",
        "[Tessaline 2.0]\r\nHostName=" + server.Host() +
            "\r\nArchiviDir=/archivi\r\nSchedinaDir=/schedine\r\nExeDir=/programma\r\n");
    const std::string url = "--server ftp://" + server.Host() + "/";

    // The archive, with the server given on the command line; the data folder holds no archive yet.
    auto r = test::RunCli("update archive " + url + " --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        r.out,
        "{\"updated\": [\"ARCHIVI/archivio.tts\"], \"message\": \"Aggiornamento degli archivi completato "
        "con successo\"}\n");
    EXPECT_EQ(test::ReadText(home.Path() / "ARCHIVI" / "archivio.tts"), archive);

    // A missing list on the server: nothing replaced, nothing left behind.
    fs::rename(root / "archivi" / "squadrc2.txt", root / "archivi" / "via.txt");
    auto before = Snapshot(home.Path());
    r = test::RunCli("update teams " + url + " --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"Errore durante il tranferimento dei files\"}\n");
    EXPECT_TRUE(before == Snapshot(home.Path()));
    fs::rename(root / "archivi" / "via.txt", root / "archivi" / "squadrc2.txt");

    // The team lists, with the server taken from the settings of "Varie".
    TProgramSettings settings = DefaultSettings();
    settings.updateHost = server.Host();
    ASSERT_TRUE(WriteConfigFile(home.Path() / kConfigFileName, settings));
    r = test::RunCli("update teams");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Aggiornamento delle squadre completato con successo\n");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(test::ReadText(home.Path() / local[i]), std::string("Nuova ") + remote[i] + "\r\n");
    }
    r = test::RunCli("update coupon --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"updated\": [\"Schedine/_tessaline.xsc\"], \"message\": \"Schedina scaricata in "
                     "Schedine/_tessaline.xsc\"}\n");
    for (const auto& [name, bytes] : Snapshot(home.Path())) {
        EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
        EXPECT_NE(name, "dwninfo.txt");
    }

    // Usage errors.
    EXPECT_EQ(test::RunCli("update").status, 2);
    EXPECT_EQ(test::RunCli("update program").status, 2);
    EXPECT_EQ(test::RunCli("update archive --server http://" + server.Host() + "/").status, 2);
}

} // namespace
} // namespace tessaline
