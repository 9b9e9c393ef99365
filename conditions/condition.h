#pragma once
// The condition base, the family of conditions that check value tables, the list container of
// items, and the factory that builds a condition from its type code.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "archive/frequencies.h"
#include "conditions/link.h"
#include "conditions/measures.h"
#include "conditions/value_table.h"
#include "core/binary_io.h"
#include "core/column.h"

namespace tessaline {

class TInsiemeCondizioni;
class TmmPrinter;

// Type codes.
inline constexpr std::uint8_t kCodNumeroSegni = 1;
inline constexpr std::uint8_t kCodPariDispari = 2;
inline constexpr std::uint8_t kCodVortice = 3;
inline constexpr std::uint8_t kCodSimmetrie = 4;
inline constexpr std::uint8_t kCodInterruzioni = 5;
inline constexpr std::uint8_t kCodRipetizioni = 6;
inline constexpr std::uint8_t kCodGruppoConsecutivita = 7;
inline constexpr std::uint8_t kCodGruppoSequele = 8;
inline constexpr std::uint8_t kCodGruppoPuntiSquadra = 9;
inline constexpr std::uint8_t kCodGruppoValori = 10;
inline constexpr std::uint8_t kCodGruppoPercentuali = 11;
inline constexpr std::uint8_t kCodGruppoColFiltro = 12;
inline constexpr std::uint8_t kCodQuadro = 13;
inline constexpr std::uint8_t kCodGruppoRisultati = 14;
inline constexpr std::uint8_t kCodPuntiTra = 15;
inline constexpr std::uint8_t kCodSequela = 34;
inline constexpr std::uint8_t kCodPuntiSquadra = 35;
inline constexpr std::uint8_t kCodValori = 36;
inline constexpr std::uint8_t kCodPercentuali = 37;
inline constexpr std::uint8_t kCodConsecutivita = 38;
inline constexpr std::uint8_t kCodColonnaFiltro = 39;
inline constexpr std::uint8_t kCodRisultati = 40;
inline constexpr std::uint8_t kFineLista = 100;

// The list family (its group's code and slot) of an item's code; 0 for a code that is no item.
constexpr std::uint8_t GruppoDellItem(std::uint8_t tipo) {
    switch (tipo) {
    case kCodSequela:
        return kCodGruppoSequele;
    case kCodPuntiSquadra:
        return kCodGruppoPuntiSquadra;
    case kCodValori:
        return kCodGruppoValori;
    case kCodPercentuali:
        return kCodGruppoPercentuali;
    case kCodConsecutivita:
        return kCodGruppoConsecutivita;
    case kCodColonnaFiltro:
        return kCodGruppoColFiltro;
    case kCodRisultati:
        return kCodGruppoRisultati;
    default:
        return 0;
    }
}

class TCondizione {
public:
    TCondizione(std::uint8_t tipo, std::string nome, TInsiemeCondizioni* owner)
        : Tipo(tipo), Owner(owner), Nome(std::move(nome)) {}
    virtual ~TCondizione() = default;
    TCondizione(const TCondizione&) = delete;
    TCondizione& operator=(const TCondizione&) = delete;

    // Titolo := parent + "\" + Nome.
    virtual void ImpostaTitolo(const std::string& parent);
    // Clears the archive statistics and records every archived contest of the search range.
    virtual void StatisticaArchivio() = 0;
    // Clears the analysis statistics and records every single column in memory.
    virtual void StatisticaColonne() = 0;
    // Records one column into the first statistics object and, where a table admits it, the second.
    virtual void StatisticaColonna(const Colonna& c) = 0;
    // The accept test of one column.
    virtual bool Verifica(const Colonna& c) = 0;
    // The whole record: type code, Attivato, payload. True when every field went out.
    virtual bool Scrivi(TByteWriter& w) const;
    // Reads Attivato and the payload (the type byte already consumed); false on a short or bad read.
    virtual bool Leggi(TByteReader& r);
    // Clears every statistics object, sized to its table.
    virtual void AzzeraStatistiche() = 0;
    // Recomputes the tables' derived flags from Attivato and sets Abilitata; returns Abilitata.
    virtual bool AggiornaStato() = 0;
    // Reports the tables that use the letter (link mode) or the group (Tra mode).
    virtual void EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) = 0;
    // The condition's block of the system summary; drawn by the printout layer.
    virtual void Stampa(TmmPrinter& printer, double& y, double margin) const;

    bool Abilitata = false;
    bool Attivato = true;
    std::uint8_t Tipo;
    TInsiemeCondizioni* Owner;
    std::string Nome;
    std::string Titolo;
    bool Selezionato = false;

protected:
    virtual void ScriviDati(TByteWriter& w) const = 0;
    virtual bool LeggiDati(TByteReader& r) = 0;
};

// One measured quantity per table: its value and its consecutive count.
struct TMisura {
    int v = 0;
    int c = 0;
    bool operator==(const TMisura&) const = default;
};

// A condition whose payload is a fixed sequence of value tables, each checked with one measure.
class TCondTabelle : public TCondizione {
public:
    struct TVoceTabella {
        TVoceTabella(const char* caption, const char* esame, int n, bool haCons, TInsiemeCondizioni* owner)
            : Caption(caption), NomeEsame(esame), Tabella(n, haCons, owner) {}
        const char* Caption;
        const char* NomeEsame; // name under which the examination reports it; nullptr: not reported
        TTabellaPunti Tabella;
        T_FrequenzeRitardi Archivio;
        T_FrequenzeRitardi Analisi;
    };

