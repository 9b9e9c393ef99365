// The winning column as text, the CSV table of the archive, and the archive commands of
// tessaline-cli, checked against a straightforward reading of the record layout.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "archive/archive_csv.h"
#include "archive/demo_archive.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

void WriteText(const fs::path& p, const std::string& text) {
    test::WriteBytes(p, std::vector<unsigned char>(text.begin(), text.end()));
}

TEST(ArchiveText, WinningColumnIsReadAsTheUpdateWindowReadsIt) {
    const struct {
        const char* text;
        bool valid;
        const char* shown; // TestoColonnaVincente of what was read
    } cases[] = {
        {"012M012M012M", true, "012M012M012M"},
        {" 0 1 2 M 0 1 2 m 0 1 2 M ", true, "012M012M012M"},
        {"************", true, "************"},
        {"01*M01*M01*M", true, "01*M01*M01*M"},
        {"012M012M012", false, ""},
        {"012M012M012M0", false, ""},
        {"012M012M012X", false, ""},
        {"012M012M0123", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        Colonna col;
        col.s.fill(kSign1);
        const Colonna before = col;
        ASSERT_EQ(LeggiColonnaVincente(c.text, col), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(TestoColonnaVincente(col), c.shown) << c.text;
        } else {
            EXPECT_EQ(col, before) << c.text;
        }
    }
    Colonna odd;
    odd.s = {1, 2, 4, 8, 0, 3, 15, 16, 255, 1, 1, 1};
    EXPECT_EQ(TestoColonnaVincente(odd), "012M*****000");
}

TEST(ArchiveCsv, BadLinesNameTheLineAndImportNothing) {
    const std::string head = "anno,numero,tipo,colonna\r\n";
    const std::string good = "2024,1,Calcio,012M012M012M\r\n";
    const struct {
        std::string text;
        std::size_t line;
        const char* reason;
    } cases[] = {
        {"", 1, "intestazione"},
        {"anno,numero,tipo\r\n" + good, 1, "intestazione"},
        {head, 0, "Il file non contiene alcun concorso."},
        {head + good + "2024,2,Calcio\r\n", 3, "servono 4 campi"},
        {head + good + "2024,2,Calcio,012M012M012M,x\r\n", 3, "servono 4 campi"},
        {head + "20x4,2,Calcio,012M012M012M\r\n", 2, "anno non valido: \"20x4\""},
        {head + "1800,2,Calcio,012M012M012M\r\n", 2, "anno non valido"},
        {head + good + "\r\n2024,0,Calcio,012M012M012M\r\n", 4, "numero non valido: \"0\""},
        {head + "2024,100,Calcio,012M012M012M\r\n", 2, "numero non valido"},
        {head + "2024,3,Tennis,012M012M012M\r\n", 2, "tipo non valido: \"Tennis\""},
        {head + "2024,3,Calcio,012M012M012\r\n", 2, "colonna vincente non valida"},
        {head + "2024,3,Calcio,012M012M012Q\r\n", 2, "colonna vincente non valida"},
        {head + good + "2023,9,Basket,************\r\n" + good, 4,
         "il concorso 2024/2025 Nº 1 compare già alla riga 2"},
    };
    for (const auto& c : cases) {
        std::vector<T_Concorso> out(3);
        const auto error = ImportaCsv(c.text, out);
        ASSERT_TRUE(error.has_value()) << c.text;
        EXPECT_EQ(error->Riga, c.line) << c.text;
        EXPECT_NE(error->Messaggio().find(c.reason), std::string::npos) << error->Messaggio();
        if (c.line != 0) {
            EXPECT_EQ(error->Messaggio().rfind("Riga " + std::to_string(c.line) + ": ", 0), 0u);
        }
        EXPECT_TRUE(out.empty());
    }
}

TEST(ArchiveCsv, ImportSortsAndAcceptsWhatASpreadsheetWrites) {
    // Semicolons, quotes, LF line ends, a byte-order mark, blank lines and lower-case kinds.
    const std::string text = "\xEF\xBB\xBF"
                             "Anno;Numero;Tipo;Colonna\n"
                             "2025;2;\"basket\";\"0 1 2 M 0 1 2 M 0 1 2 M\"\n"
                             "\n"
                             "2024;30;Calcio;1111111111**\n"
                             "2025;1;CALCIO;mmmmmmmmmmmm\n";
    std::vector<T_Concorso> out;
    ASSERT_FALSE(ImportaCsv(text, out).has_value());
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].Anno, 2024);
    EXPECT_EQ(out[0].Numero, 30);
    EXPECT_EQ(out[0].Completo, 0);
    EXPECT_EQ(out[1].Numero, 1);
    EXPECT_EQ(out[1].Tipo, 1);
    EXPECT_EQ(out[1].Completo, 1);
    EXPECT_EQ(out[2].Tipo, 2);
    EXPECT_EQ(TestoColonnaVincente(out[2].ColonnaVincente), "012M012M012M");
    T_Archivio a;
    a.Concorsi() = out;
    EXPECT_EQ(EsportaCsv(a), "anno,numero,tipo,colonna\r\n"
                             "2024,30,Calcio,1111111111**\r\n"
                             "2025,1,Calcio,MMMMMMMMMMMM\r\n"
                             "2025,2,Basket,012M012M012M\r\n");
}

