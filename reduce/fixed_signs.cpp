#include "reduce/fixed_signs.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>
#include <memory>
#include <numeric>

#include "conditions/filter_columns.h"
#include "conditions/frame.h"

namespace tessaline {

namespace {

constexpr std::array<SignSet, 4> kOrdine = {kSign0, kSign1, kSign2, kSignM};
constexpr int kNessuno = 16; // a match whose result is not two single signs

// 0..3 for a single sign, -1 otherwise.
int IndiceSegno(SignSet s) {
    switch (s) {
    case kSign0:
        return 0;
    case kSign1:
        return 1;
    case kSign2:
        return 2;
    case kSignM:
        return 3;
    default:
        return -1;
    }
}

// 4 × home + away for a result of two single signs, kNessuno otherwise.
int CodiceIncontro(const Colonna& c, int match) {
    const int h = IndiceSegno(c[2 * match - 2]);
    const int a = IndiceSegno(c[2 * match - 1]);
    return h < 0 || a < 0 ? kNessuno : 4 * h + a;
}

int CodiceVoce(const TFisse& f, int match) {
    return CodiceIncontro(f.Pattern, match);
}

char LetteraSegno(SignSet s) {
    switch (s) {
    case kSign0:
        return '0';
    case kSign1:
        return '1';
    case kSign2:
        return '2';
    case kSignM:
        return 'M';
    default:
        return '*';
    }
}

// Occurrences of each code and the admitted index of its last occurrence (-1: never).
struct TConteggi {
    std::vector<std::uint32_t> freq;
    std::vector<std::int64_t> ultimo;
    explicit TConteggi(std::size_t n) : freq(n, 0), ultimo(n, -1) {}
    void Conta(std::size_t code, std::int64_t index) {
        ++freq[code];
        ultimo[code] = index;
    }
};

double Valore(const TFisse& f, TOrdineFisse ordine, std::uint32_t ammessi) {
    switch (ordine) {
    case TOrdineFisse::Frequenza:
        return f.Frequenza;
    case TOrdineFisse::Ritardo:
        return f.Ritardo;
    case TOrdineFisse::IC:
        break;
    }
    return IndiceConvenienza(f.Ritardo, f.Frequenza, ammessi);
}

} // namespace

std::vector<TFisse> GeneraFisse(int modo) {
    std::vector<TFisse> out;
    if (modo == 1) {
        out.reserve(kFisseModo1);
        for (int m = 1; m <= 6; ++m) {
            for (SignSet h : kOrdine) {
                for (SignSet a : kOrdine) {
                    TFisse f;
                    f.Prima = static_cast<std::uint8_t>(m);
                    f.Pattern[2 * m - 2] = h;
                    f.Pattern[2 * m - 1] = a;
                    out.push_back(f);
                }
            }
        }
        return out;
    }
    out.reserve(kFisseModo2);
    for (int i = 1; i <= 5; ++i) {
        for (int j = i + 1; j <= 6; ++j) {
            for (SignSet hi : kOrdine) {
                for (SignSet ai : kOrdine) {
                    for (SignSet hj : kOrdine) {
                        for (SignSet aj : kOrdine) {
                            TFisse f;
                            f.Prima = static_cast<std::uint8_t>(i);
                            f.Seconda = static_cast<std::uint8_t>(j);
                            f.Pattern[2 * i - 2] = hi;
                            f.Pattern[2 * i - 1] = ai;
                            f.Pattern[2 * j - 2] = hj;
                            f.Pattern[2 * j - 1] = aj;
                            out.push_back(f);
                        }
                    }
                }
            }
        }
    }
    return out;
}

double IndiceConvenienza(std::uint32_t ritardo, std::uint32_t frequenza, std::uint32_t ammessi) {
    if (frequenza == 0) {
        return 0.0;
    }
    return static_cast<double>(ritardo) / (static_cast<double>(ammessi) / static_cast<double>(frequenza));
}

TRisultatoFisse ElaboraFisse(int modo, TOrdineFisse ordine, const std::vector<T_Concorso>& archivio,
                             const T_IntervalloConcorsi& range) {
    TRisultatoFisse r;
    // The admitted contests as the codes of their six matches, in archive order.
    std::vector<std::array<std::uint8_t, 6>> codici;
    for (const T_Concorso& c : archivio) {
        if (!range.Contiene(c)) {
            continue;
        }
        std::array<std::uint8_t, 6> k{};
        for (int m = 1; m <= 6; ++m) {
            k[static_cast<std::size_t>(m - 1)] =
                static_cast<std::uint8_t>(CodiceIncontro(c.ColonnaVincente, m));
        }
        codici.push_back(k);
    }
    r.Ammessi = static_cast<std::uint32_t>(codici.size());
    r.Voci = GeneraFisse(modo);

    // One table per match (mode 1) or per pair of matches (mode 2), indexed by the codes.
    const std::size_t lato = kNessuno + 1;
    const std::size_t celle = modo == 1 ? lato : lato * lato;
    std::vector<TConteggi> tabelle(42, TConteggi(0));
    auto tabella = [&](int i, int j) -> TConteggi& {
        return tabelle[(7 * static_cast<std::size_t>(i - 1)) + static_cast<std::size_t>(j)];
    };
    for (int i = 1; i <= 6; ++i) {
        for (int j = modo == 1 ? 0 : i + 1; j <= (modo == 1 ? 0 : 6); ++j) {
            TConteggi& t = tabella(i, j);
            t = TConteggi(celle);
            for (std::size_t n = 0; n < codici.size(); ++n) {
                const std::size_t a = codici[n][static_cast<std::size_t>(i - 1)];
                const std::size_t code = j == 0 ? a : a * lato + codici[n][static_cast<std::size_t>(j - 1)];
                t.Conta(code, static_cast<std::int64_t>(n));
            }
        }
    }
    for (TFisse& f : r.Voci) {
        const TConteggi& t = tabella(f.Prima, f.Seconda);
        const auto a = static_cast<std::size_t>(CodiceVoce(f, f.Prima));
        const std::size_t code =
            f.Seconda == 0 ? a : a * lato + static_cast<std::size_t>(CodiceVoce(f, f.Seconda));
        f.Frequenza = t.freq[code];
        f.Ritardo =
            t.ultimo[code] < 0 ? r.Ammessi : static_cast<std::uint32_t>(r.Ammessi - 1 - t.ultimo[code]);
    }

    // Greatest value first; among equal values the later-generated entry first.
    std::vector<std::size_t> ordineVoci(r.Voci.size());
    std::iota(ordineVoci.begin(), ordineVoci.end(), std::size_t{0});
    std::vector<double> valori(r.Voci.size());
    for (std::size_t k = 0; k < r.Voci.size(); ++k) {
        valori[k] = Valore(r.Voci[k], ordine, r.Ammessi);
    }
    std::sort(ordineVoci.begin(), ordineVoci.end(), [&](std::size_t x, std::size_t y) {
        if (valori[x] != valori[y]) {
            return valori[x] > valori[y];
        }
        return x > y;
    });
    std::vector<TFisse> ordinate;
    ordinate.reserve(r.Voci.size());
    for (std::size_t k : ordineVoci) {
        ordinate.push_back(r.Voci[k]);
    }
    r.Voci = std::move(ordinate);
    return r;
}

std::string Colonna2Coppie(const TFisse& f) {
    auto coppia = [&](int m) {
        return fmt::format(" {},{}", LetteraSegno(f.Pattern[2 * m - 2]), LetteraSegno(f.Pattern[2 * m - 1]));
    };
    if (f.Seconda == 0) {
        return "  " + coppia(f.Prima);
    }
    return coppia(f.Prima) + coppia(f.Seconda);
}

std::string TestoPosizione(const TFisse& f) {
    return f.Seconda == 0 ? fmt::format("{}", f.Prima) : fmt::format("{},{}", f.Prima, f.Seconda);
}

std::string TestoIC(const TFisse& f, std::uint32_t ammessi) {
    if (f.Frequenza == 0) {
        return "0,0";
    }
    std::string s = fmt::format("{:.2f}", IndiceConvenienza(f.Ritardo, f.Frequenza, ammessi));
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::size_t InserisciFisseNelQuadro(TCondQuadro& quadro, TInsiemeCondizioni* set,
                                    std::span<const TFisse> voci, std::size_t first, std::size_t last,
                                    const TTabellaPunti& punti, bool coppie) {
    std::size_t added = 0;
    if (voci.empty()) {
        return 0;
    }
    last = std::min(last, voci.size() - 1);
    for (std::size_t k = first; k <= last; ++k) {
        if (quadro.Count() >= static_cast<std::size_t>(kMaxVociQuadro)) {
            break;
        }
        auto item = std::make_unique<TCondColonnaFiltro>(set);
        TTabellaPunti& t = item->Punti();
        for (int v = 0; v <= t.N(); ++v) {
            const auto i = static_cast<std::size_t>(v);
            const bool in = v <= punti.N();
            t.Pt.Voci[i] = in ? punti.Pt.Voci[i] : TVoce{};
            t.Cs.Voci[i] = in && punti.HaCons() ? punti.Cs.Voci[i] : TVoce{};
        }
        t.Pt.Link = punti.Pt.Link;
        t.Pt.Tra = punti.Pt.Tra;
        t.Cs.Link = punti.Cs.Link;
        t.Cs.Tra = punti.Cs.Tra;
        t.ImpostaCampo(punti.CampoMin, punti.CampoMax);
        item->Filtro = voci[k].Pattern;
        item->ConfrontoACoppie = coppie;
        item->AggiornaStato();
        if (!quadro.Aggiungi(std::move(item))) {
            break;
        }
        ++added;
    }
    return added;
}

} // namespace tessaline
