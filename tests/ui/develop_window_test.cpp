// The development window: a long run stopped with "Annulla", the counters after a plain and a
// reduced run, and the commands that start it.

#include <QAction>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <set>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "core/enumerate.h"
#include "develop/driver.h"
#include "develop/ui/develop_commands.h"
#include "develop/ui/develop_window.h"
#include "main_fixture.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;

namespace {

Pronostico Tutti(SignSet s) {
    Pronostico p;
    for (int i = 0; i < kTeams; ++i) {
        p[i] = s;
    }
    return p;
}

} // namespace

class TestDevelopWindow : public test::TMainWindowTest {
    Q_OBJECT
private slots:
    void initTestCase() { PreparaCartella(); }
    void init() { Apri(); }
    void cleanup() { Chiudi(); }

    void commandsFollowTheForecast() {
        QAction* calcolo = w_->Azione(QStringLiteral("CalcoloColonne1Click"));
        QAction* speed = w_->Azione(QStringLiteral("SpeedSviluppaClick"));
        QVERIFY(!calcolo->isEnabled()); // an empty forecast develops nothing
        sys_->dati.Forecast = Tutti(kSign1);
        sys_->dati.Forecast[0] = kSign0 | kSign1;
        w_->ImpostaTutto();
        QVERIFY(calcolo->isEnabled());
        QVERIFY(speed->isEnabled());
        speed->trigger();
        QCOMPARE(sys_->Colonne.Count(), 2);
        TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
        QVERIFY(f != nullptr && f->isVisible());
        QVERIFY(f->BtnOk->isEnabled());
        // The status line shows the new columns while the window stays up with its counts.
        QVERIFY(w_->PColonneF->text().startsWith(QStringLiteral("  Colonne Finali : 2 (")));
        f->BtnOk->click();
        QVERIFY(!f->isVisible());
    }

    void annullaStopsALongRun() {
        sys_->dati.Forecast = Tutti(kAllSigns); // 16,777,216 columns
        w_->ImpostaTutto();
        QCoreApplication::processEvents(); // the main window's own start-up messages
        prompt_.Clear();
        bool clicked = false;
        bool wasRunning = false;
        QTimer::singleShot(0, this, [&] {
            TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
            wasRunning = f != nullptr && f->InCorso() && f->isVisible();
            if (f != nullptr) {
                f->BtnAnnulla->click();
            }
            clicked = true;
        });
        comandi_->Sviluppo().CalcoloColonne1Click();
        QVERIFY(clicked);
        QVERIFY(wasRunning);
        QVERIFY(comandi_->Sviluppo().UltimoRisultato().stopped);
        QVERIFY(sys_->Colonne.Empty());
        TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
        QVERIFY(!f->isVisible()); // a stopped enumeration closes the window
        QVERIFY(!f->InCorso());
        QVERIFY(prompt_.texts.empty()); // nothing was asked or reported
        QCOMPARE(w_->PColonneF->text(), QStringLiteral("  Colonne Finali : "));

        // The next run starts afresh and is not stopped by the earlier click.
        sys_->dati.Forecast = Tutti(kSign2);
        sys_->dati.Forecast[11] = kAllSigns;
        comandi_->Sviluppo().CalcoloColonne1Click();
        QVERIFY(!comandi_->Sviluppo().UltimoRisultato().stopped);
        QCOMPARE(sys_->Colonne.Count(), 4);
        QVERIFY(f->isVisible());
        f->BtnOk->click();
    }

    void countersOfAPlainRun() {
        sys_->dati.Forecast = Tutti(kSign1);
        for (int t : {0, 3, 6}) {
            sys_->dati.Forecast[t] = kSign0 | kSign1 | kSign2; // 27 columns
        }
        comandi_->Sviluppo().CalcoloColonne1Click();
        TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
        QVERIFY(!f->GroupBoxR->isEnabled());
        QCOMPARE(f->GroupBoxR->title(), QString());
        QVERIFY(!f->RColonneFinali->isVisible());
        QCOMPARE(f->ColonneIniziali->text(), QStringLiteral("27"));
        QCOMPARE(f->ColonneFiltrate->text(), QStringLiteral("0"));
        QCOMPARE(f->ColonneFinali->text(), QString::fromUtf8("27 (£ 21.600)"));
        QCOMPARE(f->Gauge1->value(), 100);
        QVERIFY(f->TortaC->isVisible());
        QCOMPARE(f->TortaC->Percentuale(), 100.0);
        QVERIFY(!f->TortaR->isVisible());
        QVERIFY(f->LabelStato->text().startsWith(
            QStringLiteral("Elaborazione Terminata.   Tempo Impiegato : 00:00:")));
        f->BtnOk->click();
    }

    // Every box shows the largest count and cost whole, also when the window is squeezed to 640 x 480.
    void largestCountsFitTheirBoxes() {
        sys_->dati.Forecast = Tutti(kSign1);
        sys_->dati.sviluppo.ReducedDevelopment = 1;
        comandi_->Sviluppo().CalcoloColonne1Click();
        TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
        f->ShowReductionLabels(true);
        f->resize(640, 480);
        const QString big = QString::fromUtf8("16777216 (£ 13.421.772.800)");
        for (QLabel* l : {f->ColonneIniziali, f->ColonneFiltrate, f->ColonneFinali, f->RColonneIniziali,
                          f->RColonneFinali, f->LabelFattore}) {
            l->setText(big);
        }
        f->resize(200, 200); // the layout keeps every box at its minimum
        QApplication::processEvents();
        for (QLabel* l : {f->ColonneIniziali, f->ColonneFiltrate, f->ColonneFinali, f->RColonneIniziali,
                          f->RColonneFinali, f->LabelFattore}) {
            QVERIFY2(l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(big),
                     qPrintable(l->objectName()));
        }
        f->BtnOk->click();
    }

