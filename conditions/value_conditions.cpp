#include "conditions/value_conditions.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>

#include <fmt/format.h>

#include "conditions/condition_set.h"
#include "conditions/measures.h"
#include "core/column_list.h"

namespace tessaline {

namespace {

constexpr int kStatValori = 100;

// The signs of a forecast set, all four when it is empty.
SignSet SegniPrevisti(SignSet s) {
    return (s & kAllSigns) != 0 ? static_cast<SignSet>(s & kAllSigns) : kAllSigns;
}

// Smallest and largest entry of a team's row over the signs of the set.
void EstremiRiga(const std::array<std::int32_t, 4>& riga, SignSet set, double& lo, double& hi) {
    bool first = true;
    for (std::size_t i = 0; i < 4; ++i) {
        if (((set >> i) & 1) == 0) {
            continue;
        }
        const double v = riga[i];
        lo = first ? v : std::min(lo, v);
        hi = first ? v : std::max(hi, v);
        first = false;
    }
}

const TeamGrid& GrigliaVuota() {
    static const TeamGrid kZero{};
    return kZero;
}

bool Blank(std::string_view s) {
    return s.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

int MisuraGol(const Colonna& c, const TSquadreScelte& squadre) {
    int gol = 0;
    for (std::size_t t = 0; t < kTeams; ++t) {
        if (squadre[t] != 0) {
            gol += kGolSegno[c.s[t]];
        }
    }
    return gol;
}

double MisuraValori(const Colonna& c, const TSquadreScelte& squadre, const TeamGrid& valori) {
    double somma = 0;
    for (std::size_t t = 0; t < kTeams; ++t) {
        const std::uint8_t s = kIndiceSegno[c.s[t]];
        if (squadre[t] != 0 && s < 4) {
            somma += valori[t][s];
        }
    }
    return somma;
}

double MisuraPercentuali(const Colonna& c, const TSquadreScelte& squadre, const TeamGrid& percentuali) {
    double x = 100;
    bool any = false;
    for (std::size_t t = 0; t < kTeams; ++t) {
        if (squadre[t] == 0) {
            continue;
        }
        any = true;
        const std::uint8_t s = kIndiceSegno[c.s[t]];
        const double p = s < 4 ? percentuali[t][s] : 0;
        x = x * p / 100;
    }
    return any ? x : 0;
}

TLimitiMisura LimitiGol(const TSquadreScelte& squadre, const Pronostico& f) {
    static constexpr std::array<std::int32_t, 4> kGol = {0, 1, 2, 3};
    TLimitiMisura l;
    for (std::size_t t = 0; t < kTeams; ++t) {
        if (squadre[t] != 0) {
            double lo = 0;
            double hi = 0;
            EstremiRiga(kGol, SegniPrevisti(f.s[t]), lo, hi);
            l.Min += lo;
            l.Max += hi;
        }
    }
    return l;
}

TLimitiMisura LimitiValori(const TSquadreScelte& squadre, const TeamGrid& valori, const Pronostico& f) {
    TLimitiMisura l;
    for (std::size_t t = 0; t < kTeams; ++t) {
        if (squadre[t] != 0) {
            double lo = 0;
            double hi = 0;
            EstremiRiga(valori[t], SegniPrevisti(f.s[t]), lo, hi);
            l.Min += lo;
            l.Max += hi;
        }
    }
    return l;
}

TLimitiMisura LimitiPercentuali(const TSquadreScelte& squadre, const TeamGrid& percentuali,
                                const Pronostico& f) {
    double lo = 100;
    double hi = 100;
    bool any = false;
    for (std::size_t t = 0; t < kTeams; ++t) {
        if (squadre[t] == 0) {
            continue;
        }
        any = true;
        double plo = 0;
        double phi = 0;
        EstremiRiga(percentuali[t], SegniPrevisti(f.s[t]), plo, phi);
        // Interval product, so that negative entries keep the bounds right.
        const std::array<double, 4> v = {lo * plo / 100, lo * phi / 100, hi * plo / 100, hi * phi / 100};
        lo = *std::min_element(v.begin(), v.end());
        hi = *std::max_element(v.begin(), v.end());
    }
    return any ? TLimitiMisura{lo, hi} : TLimitiMisura{};
}

TCondPuntiSquadra::TCondPuntiSquadra(TInsiemeCondizioni* owner)
    : TCondTabelle(kCodPuntiSquadra, "Punti Squadra", owner) {
    AggiungiTabella("Gol ", "Gol", 36, false);
}

void TCondPuntiSquadra::MisuraProfilo(const Colonna& c, const TProfilo& /*pr*/, std::span<TMisura> out,
                                      bool /*tutte*/) const {
    out[0] = {MisuraGol(c, Squadre), 0};
}

void TCondPuntiSquadra::ScriviDati(TByteWriter& w) const {
    Gol().Scrivi(w);
    w.Bytes(Squadre.data(), Squadre.size());
}

bool TCondPuntiSquadra::LeggiDati(TByteReader& r) {
    TTabellaPunti gol = Gol();
    TSquadreScelte squadre{};
    if (!gol.Leggi(r) || !r.Bytes(squadre.data(), squadre.size())) {
        return false;
    }
    Gol() = gol;
    Squadre = squadre;
    AggiornaAttive();
    return true;
}

TCondGruppoValori::TCondGruppoValori(std::uint8_t tipo, std::string nome, TInsiemeCondizioni* owner)
    : TCondizione(tipo, std::move(nome), owner), Intervalli(owner) {
    AzzeraStatistiche();
}

double TCondGruppoValori::Misura(const Colonna& c) const {
    if (Tipo == kCodPercentuali) {
        const TeamGrid* p = Owner != nullptr ? Owner->PercentualiSquadre() : nullptr;
        return ArrotondaReal48(MisuraPercentuali(c, Squadre, p != nullptr ? *p : GrigliaVuota()));
    }
    const TeamGrid* v = Owner != nullptr ? Owner->ValoriSquadre() : nullptr;
    return ArrotondaReal48(MisuraValori(c, Squadre, v != nullptr ? *v : GrigliaVuota()));
}

int TCondGruppoValori::IndiceIntervallo(double x) const {
    for (int i = 0; i < Intervalli.Conta; ++i) {
        const TIntervallo& iv = Intervalli.Intervalli[static_cast<std::size_t>(i)];
        if (iv.Min <= x && x <= iv.Max) {
            return i;
        }
    }
    return Intervalli.Conta;
}

void TCondGruppoValori::StatisticaArchivio() {
    Archivio.Azzera(kStatValori);
    if (Owner != nullptr) {
        Owner->PerOgniConcorso(
            [this](const Colonna& c) { Archivio.Aggiungi(IndiceIntervallo(Misura(c)), 0, true); });
    }
}

void TCondGruppoValori::StatisticaColonne() {
    Analisi.Azzera(kStatValori);
    if (Owner != nullptr) {
        Owner->PerOgniColonna(
            [this](const Colonna& c) { Analisi.Aggiungi(IndiceIntervallo(Misura(c)), 0, false); });
    }
}

void TCondGruppoValori::StatisticaColonna(const Colonna& c) {
    const double x = Misura(c);
    const int i = IndiceIntervallo(x);
    Archivio.Aggiungi(i, 0, false);
    if (Intervalli.Ammette(x)) {
        Analisi.Aggiungi(i, 0, false);
    }
}

void TCondGruppoValori::AzzeraStatistiche() {
    Archivio.Azzera(kStatValori);
    Analisi.Azzera(kStatValori);
}

bool TCondGruppoValori::AggiornaStato() {
    Abilitata = Intervalli.AggiornaStato(Attivato);
    if (Abilitata && Owner != nullptr && Owner->ModoArchivio) {
        const T_ImpostazioniRicerca& s = Owner->Ricerca();
        if ((Tipo == kCodPercentuali ? s.IgnoraPercentuali : s.IgnoraValori) != 0) {
            Abilitata = false;
        }
    }
    return Abilitata;
}

void TCondGruppoValori::EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char /*letter*/, int /*group*/) {
    if (modo == TModoEsame::Link) {
        e.Intervalli(Intervalli, Titolo);
    }
}

void TCondGruppoValori::Azzera() {
    Attivato = true;
    Intervalli.Svuota();
}

void TCondGruppoValori::ScriviDati(TByteWriter& w) const {
    Intervalli.Scrivi(w);
    w.Bytes(Squadre.data(), Squadre.size());
}

bool TCondGruppoValori::LeggiDati(TByteReader& r) {
    TTabellaIntervalli t = Intervalli;
    TSquadreScelte squadre{};
    if (!t.Leggi(r) || !r.Bytes(squadre.data(), squadre.size())) {
        return false;
    }
    Intervalli = t;
    Squadre = squadre;
    return true;
}

bool LeggiNumero(std::string_view text, double& x) {
    const std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) {
        return false;
    }
    const std::size_t e = text.find_last_not_of(" \t");
    text = text.substr(b, e - b + 1);
    std::string s;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-') {
        if (text[i] == '-') {
            s += '-';
        }
        ++i;
    }
    int digits = 0;
    bool separator = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            ++digits;
            s += ch;
        } else if ((ch == ',' || ch == '.') && !separator) {
            separator = true;
            s += '.';
        } else {
            break;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E') {
            return false;
        }
        s += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            s += text[i++];
        }
        int expDigits = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            s += text[i];
            ++expDigits;
        }
        if (expDigits == 0 || i < text.size()) {
            return false;
        }
    }
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || !std::isfinite(v)) {
        return false;
    }
    x = v;
    return true;
}

