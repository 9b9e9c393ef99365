#pragma once
// "Cerca Fisse": the results of one match or of a pair of matches with their frequency, delay and
// index; their printout ("Stampa Combinazioni") and their insertion into the current frame as filter
// columns ("Inserimento nel quadro corrente").

#include <QDialog>
#include <functional>
#include <vector>

#include "archive/contest_archive.h"
#include "reduce/fixed_signs.h"

class QCheckBox;
class QPushButton;
class QScrollBar;
class QSpinBox;
class QTableWidget;
class QToolButton;

namespace tessaline {

class TAppContext;
class TCanvas;
class TCondQuadro;
class TGraphPt;
class TInsiemeCondizioni;
class UserPrompt;

// Runs a drawing on the program's printer (the Qt canvas of the printing windows).
using TStampaSuCanvas = std::function<void(const std::function<void(TCanvas&)>& draw)>;

// The first and the last entry number (0 to count; each end pulls the other along).
class TFormCercaFisseStampa : public QDialog {
    Q_OBJECT
public:
    explicit TFormCercaFisseStampa(int count, QWidget* parent = nullptr)
        : TFormCercaFisseStampa(count, parent, true) {}
    QSpinBox* SpinMin;
    QSpinBox* SpinMax;

protected:
    TFormCercaFisseStampa(int count, QWidget* parent, bool build);
    // The two spin boxes and the buttons, under the caption.
    void Costruisci(QWidget* extra);
};

// The range, "Confronto a Coppie" and the points graph of the filter columns to add.
class TFormInsComb : public TFormCercaFisseStampa {
    Q_OBJECT
public:
    explicit TFormInsComb(int count, QWidget* parent = nullptr);
    QCheckBox* CheckCAC;
    TGraphPt* GrPunti;
    // The points graph reset: 3 points in total with "Confronto a Coppie", 5 without.
    void CheckCACClick();
    // The table the graph shows (its own size: values 0..2 or 0..4).
    TTabellaPunti Punti() const;
};

class TFrmCercaFisse : public QDialog {
    Q_OBJECT
public:
    // archive and prompt outlive the window. With quadro given (opened from the frame editor)
    // "Inserisci nei quadri" is shown and adds filter columns owned by set to it.
    TFrmCercaFisse(const T_Archivio& archive, const T_IntervalloConcorsi& range, UserPrompt& prompt,
                   TStampaSuCanvas stampa, QWidget* parent = nullptr, TCondQuadro* quadro = nullptr,
                   TInsiemeCondizioni* set = nullptr);

    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedFreq;
    QToolButton* SpeedRitar;
    QToolButton* SpeedIC;
    QTableWidget* Grid;
    QScrollBar* ScrollBar;
    QPushButton* BtnStampa;
    QPushButton* Buttonins;

    // The list of the current mode, built again with the current criterion.
    void Elabora();
    // The 14 rows from the scroll bar's position.
    void Aggiorna();
    const TRisultatoFisse& Lista() const { return lista_; }
    int Modo() const;

    // "Stampa" and "Inserisci nei quadri": the dialogs, then the work on the chosen range.
    void StampaClick();
    void ButtoninsClick();
    // The work alone, for the chosen entry numbers (1-based).
    void Stampa(int first, int last);
    std::size_t Inserisci(int first, int last, const TTabellaPunti& punti, bool coppie);

    // Called after items were added to the frame (the frame editor shows them again).
    std::function<void()> dopoInserimento;

private:
    const T_Archivio& archive_;
    UserPrompt& prompt_;
    T_IntervalloConcorsi range_;
    TStampaSuCanvas stampa_;
    TCondQuadro* quadro_;
    TInsiemeCondizioni* set_;
    TRisultatoFisse lista_;
};

// Opens "Cerca Fisse" over the context's archive and search range (from the frame editor with
// quadro and its set). stampa prints on the program's printer.
void ApriCercaFisse(TAppContext& ctx, const TStampaSuCanvas& stampa, QWidget* parent = nullptr,
                    TCondQuadro* quadro = nullptr, TInsiemeCondizioni* set = nullptr);

inline constexpr int kHelpCercaFisse = 84;

} // namespace tessaline
