#pragma once
// The contest archive on the screen: "Aggiornamento Archivio" edits the contests one at a time,
// "Visualizzazione Archivio" shows them twelve at a time with the measures of their winning columns.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <functional>
#include <memory>
#include <vector>

namespace tessaline {

class TAppContext;
class TMisureArchivio;

// "Aggiornamento Archivio": navigation, add, delete, the column check, re-sorting and saving.
class TFormEditconcprec : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 28;
    // Edits app.Archivio() in place; the file is written only by "Ok" and re-read on every close
    // after a change.
    explicit TFormEditconcprec(TAppContext& app, QWidget* parent = nullptr);

    QPushButton* Precedente;
    QPushButton* Successivo;
    QPushButton* Primo;
    QPushButton* Ultimo;
    QPushButton* Aggiungi;
    QPushButton* Elimina;
    QRadioButton* CheckCalcio;
    QRadioButton* CheckBasket;
    QLineEdit* AnnoInf;
    QSpinBox* Annosup;
    QSpinBox* Concorso;
    QLineEdit* ColonnaVincente;

    // The contest shown (its index in the list) and whether anything was changed since opening.
    std::size_t Posizione() const { return pos_; }
    bool Modificato() const { return modificato_; }

    // Takes the shown fields into the contest and moves it to its sorted place; false (with the
    // message or the refused question) keeps the window on it.
    bool ControllaconcorsoInEsame();
    void PrecedenteClick();
    void SuccessivoClick();
    void PrimoClick();
    void UltimoClick();
    void AggiungiClick();
    void EliminaClick();
    // "Ok": confirm, save when changed ("Impossibile Salvare Le Modifiche." keeps the window open).
    void accept() override;
    // Every close: after a change the archive is read again from the file.
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Mostra();
    void Vai(std::size_t pos);
    void Cambiato();

    TAppContext& app_;
    std::size_t pos_ = 0;
    bool modificato_ = false;
    bool mostrando_ = false;
};

// "Visualizzazione Archivio": the fixed columns and the measure groups, twelve contests at a time.
class TFormvisArchivio : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 29;
    static constexpr int kRighe = 12;
    explicit TFormvisArchivio(TAppContext& app, QWidget* parent = nullptr);
    ~TFormvisArchivio() override;

    QTableWidget* GridInt;           // group titles and sub-headings
    QTableWidget* GridNum;           // headings and twelve contests
    QScrollBar* SBar;                // first contest shown
    QScrollBar* SBarOriz;            // first measure column shown
    std::vector<QCheckBox*> Caselle; // "Condizioni da Visualizzare", one per measure group
    QPushButton* BtnStampa;
    QPushButton* BtnChiudi;

    // "Stampa": opens the archive printout; the button is hidden while nobody provides it.
    std::function<void()> stampa;
    void ImpostaStampa(std::function<void()> f);

    // Fills every row from the archive and the shown groups.
    void Ridisegna();
    // The grid column of measure column k of group g.
    int ColonnaGriglia(std::size_t g, std::size_t k) const;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    QSize sizeHint() const override;

private:
    void Intestazioni();
    void AggiornaColonne();

    TAppContext& app_;
    std::unique_ptr<TMisureArchivio> misure_;
    std::vector<int> primaColonna_; // grid column of each group's first measure
    int natural_ = 0;               // the fixed columns and the first groups
};

} // namespace tessaline
