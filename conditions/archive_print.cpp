#include "conditions/archive_print.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <string>

#include "archive/archive_csv.h"
#include "core/errors.h"
#include "print/mm_printer.h"
#include "print/print_settings.h"

namespace tessaline {

namespace {

constexpr std::size_t kFissa = kNumGruppiArchivio;
constexpr std::array<const char*, 4> kIntestazioniFisse = {"Anno", "Num.", "Tipo", "Colonna"};
// Room between two bands of one sheet, and the room kept at the foot for the page number (mm).
constexpr double kSpazioFasce = 4.0;
constexpr double kPiede = 10.0;
// The room above and below a text in a row (mm).
constexpr double kAriaRiga = 0.6;

double Passo(const TColonnaStampa& c) {
    return (c.larghezza + 1) * kScalaStampaArchivio;
}

double Passo(const std::vector<TColonnaStampa>& colonne) {
    double w = 0;
    for (const TColonnaStampa& c : colonne) {
        w += Passo(c);
    }
    return w;
}

// Screen pixels that hold mm millimetres.
int Pixel(double mm) {
    return std::max(1, static_cast<int>(std::ceil(mm / kScalaStampaArchivio - 1e-9)));
}

const std::string& Intestazione(const TColonnaStampa& c) {
    static const std::array<std::string, 4> fisse = {kIntestazioniFisse[0], kIntestazioniFisse[1],
                                                     kIntestazioniFisse[2], kIntestazioniFisse[3]};
    return c.gruppo == kFissa ? fisse[c.k] : TMisureArchivio::Gruppi()[c.gruppo].Intestazioni[c.k];
}

// The whole table: every column of the chosen groups and, per printed contest, its texts.
class TTabellaArchivio {
public:
    TTabellaArchivio(TmmPrinter& p, const std::vector<T_Concorso>& lista, std::size_t primo,
                     std::size_t ultimo, const TGruppiScelti& gruppi, const TMisureArchivio& misure)
        : p_(p) {
        for (std::size_t k = 0; k < kIntestazioniFisse.size(); ++k) {
            colonne_.push_back({kFissa, k, 0});
        }
        const auto& tutti = TMisureArchivio::Gruppi();
        for (std::size_t g = 0; g < tutti.size(); ++g) {
            if (gruppi[g]) {
                for (std::size_t k = 0; k < tutti[g].Intestazioni.size(); ++k) {
                    colonne_.push_back({g, k, 0});
                }
            }
        }
        for (std::size_t i = primo; i <= ultimo; ++i) {
            const T_Concorso& c = lista[i];
            std::vector<std::string> riga = {std::to_string(c.Anno), std::to_string(c.Numero),
                                             TestoTipo(c.Tipo), TestoColonnaVincente(c.ColonnaVincente)};
            for (std::size_t g = 0; g < tutti.size(); ++g) {
                if (gruppi[g]) {
                    std::vector<std::string> celle = misure.Celle(lista, i, g);
                    riga.insert(riga.end(), celle.begin(), celle.end());
                }
            }
            righe_.push_back(std::move(riga));
        }
        Larghezze();
        rigaPx_ = Pixel(p_.AltezzaTesto("0") + kAriaRiga) - 1;
    }

    const std::vector<TColonnaStampa>& Colonne() const { return colonne_; }
    double PassoRiga() const { return (rigaPx_ + 1) * kScalaStampaArchivio; }

    // Cuts the columns into bands that fit width millimetres: a group that does not fit after
    // others starts a new band; a group wider than a band is cut between its columns.
    std::vector<std::vector<TColonnaStampa>> Fasce(double width) const {
        std::vector<std::vector<TColonnaStampa>> fasce;
        std::vector<TColonnaStampa> fascia(colonne_.begin(), colonne_.begin() + 4);
        double usato = Passo(fascia);
        bool misure = false;
        auto chiudi = [&] {
            fasce.push_back(fascia);
            fascia.assign(colonne_.begin(), colonne_.begin() + 2);
            usato = Passo(fascia);
            misure = false;
        };
        for (std::size_t i = 4; i < colonne_.size();) {
            std::size_t fine = i;
            while (fine < colonne_.size() && colonne_[fine].gruppo == colonne_[i].gruppo) {
                ++fine;
            }
            const double gruppo =
                Passo(std::vector<TColonnaStampa>(colonne_.begin() + static_cast<std::ptrdiff_t>(i),
                                                  colonne_.begin() + static_cast<std::ptrdiff_t>(fine)));
            if (misure && usato + gruppo > width) {
                chiudi();
            }
            for (; i < fine; ++i) {
                if (misure && usato + Passo(colonne_[i]) > width) {
                    chiudi();
                }
                fascia.push_back(colonne_[i]);
                usato += Passo(colonne_[i]);
                misure = true;
            }
        }
        fasce.push_back(fascia);
        return fasce;
    }

