#include "cli/cli_archive.h"

#include <fmt/format.h>

namespace tessaline::cli {

namespace fs = std::filesystem;

namespace {

// "YYYY/N": the season's first calendar year and the contest number.
void ParseContest(const std::string& text, const char* what, std::int16_t& anno, std::uint8_t& numero) {
    const auto slash = text.find('/');
    if (slash == std::string::npos) {
        throw EUsage(fmt::format("{} vuole ANNO/NUMERO", what));
    }
    anno = static_cast<std::int16_t>(ParseInt(text.substr(0, slash), 0, 32767, what));
    numero = static_cast<std::uint8_t>(ParseInt(text.substr(slash + 1), 0, 255, what));
}

std::uint8_t ParseKinds(const std::string& text) {
    if (text == "calcio") {
        return 1;
    }
    if (text == "basket") {
        return 2;
    }
    if (text == "calcio,basket" || text == "basket,calcio") {
        return 3;
    }
    throw EUsage("--kinds vuole calcio, basket o calcio,basket");
}

} // namespace

fs::path ArchivePath(const std::optional<std::string>& archive) {
    return archive ? fs::absolute(fs::path(*archive)) : T_Archivio::PercorsoFile();
}

T_Archivio LoadArchive(const fs::path& file, T_IntervalloConcorsi* range) {
    T_Archivio a;
    T_IntervalloConcorsi whole;
    a.Carica(range != nullptr ? *range : whole, file);
    return a;
}

TArchiveRange TakeArchiveRange(TArgs& args) {
    const auto archive = args.Option("--archive");
    const auto from = args.Option("--from");
    const auto to = args.Option("--to");
    const auto kinds = args.Option("--kinds");
    TArchiveRange out;
    out.range.Filtra = 1;
    out.range.Tipi = kinds ? ParseKinds(*kinds) : 1;
    // Options are checked before the archive is read, so a usage error wins over a missing file.
    T_IntervalloConcorsi given = out.range;
    if (from) {
        ParseContest(*from, "--from", given.AnnoDa, given.NumeroDa);
    }
    if (to) {
        ParseContest(*to, "--to", given.AnnoA, given.NumeroA);
    }
    out.archivio = LoadArchive(ArchivePath(archive), &out.range);
    if (from) {
        out.range.AnnoDa = given.AnnoDa;
        out.range.NumeroDa = given.NumeroDa;
    }
    if (to) {
        out.range.AnnoA = given.AnnoA;
        out.range.NumeroA = given.NumeroA;
    }
    return out;
}

} // namespace tessaline::cli
