#include "system/summary_print.h"

#include <algorithm>
#include <fmt/format.h>

#include "conditions/condition_print.h"
#include "conditions/condition_set.h"
#include "core/cost.h"
#include "core/errors.h"
#include "system/config_file.h"

namespace tessaline {

namespace {

// Screen measures of the grids as the windows show them (pixels).
constexpr int kRigaSquadra = 16;
constexpr int kLargoSquadra = 100;
constexpr int kLargoPartita = 20;
constexpr int kLargoPronostico = 40;
constexpr int kLargoValore = 20;
constexpr double kScalaInfo = 0.34;
constexpr double kScalaSchedina = 0.4;

TFontDesc Font(const TContestoStampa& ctx, double size, int style) {
    return {ctx.tabulato.FontName, size, style};
}

double AltezzaGriglia(const TGriglia& g, double scale) {
    double h = 0;
    for (const int r : g.rowHeights) {
        h += (r + 1) * scale;
    }
    return h;
}

double LarghezzaGriglia(const TGriglia& g, double scale) {
    double w = 0;
    for (const int c : g.colWidths) {
        w += (c + 1) * scale;
    }
    return w;
}

std::string TipoSistema(const T_Sistema& sys, bool condizionato) {
    const TImpostazioniSviluppo& sv = sys.dati.sviluppo;
    const bool ridotto = sv.ReducedDevelopment != 0;
    std::string text = "  Sistema ";
    if (!condizionato && !ridotto) {
        return text + "Integrale  ";
    }
    if (condizionato) {
        text += "Condizionato ";
    }
    if (ridotto) {
        text += std::string("Ridotto a garanzia di ") + (sv.Guarantee == 5 ? " Cinque" : " Quattro");
    }
    return text;
}

void Informazioni(TmmPrinter& p, T_Sistema& sys, const TOpzioniProspetto& o, const TContestoStampa& ctx,
                  bool condizionato, double& y) {
    TCanvas& c = p.Canvas();
    c.SetFont(Font(ctx, 10, 0));
    p.Scrivi("Informazioni Generali sul Sistema", 10, y - p.AltezzaTesto("XXX") - 1);
    c.SetFont(Font(ctx, 8, 0));
    const TImpostazioniSviluppo& sv = sys.dati.sviluppo;
    TGriglia g;
    g.colWidths = {270, 270};
    g.rowHeights = {20, 20, 20};
    std::string segni =
        sv.PairMode != 0
            ? "  Pronostico elaborato per Accoppiate"
            : fmt::format("  Doppie : {}   Triple : {}   Quadruple : {}", CountDoubles(sys.dati.Forecast),
                          CountTriples(sys.dati.Forecast), CountQuadruples(sys.dati.Forecast));
    std::string finali = o.TestoFinali;
    if (sys.ParticipantCount > 1) {
        finali += "  Costo Totale : " +
                  CostText(ctx.costoColonna * static_cast<double>(sys.Colonne.Count()), ctx.euro);
    }
    g.cells = {{"  Nome del Sistema : " + sys.fileName.stem().string(), "  Stampato il : " + o.Data},
               {segni, TipoSistema(sys, condizionato)},
               {o.TestoIniziali, finali}};
    p.StampaGriglia(g, kScalaInfo, y, 10);
    y += 3 * 20 * kScalaInfo + 10;
}

void Partecipanti(TmmPrinter& p, const T_Sistema& sys, double& y) {
    p.Scrivi("Numero di Partecipanti al Sistema : " + std::to_string(sys.ParticipantCount), 10, y);
    y += p.AltezzaTesto("XXXXXX") + 1.5;
    std::vector<std::string> names;
    for (const std::string& n : sys.participants) {
        if (!n.empty()) {
            names.push_back(n);
        }
    }
    if (sys.participantNamesFlag != 0 && !names.empty()) {
        const std::string head = "Nomi dei Partecipanti : ";
        p.Scrivi(head, 10, y);
        const double left = 10 + p.LarghezzaTesto(head);
        double x = left;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string piece = names[i] + (i + 1 < names.size() ? ", " : "");
            const double w = p.LarghezzaTesto(piece);
            if (x + w > p.LarghezzaPagina() - 10 && x > left) {
                y += p.AltezzaTesto("X") + 0.5;
                x = left;
            }
            p.Scrivi(piece, x, y);
            x += w;
        }
        y += p.AltezzaTesto("X") + 0.5;
    }
    y += 10;
}

TGriglia GrigliaSquadre(const TeamGrid& values) {
    TGriglia g;
    g.colWidths.assign(4, kLargoValore);
    g.rowHeights.assign(kTeams, kRigaSquadra);
    for (const auto& row : values) {
        std::vector<std::string> cells;
        for (const std::int32_t v : row) {
            cells.push_back(std::to_string(v));
        }
        g.cells.push_back(cells);
    }
    return g;
}

// The match-pair forecast: per match each admitted pair in its own character column.
void Accoppiate(TmmPrinter& p, const PairTable& t, double x, double y, double h) {
    p.Riquadro(x, y, x + 51, y + h);
    const double row = h / kTeams;
    const double cw = p.LarghezzaTesto("M") + 1;
    for (int m = 0; m < kMatches; ++m) {
        double cx = x + 1;
        const double top = y + 2 * m * row;
        for (int k = 0; k < 16; ++k) {
            if (t.p[static_cast<std::size_t>(m)][static_cast<std::size_t>(k)] == 0) {
                continue;
            }
            const auto [home, away] = PairSigns(k);
            p.Scrivi(SignText(home), cx, top + (row - p.AltezzaTesto("M")) / 2);
            p.Scrivi(SignText(away), cx, top + row + (row - p.AltezzaTesto("M")) / 2);
            cx += cw;
        }
        if (m + 1 < kMatches) {
            p.Sposta(x, top + 2 * row);
            p.Linea(x + 51, top + 2 * row);
        }
    }
}

void Schedina(TmmPrinter& p, const T_Sistema& sys, const TOpzioniProspetto& o, double& y) {
    const TDatiSistema& d = sys.dati;
    TGriglia partite;
    partite.colWidths = {kLargoPartita};
    partite.rowHeights.assign(kMatches, 2 * kRigaSquadra + 1);
    for (int m = 1; m <= kMatches; ++m) {
        partite.cells.push_back({fmt::format("{:>2}", m)});
    }
    TGriglia squadre;
    squadre.colWidths = {kLargoSquadra};
    squadre.rowHeights.assign(kTeams, kRigaSquadra);
    for (const std::string& n : d.teamNames) {
        squadre.cells.push_back({n});
    }
    p.Scrivi("Concorso Nº " + std::to_string(d.ContestNumber), 10, y - p.AltezzaTesto("X") - 1);
    p.StampaGriglia(partite, kScalaSchedina, y, 10);
    p.StampaGriglia(squadre, kScalaSchedina, y, 18);
    const double h = AltezzaGriglia(squadre, kScalaSchedina);
    double x = 18 + LarghezzaGriglia(squadre, kScalaSchedina) + 10;
    if (d.sviluppo.PairMode != 0) {
        Accoppiate(p, d.sviluppo.PairTable, x, y, h);
        x += 51;
    } else if (PronosticoCompleto(d.Forecast) || ColumnsCovered(d.Forecast) > 0) {
        TGriglia f;
        f.colWidths = {kLargoPronostico};
        f.rowHeights.assign(kTeams, kRigaSquadra);
        for (int t = 0; t < kTeams; ++t) {
            f.cells.push_back({" " + SignText(d.Forecast[t])});
        }
        p.StampaGriglia(f, kScalaSchedina, y, x);
        x += LarghezzaGriglia(f, kScalaSchedina);
    }
    x += 40;
    double gh = h;
    if (o.Percentuali) {
        const TGriglia g = GrigliaSquadre(d.TeamPercentages);
        p.Scrivi("Picchetto", x + 10, y - p.AltezzaTesto("X") - 1);
        p.StampaGriglia(g, kScalaSchedina, y, x);
        x += LarghezzaGriglia(g, kScalaSchedina) + 4;
    }
    if (o.Valori) {
        const TGriglia g = GrigliaSquadre(d.TeamValues);
        p.Scrivi("Valori", x + 13, y - p.AltezzaTesto("X") - 1);
        p.StampaGriglia(g, kScalaSchedina, y, x);
        gh = AltezzaGriglia(g, kScalaSchedina);
    }
    y += gh + 10;
}

void Condizioni(TmmPrinter& p, TInsiemeCondizioni& set, double& y) {
    const std::vector<TCondizione*>& attive = set.Attive();
    if (attive.empty() && !set.Link().Abilitato) {
        return;
    }
    const double line = p.AltezzaTesto("X") + 0.5;
    SpazioPagina(p, y, 4 * line);
    p.ScriviCentrato("Elenco delle condizioni del sistema", y);
    y += 2 * line;
    for (const TCondizione* c : attive) {
        c->Stampa(p, y, 10);
    }
    if (set.Link().Abilitato) {
        StampaLink(p, set.Link(), y, 10);
    }
}

void UnaCopia(TCanvas& canvas, T_Sistema& sys, const TOpzioniProspetto& o, const TContestoStampa& ctx,
              bool condizionato, const std::string& titolo, TEsitoStampa& esito) {
    TmmPrinter p(canvas);
    p.InizioStampa();
    canvas.SetFont(Font(ctx, 12, kFontBold));
    p.ScriviCentrato("Tessaline " + VersionText(), 1);
    canvas.SetFont(Font(ctx, 16, kFontBold));
    canvas.SetPen(kBlack, 2);
    p.ScriviCentrato(titolo, 10);
    double y = 2 * p.AltezzaTesto("VVV") + 30;
    canvas.SetFont(Font(ctx, 8, 0));
    if (o.Info) {
        Informazioni(p, sys, o, ctx, condizionato, y);
    }
    if (sys.ParticipantCount > 1) {
        Partecipanti(p, sys, y);
    }
    if (o.Schedina) {
        SpazioPagina(p, y, kTeams * (kRigaSquadra + 1) * kScalaSchedina + 10);
        Schedina(p, sys, o, y);
    }
    if (o.Condizioni && condizionato) {
        canvas.SetFont(Font(ctx, 8, 0));
        Condizioni(p, sys.Insieme(), y);
    }
    p.FineStampa();
    esito.pagine += p.Pagina - 1;
    if (o.Tabulato && !sys.Colonne.Empty()) {
        TLavoroStampa job;
        job.NomeSistema = sys.fileName.stem().string();
        job.ColonnePerSchedina = std::clamp(ctx.taratura.ColonnePerSchedina, 1, 3);
        job.Prima = 1;
        job.Ultima = NumeroSchedine(sys.Colonne.Size(), job.ColonnePerSchedina);
        const TEsitoStampa t = StampaSuTabulato(canvas, sys.Colonne.View(), job, ctx, p.Pagina);
        esito.pagine += t.pagine;
    }
}

} // namespace

