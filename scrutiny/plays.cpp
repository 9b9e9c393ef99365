#include "scrutiny/plays.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <fmt/format.h>

#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/errors.h"
#include "core/paths.h"

namespace tessaline {

namespace {
constexpr std::size_t kColumnBytes = 12;
constexpr std::size_t kCouponBytes = 3 * kColumnBytes;
// doppie, triple, quadruple, date, time, column count
constexpr std::size_t kSystemHeaderBytes = 4 + 4 + 4 + 8 + 8 + 4;

bool IsZero(const Colonna& c) {
    return c == Colonna{};
}

bool ReadColumn(TByteReader& r, Colonna& c) {
    if (!r.Bytes(c.s.data(), kColumnBytes)) {
        return false;
    }
    MaskSigns(c);
    return true;
}

// A count that the remaining bytes can hold at recordBytes each.
bool ReadCount(TByteReader& r, std::size_t recordBytes, std::size_t& count) {
    std::int32_t n = 0;
    if (!r.I32(n) || n < 0) {
        return false;
    }
    count = static_cast<std::size_t>(n);
    return count <= r.Remaining() / recordBytes;
}

template <class F> void EachSingle(const Colonna& c, F&& f) {
    ExpandColumn(c, f);
}
} // namespace

std::filesystem::path TArchivioGiocate::NomeFile() const {
    return FolderPath(TFolder::ArchivioGiocate) / ("Concorso_" + std::to_string(concorso_) + ".dat");
}

std::vector<std::uint8_t> TArchivioGiocate::Serializza() const {
    TByteWriter w;
    w.I32(static_cast<std::int32_t>(schedine_.size()));
    for (const auto& s : schedine_) {
        for (const auto& c : s.colonne) {
            w.Bytes(c.s.data(), kColumnBytes);
        }
    }
    w.I32(static_cast<std::int32_t>(integrali_.size()));
    for (const auto& i : integrali_) {
        w.Bytes(i.colonna.s.data(), kColumnBytes);
    }
    w.I32(static_cast<std::int32_t>(sistemi_.size()));
    for (const auto& s : sistemi_) {
        w.I32(s.doppie);
        w.I32(s.triple);
        w.I32(s.quadruple);
        w.F64(s.data);
        w.F64(s.ora);
        w.I32(s.colonne.Count());
        for (const Colonna& c : s.colonne) {
            w.Bytes(c.s.data(), kColumnBytes);
        }
    }
    return std::move(w.Data());
}

bool TArchivioGiocate::Deserializza(std::span<const std::uint8_t> bytes) {
    schedine_.clear();
    integrali_.clear();
    sistemi_.clear();
    TByteReader r(bytes);
    std::vector<TGiocataSchedina> coupons;
    std::vector<TGiocataIntegrale> integrals;
    std::vector<TGiocataSistema> systems;
    std::size_t n = 0;
    if (!ReadCount(r, kCouponBytes, n)) {
        return false;
    }
    coupons.resize(n);
    for (auto& s : coupons) {
        for (auto& c : s.colonne) {
            if (!ReadColumn(r, c)) {
                return false;
            }
        }
    }
    if (!ReadCount(r, kColumnBytes, n)) {
        return false;
    }
    integrals.resize(n);
    for (auto& i : integrals) {
        if (!ReadColumn(r, i.colonna)) {
            return false;
        }
    }
    if (!ReadCount(r, kSystemHeaderBytes, n)) {
        return false;
    }
    for (std::size_t k = 0; k < n; ++k) {
        TGiocataSistema s;
        std::size_t columns = 0;
        if (!r.I32(s.doppie) || !r.I32(s.triple) || !r.I32(s.quadruple) || !r.F64(s.data) || !r.F64(s.ora) ||
            !ReadCount(r, kColumnBytes, columns)) {
            return false;
        }
        s.colonne.Reserve(columns);
        for (std::size_t j = 0; j < columns; ++j) {
            Colonna c;
            if (!ReadColumn(r, c)) {
                return false;
            }
            s.colonne.Append(c);
        }
        systems.push_back(std::move(s));
    }
    schedine_ = std::move(coupons);
    integrali_ = std::move(integrals);
    sistemi_ = std::move(systems);
    return true;
}

void TArchivioGiocate::CaricaArchivio() {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(NomeFile(), bytes) || !Deserializza(bytes)) {
        schedine_.clear();
        integrali_.clear();
        sistemi_.clear();
    }
}

