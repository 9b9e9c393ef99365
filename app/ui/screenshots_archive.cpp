#include "app/ui/screenshots_archive.h"
#include "app/ui/screenshot_support.h"

#include <QApplication>
#include <QPixmap>
#include <QPrinter>

#include "app/ui/main_window.h"
#include "archive/demo_archive.h"
#include "archive/ui/archive_windows.h"
#include "core/interfaces.h"
#include "print/ui/archive_print_window.h"
#include "update/ui/form_download.h"

namespace tessaline {

namespace {} // namespace

bool SaveArchiveScreenshots(T_Sistema& sys, const QString& dir) {
    bool ok = true;
    TFixedAnswerPrompt prompt;
    TFormPrinc main(sys);
    main.SetPrompt(&prompt);
    main.Archivio() = ArchivioDimostrativo();
    const QSize small(640, 480);
    {
        TFormEditconcprec edit(main);
        ok = SalvaSchermata(&edit, dir, QStringLiteral("archivio_aggiornamento")) && ok;
        ok = SalvaSchermata(&edit, dir, QStringLiteral("archivio_aggiornamento_640"), small) && ok;
    }
    {
        TFormvisArchivio vis(main);
        vis.ImpostaStampa([] {});
        ok = SalvaSchermata(&vis, dir, QStringLiteral("archivio_visualizzazione")) && ok;
        vis.SBar->setValue(vis.SBar->maximum());
        ok = SalvaSchermata(&vis, dir, QStringLiteral("archivio_visualizzazione_640"), small) && ok;
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
        // The printout window, and the demo archive printed into PDF files with the view's groups and
        // with every group.
        TGruppiScelti predefiniti{};
        for (std::size_t g = 0; g < predefiniti.size(); ++g) {
            predefiniti[g] = TMisureArchivio::Gruppi()[g].Predefinito;
        }
        TGruppiScelti tutti{};
        tutti.fill(true);
        const std::pair<const TGruppiScelti*, const char*> stampe[] = {{&predefiniti, "stampa_archivio"},
                                                                       {&tutti, "stampa_archivio_tutti"}};
        for (const auto& [gruppi, nome] : stampe) {
            TFormStampaArchivio stampa(main.Archivio(), prompt, *gruppi);
            if (gruppi == &predefiniti) {
                ok = SalvaSchermata(&stampa, dir, QStringLiteral("stampa_archivio")) && ok;
                ok = SalvaSchermata(&stampa, dir, QStringLiteral("stampa_archivio_640"), small) && ok;
            }
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setPageSize(QPageSize(QPageSize::A4));
            printer.setOutputFileName(dir + QLatin1Char('/') + QLatin1String(nome) + QStringLiteral(".pdf"));
            stampa.Stampante = &printer;
            stampa.accept();
            ok = stampa.result() == QDialog::Accepted && ok;
        }
    }
    {
        TFormDownload download(&main);
        download.Prepara(TTipoAggiornamento::Squadre);
        download.Passo(3, 4);
        download.UpdateGauge(42);
        ok = SalvaSchermata(&download, dir, QStringLiteral("aggiornamento_internet")) && ok;
        ok = SalvaSchermata(&download, dir, QStringLiteral("aggiornamento_internet_640"), small) && ok;
    }
    return ok;
}

} // namespace tessaline
