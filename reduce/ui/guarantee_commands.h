#pragma once
// "Elaborazione" / "Calcolo Garanzie" (remembered); the result lists outlive the dialog.

#include <QDialog>
#include <QObject>
#include <functional>

#include "core/ui/printing_hook.h"
#include "reduce/guarantee.h"

namespace tessaline {

class TAppContext;
class TFileChooser;
class TFormSaver;

class TComandiGaranzie : public QObject {
    Q_OBJECT
public:
    TComandiGaranzie(TAppContext& main, TFileChooser& files, TFormSaver& saver, TStampante printer);

    void CalcoloGaranzie1Click();
    const TRisultatiGaranzie& Risultati() const { return results_; }
    // Tests: runs instead of the modal loop (the dialog memory is applied around it).
    std::function<void(QDialog&)> primaDiMostrare;

private:
    TAppContext& main_;
    TFileChooser& files_;
    TFormSaver& saver_;
    TStampante printer_;
    TRisultatiGaranzie results_;
};

} // namespace tessaline
