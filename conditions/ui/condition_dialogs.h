#pragma once
// The dialogs of the condition families that check value tables: "Numero Di Segni", "Pari e
// Dispari", "Vortice", "Simmetrie", "Interruzioni", "Ripetizioni", and the item lists "Risultati
// delle Partite" and "Consecutività  Differenziata dei Segni". Each edits a copy of its condition;
// "Ok" stores the copy into the condition, "Annulla" leaves it untouched.

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "conditions/condition.h"
#include "core/ui/points_graph.h"

namespace tessaline {

class TCondTabelle;
class TCondRisultati;
class TCondConsecutivita;

// The whole record of a condition (type code, Attivato, payload).
std::vector<std::uint8_t> RecordCondizione(const TCondizione& c);
// A condition of the same code read back from the record of another; nullptr when it cannot be.
std::unique_ptr<TCondizione> CopiaCondizione(const TCondizione& c);
// Reads the record of `from` into `to` (same code); false when the record does not read back.
bool CopiaIn(const TCondizione& from, TCondizione& to);

// What every family's dialog shares: the copy being edited, "Attivato" / "Disattivato",
// "Archivio", "Analisi", "Azzera ", "Ok", "Annulla", "Aiuto".
class TFormCondizione : public QDialog {
    Q_OBJECT
public:
    ~TFormCondizione() override;
    QRadioButton* RadioAttivato;
    QRadioButton* RadioDisattivato;
    QPushButton* BtnArchivio;
    QPushButton* BtnAnalisi;
    QPushButton* BtnAzzera;
    QPushButton* BtnOk;
    QPushButton* BtnAnnulla;

    // The condition as it stands in the dialog (after collecting the controls).
    TCondizione& Copia();
    // "Azzera ": "Attivato" and every table emptied (stored on "Ok").
    virtual void AzzeraClick() = 0;
    // Stores the copy into the condition and closes.
    void accept() override;
    // What "Archivio" (analisi false) and "Analisi" open for the condition being edited; set by the
    // program. While it is empty both buttons stay disabled.
    static std::function<void(TFormCondizione&, bool analisi)>& Vista();

protected:
    TFormCondizione(TCondizione& cond, const QString& caption, int helpContext, QWidget* parent);
    // Builds the common rows under the family's own controls.
    void Completa(QWidget* corpo, QWidget* stato = nullptr);
    // The controls from the copy, and back.
    virtual void Mostra() = 0;
    virtual void Raccogli() = 0;
    // Checks what the user typed before it is taken (shows the fault and focuses it); false keeps
    // the dialog where it is.
    virtual bool Valido() { return true; }
    // Checked before "Archivio" and "Analisi" open their window: false keeps the dialog where it is.
    virtual bool PrimaDellaVista() { return Valido(); }

    TCondizione& orig_;
    std::unique_ptr<TCondizione> copia_;
};

// One table of a family's dialog: which table, its caption, where it stands, the first value shown.
struct TPostoTabella {
    int tabella;
    const char* caption;
    int riga;
    int colonna;
    int primo = 0;
    bool campo = true;
};
struct TPaginaTabelle {
    const char* titolo; // nullptr: no pages
    std::vector<TPostoTabella> tabelle;
};
struct TDescrizioneDialogo {
    const char* caption;
    int helpContext;
    std::vector<TPaginaTabelle> pagine;
};

// How the dialog of each table family looks, by type code (1 to 6); nullptr for other codes.
const TDescrizioneDialogo* DescrizioneDialogo(std::uint8_t tipo);

class TFormCondTabelle : public TFormCondizione {
    Q_OBJECT
public:
    TFormCondTabelle(TCondTabelle& cond, const TDescrizioneDialogo& d, QWidget* parent = nullptr);
    // The editor of table i of the condition (nullptr when the dialog does not show it).
    TGraphPt* Grafico(int tabella) const;
    QTabWidget* Pagine = nullptr;
    void AzzeraClick() override;

protected:
    void Mostra() override;
    void Raccogli() override;

private:
    TCondTabelle& CopiaTab();
    std::vector<std::pair<int, TGraphPt*>> grafici_;
};

// Navigation among the items of a list: "Nº Condizione", first / previous / next / last,
// "AggiungiBtn", "EliminaBtn", the item's "Stato " and the list's "Stato generale :".
class TFormLista : public TFormCondizione {
    Q_OBJECT
public:
    QLabel* LabelNumero;
    QToolButton* BtnPrimo;
    QToolButton* BtnPrecedente;
    QToolButton* BtnSuccessivo;
    QToolButton* BtnUltimo;
    QPushButton* AggiungiBtn;
    QPushButton* EliminaBtn;
    QRadioButton* ItemAttivato;
    QRadioButton* ItemDisattivato;

    int Corrente() const { return corrente_; }
    int Conta() const;
    void Vai(int index);
    void AggiungiClick();
    void EliminaClick();
    void AzzeraClick() override;

protected:
    TFormLista(TListaCondizioni& list, std::uint8_t codiceItem, const QString& caption, int helpContext,
               QWidget* parent);
    // Builds the navigation row above the item's own controls; the item's "Stato " goes at the end
    // of rigaStato when given, else beside the item.
    void CompletaLista(QWidget* item, QBoxLayout* rigaStato = nullptr);
    TListaCondizioni& Lista();
    void Mostra() override;
    void Raccogli() override;
    virtual void MostraItem(TCondizione& item) = 0;
    virtual void RaccogliItem(TCondizione& item) = 0;

private:
    std::uint8_t codiceItem_;
    int corrente_ = 0;
    QWidget* item_ = nullptr;
};

class TFormRisultati : public TFormLista {
    Q_OBJECT
public:
    TFormRisultati(TListaCondizioni& list, const std::array<std::string, 12>& squadre,
                   QWidget* parent = nullptr);
    // Per match the three results "1", "X", "2".
    std::array<std::array<QCheckBox*, 3>, 6> Esiti{};
    TGraphPt* Punti;

protected:
    void MostraItem(TCondizione& item) override;
    void RaccogliItem(TCondizione& item) override;
};

class TFormConsecutivita : public TFormLista {
    Q_OBJECT
public:
    explicit TFormConsecutivita(TListaCondizioni& list, QWidget* parent = nullptr);
    // Sign buttons "0", "1", "2", "M".
    std::array<QToolButton*, 4> Segni{};
    TGraphPt* Selezione;
    TGraphPt* Ammessa;

protected:
    void MostraItem(TCondizione& item) override;
    void RaccogliItem(TCondizione& item) override;
};

} // namespace tessaline
