#include "app/ui/application.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "app/ui/artwork.h"
#include "core/errors.h"
#include "core/ui/form_message.h"
#include "core/user_message.h"

namespace tessaline {

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Tessaline"));
    setApplicationDisplayName(QStringLiteral("Tessaline"));
    setDesktopFileName(QStringLiteral("tessaline"));
    setWindowIcon(AppIcon());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
}

bool InstallItalian(QCoreApplication& app) {
    auto* tr = new QTranslator(&app);
    if (tr->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(tr);
        return true;
    }
    delete tr;
    return false;
}

void TApplication::MostraErrore(const QString& text) {
    if (errorSink) {
        errorSink(text);
        return;
    }
    TFormMessage box(activeWindow());
    box.ShowMessage(QString::fromUtf8(msg::kInformazione), text, BtnOk);
}

bool TApplication::notify(QObject* receiver, QEvent* e) {
    try {
        return QApplication::notify(receiver, e);
    } catch (const std::exception& ex) {
        MostraErrore(QString::fromStdString(UserMessage(ex)));
    } catch (...) {
        MostraErrore(QString::fromUtf8(msg::kRisorseEsaurite));
    }
    return false;
}

} // namespace tessaline
