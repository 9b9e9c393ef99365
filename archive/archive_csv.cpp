#include "archive/archive_csv.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fmt/format.h>
#include <map>
#include <utility>

namespace tessaline {

namespace {

// The seasons the update window can show (second year 1900 to 2099) and the contest numbers.
constexpr std::int32_t kAnnoMin = 1899;
constexpr std::int32_t kAnnoMax = 2098;
constexpr int kNumeroMax = 99;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// The fields of one line; a field in double quotes loses them (a doubled quote stands for one).
std::vector<std::string> Campi(std::string_view line, char sep) {
    std::vector<std::string> out;
    std::string cur;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cur.push_back('"');
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                cur.push_back(ch);
            }
        } else if (ch == '"' && Trim(cur).empty()) {
            cur.clear();
            quoted = true;
        } else if (ch == sep) {
            out.emplace_back(Trim(cur));
            cur.clear();
        } else {
            cur.push_back(ch);
        }
    }
    out.emplace_back(Trim(cur));
    return out;
}

std::string Minuscolo(std::string_view s) {
    std::string out(s);
    for (char& ch : out) {
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    }
    return out;
}

bool Intero(std::string_view s, long lo, long hi, long& out) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
    }
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size() && out >= lo && out <= hi;
}

} // namespace

std::string TestoColonnaVincente(const Colonna& c) {
    std::string out;
    for (const SignSet s : c.s) {
        switch (s) {
        case kSign0:
            out.push_back('0');
            break;
        case kSign1:
            out.push_back('1');
            break;
        case kSign2:
            out.push_back('2');
            break;
        case kSignM:
            out.push_back('M');
            break;
        default:
            out.push_back('*');
        }
    }
    return out;
}

bool LeggiColonnaVincente(std::string_view text, Colonna& out) {
    Colonna c;
    std::size_t n = 0;
    for (const char ch : text) {
        if (ch == ' ' || ch == '\t') {
            continue;
        }
        if (n == kTeams) {
            return false;
        }
        const std::optional<SignSet> s = ch == '*' ? SignSet{0} : SignOfLetter(ch);
        if (!s) {
            return false;
        }
        c.s[n++] = *s;
    }
    if (n != kTeams) {
        return false;
    }
    out = c;
    return true;
}

std::string EsportaCsv(const T_Archivio& archivio) {
    std::string out = std::string(kIntestazioneCsv) + "\r\n";
    for (const T_Concorso& c : archivio.Concorsi()) {
        out += fmt::format("{},{},{},{}\r\n", c.Anno, c.Numero, TestoTipo(c.Tipo),
                           TestoColonnaVincente(c.ColonnaVincente));
    }
    return out;
}

std::string TErroreCsv::Messaggio() const {
    return Riga == 0 ? Motivo : fmt::format("Riga {}: {}", Riga, Motivo);
}

std::optional<TErroreCsv> ImportaCsv(std::string_view text, std::vector<T_Concorso>& out) {
    out.clear();
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    std::vector<T_Concorso> concorsi;
    std::map<std::pair<std::int32_t, int>, std::size_t> visti; // (Anno, Numero) -> line
    bool header = false;
    char sep = ',';
    std::size_t riga = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++riga;
        if (line.empty()) {
            continue;
        }
        if (!header) {
            sep = line.find(';') != std::string_view::npos && line.find(',') == std::string_view::npos ? ';'
                                                                                                       : ',';
            const std::vector<std::string> h = Campi(Minuscolo(line), sep);
            if (h != std::vector<std::string>{"anno", "numero", "tipo", "colonna"}) {
                return TErroreCsv{riga, fmt::format("l'intestazione deve essere \"{}\"", kIntestazioneCsv)};
            }
            header = true;
            continue;
        }
        const std::vector<std::string> f = Campi(line, sep);
        if (f.size() != 4) {
            return TErroreCsv{
                riga, fmt::format("servono 4 campi (anno, numero, tipo, colonna), ce ne sono {}", f.size())};
        }
        T_Concorso c;
        long anno = 0;
        if (!Intero(f[0], kAnnoMin, kAnnoMax, anno)) {
            return TErroreCsv{riga,
                              fmt::format("anno non valido: \"{}\" (da {} a {})", f[0], kAnnoMin, kAnnoMax)};
        }
        long numero = 0;
        if (!Intero(f[1], 1, kNumeroMax, numero)) {
            return TErroreCsv{riga, fmt::format("numero non valido: \"{}\" (da 1 a {})", f[1], kNumeroMax)};
        }
        const std::string tipo = Minuscolo(f[2]);
        if (tipo == "calcio") {
            c.Tipo = 1;
        } else if (tipo == "basket") {
            c.Tipo = 2;
        } else {
            return TErroreCsv{riga, fmt::format("tipo non valido: \"{}\" (Calcio o Basket)", f[2])};
        }
        if (!LeggiColonnaVincente(f[3], c.ColonnaVincente)) {
            return TErroreCsv{
                riga, fmt::format("colonna vincente non valida: \"{}\" (12 segni fra 0, 1, 2, M e *)", f[3])};
        }
        c.Anno = static_cast<std::int32_t>(anno);
        c.Numero = static_cast<std::uint8_t>(numero);
        c.AggiornaCompleto();
        const auto [it, nuovo] = visti.emplace(std::make_pair(c.Anno, static_cast<int>(c.Numero)), riga);
        if (!nuovo) {
            return TErroreCsv{riga, fmt::format("il concorso {}/{} Nº {} compare già alla riga {}", c.Anno,
                                                c.Anno + 1, numero, it->second)};
        }
        concorsi.push_back(c);
    }
    if (!header) {
        return TErroreCsv{riga == 0 ? 1 : riga,
                          fmt::format("l'intestazione deve essere \"{}\"", kIntestazioneCsv)};
    }
    if (concorsi.empty()) {
        return TErroreCsv{0, "Il file non contiene alcun concorso."};
    }
    std::stable_sort(concorsi.begin(), concorsi.end(),
                     [](const T_Concorso& a, const T_Concorso& b) { return a.Precede(b); });
    out = std::move(concorsi);
    return std::nullopt;
}

} // namespace tessaline
