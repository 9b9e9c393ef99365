#pragma once
// The four team lists ("SquadrA.Txt", "SquadrB.Txt", "SquadrC1.Txt", "SquadrC2.Txt"), kept sorted
// without regard to case or accents, the checks of the team edit and participants windows, and the
// model of the team selection window.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/column.h"

namespace tessaline {

class T_Sistema;

enum class TLega { A = 0, B = 1, C1 = 2, C2 = 3 };
inline constexpr int kLeghe = 4;
inline constexpr std::array<TLega, kLeghe> kTutteLeLeghe = {TLega::A, TLega::B, TLega::C1, TLega::C2};

// The league button's caption: "A", "B", "C1", "C2".
const char* NomeLega(TLega lega);
// The list's file in the data folder.
std::filesystem::path FileLega(TLega lega);

// Order of the lists: letters compare without case and accents ("à" with "a"); names equal so
// compare unaccented before accented, then lower case before upper case. Negative, 0 or positive.
int ConfrontaNomi(std::string_view a, std::string_view b);
// Same name for the list: equal but for case.
bool StessoNome(std::string_view a, std::string_view b);

// One league's list: sorted, no two names equal but for case, no blank names.
class TListaSquadre {
public:
    const std::vector<std::string>& Nomi() const { return nomi_; }
    std::size_t Size() const { return nomi_.size(); }
    // Adds the name in its sorted place and returns its index; a name already listed (but for case)
    // is not added again and its index is returned.
    std::size_t Aggiungi(const std::string& name);
    // Deletes the line; an index out of range does nothing.
    void Cancella(std::size_t index);
    // Deletes the line and adds the new name; returns the new name's index.
    std::size_t Modifica(std::size_t index, const std::string& name);
    void Svuota() { nomi_.clear(); }

    // Lines of Windows-1252 text ended by CR LF (a bare LF or a bare CR is accepted, as in files
    // from other systems); blank lines are skipped.
    void DaTesto(std::string_view bytes);
    std::string Testo() const;

private:
    std::vector<std::string> nomi_;
};

// The four lists of the "Lista Squadre" window.
class TListeSquadre {
public:
    TListaSquadre& Lista(TLega lega) { return liste_[static_cast<std::size_t>(lega)]; }
    const TListaSquadre& Lista(TLega lega) const { return liste_[static_cast<std::size_t>(lega)]; }

    // Reads A, B, C1, C2 in this order; the first file that cannot be read raises EInOutError
    // "Impossibile Caricare la Lista delle Squadre di Serie X" (the lists read so far stay).
    void Carica();
    // Writes every list whole (atomically) in the same order; the first failure raises
    // "Impossibile Salvare la Lista delle Squadre di Serie X".
    void Salva() const;

private:
    std::array<TListaSquadre, kLeghe> liste_;
};

std::string MessaggioCaricaLista(TLega lega);
std::string MessaggioSalvaLista(TLega lega);

// The team edit window's OK: nothing when the name holds a character other than a space, else the
// message "Il Nome della Squadra non è Valido ! ".
std::optional<std::string> ValidaNomeSquadra(const std::string& name);

// The participants window's OK. Lines empty after removing spaces are dropped; with the names
// specified, a line count different from the number (unless the number is 1) is refused with
// "Il numero dei nomi dei soci non corrisponde a quello specificato" and the system is left alone.
// Otherwise the system's names (only when specified), count (kept within 1..100) and flag are
// stored and the system is marked modified.
std::optional<std::string> ApplicaPartecipanti(T_Sistema& sys, int numero, bool specificaNomi,
                                               const std::vector<std::string>& righe);

// The team selection window ("Selezione Partite") as data: the slot being filled and the grid of
// the league on show.
class TSelezioneSquadre {
public:
    // Starts at the first team whose name is blank, or team 1 when all are named.
    explicit TSelezioneSquadre(T_Sistema& sys);

    // Team being filled, 0..11.
    int Slot() const { return slot_; }
    void Su();
    void Giu();

    // The grid of a list: entry i at column i mod 2, row i div 2; at least 10 rows.
    static int Righe(std::size_t entries);
    // Whether the name is already on the coupon (upper-cased, spaces removed).
    bool SulCoupon(const std::string& name) const;
    // Puts the name (cut to 12 characters) into the slot and moves down unless at team 12. An empty
    // name does nothing.
    void Scegli(const std::string& name);

private:
    T_Sistema& sys_;
    int slot_ = 0;
};

} // namespace tessaline
