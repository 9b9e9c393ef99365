#include "conditions/measures.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace tessaline {

namespace {

TCampo Valido(TCampo f) {
    f.min = std::clamp(f.min, 1, 12);
    f.max = std::clamp(f.max, 1, 12);
    return f;
}

inline SignSet S(const Colonna& c, int p) {
    return c.s[static_cast<std::size_t>(p - 1)];
}

// Bits p-1 for the teams p of [min, max].
inline std::uint32_t Bits(int min, int max) {
    return min <= max ? ((1u << max) - 1) & ~((1u << (min - 1)) - 1) : 0;
}

// Bit counts and longest runs of set bits of every 12-bit mask, looked up instead of computed.
struct TTabelleBit {
    std::array<std::uint8_t, 4096> conta{};
    std::array<std::uint8_t, 4096> run{};
};
constexpr TTabelleBit kBit = [] {
    TTabelleBit t;
    for (std::uint32_t m = 0; m < 4096; ++m) {
        int n = 0;
        int r = 0;
        int best = 0;
        for (int b = 0; b < 12; ++b) {
            const bool on = ((m >> b) & 1u) != 0;
            n += on ? 1 : 0;
            r = on ? r + 1 : 0;
            best = std::max(best, r);
        }
        t.conta[m] = static_cast<std::uint8_t>(n);
        t.run[m] = static_cast<std::uint8_t>(best);
    }
    return t;
}();

inline int Conta(std::uint32_t m) {
    return kBit.conta[m & 0xFFF];
}
inline int RunMassima(std::uint32_t m) {
    return kBit.run[m & 0xFFF];
}

// The even and odd runs of a field cut by its run starts, for every key of MisuraPariDispari.
struct TPariDispari {
    std::uint8_t pari = 0;
    std::uint8_t seriePari = 0;
    std::uint8_t dispari = 0;
    std::uint8_t serieDispari = 0;
};
constexpr std::array<TPariDispari, 8192> kPariDispari = [] {
    std::array<TPariDispari, 8192> t{};
    for (std::uint32_t key = 2; key < 8192; ++key) {
        int length = 12;
        while (((key >> length) & 1u) == 0) {
            --length;
        }
        TPariDispari e;
        int streakPari = 0;
        int streakDispari = 0;
        int start = 0;
        for (int j = 1; j <= length; ++j) {
            if (j < length && ((key >> j) & 1u) == 0) {
                continue;
            }
            // The run [start, j) closes.
            if ((j - start) % 2 == 0) {
                ++e.pari;
                ++streakPari;
                streakDispari = 0;
            } else {
                ++e.dispari;
                ++streakDispari;
                streakPari = 0;
            }
            e.seriePari = static_cast<std::uint8_t>(std::max<int>(e.seriePari, streakPari));
            e.serieDispari = static_cast<std::uint8_t>(std::max<int>(e.serieDispari, streakDispari));
            start = j;
        }
        t[key] = e;
    }
    return t;
}();

// Bit j of the result is bit L-1-j of x, for the low L bits of x.
constexpr std::array<std::uint16_t, 4096> kRovescio = [] {
    std::array<std::uint16_t, 4096> t{};
    for (std::uint32_t m = 0; m < 4096; ++m) {
        std::uint32_t r = 0;
        for (int b = 0; b < 12; ++b) {
            r |= ((m >> b) & 1u) << (11 - b);
        }
        t[m] = static_cast<std::uint16_t>(r);
    }
    return t;
}();

} // namespace

void MisuraNumeroSegni(const Colonna& c, const std::array<TCampo, 4>& campi, std::array<TConteggio, 4>& out) {
    MisuraNumeroSegni(c, Profilo(c), campi, out);
}

