#pragma once
// The condition set as the scrutiny's examiner: the winning column tested with error collection.

#include "scrutiny/scrutiny.h"

namespace tessaline {

class TInsiemeCondizioni;

class TEsaminatoreInsieme : public TEsaminatoreCondizioni {
public:
    explicit TEsaminatoreInsieme(TInsiemeCondizioni& set) : set_(set) {}
    // Errori emptied, Prepara, the test with RaccogliErrori on, then off; the Nome of each
    // condition found, in the order the set recorded them.
    std::vector<std::string> CondizioniSbagliate(const Colonna& winning) override;

private:
    TInsiemeCondizioni& set_;
};

} // namespace tessaline
