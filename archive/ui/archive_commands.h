#pragma once
// The archive commands of the main window: "Archivio" / "Aggiornamento" and "Visualizzazione".

#include <QObject>
#include <functional>

#include "conditions/archive_print.h"

namespace tessaline {

class TAppContext;
class TFormSaver;
class TFormvisArchivio;

class TComandiArchivio : public QObject {
    Q_OBJECT
public:
    // Connects the commands to the main window's entries; main and saver outlive this object.
    TComandiArchivio(TAppContext& main, TFormSaver& saver);

    void Editazione1Click();
    // Remembered: the groups shown come back the next time.
    void Visualizzazione1Click();

    // The archive printout, for the view's "Stampa" (not offered while empty), with the measure
    // groups the view shows.
    std::function<void(QWidget* parent, const TGruppiScelti& gruppi)> stampaArchivio;

private:
    TAppContext& main_;
    TFormSaver& saver_;
};

} // namespace tessaline
