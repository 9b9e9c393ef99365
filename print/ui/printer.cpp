#include "print/ui/printer.h"

#include <QPrintDialog>
#include <QPrinter>

#include "print/ui/qt_canvas.h"
#include "system/settings.h"

namespace tessaline {

QPrinter& ProgramPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void ImpostaStampante(QWidget* parent) {
    QPrintDialog dlg(&ProgramPrinter(), parent);
    dlg.setWindowTitle(QStringLiteral("Imposta Stampante"));
    dlg.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dlg.exec();
}

TContestoStampa ContestoStampa(const TProgramSettings& settings) {
    TContestoStampa ctx;
    ctx.taratura = settings.taratura;
    ctx.tabulato = settings.tabulato;
    ctx.costoColonna = settings.ColumnCost();
    ctx.euro = settings.costsInEuro;
    ctx.ricevitoria = settings.shopData;
    return ctx;
}

TEsitoStampa StampaSu(QPrinter* printer, double logicalDpi,
                      const std::function<TEsitoStampa(TCanvas&)>& draw) {
    QPrinter& target = printer != nullptr ? *printer : ProgramPrinter();
    // A printer writing into a file holds one document: a pause continues it on a new page.
    TQtCanvas canvas(&target, logicalDpi, !target.outputFileName().isEmpty());
    TEsitoStampa esito;
    try {
        esito = draw(canvas);
    } catch (...) {
        canvas.Finish();
        throw;
    }
    canvas.Finish();
    return esito;
}

} // namespace tessaline
