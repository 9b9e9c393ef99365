#pragma once
// Conversions between the engine's UTF-8 std::string and QString.

#include <QString>
#include <string>

namespace tessaline {

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString Q(const char* s) {
    return QString::fromUtf8(s);
}
inline std::string S(const QString& s) {
    return s.toStdString();
}

} // namespace tessaline
