// merge, txt export, txt import.

#include <cstdio>
#include <fmt/format.h>

#include "cli/commands.h"
#include "core/column_list.h"
#include "core/cost.h"
#include "core/errors.h"
#include "develop/merge.h"

namespace tessaline::cli {

int TCliPrompt::ShowMessage(const std::string& title, const std::string& text, int buttons) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    TFixedAnswerPrompt policy(answerYes_);
    return policy.ShowMessage(title, text, buttons);
}

namespace {

struct TInOut {
    std::string in;
    std::string out;
};

TInOut InputAndOutput(TArgs& args) {
    TInOut io;
    io.out = args.RequiredOption("-o");
    const auto rest = args.Positionals();
    if (rest.size() != 1) {
        throw EUsage("serve esattamente un file di ingresso");
    }
    io.in = rest[0];
    return io;
}

TListaColonne LoadColumns(const std::string& name, UserPrompt& prompt) {
    TListaColonne list;
    if (!list.LoadFromFile(name, false, &prompt)) {
        throw EInOutError(msg::kImpossibileCaricareFileColonnare);
    }
    return list;
}

} // namespace

int RunMerge(TArgs& args) {
    const TInOut io = InputAndOutput(args);
    TCliPrompt prompt(true);
    TListaColonne list = LoadColumns(io.in, prompt);
    const double factor = Merge(list, true, nullptr, &Interrupt());
    if (factor < 0) {
        throw EInterrupted();
    }
    SaveOrInterrupt(list.SaveToFile(io.out, &Interrupt()), msg::kErroreScritturaColonnare);
    TJson json;
    json.BeginObject().Key("count").Int(list.Count()).Key("factor").Number(factor).EndObject();
    Emit(args, json,
         fmt::format("Accorpamento: {} colonne, fattore {}\n", FormatCount(list.Count()),
                     FormatAmount(factor, true)));
    return kExitOk;
}

int RunTxt(TArgs& args) {
    const std::string out = args.RequiredOption("-o");
    const auto verb = args.Positionals();
    if (verb.empty() || (verb[0] != "export" && verb[0] != "import")) {
        throw EUsage("uso: txt export IN.col -o OUT.txt | txt import IN.txt -o OUT.col");
    }
    const bool exporting = verb[0] == "export";
    std::vector<std::string> rest(verb.begin() + 1, verb.end());
    rest.emplace_back("-o");
    rest.push_back(out);
    TArgs sub(rest);
    const TInOut io = InputAndOutput(sub);
    TCliPrompt prompt(true);
    TListaColonne list;
    if (exporting) {
        list = LoadColumns(io.in, prompt);
        SaveOrInterrupt(list.SaveText(io.out, &Interrupt()), msg::kErroreScritturaTesto);
    } else {
        if (!list.LoadText(io.in, &prompt)) {
            throw EInOutError(msg::kErroreLetturaTesto);
        }
        SaveOrInterrupt(list.SaveToFile(io.out, &Interrupt()), msg::kErroreScritturaColonnare);
    }
    TJson json;
    json.BeginObject().Key("count").Int(list.Count()).EndObject();
    Emit(args, json,
         fmt::format("{}: {} colonne\n", exporting ? "Esportate" : "Importate", FormatCount(list.Count())));
    return kExitOk;
}

} // namespace tessaline::cli
