#pragma once
// The development commands of the main window: "Calcolo Colonne" and "Sviluppo" with the
// development window, "Impostazioni" with the settings dialog, automatic recalculation with its
// panel, and the column files of the menu "Colonne" ("Salva su Disco", "Esporta in ASCII",
// "Importa da ASCII").

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/column.h"

namespace tessaline {

class TAppContext;
class TFileChooser;
class TFrmSviluppo;
class TFormRicalcoloAutomatico;
struct TDevelopResult;

class TComandiSviluppo : public QObject {
    Q_OBJECT
public:
    // Connects the commands to the main window's entries; both outlive this object's use.
    TComandiSviluppo(TAppContext& main, TFileChooser& files);
    ~TComandiSviluppo() override;

    void CalcoloColonne1Click();
    void ImpostazioneSvClick();
    void SalvasuDisco1Click();
    void EsportainASCII1Click();
    void ImportadaASCII1Click();

    // Automatic recalculation when the system asks for it (AutoRecalc 1); false when it did not run.
    bool Ricalcola();
    // The pair window's copy stands in for the system's table while the recalculation runs.
    void RicalcolaAccoppiate(const PairTable& table);
    // After a system was loaded: recalculate when it asks for it, else close the panel.
    void DopoCaricamento();
    // Closes the panel without switching automatic recalculation off (a new system).
    void ChiudiPannello();

    TFormRicalcoloAutomatico* Pannello() const { return panel_; }
    TFrmSviluppo* FinestraSviluppo() const { return window_.get(); }
    // What the last development run returned.
    const TDevelopResult& UltimoRisultato() const { return *last_; }
    // Whether the last automatic recalculation was stopped with the panel's "Annulla".
    bool RicalcoloInterrotto() const { return recalcStopped_; }

private:
    // Runs a command; a failure is shown in the message window.
    void Protetto(const std::function<void()>& command);
    void Aggiorna();
    void SalvaColonne(bool testo);

    TAppContext& main_;
    TFileChooser& files_;
    TFormRicalcoloAutomatico* panel_;
    std::unique_ptr<TFrmSviluppo> window_;
    std::unique_ptr<TDevelopResult> last_;
    bool recalcRunning_ = false;
    bool recalcStopped_ = false;
    std::int64_t previousCount_ = 0; // the panel's count of the run before
};

} // namespace tessaline
