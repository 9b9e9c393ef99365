#include "reduce/cell_index.h"

namespace tessaline {

namespace {

// Index of the single sign of a set with exactly one of the low four bits.
inline int SignIndex(SignSet s) {
    return s == kSign0 ? 0 : s == kSign1 ? 1 : s == kSign2 ? 2 : 3;
}

} // namespace

int TCellIndex::UnitValue(const Colonna& c, int u) const {
    return distance_ == TDistanceKind::WrongTeams ? SignIndex(c[u])
                                                  : 4 * SignIndex(c[2 * u]) + SignIndex(c[2 * u + 1]);
}

TCellIndex::TCellIndex(std::span<const Colonna> columns, TDistanceKind distance, CancelProbe* cancel)
    : distance_(distance) {
    // Building the index of a large list takes a while: look for "Annulla" meanwhile.
    constexpr std::size_t kLook = 65536;
    const auto stop = [&](std::size_t i) {
        if (cancel != nullptr && i % kLook == 0 && cancel->Peek()) {
            stopped_ = true;
        }
        return stopped_;
    };
    const std::size_t n = columns.size();
    units_ = (distance == TDistanceKind::WrongTeams) ? 12 : 6;
    std::vector<std::uint8_t> raw(n * static_cast<std::size_t>(units_));
    bool present[12][16] = {};
    for (std::size_t i = 0; i < n; ++i) {
        if (stop(i)) {
            return;
        }
        for (int u = 0; u < units_; ++u) {
            const int v = UnitValue(columns[i], u);
            raw[i * static_cast<std::size_t>(units_) + static_cast<std::size_t>(u)] =
                static_cast<std::uint8_t>(v);
            present[u][v] = true;
        }
    }
    std::int64_t stride = 1;
    for (int u = units_ - 1; u >= 0; --u) {
        int r = 0;
        for (int v = 0; v < 16; ++v) {
            local_[u][v] = present[u][v] ? r++ : -1;
        }
        radix_[u] = r;
        stride_[u] = stride;
        stride *= r;
        if (r > 1) {
            active_.insert(active_.begin(), u);
        }
    }
    posOfCell_.assign(static_cast<std::size_t>(stride), -1);
    digits_.resize(raw.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (stop(i)) {
            return;
        }
        std::int64_t cell = 0;
        for (int u = 0; u < units_; ++u) {
            const std::size_t at = i * static_cast<std::size_t>(units_) + static_cast<std::size_t>(u);
            const int d = local_[u][raw[at]];
            digits_[at] = static_cast<std::uint8_t>(d);
            cell += d * stride_[u];
        }
        posOfCell_[static_cast<std::size_t>(cell)] = static_cast<std::int32_t>(i);
    }
}

std::int32_t TCellIndex::Find(const Colonna& c) const {
    if (posOfCell_.empty()) {
        return -1;
    }
    std::int64_t cell = 0;
    for (int u = 0; u < units_; ++u) {
        for (int t = (distance_ == TDistanceKind::WrongTeams ? u : 2 * u);
             t <= (distance_ == TDistanceKind::WrongTeams ? u : 2 * u + 1); ++t) {
            const SignSet s = c[t];
            if (s != kSign0 && s != kSign1 && s != kSign2 && s != kSignM) {
                return -1;
            }
        }
        const int d = local_[u][UnitValue(c, u)];
        if (d < 0) {
            return -1;
        }
        cell += d * stride_[u];
    }
    return posOfCell_[static_cast<std::size_t>(cell)];
}

} // namespace tessaline
