#include "update/update.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <system_error>

#include "core/paths.h"
#include "system/team_lists.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string_view line) {
    std::string out(line);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The line minus the key's length, without trailing blanks (lines may end in CR LF).
std::string Value(const std::string& line, std::size_t keyLength) {
    std::string v = line.size() > keyLength ? line.substr(keyLength) : std::string();
    while (!v.empty() && std::isspace(static_cast<unsigned char>(v.back()))) {
        v.pop_back();
    }
    return v;
}

void Remove(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

bool Rename(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

std::string Folder(const std::string& dir) {
    std::string f = dir;
    while (!f.empty() && f.front() == '/') {
        f.erase(0, 1);
    }
    return f;
}

} // namespace

const char* TitoloAggiornamento(TTipoAggiornamento tipo) {
    switch (tipo) {
    case TTipoAggiornamento::Archivi:
        return "Aggiornamento degli Archivi";
    case TTipoAggiornamento::Squadre:
        return "Aggiornamento delle Squadre";
    case TTipoAggiornamento::Schedina:
        return "Aggiornamento della Schedina";
    case TTipoAggiornamento::Programma:
        return "Aggiornamento di Tessaline";
    }
    return "";
}

bool LeggiParametri(std::string_view text, char versionChar, TInternet& out) {
    TInternet p;
    const std::string header = std::string("tessaline ") + versionChar;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string line = Lower(text.substr(pos, end - pos));
        pos = end + 1;
        if (!inSection) {
            inSection = line.find(header) != std::string::npos;
            continue;
        }
        if (line.find("hostname=") != std::string::npos) {
            p.hostName = Value(line, 9);
        } else if (line.find("archividir=") != std::string::npos) {
            p.archiviDir = Value(line, 11);
        } else if (line.find("schedinadir=") != std::string::npos) {
            p.schedinaDir = Value(line, 12);
        } else if (line.find("exedir=") != std::string::npos) {
            p.exeDir = Value(line, 7);
        }
        if (!p.hostName.empty() && !p.archiviDir.empty() && !p.schedinaDir.empty() && !p.exeDir.empty()) {
            out = p;
            return true;
        }
    }
    return false;
}

int PercentualeGauge(std::int64_t received, std::int64_t total) {
    if (total <= 0 || received <= 0) {
        return 0;
    }
    const double percent = 100.0 / (static_cast<double>(total) / static_cast<double>(received));
    return std::clamp(static_cast<int>(percent), 0, 100);
}

TFtpProgresso TAggiornamento::Progresso() {
    lastReceived_ = -1;
    lastPacket_ = std::chrono::steady_clock::now();
    return [this](std::int64_t received, std::int64_t total) {
        const auto now = std::chrono::steady_clock::now();
        if (received != lastReceived_) {
            lastReceived_ = received;
            lastPacket_ = now;
            const int g = PercentualeGauge(received, total);
            if (g != gauge_) {
                gauge_ = g;
                view_.Gauge(g);
            }
        }
        if (annulla_.Peek()) {
            return false;
        }
        if (now - lastPacket_ >= watchdog_) {
            watchdogFired_ = true;
            return false;
        }
        return true;
    };
}

void TAggiornamento::Fallito(TEsitoAggiornamento& esito, const char* message) const {
    esito.riuscito = false;
    if (annulla_.Peek() && !watchdogFired_) {
        esito.annullato = true;
        esito.messaggio.clear();
    } else {
        esito.messaggio = watchdogFired_ ? msg::kTrasferimento : message;
    }
}

bool TAggiornamento::Scarica(const std::string& remote, const fs::path& local) {
    return ftp_.Scarica(remote, local, Progresso());
}

bool TAggiornamento::AcquisisceParametri(const std::string& host, TInternet& out,
                                         TEsitoAggiornamento& esito) {
    if (!ftp_.Connetti(host, Progresso())) {
        Fallito(esito, msg::kCollegamento);
        return false;
    }
    std::error_code ec;
    fs::create_directories(ProgramDir(), ec);
    const fs::path local = ProgramDir() / kParametriFile;
    const bool scaricato = Scarica(kParametriFile, local);
    ftp_.Disconnetti();
    if (!scaricato) {
        Remove(local);
        Fallito(esito, msg::kParametriCollegamento);
        return false;
    }
    std::string text;
    {
        std::error_code sizeError;
        const auto size = fs::file_size(local, sizeError);
        if (!sizeError && size <= (1u << 20)) {
            std::FILE* f = std::fopen(local.string().c_str(), "rb");
            if (f != nullptr) {
                text.resize(size);
                text.resize(std::fread(text.data(), 1, size, f));
                std::fclose(f);
            }
        }
    }
    Remove(local);
    if (!LeggiParametri(text, versione_, out)) {
        Fallito(esito, msg::kParametriCollegamento);
        return false;
    }
    return true;
}

