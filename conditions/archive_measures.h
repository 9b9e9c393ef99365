#pragma once
// The measure columns of the archive view and printout: what the condition kinds measure on each
// archived winning column, computed by private instances of those kinds (the system's own conditions
// are never touched), with the group titles and headings the view and the printout show.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "archive/contest_archive.h"

namespace tessaline {

class TCondNumeroSegni;
class TCondInterruzioni;
class TCondPariDispari;
class TCondSimmetrie;
class TCondVortice;
class TCondRipetizioni;
class TCondPuntiSquadra;
class TCondSequela;

// A heading that stands over several columns of a group.
struct TSottotitolo {
    std::string Testo;
    int Colonne = 1;
};

// One group of measure columns, switched on and off by its check box in the view.
struct TGruppoMisure {
    std::string NomeCasella;               // the check box's name ("CheckNDS")
    std::string Casella;                   // its caption ("Numero Di Segni")
    bool Predefinito = true;               // checked when the view opens
    std::string Titolo;                    // the title over the group ("Numero Di Segni")
    std::vector<TSottotitolo> Sottotitoli; // empty when the columns stand under the title alone
    std::vector<std::string> Intestazioni; // one per column
};

enum TGruppoArchivio : std::size_t {
    kGruppoNumeroSegni,
    kGruppoInterruzioni,
    kGruppoPariDispari,
    kGruppoSimmetrie,
    kGruppoVortici,
    kGruppoRipetizioni,
    kGruppoGolSquadra,
    kGruppoAccoppiate,
    kGruppoTerzine,
    kGruppoQuartine,
    kNumGruppiArchivio
};

class TMisureArchivio {
public:
    // Creates the private condition instances (default tables, fields 1..12, all teams for the goals).
    TMisureArchivio();
    ~TMisureArchivio();
    TMisureArchivio(const TMisureArchivio&) = delete;
    TMisureArchivio& operator=(const TMisureArchivio&) = delete;

    // The ten groups in the view's order.
    static const std::vector<TGruppoMisure>& Gruppi();

    // The texts of group g for the contest at index i of the list: one per heading. Every text is
    // empty for an incomplete contest, and the repetitions are empty for the first two contests
    // (they compare a contest with the two before it in the list).
    std::vector<std::string> Celle(const std::vector<T_Concorso>& lista, std::size_t i, std::size_t g) const;

private:
    std::unique_ptr<TCondNumeroSegni> segni_;
    std::unique_ptr<TCondInterruzioni> interruzioni_;
    std::unique_ptr<TCondPariDispari> pariDispari_;
    std::unique_ptr<TCondSimmetrie> simmetrie_;
    std::unique_ptr<TCondVortice> vortice_;
    std::unique_ptr<TCondRipetizioni> ripetizioni_;
    std::unique_ptr<TCondPuntiSquadra> golSquadra_;
    // Per sequence group (length 2, 3, 4): one item per sub-heading, with whether it shows its streak.
    std::vector<std::vector<std::pair<std::unique_ptr<TCondSequela>, bool>>> sequele_;
};

} // namespace tessaline
