#include "scrutiny/scrutiny.h"

#include <algorithm>
#include <cstdio>

#include "core/errors.h"
#include "develop/merge.h"
#include "system/sistema.h"

namespace tessaline {

TSistemaSpoglio SpoglioDelSistema(const T_Sistema& system, TEsaminatoreCondizioni* conditions) {
    TSistemaSpoglio s;
    s.sorgentePronostico = system.dati.SourceForecast != 0;
    s.pronostico = system.dati.Forecast;
    s.usaCondizioni = system.dati.sviluppo.UseConditions != 0;
    s.condizioni = conditions;
    return s;
}

void TSpoglio::CaricaDaMemoria(const TListaColonne& store, bool mergeSetting, TProgressSink* progress,
                               CancelProbe* cancel) {
    set_.Clear();
    set_.AppendRange(store.begin(), store.Size());
    Merge(set_, mergeSetting, progress, cancel);
}

bool TSpoglio::CaricaDaFile(const std::filesystem::path& path, bool mergeSetting, TProgressSink* progress,
                            CancelProbe* cancel) {
    set_.Clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) {
        std::fclose(f);
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    if (size == 0) {
        std::fclose(f);
        return false;
    }
    const bool ok = set_.ReadFrom(f, false, nullptr);
    std::fclose(f);
    if (!ok) {
        set_.Clear();
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    Merge(set_, mergeSetting, progress, cancel);
    return true;
}

void TSpoglio::Esegui(const Colonna& winning, const TSistemaSpoglio& system) {
    winning_ = winning;
    counters_ = {};
    for (const Colonna& c : set_) {
        ExpandColumn(c, [&](const Colonna& single) {
            ++counters_[static_cast<std::size_t>(Points(winning, single))];
        });
    }
    largest_ = *std::max_element(counters_.begin(), counters_.end());

    errors_.clear();
    if (system.sorgentePronostico && Points(winning, system.pronostico) < 6) {
        errors_.emplace_back(msg::kErrorePronostico);
    }
    if (system.usaCondizioni && system.condizioni != nullptr) {
        for (auto& name : system.condizioni->CondizioniSbagliate(winning)) {
            errors_.push_back(std::move(name));
        }
    }
}

std::string RigaScorrimento(const std::string& text, int position) {
    if (position < 1 || text.size() <= static_cast<std::size_t>(position)) {
        return position < 1 ? text : std::string();
    }
    return text.substr(static_cast<std::size_t>(position - 1));
}

std::vector<TSchedinaVin> SchedineVincenti(const TListaColonne& set, const Colonna& winning, int points) {
    std::vector<TSchedinaVin> out;
    for (std::size_t start = 0; start < set.Size(); start += 3) {
        TSchedinaVin s;
        s.numero = static_cast<std::int32_t>(start / 3 + 1);
        bool any = false;
        for (std::size_t k = 0; k < 3 && start + k < set.Size(); ++k) {
            s.colonne[k] = set[start + k];
            s.segnate[k] = WrongMatches(set[start + k], winning) == 6 - points ? 1 : 0;
            any = any || s.segnate[k] != 0;
            ++s.usate;
        }
        if (any) {
            out.push_back(s);
        }
    }
    return out;
}

std::array<bool, 7> PulsantiAbilitati(const std::array<std::int64_t, 7>& counters) {
    std::array<bool, 7> on{};
    for (std::size_t i = 0; i < 7; ++i) {
        on[i] = counters[i] != 0;
    }
    return on;
}

int PulsantePremuto(const std::array<std::int64_t, 7>& counters) {
    for (int i = 6; i >= 0; --i) {
        if (counters[static_cast<std::size_t>(i)] != 0) {
            return i;
        }
    }
    return -1;
}

int MassimoScorrimento(std::size_t coupons) {
    return coupons < 5 ? 0 : static_cast<int>(coupons) - 4;
}

bool ParseColonnaVincente(const std::string& text, Colonna& out) {
    int team = 0;
    for (char ch : text) {
        if (ch == ' ' || ch == '\t') {
            continue;
        }
        const std::optional<SignSet> s = SignOfLetter(ch);
        if (!s || team == kTeams) {
            return false;
        }
        out[team++] = *s;
    }
    return team == kTeams;
}

} // namespace tessaline
