#include "app/ui/screenshots_shop.h"
#include "app/ui/screenshot_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "app/ui/main_window.h"
#include "core/interfaces.h"
#include "core/ui/file_chooser.h"
#include "core/ui/qt_text.h"
#include "core/ui/sign_edits.h"
#include "reduce/immediate.h"
#include "reduce/ui/automatic_window.h"
#include "reduce/ui/immediate_window.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

// The natural size, then 640 x 480; the natural size must fit that screen.
bool Shot(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    QApplication::processEvents();
    bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    ok = ok && w->width() <= 640 && w->height() <= 480;
    const QSize natural = w->size();
    w->resize(640, 480);
    QApplication::processEvents();
    ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral("_640.png")) && ok;
    w->resize(natural);
    w->hide();
    return ok;
}

} // namespace

bool SaveShopScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TNoFiles files;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    const TStampaCedolina noPrint = [](const TLavoroCedolina&) { return false; };
    {
        TFrmRidottiImmediati rid(main, files, noPrint);
        rid.show();
        rid.EditColonna->SetColonna(
            Colonna{{kSign0 | kSign1, kSign1, kSign2 | kSignM, kAllSigns, kSign0, kSign1,
                     kSign0 | kSign1 | kSign2, kSign1, kSign0 | kSign2, kSign1, kSign1, kSign0}});
        rid.EditColonnaModificato();
        rid.PannelloSc->SetSelezionata(3, true);
        rid.PannelloScModificato();
        rid.NomeCed->setText(QStringLiteral("Mario Rossi"));
        ok = Shot(&rid, dir, QStringLiteral("ridotti_immediati")) && ok;
        rid.show();
        ok = rid.Elabora() && ok;
        ok = Shot(&rid, dir, QStringLiteral("ridotti_immediati_elaborato")) && ok;
        // The widest cost line: 16,777,216 columns at 800 lire.
        rid.EditCosto->setText(Q(TestoCostoRidotto(16777216, 800, false)));
        ok = Shot(&rid, dir, QStringLiteral("ridotti_immediati_costo")) && ok;
    }
    {
        TFormSistAutomatici sch(main, files, TFormSistAutomatici::TModo::Schedine, noPrint,
                                [] { return false; });
        sch.SpinC[0][0]->setValue(6);
        sch.SpinC[0][1]->setValue(6);
        ok = Shot(&sch, dir, QStringLiteral("schedine_automatiche")) && ok;
    }
    {
        TFormSistAutomatici sis(main, files, TFormSistAutomatici::TModo::Sistemi, noPrint,
                                [] { return false; });
        ok = Shot(&sis, dir, QStringLiteral("sistemi_automatici")) && ok;
        sis.Pagine->setCurrentIndex(1);
        sis.RadioCasInt->setChecked(true);
        sis.SpinMaxCSInt[2]->setValue(12);
        ok = Shot(&sis, dir, QStringLiteral("sistemi_automatici_integrali")) && ok;
    }
    return ok;
}

} // namespace tessaline
