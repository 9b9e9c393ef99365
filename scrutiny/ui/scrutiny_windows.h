#pragma once
// The scrutiny on the screen: "Spoglio" (the winning column against the set, its bar chart, the
// category panels and the broken conditions) and the winning-coupon viewer.

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <array>
#include <memory>
#include <vector>

#include "scrutiny/scrutiny.h"

class QChartView;
class QBarSet;
class QValueAxis;

namespace tessaline {

class TAppContext;
class TEditColonna;
class TPannelloSc;
class TQuattroColonne;

class TFormSpoglio : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 110;
    // The window keeps the loaded set for its whole life.
    TFormSpoglio(TAppContext& app, std::unique_ptr<TSpoglio> set, QWidget* parent = nullptr);
    ~TFormSpoglio() override;

    TPannelloSc* Pannello;
    TEditColonna* EditColonna;
    QChartView* Grafico;
    QLabel* Panel1Cat; // 6 points
    QLabel* Panel2Cat; // 5 points
    QLabel* Panel3Cat; // 4 points
    QListWidget* ListBoxCond;
    QScrollBar* ScrollBar1;
    QPushButton* VisualizzaBtn;
    QPushButton* BtnChiudi;

    bool Valida() const { return valida_; }
    TSpoglio& Spoglio() { return *spoglio_; }
    // The chart's bars and its value axis maximum.
    std::array<std::int64_t, 7> Barre() const;
    std::int64_t MassimoAsse() const;

    void EditColonnaModificato();
    void ImpostaAbilitazioni();
    void VisualizzaBtnClick();
    // A double click on a line opens the dialog of the condition it names.
    void ListBoxCondDoppioClick(int row);
    // The condition slot behind each line (-1 for "Pronostico").
    const std::vector<int>& SlotErrori() const { return slotErrori_; }

private:
    void Esegui(const Colonna& winning);
    void RiempiLista();

    TAppContext& app_;
    std::unique_ptr<TSpoglio> spoglio_;
    class TEsaminatore;
    std::unique_ptr<TEsaminatore> esaminatore_;
    std::vector<int> slotErrori_; // the condition slot of each line (-1: the forecast)
    bool valida_ = false;
    QBarSet* barre_ = nullptr;
    QValueAxis* asse_ = nullptr;
};

// The winning-coupon viewer: buttons S0..S6, four coupons at a time and a scroll bar.
class TFormVisVin : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 111;
    TFormVisVin(const TSpoglio& spoglio, QWidget* parent = nullptr);

    std::array<QPushButton*, 7> S{};
    std::array<TQuattroColonne*, 4> Schedine{};
    QScrollBar* ScrollBar;
    QPushButton* BtnChiudi;

    int Premuto() const { return premuto_; }
    const std::vector<TSchedinaVin>& Elenco() const { return elenco_; }
    // The click handler of every S button.
    void SClick(int points);
    void Mostra();

private:
    const TSpoglio& spoglio_;
    std::vector<TSchedinaVin> elenco_;
    int premuto_ = -1;
};

} // namespace tessaline
