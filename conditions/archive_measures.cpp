#include "conditions/archive_measures.h"

#include <array>
#include <utility>

#include "conditions/sequele.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/value_conditions.h"

namespace tessaline {

namespace {

// The kinds of a sequence group of length l, in the order of their sub-headings.
struct TTipoSequela {
    std::int32_t tipo;
    char lettera;
    int minima; // the least length of the kind
};
constexpr std::array<TTipoSequela, 4> kScorrevoli = {
    {{kMonotermine, 'M', 2}, {kBitermine, 'B', 2}, {kTritermine, 'T', 3}, {kQuadritermine, 'Q', 4}}};

TGruppoMisure GruppoSequele(int l, const char* nome, const char* casella, bool predefinito) {
    TGruppoMisure g{nome, casella, predefinito, "Sequele Di Lunghezza " + std::to_string(l), {}, {}};
    const std::string n = std::to_string(l);
    for (const TTipoSequela& t : kScorrevoli) {
        if (l < t.minima) {
            continue;
        }
        g.Sottotitoli.push_back({std::string(1, t.lettera) + n, 2});
        g.Sottotitoli.push_back({std::string(1, t.lettera) + "N", 1});
        g.Intestazioni.insert(g.Intestazioni.end(), {"Pt", "Cs", "Pt"});
    }
    g.Sottotitoli.push_back({"J" + n, 1});
    g.Sottotitoli.push_back({"JN", 1});
    g.Sottotitoli.push_back({"S" + n, 1});
    g.Intestazioni.insert(g.Intestazioni.end(), {"Pt", "Pt", "Pt"});
    return g;
}

std::string N(int v) {
    return std::to_string(v);
}

} // namespace

const std::vector<TGruppoMisure>& TMisureArchivio::Gruppi() {
    static const std::vector<TGruppoMisure> gruppi = [] {
        std::vector<TGruppoMisure> g;
        g.push_back({"CheckNDS",
                     "Numero Di Segni",
                     true,
                     "Numero Di Segni",
                     {{"0", 2}, {"1", 2}, {"2", 2}, {"M", 2}},
                     {"Pt", "Cs", "Pt", "Cs", "Pt", "Cs", "Pt", "Cs"}});
        g.push_back({"CheckInt",
                     "Interruzioni",
                     true,
                     "Interruzioni",
                     {{"Gl.", 2}, {"0", 1}, {"1", 1}, {"2", 1}, {"M", 1}},
                     {"Pt", "Cs", "Pt", "Pt", "Pt", "Pt"}});
        g.push_back(
            {"CheckPD", "Pari e Dispari", true, "Pari e Dispari", {}, {"Pari", "Cs", "Dispari", "Cs"}});
        g.push_back({"CheckSimm", "Simmetrie", true, "Simmetrie", {}, {"Dirette", "Cs", "Inverse", "Cs"}});
        g.push_back({"CheckVort",
                     "Vortici",
                     true,
                     "Vortice Dir.    Voritice Inv.",
                     {},
                     {"Ps", "Br", "Sg", "Ps", "Br", "Sg"}});
        g.push_back({"CheckRip", "Ripetizioni", true, "Ripetizioni", {}, {"1 Prec.", "Cs", "2 Prec.", "Cs"}});
        g.push_back({"CheckPS", "Gol Squadra", true, "Gol Sq.", {}, {" Pt"}});
        g.push_back(GruppoSequele(2, "CheckAcc", "Accoppiate", true));
        g.push_back(GruppoSequele(3, "CheckTer", "Terzine", false));
        g.push_back(GruppoSequele(4, "CheckQuar", "Quartine", false));
        return g;
    }();
    return gruppi;
}

TMisureArchivio::TMisureArchivio()
    : segni_(std::make_unique<TCondNumeroSegni>(nullptr)),
      interruzioni_(std::make_unique<TCondInterruzioni>(nullptr)),
      pariDispari_(std::make_unique<TCondPariDispari>(nullptr)),
      simmetrie_(std::make_unique<TCondSimmetrie>(nullptr)),
      vortice_(std::make_unique<TCondVortice>(nullptr)),
      ripetizioni_(std::make_unique<TCondRipetizioni>(nullptr)),
      golSquadra_(std::make_unique<TCondPuntiSquadra>(nullptr)) {
    golSquadra_->Squadre.fill(1);
    for (int l = 2; l <= 4; ++l) {
        std::vector<std::pair<std::unique_ptr<TCondSequela>, bool>> items;
        auto add = [&items, l](std::int32_t tipo, bool passoN, bool serie) {
            auto s = std::make_unique<TCondSequela>(nullptr);
            s->ImpostaTipo(tipo);
            s->ImpostaLunghezza(l);
            if (passoN) {
                s->ImpostaPassoN();
            } else {
                s->ImpostaPasso(1);
            }
            items.emplace_back(std::move(s), serie);
        };
        for (const TTipoSequela& t : kScorrevoli) {
            if (l >= t.minima) {
                add(t.tipo, false, true);
                add(t.tipo, true, false);
            }
        }
        add(kGenerica, false, false);
        add(kGenerica, true, false);
        add(kSpecchio, false, false);
        sequele_.push_back(std::move(items));
    }
}

TMisureArchivio::~TMisureArchivio() = default;

std::vector<std::string> TMisureArchivio::Celle(const std::vector<T_Concorso>& lista, std::size_t i,
                                                std::size_t g) const {
    const std::size_t n = Gruppi()[g].Intestazioni.size();
    std::vector<std::string> out;
    if (i >= lista.size() || lista[i].Completo == 0 || (g == kGruppoRipetizioni && i < 2)) {
        return std::vector<std::string>(n);
    }
    out.reserve(n);
    const Colonna& c = lista[i].ColonnaVincente;
    std::array<TMisura, 8> m{};
    switch (g) {
    case kGruppoNumeroSegni:
        segni_->Misura(c, m, true);
        for (std::size_t s = 0; s < 4; ++s) {
            out.insert(out.end(), {N(m[s].v), N(m[s].c)});
        }
        break;
    case kGruppoInterruzioni:
        interruzioni_->Misura(c, m, true);
        out.insert(out.end(), {N(m[0].v), N(m[0].c)});
        for (std::size_t s = 1; s <= 4; ++s) {
            out.push_back(N(m[s].v));
        }
        break;
    case kGruppoPariDispari:
        pariDispari_->Misura(c, m, true);
        out = {N(m[0].v), N(m[0].c), N(m[1].v), N(m[1].c)};
        break;
    case kGruppoSimmetrie:
        simmetrie_->Misura(c, m, true);
        out = {N(m[0].v), N(m[0].c), N(m[1].v), N(m[1].c)};
        break;
    case kGruppoVortici:
        vortice_->Misura(c, m, true);
        for (std::size_t k = 0; k < 2; ++k) {
            const int pos = m[2 * k].v;
            // The sign the vortex closed on: the sign of the last team it found.
            const std::string segno =
                pos >= 1 && pos <= kTeams ? SignText(c.s[static_cast<std::size_t>(pos - 1)]) : "";
            out.insert(out.end(), {N(pos), N(m[2 * k + 1].v), segno});
        }
        break;
    case kGruppoRipetizioni:
        ripetizioni_->MisuraContro(c, lista[i - 1].ColonnaVincente, lista[i - 2].ColonnaVincente, m);
        out = {N(m[0].v), N(m[0].c), N(m[1].v), N(m[1].c)};
        break;
    case kGruppoGolSquadra:
        golSquadra_->Misura(c, m, true);
        out = {N(m[0].v)};
        break;
    default:
        for (const auto& [item, serie] : sequele_[g - kGruppoAccoppiate]) {
            item->Misura(c, std::span<TMisura>(m.data(), 1), true);
            out.push_back(N(m[0].v));
            if (serie) {
                out.push_back(N(m[0].c));
            }
        }
    }
    return out;
}

} // namespace tessaline
