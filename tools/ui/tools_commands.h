#pragma once
// The column-tool commands of the main window: "Visualizza" and "Dettatura a Voce" ("Da Memoria" /
// "Da File"), "Ordinamento" ("Da Memoria" / "Da File", remembered), "Operazioni" (remembered) and
// "Editor di Colonne".

#include <QDialog>
#include <QObject>
#include <functional>

namespace tessaline {

class TAppContext;
class TFileChooser;
class TFormSaver;
class TListaColonne;
class TLettoreVocale;

class TComandiColonne : public QObject {
    Q_OBJECT
public:
    // main, files and saver outlive this object.
    TComandiColonne(TAppContext& main, TFileChooser& files, TFormSaver& saver);

    void VisDaMemoria1Click();
    void DaFile3Click(); // "Visualizza" "Da File"
    void DetDaMemoria1Click();
    void DaFile4Click(); // "Dettatura a Voce" "Da File"
    void OrdDaMemoriaClick();
    void DaFile5Click(); // "Ordinamento" "Da File"
    void Operazioni1Click();
    void EditordiColonne1Click();

    // Tests: runs instead of the modal loop (the dialog memory is applied around it).
    std::function<void(QDialog&)> primaDiMostrare;
    // Tests: the player of the dictation (the voice file's player when empty).
    std::function<TLettoreVocale*()> lettore;

private:
    void Mostra(QDialog& dlg, bool remembered);
    void Protetto(const std::function<void()>& command);
    // The column file chosen in "Seleziona il File Colonnare", loaded; false when cancelled.
    bool DaFile(TListaColonne& out);
    void Visualizza(const TListaColonne& columns);
    void Detta(const TListaColonne& columns);
    void Ordinamento(TListaColonne& columns);

    TAppContext& main_;
    TFileChooser& files_;
    TFormSaver& saver_;
};

} // namespace tessaline
