#include "tools/dictation.h"

#include <algorithm>

#include "core/column_list.h"

namespace tessaline {

std::vector<TSchedinaVin> CostruisciSchedine(const TListaColonne& list) {
    std::vector<TSchedinaVin> out;
    out.reserve((list.Size() + 2) / 3);
    for (std::size_t i = 0; i < list.Size(); ++i) {
        if (i % 3 == 0) {
            out.emplace_back();
            out.back().numero = static_cast<std::int32_t>(out.size());
        }
        out.back().colonne[i % 3] = list[i];
    }
    return out;
}

namespace {
bool Vuota(const Colonna& c) {
    return std::all_of(c.s.begin(), c.s.end(), [](SignSet s) { return s == 0; });
}
} // namespace

int ColonneDaLeggere(const TSchedinaVin& s) {
    if (Vuota(s.colonne[1])) {
        return 1;
    }
    return Vuota(s.colonne[2]) ? 2 : 3;
}

TTratto TrattoSegno(std::uint8_t a) {
    a = static_cast<std::uint8_t>(a & 0x0F);
    if (a == 0) {
        return {};
    }
    TTratto t{1000 * static_cast<std::int64_t>(a - 1), 1000 * static_cast<std::int64_t>(a)};
    if (a == 15) {
        t.fine += 100;
    }
    return t;
}

TDettatura::TDettatura(std::vector<TSchedinaVin> schedine) : schedine_(std::move(schedine)) {
    max_ = std::max<std::int32_t>(1, NumeroSchedine());
}

void TDettatura::ImpostaMin(std::int32_t v) {
    const std::int32_t last = std::max<std::int32_t>(1, NumeroSchedine());
    min_ = std::min(std::clamp<std::int32_t>(v, 1, last), max_);
    if (!timer_ && !paused_) {
        schedina_ = min_;
        colonna_ = 1;
        squadra_ = 1;
        evCol_ = 0;
    }
}

void TDettatura::ImpostaMax(std::int32_t v) {
    const std::int32_t last = std::max<std::int32_t>(1, NumeroSchedine());
    max_ = std::max(std::clamp<std::int32_t>(v, 1, last), min_);
}

bool TDettatura::Avvia() {
    if (schedine_.empty()) {
        return false;
    }
    if (!paused_) {
        colonna_ = 1;
        squadra_ = 1;
    }
    paused_ = false;
    timer_ = true;
    return true;
}

void TDettatura::Pausa() {
    paused_ = !paused_;
    timer_ = !paused_;
}

void TDettatura::Ferma() {
    timer_ = false;
    paused_ = false;
    schedina_ = min_;
    colonna_ = 1;
    squadra_ = 1;
    evCol_ = 0;
}

TEsitoTick TDettatura::Tick(TLettoreVocale& player) {
    if (schedine_.empty() || schedina_ < 1 || schedina_ > NumeroSchedine()) {
        Ferma();
        return TEsitoTick::Fine;
    }
    const TSchedinaVin& s = schedine_[static_cast<std::size_t>(schedina_ - 1)];
    const SignSet sign = s.colonne[static_cast<std::size_t>(colonna_ - 1)][squadra_ - 1];
    player.Pausa();
    const TTratto t = TrattoSegno(sign);
    evCol_ = colonna_;
    evTeam_ = squadra_;
    // A place with no sign has no sound: nothing is played for it.
    if (t.fine > t.inizio) {
        player.ImpostaTratto(t);
        player.Suona();
    }

    const int columns = ColonneDaLeggere(s);
    bool next = false;
    if (perRighe) {
        if (++colonna_ > columns) {
            colonna_ = 1;
            if (++squadra_ > kTeams) {
                squadra_ = 1;
                next = true;
            }
        }
    } else if (++squadra_ > kTeams) {
        squadra_ = 1;
        if (++colonna_ > columns) {
            colonna_ = 1;
            next = true;
        }
    }
    if (!next) {
        return TEsitoTick::Letto;
    }
    ++schedina_;
    if (schedina_ > max_) {
        Ferma();
        return TEsitoTick::Fine;
    }
    evCol_ = 0;
    if (pausaDopoSchedina) {
        paused_ = true;
        timer_ = false;
        return TEsitoTick::PausaSchedina;
    }
    return TEsitoTick::NuovaSchedina;
}

TSchedinaVin TDettatura::Mostrata() const {
    if (schedine_.empty()) {
        return {};
    }
    TSchedinaVin s = schedine_[static_cast<std::size_t>(std::clamp(schedina_, 1, NumeroSchedine()) - 1)];
    if (evCol_ > 0) {
        SignSet& b = s.colonne[static_cast<std::size_t>(evCol_ - 1)][evTeam_ - 1];
        b = static_cast<SignSet>(b | kSegnoEvidenziato);
    }
    return s;
}

} // namespace tessaline
