#pragma once
// The printing commands of the main window: "Taratura Stampante", "Stampa Colonne" ("Da Memoria",
// "Da File"), the "Stampa Schedine" button, "Imposta Stampante", and the print window for the
// columns other windows hand over.

#include <QObject>
#include <functional>

namespace tessaline {

class TAppContext;
class TFileChooser;
class TListaColonne;
class TFormStampaSchedine;

class TComandiStampa : public QObject {
    Q_OBJECT
public:
    // Connects the commands to the main window's entries; both outlive this object's use.
    TComandiStampa(TAppContext& main, TFileChooser& files);

    void TaraturaStampante1Click();
    void StDamemoria1Click();
    void DaFile2Click();
    void ImpostaStampante1Click();
    // The print window on a copy of the columns, modally.
    void StampaColonne(const TListaColonne& columns);

    // Called with the print window before it is shown (tests answer it there).
    std::function<void(TFormStampaSchedine&)> primaDiMostrare;

private:
    void Protetto(const std::function<void()>& command);

    TAppContext& main_;
    TFileChooser& files_;
};

} // namespace tessaline
