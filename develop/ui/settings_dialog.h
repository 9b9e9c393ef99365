#pragma once
// The development settings dialog ("Impostazioni di Sviluppo"): source and destination of the
// columns, conditions, reduction, automatic recalculation.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>

namespace tessaline {

class T_Sistema;
class UserPrompt;
class TFileChooser;

class TFrmImpSv : public QDialog {
    Q_OBJECT
public:
    TFrmImpSv(T_Sistema& sys, UserPrompt& prompt, TFileChooser& files, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 24;

    QRadioButton* RadioPronostico;
    QRadioButton* RadioSorgFile;
    QLineEdit* Editsorg;
    QPushButton* BtnCercaSorg;
    QRadioButton* RadioMem;
    QRadioButton* RadioFile;
    QLineEdit* EditDest;
    QPushButton* BtnCercaDest;
    QCheckBox* CheckCond;
    QCheckBox* CheckRid;
    QRadioButton* RadioN1;
    QRadioButton* RadioN2;
    QRadioButton* RadioDMin;
    QSpinBox* SpinDistMin;
    QCheckBox* CheckOtt;
    // "Riduzione Migliorata" and its time budget: program settings, saved in the configuration file.
    QCheckBox* CheckMig;
    QSpinBox* SpinMigSecondi;
    QSpinBox* SpinMult;
    QCheckBox* CheckUsaRicalcolo;
    QRadioButton* RadioReale;
    QRadioButton* RadioStimato;

    // Every control from its setting, the enabling rules, the changed flag cleared.
    void FormShow();
    // The enabling rules of the controls.
    void Abilita();
    bool Cambiato() const { return changed_; }
    void CercaSorgClick();
    void CercaDestClick();
    // Stores the settings; refuses a source file that does not exist.
    void accept() override;
    // The main window's enabled commands and status line after OK.
    std::function<void()> aggiornaPrincipale;

private:
    void Cambia();
    T_Sistema& sys_;
    UserPrompt& prompt_;
    TFileChooser& files_;
    bool changed_ = false;
    bool loading_ = false;
};

} // namespace tessaline
