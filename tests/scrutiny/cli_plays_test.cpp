// historical, plays show and plays scrutiny on the command line against a straightforward
// reference on seeded random column files, archives and plays files.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fmt/format.h>
#include <fmt/ranges.h>
#include <random>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "core/column.h"
#include "support/test_home.h"

namespace tessaline {
namespace {

namespace fs = std::filesystem;

std::string Q(const fs::path& p) {
    return "'" + p.string() + "'";
}

using Bytes = std::vector<unsigned char>;

void PutI32(Bytes& b, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k) {
        b.push_back(static_cast<unsigned char>(u >> (8 * k)));
    }
}

void PutF64(Bytes& b, double v) {
    std::uint64_t u = 0;
    std::memcpy(&u, &v, 8);
    for (int k = 0; k < 8; ++k) {
        b.push_back(static_cast<unsigned char>(u >> (8 * k)));
    }
}

void PutColumn(Bytes& b, const std::array<unsigned char, 12>& c) {
    b.insert(b.end(), c.begin(), c.end());
}

using Col = std::array<unsigned char, 12>;

// A column with one sign per team, and with probability `multi` a few teams holding more.
Col RandomColumn(std::mt19937& rng, double multi, int maxMultiTeams) {
    Col c{};
    for (auto& s : c) {
        s = static_cast<unsigned char>(1u << (rng() % 4));
    }
    if (std::uniform_real_distribution<double>(0, 1)(rng) < multi) {
        const int teams = 1 + static_cast<int>(rng() % static_cast<unsigned>(maxMultiTeams));
        for (int k = 0; k < teams; ++k) {
            c[rng() % 12] = static_cast<unsigned char>(1 + rng() % 15);
        }
    }
    return c;
}

// Points: a match is right when both its teams' sign sets meet the winning column's.
int RefPoints(const Col& a, const Col& w) {
    int points = 0;
    for (int m = 0; m < 6; ++m) {
        points += ((a[2 * m] & w[2 * m]) != 0 && (a[2 * m + 1] & w[2 * m + 1]) != 0) ? 1 : 0;
    }
    return points;
}

// Every single column a column covers.
void RefExpand(const Col& c, int team, Col& cur, std::vector<Col>& out) {
    if (team == 12) {
        out.push_back(cur);
        return;
    }
    for (int b = 0; b < 4; ++b) {
        if ((c[static_cast<std::size_t>(team)] >> b) & 1) {
            cur[static_cast<std::size_t>(team)] = static_cast<unsigned char>(1 << b);
            RefExpand(c, team + 1, cur, out);
        }
    }
}

std::vector<Col> Singles(const Col& c) {
    std::vector<Col> out;
    Col cur{};
    RefExpand(c, 0, cur, out);
    return out;
}

std::string Counts(const std::array<std::int64_t, 7>& c) {
    return fmt::format("[{}]", fmt::join(c, ", "));
}

std::string WinningText(const Col& w) {
    std::string s;
    for (unsigned char b : w) {
        s += b == 1 ? '0' : b == 2 ? '1' : b == 4 ? '2' : 'M';
    }
    return s;
}

struct TRefContest {
    int tipo;
    int numero;
    int anno;
    Col col;
    bool complete;
};

TEST(CliHistorical, MatchesTheReferenceOnRandomArchivesAndColumnFiles) {
    test::TTestHome home;
    const struct {
        unsigned seed;
        const char* range;                    // extra RANGE options
        int kinds;                            // admitted kinds as bits
        int fromYear, fromNum, toYear, toNum; // -1: the archive's ends
    } cases[] = {
        {1, "", 1, -1, -1, -1, -1},
        {2, "--kinds basket", 2, -1, -1, -1, -1},
        {3, "--kinds calcio,basket --from 2021/5", 3, 2021, 5, -1, -1},
        {4, "--from 2020/3 --to 2022/10", 1, 2020, 3, 2022, 10},
        {5, "--kinds calcio,basket --to 2020/2", 3, -1, -1, 2020, 2},
    };
    for (const auto& tc : cases) {
        std::mt19937 rng(tc.seed);
        // The archive: seasons 2020 to 2023, a random selection of numbers, some incomplete.
        T_Archivio archive;
        std::vector<TRefContest> ref;
        for (int year = 2020; year <= 2023; ++year) {
            for (int n = 1; n <= 12; ++n) {
                if (rng() % 3 == 0) {
                    continue;
                }
                T_Concorso c;
                c.Anno = year;
                c.Numero = static_cast<std::uint8_t>(n);
                c.Tipo = static_cast<std::uint8_t>(rng() % 4 == 0 ? 2 : 1);
                Col w = RandomColumn(rng, 0, 1);
                const bool complete = rng() % 8 != 0;
                if (!complete) {
                    w[rng() % 12] = 0;
                }
                std::copy(w.begin(), w.end(), c.ColonnaVincente.s.begin());
                c.AggiornaCompleto();
                archive.Concorsi().push_back(c);
                ref.push_back({c.Tipo, n, year, w, complete});
            }
        }
        const fs::path tts = home.Path() / "a.tts";
        ASSERT_TRUE(archive.Salva(tts));
        // The column file: mostly single columns, some with several signs or an empty team.
        std::vector<Col> set;
        Bytes colBytes;
        const int count = 50 + static_cast<int>(rng() % 200);
        for (int i = 0; i < count; ++i) {
            Col c = RandomColumn(rng, 0.1, 3);
            if (rng() % 40 == 0) {
                c[rng() % 12] = 0;
            }
            set.push_back(c);
            PutColumn(colBytes, c);
        }
        const fs::path col = home.Path() / "set.col";
        test::WriteBytes(col, colBytes);

        // The reference walk.
        const int fy = tc.fromYear < 0 ? ref.front().anno : tc.fromYear;
        const int fn = tc.fromYear < 0 ? ref.front().numero : tc.fromNum;
        const int ty = tc.toYear < 0 ? ref.back().anno : tc.toYear;
        const int tn = tc.toYear < 0 ? ref.back().numero : tc.toNum;
        std::int64_t examined = 0;
        std::array<std::int64_t, 7> total{}, hits{}, delay{}, maxDelay{};
        std::string contests;
        for (const TRefContest& c : ref) {
            const bool in = c.complete && ((tc.kinds >> (c.tipo - 1)) & 1) != 0 &&
                            (c.anno > fy || (c.anno == fy && c.numero >= fn)) &&
                            (c.anno < ty || (c.anno == ty && c.numero <= tn));
            if (!in) {
                continue;
            }
            ++examined;
            std::array<std::int64_t, 7> here{};
            for (const Col& s : set) {
                ++here[static_cast<std::size_t>(RefPoints(s, c.col))];
            }
            for (std::size_t p = 0; p < 7; ++p) {
                total[p] += here[p];
                if (here[p] > 0) {
                    ++hits[p];
                    delay[p] = 0;
                } else {
                    maxDelay[p] = std::max(maxDelay[p], ++delay[p]);
                }
            }
            contests += fmt::format("{}{{\"Anno\": {}, \"Numero\": {}, \"Tipo\": {}, \"counts\": {}}}",
                                    contests.empty() ? "" : ", ", c.anno, c.numero, c.tipo, Counts(here));
        }
        std::string rows;
        for (std::size_t p = 0; p < 7; ++p) {
            const double cycle =
                hits[p] > 0 ? static_cast<double>(examined) / static_cast<double>(hits[p]) : 0.0;
            const double factor = examined > 0
                                      ? static_cast<double>(hits[p]) / static_cast<double>(examined) *
                                            static_cast<double>(delay[p])
                                      : 0.0;
            rows +=
                fmt::format("{}{{\"points\": {}, \"total\": {}, \"hits\": {}, \"cycle\": {}, \"delay\": {}, "
                            "\"maxDelay\": {}, \"factor\": {}}}",
                            p == 0 ? "" : ", ", p, total[p], hits[p], cycle, delay[p], maxDelay[p], factor);
        }
        const std::string expected =
            fmt::format("{{\"examined\": {}, \"columns\": {}, \"rows\": [{}], \"contests\": [{}]}}\n",
                        examined, set.size(), rows, contests);
        const auto r =
            test::RunCli("historical " + Q(col) + " --archive " + Q(tts) + " " + tc.range + " --json");
        ASSERT_EQ(r.status, 0) << tc.seed;
        EXPECT_EQ(r.out, expected) << tc.seed;
    }
}

TEST(CliHistorical, BadInput) {
    test::TTestHome home;
    T_Archivio archive;
    archive.Concorsi().push_back(T_Concorso::Nuovo());
    const fs::path tts = home.Path() / "a.tts";
    ASSERT_TRUE(archive.Salva(tts));
    fs::create_directories(home.Path() / "folder.col");
    const struct {
        std::string args;
        int status;
        std::string out;
    } cases[] = {
        {"historical " + Q(home.Path() / "none.col") + " --archive " + Q(tts) + " --json", 1,
         "{\"error\": \"Impossibile Caricare Il File Colonnare\"}\n"},
        {"historical " + Q(home.Path() / "folder.col") + " --archive " + Q(tts) + " --json", 1,
         "{\"error\": \"Impossibile Caricare Il File Colonnare\"}\n"},
        {"historical " + Q(home.Path() / "x.col") + " --archive " + Q(home.Path() / "none.tts") + " --json",
         1, "{\"error\": \"Impossibile Caricare L'Archivio.\"}\n"},
        {"historical x.col --from 2020 --json", 2, ""},
        {"historical x.col --kinds volley --json", 2, ""},
        {"historical --json", 2, ""},
        {"plays show --json", 2, ""},
        {"plays show x --json", 2, ""},
        {"plays scrutiny 3 --json", 2, ""},
        {"plays scrutiny 3 --winning 0120 --json", 2, ""},
        {"plays show 3 --winning 000000000000 --json", 2, ""},
    };
    for (const auto& c : cases) {
        const auto r = test::RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

// A plays file built from the layout: coupons, integral systems, reduced systems.
struct TRefPlays {
    std::vector<std::array<Col, 3>> coupons;
    std::vector<Col> integral;
    struct System {
        std::int32_t d, t, q;
        std::vector<Col> cols;
    };
    std::vector<System> systems;

    Bytes Encode() const {
        Bytes b;
        PutI32(b, static_cast<std::int32_t>(coupons.size()));
        for (const auto& c : coupons) {
            for (const Col& k : c) {
                PutColumn(b, k);
            }
        }
        PutI32(b, static_cast<std::int32_t>(integral.size()));
        for (const Col& k : integral) {
            PutColumn(b, k);
        }
        PutI32(b, static_cast<std::int32_t>(systems.size()));
        for (const System& s : systems) {
            PutI32(b, s.d);
            PutI32(b, s.t);
            PutI32(b, s.q);
            PutF64(b, 46000.0);
            PutF64(b, 0.5);
            PutI32(b, static_cast<std::int32_t>(s.cols.size()));
            for (const Col& k : s.cols) {
                PutColumn(b, k);
            }
        }
        return b;
    }
};

TEST(CliPlays, ShowAndScrutinyMatchTheReference) {
    test::TTestHome home;
    fs::create_directories(home.Path() / "ArchivioGiocate");
    for (unsigned seed = 1; seed <= 6; ++seed) {
        std::mt19937 rng(seed);
        TRefPlays plays;
        const Col zero{};
        for (int i = static_cast<int>(rng() % 12); i > 0; --i) {
            std::array<Col, 3> c{RandomColumn(rng, 0, 1), RandomColumn(rng, 0, 1), RandomColumn(rng, 0, 1)};
            for (int k = 1; k < 3; ++k) {
                if (rng() % 3 == 0) {
                    c[static_cast<std::size_t>(k)] = zero;
                }
            }
            plays.coupons.push_back(c);
        }
        for (int i = static_cast<int>(rng() % 5); i > 0; --i) {
            plays.integral.push_back(RandomColumn(rng, 1.0, 4));
        }
        for (int i = static_cast<int>(rng() % 4); i > 0; --i) {
            TRefPlays::System s{
                static_cast<std::int32_t>(rng() % 5), static_cast<std::int32_t>(rng() % 3), 0, {}};
            for (int k = static_cast<int>(rng() % 30); k > 0; --k) {
                s.cols.push_back(RandomColumn(rng, 0.2, 2));
            }
            plays.systems.push_back(s);
        }
        const int number = static_cast<int>(1 + seed * 7);
        test::WriteBytes(home.Path() / "ArchivioGiocate" / fmt::format("Concorso_{}.dat", number),
                         plays.Encode());

        // Reference volume at 800 lire a column, and the wins of every kind.
        const Col w = RandomColumn(rng, 0, 1);
        std::int64_t singles = 0;
        std::array<std::int64_t, 7> coupons{}, integral{}, reduced{};
        std::vector<std::array<std::int64_t, 7>> systems;
        auto count = [&](const Col& c, std::array<std::int64_t, 7>& into) {
            for (const Col& s : Singles(c)) {
                ++singles;
                ++into[static_cast<std::size_t>(RefPoints(s, w))];
            }
        };
        for (const auto& c : plays.coupons) {
            for (const Col& k : c) {
                if (k != zero) {
                    count(k, coupons);
                }
            }
        }
        for (const Col& k : plays.integral) {
            count(k, integral);
        }
        for (const auto& s : plays.systems) {
            std::array<std::int64_t, 7> own{};
            for (const Col& k : s.cols) {
                count(k, own);
            }
            for (std::size_t p = 0; p < 7; ++p) {
                reduced[p] += own[p];
            }
            systems.push_back(own);
        }
        auto r = test::RunCli(fmt::format("plays show {} --json", number));
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.out,
                  fmt::format("{{\"coupons\": {}, \"integral\": {}, \"reduced\": {}, \"volume\": {}}}\n",
                              plays.coupons.size(), plays.integral.size(), plays.systems.size(),
                              static_cast<double>(singles) * 800.0))
            << seed;
        std::string perSystem;
        for (const auto& s : systems) {
            perSystem += (perSystem.empty() ? "" : ", ") + Counts(s);
        }
        r = test::RunCli(fmt::format("plays scrutiny {} --winning '{}' --json", number, WinningText(w)));
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.out,
                  fmt::format("{{\"coupons\": {}, \"integral\": {}, \"reduced\": {}, \"systems\": [{}]}}\n",
                              Counts(coupons), Counts(integral), Counts(reduced), perSystem))
            << seed;
    }
}

TEST(CliPlays, DamagedFilesReadAsEmpty) {
    test::TTestHome home;
    fs::create_directories(home.Path() / "ArchivioGiocate");
    TRefPlays plays;
    plays.coupons.push_back({Col{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, Col{}, Col{}});
    plays.systems.push_back({1, 0, 0, {Col{3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}}});
    const Bytes good = plays.Encode();
    Bytes negative = good;
    negative[0] = 0xFF, negative[1] = 0xFF, negative[2] = 0xFF, negative[3] = 0xFF;
    Bytes huge = good;
    huge[3] = 0x7F;
    Bytes hugeSystem = good;
    hugeSystem[good.size() - 12 - 4 + 3] = 0x40; // the system's column count
    const Bytes truncated(good.begin(), good.end() - 1);
    const struct {
        const char* name;
        Bytes bytes;
        const char* out;
    } cases[] = {
        {"good", good, "{\"coupons\": 1, \"integral\": 0, \"reduced\": 1, \"volume\": 2400}\n"},
        {"negative", negative, "{\"coupons\": 0, \"integral\": 0, \"reduced\": 0, \"volume\": 0}\n"},
        {"huge", huge, "{\"coupons\": 0, \"integral\": 0, \"reduced\": 0, \"volume\": 0}\n"},
        {"hugeSystem", hugeSystem, "{\"coupons\": 0, \"integral\": 0, \"reduced\": 0, \"volume\": 0}\n"},
        {"truncated", truncated, "{\"coupons\": 0, \"integral\": 0, \"reduced\": 0, \"volume\": 0}\n"},
        {"empty", Bytes{}, "{\"coupons\": 0, \"integral\": 0, \"reduced\": 0, \"volume\": 0}\n"},
    };
    for (const auto& c : cases) {
        test::WriteBytes(home.Path() / "ArchivioGiocate" / "Concorso_5.dat", c.bytes);
        const auto r = test::RunCli("plays show 5 --json");
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.out, c.out) << c.name;
    }
    // No file at all: an empty archive, and a scrutiny of nothing.
    const auto r = test::RunCli("plays scrutiny 6 --winning '000000000000' --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"coupons\": [0, 0, 0, 0, 0, 0, 0], \"integral\": [0, 0, 0, 0, 0, 0, 0], \"reduced\": [0, 0, "
              "0, 0, 0, 0, 0], \"systems\": []}\n");
}

} // namespace
} // namespace tessaline
