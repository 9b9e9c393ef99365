#include "conditions/archive_check.h"

#include <algorithm>
#include <cmath>

#include "conditions/condition_set.h"

namespace tessaline {

namespace {

// The replacements of each single sign, in the order the check tries them.
const std::array<SignSet, 3>* Sostituti(SignSet s) {
    static const std::array<SignSet, 3> da0 = {2, 4, 8};
    static const std::array<SignSet, 3> da1 = {1, 4, 8};
    static const std::array<SignSet, 3> da2 = {2, 1, 8};
    static const std::array<SignSet, 3> daM = {1, 2, 4};
    switch (s) {
    case 1:
        return &da0;
    case 2:
        return &da1;
    case 4:
        return &da2;
    case 8:
        return &daM;
    default:
        return nullptr;
    }
}

// Whether some variant with `errori` errors (1 or 2) is accepted; stops at the first team that has one.
bool VarianteAccettata(TInsiemeCondizioni& set, Colonna c, int errori) {
    for (std::size_t t = 0; t < kTeams; ++t) {
        const SignSet orig = c.s[t];
        const auto* sost = Sostituti(orig);
        if (sost == nullptr) {
            continue;
        }
        bool trovata = false;
        for (SignSet x : *sost) {
            c.s[t] = x;
            if (errori == 1 ? set.Accetta(c) : VarianteAccettata(set, c, 1)) {
                trovata = true;
                break;
            }
        }
        c.s[t] = orig;
        if (trovata) {
            return true;
        }
    }
    return false;
}

void Vincita(TCategoriaStorica& cat, bool vinta, std::int32_t esaminati) {
    cat.Tabella.Aggiungi(vinta ? 1 : 0, 0, true);
    if (vinta) {
        cat.UltimaVincita = esaminati;
        cat.Vincite.push_back(esaminati);
    }
}

} // namespace

double TCategoriaStorica::FrequenzaPercento() const {
    const std::int32_t eventi = Tabella.Eventi();
    return eventi > 0 ? static_cast<double>(Tabella.Frequenza(1)) / eventi * 100.0 : 0.0;
}

std::vector<Colonna> VariantiErrore(const Colonna& c) {
    std::vector<Colonna> out;
    for (std::size_t t = 0; t < kTeams; ++t) {
        if (const auto* sost = Sostituti(c.s[t])) {
            for (SignSet x : *sost) {
                Colonna v = c;
                v.s[t] = x;
                out.push_back(v);
            }
        }
    }
    return out;
}

void ConcludiCategoria(TCategoriaStorica& cat, std::int32_t esaminati) {
    const std::int32_t ritardo = cat.Tabella.Ritardo(1);
    const std::int32_t vinte = cat.Tabella.Frequenza(1);
    cat.UltimaVincita = esaminati - ritardo;
    cat.CicloMedio = vinte > 0 ? static_cast<double>(cat.UltimaVincita) / vinte : 0.0;
    const auto ciclo = static_cast<std::int32_t>(std::trunc(cat.CicloMedio));
    cat.RitardoAttuale = std::max(0, ritardo - ciclo);
    cat.RitardoMinimo = 0;
    cat.RitardoMassimo = 0;
    cat.RitardoMedio = 0.0;
    std::int32_t precedente = 0;
    std::int64_t somma = 0;
    std::int32_t positivi = 0;
    for (std::int32_t w : cat.Vincite) {
        const std::int32_t gap = w - (precedente + ciclo);
        if (gap > 0) {
            cat.RitardoMinimo = positivi == 0 ? gap : std::min(cat.RitardoMinimo, gap);
            cat.RitardoMassimo = std::max(cat.RitardoMassimo, gap);
            somma += gap;
            ++positivi;
        }
        precedente = w;
    }
    if (positivi > 0) {
        cat.RitardoMedio = static_cast<double>(somma) / positivi;
    }
}

std::string TestoEsaminati(std::int32_t esaminati, std::int32_t concorsi) {
    return "Concorsi Esaminati : " + std::to_string(esaminati) + " Su " + std::to_string(concorsi);
}

bool AnalisiArchivio(TInsiemeCondizioni& set, const T_Archivio& archivio,
                     const T_ImpostazioniRicerca& ricerca, TAnalisiStorica& out, TAnalisiProgress* progress,
                     CancelProbe* cancel) {
    out = TAnalisiStorica{};
    out.NumCategorie = std::clamp(ricerca.Categorie(), 1, 3);
    out.Concorsi = static_cast<std::int32_t>(archivio.Count());
    for (TCategoriaStorica& c : out.Categorie) {
        c.Tabella.Azzera(1);
    }
    if (progress != nullptr) {
        progress->Stato(kAnalisiInCorso);
        progress->Gauge(0);
    }

    // Linked to this archive and these settings for the run; the previous links come back at the end.
    const T_Archivio* archivioPrima = set.Archivio();
    const T_ImpostazioniRicerca* ricercaPrima = set.RicercaCollegata();
    const TListaColonne* colonne = set.ColonneInMemoria();
    const bool raccogliPrima = set.RaccogliErrori;
    set.Collega(&archivio, &ricerca, colonne);
    set.RaccogliErrori = false;
    set.ModoArchivio = true;
    set.Prepara();
    struct TRipristino {
        TInsiemeCondizioni& set;
        const T_Archivio* archivio;
        const T_ImpostazioniRicerca* ricerca;
        const TListaColonne* colonne;
        bool raccogli;
        ~TRipristino() {
            set.ModoArchivio = false;
            set.RaccogliErrori = raccogli;
            set.Collega(archivio, ricerca, colonne);
        }
    } ripristino{set, archivioPrima, ricercaPrima, colonne, raccogliPrima};

    const auto& lista = archivio.Concorsi();
    int gauge = 0;
    for (std::size_t i = 0; i < lista.size(); ++i) {
        const T_Concorso& c = lista[i];
        if (!ricerca.Intervallo.Contiene(c)) {
            continue;
        }
        ++out.Esaminati;
        const int percent =
            static_cast<int>(static_cast<double>(i) / static_cast<double>(lista.size()) * 100.0);
        if (percent > gauge + 2) {
            gauge = percent;
            if (progress != nullptr) {
                progress->Gauge(gauge);
            }
        }
        if (set.Accetta(c.ColonnaVincente)) {
            Vincita(out.Categorie[0], true, out.Esaminati);
        } else {
            Vincita(out.Categorie[0], false, out.Esaminati);
            if (out.NumCategorie >= 2) {
                if (VarianteAccettata(set, c.ColonnaVincente, 1)) {
                    Vincita(out.Categorie[1], true, out.Esaminati);
                } else {
                    Vincita(out.Categorie[1], false, out.Esaminati);
                    if (out.NumCategorie == 3) {
                        Vincita(out.Categorie[2], VarianteAccettata(set, c.ColonnaVincente, 2),
                                out.Esaminati);
                    }
                }
            }
        }
        if (cancel != nullptr && cancel->Take()) {
            return false;
        }
    }
    for (int k = 0; k < out.NumCategorie; ++k) {
        ConcludiCategoria(out.Categorie[static_cast<std::size_t>(k)], out.Esaminati);
    }
    out.Completata = true;
    if (progress != nullptr) {
        progress->Stato(TestoEsaminati(out.Esaminati, out.Concorsi));
        progress->Gauge(100);
    }
    return true;
}

} // namespace tessaline
