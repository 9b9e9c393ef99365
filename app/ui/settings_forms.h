#pragma once
// The settings dialogs ("Varie", "Dati Ricevitoria"), the about box and the splash window.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <array>

#include "core/ui/help.h"
#include "system/settings.h"

class QDialogButtonBox;

namespace tessaline {

class TFrmImpostazioni : public QDialog {
    Q_OBJECT
public:
    TFrmImpostazioni(TProgramSettings& settings, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 100;

    QSpinBox* SpinLire;
    QSpinBox* SpinEuro;
    QSpinBox* SpinEuroCe;
    QRadioButton* RadioLire;
    QRadioButton* RadioEuro;
    QLineEdit* EditSfondo;
    QLineEdit* EditServer; // "Varie": the Internet update host
    QSpinBox* SpinThread;  // "Varie": the cap on the threads of the long jobs, 0 every core
    QPushButton* BtnCerca;
    QCheckBox* CheckAcc;
    QCheckBox* CheckSalvaCmb;
    QCheckBox* CheckUltimaSched;

    void accept() override; // stores the controls into the settings
    void CercaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TProgramSettings& settings_;
};

class TFormDatiRicevitoria : public QDialog {
    Q_OBJECT
public:
    TFormDatiRicevitoria(TProgramSettings& settings, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 96;
    QLineEdit* EditInt;
    QLineEdit* EditInd;
    QLineEdit* EditCitta;
    QLineEdit* EditTel;
    void accept() override; // each text cut to 60 characters and stored

private:
    TProgramSettings& settings_;
};

class TFormAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFormAbout(QWidget* parent = nullptr);
};

// The splash window, 522 x 306: the program's picture, the version label, "Continua".
class TFormIntro : public QDialog {
    Q_OBJECT
public:
    explicit TFormIntro(QWidget* parent = nullptr);
    QLabel* LabelVersione;
    QPushButton* BtnContinua;
    QPushButton* BtnEmail;
    static constexpr int kHelpEmail = 102;

signals:
    // Fired by the one-shot timer after "Continua".
    void Avvio();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QTimer timer_;
};

} // namespace tessaline
