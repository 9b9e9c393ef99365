#pragma once
// The statistics windows: "Impostazioni Di Ricerca", the per-team sign history, the historical check
// of the system ("Analisi Statistica") and the sign count of the developed columns.

#include <QChartView>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QCheckBox>
#include <QTabWidget>
#include <QTableWidget>
#include <array>
#include <functional>

#include "archive/team_history.h"
#include "conditions/archive_check.h"
#include "core/ui/printing_hook.h"

namespace tessaline {

class T_Archivio;
class TListaColonne;
class TInsiemeCondizioni;
class UserPrompt;
struct T_ImpostazioniRicerca;

// "Impostazioni Di Ricerca": categories, the range of contests, the ignored conditions, the kinds.
class TFormImpRic : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 52;
    // Edits ricerca; "Ok" stores it and calls salva (which writes the configuration file).
    TFormImpRic(T_ImpostazioniRicerca& ricerca, const T_Archivio& archivio, std::function<void()> salva,
                QWidget* parent = nullptr);

    QRadioButton* Radio1;
    QRadioButton* Radio12;
    QRadioButton* Radio123;
    QLabel* AnnoInf1;
    QLabel* AnnoInf2;
    QSpinBox* Annosup1;
    QSpinBox* AnnoSup2;
    QSpinBox* Concorso1;
    QSpinBox* Concorso2;
    QCheckBox* CheckCF;
    QCheckBox* CheckRip;
    QCheckBox* CheckVal;
    QCheckBox* CheckPer;
    QCheckBox* CheckCalcio;
    QCheckBox* CheckBasket;

    void accept() override;

private:
    void Estremi(bool primo);
    T_ImpostazioniRicerca& ricerca_;
    std::function<void()> salva_;
};

// "Analisi Storica Della Frequenza Dei Segni": one page per sign, twelve teams each.
class TFormProArc : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 49;
    TFormProArc(const T_Archivio& archivio, const T_ImpostazioniRicerca& ricerca, TStampante stampante,
                QWidget* parent = nullptr);

    QTabWidget* Pagine;
    std::array<QTableWidget*, 4> Griglie{};
    QPushButton* BtnStampa;
    UserPrompt* Prompt = nullptr; // where a printing failure is shown
    const TStoriaSquadre& Storia() const { return storia_; }
    // "Stampa": raises "Impossibile Stampare La Tabella" on failure.
    void StampaClick();

private:
    TStoriaSquadre storia_;
    TStampante stampante_;
};

// The statistics window: "Elaborazione" / "Analisi Statistica" runs the historical check on the
// worker thread, "Annulla" stops it; one page of figures per category.
class TFormStatistica : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 53;
    // colonneForecast / colonneTenute: columns of the forecast and columns kept by the last
    // development (colonneTenute < 0: the system has not been developed).
    TFormStatistica(TInsiemeCondizioni& set, const T_Archivio& archivio, const T_ImpostazioniRicerca& ricerca,
                    std::int64_t colonnePronostico, std::int64_t colonneTenute, QWidget* parent = nullptr);

    QPushButton* BtnElabora;
    QPushButton* Cancelbtn;
    QProgressBar* Gauge;
    QLabel* Stato;
    std::array<QPushButton*, 3> BtnCategoria{};
    QLabel* Titolo;
    QChartView* GraficoFrequenza;
    QChartView* GraficoFiltrate;
    QLabel* LabelFrequenza;
    QLabel* LabelFiltrate;
    QLabel* CicloMedio;
    QLabel* RitardoMinimo;
    QLabel* RitardoMassimo;
    QLabel* RitardoMedio;
    QLabel* RitardoAttuale;
    QLabel* Settimane;
    QLabel* Convenienza;

    // Runs the check (modal for the rest of the program); false when stopped with "Annulla".
    bool AnalisiArchivioClick();
    void MostraCategoria(int k);
    int Categoria() const { return categoria_; }
    const TAnalisiStorica& Risultato() const { return risultato_; }
    // "Fattore Di Convenienza :" text for the shown figures.
    static QString TestoConvenienza(double filtrate, double frequenza);

private:
    TInsiemeCondizioni& set_;
    const T_Archivio& archivio_;
    const T_ImpostazioniRicerca& ricerca_;
    std::int64_t colonnePronostico_;
    std::int64_t colonneTenute_;
    TAnalisiStorica risultato_;
    TCancelFlag cancel_;
    int categoria_ = 0;
};

// "Analisi Delle Frequenze Dei Segni": per team the count of each sign in the columns in memory.
class TFormProAna : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 50;
    TFormProAna(const TListaColonne& colonne, TStampante stampante, QWidget* parent = nullptr);

    QTableWidget* Griglia;
    QCheckBox* CheckPerc;
    QPushButton* BtnStampa;
    UserPrompt* Prompt = nullptr;
    // counts[team][sign]
    const std::array<std::array<std::int64_t, 4>, 12>& Conteggi() const { return conteggi_; }
    std::int64_t Colonne() const { return colonne_; }
    void Mostra();
    void StampaClick();

private:
    std::array<std::array<std::int64_t, 4>, 12> conteggi_{};
    std::int64_t colonne_ = 0;
    TStampante stampante_;
};

// Fills a pie with two slices (percent and the rest) and their labels.
void ImpostaTorta(QChartView* view, double percent, const QString& label, const QString& resto);

} // namespace tessaline