// What "archive show --json" must print for a file, read straight from the record layout: whole
// 19-byte records in file order, the kind as stored, Completo from the column.
std::string ExpectedShow(const std::vector<unsigned char>& bytes) {
    std::string out = "{\"contests\": [";
    for (std::size_t off = 0; off + 19 <= bytes.size(); off += 19) {
        const std::int32_t anno = static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[off + 1]) |
                                                            static_cast<std::uint32_t>(bytes[off + 2]) << 8 |
                                                            static_cast<std::uint32_t>(bytes[off + 3]) << 16 |
                                                            static_cast<std::uint32_t>(bytes[off + 4]) << 24);
        std::string column;
        bool complete = true;
        for (std::size_t t = 0; t < 12; ++t) {
            const unsigned char b = bytes[off + 6 + t];
            const char* letters = "012M";
            const int index = b == 1 ? 0 : b == 2 ? 1 : b == 4 ? 2 : b == 8 ? 3 : -1;
            column.push_back(index < 0 ? '*' : letters[index]);
            complete = complete && index >= 0;
        }
        out += std::string(off == 0 ? "" : ", ") + "{\"Anno\": " + std::to_string(anno) +
               ", \"Numero\": " + std::to_string(bytes[off + 5]) +
               ", \"Tipo\": " + std::to_string(bytes[off]) + ", \"column\": \"" + column +
               "\", \"Completo\": " + (complete ? "1" : "0") + "}";
    }
    return out + "]}\n";
}

