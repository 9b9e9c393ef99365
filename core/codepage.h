#pragma once
// Text inside the program is UTF-8; text in files is Windows-1252. Convert only at the file boundary.

#include <string>
#include <string_view>

namespace tessaline {

// Every byte becomes its Windows-1252 character in UTF-8 (the five unassigned bytes map to the
// control characters of the same value).
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters Windows-1252 cannot hold, and malformed UTF-8, become "?".
std::string Utf8ToCp1252(std::string_view utf8);

} // namespace tessaline
