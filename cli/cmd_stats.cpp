// stats: the per-team sign history and the historical check of a system's conditions.

#include <fmt/format.h>
#include <string>

#include "archive/team_history.h"
#include "cli/cli_archive.h"
#include "cli/cli_system.h"
#include "cli/commands.h"
#include "conditions/archive_check.h"
#include "conditions/condition_set.h"
#include "system/sistema.h"

namespace tessaline::cli {

namespace {

constexpr const char* kNomiSegni[4] = {"0", "1", "2", "M"};

// Takes the range options out of a copy first, so that a stray word is a usage error before the
// archive is read.
void RejectExtra(const TArgs& args, std::size_t positionals, const char* what) {
    TArgs probe = args;
    probe.Option("--archive");
    probe.Option("--from");
    probe.Option("--to");
    probe.Option("--kinds");
    if (probe.Positionals().size() != positionals) {
        throw EUsage(what);
    }
}

int RunTeams(TArgs& args) {
    RejectExtra(args, 1, "stats teams non vuole altri argomenti");
    const TArchiveRange ar = TakeArchiveRange(args);
    const TStoriaSquadre st = CalcolaStoriaSquadre(ar.archivio.Concorsi(), ar.range);
    CheckInterrupted();

    TJson json;
    json.BeginObject()
        .Key("examined")
        .Int(st.Esaminati)
        .Key("season")
        .Int(st.Stagione)
        .Key("teams")
        .BeginArray();
    std::string summary =
        fmt::format("Concorsi esaminati: {}  Stagione: {}\n", st.Esaminati,
                    st.Stagione > 0 ? fmt::format("{}/{}", st.Stagione, st.Stagione + 1) : std::string("-"));
    summary += "Sq. Segno  Freq. Rit.Att. Rit.Max.      IC Freq.Ann. Cs.Att. Cs.Max.\n";
    for (std::size_t t = 0; t < kTeams; ++t) {
        const StoriaSquadra& sq = st.Squadre[t];
        json.BeginObject()
            .Key("last")
            .String(sq.UltimoSegno < 0 ? "" : kNomiSegni[sq.UltimoSegno])
            .Key("signs")
            .BeginObject();
        for (std::size_t s = 0; s < 4; ++s) {
            const TStoriaSegno& g = sq.Segni[s];
            const double ic = IndiceIC(g.Frequenza, st.Esaminati, g.RitardoAttuale);
            json.Key(kNomiSegni[s])
                .BeginObject()
                .Key("freq")
                .Int(g.Frequenza)
                .Key("season")
                .Int(g.FrequenzaStagione)
                .Key("delay")
                .Int(g.RitardoAttuale)
                .Key("maxDelay")
                .Int(g.RitardoMassimo)
                .Key("run")
                .Int(g.SerieAttuale)
                .Key("maxRun")
                .Int(g.SerieMassima)
                .Key("ic")
                .Number(ic)
                .EndObject();
            summary += fmt::format("{:>3} {:>5} {:>6} {:>8} {:>8} {:>7} {:>9} {:>7} {:>7}\n",
                                   s == 0 ? std::to_string(t + 1) : std::string(), kNomiSegni[s], g.Frequenza,
                                   g.RitardoAttuale, g.RitardoMassimo, fmt::format("{:.2f}", ic),
                                   g.FrequenzaStagione, g.SerieAttuale, g.SerieMassima);
        }
        json.EndObject().EndObject();
    }
    json.EndArray().EndObject();
    Emit(args, json, summary);
    return kExitOk;
}

// "none" or a comma list of cf, rip, val, per.
void ParseIgnore(const std::string& text, T_ImpostazioniRicerca& r) {
    r.IgnoraColonneFiltro = r.IgnoraRipetizioni = r.IgnoraValori = r.IgnoraPercentuali = 0;
    if (text == "none") {
        return;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string word = text.substr(start, comma - start);
        if (word == "cf") {
            r.IgnoraColonneFiltro = 1;
        } else if (word == "rip") {
            r.IgnoraRipetizioni = 1;
        } else if (word == "val") {
            r.IgnoraValori = 1;
        } else if (word == "per") {
            r.IgnoraPercentuali = 1;
        } else {
            throw EUsage("--ignore vuole none o un elenco di cf,rip,val,per");
        }
        start = comma + 1;
    }
}

int RunSystem(TArgs& args) {
    T_ImpostazioniRicerca ricerca;
    if (const auto ignore = args.Option("--ignore")) {
        ParseIgnore(*ignore, ricerca);
    }
    const int categorie =
        static_cast<int>(ParseInt(args.Option("--categories").value_or("1"), 1, 3, "--categories"));
    ricerca.Categoria1 = categorie == 1 ? 1 : 0;
    ricerca.Categoria12 = categorie == 2 ? 1 : 0;
    ricerca.Categoria123 = categorie == 3 ? 1 : 0;
    RejectExtra(args, 2, "stats system vuole un file di sistema");
    const TArchiveRange ar = TakeArchiveRange(args);
    ricerca.Intervallo = ar.range;
    const std::vector<std::string> pos = args.Positionals();

    T_Sistema sys;
    LoadSystemFile(sys, pos.at(1));
    TAnalisiStorica out;
    if (!AnalisiArchivio(sys.Insieme(), ar.archivio, ricerca, out, nullptr, &Interrupt())) {
        throw EInterrupted();
    }

    TJson json;
    json.BeginObject().Key("examined").Int(out.Esaminati).Key("contests").Int(out.Concorsi).Key("categories");
    json.BeginArray();
    std::string summary = TestoEsaminati(out.Esaminati, out.Concorsi) + "\n";
    for (int k = 0; k < out.NumCategorie; ++k) {
        const TCategoriaStorica& c = out.Categorie[static_cast<std::size_t>(k)];
        json.BeginObject().Key("k").Int(k + 1).Key("wins").BeginArray();
        for (std::int32_t w : c.Vincite) {
            json.Int(w);
        }
        json.EndArray()
            .Key("frequency")
            .Int(c.Tabella.Frequenza(1))
            .Key("events")
            .Int(c.Tabella.Eventi())
            .Key("UltimaVincita")
            .Int(c.UltimaVincita)
            .Key("CicloMedio")
            .Number(c.CicloMedio)
            .Key("RitardoMinimo")
            .Int(c.RitardoMinimo)
            .Key("RitardoMassimo")
            .Int(c.RitardoMassimo)
            .Key("RitardoMedio")
            .Number(c.RitardoMedio)
            .Key("RitardoAttuale")
            .Int(c.RitardoAttuale)
            .Key("Settimane")
            .Int(c.Settimane())
            .EndObject();
        summary += fmt::format("{}º Categoria: vincite {} su {} ({:.2f}%)\n"
                               "  Ciclo Medio : {:.2f}  Ritardo Minimo : {}  Ritardo Massimo : {}  "
                               "Ritardo Medio : {:.2f}  Ritardo Attuale : {}  Settimane Di Assenza : {}\n",
                               k + 1, c.Tabella.Frequenza(1), c.Tabella.Eventi(), c.FrequenzaPercento(),
                               c.CicloMedio, c.RitardoMinimo, c.RitardoMassimo, c.RitardoMedio,
                               c.RitardoAttuale, c.Settimane());
    }
    json.EndArray().EndObject();
    Emit(args, json, summary);
    return kExitOk;
}

} // namespace

int RunStats(TArgs& args) {
    TArgs probe = args;
    probe.Option("--archive");
    probe.Option("--from");
    probe.Option("--to");
    probe.Option("--kinds");
    probe.Option("--ignore");
    probe.Option("--categories");
    const std::vector<std::string> peek = probe.Positionals();
    const std::string what = peek.empty() ? std::string() : peek.front();
    if (what != "teams" && what != "system") {
        throw EUsage("stats vuole teams o system");
    }
    return what == "teams" ? RunTeams(args) : RunSystem(args);
}

} // namespace tessaline::cli