void MisuraNumeroSegni(const Colonna& c, const TProfilo& pr, const std::array<TCampo, 4>& campi,
                       std::array<TConteggio, 4>& out) {
    // A team outside its sign's field changes nothing; inside, it extends the run of its sign when
    // the previous counted team had the same sign, and starts a new run otherwise (which is the
    // same as setting the other signs' runs to 0).
    if (pr.segno[4] == 0 && campi[0].min <= 1 && campi[1].min <= 1 && campi[2].min <= 1 &&
        campi[3].min <= 1 && campi[0].max >= 12 && campi[1].max >= 12 && campi[2].max >= 12 &&
        campi[3].max >= 12) {
        // The usual case: whole fields and single signs, so every team counts.
        for (std::size_t s = 0; s < 4; ++s) {
            out[s] = {Conta(pr.segno[s]), RunMassima(pr.segno[s])};
        }
        return;
    }
    std::array<std::uint16_t, 5> inField{}; // bit p-1: team p lies in the field of the sign
    for (std::size_t s = 0; s < 4; ++s) {
        const TCampo f = Valido(campi[s]);
        if (f.min <= f.max) {
            inField[s] = static_cast<std::uint16_t>(((1u << f.max) - 1) & ~((1u << (f.min - 1)) - 1));
        }
    }
    const std::array<std::uint32_t, 5>& segno = pr.segno;
    const std::uint32_t contati =
        (segno[0] & inField[0]) | (segno[1] & inField[1]) | (segno[2] & inField[2]) | (segno[3] & inField[3]);
    if (contati == 0xFFF) {
        // Every team counts: the runs are the plain runs of each sign.
        for (std::size_t s = 0; s < 4; ++s) {
            out[s] = {Conta(segno[s]), RunMassima(segno[s])};
        }
        return;
    }
    std::array<int, 5> conta{};
    std::array<int, 5> serie{};
    int last = 5;
    int run = 0;
    for (int p = 0; p < 12; ++p) {
        const int s = kIndiceSegno[c.s[static_cast<std::size_t>(p)]];
        if (((inField[static_cast<std::size_t>(s)] >> p) & 1) == 0) {
            continue;
        }
        run = s == last ? run + 1 : 1;
        last = s;
        ++conta[static_cast<std::size_t>(s)];
        serie[static_cast<std::size_t>(s)] = std::max(serie[static_cast<std::size_t>(s)], run);
    }
    for (std::size_t s = 0; s < 4; ++s) {
        out[s] = {conta[s], serie[s]};
    }
}

TConteggio MisuraRisultati(const Colonna& c, const std::array<std::uint8_t, 6>& esiti) {
    TConteggio m;
    int run = 0;
    for (int k = 0; k < 6; ++k) {
        const SignSet home = c.s[2 * static_cast<std::size_t>(k)];
        const SignSet away = c.s[2 * static_cast<std::size_t>(k) + 1];
        const std::uint8_t r = home == away ? 2 : (home > away ? 1 : 4);
        if ((esiti[static_cast<std::size_t>(k)] & r) != 0) {
            ++m.conta;
            m.serie = std::max(m.serie, ++run);
        } else {
            run = 0;
        }
    }
    return m;
}

TConteggio MisuraPariDispari(const Colonna& c, TCampo campo, bool dispari) {
    return MisuraPariDispari(Profilo(c), campo, dispari);
}

TConteggio MisuraPariDispari(const TProfilo& pr, TCampo campo, bool dispari) {
    const TCampo f = Valido(campo);
    if (f.min > f.max) {
        return TConteggio{};
    }
    // Key: bit j (1 <= j < length) when a run begins at team min + j, and bit length as the end.
    const int length = f.max - f.min + 1;
    const std::uint32_t starts = (pr.cambi >> (f.min - 1)) & ((1u << length) - 2);
    const TPariDispari e = kPariDispari[starts | (1u << length)];
    return dispari ? TConteggio{e.dispari, e.serieDispari} : TConteggio{e.pari, e.seriePari};
}

TConteggio MisuraInterruzioni(const Colonna& c, TCampo campo) {
    return MisuraInterruzioni(Profilo(c), campo);
}

TConteggio MisuraInterruzioni(const TProfilo& pr, TCampo campo) {
    // Changes at teams min+1 .. max; the field is contiguous, so the longest streak is the longest
    // run of change bits inside it.
    const TCampo f = Valido(campo);
    const std::uint32_t m = pr.cambi & Bits(f.min + 1, f.max);
    return TConteggio{Conta(m), RunMassima(m)};
}

void MisuraInterruzioniSegni(const Colonna& c, const std::array<TCampo, 4>& campi, std::array<int, 4>& out) {
    MisuraInterruzioniSegni(Profilo(c), campi, out);
}

void MisuraInterruzioniSegni(const TProfilo& pr, const std::array<TCampo, 4>& campi,
                             std::array<int, 4>& out) {
    for (std::size_t i = 0; i < 4; ++i) {
        const TCampo f = Valido(campi[i]);
        out[i] = Conta(pr.cambi & pr.segno[i] & Bits(f.min + 1, f.max));
    }
}

TConteggio MisuraSimmetrie(const Colonna& c, TCampo campo, bool inverse) {
    return MisuraSimmetrie(c, Profilo(c), campo, inverse);
}

