// The desktop program: data folder, configuration, splash window, main window.

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/ui/application.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/screenshots.h"
#include "app/ui/settings_forms.h"
#include "core/paths.h"
#include "core/threads.h"
#include "core/ui/qt_text.h"
#include "system/config_file.h"
#include "system/sistema.h"

using namespace tessaline;

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    InstallItalian(app);

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QString shotsDir;
    if (args.size() >= 2 && args[0] == QStringLiteral("--screenshots")) {
        shotsDir = args[1];
    }

    // A system named on the command line is relative to where the program was started.
    if (args.size() == 1) {
        args[0] = QFileInfo(args[0]).absoluteFilePath();
    }
    // The data folder, seeded on the first start, becomes the current directory.
    PrepareProgramDir(true);
    std::error_code ec;
    std::filesystem::current_path(ProgramDir(), ec);

    // The one system of the run, with the program settings read from the configuration file.
    T_Sistema sistema;
    sistema.dati.settings = DefaultSettings();
    LeggiConfigurazione(sistema.dati.settings);
    SetThreadCap(sistema.dati.settings.maxThreads);

    if (!shotsDir.isEmpty()) {
        return SaveScreenshots(sistema, shotsDir) ? 0 : 1;
    }

    std::unique_ptr<TFormPrinc> main;
    std::unique_ptr<TComandi> comandi;
    TFormIntro intro;
    QObject::connect(&intro, &TFormIntro::Avvio, &intro, [&] {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        try {
            main = std::make_unique<TFormPrinc>(sistema);
            comandi = std::make_unique<TComandi>(*main);
            main->FormShow(args);
            main->showMaximized();
        } catch (...) {
            QGuiApplication::restoreOverrideCursor();
            comandi.reset();
            main.reset();
            TApplication::MostraErrore(QString::fromUtf8("Errore durante l'avvio del programma"));
            QCoreApplication::exit(1);
            return;
        }
        QGuiApplication::restoreOverrideCursor();
        intro.hide();
    });
    intro.show();
    return QApplication::exec();
}
