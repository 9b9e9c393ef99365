#include "system/system_file.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "conditions/condition_set.h"
#include "conditions/set_record.h"
#include "core/atomic_file.h"
#include "core/binary_io.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/paths.h"
#include "core/text_lines.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

constexpr std::size_t kPathWidth = 256;
constexpr std::size_t kTeamWidth = 13;
// A system file holds no more than this many bytes (every distinct column plus the document).
constexpr std::size_t kMaxFileSistema = (std::size_t{1} << 24) * 12 + (std::size_t{64} << 20);

void ScriviGriglia(TByteWriter& w, const TeamGrid& g) {
    for (const auto& team : g) {
        for (std::int32_t v : team) {
            w.I32(v);
        }
    }
}

bool LeggiGriglia(TByteReader& r, TeamGrid& g) {
    for (auto& team : g) {
        for (std::int32_t& v : team) {
            if (!r.I32(v)) {
                return false;
            }
        }
    }
    return true;
}

// What a system file holds besides the program settings, read before anything is applied.
struct TLettura {
    TDatiSistema dati;
    std::unique_ptr<TInsiemeCondizioni> insieme;
    std::vector<std::string> comment;
    std::vector<std::string> participants;
    std::int32_t participantCount = 1;
    std::uint8_t participantNamesFlag = 1;
    TListaColonne colonne;
    std::int32_t versione = 0;
};

bool Leggi(TByteReader& r, TLettura& L) {
    TDatiSistema& d = L.dati;
    if (!r.I32(L.versione) || !r.I32(d.ContestNumber)) {
        return false;
    }
    for (std::string& name : d.teamNames) {
        if (!r.PString(name, kTeamWidth)) {
            return false;
        }
    }
    if (!r.Bytes(d.Forecast.s.data(), kTeams) || !r.Bytes(d.reserved.data(), d.reserved.size()) ||
        !LeggiGriglia(r, d.TeamValues) || !LeggiGriglia(r, d.TeamPercentages)) {
        return false;
    }
    MaskSigns(d.Forecast);
    if (!LeggiInsieme(*L.insieme, r, L.versione) || !LeggiLink(*L.insieme, r)) {
        return false;
    }
    std::string stored;
    if (!r.U8(d.SourceForecast) || !r.PString(stored, kPathWidth)) {
        return false;
    }
    d.SourceFile = ResolveStoredPath(stored, TFolder::Colonne).string();

    TImpostazioniSviluppo& s = d.sviluppo;
    s = TImpostazioniSviluppo::Defaults();
    for (std::uint8_t* v : {&s.UseConditions, &s.ReducedDevelopment, &s.MinDistanceMode, &s.DestinationMemory,
                            &s.OptimisedReduction, &s.Guarantee, &s.MinDistance, &s.Passes}) {
        if (!r.U8(*v)) {
            return false;
        }
    }
    if (!r.PString(stored, kPathWidth)) {
        return false;
    }
    s.DestinationFile = ResolveStoredPath(stored, TFolder::Colonne).string();
    const bool nuovo = L.versione >= kVersioneSistema;
    if (nuovo) {
        if (!r.U8(s.AutoRecalc) || !r.U8(s.RealCalculation) || !r.Bytes(s.IntegralBases.data(), kTeams)) {
            return false;
        }
        for (auto& match : s.PairTable.p) {
            if (!r.Bytes(match.data(), match.size())) {
                return false;
            }
        }
        if (!r.U8(s.PairMode)) {
            return false;
        }
    }
    if (!LeggiRighe(r, L.comment) || !LeggiRighe(r, L.participants) || !r.I32(L.participantCount)) {
        return false;
    }
    L.participantNamesFlag = 1;
    if (nuovo && !r.U8(L.participantNamesFlag)) {
        return false;
    }
    std::uint8_t columnsFlag = 0;
    if (nuovo && r.U8(columnsFlag) && columnsFlag != 0) {
        // Whole 12-byte records to the end of the file; a remainder is ignored.
        const std::size_t records = r.Remaining() / 12;
        const std::span<const std::uint8_t> rest = r.Rest();
        std::int64_t singles = 0;
        for (std::size_t i = 0; i < records; ++i) {
            Colonna c;
            std::copy_n(rest.begin() + static_cast<std::ptrdiff_t>(12 * i), 12, c.s.begin());
            MaskSigns(c);
            singles += ColumnsCovered(c);
            if (singles > kMaxColonneSistema) {
                return false;
            }
        }
        L.colonne.Reserve(static_cast<std::size_t>(singles));
        for (std::size_t i = 0; i < records; ++i) {
            Colonna c;
            std::copy_n(rest.begin() + static_cast<std::ptrdiff_t>(12 * i), 12, c.s.begin());
            MaskSigns(c);
            L.colonne.AppendExpanded(c, false);
        }
    }
    return true;
}

bool Flag(std::uint8_t v) {
    return v <= 1;
}

