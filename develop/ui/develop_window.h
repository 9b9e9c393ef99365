#pragma once
// The development window ("Sviluppo"): the conditioning and reduction counts of a run as it goes,
// with their gauges and pies, the state line and the time taken, and "Annulla" to stop the run.
// The run stays on the user-interface thread; the window's cancel probe lets the event loop run
// at most every ~30 ms so that the window keeps painting and "Annulla" can be clicked.

#include <QDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <array>
#include <chrono>
#include <functional>

#include "core/interfaces.h"
#include "core/progress.h"
#include "develop/driver.h"

class QChartView;
class QPieSeries;

namespace tessaline {

class T_Sistema;

// The "Annulla" flag of a run, whose look-ups also keep the event loop going.
class TPumpedCancel : public CancelProbe {
public:
    explicit TPumpedCancel(QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents) : flags_(flags) {}
    void Request() { flag_.Request(); }
    void Reset() { flag_.Reset(); }
    bool Peek() override {
        Pump();
        return flag_.Peek();
    }
    bool Take() override {
        Pump();
        return flag_.Take();
    }
    // Processes pending events when at least kInterval has passed since the last time.
    void Pump();
    static constexpr std::chrono::milliseconds kInterval{30};

private:
    TCancelFlag flag_;
    QEventLoop::ProcessEventsFlags flags_;
    std::chrono::steady_clock::time_point last_{};
};

// A two-slice pie: the first slice green, the second blue.
class TTorta : public QWidget {
    Q_OBJECT
public:
    explicit TTorta(QWidget* parent = nullptr);
    // The first slice's share in percent; the second takes the rest to 100.
    void Imposta(double percent);
    double Percentuale() const { return percent_; }

private:
    QChartView* view_;
    QPieSeries* series_;
    double percent_ = 0;
};

class TFrmSviluppo : public QDialog, public TDevelopProgress {
    Q_OBJECT
public:
    TFrmSviluppo(T_Sistema& sys, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 25;

    // Prepares the window for a run, shows it (modal) and runs DevelopSystem with it; the window
    // stays open with the final counts until "OK", unless the run was stopped while enumerating.
    // A failure of the run is raised after the window is closed.
    TDevelopResult Esegui(UserPrompt* prompt);
    bool InCorso() const { return running_; }
    // Called after the run and when the window closes (the main window's commands and status line).
    std::function<void()> aggiornaPrincipale;

    QGroupBox* GroupBoxC;
    QGroupBox* GroupBoxR;
    QGroupBox* GroupBoxStato;
    QProgressBar* Gauge1;
    QLabel* ColonneIniziali;
    QLabel* ColonneFiltrate;
    QLabel* ColonneFinali;
    QLabel* RColonneIniziali;
    QLabel* RColonneFinali;
    QLabel* LabelFattore;
    QLabel* LabelStato;
    TTorta* TortaC;
    TTorta* TortaR;
    QPushButton* BtnOk;
    QPushButton* BtnAnnulla;
    TPumpedCancel& Cancel() { return cancel_; }

    // The window as it is shown before a run (captions, hidden pies and reduction labels).
    void FormShow();

    void AggiornaCond(std::int64_t total, std::int64_t accepted, bool final, std::int64_t examined) override;
    void AggiornaCondRid(std::int64_t total, std::int64_t accepted, bool final, std::int64_t kept,
                         std::int64_t examined) override;
    void AggiornaRidOtt(std::int64_t initial, std::int64_t chosen, bool final, std::int64_t covered) override;
    // The improved reduction: the gauge shows the share of its time used, the state line the
    // columns of the working set and of the best covering so far.
    void AggiornaMigliorata(std::int64_t current, std::int64_t best, int percent) override;
    void Stato(const std::string& text) override;
    void ShowReductionLabels(bool show) override;
    void ShowPieCond() override;
    void ShowPieRid() override;
    void Close() override;
    void RefreshMainWindow() override;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QString Costo(std::int64_t n) const;
    void AnnullaClick();

    T_Sistema& sys_;
    TPumpedCancel cancel_;
    bool running_ = false;
    std::array<QLabel*, 3> ridCaptions_{};
};

} // namespace tessaline
