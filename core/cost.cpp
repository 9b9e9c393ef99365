#include "core/cost.h"

#include <cmath>
#include <fmt/format.h>

namespace tessaline {

const char* CurrencySign(bool euro) {
    return euro ? "\xE2\x82\xAC" : "\xC2\xA3";
}

namespace {
std::string GroupThousands(const std::string& digits) {
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        out.push_back(digits[i]);
        const std::size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0) {
            out.push_back('.');
        }
    }
    return out;
}
} // namespace

std::string FormatAmount(double amount, bool euro) {
    std::string text = euro ? fmt::format("{:.2f}", amount) : fmt::format("{:.0f}", amount);
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        text.erase(0, 1);
    }
    std::string intPart = text;
    std::string frac;
    if (const auto dot = text.find('.'); dot != std::string::npos) {
        intPart = text.substr(0, dot);
        frac = text.substr(dot + 1);
    }
    std::string out = GroupThousands(intPart);
    if (!frac.empty()) {
        out.push_back(',');
        out.append(frac);
    }
    if (negative && out.find_first_not_of("0.,") != std::string::npos) {
        out.insert(0, "-");
    }
    return out;
}

std::string FormatCount(std::int64_t n) {
    if (n < 0) {
        return "-" + GroupThousands(std::to_string(-n));
    }
    return GroupThousands(std::to_string(n));
}

std::string CostText(double amount, bool euro, int participants) {
    if (participants >= 2) {
        return fmt::format("{} {} 1/{}", CurrencySign(euro), FormatAmount(amount / participants, euro),
                           participants);
    }
    return fmt::format("{} {}", CurrencySign(euro), FormatAmount(amount, euro));
}

} // namespace tessaline
