#include "conditions/link_analysis_print.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>

#include "conditions/link.h"
#include "core/cost.h"
#include "core/errors.h"
#include "print/mm_printer.h"
#include "print/print_settings.h"

namespace tessaline {

namespace {

constexpr double kScala = 0.3;     // mm per screen pixel of the tables
constexpr double kSinistra = 10.0; // left edge of the tables (mm)
constexpr double kCima = 12.0;     // top of a page after a break (mm)
constexpr double kPiede = 12.0;    // room kept at the foot for the page number (mm)
constexpr double kDopoTabella = 6.0;

TFontDesc Font(double size, int style = 0) {
    return TFontDesc{"Courier New", size, style};
}

int Pixel(double mm) {
    return std::max(1, static_cast<int>(std::ceil(mm / kScala - 1e-9)));
}

// A table under its title, cut at the page's foot and continued on the next page under its headings.
class TStampaTabelle {
public:
    explicit TStampaTabelle(TmmPrinter& p) : p_(p), y_(kCima) {}

    void Inizio(double y) { y_ = y; }

    void Tabella(const std::string& titolo, const std::vector<std::string>& intestazioni,
                 const std::vector<std::vector<std::string>>& righe) {
        TCanvas& canvas = p_.Canvas();
        canvas.SetFont(Font(8));
        const double spazio = p_.LarghezzaTesto(" ");
        const double carattere = p_.LarghezzaTesto("0");
        const int rigaPx = Pixel(p_.AltezzaTesto("0") + 1.0) - 1;
        const double passo = (rigaPx + 1) * kScala;
        TGriglia grid;
        std::vector<std::size_t> caratteri; // characters a cell of the column holds
        for (std::size_t c = 0; c < intestazioni.size(); ++c) {
            double w = std::max(p_.LarghezzaTesto(intestazioni[c]), p_.LarghezzaTesto("00000"));
            for (const auto& r : righe) {
                w = std::max(w, p_.LarghezzaTesto(r[c]));
            }
            grid.colWidths.push_back(Pixel(w + spazio));
            caratteri.push_back(static_cast<std::size_t>(
                std::floor(((grid.colWidths.back() + 1) * kScala - spazio) / carattere + 1e-9)));
        }
        canvas.SetFont(Font(10, kFontBold));
        const double alto = p_.AltezzaTesto(titolo) + 1;
        const double fondo = p_.AltezzaPagina() - kPiede;
        if (y_ + alto + 2 * passo > fondo && y_ > kCima) {
            Pagina();
        }
        p_.Scrivi(titolo, kSinistra, y_);
        y_ += alto;
        canvas.SetFont(Font(8));
        std::size_t from = 0;
        do {
            const auto posto =
                static_cast<std::size_t>(std::max(1.0, std::floor((fondo - y_) / passo - 1 + 1e-9)));
            const std::size_t n = std::min(posto, righe.size() - from);
            grid.cells.assign(1, intestazioni);
            for (std::size_t r = from; r < from + n; ++r) {
                std::vector<std::string> riga;
                for (std::size_t c = 0; c < righe[r].size(); ++c) {
                    // Numbers stand at the right of their cells.
                    const std::string& t = righe[r][c];
                    const std::size_t len =
                        static_cast<std::size_t>(std::count_if(t.begin(), t.end(), [](char ch) {
                            return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
                        }));
                    riga.push_back(
                        t.empty() ? t : std::string(caratteri[c] > len ? caratteri[c] - len : 0, ' ') + t);
                }
                grid.cells.push_back(std::move(riga));
            }
            grid.rowHeights.assign(n + 1, rigaPx);
            p_.StampaGriglia(grid, kScala, y_, kSinistra);
            y_ += static_cast<double>(n + 1) * passo;
            from += n;
            if (from < righe.size()) {
                Pagina();
            }
        } while (from < righe.size());
        y_ += kDopoTabella;
    }

private:
    void Pagina() {
        p_.Canvas().SetFont(Font(8));
        p_.NuovaPagina();
        y_ = kCima;
    }

    TmmPrinter& p_;
    double y_;
};

std::string Percento(bool percentuale) {
    return percentuale ? " (%)" : "";
}

} // namespace

std::vector<TRigaAnalisiLink> RigheAnalisiLink(const T_FrequenzeRitardi& f, int from, bool percentuale) {
    std::int64_t somma = 0;
    int ultimo = from - 1;
    for (int v = std::max(from, 0); v <= f.Massimo(); ++v) {
        somma += f.Frequenza(v);
        if (f.Frequenza(v) != 0) {
            ultimo = v;
        }
    }
    std::vector<TRigaAnalisiLink> righe;
    for (int v = std::max(from, 0); v <= ultimo; ++v) {
        const std::int32_t n = f.Frequenza(v);
        righe.push_back(
            {v, percentuale ? FormatAmount(somma == 0 ? 0.0 : 100.0 * n / static_cast<double>(somma), true)
                            : FormatCount(n)});
    }
    return righe;
}

int StampaAnalisiLink(TCanvas& canvas, const TLink& link, bool percentuale) {
    try {
        TmmPrinter p(canvas);
        p.InizioStampa();
        canvas.SetFont(Font(12, kFontBold));
        p.ScriviCentrato(msg::kTitoloAnalisiLink, 5);
        TStampaTabelle tabelle(p);
        tabelle.Inizio(5 + p.AltezzaTesto(msg::kTitoloAnalisiLink) + 6);
        const std::string unita = Percento(percentuale);
        for (const char l : link.LettereUsate) {
            const TLetteraLink& e = link.Lettera(l);
            // Both tables side by side on the values of either.
            std::map<int, std::pair<std::string, std::string>> valori;
            for (const TRigaAnalisiLink& r : RigheAnalisiLink(e.StatLivelli, 1, percentuale)) {
                valori[r.valore].first = r.testo;
            }
            for (const TRigaAnalisiLink& r : RigheAnalisiLink(e.StatErrori, 0, percentuale)) {
                valori[r.valore].second = r.testo;
            }
            std::vector<std::vector<std::string>> righe;
            for (const auto& [v, testi] : valori) {
                righe.push_back({std::to_string(v), testi.first, testi.second});
            }
            tabelle.Tabella(
                std::string("Link ") + l,
                {"Valore", "Dai Livelli della Link" + unita, "Dagli Errori Totali della Link" + unita},
                righe);
        }
        std::vector<std::vector<std::string>> righe;
        for (const TRigaAnalisiLink& r : RigheAnalisiLink(link.StatTotale, 0, percentuale)) {
            righe.push_back({std::to_string(r.valore), r.testo});
        }
        tabelle.Tabella("Tutte le Link", {"Valore", "Dagli Errori Totali su Tutte le Link" + unita}, righe);
        p.FineStampa();
        return p.Pagina - 1;
    } catch (const std::exception&) {
        throw EInOutError(msg::kImpossibileStampareLeTabella);
    }
}

} // namespace tessaline
