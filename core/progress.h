#pragma once
// What a development run reports: the development window ("Sviluppo") in ordinary runs, the
// recalculation panel ("Numero di Colonne") during automatic recalculation. Every count arrives
// already multiplied by the run's IntegralMultiplier. Every operation does nothing by default.

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
    // The state line ("LabelStato").
    virtual void Stato(const std::string& /*text*/) {}

    // Development window only: the reduction labels of the window shown or hidden before a run.
    virtual void ShowReductionLabels(bool /*show*/) {}
    // The conditioning pie ("TortaC") or the reduction pie ("TortaR") shown with its group.
    virtual void ShowPieCond() {}
    virtual void ShowPieRid() {}
    // The enumeration was stopped with "Annulla": the window closes.
    virtual void Close() {}
    // The main window's status line and commands after a run or after the size question.
    virtual void RefreshMainWindow() {}

    // Recalculation panel only: before the run, and with the final count after it.
    virtual void Inizializza() {}
    virtual void CalcoloTerminato(std::int64_t /*finalCount*/) {}
};

} // namespace tessaline
