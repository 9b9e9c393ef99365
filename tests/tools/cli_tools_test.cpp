#include <filesystem>
#include <gtest/gtest.h>

#include "core/column_list.h"
#include "support/columns.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

using test::Col;

void Save(const fs::path& p, std::initializer_list<const char*> cols) {
    TListaColonne l;
    for (const char* c : cols) {
        l.Append(Col(c));
    }
    ASSERT_TRUE(l.SaveToFile(p));
}

TEST(CliTools, GuaranteeAgainstAComparisonFile) {
    test::TTestHome home;
    const auto e = home.Path() / "e.col";
    const auto c = home.Path() / "c.col";
    Save(e, {"000000000000"});
    Save(c, {"000000000000", "000000000001", "111111111111", "000000000011"});
    auto r = test::RunCli("guarantee --examined " + Q(e) + " --compare " + Q(c) + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"modes\": {\"6\": {\"considered\": 4, \"patterns\": ["
                     "{\"p6\": 0, \"p5\": 1, \"p4\": 0, \"percent\": 50}, "
                     "{\"p6\": 1, \"p5\": 0, \"p4\": 0, \"percent\": 25}], "
                     "\"rows\": [[\"6 Punti\", \"5 Punti\", \"4 Punti\", \"  Perc %\"], "
                     "[\"   0\", \"   1\", \"   0\", \"      50.000\"], "
                     "[\"-------\", \"-------\", \"-------\", \"Tot.  50.000\"], "
                     "[\"   1\", \"   0\", \"   0\", \"      25.000\"], "
                     "[\"-------\", \"-------\", \"-------\", \"Tot.  25.000\"], "
                     "[\"\", \"\", \"\", \"\"], [\"\", \"\", \"\", \"Tot.  75.000\"]]}}}\n");
    r = test::RunCli("guarantee --examined " + Q(e) + " --compare " + Q(c));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Tot.  75,000"), std::string::npos) << r.out;

    const struct {
        std::string args;
        int status;
    } failures[] = {
        {"guarantee --examined " + Q(home.Path() / "none.col") + " --compare " + Q(c) + " --json", 1},
        {"guarantee --examined " + Q(e) + " --compare " + Q(home.Path() / "none.col"), 1},
        {"guarantee --examined " + Q(e), 2},
        {"guarantee --compare " + Q(c), 2},
        {"guarantee --examined " + Q(e) + " --compare " + Q(c) + " --errors 1", 2},
        {"guarantee --examined " + Q(e) + " --compare " + Q(c) + " --system s.svs", 2},
        {"guarantee --examined " + Q(e) + " --system " + Q(home.Path() / "none.svs"), 1},
        {"guarantee --examined " + Q(e) + " --system s.svs --errors 0,3", 2},
        {"guarantee --examined " + Q(e) + " --system s.svs --errors 1 --conditions", 2},
    };
    for (const auto& f : failures) {
        EXPECT_EQ(test::RunCli(f.args).status, f.status) << f.args;
    }
    r = test::RunCli("guarantee --examined " + Q(home.Path() / "none.col") + " --compare " + Q(c) +
                     " --json");
    EXPECT_EQ(r.out, "{\"error\": \"Impossibile caricare il file\"}\n");
}

TEST(CliTools, ScrutinyOfAFile) {
    test::TTestHome home;
    const auto f = home.Path() / "f.col";
    // The first three merge into one column holding 0, 1, 2 in team 12: still three single columns.
    Save(f, {"000000000000", "000000000001", "000000000002", "111111111111", "100000000000"});
    auto r = test::RunCli("scrutiny --winning \"0 0 0 0 0 0 0 0 0 0 0 0\" " + Q(f) + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"points\": [1, 0, 0, 0, 0, 3, 1], \"broken\": []}\n");
    r = test::RunCli("scrutiny --winning 000000000000 " + Q(f));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("6 Punti: 1\n5 Punti: 3\n"), std::string::npos) << r.out;

    const struct {
        std::string args;
        int status;
    } failures[] = {
        {"scrutiny --winning 00000000000 " + Q(f), 2},
        {"scrutiny --winning 0000000000003 " + Q(f), 2},
        {"scrutiny --winning 000000000000", 2},
        {"scrutiny --winning 000000000000 --system s.svs " + Q(f), 2},
        {"scrutiny --winning 000000000000 --system " + Q(home.Path() / "none.svs"), 1},
        {"scrutiny --winning 000000000000 " + Q(home.Path() / "none.col"), 1},
    };
    for (const auto& x : failures) {
        EXPECT_EQ(test::RunCli(x.args).status, x.status) << x.args;
    }
}

