#pragma once
// Immediate reduced systems ("Ridotti Immediati"): the stored definition ("*.Rid"), the integral
// base signs of a base column and the texts of the cost line and the receipt.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/column.h"

namespace tessaline {

namespace msg {
inline constexpr const char* kRidottoNonElaborato = " Ridotto non elaborato";
inline constexpr const char* kErroreScritturaFile = "Errore Durante la Scrittura del File";
inline constexpr const char* kErroreCaricamentoFile = "Errore Durante il Caricamento del File";
} // namespace msg

// Size of a "*.Rid" file: integral flags, base column, guarantee byte, the name field.
inline constexpr std::size_t kRidottoBytes = 281;
inline constexpr std::size_t kRidottoNomeBytes = 256;

// One immediate reduced system as the window holds it and the file stores it.
struct TRidotto {
    std::array<std::uint8_t, kTeams> integrali{}; // 1: the team is played in full
    Colonna base{};                               // sign sets; an empty team is allowed
    bool garanziaCinque = true;                   // false: "Garanzia Quattro"
    std::string nome;                             // the name on the receipt (UTF-8)
    bool operator==(const TRidotto&) const = default;
};

// The 281 bytes of the file: flags, column, guarantee (1 five, 0 four), the name as a
// length-prefixed Windows-1252 string in 256 bytes (zero padded, cut to 255 characters).
std::vector<std::uint8_t> ScriviRidotto(const TRidotto& r);
// Reads the four fields in order. False, and out untouched, when the bytes end early or a field
// holds what the program never writes (a flag other than 0 or 1, a sign byte above 15).
bool LeggiRidotto(std::span<const std::uint8_t> bytes, TRidotto& out);
// The file on disk (atomically replaced); false when it cannot be written.
bool SalvaRidotto(const std::filesystem::path& file, const TRidotto& r);
// False, and out untouched, when the file cannot be read or is damaged.
bool CaricaRidotto(const std::filesystem::path& file, TRidotto& out);

// The integral base signs: a flagged team holding two or more signs gets the first of them in the
// order 0, 1, 2, M; every other team none.
IntegralBases BasiIntegrali(const Colonna& base, const std::array<std::uint8_t, kTeams>& integrali);

// price x 2^doubles x 3^triples x 4^quadruples.
double CostoColonna(double price, int doubles, int triples, int quadruples);

// The cost line after "Elabora": " ", the currency sign, " ", the amount, "  Col. ", the count.
std::string TestoCostoRidotto(std::int64_t columns, double price, bool euro);

// "Dp : d  Tr : t  Qd : q".
std::string RigaVarianti(int doubles, int triples, int quadruples);
// Line 3: the currency sign, a blank and the amount; with a contest, " Concorso Nº " and it.
std::string RigaCosto(double amount, bool euro, bool conConcorso, std::int32_t concorso);

} // namespace tessaline
