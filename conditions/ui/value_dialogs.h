#pragma once
// The dialogs of the item lists that add up a quantity over chosen teams ("Gol Squadra", "Valori",
// "Percentuali"), of "Sequele" and "Colonne Filtro", and the dialog "Punti Tra"; with the grids of
// admitted and recovery intervals that "Valori", "Percentuali" and "Punti Tra" share.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <array>
#include <string>
#include <vector>

#include "conditions/ui/condition_dialogs.h"
#include "conditions/value_conditions.h"
#include "core/ui/sign_edits.h"

namespace tessaline {

class UserPrompt;
class TCondPuntiTra;

// What the dialogs show of the coupon: team names, forecast, percentages and values.
struct TDatiSchedina {
    std::array<std::string, kTeams> Squadre{};
    Pronostico Previsione{};
    TeamGrid Percentuali{};
    TeamGrid Valori{};
};

// Help contexts of the dialogs.
inline constexpr int kHelpGolSquadra = 71;
inline constexpr int kHelpValori = 72;
inline constexpr int kHelpPercentuali = 73;
inline constexpr int kHelpSequele = 74;
inline constexpr int kHelpColonneFiltro = 75;
inline constexpr int kHelpPuntiTra = 76;

// The pages "Intervalli Ammessi" (rows "Min", "Max") and "Intervalli In Rec." (rows "Min", "Max",
// "Liv.", and the "Link" letter), one column per interval.
class TGriglieIntervalli : public QTabWidget {
    Q_OBJECT
public:
    explicit TGriglieIntervalli(QWidget* parent = nullptr);
    QTableWidget* Ammessi;
    QTableWidget* Recupero;
    QComboBox* Link;

    // Shows a table; Modificate is cleared.
    void Mostra(const TTabellaIntervalli& t);
    // Empties the grids (a change like any other).
    void Svuota();
    // The user changed a cell or the letter since the table was shown: only then are the grids
    // checked and taken back, so that bounds nobody touched stay exactly as stored.
    bool Modificate = false;
    std::vector<TRigaIntervallo> RigheAmmessi() const;
    std::vector<TRigaIntervallo> RigheRecupero() const;
    // Rebuilds the table from the grids (the link letter too); on a fault shows it in a box titled
    // "Informazione", focuses the cell and returns false, the table as it was.
    bool Ricostruisci(TTabellaIntervalli& t, bool interi, TLimitiMisura limiti, UserPrompt* prompt);
    // Focuses the cell of a fault.
    void Evidenzia(const TErroreIntervalli& e);
    // Types a cell: grid, interval (from 0), row 0 "Min", 1 "Max", 2 "Liv.".
    void Scrivi(TGrigliaIntervalli g, int intervallo, int riga, const QString& text);

private:
    bool caricando_ = false;
};

// "Gol Squadra", "Valori" and "Percentuali" (TFormPVP): the list of slot 9, 10 or 11.
class TFormPVP : public TFormLista {
    Q_OBJECT
public:
    TFormPVP(TListaCondizioni& list, const TDatiSchedina& sc, UserPrompt& prompt, QWidget* parent = nullptr);
    TPannelloSc* Pannello;
    QLabel* LabelMin;
    QLabel* LabelMax;
    TGraphPt* Gol = nullptr;                  // "Gol Squadra"
    TGriglieIntervalli* Intervalli = nullptr; // "Valori", "Percentuali"
    // The range of the measure for the teams chosen on the panel.
    TLimitiMisura Limiti() const;
    void AzzeraClick() override;

protected:
    void MostraItem(TCondizione& item) override;
    void RaccogliItem(TCondizione& item) override;
    bool Valido() override;
    // The intervals as typed must hold, and at least one must be set.
    bool PrimaDellaVista() override;

private:
    void AggiornaLimiti();
    std::uint8_t tipoLista_;
    TDatiSchedina sc_;
    UserPrompt& prompt_;
};

// "Sequele": the list of slot 8.
class TFormSequele : public TFormLista {
    Q_OBJECT
public:
    TFormSequele(TListaCondizioni& list, UserPrompt& prompt, QWidget* parent = nullptr);
    // Kind buttons "P", "M", "B", "T", "Q", "J", "S" (kinds 1, 2, 3, 4, 7, 5, 6).
    std::array<QToolButton*, 7> Tipi{};
    TEditColonna* Schema;
    QSpinBox* Lunghezza;
    // Step buttons "2", "3", "4", "5", "N", "X".
    std::array<QToolButton*, 6> Passi{};
    QSpinBox* PassoTrovata;
    QSpinBox* PassoNonTrovata;
    TGraphPt* Presenze;
    // "OK": every "Sequela" item's pattern must be contiguous and at least two signs long.
    void accept() override;

protected:
    void MostraItem(TCondizione& item) override;
    void RaccogliItem(TCondizione& item) override;

private:
    void Abilita();
    UserPrompt& prompt_;
    int passo_ = 0; // the step button pressed since the item was shown (0: none)
};

// "Colonne Filtro" (TFrmListaColFiltro): the list of slot 12.
class TFrmListaColFiltro : public TFormLista {
    Q_OBJECT
public:
    TFrmListaColFiltro(TListaCondizioni& list, const TDatiSchedina& sc, QWidget* parent = nullptr);
    TPannelloSc* Pannello;
    TEditColonna* Filtro;
    TGraphPt* Punti;
    QCheckBox* Coppie;

protected:
    void MostraItem(TCondizione& item) override;
    void RaccogliItem(TCondizione& item) override;
};

// "Punti Tra" (TFormPtTra): slot 15.
class TFormPtTra : public TFormCondizione {
    Q_OBJECT
public:
    TFormPtTra(TCondPuntiTra& cond, UserPrompt& prompt, QWidget* parent = nullptr);
    QSpinBox* Gruppo;
    QListWidget* Condizioni;
    QLabel* LabelMin;
    QLabel* LabelMax;
    TGriglieIntervalli* Intervalli;
    void AzzeraClick() override;

protected:
    void Mostra() override;
    void Raccogli() override;
    bool Valido() override;

private:
    TCondPuntiTra& Tra();
    void MostraGruppo(int g);
    UserPrompt& prompt_;
    int gruppo_ = 1;
};

} // namespace tessaline
