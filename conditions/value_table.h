#pragma once
// The value table of an integer measure (admitted values, values in recovery, the link letter and the
// Tra group of its points and consecutiveness sections) and the interval table of a real measure.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/binary_io.h"

namespace tessaline {

class TInsiemeCondizioni;

inline constexpr int kVociTabella = 1001; // values 0..1000
inline constexpr int kGruppiTra = 30;

// Entry states.
inline constexpr std::uint8_t kNonAmmesso = 0;
inline constexpr std::uint8_t kAmmesso = 1;
inline constexpr std::uint8_t kRecupero = 2;

struct TVoce {
    std::uint8_t Stato = kNonAmmesso;
    std::uint8_t Livello = 0;
    bool operator==(const TVoce&) const = default;
};

// One section ("Pt" or "Cs") of a value table.
struct TSezione {
    bool Attiva = false; // derived by AggiornaStato
    char Link = 'A';
    std::int16_t Tra = 0; // 0 = no group, else 1..30
    std::array<TVoce, kVociTabella> Voci{};
    bool operator==(const TSezione&) const = default;
};

class TTabellaPunti {
public:
    // A new table for values 0..n (n at most 1000; the record's entries past N are written as zeros).
    TTabellaPunti(int n, bool haCons, TInsiemeCondizioni* owner = nullptr);

    int N() const { return n_; }
    bool HaCons() const { return haCons_; }
    void SetOwner(TInsiemeCondizioni* owner) { owner_ = owner; }

    // Marks value v of the points (cons = false) or consecutiveness section. Values above N and
    // states other than 0, 1, 2 are ignored.
    void Imposta(bool cons, int v, std::uint8_t stato, std::uint8_t livello = 0);
    // No marks, letters 'A', groups 0, field 1..12, not active.
    void Svuota();
    // Field 1..12 with min <= max enforced by clamping.
    void ImpostaCampo(int min, int max);

    // Recomputes the derived flags from the condition's switch; returns Attiva.
    bool AggiornaStato(bool attivato);
    // The table check: (v, c) pass both active sections; recovery entries ask the owner's link.
    bool Ammette(int v, int c) const {
        if (!Attiva) {
            return true;
        }
        if (Pt.Attiva && !AmmetteSezione(Pt, v)) {
            return false;
        }
        if (Cs.Attiva && !AmmetteSezione(Cs, c)) {
            return false;
        }
        return true;
    }
    // Adds v (and c) to the owner's Tra group sums for the sections that are marked and grouped.
    void Contribuisci(int v, int c) const;
    // Whether a section has some entry 0..N not 0 (its activity with the switch on).
    bool Marcata(bool cons) const;

    // 4N + 28 bytes: see docs/FORMATS.md.
    std::size_t DimensioneRecord() const { return 4 * static_cast<std::size_t>(n_) + 28; }
    void Scrivi(TByteWriter& w) const;
    // False on a short read. Entries above N are dropped, a letter outside 'A'..'Z' becomes 'A', a
    // group outside 0..30 becomes 0, the field is clamped to 1..12.
    bool Leggi(TByteReader& r);

    bool SameContent(const TTabellaPunti& o) const {
        return n_ == o.n_ && haCons_ == o.haCons_ && CampoMin == o.CampoMin && CampoMax == o.CampoMax &&
               Pt == o.Pt && Cs == o.Cs;
    }

    std::int16_t CampoMin = 1;
    std::int16_t CampoMax = 12;
    TSezione Pt;
    TSezione Cs;
    bool Attiva = false;

private:
    bool AmmetteSezione(const TSezione& s, int v) const {
        if (static_cast<unsigned>(v) > static_cast<unsigned>(n_)) {
            return false;
        }
        const TVoce e = s.Voci[static_cast<std::size_t>(v)];
        if (e.Stato == kAmmesso) {
            return true;
        }
        return e.Stato == kRecupero && Recupera(s.Link, e.Livello);
    }
    bool Recupera(char letter, int level) const;
    void ScriviSezione(TByteWriter& w, const TSezione& s) const;
    bool LeggiSezione(TByteReader& r, TSezione& s);

    TInsiemeCondizioni* owner_;
    std::int16_t n_;
    bool haCons_;
    bool ptMarcata_ = false; // cached by AggiornaStato for the Tra contributions
    bool csMarcata_ = false;
};

inline constexpr int kMaxIntervalli = 101;

struct TIntervallo {
    double Min = 0;
    double Max = 0;
    std::int16_t Stato = 0; // 1 admitted, 2 recovery
    std::int16_t Livello = 0;
    bool operator==(const TIntervallo&) const = default;
};

class TTabellaIntervalli {
public:
    explicit TTabellaIntervalli(TInsiemeCondizioni* owner = nullptr) : owner_(owner) {}
    void SetOwner(TInsiemeCondizioni* owner) { owner_ = owner; }

    // Appends an interval; false when the table is full.
    bool Aggiungi(double min, double max, std::int16_t stato, std::int16_t livello = 0);
    void Svuota();
    // Attiva := attivato and Conta != 0.
    bool AggiornaStato(bool attivato);
    // The first interval holding x decides; none rejects; recovery asks the link.
    bool Ammette(double x) const;

    static constexpr std::size_t kDimensioneRecord = 1619;
    void Scrivi(TByteWriter& w) const;
    // False on a short read or a count above 101; slots from Conta on are ignored.
    bool Leggi(TByteReader& r);

    char Link = 'A';
    std::int16_t Tra = 0;
    bool Attiva = false;
    std::array<TIntervallo, kMaxIntervalli> Intervalli{};
    std::int16_t Conta = 0;

private:
    TInsiemeCondizioni* owner_;
};

} // namespace tessaline