std::string TestoNumero(double x) {
    if (x == 0) {
        return "0";
    }
    std::string s = fmt::format("{:.12g}", x);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::optional<TErroreIntervalli> RicostruisciIntervalli(const std::vector<TRigaIntervallo>& ammessi,
                                                        const std::vector<TRigaIntervallo>& recupero,
                                                        bool interi, TLimitiMisura limiti,
                                                        TTabellaIntervalli& tabella) {
    const double rangeMin = ArrotondaReal48(limiti.Min);
    const double rangeMax = ArrotondaReal48(limiti.Max);
    auto numero = [&](const std::string& text, double& x) {
        if (!LeggiNumero(text, x) || (interi && x != std::floor(x))) {
            return false;
        }
        x = ArrotondaReal48(x);
        return limiti.Nessuno() || (rangeMin <= x && x <= rangeMax);
    };
    std::vector<TIntervallo> built;
    auto griglia = [&](const std::vector<TRigaIntervallo>& rows, TGrigliaIntervalli g,
                       std::int16_t stato) -> std::optional<TErroreIntervalli> {
        const int n = std::min(static_cast<int>(rows.size()), kRigheIntervalli);
        for (int i = 0; i < n; ++i) {
            const TRigaIntervallo& row = rows[static_cast<std::size_t>(i)];
            if (Blank(row.Min) && Blank(row.Max)) {
                continue;
            }
            double lo = 0;
            double hi = 0;
            if (!numero(row.Min, lo)) {
                return TErroreIntervalli{kMsgErroreMinimo, g, i, false};
            }
            if (!numero(row.Max, hi)) {
                return TErroreIntervalli{kMsgErroreMassimo, g, i, true};
            }
            if (lo > hi) {
                return TErroreIntervalli{kMsgMinimoSuperiore, g, i, false};
            }
            for (const TIntervallo& a : built) {
                if (!(hi < a.Min || lo > a.Max)) {
                    return TErroreIntervalli{kMsgNonContigui, g, i, false};
                }
            }
            const auto livello =
                static_cast<std::int16_t>(stato == kRecupero ? std::clamp(row.Livello, 1, 99) : 0);
            built.push_back(TIntervallo{lo, hi, stato, livello});
        }
        return std::nullopt;
    };
    if (auto err = griglia(ammessi, TGrigliaIntervalli::Ammessi, kAmmesso)) {
        return err;
    }
    if (auto err = griglia(recupero, TGrigliaIntervalli::Recupero, kRecupero)) {
        return err;
    }
    tabella.Intervalli.fill(TIntervallo{});
    std::copy(built.begin(), built.end(), tabella.Intervalli.begin());
    tabella.Conta = static_cast<std::int16_t>(built.size());
    return std::nullopt;
}

void RigheIntervalli(const TTabellaIntervalli& tabella, std::vector<TRigaIntervallo>& ammessi,
                     std::vector<TRigaIntervallo>& recupero) {
    ammessi.clear();
    recupero.clear();
    for (int i = 0; i < tabella.Conta; ++i) {
        const TIntervallo& iv = tabella.Intervalli[static_cast<std::size_t>(i)];
        TRigaIntervallo row{TestoNumero(iv.Min), TestoNumero(iv.Max), 1};
        if (iv.Stato == kRecupero) {
            row.Livello = iv.Livello;
            recupero.push_back(row);
        } else {
            ammessi.push_back(row);
        }
    }
}

std::optional<std::string> ControllaIntervalliImpostati(const TTabellaIntervalli& tabella) {
    if (tabella.Conta == 0) {
        return std::string(kMsgNessunIntervallo);
    }
    return std::nullopt;
}

} // namespace tessaline
