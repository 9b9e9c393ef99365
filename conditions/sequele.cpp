#include "conditions/sequele.h"

#include <algorithm>
#include <bit>

namespace tessaline {

namespace {

// The sign bit of a single-sign byte, 0 for any other byte.
constexpr std::array<std::uint8_t, 256> kBitSegno = [] {
    std::array<std::uint8_t, 256> t{};
    t[1] = 1;
    t[2] = 2;
    t[4] = 4;
    t[8] = 8;
    return t;
}();

// Different signs a window must hold, per kind (0: not a sliding kind).
constexpr int SegniRichiesti(std::int32_t tipo) {
    switch (tipo) {
    case kMonotermine:
        return 1;
    case kBitermine:
        return 2;
    case kTritermine:
        return 3;
    case kQuadritermine:
        return 4;
    default:
        return 0;
    }
}

// The column as one code per team, team 1 in the lowest bits, equal codes for equal bytes: 2 bits
// (the sign index) when every byte is a single sign, else 4 bits numbering the distinct bytes by
// first appearance. Returns the width of a code.
int Codifica(const Colonna& c, std::uint64_t& packed) {
    packed = 0;
    bool single = true;
    for (std::size_t t = 0; t < kTeams; ++t) {
        const std::uint8_t s = kIndiceSegno[c.s[t]];
        single = single && s < 4;
        packed |= static_cast<std::uint64_t>(s & 3) << (2 * t);
    }
    if (single) {
        return 2;
    }
    std::array<std::uint8_t, kTeams> seen{};
    int nSeen = 0;
    packed = 0;
    for (std::size_t t = 0; t < kTeams; ++t) {
        int code = 0;
        while (code < nSeen && seen[static_cast<std::size_t>(code)] != c.s[t]) {
            ++code;
        }
        if (code == nSeen) {
            seen[static_cast<std::size_t>(nSeen++)] = c.s[t];
        }
        packed |= static_cast<std::uint64_t>(code) << (4 * t);
    }
    return 4;
}

std::uint64_t Rovescia(std::uint64_t key, int l, int w) {
    const std::uint64_t m = (std::uint64_t{1} << w) - 1;
    std::uint64_t r = 0;
    for (int i = 0; i < l; ++i) {
        r |= ((key >> (w * i)) & m) << (w * (l - 1 - i));
    }
    return r;
}

// The distinct windows visited, with their counted occurrences. Only the first n entries, and in
// each only the first conta starts, are meaningful.
struct TFinestre {
    std::array<std::uint64_t, kTeams> chiave;
    std::array<int, kTeams> conta;
    std::array<std::array<std::int8_t, kTeams>, kTeams> inizi;
    int n = 0;
    int migliore = 0;  // the entry whose count first reached the highest value
    int larghezza = 2; // bits per team in a key
};

// Keys below this many values are found through a direct index instead of a search.
constexpr int kChiaviDirette = 256;

void RaccogliFinestre(const Colonna& c, int min, int last, int l, int passoTrovata, int passoNonTrovata,
                      TFinestre& f) {
    const bool impostazioneN = passoTrovata == l && passoNonTrovata == 1;
    const int passo = impostazioneN ? 1 : passoTrovata;
    std::uint64_t packed = 0;
    const int w = Codifica(c, packed);
    f.larghezza = w;
    const std::uint64_t mask = (std::uint64_t{1} << (w * l)) - 1;
    const bool diretto = mask < kChiaviDirette;
    std::array<std::uint64_t, kChiaviDirette / 64> presente{};
    std::array<std::uint8_t, kChiaviDirette> indice; // read only where presente is set
    int bestCount = 0;
    for (int b = min; b <= last; b += passo) {
        const std::uint64_t key = (packed >> (w * (b - 1))) & mask;
        int e = 0;
        if (diretto) {
            const bool seen = ((presente[key >> 6] >> (key & 63)) & 1) != 0;
            if (seen) {
                e = indice[key];
            } else {
                e = f.n;
                presente[key >> 6] |= std::uint64_t{1} << (key & 63);
                indice[key] = static_cast<std::uint8_t>(e);
            }
        } else {
            while (e < f.n && f.chiave[static_cast<std::size_t>(e)] != key) {
                ++e;
            }
        }
        const auto ei = static_cast<std::size_t>(e);
        if (e == f.n) {
            ++f.n;
            f.chiave[ei] = key;
            f.conta[ei] = 0;
        } else if (impostazioneN && b < f.inizi[ei][static_cast<std::size_t>(f.conta[ei] - 1)] + l) {
            continue; // overlaps the previous counted occurrence
        }
        f.inizi[ei][static_cast<std::size_t>(f.conta[ei])] = static_cast<std::int8_t>(b);
        ++f.conta[ei];
        if (f.conta[ei] > bestCount) {
            bestCount = f.conta[ei];
            f.migliore = e;
        }
    }
}

// "Generica" when every key is below kChiaviDirette: per key its count, last counted start, the
// chain ending there and the longest chain so far, kept as the windows are visited.
TConteggio GenericaDiretta(std::uint64_t packed, int w, int min, int last, int l, int passoTrovata,
                           int passoNonTrovata) {
    const bool impostazioneN = passoTrovata == l && passoNonTrovata == 1;
    const int passo = impostazioneN ? 1 : passoTrovata;
    const std::uint64_t mask = (std::uint64_t{1} << (w * l)) - 1;
    std::array<std::uint64_t, kChiaviDirette / 64> presente{};
    // Read only where presente is set.
    std::array<std::int8_t, kChiaviDirette> conta;
    std::array<std::int8_t, kChiaviDirette> ultimo;
    std::array<std::int8_t, kChiaviDirette> catena;
    std::array<std::int8_t, kChiaviDirette> lunga;
    int bestCount = 0;
    std::size_t bestKey = 0;
    for (int b = min; b <= last; b += passo) {
        const auto key = static_cast<std::size_t>((packed >> (w * (b - 1))) & mask);
        std::uint64_t& word = presente[key >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (key & 63);
        if ((word & bit) == 0) {
            word |= bit;
            conta[key] = 1;
            catena[key] = 1;
            lunga[key] = 1;
        } else {
            if (impostazioneN && b < ultimo[key] + l) {
                continue; // overlaps the previous counted occurrence
            }
            ++conta[key];
            catena[key] = static_cast<std::int8_t>(b == ultimo[key] + l ? catena[key] + 1 : 1);
            lunga[key] = std::max(lunga[key], catena[key]);
        }
        ultimo[key] = static_cast<std::int8_t>(b);
        if (conta[key] > bestCount) {
            bestCount = conta[key];
            bestKey = key;
        }
    }
    if (bestCount <= 1) {
        return {bestCount, 0};
    }
    return {bestCount, lunga[bestKey]};
}

TConteggio Generica(const TFinestre& f, int l) {
    const auto m = static_cast<std::size_t>(f.migliore);
    const int count = f.conta[m];
    if (count <= 1) {
        return {count, 0};
    }
    int chain = 1;
    int best = 1;
    for (int i = 1; i < count; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        chain = f.inizi[m][ii] == f.inizi[m][ii - 1] + l ? chain + 1 : 1;
        best = std::max(best, chain);
    }
    return {count, best};
}

TConteggio Specchio(const TFinestre& f, int l) {
    std::array<int, kTeams> conta = f.conta;
    int pairs = 0;
    for (int i = 0; i < f.n; ++i) {
        const auto ii = static_cast<std::size_t>(i);
        const bool palindromo = Rovescia(f.chiave[ii], l, f.larghezza) == f.chiave[ii];
        for (int j = i + 1; j < f.n; ++j) {
            const auto jj = static_cast<std::size_t>(j);
            const bool specchiata = !palindromo && Rovescia(f.chiave[jj], l, f.larghezza) == f.chiave[ii];
            for (int k = 1; conta[ii] > 0 && conta[jj] > 0 && conta[ii] >= k; ++k) {
                if (specchiata) {
                    ++pairs;
                    --conta[ii];
                    --conta[jj];
                }
            }
        }
    }
    return {pairs, 0};
}

} // namespace

TConteggio MisuraSequela(const Colonna& c, const TParametriSequela& p) {
    const int min = std::clamp(p.Campo.min, 1, 12);
    const int max = std::clamp(p.Campo.max, 1, 12);
    const int l = p.Lunghezza;
    if (l < 1 || l > kTeams) {
        return {};
    }
    const int last = max - l + 1;
    const int passoTrovata = std::max(1, p.PassoTrovata);
    const int passoNonTrovata = std::max(1, p.PassoNonTrovata);
    if (p.Tipo == kGenerica || p.Tipo == kSpecchio) {
        if (min > last) {
            return {};
        }
        if (p.Tipo == kGenerica) {
            std::uint64_t packed = 0;
            const int w = Codifica(c, packed);
            if ((std::uint64_t{1} << (w * l)) <= kChiaviDirette) {
                return GenericaDiretta(packed, w, min, last, l, passoTrovata, passoNonTrovata);
            }
        }
        TFinestre f;
        RaccogliFinestre(c, min, last, l, passoTrovata, passoNonTrovata, f);
        return p.Tipo == kGenerica ? Generica(f, l) : Specchio(f, l);
    }
    const int richiesti = SegniRichiesti(p.Tipo);
    if (p.Tipo != kSequelaSchema && richiesti == 0) {
        return {};
    }
    TConteggio m;
    int streak = 0;
    for (int b = min; b <= last;) {
        const std::uint8_t* w = c.s.data() + (b - 1);
        bool match = true;
        if (p.Tipo == kSequelaSchema) {
            match = std::equal(w, w + l, p.Schema.data());
        } else {
            unsigned bits = 0;
            for (int i = 0; i < l; ++i) {
                bits |= kBitSegno[w[i]];
            }
            match = std::popcount(bits) == richiesti;
        }
        if (match) {
            ++m.conta;
            m.serie = std::max(m.serie, ++streak);
            b += passoTrovata;
        } else {
            streak = 0;
            b += passoNonTrovata;
        }
    }
    return m;
}

TCondSequela::TCondSequela(TInsiemeCondizioni* owner) : TCondTabelle(kCodSequela, "Sequele", owner) {
    AggiungiTabella("Presenze", "Presenze", 11, true);
}

TParametriSequela TCondSequela::Parametri() const {
    const TTabellaPunti& t = Presenze();
    return TParametriSequela{TipoSequela,     Lunghezza, PassoTrovata,
                             PassoNonTrovata, Schema,    TCampo{t.CampoMin, t.CampoMax}};
}

void TCondSequela::MisuraProfilo(const Colonna& c, const TProfilo& /*pr*/, std::span<TMisura> out,
                                 bool /*tutte*/) const {
    const TConteggio m = MisuraSequela(c, Parametri());
    out[0] = {m.conta, m.serie};
}

void TCondSequela::ImpostaTipo(std::int32_t tipo) {
    TipoSequela = tipo;
    if (tipo != kSequelaSchema) {
        ImpostaLunghezza(Lunghezza);
    }
    if (tipo == kSpecchio) {
        TSezione& cs = Presenze().Cs;
        cs.Voci.fill(TVoce{});
        cs.Attiva = false;
        Presenze().Attiva = Presenze().Pt.Attiva;
    }
}

void TCondSequela::ImpostaPasso(int n) {
    n = std::clamp(n, 1, kTeams);
    PassoTrovata = n;
    PassoNonTrovata = n;
}

void TCondSequela::ImpostaPassoN() {
    PassoTrovata = std::clamp(Lunghezza, 1, kTeams);
    PassoNonTrovata = 1;
}

void TCondSequela::ImpostaPassoX(int trovata, int nonTrovata) {
    PassoTrovata = std::clamp(trovata, 1, kTeams);
    PassoNonTrovata = std::clamp(nonTrovata, 1, kTeams);
}

void TCondSequela::ImpostaLunghezza(int l) {
    int least = 2;
    if (TipoSequela == kTritermine) {
        least = 3;
    } else if (TipoSequela == kQuadritermine) {
        least = 4;
    }
    Lunghezza = std::clamp(l, least, kTeams);
}

std::optional<std::string> ControllaSchema(const std::array<std::uint8_t, kTeams>& typed) {
    int first = -1;
    int last = -1;
    int n = 0;
    for (int t = 0; t < kTeams; ++t) {
        if (typed[static_cast<std::size_t>(t)] != 0) {
            first = first < 0 ? t : first;
            last = t;
            ++n;
        }
    }
    if (n > 0 && last - first + 1 != n) {
        return std::string(kMsgSequelaNonContigua);
    }
    if (n < 2) {
        return std::string(kMsgSequelaCorta);
    }
    return std::nullopt;
}

std::optional<std::string> TCondSequela::ImpostaSchema(const std::array<std::uint8_t, kTeams>& typed) {
    if (auto err = ControllaSchema(typed)) {
        return err;
    }
    std::array<std::uint8_t, kTeams> schema{};
    int n = 0;
    for (const std::uint8_t s : typed) {
        if (s != 0) {
            schema[static_cast<std::size_t>(n++)] = s;
        }
    }
    Schema = schema;
    Lunghezza = n;
    return std::nullopt;
}

std::optional<TErroreSequela> ControllaSequele(const TListaCondizioni& lista) {
    for (std::size_t i = 0; i < lista.Count(); ++i) {
        const auto* s = dynamic_cast<const TCondSequela*>(&lista.Item(i));
        if (s == nullptr || s->TipoSequela != kSequelaSchema) {
            continue;
        }
        if (auto err = ControllaSchema(s->Schema)) {
            return TErroreSequela{i, *err};
        }
    }
    return std::nullopt;
}

void TCondSequela::ScriviDati(TByteWriter& w) const {
    Presenze().Scrivi(w);
    w.Bytes(Schema.data(), Schema.size());
    w.I32(Lunghezza);
    w.I32(PassoTrovata);
    w.I32(PassoNonTrovata);
    w.I32(TipoSequela);
}

bool TCondSequela::LeggiDati(TByteReader& r) {
    TTabellaPunti presenze = Presenze();
    std::array<std::uint8_t, kTeams> schema{};
    std::int32_t lunghezza = 0;
    std::int32_t trovata = 0;
    std::int32_t nonTrovata = 0;
    std::int32_t tipo = 0;
    if (!presenze.Leggi(r) || !r.Bytes(schema.data(), schema.size()) || !r.I32(lunghezza) ||
        !r.I32(trovata) || !r.I32(nonTrovata) || !r.I32(tipo)) {
        return false;
    }
    Presenze() = presenze;
    Schema = schema;
    Lunghezza = std::clamp(lunghezza, 0, kTeams);
    PassoTrovata = std::clamp(trovata, 1, kTeams);
    PassoNonTrovata = std::clamp(nonTrovata, 1, kTeams);
    TipoSequela = tipo;
    return true;
}

} // namespace tessaline
