#pragma once
// The contest archive: past contests with their winning columns, the file "archivio.tts" that holds
// them, and the contest range every statistic uses to choose which contests to examine.

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

#include "core/binary_io.h"
#include "core/column.h"

namespace tessaline {

class UserPrompt;

// One archived contest.
struct T_Concorso {
    std::uint8_t Tipo = 1;   // 1 "Calcio", 2 "Basket"
    std::uint8_t Numero = 1; // number within the season
    std::int32_t Anno = 0;   // first calendar year of the season
    Colonna ColonnaVincente; // 0 in a team: result unknown
    std::uint8_t Completo = 0;

    // A new contest: kind 1, number 1, the current calendar year, every sign unknown.
    static T_Concorso Nuovo();
    // Completo as the winning column says: every byte exactly one of 1, 2, 4, 8.
    static bool ColonnaCompleta(const Colonna& c);
    void AggiornaCompleto() { Completo = ColonnaCompleta(ColonnaVincente) ? 1 : 0; }
    // X precedes Y in (Anno, Numero) order.
    bool Precede(const T_Concorso& other) const {
        return Anno < other.Anno || (Anno == other.Anno && Numero < other.Numero);
    }
    bool StessoConcorso(const T_Concorso& other) const {
        return Anno == other.Anno && Numero == other.Numero;
    }
    bool operator==(const T_Concorso&) const = default;
};

// "Calcio" for kind 1, "Basket" for any other.
const char* TestoTipo(std::uint8_t tipo);

// The selection rule shared by every reader of the archive.
struct T_IntervalloConcorsi {
    std::int16_t AnnoDa = 0;
    std::int16_t AnnoA = 0;
    std::uint8_t NumeroDa = 0;
    std::uint8_t NumeroA = 0;
    std::uint8_t Tipi = 1;   // bit 1 "Calcio", bit 2 "Basket"
    std::uint8_t Filtra = 1; // only complete contests of an admitted kind

    // Whether the contest is examined: the filter first, then (Anno, Numero) inclusively between
    // (AnnoDa, NumeroDa) and (AnnoA, NumeroA).
    bool Contiene(const T_Concorso& c) const;
    // The 7-byte stored form: Tipi, AnnoDa, AnnoA, NumeroDa, NumeroA (Filtra is not stored).
    void Scrivi(TByteWriter& w) const;
    // Reads the stored form; false on a short read (fields read so far may have changed).
    bool Leggi(TByteReader& r);
    bool operator==(const T_IntervalloConcorsi&) const = default;
};

inline constexpr std::size_t kConcorsoRecordSize = 19;

// The archive: contests in file order (ascending (Anno, Numero) after every edit).
class T_Archivio {
public:
    // "ARCHIVI"/"archivio.tts" in the data folder.
    static std::filesystem::path PercorsoFile();

    const std::vector<T_Concorso>& Concorsi() const { return concorsi_; }
    std::vector<T_Concorso>& Concorsi() { return concorsi_; }
    std::size_t Count() const { return concorsi_.size(); }

    // Empties the list and reads every whole 19-byte record of the file in order (Completo is
    // recomputed from the column, so a bad sign byte makes the contest incomplete). Then sets range
    // to the whole archive (first contest to last; Tipi and Filtra untouched). Returns false when a
    // truncated tail record was dropped. Raises EInOutError "Impossibile Caricare L'Archivio." when
    // the file is missing, unreadable or holds no whole record (the list is then empty).
    bool Carica(T_IntervalloConcorsi& range, const std::filesystem::path& file = PercorsoFile());
    // Start-up policy: Carica; on failure the list becomes one new contest and the message
    // "Impossibile Caricare L'Archivio." is shown through prompt (when given). True when loaded.
    bool CaricaOppureNuovo(T_IntervalloConcorsi& range, UserPrompt* prompt,
                           const std::filesystem::path& file = PercorsoFile());
    // Writes every contest atomically; raises EInOutError "Impossibile Salvare Le Modifiche." on
    // failure, leaving the previous file as it was.
    bool Salva(const std::filesystem::path& file = PercorsoFile()) const;
    // The records of every contest, as Salva writes them.
    std::vector<std::uint8_t> Codifica() const;

    // Moves the contest at index to its place in (Anno, Numero) order. A duplicate asks
    // "Il Concorso è già in memoria. Devo Sostituirlo ?": Si replaces it, No leaves the list as it
    // is and returns false. When position is given and lies past the last index, it is clamped.
    bool Riordina(std::size_t index, UserPrompt& prompt, std::size_t* position = nullptr);
    // Anno of the first and of the last contest; false for an empty list.
    bool AnniEstremi(std::int32_t& primo, std::int32_t& ultimo) const;
    // Sets range to run from the first contest to the last; false for an empty list.
    bool IntervalloCompleto(T_IntervalloConcorsi& range) const;

private:
    std::vector<T_Concorso> concorsi_;
};

// Appends the contest's 19-byte record: Tipo, Anno (int32), Numero, the twelve signs, Completo.
void ScriviConcorso(TByteWriter& w, const T_Concorso& c);
// Reads one record; false on a short read.
bool LeggiConcorso(TByteReader& r, T_Concorso& c);

} // namespace tessaline
