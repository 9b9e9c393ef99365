#include "core/sistema.h"

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

void T_Sistema::NewSystem() {
    fileName = FolderPath(TFolder::Sistemi) / "SENZANOME.SVS";
    untitled = true;
    modified = false;
    dati.teamNames = {};
    dati.Forecast = {};
    dati.TeamValues = {};
    dati.TeamPercentages = {};
    dati.ContestNumber = 1;
    dati.columnsValid = 0;
    Colonne.Clear();
    dati.sviluppo = TImpostazioniSviluppo::Defaults();
    comment.clear();
    participants.clear();
    ParticipantCount = 1;
}

} // namespace tessaline