    double Altezza(std::size_t righe) const { return static_cast<double>(righe + 3) * PassoRiga(); }

    // The band's titles, sub-headings, headings and the contests from..from+count-1 (indices of the
    // printed ones) with the top-left corner at (x, y).
    void Disegna(const std::vector<TColonnaStampa>& fascia, std::size_t from, std::size_t count, double x,
                 double y) {
        const double passo = PassoRiga();
        TCanvas& canvas = p_.Canvas();
        canvas.SetPen(kBlack, 2);
        canvas.SetFont(FontStampaArchivio(kFontBold));
        const auto& tutti = TMisureArchivio::Gruppi();
        double left = x;
        for (std::size_t i = 0; i < fascia.size();) {
            const TColonnaStampa& c = fascia[i];
            if (c.gruppo == kFissa) {
                left += Passo(c);
                ++i;
                continue;
            }
            std::size_t fine = i;
            std::vector<double> bordi = {left};
            while (fine < fascia.size() && fascia[fine].gruppo == c.gruppo) {
                bordi.push_back(bordi.back() + Passo(fascia[fine]));
                ++fine;
            }
            const TGruppoMisure& g = tutti[c.gruppo];
            const double alto = g.Sottotitoli.empty() ? 2 * passo : passo;
            Casella(g.Titolo, left, y, bordi.back(), y + alto);
            if (!g.Sottotitoli.empty()) {
                canvas.SetFont(FontStampaArchivio());
                std::size_t k = 0; // the group's measure index where the sub-heading starts
                for (const TSottotitolo& s : g.Sottotitoli) {
                    const std::size_t a = k;
                    const std::size_t b = k + static_cast<std::size_t>(s.Colonne);
                    k = b;
                    // Only the part of the sub-heading that lies in this band.
                    const std::size_t da = std::max(a, fascia[i].k);
                    const std::size_t a2 = std::min(b, fascia[fine - 1].k + 1);
                    if (da >= a2) {
                        continue;
                    }
                    Casella(s.Testo, bordi[da - fascia[i].k], y + passo, bordi[a2 - fascia[i].k],
                            y + 2 * passo);
                }
                canvas.SetFont(FontStampaArchivio(kFontBold));
            }
            left = bordi.back();
            i = fine;
        }
        canvas.SetFont(FontStampaArchivio());
        TGriglia grid;
        grid.rowHeights.assign(count + 1, rigaPx_);
        std::vector<std::string> intestazioni;
        std::vector<std::size_t> indici;
        for (const TColonnaStampa& c : fascia) {
            grid.colWidths.push_back(c.larghezza);
            intestazioni.push_back(Intestazione(c));
            indici.push_back(Indice(c));
        }
        grid.cells.push_back(std::move(intestazioni));
        for (std::size_t r = from; r < from + count; ++r) {
            std::vector<std::string> riga;
            riga.reserve(indici.size());
            for (const std::size_t k : indici) {
                riga.push_back(righe_[r][k]);
            }
            grid.cells.push_back(std::move(riga));
        }
        p_.StampaGriglia(grid, kScalaStampaArchivio, y + 2 * passo, x);
    }

private:
    std::size_t Indice(const TColonnaStampa& c) const {
        for (std::size_t k = 0; k < colonne_.size(); ++k) {
            if (colonne_[k].gruppo == c.gruppo && colonne_[k].k == c.k) {
                return k;
            }
        }
        return 0;
    }

    double Larghezza(const std::string& text) {
        auto [it, nuovo] = misure_.try_emplace(text, 0.0);
        if (nuovo) {
            it->second = p_.LarghezzaTesto(text);
        }
        return it->second;
    }

    // Each column as wide as its widest text and half a space each side; then the columns under a
    // group title or a sub-heading widen evenly until it fits over them.
    void Larghezze() {
        const double spazio = p_.LarghezzaTesto(" ");
        for (std::size_t k = 0; k < colonne_.size(); ++k) {
            double w = std::max(Larghezza(Intestazione(colonne_[k])), Larghezza("00"));
            for (const auto& riga : righe_) {
                w = std::max(w, Larghezza(riga[k]));
            }
            colonne_[k].larghezza = Pixel(w + spazio);
        }
        const auto& tutti = TMisureArchivio::Gruppi();
        for (std::size_t i = 4; i < colonne_.size();) {
            const std::size_t g = colonne_[i].gruppo;
            std::size_t k = i;
            for (const TSottotitolo& s : tutti[g].Sottotitoli) {
                Allarga(k, static_cast<std::size_t>(s.Colonne), Larghezza(s.Testo) + spazio);
                k += static_cast<std::size_t>(s.Colonne);
            }
            const std::size_t n = tutti[g].Intestazioni.size();
            p_.Canvas().SetFont(FontStampaArchivio(kFontBold));
            const double titolo = p_.LarghezzaTesto(tutti[g].Titolo) + spazio;
            p_.Canvas().SetFont(FontStampaArchivio());
            Allarga(i, n, titolo);
            i += n;
        }
    }

