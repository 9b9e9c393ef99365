#pragma once
// "Stampa del Prospetto del Sistema": which parts of the summary to print, and how many copies.

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <functional>
#include <string>

#include "system/summary_print.h"

class QPrinter;

namespace tessaline {

class T_Sistema;
class UserPrompt;
class TAppContext;
class TFormSaver;

class TFormStampaProspetto : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 33;
    // The system and the prompt outlive the window. percentuali and valori: the coupon editor's
    // switches of the two grids.
    TFormStampaProspetto(T_Sistema& sys, UserPrompt& prompt, bool percentuali, bool valori,
                         QWidget* parent = nullptr);

    QCheckBox* CheckInfo;
    QCheckBox* CheckSched;
    QCheckBox* CheckCond;
    QCheckBox* CheckTab;
    QPushButton* BtnImp;
    QRadioButton* RadioCopiaPart;
    QRadioButton* RadioSpec;
    QSpinBox* SpinCopie;
    QPushButton* StampaBtn;

    // Where the printout goes (the program's printer when null).
    QPrinter* Stampante = nullptr;
    // The date printed ("Stampato il"); today's when empty.
    std::string Data;

    // The enabling of the table on showing: conditions only for a conditioned system, the listing
    // and its settings only with columns in memory, one copy per participant only with more than one.
    void FormShow();
    // The options the window shows.
    TOpzioniProspetto Opzioni() const;
    // "Stampa": prints the copies; a failure shows "Impossibile Stampare il Prospetto del Sistema".
    void StampaClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    T_Sistema& sys_;
    UserPrompt& prompt_;
    bool percentuali_;
    bool valori_;
};

// "Stampa" / "Stampa Prospetto" of the main window: the window remembered through the dialog memory.
class TComandiProspetto : public QObject {
    Q_OBJECT
public:
    TComandiProspetto(TAppContext& main, TFormSaver& saver);
    void StampaProspettoClick();
    // Called with the window before it is shown (tests answer it there instead of running it).
    std::function<void(TFormStampaProspetto&)> primaDiMostrare;

private:
    TAppContext& main_;
    TFormSaver& saver_;
};

} // namespace tessaline
