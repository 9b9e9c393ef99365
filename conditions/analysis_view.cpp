#include "conditions/analysis_view.h"

#include <fmt/format.h>
#include <memory>

#include "conditions/condition.h"
#include "conditions/condition_set.h"
#include "conditions/frame.h"
#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/value_conditions.h"
#include "core/column_list.h"

namespace tessaline {

namespace {

struct TTitoli {
    const char* statistica;
    const char* colonne;
    const char* ritardo;
    const char* frequenza;
};

// A measure taken from table `tabella` of a table condition.
struct TSorgente {
    std::size_t tabella;
    std::string nome;
};

std::string SegnoTesto(SignSet s) {
    switch (s) {
    case 1:
        return "0";
    case 2:
        return "1";
    case 4:
        return "2";
    default:
        return "+";
    }
}

std::vector<std::string> EtichetteNumeri(int massimo) {
    std::vector<std::string> e;
    for (int v = 0; v <= massimo; ++v) {
        e.push_back(std::to_string(v));
    }
    return e;
}

std::vector<std::uint8_t> Stati(const TSezione& s, int n) {
    std::vector<std::uint8_t> out;
    for (int v = 0; v <= n; ++v) {
        out.push_back(s.Voci[static_cast<std::size_t>(v)].Stato);
    }
    return out;
}

// A private copy of the condition under the same owner, its derived flags brought up to date.
std::unique_ptr<TCondizione> Copia(const TCondizione& cond) {
    TByteWriter w;
    if (!cond.Scrivi(w)) {
        return nullptr;
    }
    const std::vector<std::uint8_t> bytes = w.Data();
    TByteReader r(bytes);
    std::uint8_t tipo = 0;
    std::unique_ptr<TCondizione> c = CreaCondizione(cond.Tipo, cond.Owner);
    if (c == nullptr || !r.U8(tipo) || !c->Leggi(r)) {
        return nullptr;
    }
    c->Titolo = cond.Titolo;
    c->AzzeraStatistiche();
    c->AggiornaStato();
    return c;
}

void Imposta(VistaAnalisi& v, const TTitoli& t, const std::string& suffisso = std::string()) {
    auto con = [&](const char* s) { return s == nullptr ? std::string() : std::string(s) + suffisso; };
    v.TitoloStatistica = con(t.statistica);
    v.TitoloColonne = con(t.colonne);
    v.TitoloRitardo = con(t.ritardo);
    v.TitoloFrequenza = con(t.frequenza);
}

// The measures and titles of a table condition; false for a kind with no view.
bool Sorgenti(const TCondTabelle& c, TVarianteVista variante, std::vector<TSorgente>& s, VistaAnalisi& v) {
    switch (c.Tipo) {
    case kCodNumeroSegni:
        s = {{0, "Segni 0"}, {1, "Segni 1"}, {2, "Segni 2"}, {3, "Segni +"}};
        Imposta(v, {"Analisi Statistica del Numero dei Segni", "Analisi Colonnare del Numero dei Segni",
                    "Analisi Statistica del Ritardo nel Numero dei Segni",
                    "Analisi Statistica della Frequenza del Numero dei Segni"});
        return true;
    case kCodConsecutivita: {
        const std::string segno = " Segno " + SegnoTesto(dynamic_cast<const TCondConsecutivita&>(c).Segno);
        s = {{1, segno}};
        Imposta(v,
                {"Analisi Statistica della Consecutivita del", "Analisi Colonnare della Consecutivita del",
                 "Analisi Statistica del Ritardo nella Consecutivita del",
                 "Analisi Statistica della Frequenza nella Consecutivita del"},
                segno);
        return true;
    }
    case kCodInterruzioni:
        s = {{0, "Globali"}, {1, "Segni 0"}, {2, "Segni 1"}, {3, "Segni 2"}, {4, "Segni +"}};
        Imposta(v, {"Analisi Statistica delle Interruzioni", "Analisi Colonnare delle Interruzioni",
                    "Analisi Statistica del Ritardo nelle Interruzioni",
                    "Analisi Statistica della Frequenza delle Interruzioni"});
        return true;
    case kCodSimmetrie:
        s = {{0, "Dirette"}, {1, "Inverse"}};
        Imposta(v, {"Analisi Statistica delle Simmetrie", "Analisi Colonnare delle Simmetrie",
                    "Analisi Statistica del Ritardo nelle Simmetrie",
                    "Analisi Statistica della Frequenza delle Simmetrie"});
        return true;
    case kCodRipetizioni:
        s = {{0, "Una Prec."}, {1, "Due Prec."}};
        Imposta(v, {"Analisi Statistica delle Ripetizioni", "Analisi Colonnare delle Ripetizione",
                    "Analisi Statistica del Ritardo nelle Ripetizioni",
                    "Analisi Statistica della Frequenza delle ipetizioni"});
        return true;
    case kCodPariDispari:
        s = {{1, "Dispari"}, {0, "Pari"}};
        Imposta(v, {"Analisi Statistica delle Consecutività Pari e Dispari",
                    "Analisi Colonnare delle Consecutività Pari e Dispari",
                    "Analisi Statistica del Ritardo nelle Consecutività Pari e Dispari",
                    "Analisi Statistica delle Frequenze delle Consecutività Pari e Dispari"});
        return true;
    case kCodVortice:
        if (variante == TVarianteVista::Diretta) {
            s = {{0, "Posizione"}};
            Imposta(v, {"Analisi Statistica del Vortice Diretto", "Analisi Colonnare del Vortice Diretto",
                        "Analisi Statistica dei Ritardi del Vortice Diretto",
                        "Analisi Statistica della Frequenza del Vortice Diretto"});
        } else {
            s = {{2, "Posizione"}};
            Imposta(v, {"Analisi Statistica del Vortice Inverso", "Analisi Colonnare del Vortice Inverso",
                        "Analisi Statistica dei Ritardi nel Vortice Inverso",
                        "Analisi Statistica della Frequenza del Vortice Inverso"});
        }
        return true;
    case kCodPuntiSquadra:
        s = {{0, "Gol Squadra"}};
        Imposta(v, {"Analisi Statistica dei Punti Squadra", "Analisi Colonnare dei Punti Squadra",
                    "Analisi Statistica del Ritardo nei Punti Squadra", nullptr});
        return true;
    case kCodColonnaFiltro:
        s = {{0, "Punti"}};
        Imposta(v, {"Analisi Statistica della Colonna Filtro", "Analisi Colonnare delle Colonna Filtro",
                    "Analisi Statistica del Ritardo della Colonna Filtro",
                    "Analisi Statistica delle Frequenze delle Colonna Filtro"});
        return true;
    case kCodRisultati:
        s = {{0, "Risultati"}};
        Imposta(v, {"Analisi Statistica dei Risultati", "Analisi Colonnare dei Risultati",
                    "Analisi Statistica del Ritardo nei Risultati",
                    "Analisi Statistica delle Frequenze dei Risultati"});
        return true;
    case kCodSequela: {
        s = {{0, "Sequela"}};
        const std::int32_t tipo = dynamic_cast<const TCondSequela&>(c).TipoSequela;
        const char* nome = tipo == kMonotermine     ? "Monotermine"
                           : tipo == kBitermine     ? "Bitermine"
                           : tipo == kTritermine    ? "Tritemine"
                           : tipo == kSpecchio      ? "a Specchio"
                           : tipo == kGenerica      ? "Generiche"
                           : tipo == kQuadritermine ? "Quadritermine"
                                                    : "";
        if (tipo == kSequelaSchema) {
            Imposta(v, {"Analisi Statistica della Sequela ", "Analisi Colonnare della Sequela ",
                        "Analisi Statistica del Ritardo della Sequela ",
                        "Analisi Statistica della Frequenza della Sequela "});
        } else {
            Imposta(v,
                    {"Analisi Statistica delle Sequele ", "Analisi Colonnare delle Sequele ",
                     "Analisi Statistica del Ritardo delle Sequele ",
                     "Analisi Statistica della Frequenza delle Sequele "},
                    nome);
        }
        return true;
    }
    default:
        return false;
    }
}

constexpr std::int64_t kPassoAnnulla = 4096;

bool VistaTabelle(TCondTabelle& c, const Colonna& pronostico, bool sviluppato, bool soloArchivio,
                  TVarianteVista variante, VistaAnalisi& v, CancelProbe* cancel) {
    std::vector<TSorgente> sorgenti;
    if (!Sorgenti(c, variante, sorgenti, v)) {
        return false;
    }
    c.StatisticaArchivio();
    for (const TSorgente& s : sorgenti) {
        const auto& voce = c.Voce(s.tabella);
        TMisuraVista m;
        m.Nome = s.nome;
        m.Archivio = voce.Archivio;
        m.Etichette = EtichetteNumeri(std::max(voce.Tabella.N(), voce.Archivio.Massimo()));
        m.StatiPunti = Stati(voce.Tabella.Pt, voce.Tabella.N());
        if (voce.Tabella.HaCons()) {
            m.StatiCons = Stati(voce.Tabella.Cs, voce.Tabella.N());
        }
        m.Integrale.Azzera(voce.Tabella.N());
        m.Singola.Azzera(voce.Tabella.N());
        m.Condizionata.Azzera(voce.Tabella.N());
        v.Misure.push_back(std::move(m));
    }
    if (soloArchivio) {
        return true;
    }
    if (sviluppato) {
        c.StatisticaColonne();
        for (std::size_t i = 0; i < sorgenti.size(); ++i) {
            v.Misure[i].Condizionata = c.Voce(sorgenti[i].tabella).Analisi;
        }
    }
    std::array<TMisura, 8> mis{};
    const std::span<TMisura> out(mis.data(), c.NumTabelle());
    bool annullato = false;
    ExpandColumn(pronostico, [&](const Colonna& col) {
        if (annullato) {
            return;
        }
        if (++v.ColonnePronostico % kPassoAnnulla == 0 && cancel != nullptr && cancel->Take()) {
            annullato = true;
            return;
        }
        c.Misura(col, out, true);
        const bool tenuta = c.Verifica(col);
        for (std::size_t i = 0; i < sorgenti.size(); ++i) {
            const TMisura& m = mis[sorgenti[i].tabella];
            v.Misure[i].Integrale.Aggiungi(m.v, m.c, false);
            if (tenuta) {
                v.Misure[i].Singola.Aggiungi(m.v, m.c, false);
            }
        }
    });
    v.ConColonne = !annullato;
    return !annullato;
}

bool VistaValori(TCondGruppoValori& c, const Colonna& pronostico, bool sviluppato, bool soloArchivio,
                 VistaAnalisi& v, CancelProbe* cancel) {
    const bool percentuali = c.Tipo == kCodPercentuali;
    if (percentuali) {
        Imposta(v, {"Analisi Statistica delle Percentuali", "Analisi Colonnare delle Percentuali", nullptr,
                    nullptr});
    } else {
        Imposta(v, {"Analisi Statistica dei Valori", "Analisi Colonnare dei Valori",
                    "Analisi Statistica dei Ritardi nei Valori", nullptr});
    }
    const int conta = c.Intervalli.Conta;
    TMisuraVista m;
    m.Nome = percentuali ? "Percentuali" : "Valori";
    for (int i = 0; i < conta; ++i) {
        const TIntervallo& iv = c.Intervalli.Intervalli[static_cast<std::size_t>(i)];
        m.Etichette.push_back(fmt::format("{:g},{:g}", iv.Min, iv.Max));
        m.StatiPunti.push_back(static_cast<std::uint8_t>(iv.Stato));
    }
    m.Etichette.push_back("Altri");
    m.StatiPunti.push_back(kNonAmmesso);
    c.StatisticaArchivio();
    m.Archivio = c.Archivio;
    m.Integrale.Azzera(conta);
    m.Singola.Azzera(conta);
    m.Condizionata.Azzera(conta);
    v.Misure.push_back(std::move(m));
    if (soloArchivio) {
        return true;
    }
    TMisuraVista& mv = v.Misure.front();
    if (sviluppato) {
        c.StatisticaColonne();
        mv.Condizionata = c.Analisi;
    }
    bool annullato = false;
    ExpandColumn(pronostico, [&](const Colonna& col) {
        if (annullato) {
            return;
        }
        if (++v.ColonnePronostico % kPassoAnnulla == 0 && cancel != nullptr && cancel->Take()) {
            annullato = true;
            return;
        }
        const int k = c.IndiceIntervallo(c.Misura(col));
        mv.Integrale.Aggiungi(k, 0, false);
        if (c.Verifica(col)) {
            mv.Singola.Aggiungi(k, 0, false);
        }
    });
    v.ConColonne = !annullato;
    return !annullato;
}

} // namespace

double Percentuale(std::int64_t count, std::int64_t total) {
    return total > 0 ? static_cast<double>(count) / static_cast<double>(total) * 100.0 : 0.0;
}

bool CostruisciVista(const TCondizione& cond, const Colonna& pronostico, bool sviluppato, bool soloArchivio,
                     VistaAnalisi& out, TVarianteVista variante, CancelProbe* cancel) {
    out = VistaAnalisi{};
    out.Sviluppato = sviluppato && !soloArchivio;
    std::unique_ptr<TCondizione> copia = Copia(cond);
    if (copia == nullptr) {
        return false;
    }
    if (auto* t = dynamic_cast<TCondTabelle*>(copia.get())) {
        return VistaTabelle(*t, pronostico, out.Sviluppato, soloArchivio, variante, out, cancel);
    }
    if (auto* g = dynamic_cast<TCondGruppoValori*>(copia.get())) {
        return VistaValori(*g, pronostico, out.Sviluppato, soloArchivio, out, cancel);
    }
    if (auto* q = dynamic_cast<TCondQuadro*>(copia.get())) {
        Imposta(out, {nullptr, nullptr, "Analisi Statistica del Ritardo del Quadro",
                      "Analisi Statistica della Frequenza del Quadro"});
        q->StatisticaArchivio();
        TMisuraVista m;
        m.Nome = "Quadro";
        m.Archivio = q->StatArchivio;
        m.Etichette = EtichetteNumeri(q->StatArchivio.Massimo());
        out.Misure.push_back(std::move(m));
        out.Sviluppato = false;
        return true;
    }
    return false;
}

} // namespace tessaline
