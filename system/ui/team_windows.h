#pragma once
// The team list windows: "Lista Squadre" (the four league lists, kept sorted), "Editazione
// Squadra" (one name), and "Selezione Partite" (picking the coupon's teams from a list).

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <array>
#include <functional>
#include <optional>

#include "system/team_lists.h"

namespace tessaline {

class UserPrompt;
class TEditPartite;

// The four league buttons "A", "B", "C1", "C2"; "A" pressed.
std::array<QPushButton*, kLeghe> BottoniLeghe(QWidget* parent, QLayout* layout);

// Reads the four lists (a league whose file is missing starts empty); raises "Impossibile Caricare
// la Lista delle Squadre di Serie X" for a file that cannot be read.
void CaricaListe(TListeSquadre& liste);

class TFormEditSquadra : public QDialog {
    Q_OBJECT
public:
    TFormEditSquadra(const QString& name, UserPrompt& prompt, QWidget* parent = nullptr);
    QLineEdit* EditNome;
    // Accepts only a name with a character other than a space.
    void accept() override;

private:
    UserPrompt& prompt_;
};

class TFormListaSquadre : public QDialog {
    Q_OBJECT
public:
    // Loads the four lists (raising as CaricaListe does).
    TFormListaSquadre(UserPrompt& prompt, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 23;

    TListeSquadre& Liste() { return liste_; }
    TLega Lega() const { return lega_; }
    void ScegliLega(TLega lega);
    QListWidget* ListBoxSquadre;
    std::array<QPushButton*, kLeghe> Leghe{};
    QPushButton* BtnAggiungi;
    QPushButton* BtnModifica;
    QPushButton* BtnCancella;

    void AggiungiClick();
    void ModificaClick();
    void CancellaClick();
    // OK writes the four files; Annulla reads them again.
    void accept() override;
    void reject() override;

    // Asks for a name (the team edit window unless a test answers); nothing when cancelled.
    std::function<std::optional<QString>(const QString&)> editaNome;

private:
    void Riempi(int select);
    UserPrompt& prompt_;
    TListeSquadre liste_;
    TLega lega_ = TLega::A;
};

class TFormSelezioneSquadre : public QDialog {
    Q_OBJECT
public:
    // teams is the coupon editor's team grid: its in-place editing is off while the window is open.
    TFormSelezioneSquadre(T_Sistema& sys, const TListeSquadre& liste, TEditPartite* teams,
                          QWidget* parent = nullptr);
    ~TFormSelezioneSquadre() override;
    static constexpr int kHelpContext = 92;

    QTableWidget* Grid;
    std::array<QPushButton*, kLeghe> Leghe{};
    QPushButton* BtnSu;
    QPushButton* BtnGiu;
    QPushButton* BtnEsci;
    int Slot() const { return model_.Slot(); }
    void ScegliLega(TLega lega);
    // A click on a grid cell.
    void CellaClick(int row, int column);
    void SuClick();
    void GiuClick();

private:
    void Riempi();
    void MostraSlot();
    T_Sistema& sys_;
    const TListeSquadre& liste_;
    TEditPartite* teams_;
    TSelezioneSquadre model_;
    TLega lega_ = TLega::A;
};

} // namespace tessaline
