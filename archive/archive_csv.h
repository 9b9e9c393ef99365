#pragma once
// The winning column as text (as the update window shows and reads it) and the archive as a CSV
// table "anno,numero,tipo,colonna", for bringing past results in from a spreadsheet and out again.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/contest_archive.h"

namespace tessaline {

// 12 characters, one per team: "0", "1", "2", "M" for a single sign, "*" for anything else.
std::string TestoColonnaVincente(const Colonna& c);
// Reads a typed winning column: blanks anywhere are dropped; valid when exactly 12 characters remain,
// each "0", "1", "2", "M" (or "m") or "*" (unknown, stored as 0). False leaves out unchanged.
bool LeggiColonnaVincente(std::string_view text, Colonna& out);

inline constexpr const char* kIntestazioneCsv = "anno,numero,tipo,colonna";

// The whole archive in list order: the header line, then one line per contest ("2024,7,Calcio,
// 01M2*..."), every line ending with CR LF.
std::string EsportaCsv(const T_Archivio& archivio);

// What an import found wrong: the 1-based line number of the file and the reason, in Italian.
struct TErroreCsv {
    std::size_t Riga = 0;
    std::string Motivo;
    std::string Messaggio() const;
};

// Reads a CSV table into contests sorted by (Anno, Numero). The header must name the four columns
// (',' or ';' between fields, CR LF or LF line ends, blank lines skipped, fields may be quoted).
// Every line is checked; the first bad line (or a second contest with the same season and number,
// or a table without contests) gives the error and no contest. Completo is computed from the column.
std::optional<TErroreCsv> ImportaCsv(std::string_view text, std::vector<T_Concorso>& out);

} // namespace tessaline
