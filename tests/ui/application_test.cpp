// The application object: failures raised by handlers are shown, never let out of the event loop;
// Qt's own dialogs speak Italian.

#include <QCoreApplication>
#include <QPushButton>
#include <QtTest>
#include <stdexcept>

#include "app/ui/application.h"
#include "core/errors.h"

using namespace tessaline;

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void failuresAreShownAndTheLoopGoesOn() {
        QStringList shown;
        TApplication::errorSink = [&](const QString& t) { shown << t; };
        QPushButton b;
        int after = 0;
        QObject::connect(&b, &QPushButton::clicked,
                         [] { throw EInOutError("Impossibile Caricare Il Sistema"); });
        QObject::connect(&b, &QPushButton::pressed, [] { throw 42; });
        b.show();
        QTest::mouseClick(&b, Qt::LeftButton);
        QCOMPARE(shown, (QStringList{QStringLiteral("Risorse Esaurite"),
                                     QStringLiteral("Impossibile Caricare Il Sistema")}));
        QTimer::singleShot(0, [&] { ++after; });
        QTest::qWait(20);
        QCOMPARE(after, 1); // the event loop keeps running
        TApplication::errorSink = nullptr;
    }

    void italianForQtDialogs() {
        QVERIFY(InstallItalian(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
    }
};

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    TestApplication t;
    return QTest::qExec(&t, argc, argv);
}

#include "application_test.moc"
