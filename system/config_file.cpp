#include "system/config_file.h"

#include <algorithm>
#include <cmath>
#include <fmt/format.h>

#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/errors.h"
#include "core/paths.h"

namespace tessaline {

namespace {

constexpr std::size_t kPathWidth = 256;
constexpr std::size_t kShopWidth = 61;
constexpr std::size_t kFontWidth = 31;

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

namespace {

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

} // namespace

std::vector<std::uint8_t> TrailingBlockBytes(const TProgramSettings& s) {
    TByteWriter w;
    if (s.updateHost != kDefaultUpdateHost && ValidHost(s.updateHost)) {
        w.Bytes(kTagUpdateHost, 4);
        w.U32(static_cast<std::uint32_t>(s.updateHost.size()));
        w.Bytes(s.updateHost.data(), s.updateHost.size());
    }
    return w.Data();
}

void ParseTrailingBlock(std::span<const std::uint8_t> block, TProgramSettings& s) {
    s.updateHost = kDefaultUpdateHost;
    TByteReader r(block);
    while (!r.AtEnd()) {
        char tag[4];
        std::uint32_t length = 0;
        if (!r.Bytes(tag, 4) || !r.U32(length) || length > r.Rest().size()) {
            return;
        }
        const auto payload = r.Rest().first(length);
        r.Skip(length);
        if (std::equal(tag, tag + 4, kTagUpdateHost)) {
            const std::string host(payload.begin(), payload.end());
            if (ValidHost(host)) {
                s.updateHost = host;
            }
        }
    }
}

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
    const std::vector<std::uint8_t> block = TrailingBlockBytes(s);
    w.Bytes(block.data(), block.size());
    return w.Data();
}

bool ParseConfig(std::span<const std::uint8_t> data, TProgramSettings& out) {
    TProgramSettings s = out;
    TByteReader r(data);
    if (!r.F64(s.costLire) || !r.F64(s.costEuro) || !std::isfinite(s.costLire) ||
        !std::isfinite(s.costEuro) || s.costLire < 0 || s.costEuro < 0 || !FlagBool(r, s.costsInEuro) ||
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
    ParseTrailingBlock(r.Rest(), s);
    out = std::move(s);
    return true;
}

bool ReadConfigFile(const std::filesystem::path& file, TProgramSettings& s) {
    std::vector<std::uint8_t> bytes;
    if (ReadWholeFile(file, bytes, 1 << 20) && ParseConfig(bytes, s)) {
        s.backgroundPicture = s.backgroundPicture.empty()
                                  ? DefaultBackgroundPath()
                                  : ResolveStoredPath(s.backgroundPicture, TFolder::Sfondi).string();
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
