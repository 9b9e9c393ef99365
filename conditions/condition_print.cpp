#include "conditions/condition_print.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "conditions/link.h"
#include "conditions/points_between.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/value_conditions.h"

namespace tessaline {

namespace {

// Tables with more values than this print as a list down the page.
constexpr int kMaxValoriInRiga = 13;

double Riga(TmmPrinter& p) {
    return p.AltezzaTesto("X") + 0.6;
}

double Fondo(TmmPrinter& p) {
    return p.AltezzaPagina() - kPiedePagina;
}

void Righe(TmmPrinter& p, double& y, double margin, const std::string& text) {
    p.Scrivi(text, margin, y);
    y += Riga(p);
}

// One section of a short table: three rows across the values 0..N, then link and group.
void SezioneInRiga(TmmPrinter& p, const TTabellaPunti& t, const TSezione& s, const char* label, double& y,
                   double margin) {
    const double lh = Riga(p);
    const double lw = p.LarghezzaTesto("Rec") + 2;
    const double cw = p.LarghezzaTesto("00") + 1.5;
    const double half = p.LarghezzaTesto("0") / 2;
    p.Scrivi(label, margin, y);
    p.Scrivi("Rec", margin, y + lh);
    p.Scrivi("Liv", margin, y + 2 * lh);
    for (int v = 0; v <= t.N(); ++v) {
        const double x = margin + lw + v * cw;
        const TVoce& e = s.Voci[static_cast<std::size_t>(v)];
        const std::string value = std::to_string(v);
        const double shift = value.size() > 1 ? half : 0;
        if (e.Stato == kAmmesso) {
            p.Scrivi(value, x - shift, y);
        } else {
            p.Scrivi(".", x, y);
        }
        if (e.Stato == kRecupero) {
            p.Scrivi(value, x - shift, y + lh);
            const std::string level = std::to_string(e.Livello);
            p.Scrivi(level, x - (level.size() > 1 ? half : 0), y + 2 * lh);
        }
    }
    double x = margin + lw + (t.N() + 1) * cw + 3;
    p.Scrivi(std::string("Link ") + s.Link, x, y);
    if (s.Tra != 0) {
        x += p.LarghezzaTesto("Link X") + 3;
        p.Scrivi("Tra " + std::to_string(s.Tra), x, y);
    }
    y += 3 * lh + 1;
}

// One section of a long table: a line per value from the lowest to the highest marked one.
void SezioneInColonna(TmmPrinter& p, const TSezione& s, int n, const char* label, double& y, double margin) {
    const double lh = Riga(p);
    std::string head = std::string(label) + std::string("  Link ") + s.Link;
    if (s.Tra != 0) {
        head += "  Tra " + std::to_string(s.Tra);
    }
    Righe(p, y, margin, head);
    int lo = -1;
    int hi = -1;
    for (int v = 0; v <= n; ++v) {
        if (s.Voci[static_cast<std::size_t>(v)].Stato != kNonAmmesso) {
            lo = lo < 0 ? v : lo;
            hi = v;
        }
    }
    if (lo < 0) {
        return;
    }
    const double cw = p.LarghezzaTesto("0000 Rec Liv 000") + 4;
    double top = y;
    double x = margin;
    double low = y;
    for (int v = lo; v <= hi; ++v) {
        if (y + lh > Fondo(p)) {
            x += cw;
            y = top;
            if (x + cw > p.LarghezzaPagina()) {
                p.NuovaPagina();
                x = margin;
                top = y = kCimaPagina;
                low = y;
            }
        }
        const TVoce& e = s.Voci[static_cast<std::size_t>(v)];
        std::string line = fmt::format("{:>4} ", v);
        if (e.Stato == kAmmesso) {
            line += "Pt";
        } else if (e.Stato == kRecupero) {
            line += fmt::format("Rec Liv {}", e.Livello);
        } else {
            line += ".";
        }
        p.Scrivi(line, x, y);
        y += lh;
        low = std::max(low, y);
    }
    y = low;
}

// Height of a value table's block as StampaTabellaPunti prints it (the head only for a long table).
double AltezzaTabella(TmmPrinter& p, const TTabellaPunti& t) {
    const double lh = Riga(p);
    const int sections = (t.Pt.Attiva ? 1 : 0) + (t.Cs.Attiva ? 1 : 0);
    return t.N() + 1 > kMaxValoriInRiga ? 4 * lh : lh * (2 + 3 * sections) + sections + 3;
}

// The title, on a new page when it would not stand on the page together with the first table.
void StampaTitolo(TmmPrinter& p, const TCondizione& c, double& y, double margin) {
    double first = 0;
    if (const auto* t = dynamic_cast<const TCondTabelle*>(&c)) {
        for (std::size_t i = 0; i < t->NumTabelle(); ++i) {
            if (t->Tabella(i).Attiva) {
                first = AltezzaTabella(p, t->Tabella(i));
                break;
            }
        }
    }
    SpazioPagina(p, y, 3 * Riga(p) + first);
    const TFontDesc font = p.Canvas().Font();
    TFontDesc bold = font;
    bold.style |= kFontBold;
    p.Canvas().SetFont(bold);
    Righe(p, y, margin, c.Titolo.empty() ? "\\" + c.Nome : c.Titolo);
    p.Canvas().SetFont(font);
}

std::string NomeSquadra(const TCondizione& c, int team) {
    const auto* nomi = c.Owner != nullptr ? c.Owner->NomiSquadre : nullptr;
    if (nomi != nullptr && !(*nomi)[static_cast<std::size_t>(team)].empty()) {
        return (*nomi)[static_cast<std::size_t>(team)];
    }
    return "Squadra " + std::to_string(team + 1);
}

void Squadre(TmmPrinter& p, const TCondizione& c, const TSquadreScelte& squadre, double& y, double margin) {
    Righe(p, y, margin, "Squadre :");
    for (int t = 0; t < kTeams; ++t) {
        if (squadre[static_cast<std::size_t>(t)] != 0) {
            SpazioPagina(p, y, Riga(p));
            Righe(p, y, margin + 4, std::to_string(t + 1) + ") " + NomeSquadra(c, t));
        }
    }
}

std::string NomeSequela(const TCondSequela& s) {
    switch (s.TipoSequela) {
    case kSequelaSchema: {
        std::string text;
        for (int i = 0; i < s.Lunghezza && i < kTeams; ++i) {
            text += SignText(s.Schema[static_cast<std::size_t>(i)]);
        }
        return text;
    }
    case kMonotermine:
        return "Monotermine";
    case kBitermine:
        return "Bitermine";
    case kTritermine:
        return "Tritermine";
    case kGenerica:
        return "Generica";
    case kSpecchio:
        return "Specchio";
    case kQuadritermine:
        return "Quadritermine";
    default:
        return "";
    }
}

std::string Esiti(std::uint8_t e) {
    std::string text;
    for (const auto& [bit, sign] : {std::pair{1, "1"}, std::pair{2, "X"}, std::pair{4, "2"}}) {
        if ((e & bit) != 0) {
            text += std::string(" ") + sign;
        }
    }
    return text;
}

void Tabelle(TmmPrinter& p, const TCondTabelle& c, double& y, double margin, std::size_t from = 0) {
    for (std::size_t i = from; i < c.NumTabelle(); ++i) {
        if (c.Tabella(i).Attiva) {
            StampaTabellaPunti(p, c.Tabella(i), c.Voce(i).Caption, y, margin);
        }
    }
}

void StampaVortice(TmmPrinter& p, const TCondTabelle& c, double& y, double margin) {
    for (int half = 0; half < 2; ++half) {
        const std::size_t a = 2 * static_cast<std::size_t>(half);
        if (!c.Tabella(a).Attiva && !c.Tabella(a + 1).Attiva) {
            continue;
        }
        SpazioPagina(p, y, 2 * Riga(p));
        Righe(p, y, margin, half == 0 ? "Vortice Diretto" : "Vortice Inverso");
        for (std::size_t i = a; i < a + 2; ++i) {
            if (c.Tabella(i).Attiva) {
                StampaTabellaPunti(p, c.Tabella(i), c.Voce(i).Caption, y, margin);
            }
        }
    }
}

void StampaQuadro(TmmPrinter& p, const TCondQuadro& q, double& y, double margin) {
    if (q.Preset) {
        Righe(p, y, margin, std::string("Relazione tra le Condizioni : ") + SiglaRelazione(q.Relazione));
    } else {
        StampaTabellaPunti(p, q.Accettate, "Condizioni Accettate", y, margin);
    }
    const double lh = Riga(p);
    const double cw = (p.LarghezzaPagina() - 2 * margin) / 2;
    double top = y;
    double x = margin;
    double low = y;
    for (std::size_t i = 0; i < q.Count(); ++i) {
        const TCondizione& item = q.Item(i);
        if (!item.Abilitata) {
            continue;
        }
        const auto* filtro = dynamic_cast<const TCondColonnaFiltro*>(&item);
        const double h = filtro != nullptr ? (kTeams + 1) * lh : lh;
        if (y + h > Fondo(p)) {
            x += cw;
            y = top;
            if (x + cw > p.LarghezzaPagina()) {
                p.NuovaPagina();
                x = margin;
                top = y = low = kCimaPagina;
            }
        }
        p.Scrivi(fmt::format("{:02} {}", i + 1, item.Nome), x, y);
        if (filtro != nullptr) {
            const double sx = x + p.LarghezzaTesto("00 ");
            for (int t = 0; t < kTeams; ++t) {
                const SignSet s = filtro->Filtro[t];
                p.Scrivi(fmt::format("{:>2}) {}", t + 1, s == 0 ? "*" : SignText(s)), sx, y + (t + 1) * lh);
            }
        }
        y += h;
        low = std::max(low, y);
    }
    y = low + 1;
}

void StampaRisultati(TmmPrinter& p, const TCondRisultati& r, double& y, double margin) {
    for (int m = 0; m < 6; ++m) {
        const std::uint8_t e = r.Esiti[static_cast<std::size_t>(m)];
        if (e != 0) {
            SpazioPagina(p, y, Riga(p));
            Righe(p, y, margin, NomeSquadra(r, 2 * m) + " - " + NomeSquadra(r, 2 * m + 1) + " :" + Esiti(e));
        }
    }
    Tabelle(p, r, y, margin);
}

void StampaConsecutivita(TmmPrinter& p, const TCondConsecutivita& c, double& y, double margin) {
    std::string counts = "Conteggi :";
    const TTabellaPunti& sel = c.Tabella(0);
    for (int v = 0; v <= sel.N(); ++v) {
        if (sel.Pt.Voci[static_cast<std::size_t>(v)].Stato != kNonAmmesso) {
            counts += " " + std::to_string(v);
        }
    }
    Righe(p, y, margin, counts);
    Righe(p, y, margin, "Segni " + SignText(c.Segno));
    StampaTabellaPunti(p, c.Tabella(1), c.Voce(1).Caption, y, margin);
}

void StampaSequela(TmmPrinter& p, const TCondSequela& s, double& y, double margin) {
    Righe(p, y, margin,
          fmt::format("Sequela {}  Lunghezza : {}    Passo Trovata : {}    Passo NonTrovata : {}",
                      NomeSequela(s), s.Lunghezza, s.PassoTrovata, s.PassoNonTrovata));
    Tabelle(p, s, y, margin);
}

void StampaFiltro(TmmPrinter& p, const TCondColonnaFiltro& f, double& y, double margin) {
    Tabelle(p, f, y, margin);
    SpazioPagina(p, y, 3 * Riga(p));
    Righe(p, y, margin, std::string("Confronto a Coppie : ") + (f.ConfrontoACoppie ? "Acceso" : "Spento"));
    std::string column = "Colonna Filtro :";
    for (int t = 0; t < kTeams; ++t) {
        const SignSet s = f.Filtro[t];
        column += " " + (s == 0 ? std::string("*") : SignText(s));
    }
    Righe(p, y, margin, column);
}

void StampaPuntiTra(TmmPrinter& p, const TCondPuntiTra& t, double& y, double margin) {
    for (int g = 1; g <= kGruppiTra; ++g) {
        const TTabellaIntervalli& tab = t.Gruppo(g);
        if (!tab.Attiva) {
            continue;
        }
        SpazioPagina(p, y, 4 * Riga(p));
        Righe(p, y, margin, "Gruppo Tra : " + std::to_string(g));
        Righe(p, y, margin, "Punti Ammessi");
        StampaTabellaIntervalli(p, tab, y, margin);
    }
}

} // namespace

void SpazioPagina(TmmPrinter& p, double& y, double h) {
    if (y + h > Fondo(p) && y > kCimaPagina) {
        p.NuovaPagina();
        y = kCimaPagina;
    }
}

std::string TestoLimite(double v) {
    if (std::nearbyint(v) == v && std::fabs(v) < 1e15) {
        return fmt::format("{}", static_cast<long long>(v));
    }
    std::string s = fmt::format("{:.2f}", v);
    while (s.back() == '0') {
        s.pop_back();
    }
    if (s.back() == '.') {
        s.pop_back();
    }
    return s;
}

void StampaTabellaPunti(TmmPrinter& p, const TTabellaPunti& t, const std::string& caption, double& y,
                        double margin) {
    const double lh = Riga(p);
    const bool lunga = t.N() + 1 > kMaxValoriInRiga;
    SpazioPagina(p, y, AltezzaTabella(p, t));
    const double top = y;
    y += 1;
    p.Scrivi(caption, margin + 2, y);
    y += lh;
    const double inner = margin + 2;
    if (lunga) {
        if (t.Pt.Attiva) {
            SezioneInColonna(p, t.Pt, t.N(), "Pt ", y, inner);
        }
        if (t.Cs.Attiva) {
            SezioneInColonna(p, t.Cs, t.N(), "Cs ", y, inner);
        }
    } else {
        if (t.Pt.Attiva) {
            SezioneInRiga(p, t, t.Pt, "Pt ", y, inner);
        }
        if (t.Cs.Attiva) {
            SezioneInRiga(p, t, t.Cs, "Cs ", y, inner);
        }
    }
    double x = inner;
    p.Scrivi("Campo", x, y);
    x += p.LarghezzaTesto("Campo") + 3;
    const std::string min = "Min " + std::to_string(t.CampoMin);
    p.Scrivi(min, x, y);
    x += p.LarghezzaTesto(min) + 3;
    p.Scrivi("Max " + std::to_string(t.CampoMax), x, y);
    y += lh + 1;
    if (!lunga && y > top) {
        const double right = inner + p.LarghezzaTesto("Rec") + 2 +
                             (t.N() + 1) * (p.LarghezzaTesto("00") + 1.5) +
                             p.LarghezzaTesto("Link X  Tra 30") + 8;
        p.Riquadro(margin, top, right, y);
    }
    y += 2;
}

void StampaTabellaIntervalli(TmmPrinter& p, const TTabellaIntervalli& t, double& y, double margin) {
    const double lh = Riga(p);
    const double limit = p.LarghezzaPagina() - 23;
    std::string line = "Intervalli Ammessi : ";
    const std::string indent(line.size(), ' ');
    auto flush = [&] {
        SpazioPagina(p, y, lh);
        Righe(p, y, margin, line);
    };
    for (int i = 0; i < t.Conta && i < kMaxIntervalli; ++i) {
        const TIntervallo& r = t.Intervalli[static_cast<std::size_t>(i)];
        if (r.Stato != kAmmesso) {
            continue;
        }
        const std::string piece = "  " + TestoLimite(r.Min) + "-" + TestoLimite(r.Max);
        if (margin + p.LarghezzaTesto(line + piece) > limit) {
            flush();
            line = indent;
        }
        line += piece;
    }
    flush();
    for (int i = 0; i < t.Conta && i < kMaxIntervalli; ++i) {
        const TIntervallo& r = t.Intervalli[static_cast<std::size_t>(i)];
        if (r.Stato == kRecupero) {
            line = "Intervalli In Recupero : " + TestoLimite(r.Min) + "-" + TestoLimite(r.Max) + "  Liv " +
                   std::to_string(r.Livello);
            flush();
        }
    }
    y += 1;
}

void StampaLink(TmmPrinter& p, const TLink& link, double& y, double margin) {
    SpazioPagina(p, y, 3 * Riga(p));
    Righe(p, y, margin, "Link");
    for (const char letter : link.LettereUsate) {
        const TTabellaPunti& t = link.Lettera(letter).ErroriAmmessi;
        if (t.Attiva) {
            StampaTabellaPunti(p, t, std::string("Errori Ammessi Nella Link ") + letter, y, margin);
        }
    }
    if (link.ErroriTotali.Attiva) {
        StampaTabellaPunti(p, link.ErroriTotali, "Errori Ammessi In Totale", y, margin);
    }
}

void TCondizione::Stampa(TmmPrinter& p, double& y, double margin) const {
    if (const auto* lista = dynamic_cast<const TListaCondizioni*>(this)) {
        for (std::size_t i = 0; i < lista->Count(); ++i) {
            const TCondizione& item = lista->Item(i);
            if (item.Abilitata && item.Attivato) {
                item.Stampa(p, y, margin);
            }
        }
        return;
    }
    StampaTitolo(p, *this, y, margin);
    if (const auto* q = dynamic_cast<const TCondQuadro*>(this)) {
        StampaQuadro(p, *q, y, margin);
    } else if (const auto* r = dynamic_cast<const TCondRisultati*>(this)) {
        StampaRisultati(p, *r, y, margin);
    } else if (const auto* k = dynamic_cast<const TCondConsecutivita*>(this)) {
        StampaConsecutivita(p, *k, y, margin);
    } else if (const auto* s = dynamic_cast<const TCondSequela*>(this)) {
        StampaSequela(p, *s, y, margin);
    } else if (const auto* f = dynamic_cast<const TCondColonnaFiltro*>(this)) {
        StampaFiltro(p, *f, y, margin);
    } else if (const auto* g = dynamic_cast<const TCondPuntiSquadra*>(this)) {
        Squadre(p, *g, g->Squadre, y, margin);
        Tabelle(p, *g, y, margin);
    } else if (const auto* v = dynamic_cast<const TCondGruppoValori*>(this)) {
        Squadre(p, *v, v->Squadre, y, margin);
        Righe(p, y, margin, v->Tipo == kCodPercentuali ? "Percentuali" : "Valori");
        StampaTabellaIntervalli(p, v->Intervalli, y, margin);
        Righe(p, y, margin, std::string("Link  ") + v->Intervalli.Link);
    } else if (const auto* t = dynamic_cast<const TCondPuntiTra*>(this)) {
        StampaPuntiTra(p, *t, y, margin);
    } else if (Tipo == kCodVortice) {
        StampaVortice(p, static_cast<const TCondTabelle&>(*this), y, margin);
    } else if (const auto* c = dynamic_cast<const TCondTabelle*>(this)) {
        Tabelle(p, *c, y, margin);
    }
    y += 2;
}

} // namespace tessaline