    void annullaDuringTheImprovementKeepsACompleteCovering() {
        sys_->dati.Forecast = Tutti(kSign1);
        for (int t = 0; t < 6; ++t) {
            sys_->dati.Forecast[2 * t] = kSign0 | kSign1 | kSign2; // 729 columns
        }
        auto& dev = sys_->dati.sviluppo;
        dev.ReducedDevelopment = 1;
        dev.OptimisedReduction = 1;
        dev.Guarantee = 5;
        sys_->dati.settings.improvedReduction = true;
        sys_->dati.settings.improveSeconds = 600; // only "Annulla" ends it in time
        QString seen;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
            // Once the search reports (its starts tried), not while it is still preparing.
            if (f != nullptr && f->InCorso() &&
                f->LabelStato->text().startsWith(QStringLiteral("Riduzione Migliorata : "))) {
                seen = f->LabelStato->text();
                poll.stop();
                f->BtnAnnulla->click();
            }
        });
        poll.start(20);
        comandi_->Sviluppo().CalcoloColonne1Click();
        QVERIFY2(seen.startsWith(QStringLiteral("Riduzione Migliorata : ")), qPrintable(seen));
        QVERIFY(!comandi_->Sviluppo().UltimoRisultato().stopped); // the covering is complete
        std::vector<Colonna> all;
        EnumerateForecast(sys_->dati.Forecast, TEnumMode::Develop, nullptr,
                          [&](const Colonna& c) { all.push_back(c); });
        const std::vector<Colonna> kept(sys_->Colonne.begin(), sys_->Colonne.end());
        QVERIFY(!kept.empty() && kept.size() < 91); // the greedy keeps 91 of these
        for (const Colonna& c : all) {
            QVERIFY(std::any_of(kept.begin(), kept.end(),
                                [&](const Colonna& k) { return WrongMatches(c, k) <= 1; }));
        }
        TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
        QVERIFY(f->isVisible());
        QCOMPARE(f->RColonneFinali->text(),
                 QStringLiteral("%1 (£ %2)")
                     .arg(kept.size())
                     .arg(QLocale().toString(static_cast<int>(kept.size()) * 800)));
        QVERIFY(f->TortaR->isVisible());
        f->BtnOk->click();
    }

    void countersOfAReducedRun() {
        sys_->dati.Forecast = Tutti(kSign1);
        for (int t = 0; t < 6; ++t) {
            sys_->dati.Forecast[2 * t] = kSign0 | kSign1 | kSign2; // 729 columns
        }
        auto& dev = sys_->dati.sviluppo;
        dev.ReducedDevelopment = 1;
        dev.MinDistanceMode = 1;
        dev.MinDistance = 3;
        comandi_->Sviluppo().CalcoloColonne1Click();

        // What a minimum distance of 3 keeps, walking the columns in development order.
        std::vector<Colonna> kept;
        EnumerateForecast(sys_->dati.Forecast, TEnumMode::Develop, nullptr, [&](const Colonna& c) {
            for (const Colonna& k : kept) {
                if (WrongMatches(c, k) < 3) {
                    return;
                }
            }
            kept.push_back(c);
        });
        const int k = static_cast<int>(kept.size());
        QCOMPARE(sys_->Colonne.Count(), k);
        QVERIFY(k > 1 && k < 729);

        TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo();
        QVERIFY(f->GroupBoxR->isEnabled());
        QCOMPARE(f->GroupBoxR->title(), QStringLiteral("Riduzione a Distanza Minima 3"));
        QVERIFY(f->RColonneFinali->isVisible());
        QCOMPARE(f->ColonneIniziali->text(), QStringLiteral("729"));
        QCOMPARE(f->ColonneFinali->text(), QString::fromUtf8("729 (£ 583.200)"));
        QCOMPARE(f->RColonneIniziali->text(), QString::fromUtf8("729 (£ 583.200)"));
        QCOMPARE(f->ColonneFiltrate->text(), QStringLiteral("0"));
        QCOMPARE(f->RColonneFinali->text(),
                 QStringLiteral("%1 (£ %2)").arg(k).arg(QLocale().toString(k * 800)));
        QCOMPARE(f->LabelFattore->text(), QLocale().toString(729.0 / k, 'f', 2));
        QVERIFY(f->LabelFattore->text().contains(QLatin1Char(',')));
        QVERIFY(f->TortaR->isVisible());
        QCOMPARE(f->TortaR->Percentuale(), k / 729.0 * 100.0);
        QCOMPARE(f->Gauge1->value(), 100);
        f->BtnOk->click();

        // Another reduction, by guarantee: the caption follows the setting.
        dev.MinDistanceMode = 0;
        dev.Guarantee = 5;
        f->FormShow();
        QCOMPARE(f->GroupBoxR->title(), QStringLiteral("Autoriduzione a Garanzia del 5"));
        QVERIFY(!f->TortaC->isVisible());
        QCOMPARE(f->ColonneFinali->text(), QString());
    }

    void closingDuringARunStopsIt() {
        sys_->dati.Forecast = Tutti(kAllSigns);
        QTimer::singleShot(0, this, [&] {
            if (TFrmSviluppo* f = comandi_->Sviluppo().FinestraSviluppo()) {
                f->close(); // the window's close box asks the run to stop, it does not vanish mid-run
            }
        });
        comandi_->Sviluppo().CalcoloColonne1Click();
        QVERIFY(comandi_->Sviluppo().UltimoRisultato().stopped);
        QVERIFY(sys_->Colonne.Empty());
    }
};

QTEST_MAIN(TestDevelopWindow)
#include "develop_window_test.moc"