TEST(CliArchive, ShowMatchesTheRecordLayoutOnRandomFiles) {
    test::TTestHome home;
    std::mt19937 rng(24);
    const unsigned char signs[] = {1, 2, 4, 8, 1, 2, 4, 8, 1, 2, 4, 8, 0, 3, 16};
    for (int round = 0; round < 40; ++round) {
        std::vector<unsigned char> bytes;
        const int contests = 1 + static_cast<int>(rng() % 30);
        for (int k = 0; k < contests; ++k) {
            const std::int32_t anno = 1990 + static_cast<std::int32_t>(rng() % 40);
            bytes.push_back(static_cast<unsigned char>(1 + rng() % 2)); // both kinds
            for (int b = 0; b < 4; ++b) {
                bytes.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(anno) >> (8 * b)));
            }
            bytes.push_back(static_cast<unsigned char>(1 + rng() % 99));
            for (int t = 0; t < 12; ++t) {
                bytes.push_back(signs[rng() % (rng() % 4 == 0 ? std::size(signs) : 12)]);
            }
            bytes.push_back(static_cast<unsigned char>(rng() % 2)); // the stored flag is not trusted
        }
        const std::size_t tail = rng() % 19; // a truncated last record
        for (std::size_t b = 0; b < tail; ++b) {
            bytes.push_back(static_cast<unsigned char>(rng()));
        }
        const fs::path file = home.Path() / "a.tts";
        test::WriteBytes(file, bytes);
        const auto r = test::RunCli("archive show --archive " + Q(file) + " --json");
        ASSERT_EQ(r.status, 0) << round;
        EXPECT_EQ(r.out, ExpectedShow(bytes)) << round;
    }
    // Without --archive the data folder's archive; an empty, missing or short file cannot be loaded.
    for (const std::vector<unsigned char>& bad :
         {std::vector<unsigned char>{}, std::vector<unsigned char>(18, 1)}) {
        test::WriteBytes(home.Path() / "bad.tts", bad);
        const auto r = test::RunCli("archive show --archive " + Q(home.Path() / "bad.tts") + " --json");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "{\"error\": \"Impossibile Caricare L'Archivio.\"}\n");
    }
    EXPECT_EQ(test::RunCli("archive show").status, 1);
    fs::create_directories(home.Path() / "ARCHIVI");
    const T_Archivio demo = ArchivioDimostrativo();
    demo.Salva(home.Path() / "ARCHIVI" / "archivio.tts");
    const auto bytes = demo.Codifica();
    const auto r = test::RunCli("archive show --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, ExpectedShow(std::vector<unsigned char>(bytes.begin(), bytes.end())));
    const auto text = test::RunCli("archive show");
    EXPECT_NE(text.out.find("2024/2025   16  Calcio  "), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("(incompleto)\nConcorsi: 396\n"), std::string::npos);
}

TEST(CliArchive, ExportThenImportGivesTheSameBytes) {
    test::TTestHome home;
    const fs::path tts = home.Path() / "demo.tts";
    ASSERT_TRUE(ArchivioDimostrativo().Salva(tts));
    const fs::path csv = home.Path() / "demo.csv";
    auto r = test::RunCli("archive export --archive " + Q(tts) + " -o " + Q(csv) + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"count\": 396}\n");
    const std::string text = test::ReadText(csv);
    EXPECT_EQ(text.rfind("anno,numero,tipo,colonna\r\n2014,1,Calcio,", 0), 0u) << text.substr(0, 60);
    EXPECT_NE(text.find(",Basket,"), std::string::npos);
    EXPECT_NE(text.find("\r\n2024,16,Calcio,"), std::string::npos);
    EXPECT_NE(text.find("****\r\n"), std::string::npos);
    const fs::path back = home.Path() / "back.tts";
    r = test::RunCli("archive import " + Q(csv) + " -o " + Q(back) + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"count\": 396}\n");
    EXPECT_EQ(test::ReadBytes(back), test::ReadBytes(tts));

    // A bad line: nothing is written, the message names the line and the reason.
    WriteText(csv,
              "anno,numero,tipo,colonna\r\n2024,1,Calcio,012M012M012M\r\n2024,1,Basket,************\r\n");
    const fs::path none = home.Path() / "none.tts";
    r = test::RunCli("archive import " + Q(csv) + " -o " + Q(none) + " --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"Riga 3: il concorso 2024/2025 Nº 1 compare già alla riga 2\"}\n");
    EXPECT_FALSE(fs::exists(none));
    r = test::RunCli("archive import " + Q(csv) + " -o " + Q(back));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(test::ReadBytes(back), test::ReadBytes(tts)); // the old file stays

    const struct {
        std::string args;
        int status;
    } usage[] = {
        {"archive", 2},
        {"archive list", 2},
        {"archive export --archive " + Q(tts), 2},
        {"archive import -o " + Q(back), 2},
        {"archive import " + Q(csv), 2},
        {"archive show -o " + Q(back), 2},
        {"archive show --archive " + Q(tts) + " --from 2014/1", 2},
        {"archive import " + Q(home.Path() / "missing.csv") + " -o " + Q(back), 1},
        {"archive export --archive " + Q(home.Path() / "missing.tts") + " -o " + Q(csv), 1},
    };
    for (const auto& u : usage) {
        EXPECT_EQ(test::RunCli(u.args).status, u.status) << u.args;
    }
}

} // namespace
} // namespace tessaline
