#pragma once
// Scrutiny of columns ("Spoglio"): the columns of a set against a winning column, counted by
// points, the conditions the winning column broke, and the coupons that hold the wins.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/column.h"
#include "core/column_list.h"

namespace tessaline {

class CancelProbe;
class TProgressSink;

// The condition set in examination mode: prepares, tests the column with error collection on, and
// gives the names of the conditions it broke, in the order the set records them.
class T_Sistema;

class TEsaminatoreCondizioni {
public:
    virtual ~TEsaminatoreCondizioni() = default;
    virtual std::vector<std::string> CondizioniSbagliate(const Colonna& winning) = 0;
};

namespace msg {
inline constexpr const char* kErrorePronostico = "Pronostico";
} // namespace msg

// What Esegui needs of the system besides its conditions.
struct TSistemaSpoglio {
    bool sorgentePronostico = true; // the columns come from the forecast (SourceForecast)
    Pronostico pronostico{};
    bool usaCondizioni = false; // "Usa i Condizionamenti"
    TEsaminatoreCondizioni* condizioni = nullptr;
};

// The system's source, forecast and "Usa i Condizionamenti", with the given condition examiner.
TSistemaSpoglio SpoglioDelSistema(const T_Sistema& system, TEsaminatoreCondizioni* conditions);

class TSpoglio {
public:
    // "Da Memoria": a copy of the store, merged when the merge setting is on.
    void CaricaDaMemoria(const TListaColonne& store, bool mergeSetting, TProgressSink* progress = nullptr,
                         CancelProbe* cancel = nullptr);
    // "Da File": false (nothing to show) for an empty file; EInOutError "Impossibile Caricare Il File
    // Colonnare" when it cannot be opened or read.
    bool CaricaDaFile(const std::filesystem::path& path, bool mergeSetting, TProgressSink* progress = nullptr,
                      CancelProbe* cancel = nullptr);
    TListaColonne& Insieme() { return set_; }
    const TListaColonne& Insieme() const { return set_; }

    // The counters over the expanded set, then the broken conditions.
    void Esegui(const Colonna& winning, const TSistemaSpoglio& system);

    const std::array<std::int64_t, 7>& Contatori() const { return counters_; }
    std::int64_t Massimo() const { return largest_; }
    // The value axis of the chart: 0 to (largest * 11) / 10.
    std::int64_t MassimoAsse() const { return largest_ * 11 / 10; }
    // "Condizioni Sbagliate": a condition's name, or "Pronostico".
    const std::vector<std::string>& Errori() const { return errors_; }
    const Colonna& Vincente() const { return winning_; }

private:
    TListaColonne set_;
    std::array<std::int64_t, 7> counters_{};
    std::int64_t largest_ = 0;
    std::vector<std::string> errors_;
    Colonna winning_{};
};

// A list-box line with the scroll bar at position p (from 1): the text from character p on, empty
// when the text is not longer than p.
std::string RigaScorrimento(const std::string& text, int position);

// A coupon of the winning-coupon viewer: up to three columns with their marks, numbered from 1.
struct TSchedinaVin {
    std::array<Colonna, 3> colonne{};
    std::array<std::uint8_t, 3> segnate{};
    std::int32_t numero = 0;
    int usate = 0; // columns held (the last coupon may hold fewer than three)
};

// The coupons of three consecutive columns of the set (not expanded) holding at least one column
// that scores exactly `points` against winning.
std::vector<TSchedinaVin> SchedineVincenti(const TListaColonne& set, const Colonna& winning, int points);

// The viewer's buttons S0..S6: enabled where the counter is not 0; the pressed one is the highest
// enabled (-1 when none).
std::array<bool, 7> PulsantiAbilitati(const std::array<std::int64_t, 7>& counters);
int PulsantePremuto(const std::array<std::int64_t, 7>& counters);
// The viewer's scroll bar maximum: coupons less four, 0 when fewer than five.
int MassimoScorrimento(std::size_t coupons);

// A winning column typed as twelve letters 0 1 2 M (blanks allowed, "m" accepted); false when it is
// not twelve single signs.
bool ParseColonnaVincente(const std::string& text, Colonna& out);

} // namespace tessaline
