#pragma once
// The development window ("Sviluppo"): the conditioning and reduction counts of a run as it goes,
// with their gauges and pies, the state line and the time taken, and "Annulla" to stop the run.
// The run goes on the worker thread while the window, modal, keeps painting and takes "Annulla".

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <array>
#include <functional>

#include "core/interfaces.h"
#include "core/progress.h"
#include "develop/driver.h"

class QChartView;
class QPieSeries;

namespace tessaline {

class T_Sistema;

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

    // Prepares the window for a run, shows it (modal) and runs the development of the system on the
    // worker thread, reporting here; the outcome is applied to the system when the run ends. The
    // window stays open with the final counts until "OK", unless the run was stopped while
    // enumerating. A failure of the run is raised after the window is closed (nothing applied).
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
    TCancelFlag& Cancel() { return cancel_; }

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
    void Inizio(bool recalculation, bool reducing) override;
    void EnumerazioneInterrotta() override;
    void CondizionamentoConcluso() override;
    void RiduzioneAvviata() override;
    void RiduzioneConclusa() override;
    // The reduction labels of the window shown or hidden.
    void ShowReductionLabels(bool show);
    void RefreshMainWindow();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QString Costo(std::int64_t n) const;
    void AnnullaClick();

    T_Sistema& sys_;
    TCancelFlag cancel_;
    bool running_ = false;
    std::array<QLabel*, 3> ridCaptions_{};
};

} // namespace tessaline
