#include "app/ui/screenshots_reduce.h"

#include <QApplication>
#include <QCheckBox>
#include <QPixmap>
#include <QScrollBar>
#include <QToolButton>

#include "archive/demo_archive.h"
#include "conditions/condition_set.h"
#include "conditions/frame.h"
#include "core/interfaces.h"
#include "reduce/ui/fixed_signs_window.h"

namespace tessaline {

namespace {

bool Shot(QWidget* w, const QString& dir, const QString& name) {
    w->show();
    QApplication::processEvents();
    bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    ok = ok && w->width() <= 640 && w->height() <= 480;
    w->hide();
    return ok;
}

} // namespace

bool SaveReduceScreenshots(const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    const T_Archivio archivio = ArchivioDimostrativo();
    T_IntervalloConcorsi range;
    archivio.IntervalloCompleto(range);
    TInsiemeCondizioni set;
    TCondQuadro quadro(&set);
    TFrmCercaFisse cerca(archivio, range, prompt, {}, nullptr, &quadro, &set);
    ok = Shot(&cerca, dir, QStringLiteral("cerca_fisse")) && ok;
    cerca.SpeedButton2->click();
    cerca.SpeedIC->click();
    cerca.ScrollBar->setValue(3826);
    ok = Shot(&cerca, dir, QStringLiteral("cerca_fisse_coppie")) && ok;
    {
        TFormCercaFisseStampa stampa(3840, &cerca);
        ok = Shot(&stampa, dir, QStringLiteral("cerca_fisse_stampa")) && ok;
    }
    {
        TFormInsComb ins(3840, &cerca);
        ok = Shot(&ins, dir, QStringLiteral("cerca_fisse_inserimento")) && ok;
        ins.CheckCAC->click();
        ok = Shot(&ins, dir, QStringLiteral("cerca_fisse_inserimento_squadre")) && ok;
    }
    return ok;
}

} // namespace tessaline
