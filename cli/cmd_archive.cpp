// archive show | import | export: the contest archive on the command line.

#include <filesystem>
#include <fmt/format.h>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/archive_csv.h"
#include "archive/contest_archive.h"
#include "cli/cli_archive.h"
#include "cli/commands.h"
#include "core/atomic_file.h"
#include "core/errors.h"

namespace tessaline::cli {

namespace {

namespace fs = std::filesystem;

// The words of an archive command: its options, then the verb and its file.
struct TArchiveWords {
    std::optional<std::string> archive; // --archive
    std::optional<std::string> out;     // -o
    std::vector<std::string> rest;      // after the verb
};

fs::path ArchivePath(const TArchiveWords& w) {
    return cli::ArchivePath(w.archive);
}

T_Archivio Load(const fs::path& file) {
    return LoadArchive(file);
}

void EmitCount(const TArgs& args, std::size_t count, const char* what) {
    TJson json;
    json.BeginObject().Key("count").Int(static_cast<std::int64_t>(count)).EndObject();
    Emit(args, json, fmt::format("Concorsi {}: {}\n", what, count));
}

int Show(const TArgs& args, const TArchiveWords& w) {
    if (w.out || !w.rest.empty()) {
        throw EUsage("archive show accetta solo --archive");
    }
    const T_Archivio a = Load(ArchivePath(w));
    TJson json;
    json.BeginObject().Key("contests").BeginArray();
    std::string summary = "Stagione   Num. Tipo    Colonna\n";
    for (const T_Concorso& c : a.Concorsi()) {
        const std::string column = TestoColonnaVincente(c.ColonnaVincente);
        json.BeginObject()
            .Key("Anno")
            .Int(c.Anno)
            .Key("Numero")
            .Int(c.Numero)
            .Key("Tipo")
            .Int(c.Tipo)
            .Key("column")
            .String(column)
            .Key("Completo")
            .Int(c.Completo)
            .EndObject();
        summary += fmt::format("{}/{:<5} {:>3}  {:<7} {}{}\n", c.Anno, c.Anno + 1, c.Numero,
                               TestoTipo(c.Tipo), column, c.Completo != 0 ? "" : "  (incompleto)");
    }
    json.EndArray().EndObject();
    summary += fmt::format("Concorsi: {}\n", a.Count());
    Emit(args, json, summary);
    return kExitOk;
}

int Export(const TArgs& args, const TArchiveWords& w) {
    if (!w.out || !w.rest.empty()) {
        throw EUsage("uso: archive export [--archive A.tts] -o OUT.csv");
    }
    const T_Archivio a = Load(ArchivePath(w));
    const std::string text = EsportaCsv(a);
    CheckInterrupted();
    if (!SaveFileAtomic(fs::absolute(fs::path(*w.out)),
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
        throw EInOutError(msg::kErroreScritturaTesto);
    }
    EmitCount(args, a.Count(), "esportati");
    return kExitOk;
}

int Import(const TArgs& args, const TArchiveWords& w) {
    if (!w.out || w.archive || w.rest.size() != 1) {
        throw EUsage("uso: archive import IN.csv -o OUT.tts");
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(fs::absolute(fs::path(w.rest[0])), bytes)) {
        throw EInOutError(msg::kErroreLetturaTesto);
    }
    T_Archivio a;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (const auto error = ImportaCsv(text, a.Concorsi())) {
        throw EInOutError(error->Messaggio());
    }
    CheckInterrupted();
    a.Salva(fs::absolute(fs::path(*w.out)));
    EmitCount(args, a.Count(), "importati");
    return kExitOk;
}

} // namespace

int RunArchive(TArgs& args) {
    TArchiveWords w;
    w.archive = args.Option("--archive");
    w.out = args.Option("-o");
    const auto words = args.Positionals();
    if (words.empty()) {
        throw EUsage("serve show, import o export");
    }
    w.rest.assign(words.begin() + 1, words.end());
    if (words[0] == "show") {
        return Show(args, w);
    }
    if (words[0] == "export") {
        return Export(args, w);
    }
    if (words[0] == "import") {
        return Import(args, w);
    }
    throw EUsage(fmt::format("azione sconosciuta: {}", words[0]));
}

} // namespace tessaline::cli