std::string TestoColonneFinali(const T_Sistema& sys, bool priceCoverage) {
    const TProgramSettings& s = sys.dati.settings;
    const bool euro = s.costsInEuro;
    std::string fin = "  Colonne Finali : ";
    if (!sys.Colonne.Empty()) {
        double cost = s.ColumnCost() * static_cast<double>(sys.Colonne.Count());
        if (priceCoverage) {
            std::int64_t covered = 0;
            for (const Colonna& c : sys.Colonne) {
                covered += ColumnsCovered(c);
            }
            cost = static_cast<double>(covered) * s.ColumnCost();
        }
        fin += fmt::format("{} ({})", sys.Colonne.Count(), CostText(cost, euro, sys.ParticipantCount));
    }
    return fin;
}

std::string TestoColonneIniziali(const T_Sistema& sys) {
    const TDatiSistema& d = sys.dati;
    const TProgramSettings& s = d.settings;
    const TImpostazioniSviluppo& sv = d.sviluppo;
    std::string ini = "  Colonne Iniziali : ";
    std::int64_t initial = -1;
    if (sv.PairMode != 0) {
        if (PairColumnsCovered(sv.PairTable) >= 1) {
            initial = PairColumnsCovered(sv.PairTable);
        }
    } else if (PronosticoCompleto(d.Forecast)) {
        initial = ColumnsCovered(d.Forecast);
    }
    if (initial >= 0) {
        ini += fmt::format("{} ({} {})", initial, CurrencySign(s.costsInEuro),
                           FormatAmount(static_cast<double>(initial) * s.ColumnCost(), false));
    }
    return ini;
}

