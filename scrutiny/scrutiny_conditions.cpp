#include "scrutiny/scrutiny_conditions.h"

#include "conditions/condition.h"
#include "conditions/condition_set.h"

namespace tessaline {

std::vector<std::string> TEsaminatoreInsieme::CondizioniSbagliate(const Colonna& winning) {
    set_.Errori.clear();
    set_.Prepara();
    set_.RaccogliErrori = true;
    set_.Accetta(winning);
    set_.RaccogliErrori = false;
    std::vector<std::string> names;
    for (const TErrore& e : set_.Errori) {
        names.push_back(e.Condizione != nullptr ? e.Condizione->Nome : msg::kErrorePronostico);
    }
    set_.Errori.clear();
    return names;
}

} // namespace tessaline