    void StatisticaArchivio() override;
    void StatisticaColonne() override;
    void StatisticaColonna(const Colonna& c) override;
    // Computes the measures, makes every table's Tra contribution, then checks the tables in stored
    // order, stopping at the first refusal.
    bool Verifica(const Colonna& c) override;
    void AzzeraStatistiche() override;
    bool AggiornaStato() override;
    void EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) override;

    std::size_t NumTabelle() const { return tabelle_.size(); }
    TTabellaPunti& Tabella(std::size_t i) { return tabelle_[i].Tabella; }
    const TTabellaPunti& Tabella(std::size_t i) const { return tabelle_[i].Tabella; }
    TVoceTabella& Voce(std::size_t i) { return tabelle_[i]; }
    const TVoceTabella& Voce(std::size_t i) const { return tabelle_[i]; }
    // "Azzera ": Attivato, every table emptied.
    virtual void Azzera();

    // The measures of every table on the column, in table order. With tutte false a family may skip
    // the measures of tables that are not active (their values are then unspecified).
    void Misura(const Colonna& c, std::span<TMisura> out, bool tutte) const {
        MisuraProfilo(c, Profilo(c), out, tutte);
    }
    // The same with the column's masks already computed.
    virtual void MisuraProfilo(const Colonna& c, const TProfilo& pr, std::span<TMisura> out,
                               bool tutte) const = 0;

protected:
    TCondTabelle(std::uint8_t tipo, std::string nome, TInsiemeCondizioni* owner)
        : TCondizione(tipo, std::move(nome), owner) {}
    void AggiungiTabella(const char* caption, const char* esame, int n, bool haCons) {
        tabelle_.emplace_back(caption, esame, n, haCons, Owner);
    }
    void ScriviDati(TByteWriter& w) const override;
    bool LeggiDati(TByteReader& r) override;
    // Records one contest (or column) into the archive statistics.
    void RegistraArchivio(const Colonna& c);
    // The tables whose Attiva is set, for Verifica to check only those; every change of the derived
    // flags (AggiornaStato, reading, Azzera, in derived families too) must call it.
    void AggiornaAttive();

    std::vector<TVoceTabella> tabelle_;
    std::array<std::uint8_t, 8> attive_{};
    std::size_t nAttive_ = 0;
};

// A list container: codes 7 to 12 and 14.
class TListaCondizioni : public TCondizione {
public:
    TListaCondizioni(std::uint8_t tipo, std::string nome, TInsiemeCondizioni* owner)
        : TCondizione(tipo, std::move(nome), owner) {}

    // Attivato, not Abilitata, the code and the name.
    void Inizializza(std::uint8_t tipo, const std::string& nome);

    void ImpostaTitolo(const std::string& parent) override;
    void StatisticaArchivio() override;
    void StatisticaColonne() override;
    void StatisticaColonna(const Colonna& c) override;
    // Every item that is Abilitata and Attivato must accept; with errors collected, all are tried
    // and each failing item is listed.
    bool Verifica(const Colonna& c) override;
    void AzzeraStatistiche() override;
    bool AggiornaStato() override;
    void EsaminaTraLink(TEsameTraLink& e, TModoEsame modo, char letter, int group) override;

    std::size_t Count() const { return items_.size(); }
    TCondizione& Item(std::size_t i) { return *items_[i]; }
    const TCondizione& Item(std::size_t i) const { return *items_[i]; }
    void Aggiungi(std::unique_ptr<TCondizione> item);
    // Inserts at position; past the count it appends.
    void Inserisci(std::size_t position, std::unique_ptr<TCondizione> item);
    void Elimina(std::size_t position);
    void Svuota() { items_.clear(); }

    std::int32_t Riservato = 0;

protected:
    // Every item's full record, then the end byte 100.
    void ScriviDati(TByteWriter& w) const override;
    // Items until the byte 100; an unknown code or a failed item fails the list.
    bool LeggiDati(TByteReader& r) override;

    std::vector<std::unique_ptr<TCondizione>> items_;
};

// Containers (lists and frames) read from a file nest at most this deep; a deeper one fails the read.
inline constexpr int kMaxAnnidamento = 64;

// Counts the containers being read on this thread, for the scope of one container's read.
class TAnnidamentoLettura {
public:
    TAnnidamentoLettura() { ++Livello(); }
    ~TAnnidamentoLettura() { --Livello(); }
    TAnnidamentoLettura(const TAnnidamentoLettura&) = delete;
    TAnnidamentoLettura& operator=(const TAnnidamentoLettura&) = delete;
    // False past kMaxAnnidamento levels.
    bool Ok() const { return Livello() <= kMaxAnnidamento; }

private:
    static int& Livello();
};

// One file read holds at most this many conditions in all its lists and frames (four full frames'
// worth): every condition takes its statistics tables in memory, so a small file of tiny records
// must not turn into gigabytes.
inline constexpr int kMaxCondizioniFile = 4000;

// The scope of one file's read on this thread: the readers of lists and frames count every item
// they create against kMaxCondizioniFile. Outside such a scope nothing is counted.
class TLimiteLettura {
public:
    TLimiteLettura();
    ~TLimiteLettura();
    TLimiteLettura(const TLimiteLettura&) = delete;
    TLimiteLettura& operator=(const TLimiteLettura&) = delete;
    // Counts one more condition; false once the file's read is past the limit.
    static bool Conta();
};

// A new default condition of the code, or nothing for a code this program does not build.
std::unique_ptr<TCondizione> CreaCondizione(std::uint8_t tipo, TInsiemeCondizioni* owner);

// Three-digit position of a list item ("001"); more digits when larger.
std::string PosizioneTitolo(std::size_t k);

} // namespace tessaline
