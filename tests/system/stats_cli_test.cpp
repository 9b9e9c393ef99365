#include <gtest/gtest.h>

#include <fmt/format.h>
#include <random>

#include "archive/contest_archive.h"
#include "conditions/condition_set.h"
#include "conditions/sign_count.h"
#include "support/test_home.h"
#include "system/sistema.h"

namespace tessaline {
namespace {

namespace fs = std::filesystem;

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

T_Concorso Contest(std::int32_t anno, std::uint8_t numero, const Colonna& c, std::uint8_t tipo = 1) {
    T_Concorso k;
    k.Anno = anno;
    k.Numero = numero;
    k.Tipo = tipo;
    k.ColonnaVincente = c;
    k.AggiornaCompleto();
    return k;
}

// Errors needed to reach an admitted count of zeros from z zeros (3: more than two).
int FewestErrors(int z, const std::vector<bool>& ok) {
    for (int e = 0; e <= 2; ++e) {
        for (int d : {-e, e}) {
            const int v = z + d;
            // Each error moves the count by one; e errors can also keep it where it is only when e = 0.
            if (v >= 0 && v <= 12 && ok[static_cast<std::size_t>(v)]) {
                return e;
            }
        }
    }
    return 3;
}

TEST(CliStats, SystemCategoriesFollowTheFewestErrors) {
    test::TTestHome home;
    std::mt19937 rng(4242);
    T_Archivio archivio;
    std::vector<int> zeros;
    for (int i = 0; i < 120; ++i) {
        Colonna c;
        const int share = static_cast<int>(rng() % 13);
        for (SignSet& s : c.s) {
            s = static_cast<int>(rng() % 12) < share ? 1 : static_cast<SignSet>(2 << (rng() % 3));
        }
        if (rng() % 15 == 0) {
            c.s[rng() % 12] = 0; // incomplete: never examined
        }
        archivio.Concorsi().push_back(Contest(2000 + i / 30, static_cast<std::uint8_t>(1 + i % 30), c,
                                              static_cast<std::uint8_t>(rng() % 5 == 0 ? 2 : 1)));
        int z = 0;
        for (SignSet s : c.s) {
            z += s == 1 ? 1 : 0;
        }
        zeros.push_back(z);
    }
    const fs::path tts = home.Path() / "a.tts";
    archivio.Salva(tts);

    std::vector<bool> ok(13, false);
    T_Sistema sys;
    for (int v : {2, 3, 9}) {
        ok[static_cast<std::size_t>(v)] = true;
        sys.Insieme().SlotAs<TCondNumeroSegni>(1)->Tabella(0).Imposta(false, v, kAmmesso);
    }
    sys.fileName = home.Path() / "s.svs";
    ASSERT_TRUE(sys.Save());

    struct Case {
        std::string options;
        int categories;
        int annoDa, numDa, annoA, numA; // inclusive range
        int kinds;
    };
    const std::vector<Case> cases = {
        {"", 1, 2000, 1, 2003, 30, 1},
        {"--categories 2 --kinds basket", 2, 2000, 1, 2003, 30, 2},
        {"--categories 3 --from 2001/5 --to 2002/17 --kinds calcio,basket", 3, 2001, 5, 2002, 17, 3},
        {"--categories 3 --ignore none --from 2003/30", 3, 2003, 30, 2003, 30, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const auto r = test::RunCli("stats system " + Q(sys.fileName) + " --archive " + Q(tts) + " " +
                                    c.options + " --json");
        ASSERT_EQ(r.status, 0) << r.out;
        std::vector<int> errors; // per examined contest
        for (std::size_t i = 0; i < archivio.Count(); ++i) {
            const T_Concorso& k = archivio.Concorsi()[i];
            const long key = k.Anno * 100L + k.Numero;
            if (k.Completo != 0 && (k.Tipo & c.kinds) != 0 && key >= c.annoDa * 100L + c.numDa &&
                key <= c.annoA * 100L + c.numA) {
                errors.push_back(FewestErrors(zeros[i], ok));
            }
        }
        EXPECT_EQ(
            r.out.rfind(
                fmt::format("{{\"examined\": {}, \"contests\": 120, \"categories\": [", errors.size()), 0),
            0u)
            << r.out;
        for (int k = 0; k < 3; ++k) {
            std::string wins;
            int events = 0;
            int frequency = 0;
            for (std::size_t i = 0; i < errors.size(); ++i) {
                if (errors[i] >= k) {
                    ++events;
                    if (errors[i] == k) {
                        wins += (frequency++ == 0 ? "" : ", ") + std::to_string(i + 1);
                    }
                }
            }
            const std::string expected =
                fmt::format("{{\"k\": {}, \"wins\": [{}], \"frequency\": {}, \"events\": {},", k + 1, wins,
                            frequency, events);
            EXPECT_EQ(r.out.find(expected) != std::string::npos, k < c.categories) << expected << "\n"
                                                                                   << r.out;
        }
    }
}

TEST(CliStats, TeamsAndUsage) {
    test::TTestHome home;
    T_Archivio archivio;
    Colonna zeros;
    zeros.s.fill(1);
    Colonna ones;
    ones.s.fill(2);
    archivio.Concorsi() = {Contest(2019, 1, zeros), Contest(2020, 1, zeros), Contest(2020, 2, ones),
                           Contest(2020, 3, ones), Contest(2020, 4, ones)};
    fs::create_directories(home.Path() / "ARCHIVI");
    archivio.Salva(home.Path() / "ARCHIVI" / "archivio.tts");
    const auto r = test::RunCli("stats teams --json");
    ASSERT_EQ(r.status, 0);
    // Sign 1 in the last three contests: run 3 and no delay; 0 waits 3 with frequency 2 of 5.
    EXPECT_EQ(
        r.out.rfind("{\"examined\": 5, \"season\": 2020, \"teams\": [{\"last\": \"1\", \"signs\": {\"0\": "
                    "{\"freq\": 2, \"season\": 1, \"delay\": 3, \"maxDelay\": 3, \"run\": 0, \"maxRun\": 2, "
                    "\"ic\": 1.2000000000000002}, \"1\": {\"freq\": 3, \"season\": 3, \"delay\": 0, "
                    "\"maxDelay\": 2, \"run\": 3, \"maxRun\": 3, \"ic\": 0}",
                    0),
        0u)
        << r.out;
    EXPECT_NE(test::RunCli("stats teams --from 2020/2 --json").out.find("{\"examined\": 3, \"season\": 2020"),
              std::string::npos);
    EXPECT_NE(test::RunCli("stats teams --kinds basket --json").out.find("{\"examined\": 0, \"season\": 0"),
              std::string::npos);

    const struct {
        const char* args;
        int status;
    } usage[] = {
        {"stats", 2},
        {"stats everything", 2},
        {"stats teams extra", 2},
        {"stats teams --ignore none", 2},
        {"stats teams --from 2020", 2},
        {"stats system", 2},
        {"stats system s.svs --categories 4", 2},
        {"stats system s.svs --ignore cf,foo", 2},
        {"stats teams --archive missing.tts", 1},
        {"stats system missing.svs", 1},
    };
    for (const auto& u : usage) {
        EXPECT_EQ(test::RunCli(u.args).status, u.status) << u.args;
    }
}

} // namespace
} // namespace tessaline
