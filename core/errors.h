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
inline constexpr const char* kImpossibileCaricareArchivio = "Impossibile Caricare L'Archivio.";
inline constexpr const char* kImpossibileSalvareModifiche = "Impossibile Salvare Le Modifiche.";
inline constexpr const char* kConcorsoGiaInMemoria = "Il Concorso è già in memoria. Devo Sostituirlo ?";
// The system document, coupons, team lists and participants.
inline constexpr const char* kImpossibileSalvareSistema = "Impossibile Salvare Il Sistema";
inline constexpr const char* kImpossibileCancellareSistema = "Impossibile Cancellare Il Sistema";
inline constexpr const char* kVuoiCancellare = "Vuoi Cancellare ";
inline constexpr const char* kFileEsisteGia = "Il file esiste gia. Vuoi sovrascriverlo ? ";
inline constexpr const char* kImpossibileCaricareSchedina = "Impossibile Caricare la Schedina";
inline constexpr const char* kImpossibileSalvareSchedina = "Impossibile Salvare la Schedina";
inline constexpr const char* kMemoriaListeSquadre =
    "Memoria Insufficiente per Caricare le Liste delle Squadre";
inline constexpr const char* kNomeSquadraNonValido = "Il Nome della Squadra non è Valido ! ";
inline constexpr const char* kNomiSociNonCorrispondono =
    "Il numero dei nomi dei soci non corrisponde a quello specificato";
// Frames, condition files and the link.
inline constexpr const char* kImpossibileCaricareQuadro = "Impossibile Caricare Il Quadro";
inline constexpr const char* kImpossibileSalvareQuadro = "Impossibile Salvare Il Quadro";
inline constexpr const char* kImpossibileSalvareCondizioni = "Impossibile Salvare le Condizioni";
inline constexpr const char* kImpossibileCaricareCondizioni = "Impossibile Caricare Le Condizioni";
inline constexpr const char* kSpazioInsufficiente = "Spazio Insufficiente !";
inline constexpr const char* kEliminaContenutoQuadro =
    "Questa Operazione Eliminerà Il Contenuto Attuale Del quadro. Confermi ? ";
inline constexpr const char* kErroriLinkTroppoAlto = "Il Numero Degli Errori Nella Link è Troppo Alto !";
inline constexpr const char* kErroriTotaliTroppoAlto = "Il Numero Degli Errori Totali è Troppo Alto !";
inline constexpr const char* kColonnaPrototipoMancante = "Impossibile Trovare la Colonna Prototipo.";
inline constexpr const char* kDoppieTripleNonCoincidono =
    "Il Numero di Doppie e Triple Selezionate non Coincidono con quelle Della Colonna Prototipo.";
inline constexpr const char* kRiduzioneLenta =
    "La riduzione ottimizzata è estremamente lenta ed andrebbe  utilizzata "
    "solo per piccoli sistemi. Continuare ? ";
} // namespace msg

} // namespace tessaline
