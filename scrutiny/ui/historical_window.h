#pragma once
// The historical scrutiny on the screen: "Spoglio Storico" (the set against every admitted contest
// of the archive, the per-contest grid, the summary, "Salva" of the columns that scored the chosen
// points and "&Esporta" of both tables to a spreadsheet file) and its progress window.

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <chrono>
#include <memory>

#include "core/interfaces.h"
#include "scrutiny/historical.h"

namespace tessaline {

class TAppContext;
class TFileChooser;

// "Analisi Colonnare in corso...": a gauge and "Annulla". Its probe lets the event loop run at most
// every ~30 ms, so that the window paints and "Annulla" can be pressed.
class TFrmAnalProgress : public QDialog, public TAnalProgress, public CancelProbe {
    Q_OBJECT
public:
    explicit TFrmAnalProgress(QWidget* parent = nullptr);
    QProgressBar* Gauge1;
    QPushButton* BtnAnnulla;

    void Gauge(int percent) override;
    bool Peek() override;
    bool Take() override;
    // A press as the button gives it (also for tests).
    void Richiedi() { flag_.Request(); }

private:
    void Pump();
    TCancelFlag flag_;
    std::chrono::steady_clock::time_point last_{};
};

class TFormSpoglioStorico : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 114;
    // The set is loaded by the caller; Elabora runs when the window is first shown.
    TFormSpoglioStorico(TAppContext& app, TFileChooser& files, std::unique_ptr<TSpoglioStorico> set,
                        QWidget* parent = nullptr);
    ~TFormSpoglioStorico() override;

    QTableWidget* GridConc;
    QTableWidget* TabellaGenerale;
    QLabel* LabelColonne;
    QLabel* LabelRisultati;
    std::array<QPushButton*, 7> Punti{}; // the points buttons of "Salva"
    QPushButton* BtnSalva;
    QPushButton* BtnEsporta;
    QPushButton* BtnChiudi;

    // Walks the archive with the progress window; false when stopped with "Annulla" (the window then
    // closes itself).
    bool Elabora();
    void SalvaClick();
    void EsportaClick();
    TSpoglioStorico& Storico() { return *storico_; }
    bool Elaborato() const { return elaborato_; }
    // Called with the progress window just before the walk (tests press "Annulla" there).
    std::function<void(TFrmAnalProgress&)> primaDellaAnalisi;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Riempi();

    TAppContext& app_;
    TFileChooser& files_;
    std::unique_ptr<TSpoglioStorico> storico_;
    bool elaborato_ = false;
    bool avviato_ = false;
};

} // namespace tessaline
