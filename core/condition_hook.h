#pragma once
// What the development driver needs from the condition set: preparation before a run and one
// yes/no answer per column. The condition set implements it; a system without one accepts all.

#include <memory>

#include "core/column.h"

namespace tessaline {

class TColumnAcceptor {
public:
    virtual ~TColumnAcceptor() = default;
    // Called once before the enumeration of a run (prepares the set and the links).
    virtual void PrepareRun() = 0;
    // True when the column passes every condition in force.
    virtual bool Accept(const Colonna& c) = 0;
    // After PrepareRun: false when no column could be refused (nothing in force), so that a run
    // may skip asking.
    virtual bool InForce() const { return true; }
    // After PrepareRun: a prepared copy that answers every column as this one does, for another
    // thread, or null when the answers cannot be split (they depend on the columns asked before).
    virtual std::unique_ptr<TColumnAcceptor> CopyForThread() { return nullptr; }
    // Adds what a copy counted over its columns (statistics of the run) to this one's counts.
    virtual void AddThreadCounts(const TColumnAcceptor& /*copy*/) {}
};

} // namespace tessaline
