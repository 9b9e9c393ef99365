// "fixed" on the command line against the literal walk: every entry in order with its numbers, for
// both modes, the three sorts, ranges and kinds; and its failures.

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <random>

#include "reference/fixed_signs_walk.h"
#include "support/test_home.h"

namespace fs = std::filesystem;

namespace tessaline {
namespace {

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

std::string ExpectedJson(const TRisultatoFisse& r) {
    std::string s = fmt::format("{{\"admitted\": {}, \"entries\": [", r.Ammessi);
    bool first = true;
    for (const TFisse& f : r.Voci) {
        s += fmt::format("{}{{\"text\": \"{}\", \"pos\": \"{}\", \"freq\": {}, \"delay\": {}, \"ic\": {}}}",
                         first ? "" : ", ", Colonna2Coppie(f), TestoPosizione(f), f.Frequenza, f.Ritardo,
                         f.Frequenza == 0 ? 0.0 : f.Ritardo / (static_cast<double>(r.Ammessi) / f.Frequenza));
        first = false;
    }
    return s + "]}\n";
}

TEST(CliFixed, EveryEntryAsTheLiteralWalk) {
    test::TTestHome home;
    std::mt19937 rng(7);
    constexpr SignSet kSegni[4] = {kSign0, kSign1, kSign2, kSignM};
    T_Archivio a;
    for (int k = 0; k < 120; ++k) {
        T_Concorso c;
        c.Anno = 2020 + k / 40;
        c.Numero = static_cast<std::uint8_t>(1 + k % 40);
        c.Tipo = rng() % 4 == 0 ? 2 : 1;
        for (int t = 0; t < kTeams; ++t) {
            c.ColonnaVincente[t] = rng() % 40 == 0 ? SignSet{0} : kSegni[rng() % 2 == 0 ? 0 : rng() % 4];
        }
        c.AggiornaCompleto();
        a.Concorsi().push_back(c);
    }
    const fs::path file = home.Path() / "a.tts";
    a.Salva(file);

    struct TCase {
        int modo;
        const char* sort;
        TOrdineFisse ordine;
        const char* range; // extra options
        std::int16_t annoDa;
        std::uint8_t numDa;
        std::int16_t annoA;
        std::uint8_t numA;
        std::uint8_t tipi;
    };
    const TCase cases[] = {
        {1, "", TOrdineFisse::Frequenza, "", 2020, 1, 2022, 40, 1},
        {1, "--sort delay", TOrdineFisse::Ritardo, "--kinds basket", 2020, 1, 2022, 40, 2},
        {1, "--sort ic", TOrdineFisse::IC, "--from 2020/30 --to 2021/12 --kinds calcio,basket", 2020, 30,
         2021, 12, 3},
        {2, "--sort freq", TOrdineFisse::Frequenza, "--to 2021/5", 2020, 1, 2021, 5, 1},
        {2, "--sort delay", TOrdineFisse::Ritardo, "--from 2021/1", 2021, 1, 2022, 40, 1},
        {2, "--sort ic", TOrdineFisse::IC, "--kinds basket,calcio", 2020, 1, 2022, 40, 3},
    };
    for (const TCase& c : cases) {
        T_IntervalloConcorsi range;
        range.AnnoDa = c.annoDa;
        range.NumeroDa = c.numDa;
        range.AnnoA = c.annoA;
        range.NumeroA = c.numA;
        range.Tipi = c.tipi;
        const auto r = test::RunCli(
            fmt::format("fixed --mode {} {} {} --archive {} --json", c.modo, c.sort, c.range, Q(file)));
        ASSERT_EQ(r.status, 0) << c.sort << " " << c.range;
        EXPECT_EQ(r.out, ExpectedJson(test::FisseLetterali(c.modo, c.ordine, a.Concorsi(), range)))
            << c.modo << " " << c.sort << " " << c.range;
    }
}

TEST(CliFixed, Failures) {
    test::TTestHome home;
    // No archive in the data folder, or a file that holds no record.
    auto r = test::RunCli("fixed --mode 1 --json");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "{\"error\": \"Impossibile Caricare L'Archivio.\"}\n");
    test::WriteBytes(home.Path() / "short.tts", std::vector<unsigned char>(10, 1));
    EXPECT_EQ(test::RunCli("fixed --mode 2 --archive " + Q(home.Path() / "short.tts")).status, 1);
    // Usage errors come before the archive is read.
    for (const char* bad :
         {"fixed", "fixed --mode 3", "fixed --mode 1 --sort rit", "fixed --mode 1 --from 2020",
          "fixed --mode 1 --kinds volley", "fixed --mode 1 extra", "fixed --mode 1 --to x/3"}) {
        EXPECT_EQ(test::RunCli(bad).status, 2) << bad;
    }
}

} // namespace
} // namespace tessaline
