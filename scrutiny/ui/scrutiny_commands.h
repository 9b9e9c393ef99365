#pragma once
// The scrutiny commands of the main window: "Spoglio" and "Spoglio Storico" ("Da Memoria" / "Da
// File", remembered) and "Ricevitoria" / "Archivio Giocate".

#include <QDialog>
#include <QObject>
#include <functional>

#include "core/ui/printing_hook.h"

namespace tessaline {

class TAppContext;
class TFileChooser;
class TFormSaver;

class TComandiSpoglio : public QObject {
    Q_OBJECT
public:
    // main, files and saver outlive this object; printer runs the printouts.
    TComandiSpoglio(TAppContext& main, TFileChooser& files, TFormSaver& saver, TStampante printer);

    void SpoglioDaMemoria1Click();
    void DaFile1Click();
    void DaFile6Click(); // "Spoglio Storico" "Da Memoria"
    void DaFile7Click(); // "Spoglio Storico" "Da File"
    void ArchivioGicoate1Click();

    // Tests: runs instead of the modal loop (the dialog memory is applied around it).
    std::function<void(QDialog&)> primaDiMostrare;

private:
    void Mostra(QDialog& dlg, bool remembered);
    void Protetto(const std::function<void()>& command);
    QString ScegliFileColonnare();

    TAppContext& main_;
    TFileChooser& files_;
    TFormSaver& saver_;
    TStampante printer_;
};

} // namespace tessaline
