#pragma once
// "Aggiornamento tramite Internet": the step, the gauge and "Annulla" of an Internet update, and
// the four commands of the "Internet" menu, which run the update on the worker thread.

#include <QDialog>
#include <QObject>
#include <string>

#include "core/interfaces.h"
#include "update/update.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tessaline {

class TAppContext;

class TFormDownload : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 87;
    explicit TFormDownload(QWidget* parent = nullptr);

    // On show: the caption of the kind, the gauge and the step label empty.
    void Prepara(TTipoAggiornamento tipo);
    // "Passo i di n", gauge back to 0.
    void Passo(int i, int n);
    void UpdateGauge(int percent);
    // Set by "Annulla" (and by closing the window); looked at by the transfer.
    TCancelFlag& Annullato() { return annulla_; }

    QLabel* LabelPasso;
    QProgressBar* Gauge;
    QPushButton* BtnAnnulla;

protected:
    void reject() override;

private:
    TCancelFlag annulla_;
};

class TComandiAggiornamento : public QObject {
    Q_OBJECT
public:
    // Connects the four "Internet" entries; main outlives this object.
    explicit TComandiAggiornamento(TAppContext& main);

    // Runs one kind: the window shows its progress while the transfer runs on the worker; then the
    // archive is reloaded (kind 1), the coupon loaded (kind 3) or the program restarted (kind 4).
    void Aggiorna(TTipoAggiornamento tipo);

private:
    TAppContext& main_;
};

} // namespace tessaline
