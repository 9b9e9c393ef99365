#pragma once
// The windows of a condition's analysis view: the measure history over the archive (TFormArchivio)
// and the column analysis of the forecast (TFormAnalisiCF).

#include <QButtonGroup>
#include <QChartView>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <vector>

#include "conditions/analysis_view.h"
#include "core/ui/printing_hook.h"

namespace tessaline {

class UserPrompt;

// "Frequenze" and "Ritardi" of each measure over the archive.
class TFormArchivio : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 54;
    TFormArchivio(VistaAnalisi vista, TStampante stampante, QWidget* parent = nullptr);

    std::vector<QPushButton*> BtnMisure;
    QTabWidget* Pagine;
    QCheckBox* CheckPerc;
    QCheckBox* CheckZoom;
    QRadioButton* RadioPres;
    QRadioButton* RadioCons;
    QRadioButton* RadioGrafico;
    QRadioButton* RadioTabella;
    QStackedWidget* Vista;
    QChartView* Grafico;
    QTableWidget* Tabella;
    QRadioButton* RitPunti;
    QRadioButton* RitCons;
    QTableWidget* TabellaRitardi;
    QPushButton* BtnStampa;
    UserPrompt* Prompt = nullptr;

    int Misura() const { return misura_; }
    void ScegliMisura(int m);
    void Mostra();
    // The chart's upper bound as drawn.
    double Limite() const { return limite_; }
    void StampaClick();

private:
    VistaAnalisi vista_;
    TStampante stampante_;
    int misura_ = 0;
    double limite_ = 0;
};

// "Analisi Colonnare": the measure over the forecast's columns, alone and with every condition.
class TFormAnalisiCF : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 55;
    TFormAnalisiCF(VistaAnalisi vista, TStampante stampante, QWidget* parent = nullptr);

    std::vector<QPushButton*> BtnMisure;
    QRadioButton* RadioSingola;
    QRadioButton* RadioGlobale;
    QCheckBox* CheckPerc;
    QCheckBox* CheckZoom;
    QRadioButton* RadioPres;
    QRadioButton* RadioCons;
    QRadioButton* RadioGrafico;
    QRadioButton* RadioTabella;
    QStackedWidget* Vista;
    QChartView* ChartFXCF;
    QScrollBar* Scorri;
    QTableWidget* Tabella;
    QChartView* ChartFXpercCF;
    QChartView* ChartFXFreq;
    QLabel* Convenienza;
    QPushButton* BtnStampa;
    UserPrompt* Prompt = nullptr;

    int Misura() const { return misura_; }
    void ScegliMisura(int m);
    void Mostra();
    // Bar series drawn: 3 with the columns in memory, 2 without.
    int Serie() const;
    double Limite() const { return limite_; }
    void StampaClick();

private:
    VistaAnalisi vista_;
    TStampante stampante_;
    int misura_ = 0;
    double limite_ = 0;
};

} // namespace tessaline
