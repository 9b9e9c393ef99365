#pragma once
// Program-wide settings (not per system), kept in the configuration file.

#include <array>
#include <string>

#include "core/cost.h"

namespace tessaline {

struct TProgramSettings {
    double costLire = kDefaultCostLire;
    double costEuro = kDefaultCostEuro;
    bool costsInEuro = false;
    std::string backgroundPicture; // empty: the default picture in the "SFONDI" folder
    bool automaticMerge = true;    // "Accorpamento automatico"
    bool saveColumnsWithSystem = true;
    bool reloadLastCoupon = true;
    std::array<std::string, 4> shopData; // heading, address, city, telephone (at most 60 characters)

    // The column cost in force.
    double ColumnCost() const { return costsInEuro ? costEuro : costLire; }
};

} // namespace tessaline
