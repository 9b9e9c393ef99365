// guarantee, scrutiny, ops, shuffle, order.

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fmt/format.h>
#include <memory>

#include "cli/cli_system.h"
#include "cli/commands.h"
#include "core/column_list.h"
#include "core/cost.h"
#include "core/errors.h"
#include "core/paths.h"
#include "reduce/guarantee.h"
#include "scrutiny/scrutiny.h"
#include "scrutiny/scrutiny_conditions.h"
#include "system/config_file.h"
#include "system/settings.h"
#include "system/sistema.h"
#include "system/system_file.h"
#include "tools/column_ops.h"
#include "tools/ordering.h"

namespace tessaline::cli {

namespace {

namespace fs = std::filesystem;

// Command-line paths are relative to the current directory, never to the column folder.
std::string CliPath(const std::string& given) {
    return fs::absolute(fs::path(given)).string();
}

std::string OneInput(TArgs& args, const char* what) {
    const auto rest = args.Positionals();
    if (rest.size() != 1) {
        throw EUsage(fmt::format("serve esattamente un {}", what));
    }
    return rest[0];
}

void TableSummary(std::string& out, const TTabellaGaranzie& table) {
    for (const auto& row : table.righe) {
        out += fmt::format("{:<10}{:<10}{:<10}{}\n", row[0], row[1], row[2], row[3]);
    }
}

} // namespace

int RunGuarantee(TArgs& args) {
    const std::string examined = args.RequiredOption("--examined");
    const auto system = args.Option("--system");
    const auto compare = args.Option("--compare");
    const auto errors = args.Option("--errors");
    const bool conditions = args.Flag("--conditions");
    if (!args.Positionals().empty()) {
        throw EUsage("argomenti in più");
    }
    if (system.has_value() == compare.has_value()) {
        throw EUsage("serve --system oppure --compare");
    }
    if (compare && (errors || conditions)) {
        throw EUsage("--errors e --conditions valgono solo con --system");
    }
    TParametriGaranzie params;
    params.fileEsaminate = CliPath(examined);
    T_Sistema sys;
    if (system) {
        // The error modes and "Applica le Condizioni" follow the dialog's rules.
        bool modes[3] = {errors ? false : true, false, false};
        if (errors) {
            std::size_t start = 0;
            while (start <= errors->size()) {
                const std::size_t comma = std::min(errors->find(',', start), errors->size());
                modes[ParseInt(errors->substr(start, comma - start), 0, 2, "--errors")] = true;
                start = comma + 1;
            }
        }
        if (conditions && (modes[1] || modes[2])) {
            throw EUsage("--conditions vale solo senza errori sul pronostico");
        }
        LoadSystemFile(sys, *system);
        if (!PronosticoUsabile(sys)) {
            throw EInOutError("Il pronostico del sistema non genera colonne.");
        }
        ConfrontoDalPronostico(params, sys);
        params.zeroErrori = modes[0];
        params.unErrore = modes[1];
        params.dueErrori = modes[2];
        params.condizioni = conditions ? sys.Condizioni : nullptr;
    } else {
        params.confrontoDaFile = true;
        params.fileConfronto = CliPath(*compare);
    }
    TRisultatiGaranzie results;
    const TEsitoGaranzie outcome = Calcola(params, results, &Interrupt());
    CheckInterrupted();
    if (outcome == TEsitoGaranzie::ErroreFile) {
        throw EInOutError(msg::kImpossibileCaricareFile);
    }
    if (outcome == TEsitoGaranzie::Annullato) {
        throw EInterrupted();
    }
    TJson json;
    json.BeginObject().Key("modes").BeginObject();
    std::string summary;
    for (int mode : kModiGaranzia) {
        if (!results.Calcolata(mode)) {
            continue;
        }
        json.Key(std::to_string(mode)).BeginObject();
        json.Key("considered").Int(results.Considerate(mode));
        json.Key("patterns").BeginArray();
        for (const T_Vincita& v : results.Lista(mode)) {
            json.BeginObject()
                .Key("p6")
                .Int(v.n6)
                .Key("p5")
                .Int(v.n5)
                .Key("p4")
                .Int(v.n4)
                .Key("percent")
                .Number(v.frequenza * 100.0)
                .EndObject();
        }
        json.EndArray();
        const TTabellaGaranzie table = Aggiorna(results.Lista(mode), '.');
        json.Key("rows").BeginArray();
        for (const auto& row : table.righe) {
            json.BeginArray();
            for (const auto& cell : row) {
                json.String(cell);
            }
            json.EndArray();
        }
        json.EndArray().EndObject();
        summary += fmt::format("Garanzie ({} errori sul pronostico): {} colonne vincenti considerate\n",
                               6 - mode, FormatCount(results.Considerate(mode)));
        TableSummary(summary, Aggiorna(results.Lista(mode), ','));
    }
    json.EndObject().EndObject();
    Emit(args, json, summary);
    return kExitOk;
}

int RunScrutiny(TArgs& args) {
    const std::string winningText = args.RequiredOption("--winning");
    const auto system = args.Option("--system");
    Colonna winning;
    if (!ParseColonnaVincente(winningText, winning)) {
        throw EUsage(fmt::format("colonna vincente non valida: {}", winningText));
    }
    const auto rest = args.Positionals();
    if (system.has_value() == (rest.size() == 1) || rest.size() > 1) {
        throw EUsage("serve un file colonnare oppure --system");
    }
    const TProgramSettings settings = CliSettings();
    TSpoglio spoglio;
    T_Sistema sys;
    TSistemaSpoglio noSystem;
    noSystem.sorgentePronostico = false;
    const TSistemaSpoglio* examined = &noSystem;
    TSistemaSpoglio ofSystem;
    std::unique_ptr<TEsaminatoreInsieme> examiner;
    if (system) {
        LoadSystemFile(sys, *system);
        spoglio.CaricaDaMemoria(sys.Colonne, settings.automaticMerge, nullptr, &Interrupt());
        examiner = std::make_unique<TEsaminatoreInsieme>(sys.Insieme());
        ofSystem = SpoglioDelSistema(sys, examiner.get());
        examined = &ofSystem;
    } else {
        spoglio.CaricaDaFile(CliPath(rest[0]), settings.automaticMerge, nullptr, &Interrupt());
    }
    CheckInterrupted();
    spoglio.Esegui(winning, *examined);

    TJson json;
    json.BeginObject().Key("points").BeginArray();
    std::string summary;
    for (std::size_t p = 0; p < 7; ++p) {
        json.Int(spoglio.Contatori()[p]);
    }
    for (std::size_t p = 7; p-- > 0;) {
        summary += fmt::format("{} Punti: {}\n", p, FormatCount(spoglio.Contatori()[p]));
    }
    json.EndArray().Key("broken").BeginArray();
    for (const auto& e : spoglio.Errori()) {
        json.String(e);
        summary += fmt::format("Condizione sbagliata: {}\n", e);
    }
    json.EndArray().EndObject();
    Emit(args, json, summary);
    return kExitOk;
}

int RunOps(TArgs& args) {
    const std::string out = args.RequiredOption("-o");
    const auto rest = args.Positionals();
    if (rest.size() != 3) {
        throw EUsage("uso: ops or|and|xor|cover1|cover2 A.col B.col -o OUT.col");
    }
    const struct {
        const char* name;
        TOperazione op;
    } ops[] = {{"or", TOperazione::Or},
               {"and", TOperazione::And},
               {"xor", TOperazione::Xor},
               {"cover1", TOperazione::CoperturaN1},
               {"cover2", TOperazione::CoperturaN2}};
    const TOperazione* op = nullptr;
    for (const auto& o : ops) {
        if (rest[0] == o.name) {
            op = &o.op;
        }
    }
    if (op == nullptr) {
        throw EUsage(fmt::format("operazione sconosciuta: {}", rest[0]));
    }
    const TRisultatoOperazione r =
        EseguiOperazione(*op, CliPath(rest[1]), CliPath(rest[2]), CliPath(out), &Interrupt());
    if (r.esito == TEsitoOperazione::Interrotto) {
        throw EInterrupted();
    }
    if (r.esito == TEsitoOperazione::PrimoFileIlleggibile) {
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    TJson json;
    json.BeginObject().Key("count").Int(r.colonne).Key("message").String(r.messaggio).EndObject();
    Emit(args, json, r.messaggio + "\n");
    return kExitOk;
}

int RunShuffle(TArgs& args) {
    const std::string out = args.RequiredOption("-o");
    const auto seedText = args.Option("--seed");
    const std::string in = OneInput(args, "file di ingresso");
    const std::uint64_t seed =
        seedText ? static_cast<std::uint64_t>(ParseInt(*seedText, 0, LONG_MAX, "seme")) : SemeDalOrologio();
    const std::int64_t n = Disordina(CliPath(in), CliPath(out), seed, nullptr, &Interrupt());
    if (n < 0) {
        throw EInterrupted();
    }
    TJson json;
    json.BeginObject().Key("count").Int(n).EndObject();
    Emit(args, json, fmt::format("{} {} colonne\n", msg::kElaborazioneTerminata, FormatCount(n)));
    return kExitOk;
}

int RunOrder(TArgs& args) {
    const auto system = args.Option("--system");
    const std::string out = args.RequiredOption("-o");
    const auto from = args.Option("--from");
    const auto to = args.Option("--to");
    const std::string in = OneInput(args, "file di ingresso");
    if (!system) {
        throw EUsage("manca l'opzione --system");
    }
    T_Sistema sys;
    LoadSystemFile(sys, *system);
    const TeamGrid percentages = sys.dati.TeamPercentages;
    TListaColonne source;
    if (!source.LoadFromFile(CliPath(in), false, nullptr)) {
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    const std::vector<TColProb> sorted = OrdinaColonne(source, percentages);
    // A malformed number is a usage error; a range the file does not hold is a problem of the data.
    const auto n = static_cast<long>(sorted.size());
    const long first = from ? ParseInt(*from, 1, LONG_MAX, "--from") : 1;
    const long last = to ? ParseInt(*to, first, LONG_MAX, "--to") : n;
    if (first > std::max(n, 1L) || last > std::max(n, first)) {
        throw EInOutError(
            fmt::format("L'intervallo richiesto ({}-{}) va oltre le {} colonne del file.", first, last, n));
    }
    CheckInterrupted();
    const TListaColonne kept = Intervallo(sorted, first, last);
    SaveOrInterrupt(kept.SaveToFile(CliPath(out), &Interrupt()), msg::kErroreScritturaColonnare);
    TJson json;
    json.BeginObject().Key("count").Int(kept.Count()).EndObject();
    Emit(args, json, fmt::format("Ordinamento: {} colonne salvate\n", FormatCount(kept.Count())));
    return kExitOk;
}

} // namespace tessaline::cli
