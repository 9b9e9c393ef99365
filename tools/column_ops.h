#pragma once
// Operations on column files ("Operazioni Su Files Colonnari"): union, intersection, symmetric
// difference, coverage at one or two errors, and the random reordering of one file.

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>

#include "core/column.h"

namespace tessaline {

class CancelProbe;
class TListaColonne;

enum class TOperazione { Or, And, Xor, CoperturaN1, CoperturaN2, Disordinatore };

namespace msg {
inline constexpr const char* kImpossibileOperazioniFiles = "Impossibile Effettuare le Operazioni Sui File";
inline constexpr const char* kImpossibileOperazioniFile = "Impossibile Effettuare le Operazioni sul File";
inline constexpr const char* kColonneOttenute = "Colonne Ottenute : ";
inline constexpr const char* kColonneScoperte = "Colonne Scoperte : ";
inline constexpr const char* kNessunFileCreato = "0  Nessun File Creato";
inline constexpr const char* kElaborazioneTerminata = "Elaborazione Terminata.";
inline constexpr const char* kFileOutputDefault = "FileOutput.col";
} // namespace msg

// The progress gauge of the window (0 to 100).
class TGaugeSink {
public:
    virtual ~TGaugeSink() = default;
    virtual void Gauge(int percent) = 0;
};

enum class TEsitoOperazione {
    Fatto,                // message says what came of it
    PrimoFileIlleggibile, // the first file could not be read: nothing happened
    Interrotto            // stopped with "Interrompi": nothing written
};

struct TRisultatoOperazione {
    TEsitoOperazione esito = TEsitoOperazione::Fatto;
    std::int64_t colonne = 0; // columns obtained, or uncovered
    bool fileScritto = false;
    std::string messaggio;
};

// Labels of the two file fields for an operation ("Primo file", "File del ridotto", ...); the
// second is empty for the reordering, whose second file is hidden.
const char* EtichettaPrimoFile(TOperazione op);
const char* EtichettaSecondoFile(TOperazione op);

// The four set operations and the coverage checks ("Esegui"). Names without a folder are taken in
// the column folder. A failure reading the second file or writing the result raises EInOutError
// "Impossibile Effettuare le Operazioni Sui File".
TRisultatoOperazione EseguiOperazione(TOperazione op, const std::string& source1, const std::string& source2,
                                      const std::string& dest, CancelProbe* cancel = nullptr,
                                      TGaugeSink* gauge = nullptr);

// The same on lists already in memory: first is changed in place for Or and Xor; the result (first
// list for Or and Xor, the found or uncovered columns otherwise) is returned. Stops when the probe
// has a pending press (stopped is then true).
TListaColonne CombinaListe(TOperazione op, TListaColonne& first, const Colonna* second, std::size_t count,
                           CancelProbe* cancel, bool& stopped);

// " Disordinatore": a random order of the file's columns written to dest. Raises EInOutError
// "Impossibile Effettuare le Operazioni sul File" on any failure. Returns the columns written, or
// -1 when a pending press on cancel (may be null) stopped it before dest was replaced.
std::int64_t Disordina(const std::string& source, const std::string& dest, std::uint64_t seed,
                       TGaugeSink* gauge = nullptr, CancelProbe* cancel = nullptr);
// The reordering itself: column k is inserted at a drawn index r in 0..k (appended when r = k),
// then the column at index 0 moves to the index drawn last. Exact, in O(n log n).
void DisordinaLista(TListaColonne& list, std::mt19937_64& rng);
// A draw uniform in 0..n (rejection sampling, no modulo bias).
std::uint64_t Estrai(std::mt19937_64& rng, std::uint64_t n);
// The seed from the clock.
std::uint64_t SemeDalOrologio();

} // namespace tessaline
