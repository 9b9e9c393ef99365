#include "archive/stats_print.h"

#include <fmt/format.h>
#include <numeric>

namespace tessaline {

namespace {

constexpr const char* kSegniStampa[4] = {"0", "1", "2", "+"};

void Griglia(TmmPrinter& p, const TGriglia& g, double y) {
    const double left = std::max(0.0, (p.LarghezzaPagina() - LarghezzaGriglia(g)) / 2);
    p.StampaGriglia(g, kScalaTabelle, y, left);
}

} // namespace

std::string DueDecimali(double x) {
    std::string s = fmt::format("{:.2f}", x);
    for (char& c : s) {
        if (c == '.') {
            c = ',';
        }
    }
    return s;
}

double LarghezzaGriglia(const TGriglia& g) {
    return std::accumulate(g.colWidths.begin(), g.colWidths.end(), 0) * kScalaTabelle;
}

double AltezzaGriglia(const TGriglia& g) {
    return std::accumulate(g.rowHeights.begin(), g.rowHeights.end(), 0) * kScalaTabelle;
}

TGriglia GrigliaStoriaSegno(const TStoriaSquadre& st, int segno) {
    TGriglia g;
    g.colWidths = {30, 52, 60, 60, 52, 70, 60, 60};
    g.cells.push_back({"", "Freq.", "Rit. Att.", "Rit. Max.", "   IC", "Freq. Ann.", "Cs. Att.", "Cs. Max."});
    for (std::size_t t = 0; t < kTeams; ++t) {
        const TStoriaSegno& s = st.Squadre[t].Segni[static_cast<std::size_t>(segno)];
        g.cells.push_back({fmt::format("{:>2}", t + 1), std::to_string(s.Frequenza),
                           std::to_string(s.RitardoAttuale), std::to_string(s.RitardoMassimo),
                           DueDecimali(IndiceIC(s.Frequenza, st.Esaminati, s.RitardoAttuale)),
                           std::to_string(s.FrequenzaStagione), std::to_string(s.SerieAttuale),
                           std::to_string(s.SerieMassima)});
    }
    g.rowHeights.assign(g.cells.size(), 20);
    return g;
}

void StampaStoriaSquadre(TmmPrinter& p, const TStoriaSquadre& st) {
    p.InizioStampa();
    for (int pagina = 0; pagina < 2; ++pagina) {
        if (pagina == 1) {
            p.NuovaPagina();
        }
        double y = 20;
        for (int k = 0; k < 2; ++k) {
            const int segno = 2 * pagina + k;
            p.ScriviCentrato(std::string("Analisi Storica Della Frequenza Dei Segni ") + kSegniStampa[segno], y);
            const TGriglia g = GrigliaStoriaSegno(st, segno);
            Griglia(p, g, y + 10);
            y += 10 + AltezzaGriglia(g) + 20;
        }
    }
    p.FineStampa();
}

void StampaTabelle(TmmPrinter& p, const std::string& titolo,
                   const std::vector<std::pair<std::string, TGriglia>>& tabelle) {
    p.InizioStampa();
    p.ScriviCentrato(titolo, 20);
    double y = 30;
    const double fondo = p.AltezzaPagina() - 20;
    for (const auto& [didascalia, g] : tabelle) {
        const double h = AltezzaGriglia(g) + 8;
        if (y + h > fondo && y > 30) {
            p.NuovaPagina();
            y = 20;
        }
        const double left = std::max(0.0, (p.LarghezzaPagina() - LarghezzaGriglia(g)) / 2);
        p.Scrivi(didascalia, left, y);
        Griglia(p, g, y + 6);
        y += h + 6;
    }
    p.FineStampa();
}

} // namespace tessaline
