#pragma once
// Small editors reused by many windows: the digit-only field of the coupon grids, the sign field
// TEditSegno, the column editor TEditColonna and the read-only coupon panel TPannelloSc.

#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>

#include "core/column.h"

namespace tessaline {

// Admits digits up to a length; backspace, tab, escape, "-" and "." always pass, every other
// character is dropped.
class TDigitEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TDigitEdit(int maxLength, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// One team's signs: upper-cases keys, admits "0", "1", "2", "M" once each and backspace; up and
// down call the owner's callbacks; left, right, insert and delete keep their meaning.
class TEditSegno : public QLineEdit {
    Q_OBJECT
public:
    explicit TEditSegno(QWidget* parent = nullptr);
    std::function<void()> onPrevious;
    std::function<void()> onNext;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// Twelve sign fields stacked, a wider gap between matches.
class TEditColonna : public QWidget {
    Q_OBJECT
public:
    explicit TEditColonna(QWidget* parent = nullptr, bool singolo = false);

    void SetColonna(const Colonna& c);
    Colonna GetColonna() const { return colonna_; }
    // False (and the focus on the first empty field) when a team holds no sign.
    bool GetColonnaCompleta(Colonna& c);
    TEditSegno* Field(int team) const { return fields_[static_cast<std::size_t>(team)]; }
    void SetSingolo(bool singolo);

    int Gap1 = 1;
    int Gap2 = 3;
    int FieldHeight = 20;
    int FieldWidth = 40;
    void Relayout();

signals:
    void Modificato();

private:
    std::array<TEditSegno*, kTeams> fields_{};
    Colonna colonna_{};
    bool singolo_ = false;
};

// Read-only view of a coupon: match number, team name, signs and optionally percentages (Tipo 2) or
// values (Tipo 3). A click on a row's number or name toggles that team's mark.
class TPannelloSc : public QWidget {
    Q_OBJECT
public:
    explicit TPannelloSc(QWidget* parent = nullptr);

    int LNum = 20;
    int LSquadra = 63;
    int LPro = 25;
    int LValori = 77;
    int ARighe = 15;
    int Gap1 = 1;
    int Gap3 = 2;
    int Tipo = 0;
    bool SelezionaPartiteSingole = false;
    std::function<bool(int team)> consenti; // which teams may be marked (single selection)

    void SetSquadre(const std::array<std::string, kTeams>& names);
    void SetPronostico(const Pronostico& p);
    void SetGriglia(const TeamGrid& g);
    bool Selezionata(int team) const { return sel_[static_cast<std::size_t>(team)]; }
    void SetSelezionata(int team, bool on);
    int RowTop(int team) const { return team * (ARighe + Gap1) + (team / 2) * Gap3; }
    QSize sizeHint() const override;

signals:
    void Modificato();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    std::array<std::string, kTeams> names_;
    Pronostico pro_{};
    TeamGrid grid_{};
    std::array<bool, kTeams> sel_{};
};

} // namespace tessaline
