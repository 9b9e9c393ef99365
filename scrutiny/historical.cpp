#include "scrutiny/historical.h"

#include <cmath>
#include <fmt/format.h>

#include "archive/contest_archive.h"
#include "core/errors.h"
#include "core/interfaces.h"

namespace tessaline {

void TSpoglioStorico::CaricaDaMemoria(const TListaColonne& store) {
    set_.Clear();
    set_.AppendRange(store.begin(), store.Size());
}

void TSpoglioStorico::CaricaDaFile(const std::filesystem::path& path) {
    if (!set_.LoadFromFile(path, false, nullptr)) {
        set_.Clear();
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
}

TAnalProgressModel::TAnalProgressModel(TAnalProgress* sink, std::int64_t contests)
    : sink_(sink), total_(contests - 1) {
    if (sink_ != nullptr) {
        sink_->Gauge(0);
    }
}

void TAnalProgressModel::Avanza() {
    ++steps_;
    if (sink_ == nullptr) {
        return;
    }
    const int p =
        total_ <= 0
            ? 100
            : static_cast<int>(std::trunc(static_cast<double>(steps_) / static_cast<double>(total_) * 100.0));
    if (p > shown_ + 2) {
        shown_ = p;
        sink_->Gauge(p);
    }
}

bool TSpoglioStorico::Elabora(std::span<const TConcorsoStorico> archive,
                              const std::function<bool(const TConcorsoStorico&)>& admitted,
                              CancelProbe* cancel, TAnalProgress* progress) {
    examined_ = 0;
    rows_ = {};
    for (int p = 0; p < 7; ++p) {
        rows_[static_cast<std::size_t>(p)].punti = p;
    }
    contestRows_.clear();
    achieved_.assign(set_.Size(), 0);
    TAnalProgressModel meter(progress, static_cast<std::int64_t>(archive.size()));
    for (const TConcorsoStorico& contest : archive) {
        if (admitted && !admitted(contest)) {
            continue;
        }
        meter.Avanza();
        if (cancel != nullptr && cancel->Peek()) {
            cancel->Take();
            return false;
        }
        ++examined_;
        std::array<std::int64_t, 7> here{};
        for (std::size_t i = 0; i < set_.Size(); ++i) {
            const int p = Points(set_[i], contest.vincente);
            ++here[static_cast<std::size_t>(p)];
            achieved_[i] = static_cast<std::uint8_t>(achieved_[i] | (1u << p));
        }
        for (std::size_t p = 0; p < 7; ++p) {
            TRigaStorico& r = rows_[p];
            r.totale += here[p];
            if (here[p] > 0) {
                ++r.concorsi;
                r.ritardo = 0;
            } else {
                ++r.ritardo;
                r.ritardoMax = std::max(r.ritardoMax, r.ritardo);
            }
        }
        std::array<std::string, 10> row;
        row[0] = fmt::format("  {}", contest.numero);
        row[1] = fmt::format(" {}", contest.anno);
        row[2] = contest.tipo == 1 ? "Calcio" : "Basket";
        for (std::size_t p = 0; p < 7; ++p) {
            row[9 - p] = fmt::format("{:>2}", here[p]);
        }
        contestRows_.push_back(std::move(row));
    }
    for (TRigaStorico& r : rows_) {
        r.cicloMedio =
            r.concorsi > 0 ? static_cast<double>(examined_) / static_cast<double>(r.concorsi) : 0.0;
        r.convenienza = examined_ > 0 ? static_cast<double>(r.concorsi) / static_cast<double>(examined_) *
                                            static_cast<double>(r.ritardo)
                                      : 0.0;
        r.evidenziata = r.convenienza >= 1.0;
    }
    return true;
}

bool TSpoglioStorico::Elabora(const T_Archivio& archive, const T_IntervalloConcorsi& range,
                              CancelProbe* cancel, TAnalProgress* progress) {
    std::vector<TConcorsoStorico> contests;
    std::vector<bool> admitted;
    contests.reserve(archive.Count());
    for (const T_Concorso& c : archive.Concorsi()) {
        contests.push_back({c.Tipo, c.Numero, c.Anno, c.ColonnaVincente});
        admitted.push_back(range.Contiene(c));
    }
    const TConcorsoStorico* first = contests.data();
    return Elabora(
        contests, [&](const TConcorsoStorico& c) { return admitted[static_cast<std::size_t>(&c - first)]; },
        cancel, progress);
}

namespace {
std::string Decimale(double v, char sep) {
    std::string text = fmt::format("{:.2f}", v);
    for (char& ch : text) {
        if (ch == '.') {
            ch = sep;
        }
    }
    return text;
}
} // namespace

std::vector<std::array<std::string, 6>> TSpoglioStorico::TabellaGenerale(char decimalSeparator) const {
    std::vector<std::array<std::string, 6>> out;
    for (const TRigaStorico& r : rows_) {
        out.push_back({std::to_string(r.punti), std::to_string(r.totale),
                       r.concorsi > 0 ? Decimale(r.cicloMedio, decimalSeparator) : "0",
                       std::to_string(r.ritardo), std::to_string(r.ritardoMax),
                       examined_ > 0 ? Decimale(r.convenienza, decimalSeparator) : "0"});
    }
    return out;
}

std::string TSpoglioStorico::EtichettaColonne() const {
    return std::to_string(set_.Size());
}

std::string TSpoglioStorico::EtichettaRisultati() const {
    return fmt::format("Risultati del confronto con le {} colonne dell'archivio", examined_);
}

TListaColonne TSpoglioStorico::Selezione(const std::array<bool, 7>& selected) const {
    std::uint8_t mask = 0;
    for (std::size_t p = 0; p < 7; ++p) {
        if (selected[p]) {
            mask = static_cast<std::uint8_t>(mask | (1u << p));
        }
    }
    TListaColonne out;
    for (std::size_t i = 0; i < set_.Size() && i < achieved_.size(); ++i) {
        if ((achieved_[i] & mask) != 0) {
            out.Append(set_[i]);
        }
    }
    return out;
}

bool TSpoglioStorico::Salva(const std::array<bool, 7>& selected, const std::filesystem::path& path,
                            UserPrompt* prompt) const {
    bool any = false;
    for (bool s : selected) {
        any = any || s;
    }
    if (!any) {
        if (prompt != nullptr) {
            prompt->ShowMessage(msg::kInformazione, msg::kSelezionaPunteggio, BtnOk);
        }
        return false;
    }
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && prompt != nullptr &&
        prompt->ShowMessage(msg::kInformazione, msg::kFileEsiste, BtnSi | BtnNo) != BtnSi) {
        return false;
    }
    if (!Selezione(selected).SaveToFile(path)) {
        throw EInOutError(msg::kImpossibileSalvareColonne);
    }
    return true;
}

} // namespace tessaline