TEST(CliTools, OperationsShuffleAndOrder) {
    test::TTestHome home;
    const auto a = home.Path() / "a.col";
    const auto b = home.Path() / "b.col";
    const auto out = home.Path() / "out.col";
    Save(a, {"000000000000", "111111111111", "222222222222"});
    Save(b, {"222222222222", "MMMMMMMMMMMM"});
    const struct {
        const char* op;
        const char* json;
        std::uintmax_t size;
    } cases[] = {
        {"or", "{\"count\": 4, \"message\": \"Colonne Ottenute : 4\"}\n", 48},
        {"and", "{\"count\": 1, \"message\": \"Colonne Ottenute : 1\"}\n", 12},
        {"xor", "{\"count\": 3, \"message\": \"Colonne Ottenute : 3\"}\n", 36},
        {"cover1", "{\"count\": 1, \"message\": \"Colonne Scoperte : 1\"}\n", 12},
        {"cover2", "{\"count\": 1, \"message\": \"Colonne Scoperte : 1\"}\n", 12},
    };
    for (const auto& c : cases) {
        fs::remove(out);
        const auto r =
            test::RunCli(std::string("ops ") + c.op + " " + Q(a) + " " + Q(b) + " -o " + Q(out) + " --json");
        ASSERT_EQ(r.status, 0) << c.op;
        EXPECT_EQ(r.out, c.json);
        EXPECT_EQ(fs::file_size(out), c.size) << c.op;
    }
    fs::remove(out);
    auto r = test::RunCli("ops xor " + Q(a) + " " + Q(a) + " -o " + Q(out) + " --json");
    EXPECT_EQ(r.out, "{\"count\": 0, \"message\": \"Colonne Ottenute : 0  Nessun File Creato\"}\n");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(test::RunCli("ops not " + Q(a) + " " + Q(b) + " -o " + Q(out)).status, 2);
    EXPECT_EQ(test::RunCli("ops or " + Q(a) + " -o " + Q(out)).status, 2);
    EXPECT_EQ(test::RunCli("ops or " + Q(home.Path() / "none.col") + " " + Q(b) + " -o " + Q(out)).status, 1);
    EXPECT_EQ(test::RunCli("ops or " + Q(a) + " " + Q(home.Path() / "none.col") + " -o " + Q(out)).status, 1);

    // Shuffle: the same seed gives the same file.
    TListaColonne many;
    for (int i = 0; i < 64; ++i) {
        Colonna c = Col("000000000000");
        c[0] = static_cast<SignSet>(1 << (i % 4));
        c[1] = static_cast<SignSet>(1 << (i / 4 % 4));
        c[2] = static_cast<SignSet>(1 << (i / 16));
        many.Append(c);
    }
    ASSERT_TRUE(many.SaveToFile(home.Path() / "many.col"));
    r = test::RunCli("shuffle " + Q(home.Path() / "many.col") + " -o " + Q(home.Path() / "s1.col") +
                     " --seed 7 --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"count\": 64}\n");
    test::RunCli("shuffle " + Q(home.Path() / "many.col") + " -o " + Q(home.Path() / "s2.col") + " --seed 7");
    EXPECT_EQ(test::ReadBytes(home.Path() / "s1.col"), test::ReadBytes(home.Path() / "s2.col"));
    EXPECT_NE(test::ReadBytes(home.Path() / "s1.col"), test::ReadBytes(home.Path() / "many.col"));
    EXPECT_EQ(test::RunCli("shuffle " + Q(a) + " -o " + Q(out) + " --seed x").status, 2);
    EXPECT_EQ(test::RunCli("shuffle " + Q(home.Path() / "none.col") + " -o " + Q(out)).status, 1);

    // Ordering needs a system file's percentages.
    EXPECT_EQ(test::RunCli("order --system s.svs " + Q(a) + " -o " + Q(out)).status, 1);
    EXPECT_EQ(test::RunCli("order " + Q(a) + " -o " + Q(out)).status, 2);
}

