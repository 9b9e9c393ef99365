#include "scrutiny/plays_view.h"

#include <fmt/format.h>

#include "core/cost.h"

namespace tessaline {

namespace {
constexpr std::size_t kRowsShown = 7;
constexpr const char* kKinds[3] = {"  Schedine Normali", "  Sistemi Integrali", "  Sistemi Ridotti"};

std::array<std::string, 6> SystemCells(const TGiocataSistema& s) {
    return {fmt::format("{:>3}", s.doppie),
            fmt::format("{:>3}", s.triple),
            fmt::format("{:>3}", s.quadruple),
            fmt::format("{:>4}", s.colonne.Count()),
            TestoData(s.data),
            TestoOra(s.ora)};
}
} // namespace

std::vector<std::array<std::string, 2>> TabellaRiepilogo(const TArchivioGiocate& archive,
                                                         double costPerColumn, bool euro) {
    const std::size_t counts[3] = {archive.Schedine().size(), archive.Integrali().size(),
                                   archive.Sistemi().size()};
    std::vector<std::array<std::string, 2>> rows;
    for (int k = 0; k < 3; ++k) {
        rows.push_back({kKinds[k], fmt::format("{:>14}", counts[k])});
    }
    const std::string volume =
        std::string(CurrencySign(euro)) + " " + FormatAmount(archive.VolumeGioco(costPerColumn), euro);
    // Right-aligned by characters, the currency sign being one character of several bytes.
    std::size_t chars = 0;
    for (char ch : volume) {
        chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
    }
    rows.push_back({"  Volume di Gioco", std::string(chars < 14 ? 14 - chars : 0, ' ') + volume});
    return rows;
}

std::vector<std::array<std::string, 6>> RigheSistemi(const TArchivioGiocate& archive, std::size_t first) {
    std::vector<std::array<std::string, 6>> rows;
    for (std::size_t i = first; i < archive.Sistemi().size() && i < first + kRowsShown; ++i) {
        rows.push_back(SystemCells(archive.Sistemi()[i]));
    }
    return rows;
}

int MassimoScorrimentoSistemi(std::size_t systems) {
    return systems < kRowsShown + 1 ? 0 : static_cast<int>(systems - kRowsShown);
}

std::int32_t ConcorsoPrecedente(std::int32_t n) {
    return n > 1 ? n - 1 : 1;
}
std::int32_t ConcorsoSuccessivo(std::int32_t n) {
    return n < 99 ? n + 1 : 99;
}

std::vector<std::array<std::string, 5>> TabellaVincite(const TArchivioGiocate& archive) {
    const std::size_t counts[3] = {archive.Schedine().size(), archive.Integrali().size(),
                                   archive.Sistemi().size()};
    const std::array<std::int64_t, 7>* wins[3] = {&archive.VinciteSchedine(), &archive.VinciteIntegrali(),
                                                  &archive.VinciteSistemi()};
    std::vector<std::array<std::string, 5>> rows;
    std::array<std::int64_t, 7> total{};
    for (int k = 0; k < 3; ++k) {
        const auto& w = *wins[k];
        rows.push_back({kKinds[k], fmt::format("{:>9}", counts[k]), std::to_string(w[6]),
                        std::to_string(w[5]), std::to_string(w[4])});
        for (std::size_t p = 0; p < 7; ++p) {
            total[p] += w[p];
        }
    }
    rows.push_back({"  Totale Vincite", "", std::to_string(total[6]), std::to_string(total[5]),
                    std::to_string(total[4])});
    return rows;
}

std::vector<std::array<std::string, 9>> RigheSistemiVincite(const TArchivioGiocate& archive,
                                                            std::size_t first) {
    std::vector<std::array<std::string, 9>> rows;
    for (std::size_t i = first; i < archive.Sistemi().size() && i < first + kRowsShown; ++i) {
        const TGiocataSistema& s = archive.Sistemi()[i];
        const auto cells = SystemCells(s);
        std::array<std::string, 9> row;
        std::copy(cells.begin(), cells.end(), row.begin());
        row[6] = std::to_string(s.vincite[6]);
        row[7] = std::to_string(s.vincite[5]);
        row[8] = std::to_string(s.vincite[4]);
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace tessaline
