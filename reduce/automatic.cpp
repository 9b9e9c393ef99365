#include "reduce/automatic.h"

#include <cmath>

#include "reduce/immediate.h"

namespace tessaline {

namespace {

constexpr SignSet kSigns[4] = {kSign0, kSign1, kSign2, kSignM};

std::size_t U(int i) {
    return static_cast<std::size_t>(i);
}

// Signs of a team that a draw can give.
int SegniPossibili(const TPesi& p, int team) {
    int n = 0;
    for (int s = 0; s < 4; ++s) {
        n += p.peso[U(team)][U(s)] > 0 ? 1 : 0;
    }
    return n;
}

} // namespace

TStatisticaSegni StatisticaDa(const TStoriaSquadre& storia) {
    TStatisticaSegni st;
    st.concorsi = storia.Esaminati;
    for (int t = 0; t < kTeams; ++t) {
        for (int s = 0; s < 4; ++s) {
            const TStoriaSegno& h = storia.Squadre[U(t)].Segni[U(s)];
            st.frequenza[U(t)][U(s)] = h.Frequenza;
            st.ritardo[U(t)][U(s)] = h.RitardoAttuale;
        }
    }
    return st;
}

int Uniforme(TGeneratore& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

std::optional<TPesi> PreparaPesi(const TOpzioniPesi& o) {
    TPesi p;
    for (int t = 0; t < kTeams; ++t) {
        auto& w = p.peso[U(t)];
        for (int s = 0; s < 4; ++s) {
            switch (o.tecnica) {
            case TTecnica::Casuale:
                w[U(s)] = 25;
                break;
            case TTecnica::CasualeConPicchetto:
                w[U(s)] = std::max(0, o.percentuali[U(t)][U(s)]);
                break;
            case TTecnica::Statistica:
                if (o.statistica.concorsi <= 0) {
                    w[U(s)] = 25;
                } else {
                    const double f = static_cast<double>(o.statistica.frequenza[U(t)][U(s)]) /
                                     static_cast<double>(o.statistica.concorsi) *
                                     static_cast<double>(o.statistica.ritardo[U(t)][U(s)]) * 10.0;
                    w[U(s)] = std::llround(f) + 1;
                }
                break;
            }
            if (o.usaPronostico && (o.pronostico[t] & kSigns[s]) == 0) {
                w[U(s)] = 0;
            }
        }
        p.somma[U(t)] = w[0] + w[1] + w[2] + w[3];
        if (p.somma[U(t)] <= 0) {
            return std::nullopt;
        }
    }
    return p;
}

Pronostico InsiemiAmmessi(const TOpzioniPesi& o) {
    Pronostico allowed{};
    for (int t = 0; t < kTeams; ++t) {
        SignSet set = kAllSigns;
        if (o.usaPronostico) {
            set &= o.pronostico[t];
        }
        if (o.tecnica == TTecnica::CasualeConPicchetto) {
            for (int s = 0; s < 4; ++s) {
                if (o.percentuali[U(t)][U(s)] == 0) {
                    set = static_cast<SignSet>(set & ~kSigns[s]);
                }
            }
        }
        allowed[t] = set;
    }
    return allowed;
}

const char* ErroreTesto(bool usaPronostico, bool picchetto) {
    if (usaPronostico && picchetto) {
        return msg::kProPicchettoPiuAmpio;
    }
    return usaPronostico ? msg::kProPiuAmpio : msg::kPicchettoPiuAmpio;
}

SignSet SegnoCasuale(const TPesi& p, int team, TGeneratore& rng) {
    const auto& w = p.peso[U(team)];
    const std::int64_t r = std::uniform_int_distribution<std::int64_t>(1, p.somma[U(team)])(rng);
    if (r <= w[0]) {
        return kSign0;
    }
    if (r <= w[0] + w[1]) {
        return kSign1;
    }
    if (r <= w[0] + w[1] + w[2]) {
        return kSign2;
    }
    return kSignM;
}

std::optional<Colonna> ColonnaCasuale(const TPesi& p, const Pronostico& ammessi, int d, int t, int q,
                                      TGeneratore& rng) {
    if (d < 0 || t < 0 || q < 0 || d + t + q > kTeams) {
        return std::nullopt;
    }
    Colonna c{};
    for (int team = 0; team < kTeams; ++team) {
        c[team] = SegnoCasuale(p, team, rng);
    }
    // Each step picks teams until the column holds its count, or gives up.
    const auto step = [&](int wanted, int (*count)(const Colonna&), const auto& grow) {
        int picks = 0;
        while (count(c) < wanted) {
            if (++picks > kMaxScelte) {
                return false;
            }
            const int team = Uniforme(rng, 0, kTeams - 1);
            if (IsFixed(c[team])) {
                grow(team);
            }
        }
        return true;
    };
    const bool ok = step(q, CountQuadruples,
                         [&](int team) {
                             if (ammessi[team] == kAllSigns && SegniPossibili(p, team) == 4) {
                                 c[team] = kAllSigns;
                             }
                         }) &&
                    step(t, CountTriples,
                         [&](int team) {
                             if (SignCount(ammessi[team]) >= 3 && SegniPossibili(p, team) >= 3) {
                                 while (SignCount(c[team]) < 3) {
                                     c[team] = static_cast<SignSet>(c[team] | SegnoCasuale(p, team, rng));
                                 }
                             }
                         }) &&
                    step(d, CountDoubles, [&](int team) {
                        c[team] = static_cast<SignSet>(c[team] | SegnoCasuale(p, team, rng));
                    });
    if (!ok) {
        return std::nullopt;
    }
    return c;
}

bool GeneraSchedine(int n, const std::array<TColonnaSchedina, 3>& colonne, const TPesi& p,
                    const Pronostico& ammessi, TGeneratore& rng, TListaColonne& lista,
                    const std::function<void(const std::array<Colonna, 3>&)>& registra) {
    for (int k = 0; k < n; ++k) {
        std::array<Colonna, 3> coupon{};
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& c = colonne[i];
            if (i > 0 && !c.usata) {
                continue;
            }
            const auto drawn = ColonnaCasuale(p, ammessi, c.doppie, c.triple, c.quadruple, rng);
            if (!drawn) {
                return false;
            }
            coupon[i] = *drawn;
        }
        for (const Colonna& c : coupon) {
            lista.Append(c);
        }
        if (registra) {
            registra(coupon);
        }
    }
    return true;
}

std::array<double, 3> CostiSchedina(const std::array<TColonnaSchedina, 3>& colonne, double price) {
    std::array<double, 3> costs{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& c = colonne[i];
        if (i == 0 || c.usata) {
            costs[i] = CostoColonna(price, c.doppie, c.triple, c.quadruple);
        }
    }
    return costs;
}

bool SchedinaSemplice(const std::array<TColonnaSchedina, 3>& colonne) {
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& c = colonne[i];
        if ((i > 0 && !c.usata) || c.doppie != 0 || c.triple != 0 || c.quadruple != 0) {
            return false;
        }
    }
    return true;
}

