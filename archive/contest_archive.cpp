#include "archive/contest_archive.h"

#include <chrono>
#include <ctime>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"

namespace tessaline {

T_Concorso T_Concorso::Nuovo() {
    T_Concorso c;
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    c.Anno = local.tm_year + 1900;
    return c;
}

bool T_Concorso::ColonnaCompleta(const Colonna& c) {
    for (const SignSet s : c.s) {
        if (s != kSign0 && s != kSign1 && s != kSign2 && s != kSignM) {
            return false;
        }
    }
    return true;
}

const char* TestoTipo(std::uint8_t tipo) {
    return tipo == 1 ? "Calcio" : "Basket";
}

bool T_IntervalloConcorsi::Contiene(const T_Concorso& c) const {
    if (Filtra != 0 && !(c.Completo != 0 && (Tipi & c.Tipo) != 0)) {
        return false;
    }
    if (c.Anno < AnnoDa || c.Anno > AnnoA) {
        return false;
    }
    if (c.Anno == AnnoDa && c.Numero < NumeroDa) {
        return false;
    }
    if (c.Anno == AnnoA && c.Numero > NumeroA) {
        return false;
    }
    return true;
}

void T_IntervalloConcorsi::Scrivi(TByteWriter& w) const {
    w.U8(Tipi);
    w.I16(AnnoDa);
    w.I16(AnnoA);
    w.U8(NumeroDa);
    w.U8(NumeroA);
}

bool T_IntervalloConcorsi::Leggi(TByteReader& r) {
    return r.U8(Tipi) && r.I16(AnnoDa) && r.I16(AnnoA) && r.U8(NumeroDa) && r.U8(NumeroA);
}

void ScriviConcorso(TByteWriter& w, const T_Concorso& c) {
    w.U8(c.Tipo);
    w.I32(c.Anno);
    w.U8(c.Numero);
    w.Bytes(c.ColonnaVincente.s.data(), kTeams);
    w.U8(c.Completo);
}

bool LeggiConcorso(TByteReader& r, T_Concorso& c) {
    if (!r.U8(c.Tipo) || !r.I32(c.Anno) || !r.U8(c.Numero) || !r.Bytes(c.ColonnaVincente.s.data(), kTeams) ||
        !r.U8(c.Completo)) {
        return false;
    }
    MaskSigns(c.ColonnaVincente);
    return true;
}

std::filesystem::path T_Archivio::PercorsoFile() {
    return FolderPath(TFolder::Archivi) / "archivio.tts";
}

bool T_Archivio::Carica(T_IntervalloConcorsi& range, const std::filesystem::path& file) {
    concorsi_.clear();
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(file, bytes)) {
        throw EInOutError(msg::kImpossibileCaricareArchivio);
    }
    TByteReader r(bytes);
    concorsi_.reserve(bytes.size() / kConcorsoRecordSize);
    bool whole = true;
    while (!r.AtEnd()) {
        T_Concorso c;
        if (r.Remaining() < kConcorsoRecordSize || !LeggiConcorso(r, c)) {
            whole = false;
            break;
        }
        // The stored flag is not trusted: the measures read the column only when it is complete.
        c.AggiornaCompleto();
        concorsi_.push_back(c);
    }
    if (!IntervalloCompleto(range)) {
        throw EInOutError(msg::kImpossibileCaricareArchivio);
    }
    return whole;
}

bool T_Archivio::CaricaOppureNuovo(T_IntervalloConcorsi& range, UserPrompt* prompt,
                                   const std::filesystem::path& file) {
    try {
        Carica(range, file);
        return true;
    } catch (const EInOutError& e) {
        concorsi_.clear();
        concorsi_.push_back(T_Concorso::Nuovo());
        if (prompt != nullptr) {
            prompt->ShowMessage(msg::kInformazione, e.what(), BtnOk);
        }
        return false;
    }
}

std::vector<std::uint8_t> T_Archivio::Codifica() const {
    TByteWriter w;
    for (const T_Concorso& c : concorsi_) {
        ScriviConcorso(w, c);
    }
    return std::move(w.Data());
}

bool T_Archivio::Salva(const std::filesystem::path& file) const {
    if (!SaveFileAtomic(file, Codifica())) {
        throw EInOutError(msg::kImpossibileSalvareModifiche);
    }
    return true;
}

bool T_Archivio::Riordina(std::size_t index, UserPrompt& prompt, std::size_t* position) {
    if (index >= concorsi_.size()) {
        return false;
    }
    const T_Concorso edited = concorsi_[index];
    std::size_t i = 0;
    for (; i < concorsi_.size(); ++i) {
        if (i == index) {
            continue;
        }
        if (!concorsi_[i].Precede(edited)) {
            break;
        }
    }
    bool result = true;
    if (i < concorsi_.size() && concorsi_[i].StessoConcorso(edited)) {
        if (prompt.ShowMessage(msg::kInformazione, msg::kConcorsoGiaInMemoria, BtnSi | BtnNo) == BtnSi) {
            concorsi_[i] = edited;
            concorsi_.erase(concorsi_.begin() + static_cast<std::ptrdiff_t>(index));
        } else {
            result = false;
        }
    } else {
        // Insert the copy before the contest that follows (or at the end), then take the edited one
        // out; when the copy goes in before it, the edited one has moved one place on.
        concorsi_.insert(concorsi_.begin() + static_cast<std::ptrdiff_t>(i), edited);
        const std::size_t old = i <= index ? index + 1 : index;
        concorsi_.erase(concorsi_.begin() + static_cast<std::ptrdiff_t>(old));
    }
    if (position != nullptr && !concorsi_.empty() && *position >= concorsi_.size()) {
        *position = concorsi_.size() - 1;
    }
    return result;
}

bool T_Archivio::AnniEstremi(std::int32_t& primo, std::int32_t& ultimo) const {
    if (concorsi_.empty()) {
        return false;
    }
    primo = concorsi_.front().Anno;
    ultimo = concorsi_.back().Anno;
    return true;
}

bool T_Archivio::IntervalloCompleto(T_IntervalloConcorsi& range) const {
    if (concorsi_.empty()) {
        return false;
    }
    range.AnnoDa = static_cast<std::int16_t>(concorsi_.front().Anno);
    range.NumeroDa = concorsi_.front().Numero;
    range.AnnoA = static_cast<std::int16_t>(concorsi_.back().Anno);
    range.NumeroA = concorsi_.back().Numero;
    return true;
}

} // namespace tessaline
