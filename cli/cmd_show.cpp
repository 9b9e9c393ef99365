// show: prints a system file.

#include <filesystem>
#include <fmt/format.h>
#include <string>
#include <vector>

#include "cli/cli_system.h"
#include "cli/commands.h"
#include "conditions/condition_set.h"
#include "core/cost.h"
#include "system/sistema.h"
#include "system/system_file.h"

namespace tessaline::cli {

namespace {

bool IsList(std::uint8_t code) {
    return (code >= kCodGruppoConsecutivita && code <= kCodGruppoColFiltro) || code == kCodGruppoRisultati;
}

// The titles of the conditions in force: every active slot, a list through its active items.
std::vector<std::string> TitlesInForce(TInsiemeCondizioni& set) {
    set.Prepara();
    set.ImpostaTitoli();
    std::vector<std::string> titles;
    for (TCondizione* c : set.Attive()) {
        const auto* list = dynamic_cast<const TListaCondizioni*>(c);
        if (list != nullptr && IsList(c->Tipo)) {
            for (std::size_t i = 0; i < list->Count(); ++i) {
                if (list->Item(i).Abilitata && list->Item(i).Attivato) {
                    titles.push_back(list->Item(i).Titolo);
                }
            }
        } else {
            titles.push_back(c->Titolo);
        }
    }
    return titles;
}

void Strings(TJson& json, const char* key, const std::vector<std::string>& values) {
    json.Key(key).BeginArray();
    for (const std::string& v : values) {
        json.String(v);
    }
    json.EndArray();
}

void Grid(TJson& json, const char* key, const TeamGrid& grid) {
    json.Key(key).BeginArray();
    for (const auto& team : grid) {
        json.BeginArray();
        for (std::int32_t v : team) {
            json.Int(v);
        }
        json.EndArray();
    }
    json.EndArray();
}

std::string GridText(const TeamGrid& grid) {
    std::string out;
    for (std::size_t t = 0; t < grid.size(); ++t) {
        out += fmt::format("  {:2} {:>6} {:>6} {:>6} {:>6}\n", t + 1, grid[t][0], grid[t][1], grid[t][2],
                           grid[t][3]);
    }
    return out;
}

} // namespace

int RunShow(TArgs& args) {
    const auto rest = args.Positionals();
    if (rest.size() != 1) {
        throw EUsage("serve esattamente un file di sistema");
    }
    T_Sistema sys;
    LoadSystemFile(sys, rest[0]);
    const TDatiSistema& d = sys.dati;
    const TImpostazioniSviluppo& s = d.sviluppo;
    const std::vector<std::string> titles = TitlesInForce(sys.Insieme());

    std::vector<std::string> teams(d.teamNames.begin(), d.teamNames.end());
    std::vector<std::string> forecast;
    std::vector<std::string> bases;
    for (int t = 0; t < kTeams; ++t) {
        forecast.push_back(SignText(d.Forecast[t]));
        bases.push_back(SignText(s.IntegralBases[static_cast<std::size_t>(t)]));
    }

    TJson json;
    json.BeginObject().Key("version").Int(sys.versioneLetta).Key("ContestNumber").Int(d.ContestNumber);
    Strings(json, "teams", teams);
    Strings(json, "Forecast", forecast);
    Strings(json, "IntegralBases", bases);
    json.Key("PairTable").BeginArray();
    std::string pairsText;
    for (const auto& match : s.PairTable.p) {
        json.BeginArray();
        std::string line;
        for (int p = 0; p < 16; ++p) {
            if (match[static_cast<std::size_t>(p)] != 0) {
                json.Int(p);
                line += fmt::format("{}{}", line.empty() ? "" : ",", p);
            }
        }
        json.EndArray();
        pairsText += " " + (line.empty() ? std::string("-") : line);
    }
    json.EndArray();
    json.Key("PairMode").Int(s.PairMode).Key("SourceForecast").Int(d.SourceForecast);
    json.Key("SourceFile").String(d.SourceFile).Key("DestinationFile").String(s.DestinationFile);
    const std::pair<const char*, std::uint8_t> switches[] = {
        {"UseConditions", s.UseConditions},
        {"ReducedDevelopment", s.ReducedDevelopment},
        {"MinDistanceMode", s.MinDistanceMode},
        {"DestinationMemory", s.DestinationMemory},
        {"OptimisedReduction", s.OptimisedReduction},
        {"Guarantee", s.Guarantee},
        {"MinDistance", s.MinDistance},
        {"Passes", s.Passes},
        {"AutoRecalc", s.AutoRecalc},
        {"RealCalculation", s.RealCalculation},
    };
    for (const auto& [key, value] : switches) {
        json.Key(key).Int(value);
    }
    Grid(json, "TeamValues", d.TeamValues);
    Grid(json, "TeamPercentages", d.TeamPercentages);
    Strings(json, "comment", sys.comment);
    json.Key("ParticipantCount").Int(sys.ParticipantCount);
    Strings(json, "participants", sys.participants);
    Strings(json, "conditions", titles);
    json.Key("columns").Int(sys.Colonne.Count());
    json.EndObject();

    std::string out = fmt::format("Sistema : {} (versione {})\nConcorso : {}\n", rest[0], sys.versioneLetta,
                                  d.ContestNumber);
    for (int m = 0; m < kMatches; ++m) {
        const auto h = static_cast<std::size_t>(2 * m);
        out += fmt::format("{:2}  {:<12} - {:<12} {:>4} {:>4}\n", m + 1, teams[h], teams[h + 1],
                           forecast[h].empty() ? "*" : forecast[h],
                           forecast[h + 1].empty() ? "*" : forecast[h + 1]);
    }
    out += fmt::format("Colonne Del Pronostico : {}\n", FormatCount(ColumnsCovered(d.Forecast)));
    out += fmt::format("Accoppiate :{}{}\n", pairsText, s.PairMode != 0 ? " (in uso)" : "");
    out += "Valori :\n" + GridText(d.TeamValues) + "Percentuali :\n" + GridText(d.TeamPercentages);
    out += fmt::format("Sorgente : {}\n", d.SourceForecast != 0 ? "Pronostico" : d.SourceFile);
    out += fmt::format("Destinazione : {}\n", s.DestinationMemory != 0 ? "Memoria" : s.DestinationFile);
    for (const auto& [key, value] : switches) {
        out += fmt::format("{} : {}\n", key, value);
    }
    out += fmt::format("Partecipanti : {}\n", sys.ParticipantCount);
    for (const std::string& p : sys.participants) {
        out += "  " + p + "\n";
    }
    out += "Commento :\n";
    for (const std::string& line : sys.comment) {
        out += "  " + line + "\n";
    }
    out += fmt::format("Condizioni In Vigore : {}\n", titles.size());
    for (const std::string& t : titles) {
        out += "  " + t + "\n";
    }
    out += fmt::format("Colonne : {}\n", FormatCount(sys.Colonne.Count()));
    Emit(args, json, out);
    return kExitOk;
}

} // namespace tessaline::cli