IntegralBases IntegraliCasuali(const Colonna& base, int intD, int intT, int intQ, TGeneratore& rng) {
    IntegralBases bases{};
    const std::pair<int, int> kinds[] = {{2, intD}, {3, intT}, {4, intQ}};
    for (const auto& [signs, picks] : kinds) {
        int holders = 0;
        for (int t = 0; t < kTeams; ++t) {
            holders += SignCount(base[t]) == signs ? 1 : 0;
        }
        for (int k = 0; holders > 0 && k < picks; ++k) {
            int team = 0;
            do {
                team = Uniforme(rng, 0, kTeams - 1);
            } while (SignCount(base[team]) != signs);
            bases[U(team)] = static_cast<SignSet>(base[team] & -base[team]);
        }
    }
    return bases;
}

std::optional<std::string> ErroreIntegrali(int d, int t, int q, int intD, int intT, int intQ) {
    const struct {
        int have;
        int want;
        const char* kind;
    } kinds[] = {{d, intD, "doppie"}, {t, intT, "triple"}, {q, intQ, "quadruple"}};
    for (const auto& k : kinds) {
        if (k.want > k.have) {
            return "Le " + std::string(k.kind) + " integrali non possono essere più di " +
                   std::to_string(k.have) + " (le " + k.kind + " in ogni sistema).";
        }
    }
    return std::nullopt;
}

} // namespace tessaline