    void Allarga(std::size_t from, std::size_t count, double need) {
        const std::vector<TColonnaStampa> span(colonne_.begin() + static_cast<std::ptrdiff_t>(from),
                                               colonne_.begin() + static_cast<std::ptrdiff_t>(from + count));
        int manca = Pixel(need) - static_cast<int>(std::floor(Passo(span) / kScalaStampaArchivio + 1e-9));
        for (std::size_t k = from; manca > 0; k = k + 1 < from + count ? k + 1 : from) {
            ++colonne_[k].larghezza;
            --manca;
        }
    }

    // A framed cell with its text centred both ways (from its left edge when it is too narrow).
    void Casella(const std::string& text, double x1, double y1, double x2, double y2) {
        p_.Riquadro(x1, y1, x2, y2);
        const double w = p_.LarghezzaTesto(text);
        const double x = std::max(x1 + p_.LarghezzaTesto(" ") / 2, (x1 + x2 - w) / 2);
        p_.Scrivi(text, x, (y1 + y2 - p_.AltezzaTesto(text)) / 2);
    }

    TmmPrinter& p_;
    std::vector<TColonnaStampa> colonne_;
    std::vector<std::vector<std::string>> righe_;
    std::map<std::string, double> misure_;
    int rigaPx_ = 0;
};

} // namespace

TFontDesc FontStampaArchivio(int style) {
    return TFontDesc{"Small Fonts", 7, style};
}

bool ConcorsiDaStampare(const std::vector<T_Concorso>& lista, TEstremoConcorso da, TEstremoConcorso a,
                        std::size_t& primo, std::size_t& ultimo) {
    auto prima = [](const T_Concorso& c, TEstremoConcorso e) {
        return c.Anno < e.Anno || (c.Anno == e.Anno && c.Numero < e.Numero);
    };
    auto dopo = [](const T_Concorso& c, TEstremoConcorso e) {
        return c.Anno > e.Anno || (c.Anno == e.Anno && c.Numero > e.Numero);
    };
    std::size_t p = lista.size();
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (!prima(lista[i], da)) {
            p = i;
            break;
        }
    }
    std::size_t u = lista.size();
    for (std::size_t i = lista.size(); i-- > 0;) {
        if (!dopo(lista[i], a)) {
            u = i;
            break;
        }
    }
    if (p == lista.size() || u == lista.size() || p > u) {
        return false;
    }
    primo = p;
    ultimo = u;
    return true;
}

TEsitoStampaArchivio StampaArchivio(TCanvas& canvas, const std::vector<T_Concorso>& lista, std::size_t primo,
                                    std::size_t ultimo, const TGruppiScelti& gruppi,
                                    const TMisureArchivio& misure) {
    TEsitoStampaArchivio esito;
    if (primo > ultimo || ultimo >= lista.size()) {
        return esito;
    }
    try {
        TmmPrinter p(canvas);
        p.InizioStampa();
        canvas.SetFont(FontTabulato10());
        p.ScriviCentrato(msg::kTitoloStampaArchivio, 3);
        canvas.SetFont(FontStampaArchivio());
        TTabellaArchivio tabella(p, lista, primo, ultimo, gruppi, misure);
        esito.fasce = tabella.Fasce(p.LarghezzaPagina() - kMargineStampaArchivio);
        const double fondo = p.AltezzaPagina() - kPiede;
        const std::size_t n = ultimo - primo + 1;
        for (std::size_t from = 0; from < n; from += kConcorsiPerPagina) {
            if (from > 0) {
                p.NuovaPagina();
            }
            const std::size_t count = std::min(kConcorsiPerPagina, n - from);
            double y = kCimaStampaArchivio;
            for (std::size_t b = 0; b < esito.fasce.size(); ++b) {
                const double h = tabella.Altezza(count);
                if (b > 0) {
                    if (y + kSpazioFasce + h > fondo) {
                        p.NuovaPagina();
                        y = kCimaStampaArchivio;
                    } else {
                        y += kSpazioFasce;
                    }
                }
                tabella.Disegna(esito.fasce[b], from, count, kSinistraStampaArchivio, y);
                y += h;
            }
        }
        p.FineStampa();
        esito.concorsi = n;
        esito.pagine = p.Pagina - 1;
    } catch (const std::exception&) {
        throw EInOutError(msg::kImpossibileStampareLaTabella);
    }
    return esito;
}

} // namespace tessaline
