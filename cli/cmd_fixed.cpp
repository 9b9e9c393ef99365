// fixed: the fixed-sign search over the contests the range admits.

#include <fmt/format.h>
#include <string>

#include "cli/cli_archive.h"
#include "cli/commands.h"
#include "reduce/fixed_signs.h"

namespace tessaline::cli {

int RunFixed(TArgs& args) {
    const auto mode = args.Option("--mode");
    if (!mode) {
        throw EUsage("serve --mode 1 o 2");
    }
    const int modo = static_cast<int>(ParseInt(*mode, 1, 2, "--mode"));
    const std::string sort = args.Option("--sort").value_or("freq");
    TOrdineFisse ordine = TOrdineFisse::Frequenza;
    if (sort == "delay") {
        ordine = TOrdineFisse::Ritardo;
    } else if (sort == "ic") {
        ordine = TOrdineFisse::IC;
    } else if (sort != "freq") {
        throw EUsage("--sort vuole freq, delay o ic");
    }
    // Every option is taken before the archive is read: a stray word is a usage error first.
    TArgs probe = args;
    probe.Option("--archive");
    probe.Option("--from");
    probe.Option("--to");
    probe.Option("--kinds");
    if (!probe.Positionals().empty()) {
        throw EUsage("fixed non vuole altri argomenti");
    }
    const TArchiveRange ar = TakeArchiveRange(args);
    const TRisultatoFisse r = ElaboraFisse(modo, ordine, ar.archivio.Concorsi(), ar.range);
    CheckInterrupted();

    TJson json;
    json.BeginObject().Key("admitted").Int(r.Ammessi).Key("entries").BeginArray();
    std::string summary =
        fmt::format("Concorsi esaminati: {}\n  Nº  Coppie    Pos.    Fr.  Rit.     IC\n", r.Ammessi);
    std::size_t n = 0;
    for (const TFisse& f : r.Voci) {
        const std::string text = Colonna2Coppie(f);
        const std::string pos = TestoPosizione(f);
        json.BeginObject()
            .Key("text")
            .String(text)
            .Key("pos")
            .String(pos)
            .Key("freq")
            .Int(f.Frequenza)
            .Key("delay")
            .Int(f.Ritardo)
            .Key("ic")
            .Number(IndiceConvenienza(f.Ritardo, f.Frequenza, r.Ammessi))
            .EndObject();
        summary += fmt::format("{:>4}  {:<9} {:<5} {:>5} {:>5} {:>6}\n", ++n, text, pos, f.Frequenza,
                               f.Ritardo, TestoIC(f, r.Ammessi));
    }
    json.EndArray().EndObject();
    Emit(args, json, summary);
    return kExitOk;
}

} // namespace tessaline::cli
