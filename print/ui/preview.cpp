#include "print/ui/preview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <exception>
#include <memory>

#include "core/errors.h"
#include "core/interfaces.h"
#include "core/ui/qt_text.h"
#include "print/ui/printer.h"

namespace tessaline {

QPrintPreviewDialog* CreaAnteprima(QWidget* parent, const QString& titolo, UserPrompt& prompt,
                                   std::function<void(TCanvas&)> draw, QPrinter* printer) {
    QPrinter* target = printer != nullptr ? printer : &ProgramPrinter();
    target->setDocName(titolo);
    auto* dlg = new QPrintPreviewDialog(target, parent);
    dlg->setObjectName(QStringLiteral("Anteprima"));
    dlg->setWindowTitle(titolo);
    QObject::connect(dlg, &QPrintPreviewDialog::paintRequested, dlg,
                     [&prompt, draw = std::move(draw)](QPrinter* p) {
                         try {
                             StampaSu(p, 0, [&](TCanvas& canvas) {
                                 draw(canvas);
                                 return TEsitoStampa{};
                             });
                         } catch (const std::exception& e) {
                             prompt.ShowMessage(msg::kInformazione, e.what(), BtnOk);
                         }
                     });
    return dlg;
}

TAnteprima AnteprimaProgramma(UserPrompt& prompt) {
    return [&prompt](QWidget* parent, const QString& titolo, const std::function<void(TCanvas&)>& draw) {
        std::unique_ptr<QPrintPreviewDialog> dlg(CreaAnteprima(parent, titolo, prompt, draw));
        dlg->resize(900, 700);
        dlg->exec();
    };
}

} // namespace tessaline
