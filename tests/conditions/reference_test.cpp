// The measures work on bit masks and tables; here each is compared with a plain walk over the teams,
// written step by step as the algorithm reads, on seeded random columns and fields.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "conditions/measures.h"

namespace tessaline {
namespace {

SignSet S(const Colonna& c, int p) {
    return c.s[static_cast<std::size_t>(p - 1)];
}

void RefNumeroSegni(const Colonna& c, const std::array<TCampo, 4>& f, std::array<TConteggio, 4>& out) {
    out = {};
    std::array<int, 4> run{};
    for (int p = 1; p <= 12; ++p) {
        int s = -1;
        for (int i = 0; i < 4; ++i) {
            if (S(c, p) == kCodiciSegno[static_cast<std::size_t>(i)]) {
                s = i;
            }
        }
        if (s < 0) {
            continue;
        }
        const auto si = static_cast<std::size_t>(s);
        if (p < f[si].min || p > f[si].max) {
            continue;
        }
        ++out[si].conta;
        ++run[si];
        out[si].serie = std::max(out[si].serie, run[si]);
        for (std::size_t o = 0; o < 4; ++o) {
            if (o != si) {
                run[o] = 0;
            }
        }
    }
}

TConteggio RefPariDispari(const Colonna& c, TCampo f, bool dispari) {
    TConteggio m;
    int streak = 0;
    int length = 1;
    auto close = [&](int len) {
        if ((len % 2 == 1) == dispari) {
            ++m.conta;
            ++streak;
            m.serie = std::max(m.serie, streak);
        } else {
            streak = 0;
        }
    };
    for (int p = f.min + 1; p <= f.max; ++p) {
        if (S(c, p) == S(c, p - 1)) {
            ++length;
        } else {
            close(length);
            length = 1;
        }
    }
    close(length);
    return m;
}

TConteggio RefInterruzioni(const Colonna& c, TCampo f) {
    TConteggio m;
    int streak = 0;
    for (int p = f.min + 1; p <= f.max; ++p) {
        if (S(c, p) != S(c, p - 1)) {
            ++m.conta;
            ++streak;
            m.serie = std::max(m.serie, streak);
        } else {
            streak = 0;
        }
    }
    return m;
}

std::array<int, 4> RefInterruzioniSegni(const Colonna& c, const std::array<TCampo, 4>& f) {
    std::array<int, 4> out{};
    for (int p = 2; p <= 12; ++p) {
        if (S(c, p) == S(c, p - 1)) {
            continue;
        }
        for (std::size_t i = 0; i < 4; ++i) {
            if (S(c, p) == kCodiciSegno[i] && f[i].min + 1 <= p && p <= f[i].max) {
                ++out[i];
            }
        }
    }
    return out;
}

TConteggio RefSimmetrie(const Colonna& c, TCampo f, bool inverse) {
    TConteggio m;
    const int l = f.max - f.min + 1;
    const int h = l / 2;
    const int odd = l % 2;
    int streak = 0;
    for (int i = f.min; i <= f.min + h - 1; ++i) {
        const int other = inverse ? i + h + odd : f.max + f.min - i;
        if (S(c, i) == S(c, other)) {
            ++m.conta;
            ++streak;
            m.serie = std::max(m.serie, streak);
        } else {
            streak = 0;
        }
    }
    return m;
}

TConteggio RefConsecutivita(const Colonna& c, SignSet s, TCampo f) {
    TConteggio m;
    int p = f.min;
    while (p <= f.max) {
        if (S(c, p) == s) {
            ++m.conta;
            int run = 1;
            while (p + 1 <= f.max && S(c, p + 1) == s) {
                ++p;
                ++m.conta;
                ++run;
            }
            m.serie = std::max(m.serie, run);
        }
        ++p;
    }
    return m;
}

TEST(MeasuresReference, RandomColumnsAndFields) {
    std::mt19937 rng(4242);
    auto campo = [&] {
        if (rng() % 3 == 0) {
            return TCampo{1, 12};
        }
        const int a = 1 + static_cast<int>(rng() % 12);
        const int b = 1 + static_cast<int>(rng() % 12);
        return TCampo{std::min(a, b), std::max(a, b)};
    };
    for (int n = 0; n < 4000; ++n) {
        Colonna c;
        // Mostly few distinct signs so that runs and pairs occur; now and then a byte that is no
        // single sign (unknown team, or two signs).
        const int variety = 1 + static_cast<int>(rng() % 4);
        for (SignSet& s : c.s) {
            s = kCodiciSegno[rng() % static_cast<unsigned>(variety)];
            if (n % 5 == 0 && rng() % 8 == 0) {
                s = static_cast<SignSet>(rng() % 2 == 0 ? 0 : 3);
            }
        }
        const std::array<TCampo, 4> campi = {campo(), campo(), campo(), campo()};
        std::array<TConteggio, 4> fast;
        std::array<TConteggio, 4> ref;
        MisuraNumeroSegni(c, campi, fast);
        RefNumeroSegni(c, campi, ref);
        ASSERT_EQ(fast, ref) << n;
        const TCampo f = campi[0];
        for (const bool flag : {false, true}) {
            ASSERT_EQ(MisuraPariDispari(c, f, flag), RefPariDispari(c, f, flag)) << n;
            ASSERT_EQ(MisuraSimmetrie(c, f, flag), RefSimmetrie(c, f, flag)) << n;
        }
        ASSERT_EQ(MisuraInterruzioni(c, f), RefInterruzioni(c, f)) << n;
        std::array<int, 4> segni;
        MisuraInterruzioniSegni(c, campi, segni);
        ASSERT_EQ(segni, RefInterruzioniSegni(c, campi)) << n;
        for (const SignSet s : kCodiciSegno) {
            ASSERT_EQ(MisuraConsecutivita(c, s, f), RefConsecutivita(c, s, f)) << n;
        }
    }
}

} // namespace
} // namespace tessaline
