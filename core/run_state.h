#pragma once
// The counters of one development run that the driver and the on-the-fly reducer share.

#include <cstdint>

namespace tessaline {

struct TRunCounters {
    std::int64_t TotalColumns = 0;
    std::int64_t ExaminedColumns = 0; // handed to the per-column step in this pass
    std::int64_t AcceptedColumns = 0; // passed the conditions in this pass (reducing while developing)
    std::int64_t refresh = 0;         // columns since the last progress report
    int pass = 0;                     // 1 to Passes
};

} // namespace tessaline
