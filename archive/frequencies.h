#pragma once
// Frequencies and delays of a measure's values, and the search settings that choose the contests
// and categories of the archive statistics.

#include <cstdint>
#include <vector>

#include "archive/contest_archive.h"
#include "core/binary_io.h"

namespace tessaline {

// Counter of one value.
struct TElemRFRM {
    std::int32_t Ritardo = 0;    // events since the value last came out
    std::int32_t RitardoMax = 0; // largest delay reached
    std::int32_t Frequenza = 0;  // events in which the value came out
    bool operator==(const TElemRFRM&) const = default;
};

// Frequency and delay table of one measure: per value of the measure and per value of its
// consecutive count.
class T_FrequenzeRitardi {
public:
    T_FrequenzeRitardi() { Azzera(0); }

    // Both lists become massimo + 1 zero counters; no events.
    void Azzera(int massimo);
    // One event: the value and its consecutive count came out. Values past Massimo grow both lists;
    // negative values are ignored. With delays, every other value's delay grows by one.
    void Aggiungi(int valore, int consecutivi, bool conRitardi);

    // The counter of value v in the list chosen by ScegliLista; 0 outside the list.
    std::int32_t Frequenza(int v) const;
    std::int32_t Ritardo(int v) const;
    std::int32_t RitardoMax(int v) const;
    void ScegliLista(bool presenze) { LeggiPresenze = presenze ? 1 : 0; }

    const std::vector<TElemRFRM>& Presenze() const { return presenze_; }
    const std::vector<TElemRFRM>& Consecutivi() const { return consecutivi_; }
    int Massimo() const { return massimo_; }
    std::int32_t Eventi() const { return eventi_; }

    std::uint8_t LeggiPresenze = 1;

private:
    const TElemRFRM* Elemento(int v) const;
    std::vector<TElemRFRM> presenze_;
    std::vector<TElemRFRM> consecutivi_;
    std::int16_t massimo_ = 0;
    std::int32_t eventi_ = 0;
};

// "Impostazioni Di Ricerca", kept in the configuration file.
struct T_ImpostazioniRicerca {
    T_IntervalloConcorsi Intervallo;
    std::uint8_t IgnoraColonneFiltro = 1;
    std::uint8_t IgnoraRipetizioni = 1;
    std::uint8_t IgnoraValori = 1;
    std::uint8_t IgnoraPercentuali = 1;
    std::uint8_t Categoria1 = 1;
    std::uint8_t Categoria12 = 0;
    std::uint8_t Categoria123 = 0;

    // Categories examined: Categoria1 + 2 Categoria12 + 3 Categoria123.
    int Categorie() const { return Categoria1 + 2 * Categoria12 + 3 * Categoria123; }
    // 13 bytes: the stored range, then IgnoraColonneFiltro, IgnoraRipetizioni, IgnoraPercentuali,
    // Categoria1, Categoria12, Categoria123 (IgnoraValori and Filtra are not stored).
    void Scrivi(TByteWriter& w) const;
    // False on a short read.
    bool Leggi(TByteReader& r);
    bool operator==(const T_ImpostazioniRicerca&) const = default;
};

inline constexpr std::size_t kImpostazioniRicercaSize = 13;

} // namespace tessaline
