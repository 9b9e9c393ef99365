#include "archive/demo_archive.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tessaline {

namespace {

// splitmix64: a small generator whose sequence is the same on every platform.
class TGeneratore {
public:
    explicit TGeneratore(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1.
    int Below(int n) { return static_cast<int>((Next() >> 32) % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

// Cumulative Poisson probabilities of 0, 1 and 2 goals, in ten-thousandths, for the means
// 0.55, 0.75, 0.95, 1.15, 1.35, 1.6 and 1.9 (three or more goals take the rest).
constexpr std::array<std::array<int, 3>, 7> kPoisson = {{{5769, 8943, 9815},
                                                         {4724, 8266, 9595},
                                                         {3867, 7541, 9287},
                                                         {3166, 6808, 8901},
                                                         {2592, 6092, 8454},
                                                         {2019, 5249, 7834},
                                                         {1496, 4337, 7037}}};

SignSet Gol(TGeneratore& g, int media) {
    const auto& cum = kPoisson[static_cast<std::size_t>(std::clamp(media, 0, 6))];
    const int u = g.Below(10000);
    return u < cum[0] ? kSign0 : u < cum[1] ? kSign1 : u < cum[2] ? kSign2 : kSignM;
}

constexpr int kSquadre = 20;
constexpr std::int32_t kPrimaStagione = 2014;
constexpr int kStagioniComplete = 10;
constexpr int kConcorsiPerStagione = 38;
constexpr int kConcorsiUltimaStagione = 16;

} // namespace

T_Archivio ArchivioDimostrativo() {
    T_Archivio a;
    TGeneratore g(20140831u);
    for (int s = 0; s <= kStagioniComplete; ++s) {
        const std::int32_t anno = kPrimaStagione + s;
        std::array<int, kSquadre> forza{};
        for (int& f : forza) {
            f = g.Below(5);
        }
        const int concorsi = s < kStagioniComplete ? kConcorsiPerStagione : kConcorsiUltimaStagione;
        for (int n = 1; n <= concorsi; ++n) {
            T_Concorso c;
            c.Anno = anno;
            c.Numero = static_cast<std::uint8_t>(n);
            c.Tipo = (s % 3 == 1 && n == 20) ? 2 : 1;
            // Twelve different teams: the first twelve of a partial shuffle.
            std::array<int, kSquadre> ordine{};
            for (int i = 0; i < kSquadre; ++i) {
                ordine[static_cast<std::size_t>(i)] = i;
            }
            for (int i = 0; i < kTeams; ++i) {
                std::swap(
                    ordine[static_cast<std::size_t>(i)],
                    ordine[static_cast<std::size_t>(i) + static_cast<std::size_t>(g.Below(kSquadre - i))]);
            }
            for (std::size_t m = 0; m < 6; ++m) {
                const int casa = forza[static_cast<std::size_t>(ordine[2 * m])];
                const int ospite = forza[static_cast<std::size_t>(ordine[2 * m + 1])];
                if (c.Tipo == 2) {
                    // Basketball scores run high: most teams end on M.
                    c.ColonnaVincente.s[2 * m] = Gol(g, 6);
                    c.ColonnaVincente.s[2 * m + 1] = Gol(g, 5);
                } else {
                    c.ColonnaVincente.s[2 * m] = Gol(g, 3 + casa - ospite);
                    c.ColonnaVincente.s[2 * m + 1] = Gol(g, 2 + ospite - casa);
                }
            }
            a.Concorsi().push_back(c);
        }
    }
    auto rinviata = [&a](std::int32_t anno, int numero, int partita) {
        for (T_Concorso& c : a.Concorsi()) {
            if (c.Anno == anno && c.Numero == numero) {
                c.ColonnaVincente.s[static_cast<std::size_t>(2 * partita - 2)] = 0;
                c.ColonnaVincente.s[static_cast<std::size_t>(2 * partita - 1)] = 0;
            }
        }
    };
    rinviata(2016, 23, 3);
    rinviata(2019, 31, 6);
    rinviata(2022, 5, 1);
    // The last contest is still being played: its last two matches have no result yet.
    rinviata(kPrimaStagione + kStagioniComplete, kConcorsiUltimaStagione, 5);
    rinviata(kPrimaStagione + kStagioniComplete, kConcorsiUltimaStagione, 6);
    for (T_Concorso& c : a.Concorsi()) {
        c.AggiornaCompleto();
    }
    return a;
}

} // namespace tessaline
