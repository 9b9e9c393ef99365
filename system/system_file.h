#pragma once
// The main window's system commands ("&Carica...", "&Salva", "Salva Co&me...", "Cance&lla") on top
// of T_Sistema's Save and Load.

#include <cstdint>
#include <filesystem>

namespace tessaline {

class T_Sistema;
class UserPrompt;

// Largest number of single columns a system file may bring into memory (every distinct column).
inline constexpr std::int64_t kMaxColonneSistema = std::int64_t{1} << 24;
// Participants sharing a system: 1 to this many.
inline constexpr std::int32_t kMaxPartecipantiSistema = 100;

// "&Salva" must ask for a name: the system is untitled and still named "SENZANOME.SVS".
bool SalvaChiedeNome(const T_Sistema& sys);

// "&Carica...": loads the file, makes it the current file name and clears modified (when the system
// says AutoRecalc, the caller then runs the recalculation, as the recalculation panel does). Raises
// EInOutError "Impossibile Caricare Il Sistema" when the file cannot be read whole (the system is
// then left as it was).
void CaricaSistema(T_Sistema& sys, const std::filesystem::path& path);

// "&Salva" once a name is known: writes the current file. Raises "Impossibile Salvare Il Sistema".
void SalvaSistema(T_Sistema& sys);

// "Salva Co&me...": when the file exists asks "Il file esiste gia. Vuoi sovrascriverlo ? " (title
// "Informazione", Si and No) and goes on only on Si; then makes the name current, saves, clears
// modified and untitled. Returns false when the user declined. Raises "Impossibile Salvare Il
// Sistema" when the save fails (the name stays the new one, as the menu command leaves it).
bool SalvaSistemaCome(T_Sistema& sys, const std::filesystem::path& path, UserPrompt& prompt);

// "Cance&lla": makes sure the file can be opened, asks "Vuoi Cancellare <name>?" (title "Conferma",
// Si, No, Annulla) and deletes it only on Si. Returns whether it was deleted. Raises
// "Impossibile Cancellare Il Sistema" when the file cannot be opened or removed.
bool CancellaSistema(const std::filesystem::path& path, UserPrompt& prompt);

} // namespace tessaline
