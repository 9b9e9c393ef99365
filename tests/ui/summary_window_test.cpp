// The summary print window: the enabling of its table, a printout to PDF, the menu entry and the
// dialog memory.

#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "conditions/condition_set.h"
#include "conditions/sign_count.h"
#include "core/ui/help.h"
#include "print/ui/summary_window.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;

class TestSummaryWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }
    void init() {
        sys_ = std::make_unique<T_Sistema>();
        sys_->dati.settings = DefaultSettings();
        sys_->fileName = "prova.svs";
        for (int t = 0; t < kTeams; ++t) {
            sys_->dati.teamNames[static_cast<std::size_t>(t)] = "Squadra" + std::to_string(t + 1);
            sys_->dati.Forecast[t] = kSign1;
        }
        prompt_.Clear();
    }

    void enabling_data() {
        QTest::addColumn<bool>("conditioned");
        QTest::addColumn<bool>("columns");
        QTest::addColumn<int>("participants");
        QTest::newRow("integral, empty, one") << false << false << 1;
        QTest::newRow("conditioned, columns, three") << true << true << 3;
        QTest::newRow("integral, columns, two") << false << true << 2;
    }
    void enabling() {
        QFETCH(bool, conditioned);
        QFETCH(bool, columns);
        QFETCH(int, participants);
        if (conditioned) {
            sys_->Insieme().SlotAs<TCondNumeroSegni>(1)->Tabella(0).Imposta(false, 3, kAmmesso);
        }
        if (columns) {
            Colonna c;
            c.s.fill(kSign1);
            sys_->Colonne.Append(c);
        }
        sys_->ParticipantCount = participants;
        TFormStampaProspetto w(*sys_, prompt_, false, false);
        w.FormShow();
        QVERIFY(w.CheckInfo->isEnabled() && w.CheckInfo->isChecked());
        QVERIFY(w.CheckSched->isEnabled() && w.CheckSched->isChecked());
        QCOMPARE(w.CheckCond->isEnabled(), conditioned);
        QCOMPARE(w.CheckTab->isEnabled(), columns);
        QCOMPARE(w.BtnImp->isEnabled(), columns);
        QVERIFY(!w.CheckTab->isChecked());
        QCOMPARE(w.RadioCopiaPart->isEnabled(), participants > 1);
        QCOMPARE(w.RadioCopiaPart->isChecked(), participants > 1);
        QCOMPARE(w.RadioSpec->isChecked(), participants == 1);
        QCOMPARE(w.SpinCopie->minimum(), 1);
        QCOMPARE(w.SpinCopie->maximum(), 100);
        QCOMPARE(w.Opzioni().Condizioni, conditioned);
    }

    void printsOneCopyPerParticipant() {
        sys_->ParticipantCount = 2;
        sys_->participants = {"Anna", "Bruno"};
        sys_->Insieme().SlotAs<TCondNumeroSegni>(1)->Tabella(3).Imposta(false, 0, kAmmesso);
        TFormStampaProspetto w(*sys_, prompt_, true, false);
        w.FormShow();
        const QString pdf = home_.path() + QStringLiteral("/prospetto.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        w.Stampante = &printer;
        w.Data = "03/04/2026";
        w.StampaClick();
        QVERIFY(prompt_.texts.empty());
        QCOMPARE(printer.docName(), QStringLiteral("Stampa del Prospetto del Sistema"));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput()).simplified();
        const int anna = text.indexOf(QStringLiteral("Copia per Anna"));
        const int bruno = text.indexOf(QStringLiteral("Copia per Bruno"));
        QVERIFY2(anna >= 0 && bruno > anna, qPrintable(text));
        QVERIFY(text.indexOf(QStringLiteral("Stampato il : 03/04/2026")) > anna);
        QVERIFY(text.indexOf(QStringLiteral("Picchetto")) > anna);
        QVERIFY(text.indexOf(QStringLiteral("Segni M")) > anna);
        QVERIFY(text.indexOf(QStringLiteral("Segni M"), bruno) > bruno);
    }

    void printerFailureIsReported() {
        TFormStampaProspetto w(*sys_, prompt_, false, false);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(home_.path() + QStringLiteral("/manca/cartella/x.pdf"));
        w.Stampante = &printer;
        w.StampaClick();
        QCOMPARE(prompt_.texts.back(), std::string("Impossibile Stampare il Prospetto del Sistema"));
    }

    void menuEntryRemembersTheChoices() {
        TFormPrinc main(*sys_);
        main.SetPrompt(&prompt_);
        test::TScriptedChooser chooser;
        TComandi comandi(main, &chooser);
        int shown = 0;
        comandi.Prospetto().primaDiMostrare = [&](TFormStampaProspetto& w) {
            ++shown;
            if (shown == 1) {
                QVERIFY(w.RadioSpec->isChecked());
                w.SpinCopie->setValue(7);
                w.CheckInfo->setChecked(false);
            } else {
                QCOMPARE(w.SpinCopie->value(), 7);
                QVERIFY(!w.CheckInfo->isChecked());
            }
        };
        QAction* entry = main.Azione(QStringLiteral("StampaProspettoClick"));
        QVERIFY(entry != nullptr && entry->isEnabled());
        entry->trigger();
        entry->trigger();
        QCOMPARE(shown, 2);
    }

    void helpPage() {
        QFile f(HelpPagePath(TFormStampaProspetto::kHelpContext));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("<h1>Stampa del Prospetto del Sistema</h1>"));
    }

private:
    QTemporaryDir home_;
    std::unique_ptr<T_Sistema> sys_;
    test::TScriptedPrompt prompt_;
};

QTEST_MAIN(TestSummaryWindow)
#include "summary_window_test.moc"
