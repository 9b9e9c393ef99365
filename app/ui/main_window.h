#pragma once
// The main window: the coupon editor on a tiled background, the menu of every command, the tool
// buttons, the status line with the number and cost of the columns.

#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <map>
#include <vector>

#include "app/main_state.h"
#include "archive/contest_archive.h"
#include "core/ui/app_context.h"
#include "core/ui/coupon_editor.h"
#include "core/ui/form_saver.h"
#include "system/settings.h"

class QAction;
class QMenu;
class QFrame;

namespace tessaline {

class TFormMessage;
class UserPrompt;

class TFormPrinc : public QMainWindow, public TAppContext {
    Q_OBJECT
public:
    // The system (with the program settings) belongs to the caller and outlives the window.
    explicit TFormPrinc(T_Sistema& sistema, QWidget* parent = nullptr);
    ~TFormPrinc() override;

    // Where questions go (the message window unless a test puts its own).
    void SetPrompt(UserPrompt* prompt) { prompt_ = prompt; }
    UserPrompt& Prompt() override;
    TFormMessage* FormMessage() const { return message_; }
    // The dialog memory of the run (for the remembered dialogs).
    TFormSaver& Saver() { return *saver_; }

    T_Sistema& Sistema() override { return sys_; }
    QWidget* Finestra() override { return this; }
    TEditSchedina* Schedina() override { return EditSchedina; }
    QWidget* BarraComandi() override { return PSpeed; }
    TProgramSettings& Settings() { return sys_.dati.settings; }
    TEditSchedina* EditSchedina = nullptr;
    QToolButton* SpeedN = nullptr;
    QToolButton* SpeedA = nullptr;
    TSemaforo* SemaforoAcc = nullptr;
    QWidget* PanelAcc = nullptr;
    QLabel* PDoppie = nullptr;
    QLabel* PTriple = nullptr;
    QLabel* PQuadruple = nullptr;
    QLabel* PColonneI = nullptr;
    QLabel* PColonneF = nullptr;
    QFrame* PannelloSchedina = nullptr;
    QWidget* PSpeed = nullptr;
    QWidget* PStatusBar = nullptr;

    // The menu entry or tool button of a handler name ("Varie1Click", "SpeedSviluppaClick").
    QAction* Azione(const QString& handler) const;
    // The contest archive, loaded when the window is created (one empty contest when it cannot be).
    T_Archivio& Archivio() override { return archivio_; }
    // Connects a command provided elsewhere to its menu entry or tool button and makes it available.
    void Collega(const QString& handler, std::function<void()> run) override;

    void PronosticoModificato();
    void AcquisisceTutto();
    void ImpostaTutto() override;
    void NumeroChange();
    void TuttiClick();
    void SpeedNClick();
    // True when the caller may go on; asks about an unsaved system.
    bool Conferma(bool conAnnulla) override;
    void AggiornaStatusLine(bool prezzoCompleto = false) override;
    void AggiornaAbilitazioni() override;
    TAbilitazioni Abilitazioni() const { return abil_; }

    // Background picture from the settings; false (and the program's own tile) when it cannot be
    // loaded.
    bool CaricaSfondo();
    void Layout();
    void FormShow(const QStringList& args);
    void ApriGuida(int context);
    void RunAnimation(bool on) override;

    void Varie1Click();
    void DatiRicevirotia1Click();
    void PartiteIntegrali1Click();
    void SelezionaAccClick();
    void About1Click();
    void Indice1Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QAction* AddEntry(QMenu* menu, const QString& caption, const QString& handler,
                      std::function<void()> run = nullptr);
    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    void EditSchedinaOnModificato();
    void ApplicaModo(bool pairMode);
    void MarkConditions();
    void AdattaMenu();

    T_Sistema& sys_;
    T_Archivio archivio_;
    UserPrompt* prompt_ = nullptr;
    TFormMessage* message_ = nullptr;
    TFormSaver* saver_ = nullptr;
    QWidget* sfondo_ = nullptr;
    QPixmap picture_;
    QLabel* animate_ = nullptr;
    QTimer animTimer_;
    int frame_ = 0;
    bool impostando_ = false;
    TAbilitazioni abil_;
    std::map<QString, QAction*> actions_;
    std::map<QString, bool> available_;
    QMenu* condizioni_ = nullptr;
    QPushButton* btnSeleziona_ = nullptr;
    QPushButton* btnSquadre_ = nullptr;
    std::vector<int> menuWidths_; // the menu bar's full width at each step of AdattaMenu
    int menuStep_ = -1;
};

} // namespace tessaline
