#pragma once
// Ordering columns by probability ("Ordinamento Colonnare"): each column's probability under the
// system's sign percentages, the ascending order, and the stretch that is kept.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/column.h"

namespace tessaline {

class TListaColonne;
class UserPrompt;

struct TColProb {
    Colonna colonna;
    double probabilita = 0.0;
};

namespace msg {
inline constexpr const char* kFileGiaPresenteOrd = "Il File è già Presente su Disco. Vuoi Sovrascriverlo";
} // namespace msg

// 100 times, for each team holding a single sign, that sign's percentage / 100.
double ProbabilitaColonna(const Colonna& c, const TeamGrid& percentages);

// Ascending probability; among equal probabilities the later source column stands first.
std::vector<TColProb> OrdinaColonne(const TListaColonne& source, const TeamGrid& percentages);

// The range controls and what they show ("Dalla Colonna Nº" … "Alla Colonna Nº").
class TIntervalloOrdinamento {
public:
    explicit TIntervalloOrdinamento(std::int64_t count = 0);
    std::int64_t Min() const { return min_; }
    std::int64_t Max() const { return max_; }
    // Kept within 1..count; SpinMin is lowered to SpinMax when it passes it.
    void ImpostaMin(std::int64_t v);
    // Kept within 1..count; SpinMax is raised to SpinMin when it falls below it.
    void ImpostaMax(std::int64_t v);
    std::int64_t Iniziali() const { return count_; }
    std::int64_t Finali() const { return count_ == 0 ? 0 : max_ - min_ + 1; }
    std::int64_t Filtrate() const { return count_ - Finali(); }
    // The bar inside the 188-pixel track: left end and width in pixels.
    int BarraInizio() const;
    int BarraLarghezza() const;

private:
    std::int64_t count_;
    std::int64_t min_;
    std::int64_t max_;
};

// Entries min..max (1-based, inclusive) in sorted order as plain columns.
TListaColonne Intervallo(const std::vector<TColProb>& sorted, std::int64_t min, std::int64_t max);

// "Salva su File": asks "Il File è già Presente su Disco. Vuoi Sovrascriverlo" when the file exists
// (nothing written and false returned unless the answer is Si), then writes entries min..max.
// Raises EInOutError "Errore Durante la Scrittura del File Colonnare" when writing fails.
bool SalvaIntervallo(const std::vector<TColProb>& sorted, std::int64_t min, std::int64_t max,
                     const std::filesystem::path& path, UserPrompt* prompt);

// "Inserisci in Memoria": memory is emptied and receives entries min..max.
void InserisciInMemoria(const std::vector<TColProb>& sorted, std::int64_t min, std::int64_t max,
                        TListaColonne& memory);

} // namespace tessaline
