#pragma once
// The condition set of a system: fifteen slots, one per family, the link, the Tra group sums, and
// the evaluation of a column against everything in force.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/contest_archive.h"
#include "archive/frequencies.h"
#include "conditions/condition.h"
#include "conditions/link.h"
#include "core/column_list.h"
#include "core/condition_hook.h"

namespace tessaline {

class TListaColonne;

// One failing condition found while errors are collected; nullptr for a reason of the caller's own.
struct TErrore {
    const TCondizione* Condizione = nullptr;
};

inline constexpr int kSlots = 15;

class TInsiemeCondizioni : public TColumnAcceptor {
public:
    // One default condition per slot this program builds; the other slots stay empty.
    TInsiemeCondizioni();
    ~TInsiemeCondizioni() override;
    TInsiemeCondizioni(const TInsiemeCondizioni&) = delete;
    TInsiemeCondizioni& operator=(const TInsiemeCondizioni&) = delete;

    // What the conditions read besides the column: the contest archive (Ripetizioni, statistics),
    // the search settings (range, ignore flags) and the columns in memory (analysis). Not owned;
    // any may be null (no contests, default settings, no columns).
    void Collega(const T_Archivio* archivio, const T_ImpostazioniRicerca* ricerca,
                 const TListaColonne* colonne);
    // The coupon's values and percentages per team and sign ("Valori", "Percentuali"). Not owned;
    // null reads as all zero.
    void CollegaSchedina(const TeamGrid* valori, const TeamGrid* percentuali) {
        valori_ = valori;
        percentuali_ = percentuali;
    }
    const TeamGrid* ValoriSquadre() const { return valori_; }
    const TeamGrid* PercentualiSquadre() const { return percentuali_; }
    // The coupon's team names for the printed blocks (not owned; null prints the team numbers).
    const std::array<std::string, kTeams>* NomiSquadre = nullptr;

    // Slot 1..15; nullptr for an empty slot.
    TCondizione* Slot(int i) {
        return i >= 1 && i <= kSlots ? slots_[static_cast<std::size_t>(i)].get() : nullptr;
    }
    template <class T> T* SlotAs(int i) { return dynamic_cast<T*>(Slot(i)); }
    // Replaces the condition of slot i (1..15).
    void ImpostaSlot(int i, std::unique_ptr<TCondizione> c);

    // Before a run: statistics cleared, states updated, active list rebuilt, used letters found,
    // link statistics cleared and link state updated.
    void Prepara();
    // The per-column test: every active condition in slot order (stopping at the first rejection
    // unless errors are collected), then the link check.
    bool Accetta(const Colonna& c) {
        link_.AzzeraColonna();
        if (traAbilitata_) {
            somme_.fill(0);
        }
        profilo_ = Profilo(c);
        profilato_ = &c;
        bool a = true;
        for (TCondizione* k : attive_) {
            if (!a && !RaccogliErrori) {
                break;
            }
            const bool r = k->Verifica(c);
            a = a && r;
            if (!r && RaccogliErrori &&
                !(k->Tipo >= kCodGruppoConsecutivita && k->Tipo <= kCodGruppoPercentuali)) {
                Errori.push_back(TErrore{k});
            }
        }
        profilato_ = nullptr;
        return a && link_.Verifica();
    }
    // The masks of the column under evaluation, computed once per Accetta.
    TProfilo ProfiloDi(const Colonna& c) const { return &c == profilato_ ? profilo_ : Profilo(c); }
    // Every slot's title from the empty parent.
    void ImpostaTitoli();

    void PrepareRun() override { Prepara(); }
    bool Accept(const Colonna& c) override { return Accetta(c); }
    bool InForce() const override { return !attive_.empty() || link_.Abilitato; }
    // A copy through the set's own record (slots and link), linked to the same archive, settings,
    // columns and coupon, and prepared. Null while errors are collected (they pile up per run).
    std::unique_ptr<TColumnAcceptor> CopyForThread() override;
    // The link's statistics of the run (tries, rejections by level, by errors and by the total).
    void AddThreadCounts(const TColumnAcceptor& copy) override;

    const std::vector<TCondizione*>& Attive() const { return attive_; }
    TLink& Link() { return link_; }
    const TLink& Link() const { return link_; }
    // Slot 15 takes part: the other conditions add their values to the group sums.
    bool TraAbilitata() const { return traAbilitata_; }
    void ImpostaTraAbilitata(bool on) { traAbilitata_ = on; }
    // Group sums, index 1..30 (index 0 unused).
    std::int32_t* SommeTra() { return somme_.data(); }
    const std::array<std::int32_t, kGruppiTra + 1>& Somme() const { return somme_; }

    const T_Archivio* Archivio() const { return archivio_; }
    const T_ImpostazioniRicerca& Ricerca() const { return ricerca_ != nullptr ? *ricerca_ : ricercaPropria_; }
    const TListaColonne* ColonneInMemoria() const { return colonne_; }
    // The search settings given to Collega (nullptr when none).
    const T_ImpostazioniRicerca* RicercaCollegata() const { return ricerca_; }

    // Calls f with the winning column of every archived contest of the search range, in file order
    // (nothing without an archive).
    template <class F> void PerOgniConcorso(F&& f) const {
        if (archivio_ == nullptr) {
            return;
        }
        const T_IntervalloConcorsi& range = Ricerca().Intervallo;
        for (const T_Concorso& k : archivio_->Concorsi()) {
            if (range.Contiene(k)) {
                f(k.ColonnaVincente);
            }
        }
    }
    // Calls f with every single column of the columns in memory, multi-sign columns expanded in
    // order (nothing without columns).
    template <class F> void PerOgniColonna(F&& f) const {
        if (colonne_ == nullptr) {
            return;
        }
        for (const Colonna& multi : *colonne_) {
            ExpandColumn(multi, f);
        }
    }

    // The win search: conditions the search ignores count as switched off.
    bool ModoArchivio = false;
    // Collect the failing conditions of each rejected column into Errori.
    bool RaccogliErrori = false;
    std::vector<TErrore> Errori;

private:
    std::array<std::unique_ptr<TCondizione>, kSlots + 1> slots_;
    std::vector<TCondizione*> attive_;
    TLink link_;
    std::array<std::int32_t, kGruppiTra + 1> somme_{};
    TProfilo profilo_;
    const Colonna* profilato_ = nullptr;
    bool traAbilitata_ = false;
    const T_Archivio* archivio_ = nullptr;
    const T_ImpostazioniRicerca* ricerca_ = nullptr;
    T_ImpostazioniRicerca ricercaPropria_;
    const TListaColonne* colonne_ = nullptr;
    const TeamGrid* valori_ = nullptr;
    const TeamGrid* percentuali_ = nullptr;
};

} // namespace tessaline
