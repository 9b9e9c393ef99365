#pragma once
// The frame ("Quadro", code 13): a tree of conditions accepted by how many of its items accept a
// column. Its record, the "*.QDR" frame file and the "*.CND" condition file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "archive/frequencies.h"
#include "conditions/condition.h"

namespace tessaline {

inline constexpr int kMaxVociQuadro = 999;  // items a frame may hold
inline constexpr int kMaxVociIncolla = 100; // "Incolla" leaves fewer than this many items
inline constexpr std::size_t kNomeQuadroWidth = 256;

// How the items' answers combine when the table is derived ("Preset").
enum TRelazione : std::uint8_t {
    kRelAnd = 0, // "AND (Tutte)"
    kRelOr = 1,  // "OR (Almeno Una)"
    kRelXor = 2, // "XOR (Soltanto Una)"
    kRelNot = 3, // "NOT (Esclusione)"
};

// "AND", "OR", "XOR", "NOT".
const char* SiglaRelazione(std::uint8_t relazione);
// "AND (Tutte)", ...
const char* NomeRelazione(std::uint8_t relazione);

class TCondQuadro : public TCondizione {
public:
    explicit TCondQuadro(TInsiemeCondizioni* owner, std::string nome = "Quadro");

    // The frame's title, then each item's with the frame's title as parent and a position number.
    void ImpostaTitolo(const std::string& parent) override;
    // (Accettate, SerieAccettate) of every archived winning column of the search range.
    void StatisticaArchivio() override;
    // The same over the columns in memory.
    void StatisticaColonne() override;
    void StatisticaColonna(const Colonna& c) override;
    // Every item is evaluated; the frame accepts when its table admits (Accettate, SerieAccettate).
    // When it accepts, the errors its items added to the set's list are removed again.
    bool Verifica(const Colonna& c) override;
    // Type byte 13, then the payload (Attivato after the name and the relation).
    bool Scrivi(TByteWriter& w) const override;
    // The payload after the type byte; on failure the frame is left as it was.
    bool Leggi(TByteReader& r) override;
    void AzzeraStatistiche() override;
    // Table updated with Attivato, every item with its Attivato and-ed with the frame's;
    // Abilitata := table active and some item Abilitata and Attivato.
    bool AggiornaStato() override;
    // Its own table, then every item.
    void EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) override;

    // The frame measure: items that take part and reject reset the streak; every other item counts
    // as accepted. v = Accettate, c = SerieAccettate. With collect, each rejecting item is listed in
    // the set's errors.
    TMisura Misura(const Colonna& c, bool collect);

    std::size_t Count() const { return items_.size(); }
    TCondizione& Item(std::size_t i) { return *items_[i]; }
    const TCondizione& Item(std::size_t i) const { return *items_[i]; }
    // Appends (or inserts at position; past the count appends) while the frame holds fewer than
    // 999 items; false (item dropped) otherwise. The preset table is derived again.
    bool Aggiungi(std::unique_ptr<TCondizione> item);
    bool Inserisci(std::size_t position, std::unique_ptr<TCondizione> item);
    // Takes the item out (nullptr past the count) and derives the preset table again.
    std::unique_ptr<TCondizione> Estrai(std::size_t position);
    void Elimina(std::size_t position) { Estrai(position); }
    // No items, no comment, table derived again.
    void Svuota();

    // With Preset on, rebuilds the table from the relation and the item count: points section only,
    // link 'A', group 0, field 1..12. AND admits n, OR 1..n, XOR 1, NOT 0.
    void DerivaPreset();
    void ImpostaRelazione(std::uint8_t relazione);
    // "Preset" (on: the table is derived at once) and "Particolari" (off: the table is kept).
    void ImpostaPreset(bool on);

    // Payload without the type byte.
    static constexpr std::size_t kDimensioneFissa = kNomeQuadroWidth + 3 + (4 * kMaxVociQuadro + 28);

    TTabellaPunti Accettate;
    T_FrequenzeRitardi StatArchivio;
    T_FrequenzeRitardi StatAnalisi;
    std::vector<std::string> Commento;
    bool Preset = true;
    std::uint8_t Relazione = kRelAnd;
    std::int32_t Primo = 0; // the editor's first shown item

protected:
    void ScriviDati(TByteWriter& w) const override;
    bool LeggiDati(TByteReader& r) override;

private:
    std::vector<std::unique_ptr<TCondizione>> items_;
    bool statistica_ = false; // the measure runs for the statistics, not for a check
};

// A deep copy made through the condition's record (Selezionato and Titolo are not carried);
// nullptr when the record cannot be read back.
std::unique_ptr<TCondizione> CopiaCondizione(const TCondizione& c, TInsiemeCondizioni* owner);

// "*.QDR": one frame record. Written atomically.
bool ScriviFileQuadro(const std::filesystem::path& path, const TCondQuadro& frame);
// Reads the type byte (which must be 13) and the payload into frame; false leaves it as it was.
bool LeggiFileQuadro(const std::filesystem::path& path, TCondQuadro& frame);
// "Salva Quadro" / "Carica Quadro": raise EInOutError "Impossibile Salvare Il Quadro" /
// "Impossibile Caricare Il Quadro". Loading replaces the frame in slot 13.
void SalvaQuadro(const std::filesystem::path& path, const TCondQuadro& frame);
// Reads a "*.QDR" file into the set's frame slot (13); raises EInOutError and leaves the slot as it
// was when the file cannot be read.
void CaricaQuadro(const std::filesystem::path& path, TInsiemeCondizioni& set);

// "*.CND": the frame's items whose Selezionato is set, in frame order, as bare condition records.
std::vector<std::uint8_t> ScriviCondizioni(const TCondQuadro& frame);
// The records from the start, up to keep of them (the rest of the bytes is not read); false (nothing
// returned) at the first bad one read, or past kMaxCondizioniFile conditions nested in them.
bool LeggiCondizioni(std::span<const std::uint8_t> bytes, TInsiemeCondizioni* owner,
                     std::vector<std::unique_ptr<TCondizione>>& out, std::size_t keep = SIZE_MAX);
// "Salva": raises "Impossibile Salvare le Condizioni".
void SalvaCondizioni(const std::filesystem::path& path, const TCondQuadro& frame);
// "Carica": inserts the file's conditions one after another from position (while the frame holds
// fewer than 999 items; records past those are not read) and returns how many went in. Raises
// "Impossibile Caricare Le Condizioni" and then inserts nothing.
std::size_t CaricaCondizioni(const std::filesystem::path& path, TCondQuadro& frame, std::size_t position);

// The folder of the frame and condition dialogs, and the name proposed for a new frame.
std::filesystem::path CartellaQuadri();
// "SenzaNom.QDR" in the frames folder: the name of a frame not yet saved.
std::filesystem::path NomeQuadroNuovo();

} // namespace tessaline
