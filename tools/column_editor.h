#pragma once
// The column editor's rules ("Editor Colonnare"): cell texts and masks, what a key does to a cell,
// the list of edited columns behind the grid, verification, sorting and saving.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/column.h"

namespace tessaline {

class TListaColonne;

namespace msg {
inline constexpr const char* kColonnaNonCompleta = "La colonna non è completa";
inline constexpr const char* kNonSalvate = "Le colonne non sono state salvate. Vuoi salvarle ? ";
inline constexpr const char* kFileEsisteGiaEditor = "Il file esiste già. Vuoi sovrascriverlo ? ";
inline constexpr const char* kImpossibileCaricareColonne = "Impossibile Caricare le Colonne";
inline constexpr const char* kImpossibileSalvareColonne = "Impossibile Salvare le Colonne";
inline constexpr const char* kPersonali = "Personali.col";
} // namespace msg

// Editor grid: 15 visible columns of 12 teams.
inline constexpr int kColonneVisibili = 15;

// Cell text to mask: spaces removed, letters upper-cased; the signs named by one to four letters.
// Any other length, or a letter that names no sign, gives 0.
SignSet MascheraCella(const std::string& text);
// Mask to cell text: its letters in the order 0, 1, 2, M ("02" for 5); empty for 0.
std::string TestoCella(SignSet mask);
// A key typed in a cell holding text: the new text, or nothing when the key is refused. Accepted
// are "0", "1", "2", "M" ("m" becomes "M") when that sign is not already in the cell, and
// backspace ('\b'), which removes the last letter.
std::optional<std::string> TastoCella(const std::string& text, char key);

// True when no team of the column has a sign.
bool ColonnaVuota(const Colonna& c);

// The first place of an incomplete column: a non-empty column with an empty team.
struct TPosizione {
    std::size_t colonna = 0; // list index
    int squadra = 0;         // 0..11
};

// The edited columns (empty entries allowed) and the operations of the tool buttons.
class TEditorColonne {
public:
    std::vector<Colonna> colonne;

    // Stores a visible grid column: masks[0..11] into entry index, appending empty entries first
    // when the list is shorter.
    void Memorizza(std::size_t index, const std::array<SignSet, kTeams>& masks);
    // The entry at index, or an empty column past the end.
    Colonna At(std::size_t index) const;
    // Verification: the first non-empty column with an empty team, or nothing when all are complete.
    std::optional<TPosizione> Verifica() const;
    void RimuoviVuote();
    // "Inserisce Colonna": an empty column at index (appended past the end).
    void InserisciVuota(std::size_t index);
    // "Cancella Colonna": false when there is no column at index.
    bool Cancella(std::size_t index);
    // "Inserisci il File Colonnare": the columns at index, in file order.
    void InserisciColonne(std::size_t index, const TListaColonne& list);
    // "Ordina": empty columns removed, the rest ascending by their masks team by team.
    void Ordina();
    // Every non-empty column in list order.
    TListaColonne NonVuote() const;
};

} // namespace tessaline
