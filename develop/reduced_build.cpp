#include "develop/reduced_build.h"

namespace tessaline {

TDevelopRequest RichiestaRidotto(const T_Sistema& sys, const TRichiestaRidotto& r) {
    TDevelopRequest req = TDevelopRequest::Of(sys);
    req.forecast = r.base;
    req.sourceForecast = 1;
    req.conditions = nullptr;
    req.recalculation = false;
    req.previousCount = 0;
    auto& s = req.settings;
    s.DestinationMemory = 1;
    s.ReducedDevelopment = 1;
    s.OptimisedReduction = 1;
    s.UseConditions = 0;
    s.PairMode = 0;
    s.MinDistanceMode = 0;
    s.Passes = 1;
    s.Guarantee = static_cast<std::uint8_t>(r.garanzia == 4 ? 4 : 5);
    s.IntegralBases = r.basi;
    req.improvedReduction = r.migliorata;
    return req;
}

TListaColonne CostruisciRidotto(const T_Sistema& sys, const TRichiestaRidotto& r, const TDevelopHooks& hooks,
                                TDevelopResult* result) {
    TDevelopOutcome out = RunDevelopment(RichiestaRidotto(sys, r), hooks);
    if (result != nullptr) {
        *result = out.result;
    }
    if (out.result.stopped) {
        return {};
    }
    return std::move(out.columns);
}

} // namespace tessaline
