#pragma once
// The Internet update: the parameter file "dwninfo.txt", the steps of each kind (archive, team
// lists, coupon, program), the gauge and the watchdog, over an FTP client and a program-package
// checker supplied by the caller. Runs on any thread; reports through TUpdateView.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/interfaces.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kParametriCollegamento = "Impossibile reperire i parametri di collegamento.";
inline constexpr const char* kCollegamento =
    "Impossibile effettuare il collegamento. Verificare che la connessione ad internet sia attiva.";
inline constexpr const char* kTrasferimento = "Errore durante il tranferimento dei files";
inline constexpr const char* kArchiviAggiornati = "Aggiornamento degli archivi completato con successo";
inline constexpr const char* kSquadreAggiornate = "Aggiornamento delle squadre completato con successo";
inline constexpr const char* kProgrammaAggiornato =
    "Aggiornamento di Tessaline completato: il programma verrà riavviato.";
inline constexpr const char* kFirmaNonValida =
    "L'aggiornamento di Tessaline non porta una firma valida: non è stato installato nulla.";
inline constexpr const char* kGestorePacchetti =
    "Tessaline è installato dal gestore dei pacchetti del sistema: aggiornalo con il gestore dei pacchetti.";
} // namespace msg

// The four kinds, numbered as the menu commands set them.
enum class TTipoAggiornamento { Archivi = 1, Squadre = 2, Schedina = 3, Programma = 4 };

// The window caption of a kind ("Aggiornamento degli Archivi", ...).
const char* TitoloAggiornamento(TTipoAggiornamento tipo);

// Connection parameters read from "dwninfo.txt" (values lower-cased).
struct TInternet {
    std::string hostName;
    std::string archiviDir;
    std::string schedinaDir;
    std::string exeDir;
    bool operator==(const TInternet&) const = default;
};

// Reads the parameter file: lines are lower-cased; the section starts at the first line holding
// "tessaline " + versionChar; then "hostname=", "archividir=", "schedinadir=", "exedir=" lines give
// the values (the line minus the key's length, trailing blanks and CR dropped). True as soon as all
// four are non-empty; false at the end of the text otherwise.
bool LeggiParametri(std::string_view text, char versionChar, TInternet& out);

// The gauge: 0 when total is 0 (or nothing arrived), else trunc(100 / (total / received)), within
// 0..100.
int PercentualeGauge(std::int64_t received, std::int64_t total);

// Called while a transfer runs with the bytes received and the total (0 when unknown); returning
// false aborts the transfer.
using TFtpProgresso = std::function<bool(std::int64_t received, std::int64_t total)>;

// An FTP session: anonymous login, binary transfers. Every call that talks to the server reports
// through the progress function and stops when it returns false. Interrompi may be called from any
// thread and makes the running and later calls fail until the next Connetti.
class TFtpClient {
public:
    virtual ~TFtpClient() = default;
    // host is "HOST" or "HOST:PORT". False when the server cannot be reached or refuses the login.
    virtual bool Connetti(const std::string& host, const TFtpProgresso& progresso) = 0;
    // Changes to a folder below the login folder; false when it does not exist.
    virtual bool CambiaCartella(const std::string& folder, const TFtpProgresso& progresso) = 0;
    // Downloads a file of the current folder to local (created anew). False on any failure, with
    // nothing left at local.
    virtual bool Scarica(const std::string& remote, const std::filesystem::path& local,
                         const TFtpProgresso& progresso) = 0;
    virtual void Interrompi() = 0;
    virtual void Disconnetti() = 0;
};

// Checks and unpacks the program package of kind 4.
class TPacchettoProgramma {
public:
    virtual ~TPacchettoProgramma() = default;
    // True when signature (the file's bytes) is a valid detached signature of archive's bytes.
    virtual bool VerificaFirma(const std::filesystem::path& archive,
                               const std::filesystem::path& signature) = 0;
    // Writes the archive's entry (a regular file) to out; false (out removed) when the archive cannot
    // be read or holds no such entry.
    virtual bool Estrai(const std::filesystem::path& archive, const std::string& entry,
                        const std::filesystem::path& out) = 0;
};

// What the update shows while it runs (called on the updating thread).
class TUpdateView {
public:
    virtual ~TUpdateView() = default;
    // "Passo i di n", gauge back to 0.
    virtual void Passo(int i, int n) = 0;
    // The gauge changed.
    virtual void Gauge(int percent) = 0;
};

struct TEsitoAggiornamento {
    bool riuscito = false;
    bool annullato = false;                        // "Annulla": nothing to show
    std::string messaggio;                         // to show (empty: nothing)
    std::vector<std::filesystem::path> aggiornati; // files written, in the data folder
};

// One update run; annulla is looked at (Peek) while transfers run, from the updating thread.
// The data folder is the current ProgramDir. After any failure the data folder is
// as it was before; files are replaced only by renames of complete downloads.
class TAggiornamento {
public:
    TAggiornamento(TFtpClient& ftp, TUpdateView& view, CancelProbe& annulla)
        : ftp_(ftp), view_(view), annulla_(annulla) {}

    // Longest wait without any byte arriving before the transfer is aborted (100 s).
    void SetWatchdog(std::chrono::milliseconds period) { watchdog_ = period; }
    // The running program's executable when it may be replaced (a portable installation writable
    // by the user), empty otherwise; and the checker of the program package. Both for kind 4.
    void SetProgramma(std::filesystem::path executable, TPacchettoProgramma* pacchetto) {
        eseguibile_ = std::move(executable);
        pacchetto_ = pacchetto;
    }
    // The section of "dwninfo.txt" to read: the first character of the version text ("2").
    void SetVersione(char versionChar) { versione_ = versionChar; }

    // Runs the kind against the update host ("HOST[:PORT]"). For the coupon the downloaded file is
    // left as "Schedine/_tessaline.xsc" for the caller to load.
    TEsitoAggiornamento Aggiorna(TTipoAggiornamento tipo, const std::string& updateHost);

    // Whether the watchdog stopped the last run.
    bool WatchdogScattato() const { return watchdogFired_; }

private:
    bool AcquisisceParametri(const std::string& host, TInternet& out, TEsitoAggiornamento& esito);
    bool Scarica(const std::string& remote, const std::filesystem::path& local);
    TFtpProgresso Progresso();
    void Fallito(TEsitoAggiornamento& esito, const char* message) const;
    bool Archivi(TEsitoAggiornamento& esito);
    bool Squadre(TEsitoAggiornamento& esito);
    bool Schedina(TEsitoAggiornamento& esito);
    bool Programma(TEsitoAggiornamento& esito);

    TFtpClient& ftp_;
    TUpdateView& view_;
    CancelProbe& annulla_;
    std::chrono::milliseconds watchdog_{100000};
    std::filesystem::path eseguibile_;
    TPacchettoProgramma* pacchetto_ = nullptr;
    char versione_ = '2';
    bool watchdogFired_ = false;
    int gauge_ = -1;
    std::int64_t lastReceived_ = -1;
    std::chrono::steady_clock::time_point lastPacket_;
};

// The data files of each kind (for the update's temporary and final names).
inline constexpr const char* kParametriFile = "dwninfo.txt";
inline constexpr const char* kSchedinaScaricata = "_tessaline.xsc";
inline constexpr const char* kPacchettoProgramma = "tessaline2.arc";
inline constexpr const char* kFirmaPacchetto = "tessaline2.arc.sig";
inline constexpr const char* kVoceEseguibile = "tessaline";

} // namespace tessaline
