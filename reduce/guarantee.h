#pragma once
// The guarantee calculation ("Calcolo delle garanzie"): examined columns against every winning
// column of the forecast (exact, one or two wrong teams) or of a comparison file, tabulated as win
// patterns with their share of the winning columns. Straightforward reference version.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/column.h"

namespace tessaline {

class CancelProbe;
class UserPrompt;
class TColumnAcceptor;
class TListaColonne;
class T_Sistema;

// One win pattern: examined columns with 4, 5 and 6 points against one winning column, and the
// share of the winning columns that gave it (1.0 per column until normalised).
struct T_Vincita {
    std::int32_t n4 = 0;
    std::int32_t n5 = 0;
    std::int32_t n6 = 0;
    double frequenza = 1.0;
};

// Modes: 6 no error on the forecast (also a comparison file), 5 one error, 4 two errors.
inline constexpr std::array<int, 3> kModiGaranzia = {6, 5, 4};

// The three result lists, each ascending by 6-point, then 5-point, then 4-point count.
class TRisultatiGaranzie {
public:
    void Clear();
    // mode is 6, 5 or 4.
    const std::vector<T_Vincita>& Lista(int mode) const { return liste_[Index(mode)]; }
    std::int64_t Considerate(int mode) const { return considerate_[Index(mode)]; }
    bool Calcolata(int mode) const { return calcolata_[Index(mode)]; }

