#pragma once
// The panel "Numero di Colonne": the column count of the last automatic recalculation, its change
// against the previous count, and a gauge and "Annulla" while the recalculation runs. Closing it
// switches automatic recalculation off; closing it during a run stops the run.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "core/interfaces.h"
#include "core/progress.h"
#include "develop/estimate.h"

namespace tessaline {

class T_Sistema;

class TFormRicalcoloAutomatico : public QWidget, public TDevelopProgress {
    Q_OBJECT
public:
    // A tool window of the main window; sys outlives it.
    TFormRicalcoloAutomatico(T_Sistema& sys, QWidget* parent);

    // Puts the panel at the right edge of the main window's client area, 37 pixels below the
    // tool-button panel.
    void Posiziona(QWidget* mainWindow, QWidget* toolPanel);
    // Shows the panel (placing it the first time) ready for a run.
    void Mostra();

    // A run starts (the panel takes input, "Annulla" shows and is armed) or ends.
    void InizioCalcolo();
    void FineCalcolo();
    bool InCorso() const { return running_; }
    TCancelFlag& Cancel() { return cancel_; }

    void Inizializza();
    void Inizio(bool recalculation, bool reducing) override;
    void AggiornaCond(std::int64_t total, std::int64_t accepted, bool final, std::int64_t examined) override;
    void AggiornaCondRid(std::int64_t total, std::int64_t accepted, bool final, std::int64_t kept,
                         std::int64_t examined) override;
    void AggiornaRidOtt(std::int64_t initial, std::int64_t chosen, bool final, std::int64_t covered) override;
    void CalcoloTerminato(std::int64_t finalCount, std::int64_t previousCount) override;
    void RefreshMainWindow();

    const TRecalcPanelModel& Modello() const { return model_; }
    QLabel* PanelCol;
    QLabel* PanelPerc;
    QLabel* PanelComp;
    QProgressBar* Gauge;
    QPushButton* BtnAnnulla;
    // The main window's status line and commands (after a run, and when the panel is closed).
    std::function<void()> aggiornaPrincipale;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void Mostra(bool changed);
    T_Sistema& sys_;
    TRecalcPanelModel model_;
    QWidget* main_ = nullptr;
    QWidget* tools_ = nullptr;
    bool placed_ = false;
    bool running_ = false;
    TCancelFlag cancel_;
};

} // namespace tessaline