// Every setting the file holds, within the range the program gives it. A value outside (a guarantee
// of 6, a distance of 0, a flag of 2) marks a damaged or hostile file.
bool NeiLimiti(const TLettura& L) {
    const TDatiSistema& d = L.dati;
    const TImpostazioniSviluppo& s = d.sviluppo;
    for (std::uint8_t f :
         {d.SourceForecast, s.UseConditions, s.ReducedDevelopment, s.MinDistanceMode, s.DestinationMemory,
          s.OptimisedReduction, s.AutoRecalc, s.RealCalculation, s.PairMode, L.participantNamesFlag}) {
        if (!Flag(f)) {
            return false;
        }
    }
    if ((s.Guarantee != 4 && s.Guarantee != 5) || s.MinDistance < 2 || s.MinDistance > 10 || s.Passes < 1 ||
        s.Passes > 10) {
        return false;
    }
    for (SignSet base : s.IntegralBases) {
        if (base != 0 && base != kSign0 && base != kSign1 && base != kSign2 && base != kSignM) {
            return false;
        }
    }
    for (const auto& match : s.PairTable.p) {
        for (std::uint8_t admitted : match) {
            if (!Flag(admitted)) {
                return false;
            }
        }
    }
    return L.participantCount >= 1 && L.participantCount <= kMaxPartecipantiSistema;
}

} // namespace

std::vector<std::uint8_t> T_Sistema::ScriviFile() {
    TByteWriter w;
    w.I32(kVersioneSistema);
    w.I32(dati.ContestNumber);
    for (const std::string& name : dati.teamNames) {
        w.PString(name, kTeamWidth);
    }
    w.Bytes(dati.Forecast.s.data(), kTeams);
    w.Bytes(dati.reserved.data(), dati.reserved.size());
    ScriviGriglia(w, dati.TeamValues);
    ScriviGriglia(w, dati.TeamPercentages);
    ScriviInsieme(*insieme_, w);
    ScriviLink(*insieme_, w);
    w.U8(dati.SourceForecast);
    w.PString(dati.SourceFile, kPathWidth);
    const TImpostazioniSviluppo& s = dati.sviluppo;
    for (std::uint8_t v : {s.UseConditions, s.ReducedDevelopment, s.MinDistanceMode, s.DestinationMemory,
                           s.OptimisedReduction, s.Guarantee, s.MinDistance, s.Passes}) {
        w.U8(v);
    }
    w.PString(s.DestinationFile, kPathWidth);
    w.U8(s.AutoRecalc);
    w.U8(s.RealCalculation);
    w.Bytes(s.IntegralBases.data(), kTeams);
    for (const auto& match : s.PairTable.p) {
        w.Bytes(match.data(), match.size());
    }
    w.U8(s.PairMode);
    ScriviRighe(w, comment);
    ScriviRighe(w, participants);
    w.I32(ParticipantCount);
    w.U8(participantNamesFlag);
    if (dati.settings.saveColumnsWithSystem) {
        w.U8(1);
        for (const Colonna& c : Colonne) {
            w.Bytes(c.s.data(), kTeams);
        }
    }
    return std::move(w.Data());
}

bool T_Sistema::Save() {
    const std::vector<std::uint8_t> bytes = ScriviFile();
    if (!SaveFileAtomic(fileName, bytes)) {
        return false;
    }
    modified = false;
    return true;
}

bool T_Sistema::Load(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    return ReadWholeFile(path, bytes, kMaxFileSistema) && LeggiFile(bytes);
}

bool T_Sistema::LeggiFile(std::span<const std::uint8_t> bytes) {
    TLettura L;
    L.dati = dati;
    L.insieme = NuovoInsieme();
    const TLimiteLettura limite;
    TByteReader r(bytes);
    if (!Leggi(r, L) || !NeiLimiti(L)) {
        return false;
    }
    versioneLetta = L.versione;
    dati = std::move(L.dati);
    dati.columnsValid = 1;
    insieme_ = std::move(L.insieme);
    Condizioni = insieme_.get();
    comment = std::move(L.comment);
    participants = std::move(L.participants);
    ParticipantCount = L.participantCount;
    participantNamesFlag = L.participantNamesFlag;
    Colonne = std::move(L.colonne);
    modified = false;
    return true;
}

bool SalvaChiedeNome(const T_Sistema& sys) {
    return sys.untitled && sys.fileName.filename() == "SENZANOME.SVS";
}

void CaricaSistema(T_Sistema& sys, const std::filesystem::path& path) {
    if (!sys.Load(path)) {
        throw EInOutError(msg::kImpossibileCaricareSistema);
    }
    sys.fileName = path;
    sys.modified = false;
}

void SalvaSistema(T_Sistema& sys) {
    if (!sys.Save()) {
        throw EInOutError(msg::kImpossibileSalvareSistema);
    }
}

bool SalvaSistemaCome(T_Sistema& sys, const std::filesystem::path& path, UserPrompt& prompt) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        prompt.ShowMessage(msg::kInformazione, msg::kFileEsisteGia, BtnSi | BtnNo) != BtnSi) {
        return false;
    }
    sys.fileName = path;
    SalvaSistema(sys);
    sys.modified = false;
    sys.untitled = false;
    return true;
}

bool CancellaSistema(const std::filesystem::path& path, UserPrompt& prompt) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        throw EInOutError(msg::kImpossibileCancellareSistema);
    }
    std::fclose(f);
    const std::string question = std::string(msg::kVuoiCancellare) + path.string() + "?";
    if (prompt.ShowMessage(msg::kConferma, question, BtnSi | BtnNo | BtnAnnulla) != BtnSi) {
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) || ec) {
        throw EInOutError(msg::kImpossibileCancellareSistema);
    }
    return true;
}

} // namespace tessaline
