#pragma once
// "Sequele": how often a window of a given kind occurs while it slides along the coupon, checked on
// the table "Presenze" (presences and their longest streak). Items of "Gruppo Sequele".

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "conditions/condition.h"
#include "conditions/measures.h"

namespace tessaline {

// TipoSequela.
inline constexpr std::int32_t kSequelaSchema = 1; // "Sequela", a typed pattern ("P")
inline constexpr std::int32_t kMonotermine = 2;   // "M"
inline constexpr std::int32_t kBitermine = 3;     // "B"
inline constexpr std::int32_t kTritermine = 4;    // "T"
inline constexpr std::int32_t kGenerica = 5;      // "J", the most repeated window
inline constexpr std::int32_t kSpecchio = 6;      // "S", mirrored windows
inline constexpr std::int32_t kQuadritermine = 7; // "Q"

struct TParametriSequela {
    std::int32_t Tipo = kSequelaSchema;
    std::int32_t Lunghezza = 0;
    std::int32_t PassoTrovata = 1;
    std::int32_t PassoNonTrovata = 1;
    std::array<std::uint8_t, kTeams> Schema{};
    TCampo Campo;
};

// (Presenze, SeriePresenze) of the column: windows of length Lunghezza starting at Campo.min while
// they end inside Campo.max. A length outside 1..12 visits nothing; steps below 1 count as 1; an
// unknown kind measures 0 and 0. No allocation.
TConteggio MisuraSequela(const Colonna& c, const TParametriSequela& p);

inline constexpr const char* kMsgSequelaNonContigua = "La Sequela Non è Contigua.";
inline constexpr const char* kMsgSequelaCorta = "La Lunghezza della Sequela è Inferiore a Due.";
inline constexpr const char* kTitoloSequele = "Infomazione"; // the box title of both messages

// Code 34.
class TCondSequela : public TCondTabelle {
public:
    explicit TCondSequela(TInsiemeCondizioni* owner);
    void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                       bool tutte) const override;

    TTabellaPunti& Presenze() { return tabelle_[0].Tabella; }
    const TTabellaPunti& Presenze() const { return tabelle_[0].Tabella; }
    TParametriSequela Parametri() const;

    // The kind buttons: the kind, its length raised to the kind's least (kinds other than "Sequela");
    // "Specchio" measures no streak, so its consecutiveness section is emptied and restricts nothing.
    void ImpostaTipo(std::int32_t tipo);
    // Step buttons "2" to "5": both steps n. "N": found Lunghezza, not found 1. "X": the spin boxes.
    void ImpostaPasso(int n);
    void ImpostaPassoN();
    void ImpostaPassoX(int trovata, int nonTrovata);
    // A kind other than "Sequela": its length, raised to the kind's least (2, 3 for "Tritermine", 4
    // for "Quadritermine") and cut to 12.
    void ImpostaLunghezza(int l);
    // The pattern editor of "Sequela": the typed signs (0 where nothing is typed). On success Schema
    // holds them from its first byte on and Lunghezza is their number; otherwise the message is
    // returned and nothing changes.
    std::optional<std::string> ImpostaSchema(const std::array<std::uint8_t, kTeams>& typed);

    std::int32_t TipoSequela = kSequelaSchema;
    std::int32_t PassoTrovata = 1;
    std::int32_t PassoNonTrovata = 1;
    std::array<std::uint8_t, kTeams> Schema{};
    std::int32_t Lunghezza = 0;

    static constexpr std::size_t kDimensionePayload = 100;

protected:
    // Presenze, Schema, Lunghezza, PassoTrovata, PassoNonTrovata, TipoSequela.
    void ScriviDati(TByteWriter& w) const override;
    // Steps are brought into 1..12 and the length into 0..12.
    bool LeggiDati(TByteReader& r) override;
};

// The check of "OK" on a typed pattern: kMsgSequelaNonContigua when the typed signs leave a gap,
// kMsgSequelaCorta when fewer than two are typed.
std::optional<std::string> ControllaSchema(const std::array<std::uint8_t, kTeams>& typed);

// The check of "OK" on a whole "Gruppo Sequele": the first "Sequela" item (from 0) whose pattern
// fails ControllaSchema, with its message.
struct TErroreSequela {
    std::size_t Item = 0;
    std::string Messaggio;
};
std::optional<TErroreSequela> ControllaSequele(const TListaCondizioni& lista);

} // namespace tessaline
