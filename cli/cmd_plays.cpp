// historical, plays show, plays scrutiny: the historical scrutiny of a column file and the archive
// of plays of one contest.

#include <climits>
#include <filesystem>
#include <fmt/format.h>
#include <optional>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "cli/commands.h"
#include "core/cost.h"
#include "core/errors.h"
#include "scrutiny/historical.h"
#include "scrutiny/plays.h"
#include "scrutiny/scrutiny.h"
#include "system/config_file.h"
#include "system/settings.h"

namespace tessaline::cli {

namespace {

namespace fs = std::filesystem;

// "YYYY/N": the season's first calendar year and the contest number.
void ParseSeasonNumber(const std::string& text, const char* what, std::int16_t& year, std::uint8_t& number) {
    const auto slash = text.find('/');
    if (slash == std::string::npos) {
        throw EUsage(fmt::format("{} vuole ANNO/NUMERO: {}", what, text));
    }
    year = static_cast<std::int16_t>(ParseInt(text.substr(0, slash), 0, 32767, what));
    number = static_cast<std::uint8_t>(ParseInt(text.substr(slash + 1), 0, 255, what));
}

std::uint8_t ParseKinds(const std::string& text) {
    std::uint8_t kinds = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const std::string word =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (word == "calcio") {
            kinds = static_cast<std::uint8_t>(kinds | 1);
        } else if (word == "basket") {
            kinds = static_cast<std::uint8_t>(kinds | 2);
        } else {
            throw EUsage(fmt::format("--kinds vuole calcio, basket o calcio,basket: {}", text));
        }
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return kinds;
}

// The archive and the range of the RANGE options: the whole archive after a load unless --from or
// --to narrow it, Calcio unless --kinds, only complete contests.
struct TRangeArgs {
    T_Archivio archive;
    T_IntervalloConcorsi range;
};

// The RANGE options taken out of the words (checked before anything is read).
struct TRangeOptions {
    fs::path file;
    std::optional<std::string> from, to;
    T_IntervalloConcorsi given;
    std::uint8_t tipi = 1;
};

TRangeOptions RangeOptions(TArgs& args) {
    TRangeOptions o;
    const auto archive = args.Option("--archive");
    o.from = args.Option("--from");
    o.to = args.Option("--to");
    const auto kinds = args.Option("--kinds");
    o.file = archive ? fs::absolute(fs::path(*archive)) : T_Archivio::PercorsoFile();
    if (o.from) {
        ParseSeasonNumber(*o.from, "--from", o.given.AnnoDa, o.given.NumeroDa);
    }
    if (o.to) {
        ParseSeasonNumber(*o.to, "--to", o.given.AnnoA, o.given.NumeroA);
    }
    if (kinds) {
        o.tipi = ParseKinds(*kinds);
    }
    return o;
}

// Raises "Impossibile Caricare L'Archivio." when the archive cannot be read.
void LoadRange(const TRangeOptions& o, TRangeArgs& out) {
    out.archive.Carica(out.range, o.file);
    if (o.from) {
        out.range.AnnoDa = o.given.AnnoDa;
        out.range.NumeroDa = o.given.NumeroDa;
    }
    if (o.to) {
        out.range.AnnoA = o.given.AnnoA;
        out.range.NumeroA = o.given.NumeroA;
    }
    out.range.Tipi = o.tipi;
    out.range.Filtra = 1;
}

// The contest number of a plays command.
std::int32_t ContestNumber(const std::string& text) {
    return static_cast<std::int32_t>(ParseInt(text, 0, INT32_MAX, "il numero del concorso"));
}

double ColumnCost(bool& euro) {
    TProgramSettings s = DefaultSettings();
    LeggiConfigurazione(s);
    euro = s.costsInEuro;
    return s.ColumnCost();
}

void JsonCounts(TJson& json, const std::array<std::int64_t, 7>& counts) {
    json.BeginArray();
    for (const std::int64_t c : counts) {
        json.Int(c);
    }
    json.EndArray();
}

std::string WinsSummary(const char* label, const std::array<std::int64_t, 7>& w) {
    return fmt::format("{:<18} 6 punti: {}  5 punti: {}  4 punti: {}\n", label, FormatCount(w[6]),
                       FormatCount(w[5]), FormatCount(w[4]));
}

int PlaysShow(const TArgs& args, std::int32_t n) {
    TArchivioGiocate plays(n);
    plays.CaricaArchivio();
    bool euro = false;
    const double cost = ColumnCost(euro);
    const double volume = plays.VolumeGioco(cost);
    TJson json;
    json.BeginObject()
        .Key("coupons")
        .Int(static_cast<std::int64_t>(plays.Schedine().size()))
        .Key("integral")
        .Int(static_cast<std::int64_t>(plays.Integrali().size()))
        .Key("reduced")
        .Int(static_cast<std::int64_t>(plays.Sistemi().size()))
        .Key("volume")
        .Number(volume)
        .EndObject();
    std::string summary = fmt::format("Concorso Nº {}\n", n);
    summary += fmt::format("Schedine Normali:  {}\n",
                           FormatCount(static_cast<std::int64_t>(plays.Schedine().size())));
    summary += fmt::format("Sistemi Integrali: {}\n",
                           FormatCount(static_cast<std::int64_t>(plays.Integrali().size())));
    summary += fmt::format("Sistemi Ridotti:   {}\n",
                           FormatCount(static_cast<std::int64_t>(plays.Sistemi().size())));
    summary += fmt::format("Volume di Gioco:   {} {}\n", CurrencySign(euro), FormatAmount(volume, euro));
    Emit(args, json, summary);
    return kExitOk;
}

int PlaysScrutiny(const TArgs& args, std::int32_t n, const Colonna& winning) {
    TArchivioGiocate plays(n);
    plays.CaricaArchivio();
    plays.EseguiSpoglio(winning);
    TJson json;
    json.BeginObject().Key("coupons");
    JsonCounts(json, plays.VinciteSchedine());
    json.Key("integral");
    JsonCounts(json, plays.VinciteIntegrali());
    json.Key("reduced");
    JsonCounts(json, plays.VinciteSistemi());
    json.Key("systems").BeginArray();
    for (const TGiocataSistema& s : plays.Sistemi()) {
        JsonCounts(json, s.vincite);
    }
    json.EndArray().EndObject();
    std::string summary = fmt::format("Vincite del concorso Nº {}\n", n);
    summary += WinsSummary("Schedine Normali", plays.VinciteSchedine());
    summary += WinsSummary("Sistemi Integrali", plays.VinciteIntegrali());
    summary += WinsSummary("Sistemi Ridotti", plays.VinciteSistemi());
    Emit(args, json, summary);
    return kExitOk;
}

} // namespace

int RunHistorical(TArgs& args) {
    const TRangeOptions options = RangeOptions(args);
    const auto rest = args.Positionals();
    if (rest.size() != 1) {
        throw EUsage("serve esattamente un file colonnare");
    }
    TRangeArgs r;
    LoadRange(options, r);

    TSpoglioStorico storico;
    storico.CaricaDaFile(fs::absolute(fs::path(rest[0])));
    CheckInterrupted();
    if (!storico.Elabora(r.archive, r.range, &Interrupt())) {
        throw EInterrupted();
    }

    TJson json;
    json.BeginObject()
        .Key("examined")
        .Int(storico.Esaminati())
        .Key("columns")
        .Int(static_cast<std::int64_t>(storico.Insieme().Size()))
        .Key("rows")
        .BeginArray();
    std::string summary = storico.EtichettaRisultati() + "\n";
    summary += fmt::format("Colonne analizzate: {}\n",
                           FormatCount(static_cast<std::int64_t>(storico.Insieme().Size())));
    summary += "Punti     Totale  Ciclo  Ritardo  Max  Conv.\n";
    const auto table = storico.TabellaGenerale(',');
    for (std::size_t p = 0; p < 7; ++p) {
        const TRigaStorico& row = storico.Riepilogo()[p];
        json.BeginObject()
            .Key("points")
            .Int(row.punti)
            .Key("total")
            .Int(row.totale)
            .Key("hits")
            .Int(row.concorsi)
            .Key("cycle")
            .Number(row.cicloMedio)
            .Key("delay")
            .Int(row.ritardo)
            .Key("maxDelay")
            .Int(row.ritardoMax)
            .Key("factor")
            .Number(row.convenienza)
            .EndObject();
        summary +=
            fmt::format("{:>5} {:>10} {:>6} {:>8} {:>4} {:>6}{}\n", table[p][0], table[p][1], table[p][2],
                        table[p][3], table[p][4], table[p][5], row.evidenziata ? "  *" : "");
    }
    json.EndArray().Key("contests").BeginArray();
    std::size_t k = 0;
    for (const T_Concorso& c : r.archive.Concorsi()) {
        if (!r.range.Contiene(c)) {
            continue;
        }
        const auto& cells = storico.RigheConcorsi()[k++];
        json.BeginObject().Key("Anno").Int(c.Anno).Key("Numero").Int(c.Numero).Key("Tipo").Int(c.Tipo);
        json.Key("counts").BeginArray();
        for (std::size_t p = 0; p < 7; ++p) {
            json.Int(std::stoll(cells[9 - p]));
        }
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    Emit(args, json, summary);
    return kExitOk;
}

int RunPlays(TArgs& args) {
    const auto winningText = args.Option("--winning");
    const auto words = args.Positionals();
    if (words.size() != 2) {
        throw EUsage("uso: plays show N | plays scrutiny N --winning W");
    }
    const std::int32_t n = ContestNumber(words[1]);
    if (words[0] == "show") {
        if (winningText) {
            throw EUsage("plays show non accetta --winning");
        }
        return PlaysShow(args, n);
    }
    if (words[0] == "scrutiny") {
        if (!winningText) {
            throw EUsage("plays scrutiny vuole --winning");
        }
        Colonna winning;
        if (!ParseColonnaVincente(*winningText, winning)) {
            throw EUsage(fmt::format("colonna vincente non valida: {}", *winningText));
        }
        return PlaysScrutiny(args, n, winning);
    }
    throw EUsage(fmt::format("azione sconosciuta: {}", words[0]));
}

} // namespace tessaline::cli
