#pragma once
// The link: 26 letters through which values admitted in recovery are granted, the errors each
// letter and all letters together may make in one column, and the examination that finds which
// tables use a letter or a Tra group.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/frequencies.h"
#include "conditions/value_table.h"

namespace tessaline {

class TInsiemeCondizioni;

enum class TModoEsame { Link, Tra };

struct TElemTraLink {
    std::string Testo;
    std::int32_t Numero = 0; // the slot of the top-level condition that owns the table
};

// Finds the tables that recover through one letter (link mode) or feed one Tra group (Tra mode).
class TEsameTraLink {
public:
    explicit TEsameTraLink(TInsiemeCondizioni* owner = nullptr) : owner_(owner) {}
    void SetOwner(TInsiemeCondizioni* owner) { owner_ = owner; }

    // Clears the findings, sets every title, then asks every switched-on slot of the owner's set.
    void Esamina(TModoEsame modo, char letter, int group);
    // Called by the conditions for each of their tables.
    void Tabella(const TTabellaPunti& t, const std::string& name);
    void Intervalli(const TTabellaIntervalli& t, const std::string& name);
    // Starts the findings without asking the set (for a single condition).
    void Inizia(TModoEsame modo, char letter, int group);

    const std::vector<TElemTraLink>& Elementi() const { return elementi_; }
    // Tra mode: smallest total of the group; link mode: unused (0).
    std::int32_t Somma1() const { return somma1_; }
    // Tra mode: largest total of the group; link mode: the sum of the distinct levels found.
    std::int32_t Somma2() const { return somma2_; }
    bool Livello(int level) const {
        return level >= 0 && level < 256 && livelli_[static_cast<std::size_t>(level)];
    }

    int slotCorrente = 0;

private:
    void Sezione(const TTabellaPunti& t, const TSezione& s, bool cons, const std::string& name);
    void FlagLivello(int level);

    TInsiemeCondizioni* owner_;
    TModoEsame modo_ = TModoEsame::Link;
    char letter_ = 'A';
    int group_ = 0;
    std::vector<TElemTraLink> elementi_;
    std::int32_t somma1_ = 0;
    std::int32_t somma2_ = 0;
    std::array<bool, 256> livelli_{};
};

inline constexpr int kLivelliLink = 255;
inline constexpr int kErroriLinkN = 99;

// One letter of the link.
class TLetteraLink {
public:
    explicit TLetteraLink(TInsiemeCondizioni* owner = nullptr);
    void SetOwner(TInsiemeCondizioni* owner);

    // A recovery at the level: granted while the level has been used at most `level` times in the
    // column. A refused recovery still counts as an error.
    bool Recupera(int level);
    // Counters and errors of the column back to 0 (only the levels touched are cleared).
    void AzzeraColonna();
    std::int32_t Contatore(int level) const {
        return level >= 0 && level < 256 ? contatori_[static_cast<std::size_t>(level)] : 0;
    }
    bool Toccata() const { return toccata_; }

    TTabellaPunti ErroriAmmessi{kErroriLinkN, false};
    std::int32_t Errori = 0;
    std::int32_t Tentativi = 0;
    T_FrequenzeRitardi StatLivelli; // rejections by level
    T_FrequenzeRitardi StatErrori;  // rejections by error count
    TEsameTraLink Esame;

private:
    std::array<std::int32_t, 256> contatori_{};
    std::array<std::uint8_t, 256> toccati_{};
    int nToccati_ = 0;
    bool toccata_ = false;
};

class TLink {
public:
    explicit TLink(TInsiemeCondizioni* owner = nullptr);
    void SetOwner(TInsiemeCondizioni* owner);

    TLetteraLink& Lettera(char letter) { return lettere_[Indice(letter)]; }
    const TLetteraLink& Lettera(char letter) const { return lettere_[Indice(letter)]; }
    // Recovery through a letter ('A'..'Z'; anything else is refused).
    bool Recupera(char letter, int level) {
        if (letter < 'A' || letter > 'Z') {
            return false;
        }
        TLetteraLink& e = lettere_[static_cast<std::size_t>(letter - 'A')];
        if (!e.Toccata()) {
            toccate_[static_cast<std::size_t>(nToccate_++)] = static_cast<std::uint8_t>(letter - 'A');
        }
        return e.Recupera(level);
    }
    // Before each column: every letter used in the previous column back to 0.
    void AzzeraColonna() {
        for (int i = 0; i < nToccate_; ++i) {
            lettere_[toccate_[static_cast<std::size_t>(i)]].AzzeraColonna();
        }
        nToccate_ = 0;
    }
    // The link check after every condition accepted: each used letter's errors, then the total.
    bool Verifica();

    // The used letters and their level sum, from an examination of the set for each letter.
    void CalcolaLettere();
    // Clears the statistics of the used letters and the total's.
    void AzzeraStatistiche();
    // Updates the 27 error tables with the switch on; Abilitato when any is active.
    bool AggiornaStato();

    static constexpr std::size_t kDimensioneRecord = std::size_t{27} * 424;
    // The error tables of 'A' to 'Z', then the total's.
    void Scrivi(TByteWriter& w) const;
    bool Leggi(TByteReader& r);

    TTabellaPunti ErroriTotali{kErroriLinkN, false};
    std::string LettereUsate;
    bool Abilitato = false;
    std::int32_t SommaLivelli = 0;
    T_FrequenzeRitardi StatTotale;

private:
    static std::size_t Indice(char letter) {
        return letter >= 'A' && letter <= 'Z' ? static_cast<std::size_t>(letter - 'A') : 0;
    }
    TInsiemeCondizioni* owner_;
    std::array<TLetteraLink, 26> lettere_;
    std::array<std::uint8_t, 26> toccate_{};
    int nToccate_ = 0;
};

// "Errori Ammessi Nella Link " and the letter.
std::string TitoloErroriLink(char letter);

} // namespace tessaline
