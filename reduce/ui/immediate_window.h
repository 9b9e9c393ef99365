#pragma once
// "Ridotti Immediati": a reduced system made on the spot from one base column, with integral teams
// and a guarantee; its cost, its definition file ("*.Rid"), its columns, and its printout with the
// receipt, recorded in the archive of plays.

#include <QDialog>
#include <array>
#include <memory>

#include "core/column_list.h"
#include "core/ui/receipt_hook.h"
#include "reduce/immediate.h"
#include "scrutiny/plays.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaline {

class TAppContext;
class TEditColonna;
class TFileChooser;
class TPannelloSc;

class TFrmRidottiImmediati : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 130;
    // main, files and the printing hook outlive the window.
    TFrmRidottiImmediati(TAppContext& main, TFileChooser& files, TStampaCedolina stampa,
                         QWidget* parent = nullptr);
    ~TFrmRidottiImmediati() override;

    TEditColonna* EditColonna;
    TPannelloSc* PannelloSc;
    QRadioButton* RadioCinque; // "Garanzia Cinque"
    QRadioButton* RadioQuattro;
    QCheckBox* CheckMigliorata; // "Riduzione Migliorata"
    QLineEdit* NomeCed;
    QCheckBox* CheckStampaConc;
    QLabel* LabelDoppie;
    QLabel* LabelTriple;
    QLabel* LabelQuadruple;
    QLabel* LabelInt;
    QLineEdit* EditCosto;
    QPushButton* SpeedSviluppa;
    QPushButton* BtnStampaRid;
    QPushButton* BtnAdattaMem;
    QPushButton* BtnSalvaCol;
    QPushButton* BtnSalva;
    QPushButton* BtnCarica;
    QPushButton* BtnAzzera;
    QPushButton* BtnAnnulla; // stops "Elabora" (shown while it runs)
    QPushButton* BtnChiudi;

    // The reduced columns of the last "Elabora".
    TListaColonne Colonne;
    bool Elaborato() const { return elaborato_; }
    bool Valida() const { return valida_; }
    const TArchivioGiocate* Giocate() const { return giocate_.get(); }
    // The definition as the window shows it.
    TRidotto Definizione() const;

    void AcquisisceTutto();
    void AggiornaTutto();
    void Checkenabled();
    void EditColonnaModificato();
    void PannelloScModificato();
    // Builds the reduced system; false when it was stopped or failed (after the message).
    bool Elabora();
    void StampaRidottoClick();
    void AdattaMemClick();
    void SalvaColClick();
    void SalvaClick();
    void CaricaClick();
    void AzzeraClick();
    // Loads a definition file; false (after "Errore Durante il Caricamento del File") when damaged.
    bool CaricaRidotto(const QString& file);

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    bool ChiediSovrascrittura(const QString& file);
    void Mostra(const TRidotto& r);

    TAppContext& main_;
    TFileChooser& files_;
    TStampaCedolina stampa_;
    Colonna base_{};
    std::array<std::uint8_t, kTeams> integrali_{};
    int nIntegrali_ = 0;
    bool valida_ = false;
    bool elaborato_ = false;
    bool running_ = false;
    std::unique_ptr<TArchivioGiocate> giocate_;
};

} // namespace tessaline
