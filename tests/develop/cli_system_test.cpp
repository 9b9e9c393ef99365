// tessaline-cli show and develop on system files.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/column_list.h"
#include "core/paths.h"
#include "develop/driver.h"
#include "reference/sample_systems.h"
#include "support/test_home.h"
#include "system/system_file.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Quote(const fs::path& p) {
    return "'" + p.string() + "'";
}

fs::path SaveExample(const test::TTestHome& home, const std::function<void(T_Sistema&)>& edit = {}) {
    T_Sistema sys;
    test::BuildExampleSystem(sys);
    if (edit) {
        edit(sys);
    }
    sys.fileName = home.Path() / "es.svs";
    EXPECT_TRUE(sys.Save());
    return sys.fileName;
}

TEST(CliSystem, ShowPrintsTheContractFields) {
    test::TTestHome home;
    const fs::path file = SaveExample(home, [](T_Sistema& sys) {
        sys.participants = {"Anna", "Bruno"};
        sys.ParticipantCount = 2;
        sys.dati.sviluppo.PairTable.p[1][3] = 1;
        sys.dati.sviluppo.PairTable.p[1][12] = 1;
        sys.dati.sviluppo.IntegralBases[0] = kSign1;
        sys.Colonne.Append(sys.dati.Forecast); // expanded when read: 144 columns
        sys.dati.Forecast[5] = 0;
    });
    const auto r = test::RunCli("show " + Quote(file) + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    const std::string colonne = (home.Path() / "COLONNE").string();
    const std::string expected =
        "{\"version\": 200, \"ContestNumber\": 27, \"teams\": [\"Inter\", \"Bologna\", \"Cagliari\", "
        "\"Empoli\", \"Fiorentina\", \"Genoa\", \"Juventus\", \"Lazio\", \"Milan\", \"Napoli\", \"Roma\", "
        "\"Torino\"], \"Forecast\": [\"12\", \"01\", \"1\", \"012\", \"2\", \"\", \"12M\", \"0\", \"12\", "
        "\"01\", \"2\", \"1\"], \"IntegralBases\": [\"1\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", "
        "\"\", \"\", \"\"], \"PairTable\": [[], [3, 12], [], [], [], []], \"PairMode\": 0, "
        "\"SourceForecast\": 1, \"SourceFile\": \"" +
        colonne + "/DefSorg.Col\", \"DestinationFile\": \"" + colonne +
        "/DefDest.Col\", \"UseConditions\": 1, \"ReducedDevelopment\": 1, \"MinDistanceMode\": 0, "
        "\"DestinationMemory\": 1, \"OptimisedReduction\": 0, \"Guarantee\": 5, \"MinDistance\": 3, "
        "\"Passes\": 1, \"AutoRecalc\": 0, \"RealCalculation\": 1, ";
    ASSERT_GE(r.out.size(), expected.size());
    EXPECT_EQ(r.out.substr(0, expected.size()), expected);
    for (const char* part :
         {"\"TeamValues\": [[1, 3, 2, 2], [2, 3, 2, 1], ", "\"TeamPercentages\": [[17, 38, 31, 14], ",
          "\"comment\": [\"Sistema di esempio: quattro doppie e due triple,\", \"ridotto a garanzia del "
          "5.\"], "
          "\"ParticipantCount\": 2, \"participants\": [\"Anna\", \"Bruno\"], \"conditions\": "
          "[\"\\\\Numero Di Segni\", \"\\\\Interruzioni\", \"\\\\Gruppo Valori\\\\Valori 001\", "
          "\"\\\\Quadro Di Esempio\"], \"columns\": 144}\n"}) {
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    }

    const auto text = test::RunCli("show " + Quote(file));
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("Condizioni In Vigore : 4"), std::string::npos) << text.out;

    test::WriteBytes(home.Path() / "rotto.svs", {200, 0, 0, 0, 1});
    const auto bad = test::RunCli("show " + Quote(home.Path() / "rotto.svs") + " --json");
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.out, "{\"error\": \"Impossibile Caricare Il Sistema\"}\n");
    EXPECT_EQ(test::RunCli("show").status, 2);
}

TEST(CliSystem, DevelopUsesTheSystemsSettingsAndConditions) {
    test::TTestHome home;
    const fs::path file = SaveExample(home);
    T_Sistema sys;
    CaricaSistema(sys, file);
    const TDevelopResult expected = DevelopSystem(sys, {});

    const fs::path out = home.Path() / "out.col";
    const auto r = test::RunCli("develop " + Quote(file) + " -o " + Quote(out) + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "{\"total\": 144, \"accepted\": " + std::to_string(expected.accepted) +
                         ", \"final\": " + std::to_string(sys.Colonne.Count()) +
                         ", \"cost\": " + std::to_string(sys.Colonne.Count() * 800) +
                         ", \"currency\": \"LIT\", \"out\": \"" + out.string() + "\"}\n");
    TListaColonne written;
    ASSERT_TRUE(written.LoadFromFile(out, false, nullptr));
    EXPECT_EQ(std::vector<Colonna>(written.begin(), written.end()),
              std::vector<Colonna>(sys.Colonne.begin(), sys.Colonne.end()));

    // A system that writes to its destination file: the file is the result.
    PrepareProgramDir(false);
    const fs::path toFile = SaveExample(home, [](T_Sistema& s) {
        s.dati.sviluppo.ReducedDevelopment = 0;
        s.dati.sviluppo.DestinationMemory = 0;
    });
    const auto f = test::RunCli("develop " + Quote(toFile) + " --json");
    ASSERT_EQ(f.status, 0) << f.out;
    const fs::path dest = home.Path() / "COLONNE" / "DefDest.Col";
    EXPECT_NE(f.out.find("\"final\": " + std::to_string(expected.accepted)), std::string::npos) << f.out;
    EXPECT_NE(f.out.find("\"out\": \"" + dest.string() + "\""), std::string::npos) << f.out;
    EXPECT_EQ(fs::file_size(dest), static_cast<std::uintmax_t>(12 * expected.accepted));

    EXPECT_EQ(test::RunCli("develop " + Quote(file) + " --reduce 5").status, 2);
    EXPECT_EQ(test::RunCli("develop " + Quote(file) + " " + Quote(file)).status, 2);
    EXPECT_EQ(test::RunCli("develop " + Quote(home.Path() / "manca.svs")).status, 1);
}

} // namespace
} // namespace tessaline