bool SistemaCondizionato(T_Sistema& sys) {
    if (sys.dati.sviluppo.UseConditions == 0) {
        return false;
    }
    TInsiemeCondizioni& set = sys.Insieme();
    set.NomiSquadre = &sys.dati.teamNames;
    set.ImpostaTitoli();
    set.Prepara();
    return !set.Attive().empty() || set.Link().Abilitato;
}

int CopieProspetto(const T_Sistema& sys, const TOpzioniProspetto& o) {
    if (o.CopiaPerPartecipante && sys.ParticipantCount > 1) {
        return sys.ParticipantCount;
    }
    return std::clamp(o.Copie, 1, 100);
}

std::string TitoloCopia(const T_Sistema& sys, const TOpzioniProspetto& o, int copia, int copie) {
    std::string t = "Prospetto del Sistema";
    if (copie <= 1) {
        return t;
    }
    const std::size_t i = static_cast<std::size_t>(copia - 1);
    if (o.CopiaPerPartecipante && sys.ParticipantCount > 1 && sys.participantNamesFlag != 0 &&
        i < sys.participants.size() && !sys.participants[i].empty()) {
        return t + "     Copia per " + sys.participants[i];
    }
    return t + "     Copia Nº " + std::to_string(copia);
}

TEsitoStampa StampaProspetto(TCanvas& canvas, T_Sistema& sys, const TOpzioniProspetto& o,
                             const TContestoStampa& ctx) {
    TEsitoStampa esito;
    const bool condizionato = SistemaCondizionato(sys);
    const int copie = CopieProspetto(sys, o);
    try {
        for (int i = 1; i <= copie; ++i) {
            UnaCopia(canvas, sys, o, ctx, condizionato, TitoloCopia(sys, o, i, copie), esito);
            ++esito.schedine;
        }
    } catch (const EPrinterError&) {
        throw EInOutError(msg::kImpossibileStampareProspetto);
    } catch (const EInOutError&) {
        throw EInOutError(msg::kImpossibileStampareProspetto);
    }
    esito.tutteStampate = true;
    return esito;
}

} // namespace tessaline
