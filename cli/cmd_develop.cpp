// develop: a system file with its own settings and conditions, or a bare forecast or pair table
// developed with the settings of a new system.

#include <cctype>
#include <filesystem>
#include <fmt/format.h>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_system.h"
#include "cli/commands.h"
#include "core/column_list.h"
#include "core/cost.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/regular_file.h"
#include "develop/driver.h"
#include "system/sistema.h"
#include "system/system_file.h"

namespace tessaline::cli {

namespace {

std::vector<std::string> Groups(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> groups;
    for (std::string g; in >> g;) {
        groups.push_back(g);
    }
    return groups;
}

// Twelve groups of one to four distinct letters among 0 1 2 M (m accepted), in any order.
Pronostico ParseForecast(const std::string& text) {
    const auto groups = Groups(text);
    if (groups.size() != kTeams) {
        throw EUsage("il pronostico deve avere dodici gruppi di segni");
    }
    Pronostico f;
    for (int t = 0; t < kTeams; ++t) {
        const std::string& g = groups[static_cast<std::size_t>(t)];
        SignSet set = 0;
        for (char ch : g) {
            const int bit = SignOfLetter(ch).value_or(0);
            if (bit == 0 || (set & bit) != 0 || g.size() > 4) {
                throw EUsage(fmt::format("segni non validi per la squadra {}: {}", t + 1, g));
            }
            set = static_cast<SignSet>(set | bit);
        }
        f[t] = set;
    }
    return f;
}

// Twelve groups, each "*" (no base) or one sign letter.
IntegralBases ParseIntegral(const std::string& text) {
    const auto groups = Groups(text);
    if (groups.size() != kTeams) {
        throw EUsage("le squadre integrali devono avere dodici gruppi");
    }
    IntegralBases bases{};
    for (int t = 0; t < kTeams; ++t) {
        const std::string& g = groups[static_cast<std::size_t>(t)];
        const int bit = g.size() == 1 ? SignOfLetter(g[0]).value_or(0) : 0;
        if (g != "*" && bit == 0) {
            throw EUsage(fmt::format("segno base non valido per la squadra {}: {}", t + 1, g));
        }
        bases[static_cast<std::size_t>(t)] = static_cast<SignSet>(bit);
    }
    return bases;
}

// Six groups, each a comma-separated list of admitted pair indexes 0 to 15.
PairTable ParsePairs(const std::string& text) {
    const auto groups = Groups(text);
    if (groups.size() != kMatches) {
        throw EUsage("le accoppiate devono avere sei gruppi");
    }
    PairTable table;
    for (int m = 0; m < kMatches; ++m) {
        std::istringstream in(groups[static_cast<std::size_t>(m)]);
        for (std::string item; std::getline(in, item, ',');) {
            const long p = ParseInt(item, 0, 15, "indice di accoppiata");
            table.p[static_cast<std::size_t>(m)][static_cast<std::size_t>(p)] = 1;
        }
    }
    return table;
}

// Ctrl-C stops the run and stays pending, so that the command ends with status 130 afterwards.
class TInterruptProbe final : public CancelProbe {
public:
    bool Peek() override { return Interrupt().Peek(); }
    bool Take() override { return Interrupt().Peek(); }
};

// Runs the development and prints its final report. The result is the system's list, or the
// destination file when the run wrote there; -o gets a copy of it. Ctrl-C is looked at until an
// output file is committed: before that it ends the command with status 130 and no new file; once
// the destination file is in place the command finishes its work.
int DevelopAndReport(TArgs& args, T_Sistema& sys, const std::optional<std::string>& out,
                     const std::optional<std::string>& answer) {
    TCliPrompt prompt(!answer || *answer == "si");
    TInterruptProbe cancel;
    TDevelopHooks hooks;
    hooks.prompt = &prompt;
    hooks.cancel = &cancel;
    // A plain development into memory with -o writes its columns straight to that file as they
    // are developed (the same bytes the list would be saved as); a reducing run holds them first.
    auto& dev = sys.dati.sviluppo;
    const bool direct = out && dev.DestinationMemory == 1 && dev.ReducedDevelopment == 0;
    if (direct) {
        dev.DestinationMemory = 0;
        dev.DestinationFile = std::filesystem::absolute(*out).string();
    }
    TDevelopOutcome outcome;
    try {
        outcome = RunDevelopment(TDevelopRequest::Of(sys), hooks);
    } catch (const EInOutError& e) {
        if (direct && std::string_view(e.what()) == msg::kImpossibileSalvareFileColonne) {
            throw EInOutError(msg::kErroreScritturaColonnare); // -o could not be written
        }
        throw;
    }
    const bool committed = !outcome.written.empty();
    if (!committed) {
        CheckInterrupted();
    }
    const TDevelopResult result = outcome.result;
    ApplyDevelopment(sys, std::move(outcome));
    std::int64_t finalCount = sys.Colonne.Count();
    // -1: price the list in memory; a list of single columns costs one column each.
    std::int64_t singles = result.singleColumns ? finalCount : -1;
    const TListaColonne* final = &sys.Colonne;
    TListaColonne fromFile;
    std::optional<std::string> written = out;
    if (dev.DestinationMemory == 0) {
        const std::filesystem::path dest = ResolveInFolder(dev.DestinationFile, TFolder::Colonne);
        if (!written) {
            written = dest.string();
        }
        if (committed && (direct || !out)) {
            // Priced from what the run wrote: nothing is read back.
            finalCount = result.writtenColumns;
            singles = result.writtenSingles;
        } else {
            // A stored path: only a regular file is read back.
            std::FILE* f = OpenRegularFile(dest);
            if (f == nullptr) {
                throw EInOutError(msg::kImpossibileCaricareFileColonnare);
            }
            const bool read = fromFile.ReadFrom(f, false, nullptr);
            std::fclose(f);
            if (!read) {
                throw EInOutError(msg::kImpossibileCaricareFileColonnare);
            }
            final = &fromFile;
            finalCount = fromFile.Count();
            singles = -1;
        }
    }
    if (out && !(direct && committed)) {
        const TSaveStatus saved = final->SaveToFile(*out, committed ? nullptr : &cancel);
        if (saved == TSaveStatus::Cancelled) {
            throw EInterrupted();
        }
        if (saved == TSaveStatus::Failed) {
            throw EInOutError(msg::kErroreScritturaColonnare);
        }
    }

    const bool euro = sys.dati.settings.costsInEuro;
    const double cost =
        singles < 0 ? ColumnsCost(*final, sys.ColumnCost()) : sys.ColumnCost() * static_cast<double>(singles);
    TJson json;
    json.BeginObject()
        .Key("total")
        .Int(result.total)
        .Key("accepted")
        .Int(result.accepted)
        .Key("final")
        .Int(finalCount)
        .Key("cost")
        .Number(cost)
        .Key("currency")
        .String(euro ? "EUR" : "LIT")
        .Key("out");
    if (written) {
        json.String(*written);
    } else {
        json.Null();
    }
    json.EndObject();
    std::string summary = fmt::format("Colonne Iniziali : {}\nColonne Accettate : {}\nColonne Finali : {}\n"
                                      "Costo : {}\n",
                                      FormatCount(result.total), FormatCount(result.accepted),
                                      FormatCount(finalCount), CostText(cost, euro));
    if (written) {
        summary += fmt::format("Colonne scritte in : {}\n", *written);
    }
    Emit(args, json, summary);
    return kExitOk;
}

} // namespace

int RunDevelop(TArgs& args) {
    const auto forecast = args.Option("--forecast");
    const auto pairs = args.Option("--pairs");
    const auto integral = args.Option("--integral");
    const auto reduce = args.Option("--reduce");
    const bool optimised = args.Flag("--optimised");
    const auto passes = args.Option("--passes");
    const auto minDistance = args.Option("--min-distance");
    const auto improveIterations = args.Option("--improve-iterations");
    const auto seed = args.Option("--seed");
    const auto out = args.Option("-o");
    const auto answer = args.Option("--answer");
    const auto rest = args.Positionals();
    if (rest.size() > 1) {
        throw EUsage("argomenti in più");
    }
    if (answer && *answer != "si" && *answer != "no") {
        throw EUsage("--answer vale si oppure no");
    }
    if (rest.size() == 1) {
        if (forecast || pairs || integral || reduce || optimised || passes || minDistance ||
            improveIterations || seed) {
            throw EUsage("con un file di sistema valgono soltanto -o e --answer");
        }
        T_Sistema sys;
        LoadSystemFile(sys, rest[0]);
        return DevelopAndReport(args, sys, out, answer);
    }
    if (forecast.has_value() == pairs.has_value()) {
        throw EUsage("serve esattamente uno fra --forecast e --pairs");
    }
    if ((optimised || passes) && !reduce) {
        throw EUsage("--optimised e --passes richiedono --reduce");
    }
    if (optimised && passes) {
        throw EUsage("--optimised e --passes si escludono");
    }
    if (minDistance && (reduce || optimised || passes)) {
        throw EUsage("--min-distance esclude --reduce, --optimised e --passes");
    }
    if (improveIterations && !optimised) {
        throw EUsage("--improve-iterations richiede --reduce e --optimised");
    }
    if (seed && !improveIterations) {
        throw EUsage("--seed richiede --improve-iterations");
    }

    T_Sistema sys;
    sys.dati.settings = CliSettings();
    auto& dev = sys.dati.sviluppo;
    if (forecast) {
        sys.dati.Forecast = ParseForecast(*forecast);
    } else {
        dev.PairTable = ParsePairs(*pairs);
        dev.PairMode = 1;
    }
    if (integral) {
        dev.IntegralBases = ParseIntegral(*integral);
    }
    if (reduce) {
        dev.ReducedDevelopment = 1;
        dev.Guarantee = static_cast<std::uint8_t>(ParseInt(*reduce, 4, 5, "garanzia"));
        dev.OptimisedReduction = optimised ? 1 : 0;
        if (passes) {
            dev.Passes = static_cast<std::uint8_t>(ParseInt(*passes, 1, 10, "numero di passi"));
        }
    }
    // The improvement runs for a fixed number of swaps, so that a seed gives the same system.
    if (improveIterations) {
        sys.dati.settings.improvedReduction = true;
        sys.dati.settings.improveIterations =
            ParseInt(*improveIterations, 1, 1000000000, "numero di iterazioni del miglioramento");
        sys.dati.settings.improveSeed =
            seed ? static_cast<std::uint64_t>(ParseInt(*seed, 0, 2147483647, "seme")) : 1;
    }
    if (minDistance) {
        dev.ReducedDevelopment = 1;
        dev.MinDistanceMode = 1;
        dev.MinDistance = static_cast<std::uint8_t>(ParseInt(*minDistance, 2, 10, "distanza minima"));
    }

    return DevelopAndReport(args, sys, out, answer);
}

} // namespace tessaline::cli