const fs::path kExample = fs::path(TESSALINE_SOURCE_DIR) / "data" / "Sistemi" / "esempio1.svs";

TEST(CliTools, WithTheExampleSystem) {
    test::TTestHome home;
    const auto dev = home.Path() / "dev.col";
    auto r = test::RunCli("develop " + Q(kExample) + " -o " + Q(dev) + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    const auto acceptedAt = r.out.find("\"accepted\": ");
    ASSERT_NE(acceptedAt, std::string::npos);
    const std::string accepted = r.out.substr(acceptedAt + 12, r.out.find(',', acceptedAt) - acceptedAt - 12);

    // With the conditions applied, the winning columns considered are the accepted columns.
    r = test::RunCli("guarantee --examined " + Q(dev) + " --system " + Q(kExample) + " --conditions --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"modes\": {\"6\": {\"considered\": " + accepted + ",", 0), 0u) << r.out;
    // Every mode asked: all 144 forecast columns, 12 and 66 blanked variants of each.
    r = test::RunCli("guarantee --examined " + Q(dev) + " --system " + Q(kExample) +
                     " --errors 2,0,1 --json");
    ASSERT_EQ(r.status, 0);
    for (const char* key :
         {"\"6\": {\"considered\": 144,", "\"5\": {\"considered\": 1728,", "\"4\": {\"considered\": 9504,"}) {
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    }
    r = test::RunCli("guarantee --examined " + Q(dev) + " --system " + Q(kExample) + " --errors 1 --json");
    EXPECT_EQ(r.out.find("\"6\""), std::string::npos);
    EXPECT_EQ(r.out.find("\"p6\": 1"), std::string::npos); // one error: never six points

    // A winning column outside the forecast breaks it first, then the conditions it fails.
    r = test::RunCli("scrutiny --winning 120120120120 --system " + Q(kExample) + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("{\"points\": [0, 0, 0, 0, 0, 0, 0], \"broken\": [\"Pronostico\"", 0), 0u) << r.out;

    r = test::RunCli("order --system " + Q(kExample) + " " + Q(dev) + " --from 2 --to 4 -o " +
                     Q(home.Path() / "o.col") + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"count\": 3}\n");
    EXPECT_EQ(fs::file_size(home.Path() / "o.col"), 36u);
    EXPECT_EQ(test::RunCli("order --system " + Q(kExample) + " " + Q(dev) + " --from 0 -o " +
                           Q(home.Path() / "p.col"))
                  .status,
              2);
}

} // namespace
} // namespace tessaline

namespace tessaline {
namespace {

TEST(CliTools, ThreadsChangeNothingButTheCores) {
    test::TTestHome home;
    const auto c = home.Path() / "c.col";
    const auto e = home.Path() / "e.col";
    ASSERT_EQ(test::RunCli("develop --forecast '012M 012M 012M 012M 012M 012M 012M 012M 1 2 0 M' -o " + Q(c))
                  .status,
              0);
    Save(e, {"000000000000", "012M012M1200", "MMMM00001200", "0123M0121120", "111122221111", "012M012M12M0",
             "000000001200", "012M000012M0"});
    const std::string base = "guarantee --examined " + Q(e) + " --compare " + Q(c) + " --json";
    const auto one = test::RunCli(base + " --threads 1");
    ASSERT_EQ(one.status, 0);
    ASSERT_GT(one.out.size(), 20u);
    for (const char* threads : {" --threads 2", " --threads 7", ""}) {
        const auto r = test::RunCli(base + threads);
        EXPECT_EQ(r.status, 0) << threads;
        EXPECT_EQ(r.out, one.out) << threads;
    }
    for (const char* bad : {" --threads 0", " --threads due", " --threads 1025", " --threads"}) {
        const auto r = test::RunCli(base + bad);
        EXPECT_EQ(r.status, 2) << bad;
    }
}

} // namespace
} // namespace tessaline
