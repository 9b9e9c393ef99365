#include "app/ui/screenshots_print.h"

#include <QApplication>
#include <QPixmap>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

#include "core/interfaces.h"
#include "print/ui/coupon_picture.h"
#include "print/ui/print_window.h"
#include "print/ui/summary_window.h"
#include "print/ui/taratura_window.h"
#include "system/sistema.h"

namespace tessaline {

namespace {

bool Shot(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    QApplication::processEvents();
    bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    // At 640 x 480 the window must fit whole.
    ok = ok && w->width() <= 640 && w->height() <= 480;
    w->hide();
    return ok;
}

} // namespace

bool SavePrintScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    sys.fileName = sys.fileName.parent_path() / "esempio1.svs";
    {
        TFrmTaratura taratura(sys, prompt);
        ok = Shot(&taratura, dir, QStringLiteral("taratura")) && ok;
        taratura.RadioVert->click();
        taratura.CheckScritta->click();
        ok = Shot(&taratura, dir, QStringLiteral("taratura_verticale")) && ok;
        taratura.reject();
    }
    ok = ImmagineSchedina().save(dir + QStringLiteral("/sched.png")) && ok;
    {
        TFormStampaSchedine stampa(sys, prompt);
        Colonna c;
        for (int i = 0; i < kTeams; ++i) {
            c[i] = static_cast<SignSet>(1 << (i % 4));
        }
        for (int i = 0; i < 20; ++i) {
            c[i % kTeams] = static_cast<SignSet>(c[i % kTeams] | kSign1);
            stampa.Colonne.Append(c);
        }
        ok = Shot(&stampa, dir, QStringLiteral("stampa_schedine")) && ok;
        stampa.show();
        stampa.RadioTabulato->click();
        stampa.RadioDa->click();
        ok = stampa.grab().save(dir + QStringLiteral("/stampa_schedine_tabulato.png")) && ok;
        stampa.hide();

        TFormImpostaTabulatoTabulato imp(sys.dati.settings, prompt, [](const TImpTabulato&) {});
        ok = Shot(&imp, dir, QStringLiteral("impostazioni_tabulato")) && ok;

        stampa.Intervallo();
        std::unique_ptr<QPrintPreviewDialog> preview(stampa.CreaAnteprima(sys.dati.settings.tabulato));
        preview->resize(640, 480);
        preview->show();
        QApplication::processEvents();
        ok = preview->grab().save(dir + QStringLiteral("/anteprima_tabulato.png")) && ok;
        preview->hide();
    }
    {
        const std::int32_t participants = sys.ParticipantCount;
        sys.ParticipantCount = 3;
        TFormStampaProspetto prospetto(sys, prompt, true, true);
        ok = Shot(&prospetto, dir, QStringLiteral("stampa_prospetto")) && ok;
        sys.ParticipantCount = participants;
    }
    TFormGeneraSchStampa genera(sys.dati.settings);
    ok = Shot(&genera, dir, QStringLiteral("genera_schedine_stampa")) && ok;
    return ok;
}

} // namespace tessaline
