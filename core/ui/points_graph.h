#pragma once
// The editor of a value table (TGraphPt): a row of boxes per section, one box per value, with the
// admitted and recovery marks, the recovery levels, the link letter, the Tra group and the field;
// and the legend drawn under a chart (TLegenda).

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStringList>
#include <QToolButton>
#include <QWidget>
#include <memory>

#include "conditions/value_table.h"

namespace tessaline {

class TGraphPt;

// The painted rows of boxes of a TGraphPt (points, and consecutiveness when shown).
class TStrisciaPt : public QWidget {
    Q_OBJECT
public:
    explicit TStrisciaPt(TGraphPt& owner);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The box of value v in a section (empty when v is not on show).
    QRect RettangoloBox(bool cons, int v) const;
    // The button that raises (su) or lowers the recovery level of value v.
    QRect RettangoloLivello(bool cons, int v, bool su) const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    int AltezzaSezione() const;
    int TopSezione(bool cons) const;
    int XBox(int indice) const;
    TGraphPt& g_;
};

class TGraphPt : public QWidget {
    Q_OBJECT
public:
    explicit TGraphPt(QWidget* parent = nullptr);
    ~TGraphPt() override;

    // Shows a table: its marks, letters, groups and field; PtTotali becomes N + 1. Modificato is
    // cleared.
    void ImpostaTabella(const TTabellaPunti& t);
    // Writes the edited marks, letters, groups and field back into a table of the same N.
    void LeggiTabella(TTabellaPunti& t) const;
    // No marks, letters 'A', groups 0, field 1..12 (a change like any other).
    void Svuota();

    TVoce Voce(bool cons, int v) const;
    // A click on a box: 0 -> 1 -> 2 (only with RecVisibili) -> 0.
    void Cicla(bool cons, int v);
    // The recovery level of a box in state 2 moved by delta, kept within 1..99.
    void CambiaLivello(bool cons, int v, int delta);
    // Sets PtIniziale (kept so that the shown values stay within 0..PtTotali-1).
    void ImpostaIniziale(int first);
    // Applies the switches and the sizes to the child controls; call after changing them.
    void Aggiorna();

    TStrisciaPt* Striscia() const { return striscia_; }
    void SetModificato(bool on) { Modificato = on; }

    // Values shown and where from.
    int PtTotali = 13;
    int PtVisibili = 13;
    int PtIniziale = 0;
    // Geometry: boxes (top, width, height), level buttons (top, height), level number height, the
    // rows of the group and of the link.
    int YBoxPt = 20;
    int LBoxPt = 19;
    int ABoxPt = 18;
    int YBtn = 40;
    int ABtn = 10;
    int ARec = 14;
    int YTra = 30;
    int YLink = 74;
    // Switches: link letter and Tra group shown, 30 pixels of row captions, a frame around, the
    // recovery state offered, the points row, the consecutiveness row, the field.
    bool LinkTra = true;
    bool Testo = true;
    bool Bordo = true;
    bool RecVisibili = true;
    bool TipoPunti = true;
    bool TipoCons = true;
    bool TipoCampo = true;
    QString Titolo;
    bool Modificato = false;

    QLabel* LabelTitolo;
    QToolButton* BtnSinistra;
    QToolButton* BtnDestra;
    QComboBox* LinkPt;
    QSpinBox* TraPt;
    QComboBox* LinkCs;
    QSpinBox* TraCs;
    QSpinBox* CampoMin;
    QSpinBox* CampoMax;

    // Which section and value the keyboard works on.
    bool cursoreCons = false;
    int cursore = 0;

signals:
    void OnModificato();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    friend class TStrisciaPt;
    void Cambia();
    TSezione& Sezione(bool cons) { return cons ? tab_->Cs : tab_->Pt; }
    const TSezione& Sezione(bool cons) const { return cons ? tab_->Cs : tab_->Pt; }

    std::unique_ptr<TTabellaPunti> tab_;
    TStrisciaPt* striscia_;
    QWidget* righe_;
    QLabel* labelLinkCs_;
    QLabel* labelTraCs_;
    QLabel* labelLinkPt_;
    QLabel* labelTraPt_;
    QLabel* labelCampo_;
    QLabel* labelMax_;
    bool caricando_ = false;
};

// The labels under a chart: label i from Start on at x = (i - Start) * GapOriz + GapX, y = GapY; a
// label with a comma is split there, its second part one line lower.
class TLegenda : public QWidget {
    Q_OBJECT
public:
    explicit TLegenda(QWidget* parent = nullptr);
    void SetGapX(int v);
    void SetGapY(int v);
    void SetGapOriz(int v);
    void SetStart(int v);
    void SetNumPoint(int v);
    void SetLista(const QStringList& l);
    int GapX() const { return gapX_; }
    int GapY() const { return gapY_; }
    int GapOriz() const { return gapOriz_; }
    int Start() const { return start_; }
    int NumPoint() const { return numPoint_; }
    const QStringList& Lista() const { return lista_; }

    // The texts drawn and their top-left corners (the painting's plan, one or two per label).
    struct TPezzo {
        QString testo;
        QPoint pos;
    };
    std::vector<TPezzo> Pezzi() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int gapX_ = 40;
    int gapY_ = 0;
    int gapOriz_ = 30;
    int start_ = 0;
    int numPoint_ = 0;
    QStringList lista_;
};

} // namespace tessaline
