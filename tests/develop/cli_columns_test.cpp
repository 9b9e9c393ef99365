#include <gtest/gtest.h>

#include <filesystem>

#include "core/column_list.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

TEST(CliColumns, MergeAndTextRoundTrip) {
    test::TTestHome home;
    const fs::path txt = home.Path() / "in.Txt";
    test::WriteBytes(txt, {'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '\r', '\n',
                           '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '1', '\r', '\n',
                           '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '2', '\r', '\n'});
    auto r = test::RunCli("txt import " + Q(txt) + " -o " + Q(home.Path() / "a.Col") + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"count\": 3}\n");
    EXPECT_EQ(fs::file_size(home.Path() / "a.Col"), 36u);

    r = test::RunCli("merge " + Q(home.Path() / "a.Col") + " -o " + Q(home.Path() / "b.Col") + " --json");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"count\": 1, \"factor\": 3}\n");

    r = test::RunCli("txt export " + Q(home.Path() / "b.Col") + " -o " + Q(home.Path() / "b.Txt"));
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(test::ReadText(home.Path() / "b.Txt"), "00000000000012\r\n");
    EXPECT_EQ(r.out, "Esportate: 1 colonne\n");
}

TEST(CliColumns, FailuresAndUsage) {
    test::TTestHome home;
    auto r =
        test::RunCli("merge " + Q(home.Path() / "manca.Col") + " -o " + Q(home.Path() / "x.Col") + " --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"Impossibile Caricare Il File Colonnare\"}\n");
    EXPECT_FALSE(fs::exists(home.Path() / "x.Col"));

    test::WriteBytes(home.Path() / "bad.Txt", {'0', '1', '2', 'm', '0', '1', '2', 'M', '0', '1', '2', 'M'});
    r = test::RunCli("txt import " + Q(home.Path() / "bad.Txt") + " -o " + Q(home.Path() / "y.Col"));
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(fs::exists(home.Path() / "y.Col"));

    EXPECT_EQ(test::RunCli("merge").status, 2);
    EXPECT_EQ(test::RunCli("merge a.Col").status, 2);
    EXPECT_EQ(test::RunCli("txt sposta a b").status, 2);
    EXPECT_EQ(test::RunCli("nessuno").status, 2);
    EXPECT_EQ(test::RunCli("merge a.Col -o b.Col --boh").status, 2);
}

} // namespace
} // namespace tessaline
