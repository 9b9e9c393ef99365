#pragma once
// "Calcolo delle garanzie": the examined columns against the winning columns of the forecast or of
// a comparison file, the win patterns of each error mode as a table, "Interrompi" and "&Stampa".

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <chrono>

#include "core/interfaces.h"
#include "core/ui/printing_hook.h"
#include "reduce/guarantee.h"

namespace tessaline {

class TAppContext;
class TFileChooser;

class TFrmCalcGaranzie : public QDialog, public TVistaGaranzie {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 115;
    // results persist beyond the dialog (they belong to the caller).
    TFrmCalcGaranzie(TAppContext& app, TFileChooser& files, TRisultatiGaranzie& results,
                     QWidget* parent = nullptr);

    QRadioButton* RadioEMem;
    QRadioButton* RadioEFile;
    QLineEdit* EditE;
    QPushButton* BtnE;
    QRadioButton* RadioCPro;
    QRadioButton* RadioCFile;
    QLineEdit* EditC;
    QPushButton* BtnC;
    QCheckBox* CheckApplicaCond;
    QCheckBox* Check0err;
    QCheckBox* Check1Err;
    QCheckBox* Check2Err;
    QWidget* GruppoErrori;
    QToolButton* Speed0;
    QToolButton* Speed1;
    QToolButton* Speed2;
    QTableWidget* Grid;
    QLabel* LabelStato;
    QProgressBar* Gauge1;
    QPushButton* BtnCalcola;
    QPushButton* BtnStampa;
    QPushButton* CancelBtn; // "Interrompi"
    QPushButton* OKBtn;     // "Chiudi"

    // The enabling rules after any click.
    void ImpostaAbilitazioni();
    void BtnCalcolaClick();
    void BtnStampaClick();
    // Shows the table of a mode (6, 5 or 4).
    void MostraModo(int mode);
    int ModoMostrato() const { return modo_; }
    bool InCorso() const { return running_; }
    TEsitoGaranzie UltimoEsito() const { return esito_; }

    // TVistaGaranzie
    void Stato(const std::string& text) override;
    void Gauge(int percent) override;

    // The program printer.
    TStampante stampante;
    // Called at every look at "Interrompi" during a run (tests press it there).
    std::function<void()> duranteIlCalcolo;

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    class TProbe : public CancelProbe {
    public:
        explicit TProbe(TFrmCalcGaranzie& owner) : owner_(owner) {}
        bool Peek() override;
        bool Take() override;
        TCancelFlag flag;

    private:
        void Pump();
        TFrmCalcGaranzie& owner_;
        std::chrono::steady_clock::time_point last_{};
    };

    void MostraTabella(const TTabellaGaranzie& table);
    TDialogoGaranzie Dialogo() const;
    void Cerca(QLineEdit* edit);

    TAppContext& app_;
    TFileChooser& files_;
    TRisultatiGaranzie& results_;
    TProbe probe_{*this};
    TTabellaGaranzie shown_;
    int modo_ = 6;
    bool running_ = false;
    bool applying_ = false;
    bool mostrato_ = false; // the on-show set-up runs once
    TEsitoGaranzie esito_ = TEsitoGaranzie::Ok;
};

} // namespace tessaline
