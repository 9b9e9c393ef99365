#pragma once
// "Stampa Archivio": the first and the last contest of the archive printout, each as a season and a
// number, then the printout on a landscape page.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <memory>

#include "conditions/archive_print.h"

class QPrinter;

namespace tessaline {

class T_Archivio;
class UserPrompt;

class TFormStampaArchivio : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 30;
    // Prints the archive with the measure groups chosen in the view; the archive and the prompt
    // outlive the window.
    TFormStampaArchivio(const T_Archivio& archivio, UserPrompt& prompt, const TGruppiScelti& gruppi,
                        QWidget* parent = nullptr);
    ~TFormStampaArchivio() override;

    QSpinBox* Annosup1; // the second year of each season
    QSpinBox* AnnoSup2;
    QLabel* AnnoInf1; // the first year, shown beside it
    QLabel* AnnoInf2;
    QSpinBox* Concorso1;
    QSpinBox* Concorso2;
    QLabel* LabelConcorsi; // how many contests lie between the ends
    QPushButton* BtnOk;
    QPushButton* BtnAnteprima;

    // Where the printout goes (the program's printer when null).
    QPrinter* Stampante = nullptr;
    // What the last printout came to.
    TEsitoStampaArchivio Esito;

    TEstremoConcorso Da() const;
    TEstremoConcorso A() const;
    // "Ok": prints the contests between the two ends and closes; "Impossibile Stampare La Tabella"
    // keeps the window open.
    void accept() override;
    // "Anteprima": the printout in the preview window, from which it may be printed.
    void AnteprimaClick();

private:
    void Estremi(bool primo);
    // The contests to print, after telling the user when there are none.
    bool Intervallo(std::size_t& primo, std::size_t& ultimo);

    const T_Archivio& archivio_;
    UserPrompt& prompt_;
    TGruppiScelti gruppi_;
    std::unique_ptr<TMisureArchivio> misure_;
};

// The printer turned to landscape for one job and back to its orientation after it.
class TOrizzontale {
public:
    explicit TOrizzontale(QPrinter& printer);
    ~TOrizzontale();
    TOrizzontale(const TOrizzontale&) = delete;
    TOrizzontale& operator=(const TOrizzontale&) = delete;

private:
    QPrinter& printer_;
    int prima_;
};

} // namespace tessaline
