#pragma once
// "Operazioni Su Files Colonnari" (union, intersection, difference, coverage and reordering of
// column files) and "Ordinamento Colonnare" (columns sorted by probability, a stretch kept).

#include <QDialog>
#include <vector>

#include "core/interfaces.h"
#include "tools/column_ops.h"
#include "tools/ordering.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace tessaline {

class TAppContext;
class TFileChooser;
class TListaColonne;

class TFormOperazioni : public QDialog {
    Q_OBJECT
public:
    TFormOperazioni(TAppContext& main, TFileChooser& files, QWidget* parent = nullptr);

    TOperazione Operazione() const;
    // "Esegui": runs the chosen operation on a worker thread (the window keeps painting and takes
    // "Interrompi"), then shows its message.
    void EseguiClick();
    // "Interrompi".
    void InterrompiClick() { cancel_.Request(); }
    // The labels and the second file's visibility follow the chosen operation.
    void AggiornaEtichette();
    // Closing during a run stops the run instead.
    void reject() override;

    QRadioButton* RadioOr;
    QRadioButton* RadioAnd;
    QRadioButton* RadioXor;
    QRadioButton* RadioN1;
    QRadioButton* RadioN2;
    QRadioButton* RadioDisord;
    QLabel* LabelSource1;
    QLabel* LabelSource2;
    QLineEdit* Source1;
    QLineEdit* Source2;
    QLineEdit* Dest;
    QPushButton* Cerca1;
    QPushButton* Cerca2;
    QPushButton* CercaDest;
    QProgressBar* Gauge;
    QPushButton* BtnEsegui;
    QPushButton* BtnInterrompi;
    QPushButton* BtnChiudi;

private:
    void Cerca(QLineEdit* edit, bool save);

    TAppContext& main_;
    TFileChooser& files_;
    TCancelFlag cancel_;
    bool running_ = false;
};

class TFormOrdinamento : public QDialog {
    Q_OBJECT
public:
    // Sorts source (which is emptied) by the system's sign percentages.
    TFormOrdinamento(TAppContext& main, TFileChooser& files, TListaColonne& source,
                     QWidget* parent = nullptr);

    const std::vector<TColProb>& Ordinate() const { return sorted_; }
    const TIntervalloOrdinamento& Intervallo() const { return range_; }
    // Counters and bar from the range controls.
    void AggiornaContatori();
    void SalvaSuFileClick();
    void InserisciInMemoriaClick();

    QSpinBox* SpinMin;
    QSpinBox* SpinMax;
    QLabel* LabelIniziali;
    QLabel* LabelFinali;
    QLabel* LabelFiltrate;
    QWidget* Traccia; // the 188-pixel track
    QWidget* Barra;
    QPushButton* BtnSalva;
    QPushButton* BtnInserisci;

private:
    TAppContext& main_;
    TFileChooser& files_;
    std::vector<TColProb> sorted_;
    TIntervalloOrdinamento range_;
    bool updating_ = false;
};

} // namespace tessaline
