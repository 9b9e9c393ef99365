#pragma once
// Voice dictation of coupons ("Dettatura Schedine"): the columns grouped three to a coupon, the
// order in which the signs are read (by rows or by columns), and the stretch of the voice file that
// says each sign.

#include <array>
#include <cstdint>
#include <vector>

#include "core/column.h"

namespace tessaline {

class TListaColonne;

// The bit that marks the sign being read on a coupon display.
inline constexpr std::uint8_t kSegnoEvidenziato = 0x80;

// One coupon of the viewer: up to three columns (an all-zero column is an empty place) and its
// number, counted from 1 in list order.
struct TSchedinaVin {
    std::array<Colonna, 3> colonne{};
    std::int32_t numero = 0;
};

// The columns taken three at a time in list order; the last coupon may hold one or two.
std::vector<TSchedinaVin> CostruisciSchedine(const TListaColonne& list);
// Columns read on a coupon: 3, or 2 when the third place is empty, or 1 when the second is.
int ColonneDaLeggere(const TSchedinaVin& s);

// A stretch of the voice file, in milliseconds from its start.
struct TTratto {
    std::int64_t inizio = 0;
    std::int64_t fine = 0;
    bool operator==(const TTratto&) const = default;
};
// The sound of sign byte value a (1 to 15): from 1000 (a - 1) to 1000 a ms, 100 ms longer for 15.
// The highlight bit is ignored; a byte with no sign has no stretch (inizio == fine == 0).
TTratto TrattoSegno(std::uint8_t a);

// The media player as the dictation drives it.
class TLettoreVocale {
public:
    virtual ~TLettoreVocale() = default;
    virtual void Pausa() = 0;
    virtual void ImpostaTratto(const TTratto& t) = 0;
    virtual void Suona() = 0;
};

// What a tick did.
enum class TEsitoTick {
    Letto,         // a sign was read; the position moved on within the coupon
    NuovaSchedina, // a sign was read and the next coupon is now shown
    PausaSchedina, // as NuovaSchedina, and the dictation paused first ("Pausa Dopo Ogni Schedina")
    Fine           // a sign was read and the coupon past the last one was reached: stopped
};

// The dictation's state: current coupon (1-based), column, team, paused flag and timer.
class TDettatura {
public:
    explicit TDettatura(std::vector<TSchedinaVin> schedine);

    const std::vector<TSchedinaVin>& Schedine() const { return schedine_; }
    std::int32_t NumeroSchedine() const { return static_cast<std::int32_t>(schedine_.size()); }

    // "Dalla Schedina" / "Alla Schedina", kept within 1..coupons; min may not pass max nor max fall
    // below min (the value is held at the other). Changing min shows that coupon.
    void ImpostaMin(std::int32_t v);
    void ImpostaMax(std::int32_t v);
    std::int32_t Min() const { return min_; }
    std::int32_t Max() const { return max_; }

    bool perRighe = false;         // " Dettatura per Righe" (else per columns)
    bool pausaDopoSchedina = true; // "Pausa Dopo Ogni Schedina"
    int pausa = 5;                 // "Pausa tra due Segni ", tenths of a second (1 to 50)
    // The timer's interval in milliseconds.
    int Intervallo() const { return 1000 + 100 * pausa; }

    // Play: the timer runs; after a pause it goes on where it stopped, otherwise it starts at
    // column 1, team 1 of the current coupon. False when there is nothing to read.
    bool Avvia();
    // Pause toggles the paused flag and the timer.
    void Pausa();
    // Stop: timer off, paused flag cleared, back to coupon Min.
    void Ferma();
    // One tick of the timer: says the current sign through the player and moves on.
    TEsitoTick Tick(TLettoreVocale& player);

    bool TimerAttivo() const { return timer_; }
    bool InPausa() const { return paused_; }
    std::int32_t Schedina() const { return schedina_; }
    int ColonnaCorrente() const { return colonna_; }
    int Squadra() const { return squadra_; }
    // The current coupon as the display shows it: the sign being read carries kSegnoEvidenziato.
    TSchedinaVin Mostrata() const;

private:
    std::vector<TSchedinaVin> schedine_;
    std::int32_t min_ = 1;
    std::int32_t max_ = 1;
    std::int32_t schedina_ = 1;
    int colonna_ = 1;
    int squadra_ = 1;
    bool paused_ = false;
    bool timer_ = false;
    // The sign said last (column, team), highlighted on the display; 0 for none.
    int evCol_ = 0;
    int evTeam_ = 0;
};

} // namespace tessaline
