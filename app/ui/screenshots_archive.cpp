#include "app/ui/screenshots_archive.h"

#include <QApplication>
#include <QPixmap>

#include "app/ui/main_window.h"
#include "archive/demo_archive.h"
#include "archive/ui/archive_windows.h"
#include "core/interfaces.h"
#include "update/ui/form_download.h"

namespace tessaline {

namespace {

bool Shot(QWidget* w, const QString& dir, const QString& name, QSize size = {}) {
    w->show();
    QApplication::processEvents();
    if (size.isValid()) {
        w->resize(size);
        QApplication::processEvents();
    }
    const bool ok = w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    w->hide();
    return ok;
}

} // namespace

bool SaveArchiveScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    main.Archivio() = ArchivioDimostrativo();
    const QSize small(640, 480);
    {
        TFormEditconcprec edit(main);
        ok = Shot(&edit, dir, QStringLiteral("archivio_aggiornamento")) && ok;
        ok = Shot(&edit, dir, QStringLiteral("archivio_aggiornamento_640"), small) && ok;
    }
    {
        TFormvisArchivio vis(main);
        vis.ImpostaStampa([] {});
        ok = Shot(&vis, dir, QStringLiteral("archivio_visualizzazione")) && ok;
        vis.SBar->setValue(vis.SBar->maximum());
        ok = Shot(&vis, dir, QStringLiteral("archivio_visualizzazione_640"), small) && ok;
        vis.SBar->setValue(0);
        for (QCheckBox* c : vis.Caselle) {
            c->setChecked(true);
        }
        vis.show();
        QApplication::processEvents();
        vis.SBarOriz->setValue(vis.SBarOriz->maximum());
        ok = vis.grab().save(dir + QStringLiteral("/archivio_visualizzazione_fine.png")) && ok;
        vis.hide();
    }
    {
        TFormDownload download(&main);
        download.Prepara(TTipoAggiornamento::Squadre);
        download.Passo(3, 4);
        download.UpdateGauge(42);
        ok = Shot(&download, dir, QStringLiteral("aggiornamento_internet")) && ok;
        ok = Shot(&download, dir, QStringLiteral("aggiornamento_internet_640"), small) && ok;
    }
    return ok;
}

} // namespace tessaline
