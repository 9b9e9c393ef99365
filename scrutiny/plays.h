#pragma once
// The archive of plays of one contest ("Archivio Giocate"): coupons, integral systems and reduced
// systems recorded by the shop, their file, the play volume and the global scrutiny.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/column.h"
#include "core/column_list.h"

namespace tessaline {

// One coupon: three columns; an all-zero column is an unused slot.
struct TGiocataSchedina {
    std::array<Colonna, 3> colonne{};
};

// One integral system: a single column that may hold several signs per team.
struct TGiocataIntegrale {
    Colonna colonna{};
};

// One reduced system with the moment it was recorded (day count from 30 December 1899 and the
// fraction of a day) and the wins of the last scrutiny.
struct TGiocataSistema {
    TListaColonne colonne;
    double data = 0.0;
    double ora = 0.0;
    std::int32_t doppie = 0;
    std::int32_t triple = 0;
    std::int32_t quadruple = 0;
    std::array<std::int64_t, 7> vincite{};
};

namespace msg {
inline constexpr const char* kImpossibileSalvareGiocate = "Impossibile Salvare l'Archivio delle Giocate";
} // namespace msg

class TArchivioGiocate {
public:
    explicit TArchivioGiocate(std::int32_t concorso = 0) : concorso_(concorso) {}

    std::int32_t Concorso() const { return concorso_; }
    // ProgramDir/ArchivioGiocate/Concorso_<number>.dat
    std::filesystem::path NomeFile() const;

    // Reads the contest's file; a missing, short or damaged file leaves the three lists empty.
    void CaricaArchivio();
    // Writes the file atomically; EInOutError when it cannot be written (the old file stays).
    void SalvaArchivio() const;

    void AggiungiSchedina(const Colonna& c1, const Colonna& c2, const Colonna& c3);
    void AggiungiIntegrale(const Colonna& c);
    // Copies the list; date and time are the moment of the call.
    void AggiungiSistema(const TListaColonne& list, std::int32_t doppie, std::int32_t triple,
                         std::int32_t quadruple);
    // The same with an explicit moment.
    void AggiungiSistema(const TListaColonne& list, std::int32_t doppie, std::int32_t triple,
                         std::int32_t quadruple, double data, double ora);

    // Single columns of every non-empty coupon column, integral column and reduced-system column,
    // times the price of one column.
    double VolumeGioco(double costPerColumn) const;
    // Counts every kind's wins against the winning column (and each reduced system's own).
    void EseguiSpoglio(const Colonna& winning);

    const std::vector<TGiocataSchedina>& Schedine() const { return schedine_; }
    const std::vector<TGiocataIntegrale>& Integrali() const { return integrali_; }
    const std::vector<TGiocataSistema>& Sistemi() const { return sistemi_; }
    const std::array<std::int64_t, 7>& VinciteSchedine() const { return vinciteSchedine_; }
    const std::array<std::int64_t, 7>& VinciteIntegrali() const { return vinciteIntegrali_; }
    const std::array<std::int64_t, 7>& VinciteSistemi() const { return vinciteSistemi_; }

    // The file's bytes, and their reading (false, lists empty, on any inconsistency).
    std::vector<std::uint8_t> Serializza() const;
    bool Deserializza(std::span<const std::uint8_t> bytes);

private:
    std::int32_t concorso_;
    std::vector<TGiocataSchedina> schedine_;
    std::vector<TGiocataIntegrale> integrali_;
    std::vector<TGiocataSistema> sistemi_;
    std::array<std::int64_t, 7> vinciteSchedine_{};
    std::array<std::int64_t, 7> vinciteIntegrali_{};
    std::array<std::int64_t, 7> vinciteSistemi_{};
};

// The moment as a day count from 30 December 1899 (local time) and the fraction of the day.
void MomentoAttuale(double& data, double& ora);
// "dd/mm/yyyy" and "hh.mm.ss" of a day count and a day fraction.
std::string TestoData(double data);
std::string TestoOra(double ora);

} // namespace tessaline
