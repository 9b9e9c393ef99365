// update archive | teams | coupon: the Internet update without windows.

#include <filesystem>
#include <fmt/format.h>
#include <string>

#include "cli/commands.h"
#include "core/errors.h"
#include "core/paths.h"
#include "system/config_file.h"
#include "update/net/ftp_curl.h"
#include "update/update.h"

namespace tessaline::cli {

namespace {

namespace fs = std::filesystem;

class TSilentView final : public TUpdateView {
public:
    void Passo(int, int) override {}
    void Gauge(int) override {}
};

std::string Relative(const fs::path& p) {
    std::error_code ec;
    const fs::path r = fs::relative(p, ProgramDir(), ec);
    return ec || r.empty() ? p.generic_string() : r.generic_string();
}

} // namespace

int RunUpdate(TArgs& args) {
    const std::optional<std::string> server = args.Option("--server");
    const std::vector<std::string> rest = args.Positionals();
    if (rest.size() != 1) {
        throw EUsage("indicare il tipo di aggiornamento: archive, teams o coupon");
    }
    TTipoAggiornamento tipo{};
    if (rest[0] == "archive") {
        tipo = TTipoAggiornamento::Archivi;
    } else if (rest[0] == "teams") {
        tipo = TTipoAggiornamento::Squadre;
    } else if (rest[0] == "coupon") {
        tipo = TTipoAggiornamento::Schedina;
    } else {
        throw EUsage("tipo di aggiornamento sconosciuto: " + rest[0]);
    }
    std::string host;
    if (server) {
        host = HostDaUrl(*server);
        if (host.empty()) {
            throw EUsage("--server vuole ftp://HOST[:PORTA]/");
        }
    } else {
        TProgramSettings settings = DefaultSettings();
        ReadConfigFile(ProgramDir() / kConfigFileName, settings);
        host = settings.updateHost;
    }
    TFtpCurl ftp;
    TSilentView view;
    TAggiornamento update(ftp, view, Interrupt());
    update.SetVersione(VersionText().front());
    const TEsitoAggiornamento esito = update.Aggiorna(tipo, host);
    CheckInterrupted();
    if (!esito.riuscito) {
        throw EInOutError(esito.messaggio);
    }
    std::string message = esito.messaggio;
    if (tipo == TTipoAggiornamento::Schedina) {
        message = fmt::format("Schedina scaricata in {}", Relative(esito.aggiornati.front()));
    }
    TJson json;
    json.BeginObject().Key("updated").BeginArray();
    std::string summary;
    for (const fs::path& p : esito.aggiornati) {
        json.String(Relative(p));
    }
    json.EndArray().Key("message").String(message).EndObject();
    Emit(args, json, message + "\n");
    return kExitOk;
}

} // namespace tessaline::cli
