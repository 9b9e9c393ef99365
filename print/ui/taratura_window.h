#pragma once
// "Taratura Schedine": the two calibration sets of the coupon printer in tenths of a millimetre,
// with arrow buttons, a preview on the coupon picture and a test coupon.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

#include "print/print_settings.h"

class QPrinter;

namespace tessaline {

class T_Sistema;
class UserPrompt;

class TFrmTaratura : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 32;
    // The calibration lives in the system's program settings; both outlive the window.
    TFrmTaratura(T_Sistema& sys, UserPrompt& prompt, QWidget* parent = nullptr);

    QLineEdit* XPrimaCol;
    QLineEdit* YPrimaCol;
    QToolButton* BtnSu;
    QToolButton* BtnGiu;
    QToolButton* BtnSin;
    QToolButton* BtnDesS;
    QSpinBox* DistanzaSegniOriz;
    QSpinBox* distanzaSegniVert;
    QSpinBox* SpinDistCol;
    QLineEdit* ScrittaX;
    QLineEdit* ScrittaY;
    QToolButton* BtnSuS;
    QToolButton* BtnGiuS;
    QToolButton* BtnSinS;
    QToolButton* BitBtn3;
    QCheckBox* CheckScritta;
    QSpinBox* LQuadratini;
    QSpinBox* AQuadratini;
    QRadioButton* RadioOriz;
    QRadioButton* RadioVert;
    QLabel* Image;
    QPushButton* BtnTest;
    // Where "Test" prints (the program's printer when null).
    QPrinter* Stampante = nullptr;

    // The set shown: 0 "Orizzontale", 1 "Verticale".
    int SetCorrente() const { return set_; }
    // Stores the shown values into the current set; false (the stored values shown again, nothing
    // stored) when a field is not a whole number.
    bool Memorizza();
    // Shows the current set.
    void Mostra();
    // The preview from the values in the controls.
    QImage Anteprima() const;
    // "Test": one coupon with every box marked, in the window's orientation; the stored sets stay.
    void TestClick();
    // "Ok": stores, asks about the default orientation when it differs, writes the configuration.
    void accept() override;
    // "Annulla": both sets and the text setting as they were when the window was shown.
    void reject() override;

private:
    void Freccia(QLineEdit* edit, int delta);
    void CambiaOrientamento();
    void Ridisegna();
    T_TaraturaSet Mostrati(const T_TaraturaSet& fallback) const;

    T_Sistema& sys_;
    UserPrompt& prompt_;
    T_Taratura copia_;
    int set_ = 0;
    bool mostrando_ = false;
};

} // namespace tessaline
