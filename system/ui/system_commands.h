#pragma once
// The system commands of the main window: "&Nuovo", "&Carica...", "&Salva", "Salva Co&me...",
// "Cance&lla", "Commento", "Partecipanti", "Carica Schedina", "Salva Schedina", "Lista Squadre",
// the coupon editor's "Squadre", and the system named on the command line.

#include <QCheckBox>
#include <QDialog>
#include <QObject>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <functional>

namespace tessaline {

class T_Sistema;
class TAppContext;
class TFileChooser;
class UserPrompt;

// "Commento": a memo of the system's comment lines; OK replaces them.
class TFormCommento : public QDialog {
    Q_OBJECT
public:
    TFormCommento(T_Sistema& sys, QWidget* parent = nullptr);
    QPlainTextEdit* Memo;
    void accept() override;

private:
    T_Sistema& sys_;
};

// "Partecipanti": how many share the system and, optionally, their names.
class TFormSoci : public QDialog {
    Q_OBJECT
public:
    TFormSoci(T_Sistema& sys, UserPrompt& prompt, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 91;
    QSpinBox* SpinNumero;
    QCheckBox* CheckNomi;
    QPlainTextEdit* MemoNomi;
    // Stays open with a message when the names do not match the number.
    void accept() override;

private:
    T_Sistema& sys_;
    UserPrompt& prompt_;
};

class TComandiSistema : public QObject {
    Q_OBJECT
public:
    TComandiSistema(TAppContext& main, TFileChooser& files);

    void New1Click();
    void CaricaClick();
    void Save1Click();
    void SalvaComeClick();
    void CancellaClick();
    void CommentoClick();
    void Soci1Click();
    void CaricaSchedina1Click();
    void SalvaSchedina1Click();
    void ListaSquadre1Click();
    void SquadreClick();
    // At showing: one argument names a system to load (it stays the current system); otherwise the
    // last coupon comes back when the settings ask for it.
    void Avvio(const QStringList& args);

    // After a system was loaded (automatic recalculation) and after "&Nuovo" (the panel closes).
    std::function<void()> dopoCaricamento;
    std::function<void()> dopoNuovo;

private:
    // Runs a command; a failure is shown in the message window.
    void Protetto(const std::function<void()>& command);
    void Carica(const QString& file);
    void SalvaCome();
    void Salva();

    TAppContext& main_;
    TFileChooser& files_;
};

} // namespace tessaline
