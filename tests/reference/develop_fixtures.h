#pragma once
// Small helpers shared by the development and reduction tests: forecasts from text, a progress
// recorder, a scripted "Annulla" and the guarantee property.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "core/column.h"
#include "core/column_list.h"
#include "core/interfaces.h"
#include "core/progress.h"
#include "support/columns.h"

namespace tessaline::reference {

// Twelve blank-separated groups of sign letters ("*" for none).
inline Pronostico Forecast(const std::string& groups) {
    std::istringstream in(groups);
    Pronostico f;
    std::string g;
    for (int t = 0; t < kTeams && in >> g; ++t) {
        f[t] = ParseSigns(g);
    }
    return f;
}

using test::Col;

inline std::vector<Colonna> Columns(const TListaColonne& l) {
    return {l.begin(), l.end()};
}

inline std::vector<Colonna> Expansion(const Colonna& c) {
    std::vector<Colonna> out;
    ExpandColumn(c, [&](const Colonna& s) { out.push_back(s); });
    return out;
}

struct TReport {
    char kind; // 'C' AggiornaCond, 'R' AggiornaCondRid, 'O' AggiornaRidOtt
    bool final;
    std::int64_t a, b, c, d; // the counts in call order (d unused for 'C' and 'O')
    bool operator==(const TReport&) const = default;
};

class TRecordingProgress : public TDevelopProgress {
public:
    void AggiornaCond(std::int64_t t, std::int64_t a, bool f, std::int64_t e) override {
        reports.push_back({'C', f, t, a, e, 0});
    }
    void AggiornaCondRid(std::int64_t t, std::int64_t a, bool f, std::int64_t k, std::int64_t e) override {
        reports.push_back({'R', f, t, a, k, e});
    }
    void AggiornaRidOtt(std::int64_t n, std::int64_t chosen, bool f, std::int64_t covered) override {
        reports.push_back({'O', f, n, chosen, covered, 0});
    }
    void Stato(const std::string& text) override { states.push_back(text); }
    void EnumerazioneInterrotta() override { ++closed; }
    void Inizio(bool recalculation, bool /*reducing*/) override { initialised += recalculation ? 1 : 0; }
    void CalcoloTerminato(std::int64_t n, std::int64_t /*previous*/) override { finished.push_back(n); }

    std::vector<TReport> Finals(char kind) const {
        std::vector<TReport> out;
        for (const auto& r : reports) {
            if (r.kind == kind && r.final) {
                out.push_back(r);
            }
        }
        return out;
    }
    std::vector<TReport> reports;
    std::vector<std::string> states;
    int closed = 0;
    int initialised = 0;
    std::vector<std::int64_t> finished;
};

// Answers "Annulla" from the n-th look-up on (1-based); counts the look-ups.
class TScriptedCancel : public CancelProbe {
public:
    explicit TScriptedCancel(std::int64_t from) : from_(from) {}
    bool Peek() override { return Look(); }
    bool Take() override { return Look(); }
    std::int64_t looks = 0;

private:
    bool Look() { return ++looks >= from_; }
    std::int64_t from_;
};

// Every column of the space scores at least g points against some kept column.
inline bool GuaranteeHolds(const std::vector<Colonna>& space, const std::vector<Colonna>& kept, int g) {
    for (const Colonna& c : space) {
        bool reached = false;
        for (const Colonna& k : kept) {
            if (Points(k, c) >= g) {
                reached = true;
                break;
            }
        }
        if (!reached) {
            return false;
        }
    }
    return true;
}

} // namespace tessaline::reference
