#pragma once
// "Stampa Schedine": the columns onto coupons or as a listing; the orientation question of batches
// ("Stampa schedine"); the listing settings ("Impostazioni del Tabulato").

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/column_list.h"
#include "print/coupon_print.h"

class QPrinter;
class QPrintPreviewDialog;

namespace tessaline {

class T_Sistema;
class UserPrompt;
struct TProgramSettings;

class TFormStampaSchedine : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 34;
    // The system gives the settings and its name; both outlive the window.
    TFormStampaSchedine(T_Sistema& sys, UserPrompt& prompt, QWidget* parent = nullptr);

    // The job.
    TListaColonne Colonne;
    std::int32_t Prima = 1;
    std::int32_t Ultima = 1;
    bool ModoTest = false;
    bool ModoCedolina = false;
    bool CostoFisso = false;
    std::array<std::string, 11> RigheCedolina{};
    std::array<Colonna, 3> ColonneCedolina{};
    std::string NomeCedolina; // the caller's system name in ModoCedolina
    bool TutteStampate = false;
    // Where the printouts go (the program's printer when null).
    QPrinter* Stampante = nullptr;

    QRadioButton* RadioSchedine;
    QRadioButton* RadioTabulato;
    QCheckBox* CheckPausa;
    QCheckBox* StampaCed;
    QPushButton* BtnImp;
    QRadioButton* RadioOriz;
    QRadioButton* RadioVert;
    QSpinBox* SpinCPS;
    QRadioButton* RadioTutte;
    QRadioButton* RadioDa;
    QSpinBox* SpinMin;
    QSpinBox* SpinMax;
    QPushButton* StampaBtn;

    // The state on showing: receipt check only in ModoCedolina, columns per coupon, " Tutte" and
    // " Schedine", the default orientation, both spin edits over the coupons.
    void ImpostaTutto();
    // "Stampa": keeps orientation and columns per coupon as the defaults, checks the range, prints.
    // From the button the window closes and the configuration file is written.
    void OKBtnClick(bool fromButton);
    // Prints the job as the window shows it; false (after the message) when printing failed.
    bool Stampa();
    // The listing on the printer, or in the preview window; pages numbered from primaPagina.
    TEsitoStampa StampaSuTabulato(bool preview, std::int32_t primaPagina = 1,
                                  const TImpTabulato* impostazioni = nullptr);
    // The preview window of the listing, ready to be shown (the caller owns it).
    QPrintPreviewDialog* CreaAnteprima(const TImpTabulato& impostazioni, std::int32_t primaPagina = 1);
    // Number of coupons at the shown columns per coupon.
    std::int32_t NumeroSchedine() const;
    // Prima and Ultima from the window: " Tutte" is 1 to the number of coupons, " Da" the spin edits.
    void Intervallo();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Abilita();
    void Riconta();
    TLavoroStampa Lavoro() const;
    void ImpostazioniClick();

    T_Sistema& sys_;
    UserPrompt& prompt_;
};

// "Stampa schedine": the orientation of a batch of coupons.
class TFormGeneraSchStampa : public QDialog {
    Q_OBJECT
public:
    explicit TFormGeneraSchStampa(TProgramSettings& settings, QWidget* parent = nullptr);
    QRadioButton* RadioVert;
    QRadioButton* RadioOriz;
    // "Stampa": the choice becomes the default orientation.
    void accept() override;

private:
    TProgramSettings& settings_;
};

// "Impostazioni del Tabulato": spacing between the coupon images and the listing font.
class TFormImpostaTabulatoTabulato : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 102;
    // anteprima previews the listing with the window's settings (may be empty).
    TFormImpostaTabulatoTabulato(TProgramSettings& settings, UserPrompt& prompt,
                                 std::function<void(const TImpTabulato&)> anteprima,
                                 QWidget* parent = nullptr);
    QSpinBox* SpinOriz;
    QSpinBox* SpinVert;
    QLabel* LabelNome;
    QLabel* LabelDimensione;
    QLabel* LabelStile;
    QPushButton* BtnCambia;
    QPushButton* BtnAnteprima;
    // The font dialog; tests put their own answer.
    std::function<std::optional<TFontDesc>(const TFontDesc&)> sceltaFont;

    // The settings as the window shows them.
    TImpTabulato Valori() const;
    void CambiaClick();
    // "Ok": stores the settings and writes the configuration file.
    void accept() override;

private:
    void MostraFont();
    TProgramSettings& settings_;
    UserPrompt& prompt_;
    std::function<void(const TImpTabulato&)> anteprima_;
    TFontDesc font_;
};

// The text of "Stile :" for a style ("Normale", "Grassetto", "Corsivo", "Grassetto corsivo"); none
// for a style with underline or strike-out.
std::optional<QString> TestoStile(std::int32_t style);

} // namespace tessaline
