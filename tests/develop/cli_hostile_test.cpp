// Hostile and damaged inputs fed to tessaline-cli as a user could: every command ends, bad data
// fails with status 1 and an Italian message, and a malformed command line stays a usage error.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "conditions/filter_columns.h"
#include "core/column_list.h"
#include "reference/sample_systems.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

fs::path SaveSystem(const fs::path& file, const std::function<void(T_Sistema&)>& edit) {
    T_Sistema sys;
    test::BuildExampleSystem(sys);
    edit(sys);
    sys.fileName = file;
    EXPECT_TRUE(sys.Save());
    return file;
}

// A sign byte with bits beyond the four signs reads as its four sign bits: the guarantee calculation
// with every error mode ends and gives what the masked system gives.
TEST(CliHostile, SignBytesFromFilesAreMasked) {
    test::TTestHome home;
    const fs::path examined = home.Path() / "e.col";
    TListaColonne cols;
    for (const char* text : {"121012021221", "010201120101", "MMMMMMMMMMMM"}) {
        Colonna c;
        for (int t = 0; t < kTeams; ++t) {
            c[t] = ParseSigns(std::string(1, text[t]));
        }
        cols.Append(c);
    }
    ASSERT_TRUE(cols.SaveToFile(examined));
    // The examined columns once more, with a high bit set in every byte.
    const fs::path examinedHigh = home.Path() / "e-alto.col";
    auto high = test::ReadBytes(examined);
    for (auto& byte : high) {
        byte = static_cast<unsigned char>(byte | 0xF0);
    }
    test::WriteBytes(examinedHigh, high);

    struct TCase {
        const char* what;
        std::function<void(T_Sistema&, std::uint8_t)> set;
    };
    const TCase cases[] = {
        {"colonna filtro",
         [](T_Sistema& sys, std::uint8_t b) {
             auto& filtro = test::AddItem<TCondColonnaFiltro>(sys, kCodGruppoColFiltro);
             filtro.Filtro.s.fill(b);
         }},
        {"pronostico", [](T_Sistema& sys, std::uint8_t b) { sys.dati.Forecast[3] = b; }},
    };
    for (const auto& c : cases) {
        const fs::path hostile = SaveSystem(home.Path() / "ff.svs", [&](T_Sistema& s) { c.set(s, 0xFF); });
        const fs::path masked = SaveSystem(home.Path() / "0f.svs", [&](T_Sistema& s) { c.set(s, 0x0F); });
        const std::string tail = " --errors 0,1,2 --json";
        const auto got =
            test::RunCli("guarantee --examined " + Q(examinedHigh) + " --system " + Q(hostile) + tail);
        const auto want =
            test::RunCli("guarantee --examined " + Q(examined) + " --system " + Q(masked) + tail);
        EXPECT_EQ(want.status, 0) << c.what;
        EXPECT_EQ(got.status, want.status) << c.what;
        EXPECT_EQ(got.out, want.out) << c.what;
    }
    // A column file: two copies of the same column (copies are not joined).
    const fs::path colFile = home.Path() / "ff.col";
    test::WriteBytes(colFile, std::vector<unsigned char>(24, 0xFF));
    const auto merged = test::RunCli("merge " + Q(colFile) + " -o " + Q(home.Path() / "m.col") + " --json");
    EXPECT_EQ(merged.status, 0);
    EXPECT_EQ(test::ReadBytes(home.Path() / "m.col"), std::vector<unsigned char>(24, 0x0F));
}

// Data that cannot serve the command is a failure (1) with its message; a malformed option stays a
// usage error (2).
TEST(CliHostile, DataProblemsFailAndUsageErrorsStayUsage) {
    test::TTestHome home;
    const fs::path noColumns =
        SaveSystem(home.Path() / "vuoto.svs", [](T_Sistema& s) { s.dati.Forecast[0] = 0; });
    const fs::path example = SaveSystem(home.Path() / "es.svs", [](T_Sistema&) {});
    const fs::path in = home.Path() / "in.col";
    TListaColonne three;
    for (int i = 0; i < 3; ++i) {
        Colonna c;
        c.s.fill(kSign1);
        c[0] = static_cast<SignSet>(1 << i);
        three.Append(c);
    }
    ASSERT_TRUE(three.SaveToFile(in));
    const std::string order =
        "order --system " + Q(example) + " " + Q(in) + " -o " + Q(home.Path() / "o.col");
    const struct {
        std::string args;
        int status;
        const char* message; // in the JSON error, for status 1
    } cases[] = {
        {"guarantee --examined " + Q(in) + " --system " + Q(noColumns), 1,
         "Il pronostico del sistema non genera colonne."},
        {order + " --from 5", 1, "L'intervallo richiesto (5-3) va oltre le 3 colonne del file."},
        {order + " --from 2 --to 9", 1, "L'intervallo richiesto (2-9) va oltre le 3 colonne del file."},
        {order + " --from 2 --to 3", 0, nullptr},
        {order + " --from 0", 2, nullptr},
        {order + " --from due", 2, nullptr},
        {order + " --from 3 --to 2", 2, nullptr},
    };
    for (const auto& c : cases) {
        const auto r = test::RunCli(c.args + " --json");
        EXPECT_EQ(r.status, c.status) << c.args;
        if (c.message != nullptr) {
            EXPECT_EQ(r.out, std::string("{\"error\": \"") + c.message + "\"}\n") << c.args;
        }
    }
}

} // namespace
} // namespace tessaline
