#pragma once
// What the frame editor ("Quadro") does to the frames, apart from any window: the frame on show and
// the way back to its parents, the "Nuova" pop-up menu, cut, copy, paste and delete of the selected
// items, the frame and condition files, and the tree of conditions.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "conditions/frame.h"

namespace tessaline {

class TInsiemeCondizioni;

inline constexpr int kCardVisibili = 7; // items shown at a time

// One entry of the "Nuova" menu: the single item's code and, for list families, the list's code.
struct TVoceNuova {
    const char* Caption;
    std::uint8_t Singolo;
    std::uint8_t Multiplo; // 0: no list form
};
// "Colonne Filtro", "Numero Di Segni", "Risultati", "Consecutività", "Interruzioni",
// "Pari e Dispari", "Simmetrie", "Vortice", "Ripetizioni", "Percentuali", "Valori", "Gol Squadra",
// "Sequele", "Quadro", in this order.
const std::vector<TVoceNuova>& VociNuova();

// One line of the "Albero Condizioni" tree: the depth (0 for the frame of slot 13) and the title.
struct TNodoAlbero {
    int Livello = 0;
    std::string Titolo;
    std::uint8_t Tipo = 0;
};

class TModelloQuadro {
public:
    // Shows the frame of slot 13 of the set (which outlives the model).
    explicit TModelloQuadro(TInsiemeCondizioni& set) : set_(set) {}

    // The frame on show; the frame of slot 13 when the way down no longer leads anywhere.
    TCondQuadro& Corrente();
    // 0 on the frame of slot 13.
    std::size_t Livello() const { return percorso_.size(); }
    // Shows the item at index when it is a frame; false otherwise.
    bool Entra(std::size_t index);
    // "Quadro Precedente": false when already on slot 13.
    bool Precedente();

    // The first shown item (clamped to the items).
    void Scorri(std::int32_t primo);
    // Where new and loaded items go: after the last shown item, or the end when the frame is shorter.
    std::size_t PosizioneCorrente();

    // "Nuova": a new default item (multiplo: the family's list holding one default item; "Quadro":
    // a sub-frame named "Sub Quadro") inserted at position (past the count: appended). False when
    // the frame is full or this program does not build that family.
    bool Nuova(const TVoceNuova& voce, bool multiplo, std::size_t position);

    // "Copia": the selected items (Selezionato) go to the clipboard in frame order.
    void Copia();
    // "Taglia": Copia, then the selected items are deleted.
    void Taglia();
    // "Incolla": copies of the clipboard at the current position, only when the frame then holds
    // fewer than 100 items; otherwise "Spazio Insufficiente !" and nothing changes.
    std::optional<std::string> Incolla();
    // "Elimina": deletes the selected items.
    void Elimina();
    std::size_t Appunti() const { return appunti_.size(); }

    // "Carica Quadro" over a frame with items asks this first.
    bool ChiedeConfermaCarica();
    // Loads a "*.QDR" into slot 13 and shows it; raises "Impossibile Caricare Il Quadro".
    void CaricaQuadro(const std::filesystem::path& path);
    // Saves the frame on show; raises "Impossibile Salvare Il Quadro".
    void SalvaQuadro(const std::filesystem::path& path);
    // "Salva" / "Carica" of "*.CND" files on the frame on show (Carica at the current position).
    void SalvaCondizioni(const std::filesystem::path& path);
    std::size_t CaricaCondizioni(const std::filesystem::path& path);

    // Every condition under slot 13 in tree order, with titles set.
    std::vector<TNodoAlbero> Albero();

private:
    TCondQuadro& Radice();
    TInsiemeCondizioni& set_;
    std::vector<std::size_t> percorso_; // item indexes from slot 13 down to the frame on show
    std::vector<std::vector<std::uint8_t>> appunti_;
};

} // namespace tessaline
