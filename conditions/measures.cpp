#include "conditions/measures.h"

#include <algorithm>

namespace tessaline {

namespace {

TCampo Valido(TCampo f) {
    f.min = std::clamp(f.min, 1, 12);
    f.max = std::clamp(f.max, 1, 12);
    return f;
}

inline SignSet S(const Colonna& c, int p) { return c.s[static_cast<std::size_t>(p - 1)]; }

} // namespace

void MisuraNumeroSegni(const Colonna& c, const std::array<TCampo, 4>& campi, std::array<TConteggio, 4>& out) {
    std::array<TCampo, 4> f;
    for (int s = 0; s < 4; ++s) {
        f[static_cast<std::size_t>(s)] = Valido(campi[static_cast<std::size_t>(s)]);
    }
    out = {};
    std::array<int, 4> run{};
    for (int p = 1; p <= 12; ++p) {
        const int s = kIndiceSegno[S(c, p)];
        if (s > 3) {
            continue;
        }
        const auto si = static_cast<std::size_t>(s);
        if (p < f[si].min || p > f[si].max) {
            continue;
        }
        ++out[si].conta;
        const int r = run[si] + 1;
        run = {};
        run[si] = r;
        out[si].serie = std::max(out[si].serie, r);
    }
}

TConteggio MisuraRisultati(const Colonna& c, const std::array<std::uint8_t, 6>& esiti) {
    TConteggio m;
    int run = 0;
    for (int k = 0; k < 6; ++k) {
        const SignSet home = c.s[static_cast<std::size_t>(2 * k)];
        const SignSet away = c.s[static_cast<std::size_t>(2 * k + 1)];
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
    const TCampo f = Valido(campo);
    TConteggio m;
    if (f.min > f.max) {
        return m;
    }
    int streak = 0;
    auto close = [&](int length) {
        if ((length % 2 == 1) == dispari) {
            ++m.conta;
            m.serie = std::max(m.serie, ++streak);
        } else {
            streak = 0;
        }
    };
    int length = 1;
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

TConteggio MisuraInterruzioni(const Colonna& c, TCampo campo) {
    const TCampo f = Valido(campo);
    TConteggio m;
    int streak = 0;
    for (int p = f.min + 1; p <= f.max; ++p) {
        if (S(c, p) != S(c, p - 1)) {
            ++m.conta;
            m.serie = std::max(m.serie, ++streak);
        } else {
            streak = 0;
        }
    }
    return m;
}

void MisuraInterruzioniSegni(const Colonna& c, const std::array<TCampo, 4>& campi, std::array<int, 4>& out) {
    out = {};
    for (int p = 2; p <= 12; ++p) {
        const SignSet s = S(c, p);
        if (s == S(c, p - 1)) {
            continue;
        }
        const int i = kIndiceSegno[s];
        if (i > 3) {
            continue;
        }
        const TCampo f = Valido(campi[static_cast<std::size_t>(i)]);
        if (f.min + 1 <= p && p <= f.max) {
            ++out[static_cast<std::size_t>(i)];
        }
    }
}

TConteggio MisuraSimmetrie(const Colonna& c, TCampo campo, bool inverse) {
    const TCampo f = Valido(campo);
    TConteggio m;
    if (f.min > f.max) {
        return m;
    }
    const int length = f.max - f.min + 1;
    const int half = length / 2;
    const int odd = length % 2;
    int streak = 0;
    for (int i = f.min; i < f.min + half; ++i) {
        const int other = inverse ? i + half + odd : f.max + f.min - i;
        if (S(c, i) == S(c, other)) {
            ++m.conta;
            m.serie = std::max(m.serie, ++streak);
        } else {
            streak = 0;
        }
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
    const TCampo f = Valido(campo);
    TConteggio m;
    int run = 0;
    for (int p = f.min; p <= f.max; ++p) {
        if (S(c, p) == segno) {
            ++m.conta;
            m.serie = std::max(m.serie, ++run);
        } else {
            run = 0;
        }
    }
    return m;
}

} // namespace tessaline
