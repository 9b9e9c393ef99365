#pragma once
// The archive of plays on the screen: "Riepilogo delle giocate" (one contest's plays, its contest
// number arrows, the summary, the reduced systems and the printout) and "Spoglio Globale" (the
// wins of every kind against a winning column).

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <functional>

#include "core/ui/printing_hook.h"
#include "scrutiny/plays.h"

namespace tessaline {

class TAppContext;
class TEditColonna;
class TPannelloSc;
class TFormSaver;

class TFormVisGiocate : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 116;
    TFormVisGiocate(TAppContext& app, TFormSaver* saver, QWidget* parent = nullptr);

    QLabel* PanelNumero;
    QPushButton* SinistraBtn;
    QPushButton* DestraBtn;
    QTableWidget* TabellaGenerale;
    QTableWidget* GridSist;
    QScrollBar* ScrollSist;
    QPushButton* BtnSpoglio;
    QPushButton* BtnStampa;
    QPushButton* BtnChiudi;

    std::int32_t Numero() const { return archivio_.Concorso(); }
    TArchivioGiocate& Archivio() { return archivio_; }
    void SinistraBtnClick();
    void DestraBtnClick();
    void SpoglioClick();
    void StampaClick();
    // Loads the contest (failures read as an empty archive) and refreshes.
    void Carica(std::int32_t numero);
    void Aggiorna();

    // The program printer, and the printout on it (tests may replace either).
    TStampante stampante;
    std::function<void(const TArchivioGiocate&)> stampa;

protected:
    void showEvent(QShowEvent* e) override;

private:
    TAppContext& app_;
    TFormSaver* saver_;
    TArchivioGiocate archivio_{0};
};

class TFormSpoglioGlobale : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 113;
    // Works on the archive held by "Riepilogo delle giocate".
    TFormSpoglioGlobale(TAppContext& app, TArchivioGiocate& archive, QWidget* parent = nullptr);

    TPannelloSc* Pannello;
    TEditColonna* EditColonna;
    QLabel* LabelColonna;
    QLabel* LabelRiepilogo;
    QLabel* LabelElenco;
    QTableWidget* TabGenvinc;
    QTableWidget* GridSistVinc;
    QScrollBar* ScrollSist;
    QPushButton* BtnStampa;
    QPushButton* BtnChiudi;

    void EditColonnaModificato();
    void Aggiorna();
    void StampaClick();
    TStampante stampante;
    std::function<void(const TArchivioGiocate&)> stampa;

private:
    TAppContext& app_;
    TArchivioGiocate& archivio_;
};

} // namespace tessaline
