#include "system/config_file.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>
#include <string_view>

#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/errors.h"
#include "core/paths.h"

namespace tessaline {

namespace {

constexpr std::size_t kPathWidth = 256;
constexpr std::size_t kShopWidth = 61;
constexpr std::size_t kFontWidth = 31;
// The largest column costs the settings dialog can give (10,000 lire; 10 euro and 999 cents).
constexpr double kMaxCostLire = 10000;
constexpr double kMaxCostEuro = 20;

void WriteSet(TByteWriter& w, const T_TaraturaSet& t) {
    for (double v : {t.XPrimaCol, t.YPrimaCol, t.DistanzaSegniOriz, t.DistanzaSegniVert, t.DistanzaColonne,
                     t.ScrittaX, t.ScrittaY, t.LQuadratini, t.AQuadratini}) {
        w.F64(v);
    }
}

bool ReadSet(TByteReader& r, T_TaraturaSet& t) {
    for (double* v : {&t.XPrimaCol, &t.YPrimaCol, &t.DistanzaSegniOriz, &t.DistanzaSegniVert,
                      &t.DistanzaColonne, &t.ScrittaX, &t.ScrittaY, &t.LQuadratini, &t.AQuadratini}) {
        if (!r.F64(*v) || !std::isfinite(*v)) {
            return false;
        }
    }
    return true;
}

bool Flag(TByteReader& r, std::uint8_t& v) {
    return r.U8(v) && v <= 1;
}

bool FlagBool(TByteReader& r, bool& b) {
    std::uint8_t v = 0;
    if (!Flag(r, v)) {
        return false;
    }
    b = v != 0;
    return true;
}

// A length-prefixed field whose length byte fits the field.
bool PStr(TByteReader& r, std::string& s, std::size_t width) {
    const auto rest = r.Rest();
    if (rest.size() < width || rest[0] > width - 1) {
        return false;
    }
    return r.PString(s, width);
}

// The background picture is the user's own choice, kept in the program's own file: an absolute path
// whose folder exists here stays; anything else follows the rule for stored paths ("SFONDI").
std::string PicturePath(const std::string& stored) {
    const std::filesystem::path p(stored);
    std::error_code ec;
    if (stored.find('\0') == std::string::npos && stored.find('\\') == std::string::npos && p.is_absolute() &&
        std::filesystem::is_directory(p.parent_path(), ec)) {
        return stored;
    }
    return ResolveStoredPath(stored, TFolder::Sfondi).string();
}

constexpr char kTagUpdateHost[4] = {'H', 'O', 'S', 'T'};
constexpr std::size_t kMaxHostLength = 255;

bool ValidHost(std::string_view host) {
    if (host.empty() || host.size() > kMaxHostLength) {
        return false;
    }
    for (char c : host) {
        if (c <= ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

void WriteRecord(TByteWriter& w, const char* tag, const TByteWriter& payload) {
    w.Bytes(tag, 4);
    w.U16(static_cast<std::uint16_t>(payload.Size()));
    w.Bytes(payload.Data().data(), payload.Size());
}

void WriteTrailingBlock(TByteWriter& w, const TProgramSettings& s) {
    TByteWriter improve;
    improve.U8(s.improvedReduction ? 1 : 0);
    improve.I32(s.improveSeconds);
    WriteRecord(w, kImproveTag, improve);
    if (s.maxThreads > 0 && s.maxThreads <= kMaxThreads) {
        TByteWriter threads;
        threads.I32(s.maxThreads);
        WriteRecord(w, kThreadsTag, threads);
    }
    if (s.updateHost != kDefaultUpdateHost && ValidHost(s.updateHost)) {
        TByteWriter host;
        host.Bytes(s.updateHost.data(), s.updateHost.size());
        WriteRecord(w, kTagUpdateHost, host);
    }
}

// Reads the records after the fixed part into s; a record that does not parse leaves its settings
// as they were, and a truncated block ends the reading.
void ReadTrailingBlock(TByteReader& r, TProgramSettings& s) {
    s.updateHost = kDefaultUpdateHost;
    while (r.Remaining() >= 6) {
        char tag[4];
        std::uint16_t length = 0;
        if (!r.Bytes(tag, 4) || !r.U16(length) || length > r.Remaining()) {
            return;
        }
        const auto payload = r.Rest().first(length);
        r.Skip(length);
        if (std::string_view(tag, 4) == std::string_view(kImproveTag, 4)) {
            TByteReader p(payload);
            bool on = false;
            std::int32_t seconds = 0;
            if (FlagBool(p, on) && p.I32(seconds) && seconds >= 1 && seconds <= kMaxImproveSeconds) {
                s.improvedReduction = on;
                s.improveSeconds = seconds;
            }
        } else if (std::string_view(tag, 4) == std::string_view(kThreadsTag, 4)) {
            TByteReader p(payload);
            std::int32_t threads = 0;
            if (p.I32(threads) && threads >= 1 && threads <= kMaxThreads) {
                s.maxThreads = threads;
            }
        } else if (std::string_view(tag, 4) == std::string_view(kTagUpdateHost, 4)) {
            const std::string host(payload.begin(), payload.end());
            if (ValidHost(host)) {
                s.updateHost = host;
            }
        }
    }
}

} // namespace

std::string VersionText(int version) {
    std::string text = fmt::format("{:.2f}", version / 100.0);
    if (text.find("00") != std::string::npos && text.size() >= 4) {
        text.erase(3, 1);
    }
    return text;
}

std::string DefaultBackgroundPath() {
    return (FolderPath(TFolder::Sfondi) / kDefaultBackground).string();
}

TProgramSettings DefaultSettings() {
    TProgramSettings s;
    s.backgroundPicture = DefaultBackgroundPath();
    return s;
}

// ---- Trailing block of tagged records ----

std::vector<std::uint8_t> ConfigBytes(const TProgramSettings& s) {
    TByteWriter w;
    w.F64(s.costLire);
    w.F64(s.costEuro);
    w.U8(s.costsInEuro ? 1 : 0);
    w.PString(s.backgroundPicture, kPathWidth);
    w.U8(s.automaticMerge ? 1 : 0);
    w.U8(s.saveColumnsWithSystem ? 1 : 0);
    w.U8(s.reloadLastCoupon ? 1 : 0);
    for (const std::string& line : s.shopData) {
        w.PString(line, kShopWidth);
    }
    const T_Taratura& t = s.taratura;
    WriteSet(w, t.set[0]);
    WriteSet(w, t.set[1]);
    w.U8(t.OrizzontalePredefinito);
    w.I32(t.ColonnePerSchedina);
    w.U8(t.StampaScritta);
    w.U8(t.StampaConcorso);
    const TImpTabulato& tab = s.tabulato;
    w.I32(tab.SpaziaturaOriz);
    w.I32(tab.SpaziaturaVert);
    w.PString(tab.FontName, kFontWidth);
    w.I32(tab.FontSize);
    w.I32(tab.FontStyle);
    s.ricerca.Scrivi(w);
    WriteTrailingBlock(w, s);
    return w.Data();
}

bool ParseConfig(std::span<const std::uint8_t> data, TProgramSettings& out) {
    TProgramSettings s = out;
    TByteReader r(data);
    if (!r.F64(s.costLire) || !r.F64(s.costEuro) || !std::isfinite(s.costLire) ||
        !std::isfinite(s.costEuro) || s.costLire < 0 || s.costEuro < 0 || s.costLire > kMaxCostLire ||
        s.costEuro > kMaxCostEuro || !FlagBool(r, s.costsInEuro) ||
        !PStr(r, s.backgroundPicture, kPathWidth) || !FlagBool(r, s.automaticMerge) ||
        !FlagBool(r, s.saveColumnsWithSystem) || !FlagBool(r, s.reloadLastCoupon)) {
        return false;
    }
    for (std::string& line : s.shopData) {
        if (!PStr(r, line, kShopWidth)) {
            return false;
        }
    }
    T_Taratura& t = s.taratura;
    if (!ReadSet(r, t.set[0]) || !ReadSet(r, t.set[1]) || !Flag(r, t.OrizzontalePredefinito) ||
        !r.I32(t.ColonnePerSchedina) || t.ColonnePerSchedina < 1 || t.ColonnePerSchedina > 3 ||
        !Flag(r, t.StampaScritta) || !Flag(r, t.StampaConcorso)) {
        return false;
    }
    TImpTabulato& tab = s.tabulato;
    if (!r.I32(tab.SpaziaturaOriz) || !r.I32(tab.SpaziaturaVert) || !PStr(r, tab.FontName, kFontWidth) ||
        !r.I32(tab.FontSize) || !r.I32(tab.FontStyle) || tab.FontStyle < 0 || tab.FontStyle > 15) {
        return false;
    }
    T_ImpostazioniRicerca& rc = s.ricerca;
    if (!rc.Leggi(r)) {
        return false;
    }
    for (std::uint8_t f : {rc.IgnoraColonneFiltro, rc.IgnoraRipetizioni, rc.IgnoraPercentuali, rc.Categoria1,
                           rc.Categoria12, rc.Categoria123}) {
        if (f > 1) {
            return false;
        }
    }
    ReadTrailingBlock(r, s);
    out = std::move(s);
    return true;
}

bool ReadConfigFile(const std::filesystem::path& file, TProgramSettings& s) {
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(file, bytes, 1 << 20) && ParseConfig(bytes, s)) {
        s.backgroundPicture =
            s.backgroundPicture.empty() ? DefaultBackgroundPath() : PicturePath(s.backgroundPicture);
        return true;
    }
    s.backgroundPicture = DefaultBackgroundPath();
    s.taratura = T_Taratura{};
    return false;
}

bool WriteConfigFile(const std::filesystem::path& file, const TProgramSettings& s) {
    return SaveFileAtomic(file, ConfigBytes(s));
}

void LeggiConfigurazione(TProgramSettings& s) {
    ReadConfigFile(ProgramDir() / kConfigFileName, s);
}

void SalvaConfigurazione(const TProgramSettings& s) {
    if (!WriteConfigFile(ProgramDir() / kConfigFileName, s)) {
        throw EInOutError(msg::kImpossibileSalvareConfigurazione);
    }
}

} // namespace tessaline
