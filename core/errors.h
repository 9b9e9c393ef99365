#pragma once
// The input/output error that carries one of the program's fixed Italian messages, and the messages.

#include <stdexcept>
#include <string>

namespace tessaline {

class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message) : std::runtime_error(message) {}
};

namespace msg {
inline constexpr const char* kInformazione = "Informazione";
inline constexpr const char* kConferma = "Conferma";
inline constexpr const char* kMemoriaEsaurita = "Memoria Esaurita.";
inline constexpr const char* kRisorseEsaurite = "Risorse Esaurite";
inline constexpr const char* kErroreLetturaColonne =
    "Errore Di Lettura Sul File. Impossibile Leggere le Colonne.";
inline constexpr const char* kErroreScritturaColonnare = "Errore Durante la Scrittura del File Colonnare";
inline constexpr const char* kErroreScritturaTesto = "Errore Durante la Scrittura del file di testo";
inline constexpr const char* kErroreLetturaTesto = "Errore durante la lettura del file di testo";
inline constexpr const char* kErroreLetturaTestoInatteso = "Errore Durante la lettura del file di testo";
inline constexpr const char* kImpossibileCaricareFileColonnare = "Impossibile Caricare Il File Colonnare";
inline constexpr const char* kImpossibileCaricareFileCombinazioni =
    "Impossibile Caricare il File di Combinazioni";
inline constexpr const char* kImpossibileSalvareFileColonne = "Impossibile Salvare il file di Colonne";
inline constexpr const char* kImpossibileCaricareSistema = "Impossibile Caricare Il Sistema";
inline constexpr const char* kImpossibileCaricareFile = "Impossibile caricare il file";
inline constexpr const char* kImpossibileSalvareConfigurazione = "Impossibile Salvare La Configurazione";
inline constexpr const char* kFileEsiste = "Il file esiste già. Vuoi sovrascriverlo ? ";
inline constexpr const char* kFileGiaPresente = "Il File è Gia Presente su Disco. Vuoi Sovrascriverlo";
inline constexpr const char* kRiduzioneLenta =
    "La riduzione ottimizzata è estremamente lenta ed andrebbe  utilizzata "
    "solo per piccoli sistemi. Continuare ? ";
} // namespace msg

} // namespace tessaline