TConteggio MisuraSimmetrie(const Colonna& c, const TProfilo& pr, TCampo campo, bool inverse) {
    const TCampo f = Valido(campo);
    TConteggio m;
    if (f.min > f.max) {
        return m;
    }
    const int length = f.max - f.min + 1;
    const int half = length / 2;
    const int odd = length % 2;
    if (pr.segno[4] == 0) {
        // Every team holds one sign: equal pairs are the pairs where some sign's mask has both bits.
        // Bit j of x stands for team min + j; its pair is team max - j (mirror) or min + j + half + odd.
        const std::uint32_t field = (1u << length) - 1;
        std::uint32_t eq = 0;
        for (std::size_t s = 0; s < 4; ++s) {
            const std::uint32_t x = (pr.segno[s] >> (f.min - 1)) & field;
            eq |= inverse ? x & (x >> (half + odd)) : x & (std::uint32_t{kRovescio[x]} >> (12 - length));
        }
        eq &= (1u << half) - 1;
        return TConteggio{Conta(eq), RunMassima(eq)};
    }
    int streak = 0;
    for (int i = f.min; i < f.min + half; ++i) {
        const int other = inverse ? i + half + odd : f.max + f.min - i;
        const bool eq = S(c, i) == S(c, other);
        m.conta += eq ? 1 : 0;
        streak = eq ? streak + 1 : 0;
        m.serie = std::max(m.serie, streak);
    }
    return m;
}

TVortice MisuraVortice(const Colonna& c, TCampo campo, bool inverso) {
    const TCampo f = Valido(campo);
    // Positions min-1 .. max+1 may be looked at when the window closes; they hold no sign.
    std::array<int, 14> sign{};
    for (int p = 1; p <= 12; ++p) {
        sign[static_cast<std::size_t>(p)] = S(c, p);
    }
    sign[0] = -1;
    sign[13] = -1;
    auto at = [&](int p) { return p >= 0 && p <= 13 ? sign[static_cast<std::size_t>(p)] : -1; };
    int lo = f.min;
    int hi = f.max;
    int cur = 0;
    bool fromRight = true;
    if (!inverso) {
        cur = at(lo++);
    } else {
        cur = at(hi--);
        fromRight = false;
    }
    int pos = 0;
    int steps = 0;
    do {
        if (fromRight) {
            int found = 0;
            const int last = hi <= lo ? hi : lo;
            for (int p = hi; p >= last; --p) {
                if (at(p) == cur) {
                    found = p;
                    break;
                }
            }
            if (found != 0) {
                pos = found;
                hi = found - 1;
                fromRight = false;
            } else {
                cur = at(lo++);
            }
        } else {
            int found = 0;
            const int last = lo >= hi ? lo : hi;
            for (int p = lo; p <= last; ++p) {
                if (at(p) == cur) {
                    found = p;
                    break;
                }
            }
            if (found != 0) {
                pos = found;
                lo = found + 1;
                fromRight = true;
            } else {
                cur = at(hi--);
            }
        }
        ++steps;
    } while (hi >= lo - 1 && steps < 64);
    return TVortice{pos, steps - 1};
}

TConteggio MisuraRipetizioni(const Colonna& c, const Colonna& precedente, TCampo campo) {
    const TCampo f = Valido(campo);
    TConteggio m;
    int streak = 0;
    for (int p = f.min; p <= f.max; ++p) {
        if (S(c, p) == S(precedente, p)) {
            ++m.conta;
            m.serie = std::max(m.serie, ++streak);
        } else {
            streak = 0;
        }
    }
    return m;
}

TConteggio MisuraConsecutivita(const Colonna& c, SignSet segno, TCampo campo) {
    return MisuraConsecutivita(c, Profilo(c), segno, campo);
}

TConteggio MisuraConsecutivita(const Colonna& c, const TProfilo& pr, SignSet segno, TCampo campo) {
    const TCampo f = Valido(campo);
    const int i = kIndiceSegno[segno];
    std::uint32_t m = i < 4 ? pr.segno[static_cast<std::size_t>(i)] : 0;
    if (i >= 4) {
        for (std::size_t p = 0; p < 12; ++p) {
            m |= static_cast<std::uint32_t>(c.s[p] == segno) << p;
        }
    }
    m &= Bits(f.min, f.max);
    return TConteggio{Conta(m), RunMassima(m)};
}

} // namespace tessaline
