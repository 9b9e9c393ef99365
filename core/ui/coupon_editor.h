#pragma once
// The coupon editor at the centre of the main window: contest number, team names, the forecast as
// rows of sign circles, the percentages and values grids and three status lights.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <string>

#include "core/column.h"
#include "core/ui/sign_edits.h"

namespace tessaline {

// A round light, green when on, red when off.
class TSemaforo : public QWidget {
    Q_OBJECT
public:
    explicit TSemaforo(QWidget* parent = nullptr);
    bool Stato() const { return stato_; }
    void SetStato(bool on);
    QSize sizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool stato_ = false;
};

// Twelve rows of four sign circles; a left click inside a circle toggles that sign.
class TEditpronostico : public QWidget {
    Q_OBJECT
public:
    explicit TEditpronostico(QWidget* parent = nullptr);

    int Diametro = 15;
    int DeltaX = 18;
    int DeltaY = 18;
    int LeftGap = 5;
    int TopGap = 3;
    void Relayout(); // after changing the sizes

    // Loading clears Modificato.
    void SetPronostico(const Pronostico& p);
    const Pronostico& GetPronostico() const { return pro_; }
    bool PronosticoCompleto() const { return completo_; }
    bool Modificato = false;
    // Team and sign index (from 0) of the circle under a point, or false.
    bool HitTest(QPointF pos, int& team, int& sign) const;
    QRect CircleRect(int team, int sign) const;

signals:
    void OnModificato();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    Pronostico pro_{};
    bool completo_ = false;
};

// The team names: 12 fields of at most 12 characters.
class TEditPartite : public QWidget {
    Q_OBJECT
public:
    explicit TEditPartite(QWidget* parent = nullptr);
    void SetSquadre(const std::array<std::string, kTeams>& names); // clears Modificato
    std::array<std::string, kTeams> GetSquadre() const;
    QLineEdit* Field(int team) const { return fields_[static_cast<std::size_t>(team)]; }
    void Relayout(int top, int rowStep, int rowHeight);
    bool Modificato = false;
    static constexpr int kWidth = 80;

signals:
    void OnModificato();

private:
    std::array<QLineEdit*, kTeams> fields_{};
};

// A 12 x 4 grid of digit fields (percentages: 3 digits, values: 4).
class TGridNumeri : public QWidget {
    Q_OBJECT
public:
    TGridNumeri(int maxLength, QWidget* parent = nullptr);
    TDigitEdit* Cell(int row, int col) const {
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    }
    // Cell text as an integer: spaces removed, empty or not a number gives 0.
    int Value(int row, int col) const;
    void SetValue(int row, int col, int v); // 0 shows an empty cell
    // Every row has at least one non-zero cell.
    bool OgniRigaCompilata() const;
    void Relayout(int rowStep, int rowHeight, int cellWidth);

signals:
    void Edited();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    std::array<std::array<TDigitEdit*, 4>, kTeams> cells_{};
};

class TEditSchedina : public QWidget {
    Q_OBJECT
public:
    explicit TEditSchedina(QWidget* parent = nullptr);

    QLineEdit* Numero;
    TEditPartite* Partite;
    TEditpronostico* Pronostico;
    TGridNumeri* GridPerc;
    TGridNumeri* GridVal;
    TSemaforo* SPronostico;
    TSemaforo* SPercentuali;
    TSemaforo* SValori;
    QPushButton* BtnAnalisi;
    QPushButton* BtnArchivio;
    QPushButton* BtnTutti;
    QWidget* ZonaAccoppiate; // where the main window puts "N", "A", the pair light and "Seleziona"

    void SetSquadre(const std::array<std::string, kTeams>& n) { Partite->SetSquadre(n); }
    std::array<std::string, kTeams> GetSquadre() const { return Partite->GetSquadre(); }
    void SetPronostico(const tessaline::Pronostico& p) { Pronostico->SetPronostico(p); }
    tessaline::Pronostico GetPronostico() const { return Pronostico->GetPronostico(); }
    // Reading the percentages applies the row rule and writes the corrected cells back.
    TeamGrid GetPercentuali();
    void SetPercentuali(const TeamGrid& g);
    // Values are shown back as their decimal text (empty for 0).
    TeamGrid GetValori();
    void SetValori(const TeamGrid& g);
    // Empty forecast, all-zero grids, empty names, number "1".
    void Azzera();
    // Lights from the forecast and the grids; sets the modified flag and fires OnModificato.
    void AggiornaSemafori();
    bool IsModificato() const { return modificato_ || Pronostico->Modificato || Partite->Modificato; }
    void SetModificato(bool on);
    // Row spacing; the main window shrinks it by 2 on small screens.
    int RowStep = 18;
    void Relayout();

signals:
    void OnModificato();

private:
    bool modificato_ = false;
    QLabel* headSquadre_;
    QLabel* headPro_;
    QLabel* headPerc_;
    QLabel* headVal_;
    std::array<QLabel*, 12> signHeads_{};
    std::array<QLabel*, 6> matchNums_{};
    QLabel* labelNumero_;
};

// The percentages row rule on one row of cells (signs 0, 1, 2, M); returns the stored row.
std::array<int, 4> RegolaPercentuali(int p0, int p1, int p2);

} // namespace tessaline
