#include "reduce/optimised_params.h"

namespace tessaline {

TOptimisedParams OptimisedParamsFor(const Pronostico& forecast, bool pairMode, int R, bool smallSystem) {
    TOptimisedParams p;
    p.R = R;
    const int doubles = CountDoubles(forecast);
    p.wrongTeams = !pairMode && CountTriples(forecast) == 0 && CountQuadruples(forecast) == 0 && doubles >= 7 &&
                   doubles <= 9 && R == 1;
    const double v = smallSystem ? 1.0 : 0.0;
    if (R == 1) {
        p.f2 = 0.85 + 0.13 * v;
        p.f1 = p.wrongTeams ? 0.0 : 0.6 + 0.35 * v;
        p.D = p.Dmin = 3;
    } else {
        p.f2 = 0.98 + 0.015 * v;
        p.f1 = 0.94 + 0.04 * v;
        p.D = p.Dmin = 4;
    }
    return p;
}

} // namespace tessaline
