#include "core/text_lines.h"

#include <cstdint>

#include "core/codepage.h"

namespace tessaline {

namespace {
constexpr std::int32_t kFineRighe = -1;
}

void ScriviRighe(TByteWriter& w, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        const std::string bytes = Utf8ToCp1252(line);
        w.I32(static_cast<std::int32_t>(bytes.size()));
        w.Bytes(bytes.data(), bytes.size());
    }
    w.I32(kFineRighe);
}

bool LeggiRighe(TByteReader& r, std::vector<std::string>& lines) {
    lines.clear();
    std::int32_t len = 0;
    if (!r.I32(len)) {
        return false;
    }
    while (len != kFineRighe) {
        if (len < 0 || static_cast<std::size_t>(len) > r.Remaining()) {
            return false;
        }
        std::string bytes(static_cast<std::size_t>(len), '\0');
        if (!r.Bytes(bytes.data(), bytes.size())) {
            return false;
        }
        lines.push_back(Cp1252ToUtf8(bytes));
        if (!r.I32(len)) {
            return false;
        }
    }
    return true;
}

} // namespace tessaline
