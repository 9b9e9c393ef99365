#pragma once
// The link dialog "Recupero Condizioni" (per letter the tables recovering through it and the errors
// admitted, and the errors admitted in total) and the window "Analisi Delle Colonne Filtrate" with
// the rejections of the last development.

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <array>
#include <memory>
#include <vector>

#include "conditions/value_table.h"
#include "core/ui/points_graph.h"
#include "core/ui/printing_hook.h"

namespace tessaline {

class TInsiemeCondizioni;
class UserPrompt;

class TFormRec : public QDialog {
    Q_OBJECT
public:
    TFormRec(TInsiemeCondizioni& set, UserPrompt& prompt, QWidget* parent = nullptr);
    ~TFormRec() override;
    static constexpr int kHelpContext = 69;

    std::array<QToolButton*, 26> Lettere{};
    QLabel* LabelCondizioni;
    QListWidget* ListaCondizioni;
    TGraphPt* PtLink;
    QLabel* MaxLink;
    TGraphPt* PtTutteLink;
    QLabel* MaxTutte;
    QPushButton* BtnAnalisi;
    QPushButton* BtnAzzera;
    QPushButton* BtnOk;

    // Shows a letter: its tables, its error table and its level sum.
    void ScegliLettera(char letter);
    char Lettera() const { return lettera_; }
    // The level sum of a letter (distinct levels of the tables recovering through it).
    int SommaLettera(char letter) const { return somme_[static_cast<std::size_t>(letter - 'A')]; }
    int SommaTotale() const;
    void AzzeraClick();
    void AnalisiClick();
    // Handed to the analysis window for its printout.
    TAnteprima anteprima;
    // Refuses an error count above the level sums ("Informazione"); else stores the tables.
    void accept() override;

private:
    void Raccogli();
    TInsiemeCondizioni& set_;
    UserPrompt& prompt_;
    std::vector<TTabellaPunti> tabelle_; // 'A' .. 'Z', then the total
    std::array<int, 26> somme_{};
    char lettera_ = 'A';
};

// "Analisi Delle Colonne Filtrate": rejected columns by level and by error count of each used
// letter, and by the total error count, in values or percent.
class TFormAnalisiRec : public QDialog {
    Q_OBJECT
public:
    TFormAnalisiRec(const TInsiemeCondizioni& set, QWidget* parent = nullptr);
    static constexpr int kHelpContext = 70;

    QListWidget* ListaLettere;
    QTableWidget* TabLivelli;
    QTableWidget* TabErrori;
    QTableWidget* TabTotale;
    QRadioButton* RadioValori;
    QRadioButton* RadioPerc;
    QPushButton* BtnStampa;

    void Mostra();
    // The printout "Stampa Delle Colonne Filtrate Dal Recupero Condizioni" in its preview, in values
    // or percent as shown; "Stampa" is enabled once a preview is given.
    void ImpostaAnteprima(TAnteprima f);
    void StampaClick();

private:
    const TInsiemeCondizioni& set_;
    TAnteprima anteprima_;
};

} // namespace tessaline