    // Starts a mode: its list emptied, its denominator 0, marked as computed.
    void IniziaModo(int mode);
    void AggiungiConsiderata(int mode) { ++considerate_[Index(mode)]; }
    // Adds times (1.0 by default) to the pattern's frequency, or inserts it in its ordered place
    // with that frequency.
    void Registra(int mode, std::int32_t n4, std::int32_t n5, std::int32_t n6, std::int64_t times = 1);
    // Divides every frequency by the winning columns considered (nothing when none was).
    void Normalizza(int mode);

private:
    static std::size_t Index(int mode);
    std::array<std::vector<T_Vincita>, 3> liste_;
    std::array<std::int64_t, 3> considerate_{};
    std::array<bool, 3> calcolata_{};
};

// The winning columns of a forecast for one mode: calls step for each (the blanked variants of
// modes 5 and 4 included) and returns false when stopped through the probe's Take.
using TPassoVincente = std::function<void(const Colonna&)>;
using TEnumeratoreVincenti = std::function<bool(int mode, CancelProbe* cancel, const TPassoVincente& step)>;

// State text and gauge of the dialog; both optional.
class TVistaGaranzie {
public:
    virtual ~TVistaGaranzie() = default;
    virtual void Stato(const std::string& text) = 0;
    virtual void Gauge(int percent) = 0;
};

// What "Calcola" reads from the dialog.
struct TParametriGaranzie {
    // "Colonne in Memoria" when set (shared, not copied); else "Colonne su File Colonnare".
    const TListaColonne* esaminateInMemoria = nullptr;
    std::filesystem::path fileEsaminate;
    // "Colonne su File Colonnare" for the comparison; else "Colonne Generate dal Pronostico".
    bool confrontoDaFile = false;
    std::filesystem::path fileConfronto;
    TEnumeratoreVincenti pronostico;    // EnumerateForecast or EnumeratePairs on the system
    std::int64_t colonnePronostico = 0; // columns of the forecast (or pair table), for the gauge
    bool zeroErrori = true;             // Check0err
    bool unErrore = false;              // Check1Err
    bool dueErrori = false;             // Check2Err
    // "Applica le Condizioni": the system's conditions, or nullptr when unchecked.
    TColumnAcceptor* condizioni = nullptr;
    // Threads that count the winning columns; 0: ThreadsForJob(). The results do not depend on it.
    int threads = 0;
};

// "Colonne Generate dal Pronostico" of the system: EnumerateForecast on its forecast, or
// EnumeratePairs on its pair table in pair mode, with the matching column count. The system must
// outlive the parameters.
void ConfrontoDalPronostico(TParametriGaranzie& params, const T_Sistema& system);

enum class TEsitoGaranzie { Ok, Annullato, ErroreFile };

namespace msg {
inline constexpr const char* kStatoZeroErrori = "Calcolo Percentuali senza errori sul pronostico";
inline constexpr const char* kStatoUnErrore = "Calcolo Percentuali con un errore sul pronostico";
inline constexpr const char* kStatoDueErrori = "Calcolo Percentuali con due errori sul pronostico";
inline constexpr const char* kCalcoloGaranzie = "Calcolo delle garanzie";
inline constexpr const char* kImpossibileStampareTabella = "Impossibile Stampare La Tabella";
} // namespace msg

// The printout's title for the mode shown (6, 5 or 4).
const char* TitoloStampaGaranzie(int mode);

// "Calcola". On success the computed modes are normalised in results. A file that cannot be read
// shows "Impossibile caricare il file" through prompt (when given) and returns ErroreFile; a press
// on "Interrompi" returns Annullato. Either way results are left empty.
TEsitoGaranzie Calcola(const TParametriGaranzie& params, TRisultatiGaranzie& results, CancelProbe* cancel,
                       TVistaGaranzie* view = nullptr, UserPrompt* prompt = nullptr);

// One mode over an already loaded examined set and an enumeration of winning columns; the
// building block of Calcola. expected is the enumeration's length (for the gauge). Returns false
// when stopped; the mode is then left unnormalised.
bool CalcolaModo(std::span<const Colonna> examined, int mode, std::int64_t expected,
                 const std::function<bool(const TPassoVincente&)>& enumerate, TColumnAcceptor* conditions,
                 TRisultatiGaranzie& results, CancelProbe* cancel, TVistaGaranzie* view);

class TGuaranteeIndex;
// The same with the index of the examined columns built by the caller (null: column by column) and
// the counting spread over threads (0: ThreadsForJob()); the conditions, the gauge and the probe
// stay on the calling thread.
bool CalcolaModo(std::span<const Colonna> examined, const TGuaranteeIndex* index, int threads, int mode,
                 std::int64_t expected, const std::function<bool(const TPassoVincente&)>& enumerate,
                 TColumnAcceptor* conditions, TRisultatiGaranzie& results, CancelProbe* cancel,
                 TVistaGaranzie* view);
// The index CalcolaModo builds for these examined columns, or null when it compares column by column.
std::unique_ptr<TGuaranteeIndex> IndiceGaranzie(std::span<const Colonna> examined);

// The table of one mode as the dialog shows it (header, subtotal, empty and total rows).
struct TTabellaGaranzie {
    std::vector<std::array<std::string, 4>> righe;
    std::array<int, 4> larghezze{63, 63, 63, 117};
    int altezzaIntestazione = 18;
};
TTabellaGaranzie Aggiorna(const std::vector<T_Vincita>& patterns, char decimalSeparator);
// The cleared table: 11 empty rows.
TTabellaGaranzie TabellaVuota();
// percent in the picture "000.000" (rounded as printf "%.3f"), leading zeros before another digit
// blanked: 5.5 gives "  5.500", 0.25 gives "  0.250".
std::string FormatPercentuale(double percent, char decimalSeparator);

// The dialog's check boxes and radio buttons with their enabling rules.
struct TDialogoGaranzie {
    bool memoriaDisponibile = false;    // the column store holds columns
    bool pronosticoDisponibile = false; // see PronosticoUsabile
    bool radioEMem = true;
    bool radioCPro = true;
    bool check0 = true, check1 = false, check2 = false;
    bool checkCondizioni = false;

    // Enabled state computed by Applica.
    bool editEAbilitato = false, editCAbilitato = false;
    bool gruppoErroriAbilitato = true;
    bool condizioniAbilitato = true;
    bool speed0 = true, speed1 = false, speed2 = false;
    bool calcolaAbilitato = true;
    bool radioEMemAbilitato = true, radioCProAbilitato = true;

    // On show: the radio buttons fall back to the files when memory or forecast cannot serve.
    void Mostra();
    // Re-applies the rules (after every click).
    void Applica();
    // The mode shown after a successful run: the first enabled of 6, 5, 4.
    int ModoDaMostrare() const;
};

// RadioCPro's condition: with pair mode, the table yields a column; otherwise more than five
// leading teams of the forecast (from team 1, without a gap) have signs.
bool PronosticoUsabile(const Pronostico& forecast, const PairTable& pairs, bool pairMode);
bool PronosticoUsabile(const T_Sistema& system);

} // namespace tessaline
