// tessaline-cli: batch use of the engine for scripts and betting shops.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "core/errors.h"
#include "core/user_message.h"

namespace {

using tessaline::cli::TArgs;

struct TCommandEntry {
    const char* name;
    int (*run)(TArgs&);
    const char* usage;
};

const TCommandEntry kCommands[] = {
    {"develop", tessaline::cli::RunDevelop,
     "develop SYSTEM.svs [--answer si|no] [-o OUT.col] | "
     "develop (--forecast \"G1 ... G12\" | --pairs \"P1 ... P6\") [--integral \"B1 ... B12\"] "
     "[--reduce 5|4 [--optimised [--improve-iterations N [--seed N]] | --passes P]] [--min-distance D] "
     "[--answer si|no] [-o OUT.col]"},
    {"show", tessaline::cli::RunShow, "show SYSTEM.svs"},
    {"merge", tessaline::cli::RunMerge, "merge IN.col -o OUT.col"},
    {"txt", tessaline::cli::RunTxt, "txt export IN.col -o OUT.txt | txt import IN.txt -o OUT.col"},
    {"guarantee", tessaline::cli::RunGuarantee,
     "guarantee --examined E.col (--system S.svs [--errors 0,1,2] [--conditions] | --compare C.col)"},
    {"scrutiny", tessaline::cli::RunScrutiny, "scrutiny --winning \"0120M...\" (F.col | --system S.svs)"},
    {"ops", tessaline::cli::RunOps, "ops or|and|xor|cover1|cover2 A.col B.col -o OUT.col"},
    {"shuffle", tessaline::cli::RunShuffle, "shuffle IN.col -o OUT.col [--seed N]"},
    {"order", tessaline::cli::RunOrder, "order --system S.svs IN.col [--from N --to M] -o OUT.col"},
    {"archive", tessaline::cli::RunArchive,
     "archive show [--archive A.tts] | archive import IN.csv -o OUT.tts | "
     "archive export [--archive A.tts] -o OUT.csv"},
    {"historical", tessaline::cli::RunHistorical,
     "historical F.col [--archive A.tts] [--from YYYY/N] [--to YYYY/N] [--kinds "
     "calcio|basket|calcio,basket]"},
    {"plays", tessaline::cli::RunPlays, "plays show N | plays scrutiny N --winning \"0120M...\""},
    {"fixed", tessaline::cli::RunFixed,
     "fixed --mode 1|2 [--sort freq|delay|ic] [--archive A.tts] [--from YYYY/N] [--to YYYY/N] "
     "[--kinds calcio|basket|calcio,basket]"},
    {"stats", tessaline::cli::RunStats,
     "stats teams [RANGE] | stats system S.svs [RANGE] [--categories 1|2|3] [--ignore none|cf,rip,val,per]   "
     "(RANGE: [--archive A.tts] [--from YYYY/N] [--to YYYY/N] [--kinds calcio|basket|calcio,basket])"},
    {"print", tessaline::cli::RunPrint,
     "print coupons IN.col --pdf OUT.pdf [--orientation horizontal|vertical] [--per-coupon 1-3] "
     "[--from N --to M] [--listing] | print summary S.svs --pdf OUT.pdf [--copies N] [--listing]"},
    {"update", tessaline::cli::RunUpdate, "update archive|teams|coupon [--server ftp://HOST[:PORT]/]"},
};

void PrintUsage(std::FILE* to) {
    std::fputs("uso: tessaline-cli COMANDO [ARGOMENTI] [--json]\ncomandi:\n", to);
    for (const auto& c : kCommands) {
        std::fprintf(to, "  %s\n", c.usage);
    }
}

void ReportError(bool json, const std::string& message) {
    std::fprintf(stderr, "%s\n", tessaline::cli::HumanText(message).c_str());
    if (json) {
        std::printf("{\"error\": %s}\n", tessaline::cli::JsonEscape(message).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    using namespace tessaline::cli;
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? kExitUsage : kExitOk;
    }
    InstallInterruptHandler();
    // Past a file-size limit a write fails (and the writer reports it) instead of killing the process.
    std::signal(SIGXFSZ, SIG_IGN);
    const std::string name = argv[1];
    std::vector<std::string> words(argv + 2, argv + argc);
    bool json = false;
    for (const auto& w : words) {
        json = json || w == "--json";
    }
    for (const auto& c : kCommands) {
        if (name != c.name) {
            continue;
        }
        try {
            TArgs args(words);
            return c.run(args);
        } catch (const EUsage& e) {
            std::fprintf(stderr, "%s\nuso: tessaline-cli %s\n", e.what(), c.usage);
            return kExitUsage;
        } catch (const EInterrupted&) {
            std::fputs("Interrotto.\n", stderr);
            return kExitInterrupted;
        } catch (const std::exception& e) {
            // The program's own words only: an exception's text from a library never reaches the user.
            ReportError(json, tessaline::UserMessage(e));
            return kExitFailure;
        } catch (...) {
            ReportError(json, tessaline::msg::kErroreImprevisto);
            return kExitFailure;
        }
    }
    std::fprintf(stderr, "comando sconosciuto: %s\n", name.c_str());
    PrintUsage(stderr);
    return kExitUsage;
}