TEsitoAggiornamento TAggiornamento::Aggiorna(TTipoAggiornamento tipo, const std::string& updateHost) {
    TEsitoAggiornamento esito;
    watchdogFired_ = false;
    gauge_ = -1;
    if (tipo == TTipoAggiornamento::Programma && (eseguibile_.empty() || pacchetto_ == nullptr)) {
        esito.messaggio = msg::kGestorePacchetti;
        return esito;
    }
    TInternet p;
    if (!AcquisisceParametri(updateHost, p, esito)) {
        return esito;
    }
    if (!ftp_.Connetti(p.hostName, Progresso())) {
        Fallito(esito, msg::kCollegamento);
        return esito;
    }
    const std::string& dir = tipo == TTipoAggiornamento::Schedina    ? p.schedinaDir
                             : tipo == TTipoAggiornamento::Programma ? p.exeDir
                                                                     : p.archiviDir;
    if (!ftp_.CambiaCartella(Folder(dir), Progresso())) {
        ftp_.Disconnetti();
        Fallito(esito, msg::kTrasferimento);
        return esito;
    }
    bool ok = false;
    switch (tipo) {
    case TTipoAggiornamento::Archivi:
        ok = Archivi(esito);
        break;
    case TTipoAggiornamento::Squadre:
        ok = Squadre(esito);
        break;
    case TTipoAggiornamento::Schedina:
        ok = Schedina(esito);
        break;
    case TTipoAggiornamento::Programma:
        ok = Programma(esito);
        break;
    }
    ftp_.Disconnetti();
    esito.riuscito = ok;
    if (!ok && esito.messaggio.empty() && !esito.annullato) {
        Fallito(esito, msg::kTrasferimento);
    }
    return esito;
}

bool TAggiornamento::Archivi(TEsitoAggiornamento& esito) {
    view_.Passo(1, 1);
    gauge_ = 0;
    const fs::path target = FolderPath(TFolder::Archivi) / "archivio.tts";
    const fs::path temp = FolderPath(TFolder::Archivi) / "archivio.tmp";
    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    // An empty download would leave an archive that cannot be loaded: refused like a failed one.
    if (!Scarica("archivio.tts", temp) || fs::file_size(temp, ec) == 0 || ec || !Rename(temp, target)) {
        Remove(temp);
        Fallito(esito, msg::kTrasferimento);
        return false;
    }
    esito.aggiornati.push_back(target);
    esito.messaggio = msg::kArchiviAggiornati;
    return true;
}

bool TAggiornamento::Squadre(TEsitoAggiornamento& esito) {
    static constexpr std::array<const char*, kLeghe> kRemote = {"squadra.txt", "squadrb.txt", "squadrc1.txt",
                                                                "squadrc2.txt"};
    static constexpr std::array<const char*, kLeghe> kTemp = {"squadra.tmp", "squadrb.tmp", "squadrc1.tmp",
                                                              "squadrc2.tmp"};
    std::array<fs::path, kLeghe> temps;
    for (int i = 0; i < kLeghe; ++i) {
        temps[static_cast<std::size_t>(i)] = ProgramDir() / kTemp[static_cast<std::size_t>(i)];
    }
    const auto cleanup = [&temps] {
        for (const fs::path& t : temps) {
            Remove(t);
        }
    };
    for (int i = 0; i < kLeghe; ++i) {
        view_.Passo(i + 1, kLeghe);
        gauge_ = 0;
        if (!Scarica(kRemote[static_cast<std::size_t>(i)], temps[static_cast<std::size_t>(i)])) {
            cleanup();
            Fallito(esito, msg::kTrasferimento);
            return false;
        }
    }
    // All four arrived: each rename replaces one list whole.
    for (int i = 0; i < kLeghe; ++i) {
        const fs::path target = FileLega(kTutteLeLeghe[static_cast<std::size_t>(i)]);
        if (!Rename(temps[static_cast<std::size_t>(i)], target)) {
            cleanup();
            Fallito(esito, msg::kTrasferimento);
            return false;
        }
        esito.aggiornati.push_back(target);
    }
    cleanup();
    esito.messaggio = msg::kSquadreAggiornate;
    return true;
}

bool TAggiornamento::Schedina(TEsitoAggiornamento& esito) {
    view_.Passo(1, 1);
    gauge_ = 0;
    const fs::path folder = FolderPath(TFolder::Schedine);
    const fs::path target = folder / kSchedinaScaricata;
    const fs::path temp = folder / "_tessaline.tmp";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!Scarica(kSchedinaScaricata, temp) || !Rename(temp, target)) {
        Remove(temp);
        Fallito(esito, msg::kTrasferimento);
        return false;
    }
    esito.aggiornati.push_back(target);
    return true;
}

bool TAggiornamento::Programma(TEsitoAggiornamento& esito) {
    view_.Passo(1, 1);
    gauge_ = 0;
    const fs::path archive = ProgramDir() / kPacchettoProgramma;
    const fs::path signature = ProgramDir() / kFirmaPacchetto;
    const fs::path fresh = eseguibile_.parent_path() / (eseguibile_.filename().string() + ".nuovo");
    const auto cleanup = [&] {
        Remove(archive);
        Remove(signature);
        Remove(fresh);
    };
    if (!Scarica(kPacchettoProgramma, archive) || !Scarica(kFirmaPacchetto, signature)) {
        cleanup();
        Fallito(esito, msg::kTrasferimento);
        return false;
    }
    ftp_.Disconnetti();
    if (!pacchetto_->VerificaFirma(archive, signature)) {
        cleanup();
        esito.messaggio = msg::kFirmaNonValida;
        return false;
    }
    std::error_code ec;
    if (!pacchetto_->Estrai(archive, kVoceEseguibile, fresh)) {
        cleanup();
        Fallito(esito, msg::kTrasferimento);
        return false;
    }
    fs::permissions(fresh,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    ec);
    // The running program keeps its open copy; the next start runs the new one.
    if (ec || !Rename(fresh, eseguibile_)) {
        cleanup();
        Fallito(esito, msg::kTrasferimento);
        return false;
    }
    cleanup();
    esito.aggiornati.push_back(eseguibile_);
    esito.messaggio = msg::kProgrammaAggiornato;
    return true;
}

} // namespace tessaline
