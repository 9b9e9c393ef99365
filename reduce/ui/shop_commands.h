#pragma once
// The commands of the menu "Ricevitoria": "Ridotti Immediati", "Schedine Automatiche" and
// "Sistemi Automatici" (each window remembered).

#include <QDialog>
#include <QObject>
#include <functional>

#include "core/ui/receipt_hook.h"

namespace tessaline {

class TAppContext;
class TFileChooser;
class TFormSaver;

class TComandiRicevitoria : public QObject {
    Q_OBJECT
public:
    // The hooks print the jobs and ask the orientation of a batch; all outlive this object.
    TComandiRicevitoria(TAppContext& main, TFileChooser& files, TFormSaver& saver, TStampaCedolina stampa,
                        TConfermaStampa conferma);

    void RidottiImmediati1Click();
    void SchedineAutomatiche1Click();
    void SistemiAutomatici2Click();
    // Tests: runs instead of the modal loop (the dialog memory is applied around it).
    std::function<void(QDialog&)> primaDiMostrare;

private:
    // Runs a command, shows its failure, and brings the status line and the menus up to date.
    void Esegui(const std::function<void()>& command);
    // Shows a command's dialog where it last stood.
    void Mostra(QDialog& dlg);

    TAppContext& main_;
    TFileChooser& files_;
    TFormSaver& saver_;
    TStampaCedolina stampa_;
    TConfermaStampa conferma_;
};

} // namespace tessaline
