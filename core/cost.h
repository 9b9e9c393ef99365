#pragma once
// Amounts of money as the program shows them.

#include <cstdint>
#include <string>

namespace tessaline {

inline constexpr double kLirePerEuro = 1936.27;
inline constexpr double kDefaultCostLire = 800.0;
inline constexpr double kDefaultCostEuro = 800.0 / 1936.27;

// "€" for euro, "£" for lire.
const char* CurrencySign(bool euro);
// Italian thousands separator "."; 2 decimals with "," in euro, none in lire.
std::string FormatAmount(double amount, bool euro);
// Whole numbers with the Italian thousands separator ("16.777.216").
std::string FormatCount(std::int64_t n);
// The currency sign, a space and the amount; with two or more participants the share
// (amount / participants) followed by " 1/" and the number of participants.
std::string CostText(double amount, bool euro, int participants = 1);

} // namespace tessaline
