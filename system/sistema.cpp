#include "system/sistema.h"

#include "conditions/condition_set.h"
#include "core/paths.h"

namespace tessaline {

std::string DefaultSourceFile() {
    return (FolderPath(TFolder::Colonne) / "DefSorg.Col").string();
}

std::string DefaultDestinationFile() {
    return (FolderPath(TFolder::Colonne) / "DefDest.Col").string();
}

TImpostazioniSviluppo TImpostazioniSviluppo::Defaults() {
    TImpostazioniSviluppo s;
    s.DestinationFile = DefaultDestinationFile();
    return s;
}

T_Sistema::T_Sistema() {
    dati.SourceFile = DefaultSourceFile();
    NewSystem();
}

T_Sistema::~T_Sistema() = default;

std::unique_ptr<TInsiemeCondizioni> T_Sistema::NuovoInsieme() const {
    auto fresh = std::make_unique<TInsiemeCondizioni>();
    if (insieme_ != nullptr) {
        fresh->Collega(insieme_->Archivio(), insieme_->RicercaCollegata(), insieme_->ColonneInMemoria());
    } else {
        fresh->Collega(nullptr, nullptr, &Colonne);
    }
    fresh->CollegaSchedina(&dati.TeamValues, &dati.TeamPercentages);
    return fresh;
}

void T_Sistema::NewSystem() {
    fileName = FolderPath(TFolder::Sistemi) / "SENZANOME.SVS";
    untitled = true;
    modified = false;
    dati.teamNames = {};
    dati.Forecast = {};
    dati.TeamValues = {};
    dati.TeamPercentages = {};
    dati.reserved = {};
    dati.ContestNumber = 1;
    dati.columnsValid = 0;
    Colonne.Clear();
    auto fresh = NuovoInsieme();
    insieme_ = std::move(fresh);
    Condizioni = insieme_.get();
    dati.sviluppo = TImpostazioniSviluppo::Defaults();
    comment.clear();
    participants.clear();
    ParticipantCount = 1;
}

} // namespace tessaline
