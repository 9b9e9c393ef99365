#pragma once
// What a development run reports, as plain events: counts, the state text and the steps of the
// run. The development window ("Sviluppo") turns them into gauges and pies in ordinary runs, the
// recalculation panel ("Numero di Colonne") during automatic recalculation. Every count arrives
// already multiplied by the run's IntegralMultiplier. Every operation does nothing by default; the
// run calls them on its own thread, so a window hands them on to its user-interface thread.

#include <cstdint>
#include <string>

namespace tessaline {

class TDevelopProgress {
public:
    virtual ~TDevelopProgress() = default;

    // Conditioning: total T, accepted A, final flag, examined E.
    virtual void AggiornaCond(std::int64_t /*total*/, std::int64_t /*accepted*/, bool /*final*/,
                              std::int64_t /*examined*/) {}
    // Reducing while developing: total, accepted, final flag, kept K, examined.
    virtual void AggiornaCondRid(std::int64_t /*total*/, std::int64_t /*accepted*/, bool /*final*/,
                                 std::int64_t /*kept*/, std::int64_t /*examined*/) {}
    // Optimised reduction: initial count, chosen count, final flag, covered count.
    virtual void AggiornaRidOtt(std::int64_t /*initial*/, std::int64_t /*chosen*/, bool /*final*/,
                                std::int64_t /*covered*/) {}
    // Improved reduction: columns of the working set, of the best complete covering, and the share
    // of the time or iteration budget used (0 to 100).
    virtual void AggiornaMigliorata(std::int64_t /*current*/, std::int64_t /*best*/, int /*percent*/) {}
    // The state text ("Elaborazione in Corso...", "Autoriduzione In Corso...", the time taken).
    virtual void Stato(const std::string& /*text*/) {}

    // The run begins: an automatic recalculation or not, reducing while developing or not.
    virtual void Inizio(bool /*recalculation*/, bool /*reducing*/) {}
    // The enumeration was stopped with "Annulla" (the list is emptied).
    virtual void EnumerazioneInterrotta() {}
    // The conditioning is over (outside automatic recalculation), with its final counts reported.
    virtual void CondizionamentoConcluso() {}
    // The optimised reduction of the whole list starts.
    virtual void RiduzioneAvviata() {}
    // A reduction is over, with its final counts reported.
    virtual void RiduzioneConclusa() {}
    // Automatic recalculation only: the final count and the previous count it is compared with.
    virtual void CalcoloTerminato(std::int64_t /*finalCount*/, std::int64_t /*previousCount*/) {}
};

} // namespace tessaline
