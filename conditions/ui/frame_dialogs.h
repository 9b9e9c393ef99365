#pragma once
// The frame editor "Quadro" (TFormQuadro) with its cards, relation, pop-up menu and files; the tree
// of conditions (TFormAlbero), the frame's comment, and the automatic insertion of filter columns
// (TFormInsArc_File). Also the way any condition of a frame opens its family's dialog.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "conditions/frame_editor.h"
#include "conditions/frame_tools.h"
#include "conditions/ui/value_dialogs.h"
#include "core/ui/points_graph.h"
#include "core/ui/sign_edits.h"

namespace tessaline {

class TFileChooser;
class T_Archivio;

inline constexpr int kHelpQuadro = 77;
inline constexpr int kHelpAlbero = 78;
inline constexpr int kHelpCommento = 79;
inline constexpr int kHelpInsArc = 112;
inline constexpr const char* kErroreFileColonnare = "Errore durante la lettura del file colonnare";

// What the condition dialogs need of the program.
struct TContestoDialoghi {
    TDatiSchedina Schedina;
    UserPrompt* Prompt = nullptr;
};

// The dialog of a condition's family, for a top-level condition or an item of a frame (a lone list
// item is edited in its list's dialog); nullptr for frames and codes without a dialog.
std::unique_ptr<QDialog> CreaDialogoCondizione(TCondizione& c, const TContestoDialoghi& ctx, QWidget* parent);
// Opens it modal; true when closed with "Ok" (the condition then holds the edit).
bool ApriDialogoCondizione(TCondizione& c, const TContestoDialoghi& ctx, QWidget* parent);

// One card of the editor: the mark for "Taglia", "Copia", "Elimina" and "Salva", the position and
// title, the item's switch, and the button that opens the item.
class TCardCondizione : public QFrame {
    Q_OBJECT
public:
    explicit TCardCondizione(QWidget* parent);
    QCheckBox* Selezione;
    QLabel* Titolo;
    // "Attivato" / "Disattivato": a click switches the item.
    QToolButton* Stato;
    QToolButton* Apri;
};

class TFormQuadro : public QDialog {
    Q_OBJECT
public:
    TFormQuadro(TInsiemeCondizioni& set, const TContestoDialoghi& ctx, TFileChooser& files,
                const T_Archivio* archivio, QWidget* parent = nullptr);
    ~TFormQuadro() override;

    QLineEdit* NomeQuadro;
    QRadioButton* RadioAttivato;
    QRadioButton* RadioDisattivato;
    QPushButton* BtnCaricaQuadro;
    QPushButton* BtnSalvaQuadro;
    QPushButton* BtnPrecedente;
    QPushButton* BtnAlbero;
    QPushButton* BtnMenu; // the pop-up menu, also on the right button
    QLabel* LabelLivello;
    std::array<TCardCondizione*, kCardVisibili> Cards{};
    QScrollBar* Scorrimento;
    TPannelloSc* Pannello;
    QStackedWidget* Relazioni;
    std::array<QRadioButton*, 4> Relazione{};
    QPushButton* BtnParticolari;
    QPushButton* BtnPreset;
    TGraphPt* Accettate;
    QMenu* Popup;
    // Pop-up entries by caption ("Taglia", "Incolla", "Cerca Fisse", ...).
    QAction* Azione(const QString& caption) const;
    // Every "Nuova" entry: "Colonne Filtro|Singolo", "Numero Di Segni", "Quadro", ...
    QAction* AzioneNuova(const QString& path) const;

    TModelloQuadro& Modello() { return modello_; }
    // Shows the frame on show again (cards, name, relation, table).
    void Mostra();
    // Takes the controls into the frame on show.
    void Raccogli();
    // Opens the item on card k (a frame is entered).
    void ApriCard(int k);

    // The commands of the buttons and of the pop-up menu.
    void CaricaQuadroClick();
    void SalvaQuadroClick();
    void PrecedenteClick();
    void AlberoClick();
    void NuovaClick(const TVoceNuova& voce, bool multiplo);
    void InserimentoAutomaticoClick();
    void TagliaClick();
    void CopiaClick();
    void IncollaClick();
    void EliminaClick();
    void SalvaCondizioniClick();
    void CaricaCondizioniClick();
    void CommentoClick();
    void PrototipoClick();

    // The fixed-sign search opened from the pop-up menu ("Cerca Fisse"), given by the part of the
    // program that provides it; the entry stays disabled while it is empty.
    static std::function<void(TFormQuadro&)>& CercaFisse();

    // "Ok" keeps the edited frame; "Annulla" (and closing) puts back the frame as it was on show.
    void accept() override;
    void reject() override;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    void CostruisciMenu();
    void Messaggio(const std::string& text);
    TInsiemeCondizioni& set_;
    TContestoDialoghi ctx_;
    TFileChooser& files_;
    const T_Archivio* archivio_;
    TModelloQuadro modello_;
    std::vector<std::uint8_t> originale_;
    bool mostrando_ = false;
};

// "Albero Condizioni": every frame and condition under slot 13, indented by depth.
class TFormAlbero : public QDialog {
    Q_OBJECT
public:
    TFormAlbero(TModelloQuadro& modello, QWidget* parent = nullptr);
    QTreeWidget* Albero;
};

// "Commento": the frame's comment, one text line per line.
class TFormCommentoQuadro : public QDialog {
    Q_OBJECT
public:
    TFormCommentoQuadro(std::vector<std::string>& commento, QWidget* parent = nullptr);
    QPlainTextEdit* Testo;
    void accept() override;

private:
    std::vector<std::string>& commento_;
};

// "Inserimento automatico delle colonne filtro".
class TFormInsArc_File : public QDialog {
    Q_OBJECT
public:
    TFormInsArc_File(const T_Archivio* archivio, TFileChooser& files, UserPrompt& prompt,
                     QWidget* parent = nullptr);
    QRadioButton* RadioArchivio;
    QRadioButton* RadioFile;
    QSpinBox* AnnoSup1;
    QSpinBox* AnnoSup2;
    QLabel* AnnoInf1;
    QLabel* AnnoInf2;
    QSpinBox* Concorso1;
    QSpinBox* Concorso2;
    QLineEdit* NomeFile;
    QPushButton* BtnSfoglia;
    TGraphPt* Punti;
    QCheckBox* Coppie;

    TEstremoConcorso Da() const;
    TEstremoConcorso A() const;
    // The columns to insert (on "Ok"): the range's complete contests or the file's columns.
    const std::vector<Colonna>& Colonne() const { return colonne_; }
    // The points table every inserted column carries.
    TTabellaPunti TabellaPunti() const;
    void SfogliaClick();
    void accept() override;

private:
    void Estremi(bool primo);
    void Sorgente();
    const T_Archivio* archivio_;
    TFileChooser& files_;
    UserPrompt& prompt_;
    std::vector<Colonna> colonne_;
};

} // namespace tessaline
