#pragma once
// "Schedine Automatiche" and "Sistemi Automatici": plays drawn at random with weights per team and
// sign, printed through the coupon printing window and recorded in the archive of plays.

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

#include "core/column_list.h"
#include "core/ui/receipt_hook.h"
#include "reduce/automatic.h"
#include "scrutiny/plays.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace tessaline {

class TAppContext;
class TFileChooser;

class TFormSistAutomatici : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 131;
    enum class TModo { Schedine, Sistemi };
    // main, files and the hooks outlive the window.
    TFormSistAutomatici(TAppContext& main, TFileChooser& files, TModo modo, TStampaCedolina stampa,
                        TConfermaStampa conferma, QWidget* parent = nullptr);
    ~TFormSistAutomatici() override;

    QSpinBox* NumSist;
    QLabel* LabelNumSist;
    QRadioButton* RadioCasuale;
    QRadioButton* RadioStatistica;
    QRadioButton* RadioCasPic;
    QCheckBox* CheckUsaPro;
    QCheckBox* checkStampaConc;
    QTabWidget* Pagine;
    QSpinBox* SpinSistD;
    QSpinBox* SpinSistT;
    QSpinBox* SpinSistQ;
    QSpinBox* SpinSistDInt;
    QSpinBox* SpinSistTInt;
    QSpinBox* SpinSistQInt;
    QRadioButton* RadioN1;
    QRadioButton* RadioN2;
    QRadioButton* RadioFissoInt;
    QRadioButton* RadioCasInt;
    std::array<QSpinBox*, 3> SpinFSInt{}; // SpinDFSInt, SpinTFSInt, SpinQFSInt
    std::array<QSpinBox*, 3> SpinMinCSInt{};
    std::array<QSpinBox*, 3> SpinMaxCSInt{};
    QLineEdit* EditCostoFisso;
    QLineEdit* EditCasCostoMin;
    QLineEdit* EditCasCostoMax;
    QWidget* PanelSchedine;
    std::array<std::array<QSpinBox*, 3>, 3> SpinC{}; // SpinC1D ... SpinC3Q
    QCheckBox* CheckUsaC2;
    QCheckBox* CheckUsaC3;
    std::array<QLineEdit*, 3> CostoC{};
    QLineEdit* CostoSchedina;
    QPushButton* BtnGenMem;
    QPushButton* BtnGenfile;
    QPushButton* BtnStampaRid;
    QPushButton* BtnChiudi;
    QPushButton* BtnAnnulla; // stops the reduction of a system (shown while it runs)

    TModo Modo() const { return modo_; }
    // The columns of the last generation or play (the print list).
    TListaColonne Colonne;
    const TArchivioGiocate* Giocate() const { return giocate_.get(); }
    // The seed of each generation (the clock unless a test puts its own).
    std::function<std::uint32_t()> seme;

    void CheckEnabled();
    void AggiornaSchedina();
    void AggiornaCostiSistemi();
    // The weights of the window's technique; empty (after the message) when they cannot give a column.
    std::optional<TPesi> PreparaPesi();
    bool GeneraColonne(int n);
    void GenMemClick();
    void GenFileClick();
    void StampaClick();

protected:
    void showEvent(QShowEvent* e) override;
    void done(int r) override;

private:
    void Errore();
    TOpzioniPesi Opzioni() const;
    std::array<TColonnaSchedina, 3> ColonneSchedina() const;
    void StampaSchedine();
    void StampaSistemi();
    // One system; false when it fails or system 1 is not confirmed.
    bool StampaSistema(int k, bool integrale, int d, int t, int q, const TPesi& p, const Pronostico& ammessi,
                       TGeneratore& rng);
    std::string TestoCosto(double amount) const;

    TAppContext& main_;
    TFileChooser& files_;
    TModo modo_;
    TStampaCedolina stampa_;
    TConfermaStampa conferma_;
    std::unique_ptr<TArchivioGiocate> giocate_;
    bool running_ = false;
};

// Keeps a group of doubles, triples and quadruples within 12: a change that would pass it lowers the
// changed box to 12 minus the other two.
void LimitaVarianti(const std::array<QSpinBox*, 3>& group);

} // namespace tessaline
