// The Internet update window against a loopback FTP server: it shows the step while the transfer
// runs on the worker, "Annulla" stops a stalled transfer with the archive untouched, and a complete
// transfer replaces and reloads the archive.

#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "archive/contest_archive.h"
#include "system/sistema.h"
#include "ui_support.h"
#include "update/ui/form_download.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Archive(int contests) {
    T_Archivio a;
    a.Concorsi().clear();
    for (int i = 1; i <= contests; ++i) {
        T_Concorso c;
        c.Anno = 2024;
        c.Numero = static_cast<std::uint8_t>(i);
        a.Concorsi().push_back(c);
    }
    QTemporaryDir tmp;
    const fs::path p = fs::path(tmp.path().toStdString()) / "a.tts";
    a.Salva(p);
    return Read(QString::fromStdString(p.string()));
}

} // namespace

class TestDownloadWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
        root_ = home_.path() + QStringLiteral("/server");
        QDir().mkpath(root_);
        const QString portFile = home_.path() + QStringLiteral("/ftp.port");
        server_.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(TESSALINE_SOURCE_DIR "/tests/update/ftp_server.py"), root_, portFile});
        QVERIFY(server_.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(portFile), 30000);
        host_ = QStringLiteral("127.0.0.1:") + QString::fromLatin1(Read(portFile)).trimmed();
        Write(root_ + QStringLiteral("/dwninfo.txt"),
              (QStringLiteral("[Tessaline 2.0]\r\nHostName=") + host_ +
               QStringLiteral("\r\nArchiviDir=/archivi\r\nSchedinaDir=/schedine\r\nExeDir=/programma\r\n"))
                  .toUtf8());
        Write(root_ + QStringLiteral("/archivi/archivio.tts"), Archive(3));
    }
    void cleanupTestCase() {
        server_.kill();
        server_.waitForFinished();
    }

    void annullaStopsAStalledTransferThenAnUpdateReplacesTheArchive() {
        const QString local = home_.path() + QStringLiteral("/ARCHIVI/archivio.tts");
        Write(local, Archive(2));
        const QByteArray before = Read(local);
        T_Sistema sys;
        TFormPrinc main(sys);
        test::TScriptedPrompt prompt;
        main.SetPrompt(&prompt);
        test::TScriptedChooser chooser;
        TComandi comandi(main, &chooser);
        QVERIFY(main.Azione(QStringLiteral("AggiornamentoArchivi1Click"))->isEnabled());
        QVERIFY(main.Azione(QStringLiteral("AggiornamentoTessaline1Click"))->isEnabled());
        QCOMPARE(main.Archivio().Concorsi().size(), std::size_t{2});
        sys.dati.settings.updateHost = host_.toStdString();
        QCoreApplication::processEvents(); // the start-up messages (no background picture here)
        prompt.Clear();

        // The transfer stalls: the window shows its step while the user-interface thread runs on.
        Write(root_ + QStringLiteral("/archivi/archivio.tts.stall"), {});
        QString title;
        QString step;
        QTimer poll;
        poll.setInterval(50);
        connect(&poll, &QTimer::timeout, this, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* form = qobject_cast<TFormDownload*>(w);
                if (form == nullptr || !form->isVisible() || form->LabelPasso->text().isEmpty()) {
                    continue;
                }
                title = form->windowTitle();
                step = form->LabelPasso->text();
                const QByteArray shots = qgetenv("TESSALINE_SHOTS");
                if (!shots.isEmpty()) {
                    form->grab().save(QString::fromUtf8(shots) +
                                      QStringLiteral("/aggiornamento_in_corso.png"));
                }
                poll.stop();
                QTest::mouseClick(form->BtnAnnulla, Qt::LeftButton);
            }
        });
        poll.start();
        comandi.Aggiornamento().Aggiorna(TTipoAggiornamento::Archivi);
        QCOMPARE(title, QStringLiteral("Aggiornamento degli Archivi"));
        QCOMPARE(step, QStringLiteral("Passo 1 di 1"));
        QVERIFY(prompt.texts.empty()); // "Annulla" shows nothing
        QCOMPARE(Read(local), before);
        QVERIFY(!QFile::exists(home_.path() + QStringLiteral("/ARCHIVI/archivio.tmp")));
        QCOMPARE(main.Archivio().Concorsi().size(), std::size_t{2});

        // The same update without the stall replaces the archive and reloads it.
        QFile::remove(root_ + QStringLiteral("/archivi/archivio.tts.stall"));
        comandi.Aggiornamento().Aggiorna(TTipoAggiornamento::Archivi);
        QCOMPARE(prompt.texts,
                 std::vector<std::string>{"Aggiornamento degli archivi completato con successo"});
        QCOMPARE(Read(local), Archive(3));
        QCOMPARE(main.Archivio().Concorsi().size(), std::size_t{3});
    }

private:
    QTemporaryDir home_;
    QString root_;
    QString host_;
    QProcess server_;
};

QTEST_MAIN(TestDownloadWindow)
#include "download_window_test.moc"
