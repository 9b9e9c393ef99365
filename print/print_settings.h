#pragma once
// The printer's records kept with the program settings: the coupon calibration and the listing
// settings.

#include <array>
#include <cstdint>
#include <string>

namespace tessaline {

// One calibration set of the coupon printer, in millimetres.
struct T_TaraturaSet {
    double XPrimaCol = 0;
    double YPrimaCol = 0;
    double DistanzaSegniOriz = 0;
    double DistanzaSegniVert = 0;
    double DistanzaColonne = 0;
    double ScrittaX = 0;
    double ScrittaY = 0;
    double LQuadratini = 0;
    double AQuadratini = 0;
    bool operator==(const T_TaraturaSet&) const = default;
};

// Coupon calibration: set 0 "Orizzontale", set 1 "Verticale", then four settings.
struct T_Taratura {
    std::array<T_TaraturaSet, 2> set{{{40.1, 32.9, 2.0, 1.8, 18.6, 95.0, 82.5, 2.6, 2.6},
                                      {39.7, 34.7, 2.1, 1.8, 18.6, 95.3, 81.9, 2.6, 2.6}}};
    std::uint8_t StampaScritta = 1;
    std::uint8_t StampaConcorso = 1;
    std::uint8_t OrizzontalePredefinito = 1;
    std::int32_t ColonnePerSchedina = 3;
    bool operator==(const T_Taratura&) const = default;
};

// Font style bits of the listing font.
inline constexpr std::int32_t kFontBold = 1;
inline constexpr std::int32_t kFontItalic = 2;
inline constexpr std::int32_t kFontUnderline = 4;
inline constexpr std::int32_t kFontStrikeOut = 8;

// Listing settings: spacing between coupon images (mm) and the listing font.
struct TImpTabulato {
    std::int32_t SpaziaturaOriz = 4;
    std::int32_t SpaziaturaVert = 4;
    std::string FontName = "Courier New"; // at most 30 characters on disk
    std::int32_t FontSize = 8;
    std::int32_t FontStyle = 0;
    bool operator==(const TImpTabulato&) const = default;
};

} // namespace tessaline
