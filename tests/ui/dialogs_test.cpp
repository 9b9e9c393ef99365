// The settings dialogs, the forecast windows, the splash label and the help pages.

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/ui/forecast_forms.h"
#include "app/ui/main_window.h"
#include "app/ui/settings_forms.h"
#include "core/errors.h"
#include "core/interfaces.h"
#include "core/threads.h"
#include "core/ui/help.h"
#include "system/config_file.h"

using namespace tessaline;

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(home_.isValid());
        qputenv("TESSALINE_HOME", home_.path().toUtf8());
    }

    void settingsDialogLoadsAndStores() {
        TProgramSettings s = DefaultSettings();
        TFrmImpostazioni dlg(s);
        dlg.show();
        QCOMPARE(dlg.SpinLire->value(), 800);
        QCOMPARE(dlg.SpinEuro->value(), 0);
        QCOMPARE(dlg.SpinEuroCe->value(), 41); // 0.4132 -> 41 cents
        QVERIFY(dlg.RadioLire->isChecked());
        QVERIFY(dlg.CheckAcc->isChecked() && dlg.CheckSalvaCmb->isChecked() &&
                dlg.CheckUltimaSched->isChecked());
        QVERIFY(dlg.focusWidget() == dlg.SpinLire || dlg.SpinLire->isAncestorOf(dlg.focusWidget()));
        QCOMPARE(dlg.SpinLire->minimum(), 600);
        QCOMPARE(dlg.SpinLire->maximum(), 10000);
        QCOMPARE(dlg.SpinEuroCe->maximum(), 999);

        dlg.SpinLire->setValue(1000);
        dlg.SpinEuro->setValue(1);
        dlg.SpinEuroCe->setValue(5);
        dlg.RadioEuro->setChecked(true);
        dlg.CheckAcc->setChecked(false);
        dlg.EditSfondo->setText(QStringLiteral("/tmp/altro.bmp"));
        QCOMPARE(dlg.SpinThread->text(), QStringLiteral("Tutti"));
        dlg.SpinThread->setValue(1);
        dlg.accept();
        // The thread cap takes effect at once, and is kept.
        QCOMPARE(s.maxThreads, 1);
        QCOMPARE(ThreadsForJob(), 1);
        SetThreadCap(0);
        QCOMPARE(s.costLire, 1000.0);
        QCOMPARE(s.costEuro, 1.05);
        QVERIFY(s.costsInEuro);
        QVERIFY(!s.automaticMerge);
        QCOMPARE(s.backgroundPicture, std::string("/tmp/altro.bmp"));

        // Annulla stores nothing.
        TFrmImpostazioni again(s);
        again.show();
        again.SpinLire->setValue(2000);
        again.reject();
        QCOMPARE(s.costLire, 1000.0);
    }

    void shopDataCutTo60() {
        TProgramSettings s;
        s.shopData[2] = "Milano";
        TFormDatiRicevitoria dlg(s);
        QCOMPARE(dlg.EditCitta->text(), QStringLiteral("Milano"));
        QCOMPARE(dlg.EditInt->maxLength(), 50);
        dlg.EditInt->setMaxLength(100); // a pasted or stored longer text is still cut on OK
        dlg.EditInt->setText(QString(70, QLatin1Char('x')));
        dlg.EditTel->setText(QStringLiteral("02 1234"));
        dlg.accept();
        QCOMPARE(s.shopData[0], std::string(60, 'x'));
        QCOMPARE(s.shopData[3], std::string("02 1234"));
    }

    void settingsCommandWritesTheConfiguration() {
        T_Sistema sys;
        sys.dati.settings = DefaultSettings();
        TFormPrinc w(sys);
        TFixedAnswerPrompt prompt;
        w.SetPrompt(&prompt);
        QTimer::singleShot(0, &w, [] {
            auto* dlg = qobject_cast<TFrmImpostazioni*>(QApplication::activeModalWidget());
            QVERIFY(dlg != nullptr);
            dlg->SpinLire->setValue(1500);
            dlg->accept();
        });
        w.Varie1Click();
        TProgramSettings back = DefaultSettings();
        QVERIFY(ReadConfigFile(std::filesystem::path(home_.path().toStdString()) / kConfigFileName, back));
        QCOMPARE(back.costLire, 1500.0);
        QCOMPARE(w.PColonneF->text(), QStringLiteral("  Colonne Finali : "));

        // A folder in the way of the file: the failure is reported.
        QFile::remove(home_.path() + QStringLiteral("/Tessaline.cfg"));
        QDir(home_.path()).mkdir(QStringLiteral("Tessaline.cfg"));
        QTimer::singleShot(0, &w, [] {
            if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dlg->accept();
            }
        });
        bool raised = false;
        try {
            w.DatiRicevirotia1Click();
        } catch (const EInOutError& e) {
            raised = QString::fromUtf8(e.what()) == QStringLiteral("Impossibile Salvare La Configurazione");
        }
        QVERIFY(raised);
        QDir(home_.path()).rmdir(QStringLiteral("Tessaline.cfg"));
    }

    void pairWindowWorksOnACopy() {
        PairTable t{};
        t.p[2][7] = 1;
        std::array<std::string, kTeams> names{};
        names[0] = "Roma";
        TFormAccoppiate dlg(t, names);
        QCOMPARE(dlg.Grid->rowCount(), 6);
        QCOMPARE(dlg.Grid->columnCount(), 16);
        QCOMPARE(dlg.Grid->item(0, 7)->text(), QStringLiteral("1\nM")); // pair 7: home "1", away "M"
        QCOMPARE(dlg.Grid->item(2, 7)->background().color(), QColor(0, 255, 255));
        QCOMPARE(dlg.Grid->item(2, 6)->background().color(), QColor(Qt::white));
        int recalcs = 0;
        dlg.ricalcolo = [&](const PairTable&) { ++recalcs; };
        dlg.Toggle(2, 7);
        QCOMPARE(dlg.Tabella().p[2][7], 0);
        QCOMPARE(t.p[2][7], 1); // the caller's table is untouched until OK
        dlg.TutteClick();
        QCOMPARE(PairColumnsCovered(dlg.Tabella()), 16777216);
        QCOMPARE(dlg.LabelColonne->text(), QStringLiteral("Colonne : 16.777.216"));
        dlg.AzzeraClick();
        QCOMPARE(PairColumnsCovered(dlg.Tabella()), 0);
        QCOMPARE(recalcs, 3);
        QTest::mouseClick(dlg.Grid->viewport(), Qt::LeftButton, {},
                          dlg.Grid->visualItemRect(dlg.Grid->item(4, 9)).center());
        QCOMPARE(dlg.Tabella().p[4][9], 1);
    }

    void integralTeams() {
        T_Sistema sys;
        for (int i = 0; i < kTeams; ++i) {
            sys.dati.Forecast[i] = kSign1;
        }
        sys.dati.Forecast[2] = kSign0 | kSign2;
        sys.dati.Forecast[5] = kAllSigns;
        sys.dati.sviluppo.IntegralBases[5] = kSignM;
        TFixedAnswerPrompt prompt;
        TFormPartiteIntegrali dlg(sys, prompt);
        dlg.show();
        QVERIFY(dlg.Pannello->Selezionata(5));
        QCOMPARE(dlg.Base(5)->text(), QStringLiteral("M"));
        QCOMPARE(dlg.Base(2)->text(), QStringLiteral("0")); // no base: first letter of the forecast
        QVERIFY(!dlg.Base(2)->isVisible());
        QCOMPARE(dlg.LabelPS->text(), QStringLiteral("Squadre integrali selezionate : 1"));

        // Mark team 3 and type a sign it does not have: wiped at once.
        QTest::mouseClick(dlg.Pannello, Qt::LeftButton, {}, QPoint(40, dlg.Pannello->RowTop(2) + 5));
        QVERIFY(dlg.Base(2)->isVisible());
        QCOMPARE(dlg.LabelPS->text(), QStringLiteral("Squadre integrali selezionate : 2"));
        dlg.Base(2)->clear();
        QTest::keyClicks(dlg.Base(2), QStringLiteral("1"));
        QCOMPARE(dlg.Base(2)->text(), QString());

        // OK refuses while a marked team has no base.
        dlg.accept();
        QCOMPARE(prompt.Count(), 1);
        QCOMPARE(prompt.LastText(),
                 std::string("E' necessario inserire un segno base per ogni partita integrale."));
        QVERIFY(dlg.isVisible());
        QCOMPARE(sys.dati.sviluppo.IntegralBases[2], SignSet{0});

        QTest::keyClicks(dlg.Base(2), QStringLiteral("2"));
        QCOMPARE(dlg.Base(2)->text(), QStringLiteral("2"));
        dlg.accept();
        QCOMPARE(dlg.result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(sys.dati.sviluppo.IntegralBases[2], kSign2);
        QCOMPARE(sys.dati.sviluppo.IntegralBases[5], kSignM);
        QCOMPARE(sys.dati.sviluppo.IntegralBases[0], SignSet{0});
    }

    void splashAndHelp() {
        TFormIntro intro;
        QCOMPARE(intro.size(), QSize(522, 306));
        QCOMPARE(intro.LabelVersione->text(), QStringLiteral("Versione 2.0 per Linux"));
        QSignalSpy spy(&intro, &TFormIntro::Avvio);
        intro.show();
        intro.BtnContinua->click();
        QVERIFY(!intro.LabelVersione->isVisible() && !intro.BtnContinua->isVisible());
        QVERIFY(spy.wait(1000));

        // Every help context of these windows has its page, found from the installed data.
        for (int context : {0, 42, 96, 100, 102, 103, 109}) {
            const QString page = HelpPagePath(context);
            QVERIFY2(!page.isEmpty(), qPrintable(QString::number(context)));
            QFile f(page);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll().contains("<h1>"));
        }
        QVERIFY(HelpPagePath(9999).isEmpty());
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(TestDialogs)
#include "dialogs_test.moc"
