#pragma once
// The measures of the sign-count, result and sequence-shape conditions: pure functions of a column
// and the fields of their tables. Positions are teams 1..12; a field is [min, max], clamped to
// 1..12. Bytes other than the four single signs never count as a sign but still compare by value.
// The overloads with a TProfilo take the column's masks already computed (Profilo of the same column).

#include <array>
#include <cstdint>

#include "core/column.h"

namespace tessaline {

struct TConteggio {
    int conta = 0; // how many
    int serie = 0; // longest streak
    bool operator==(const TConteggio&) const = default;
};

// Sign index 0..3 of a single-sign byte; 4 for anything else.
inline constexpr std::array<std::uint8_t, 256> kIndiceSegno = [] {
    std::array<std::uint8_t, 256> t{};
    t.fill(4);
    t[1] = 0;
    t[2] = 1;
    t[4] = 2;
    t[8] = 3;
    return t;
}();

// The four sign codes in index order.
inline constexpr std::array<SignSet, 4> kCodiciSegno = {kSign0, kSign1, kSign2, kSignM};

struct TCampo {
    int min = 1;
    int max = 12;
};

// Bit masks of one column that several measures share (bit p-1 stands for team p): the teams of each
// sign (index 4: teams whose byte is not a single sign) and the teams that differ from the previous.
struct TProfilo {
    std::array<std::uint32_t, 5> segno{};
    std::uint32_t cambi = 0;
};

inline TProfilo Profilo(const Colonna& c) {
    TProfilo pr;
    pr.segno[kIndiceSegno[c.s[0]]] |= 1u;
    for (std::size_t p = 1; p < 12; ++p) {
        pr.segno[kIndiceSegno[c.s[p]]] |= 1u << p;
        pr.cambi |= static_cast<std::uint32_t>(c.s[p] != c.s[p - 1]) << p;
    }
    return pr;
}

// Numero di segni: per sign, teams of that sign inside the sign's field and their longest run.
void MisuraNumeroSegni(const Colonna& c, const std::array<TCampo, 4>& campi, std::array<TConteggio, 4>& out);
void MisuraNumeroSegni(const Colonna& c, const TProfilo& pr, const std::array<TCampo, 4>& campi,
                       std::array<TConteggio, 4>& out);
// Risultati: matches whose result is admitted by esiti (1 home, 2 draw, 4 away) and their longest run.
TConteggio MisuraRisultati(const Colonna& c, const std::array<std::uint8_t, 6>& esiti);
// Pari e Dispari: runs of equal signs in the field; even runs (dispari false) or odd runs, and the
// longest streak of such runs in a row.
TConteggio MisuraPariDispari(const Colonna& c, TCampo campo, bool dispari);
TConteggio MisuraPariDispari(const TProfilo& pr, TCampo campo, bool dispari);
// Interruzioni "Globali": sign changes between adjacent teams of the field and their longest streak.
TConteggio MisuraInterruzioni(const Colonna& c, TCampo campo);
TConteggio MisuraInterruzioni(const TProfilo& pr, TCampo campo);
// Interruzioni per sign: runs of each sign beginning after team 1 inside that sign's field.
void MisuraInterruzioniSegni(const Colonna& c, const std::array<TCampo, 4>& campi, std::array<int, 4>& out);
void MisuraInterruzioniSegni(const TProfilo& pr, const std::array<TCampo, 4>& campi, std::array<int, 4>& out);
// Simmetrie: first half of the field against its mirror (dirette) or against the second half
// (inverse); equal pairs and the longest streak.
TConteggio MisuraSimmetrie(const Colonna& c, TCampo campo, bool inverse);
TConteggio MisuraSimmetrie(const Colonna& c, const TProfilo& pr, TCampo campo, bool inverse);
// Vortice: the last position found and the number of arms, direct (from the first team) or inverse.
struct TVortice {
    int posizione = 0;
    int bracci = 0;
    bool operator==(const TVortice&) const = default;
};
TVortice MisuraVortice(const Colonna& c, TCampo campo, bool inverso);
// Ripetizioni: teams of the field with the same sign as in the previous column, longest streak.
TConteggio MisuraRipetizioni(const Colonna& c, const Colonna& precedente, TCampo campo);
// Consecutività: teams of the field with the sign, and the longest run of them.
TConteggio MisuraConsecutivita(const Colonna& c, SignSet segno, TCampo campo);
TConteggio MisuraConsecutivita(const Colonna& c, const TProfilo& pr, SignSet segno, TCampo campo);

} // namespace tessaline