void TArchivioGiocate::SalvaArchivio() const {
    std::error_code ec;
    std::filesystem::create_directories(NomeFile().parent_path(), ec);
    if (!SaveFileAtomic(NomeFile(), Serializza())) {
        throw EInOutError(msg::kImpossibileSalvareGiocate);
    }
}

void TArchivioGiocate::AggiungiSchedina(const Colonna& c1, const Colonna& c2, const Colonna& c3) {
    schedine_.push_back(TGiocataSchedina{{c1, c2, c3}});
}

void TArchivioGiocate::AggiungiIntegrale(const Colonna& c) {
    integrali_.push_back(TGiocataIntegrale{c});
}

void TArchivioGiocate::AggiungiSistema(const TListaColonne& list, std::int32_t doppie, std::int32_t triple,
                                       std::int32_t quadruple) {
    double data = 0.0;
    double ora = 0.0;
    MomentoAttuale(data, ora);
    AggiungiSistema(list, doppie, triple, quadruple, data, ora);
}

void TArchivioGiocate::AggiungiSistema(const TListaColonne& list, std::int32_t doppie, std::int32_t triple,
                                       std::int32_t quadruple, double data, double ora) {
    TGiocataSistema s;
    s.colonne = list;
    s.doppie = doppie;
    s.triple = triple;
    s.quadruple = quadruple;
    s.data = data;
    s.ora = ora;
    sistemi_.push_back(std::move(s));
}

double TArchivioGiocate::VolumeGioco(double costPerColumn) const {
    std::int64_t columns = 0;
    for (const auto& s : schedine_) {
        for (const auto& c : s.colonne) {
            if (!IsZero(c)) {
                columns += ColumnsCovered(c);
            }
        }
    }
    for (const auto& i : integrali_) {
        columns += ColumnsCovered(i.colonna);
    }
    for (const auto& s : sistemi_) {
        for (const Colonna& c : s.colonne) {
            columns += ColumnsCovered(c);
        }
    }
    return static_cast<double>(columns) * costPerColumn;
}

void TArchivioGiocate::EseguiSpoglio(const Colonna& winning) {
    vinciteSchedine_ = {};
    vinciteIntegrali_ = {};
    vinciteSistemi_ = {};
    const auto count = [&](std::array<std::int64_t, 7>& into) {
        return [&into, &winning](const Colonna& single) {
            ++into[static_cast<std::size_t>(6 - WrongMatches(winning, single))];
        };
    };
    for (const auto& s : schedine_) {
        for (const auto& c : s.colonne) {
            if (!IsZero(c)) {
                EachSingle(c, count(vinciteSchedine_));
            }
        }
    }
    for (const auto& i : integrali_) {
        EachSingle(i.colonna, count(vinciteIntegrali_));
    }
    for (auto& s : sistemi_) {
        s.vincite = {};
        for (const Colonna& c : s.colonne) {
            EachSingle(c, count(s.vincite));
        }
        for (std::size_t p = 0; p < 7; ++p) {
            vinciteSistemi_[p] += s.vincite[p];
        }
    }
}

void MomentoAttuale(double& data, double& ora) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Days from 30 December 1899 to the local calendar date.
    const std::chrono::year_month_day ymd{std::chrono::year{local.tm_year + 1900},
                                          std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                          std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
    const std::chrono::sys_days epoch = std::chrono::year{1899} / std::chrono::December / 30;
    data = static_cast<double>((std::chrono::sys_days{ymd} - epoch).count());
    ora = (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
}

std::string TestoData(double data) {
    const std::chrono::sys_days epoch = std::chrono::year{1899} / std::chrono::December / 30;
    const std::chrono::year_month_day ymd{epoch + std::chrono::days{static_cast<long>(std::floor(data))}};
    return fmt::format("{:02}/{:02}/{:04}", static_cast<unsigned>(ymd.day()),
                       static_cast<unsigned>(ymd.month()), static_cast<int>(ymd.year()));
}

std::string TestoOra(double ora) {
    auto seconds = static_cast<long>(std::lround((ora - std::floor(ora)) * 86400.0));
    if (seconds >= 86400) {
        seconds = 86399;
    }
    return fmt::format("{:02}.{:02}.{:02}", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

} // namespace tessaline
