#pragma once
// The statistics commands of the main window: "Archivio" / "Impostazioni di Ricerca",
// "Elaborazione" / "Analisi Statistica", the coupon editor's "Archivio" and "Analisi", and the
// history and column-analysis windows of the condition dialogs (TAppContext::apriVista).

#include <QObject>

#include "core/ui/printing_hook.h"

namespace tessaline {

class TAppContext;
class TCondizione;

class TComandiStatistica : public QObject {
    Q_OBJECT
public:
    // Connects the commands; main outlives this object. printer runs the tables' printouts.
    TComandiStatistica(TAppContext& main, TStampante printer);

    void ImpostazioniDiRicerca1Click();
    void AnalisiStatistica1Click();
    // Coupon editor: the per-team history, and the sign count of the columns in memory.
    void StoriaSquadreClick();
    void AnalisiSegniClick();
    // The history (analisi false) or column-analysis window of a condition as configured in a
    // dialog; near is the dialog.
    void ApriVista(const TCondizione& cond, QWidget* near, bool analisi, bool inversa);

private:
    TAppContext& main_;
    TStampante printer_;
};

} // namespace tessaline
