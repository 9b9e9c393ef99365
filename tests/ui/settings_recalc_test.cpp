// The development settings dialog (enabling rules, which changes discard the developed columns,
// the source file check) and automatic recalculation (its triggers and the panel's texts).

#include <QApplication>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "develop/ui/develop_commands.h"
#include "develop/ui/recalc_panel.h"
#include "develop/ui/settings_dialog.h"
#include "main_fixture.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "system/system_file.h"
#include "system/ui/system_commands.h"
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

// A forecast of n columns (n = 2^a 3^b) with every other team fixed.
Pronostico DiColonne(int doubles, int triples) {
    Pronostico p = Tutti(kSign1);
    int t = 0;
    for (int i = 0; i < doubles; ++i) {
        p[t++] = kSign0 | kSign1;
    }
    for (int i = 0; i < triples; ++i) {
        p[t++] = kSign0 | kSign1 | kSign2;
    }
    return p;
}

} // namespace

class TestSettingsRecalc : public test::TMainWindowTest {
    Q_OBJECT
private slots:
    void initTestCase() { PreparaCartella(); }
    void init() { Apri(); }
    void cleanup() { Chiudi(); }

    void enablingRules() {
        TFrmImpSv d(*sys_, prompt_, chooser_);
        // A new system: no reduction, from the forecast, into memory, no automatic recalculation.
        for (QWidget* off : std::initializer_list<QWidget*>{
                 d.RadioN1, d.RadioN2, d.RadioDMin, d.SpinDistMin, d.CheckOtt, d.SpinMult, d.Editsorg,
                 d.BtnCercaSorg, d.EditDest, d.BtnCercaDest, d.RadioReale, d.RadioStimato}) {
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        }
        QVERIFY(d.RadioN2->isChecked()); // Guarantee 4
        QVERIFY(d.RadioFile->isEnabled());

        d.CheckRid->click();
        for (QWidget* on :
             std::initializer_list<QWidget*>{d.RadioN1, d.RadioN2, d.RadioDMin, d.CheckOtt, d.SpinMult}) {
            QVERIFY2(on->isEnabled(), qPrintable(on->objectName()));
        }
        QVERIFY(!d.SpinDistMin->isEnabled());

        d.SpinMult->setValue(3);
        d.CheckOtt->click(); // optimised: no multiple passes
        QVERIFY(!d.SpinMult->isEnabled());
        QCOMPARE(d.SpinMult->value(), 1);
        d.CheckOtt->click();
        QVERIFY(d.SpinMult->isEnabled());
        d.SpinMult->setValue(4);

        d.CheckOtt->click();
        d.RadioDMin->click(); // unticks and disables the optimised reduction and the passes
        QVERIFY(!d.CheckOtt->isChecked());
        QVERIFY(!d.CheckOtt->isEnabled());
        QVERIFY(!d.SpinMult->isEnabled());
        QCOMPARE(d.SpinMult->value(), 1);
        QVERIFY(d.SpinDistMin->isEnabled());
        QVERIFY(!d.RadioN1->isChecked() && !d.RadioN2->isChecked());

        d.RadioN1->click();
        QVERIFY(!d.RadioDMin->isChecked());
        QVERIFY(d.CheckOtt->isEnabled());
        QVERIFY(!d.SpinDistMin->isEnabled());

        d.CheckRid->click(); // off again: every reduction control goes
        for (QWidget* off : std::initializer_list<QWidget*>{d.RadioN1, d.RadioN2, d.RadioDMin, d.SpinDistMin,
                                                            d.CheckOtt, d.SpinMult}) {
            QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
        }

        d.RadioSorgFile->click();
        QVERIFY(d.Editsorg->isEnabled() && d.BtnCercaSorg->isEnabled());
        d.RadioFile->click();
        QVERIFY(d.EditDest->isEnabled() && d.BtnCercaDest->isEnabled());
        d.CheckUsaRicalcolo->click();
        QVERIFY(d.RadioReale->isEnabled() && d.RadioStimato->isEnabled());
    }

    void improvedReductionIsAProgramSetting() {
        sys_->Colonne.AppendExpanded(DiColonne(2, 0), true);
        sys_->dati.columnsValid = 1;
        {
            TFrmImpSv d(*sys_, prompt_, chooser_);
            QVERIFY(!d.CheckMig->isEnabled() && !d.SpinMigSecondi->isEnabled());
            QCOMPARE(d.SpinMigSecondi->value(), 10);
            d.CheckRid->click();
            QVERIFY(!d.CheckMig->isEnabled()); // only after an optimised reduction
            d.CheckOtt->click();
            QVERIFY(d.CheckMig->isEnabled() && !d.SpinMigSecondi->isEnabled());
            d.CheckMig->click();
            QVERIFY(d.SpinMigSecondi->isEnabled());
            d.SpinMigSecondi->setValue(25);
            d.accept();
        }
        QVERIFY(sys_->dati.settings.improvedReduction);
        QCOMPARE(sys_->dati.settings.improveSeconds, 25);
        QVERIFY(sys_->Colonne.Empty()); // another reduction, other columns
        TProgramSettings onDisk = DefaultSettings();
        QVERIFY(ReadConfigFile(std::filesystem::path(home_.path().toStdString()) / kConfigFileName, onDisk));
        QVERIFY(onDisk.improvedReduction);
        QCOMPARE(onDisk.improveSeconds, 25);

        TFrmImpSv d(*sys_, prompt_, chooser_);
        QVERIFY(d.CheckMig->isChecked() && d.CheckMig->isEnabled());
        QCOMPARE(d.SpinMigSecondi->value(), 25);
        d.RadioDMin->click(); // a spacing rule, not a covering: nothing to improve
        QVERIFY(!d.CheckMig->isEnabled() && !d.SpinMigSecondi->isEnabled());
        d.reject();
        QVERIFY(sys_->dati.settings.improvedReduction);
    }

    void changesThatDiscardTheColumns_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("discarded");
        QTest::newRow("nothing") << QString() << false;
        QTest::newRow("recalculation switch") << QStringLiteral("CheckUsaRicalcolo") << false;
        QTest::newRow("estimated calculation") << QStringLiteral("RadioStimato") << false;
        QTest::newRow("reduced development") << QStringLiteral("CheckRid") << true;
        QTest::newRow("guarantee") << QStringLiteral("RadioN1") << true;
        QTest::newRow("passes") << QStringLiteral("SpinMult") << true;
        QTest::newRow("minimum distance") << QStringLiteral("SpinDistMin") << true;
        QTest::newRow("destination") << QStringLiteral("RadioFile") << true;
        QTest::newRow("source") << QStringLiteral("RadioSorgFile") << true;
        QTest::newRow("conditions") << QStringLiteral("CheckCond") << true;
    }
    void changesThatDiscardTheColumns() {
        QFETCH(QString, action);
        QFETCH(bool, discarded);
        const std::string source =
            (std::filesystem::path(home_.path().toStdString()) / "COLONNE" / "sorg.Col").string();
        QVERIFY(TListaColonne().SaveToFile(source));
        sys_->dati.Forecast = DiColonne(2, 0);
        sys_->Colonne.AppendExpanded(sys_->dati.Forecast, true);
        sys_->dati.columnsValid = 1;
        sys_->dati.sviluppo.ReducedDevelopment = 1;
        sys_->dati.sviluppo.AutoRecalc = 1;
        sys_->modified = false;

        sys_->dati.SourceFile = source;
        TFrmImpSv d(*sys_, prompt_, chooser_);
        QVERIFY(!d.Cambiato());
        if (action == QStringLiteral("SpinMult")) {
            d.SpinMult->setValue(2);
        } else if (action == QStringLiteral("SpinDistMin")) {
            d.RadioDMin->click();
        } else if (!action.isEmpty()) {
            auto* b = d.findChild<QAbstractButton*>(action);
            QVERIFY(b != nullptr);
            b->click();
        }
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(sys_->Colonne.Empty(), discarded);
        QCOMPARE(sys_->dati.columnsValid == 0, discarded);
        // Every stored change marks the system modified.
        QCOMPARE(sys_->modified, !action.isEmpty());
    }

    void annullaStoresNothing() {
        sys_->Colonne.AppendExpanded(DiColonne(1, 0), true);
        sys_->dati.columnsValid = 1;
        TFrmImpSv d(*sys_, prompt_, chooser_);
        d.CheckRid->click();
        d.RadioFile->click();
        d.reject();
        QCOMPARE(sys_->dati.sviluppo.ReducedDevelopment, std::uint8_t{0});
        QCOMPARE(sys_->dati.sviluppo.DestinationMemory, std::uint8_t{1});
        QCOMPARE(sys_->Colonne.Count(), 2);
    }

    void sourceFileMustExist() {
        TFrmImpSv d(*sys_, prompt_, chooser_);
        d.RadioSorgFile->click();
        d.Editsorg->setText(QStringLiteral("nonesiste.Col"));
        d.accept();
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(prompt_.texts.back(), std::string("Il File Sorgente non Esiste."));
        QCOMPARE(sys_->dati.SourceForecast, std::uint8_t{1});

        // "Cerca.." starts from the name in the field, in the column folder.
        chooser_.answers = {home_.path() + QStringLiteral("/COLONNE/scelto.Col")};
        d.CercaSorgClick();
        const TFileDialogRequest& request = chooser_.asked.back();
        QCOMPARE(request.title, QStringLiteral("Seleziona il File Colonnare"));
        QCOMPARE(request.filter, QStringLiteral("File Colonnare (*.Col)|*.Col"));
        QCOMPARE(request.defaultExtension, QStringLiteral("Col"));
        QVERIFY(request.mustExist);
        QCOMPARE(request.name, QStringLiteral("nonesiste.Col"));
        QVERIFY(request.folder.endsWith(QStringLiteral("COLONNE")));
        QCOMPARE(d.Editsorg->text(), home_.path() + QStringLiteral("/COLONNE/scelto.Col"));
        d.RadioFile->click();
        d.CercaDestClick();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Salva sul File Colonnare"));
        QVERIFY(chooser_.asked.back().save);
    }

    void panelChangeTexts() {
        sys_->dati.sviluppo.AutoRecalc = 1;
        TFormRicalcoloAutomatico* panel = comandi_->Sviluppo().Pannello();
        const struct {
            int doubles, triples;
            const char* count;
            const char* change;
        } steps[] = {
            {1, 0, "2", ""}, {0, 1, "3", "+50%"}, {0, 1, "3", ""}, {2, 0, "4", "+33%"}, {1, 0, "2", "-50%"}};
        for (const auto& s : steps) {
            Pronostica(DiColonne(s.doubles, s.triples));
            QVERIFY(panel->isVisible());
            QCOMPARE(panel->PanelCol->text(), QLatin1String(s.count));
            QCOMPARE(panel->PanelPerc->text(), QLatin1String(s.change));
            QVERIFY(!panel->Gauge->isVisible());
        }
    }

    void triggersOfAutomaticRecalculation() {
        TFormRicalcoloAutomatico* panel = comandi_->Sviluppo().Pannello();
        // Off: a complete forecast does not recalculate.
        Pronostica(DiColonne(3, 0));
        QVERIFY(!panel->isVisible());
        QVERIFY(sys_->Colonne.Empty());

        // On: an incomplete forecast does not, a complete one does.
        sys_->dati.sviluppo.AutoRecalc = 1;
        Pronostico holed = DiColonne(3, 0);
        holed[5] = 0;
        Pronostica(holed);
        QVERIFY(!panel->isVisible());
        Pronostica(DiColonne(3, 0));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("8"));
        QCOMPARE(sys_->Colonne.Count(), 8);

        // "Tutti", here with the estimate (no condition in force: the forecast's count).
        sys_->dati.sviluppo.RealCalculation = 0;
        w_->TuttiClick();
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("16777216"));
        QVERIFY(sys_->Colonne.Empty());
        sys_->dati.sviluppo.RealCalculation = 1;

        // The pair window's copy stands in while the recalculation runs, then the table comes back.
        sys_->dati.sviluppo.PairMode = 1;
        PairTable copy{};
        for (auto& match : copy.p) {
            match[0] = 1;
        }
        copy.p[2][5] = 1;
        const PairTable before = sys_->dati.sviluppo.PairTable;
        w_->ricalcoloAccoppiate(copy);
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("2"));
        QVERIFY(sys_->dati.sviluppo.PairTable.p == before.p);
        PairTable empty{};
        sys_->Colonne.Clear();
        w_->ricalcoloAccoppiate(empty); // admits no column: nothing runs
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("2"));
        sys_->dati.sviluppo.PairMode = 0;

        // OK in the settings dialog.
        sys_->dati.sviluppo.AutoRecalc = 0;
        Pronostica(DiColonne(0, 2));
        panel->hide();
        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<TFrmImpSv*>(QApplication::activeModalWidget());
            QVERIFY(d != nullptr);
            d->CheckUsaRicalcolo->click();
            d->accept();
        });
        comandi_->Sviluppo().ImpostazioneSvClick();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("9"));
        QCOMPARE(sys_->Colonne.Count(), 9);

        // Loading a system that asks for it; one that does not closes the panel.
        const QString file = home_.path() + QStringLiteral("/Sistemi/ricalcolo.svs");
        QVERIFY(SalvaSistemaCome(*sys_, file.toStdString(), prompt_));
        sys_->dati.sviluppo.AutoRecalc = 0;
        const QString off = home_.path() + QStringLiteral("/Sistemi/senza.svs");
        QVERIFY(SalvaSistemaCome(*sys_, off.toStdString(), prompt_));
        panel->hide();
        sys_->Colonne.Clear();
        chooser_.answers = {file, off};
        comandi_->Sistema().CaricaClick();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("9"));
        QVERIFY(!sys_->modified);
        comandi_->Sistema().CaricaClick();
        QVERIFY(!panel->isVisible());
        QVERIFY(!sys_->modified);
    }

    void closingThePanelSwitchesRecalculationOff() {
        sys_->dati.sviluppo.AutoRecalc = 1;
        Pronostica(DiColonne(1, 0));
        TFormRicalcoloAutomatico* panel = comandi_->Sviluppo().Pannello();
        QVERIFY(panel->isVisible());
        sys_->modified = false;
        panel->close();
        QCOMPARE(sys_->dati.sviluppo.AutoRecalc, std::uint8_t{0});
        QVERIFY(sys_->modified);
        // "&Nuovo" closes it without touching the setting of the new system.
        sys_->dati.sviluppo.AutoRecalc = 1;
        Pronostica(DiColonne(2, 0));
        QVERIFY(panel->isVisible());
        prompt_.answers = {BtnNo};
        comandi_->Sistema().New1Click();
        QVERIFY(!panel->isVisible());
        QVERIFY(!sys_->modified);
    }

    // The panel opens at the right edge of the main window as it stands when the panel opens, and is
    // wide enough for its whole title.
    void panelOpensAtTheMainWindowsRightEdge() {
        TFormRicalcoloAutomatico* panel = comandi_->Sviluppo().Pannello();
        for (const int width : {900, 700}) {
            w_->resize(width, 560);
            w_->move(20, 10);
            w_->show();
            QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
            sys_->dati.sviluppo.AutoRecalc = 1;
            Pronostica(DiColonne(1 + width % 3, 0));
            QVERIFY(panel->isVisible());
            const int mainRight = w_->mapToGlobal(QPoint(w_->width(), 0)).x();
            QVERIFY2(
                std::abs(panel->frameGeometry().right() + 1 - mainRight) <= 12,
                qPrintable(QStringLiteral("%1 / %2").arg(panel->frameGeometry().right()).arg(mainRight)));
            QVERIFY(panel->width() >= panel->fontMetrics().horizontalAdvance(panel->windowTitle()));
            comandi_->Sviluppo().ChiudiPannello();
        }
    }

    // "Tutti" with the real calculation and a reduction on: sixteen million columns to reduce on
    // the fly. The panel's "Annulla" stops the run, which keeps nothing and changes no setting.
    void annullaStopsARecalculationOfTwelveQuadruples() {
        auto& dev = sys_->dati.sviluppo;
        dev.AutoRecalc = 1;
        dev.RealCalculation = 1;
        dev.ReducedDevelopment = 1;
        dev.Guarantee = 4;
        Pronostica(DiColonne(1, 0));
        TFormRicalcoloAutomatico* panel = comandi_->Sviluppo().Pannello();
        QVERIFY(panel->isVisible());
        QVERIFY(!panel->BtnAnnulla->isVisible());
        sys_->modified = false;

        // The click comes once the panel shows the run going, and goes through the event loop.
        bool clicked = false;
        bool mainWindowBlocked = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (clicked || !panel->InCorso() || !panel->BtnAnnulla->isVisible()) {
                return;
            }
            // Meanwhile the main window takes no input: a click on the tool button "Sviluppo"
            // starts no second run on the same system.
            QToolButton* speed = nullptr;
            for (QToolButton* b : w_->findChildren<QToolButton*>()) {
                if (b->defaultAction() == w_->Azione(QStringLiteral("SpeedSviluppaClick"))) {
                    speed = b;
                }
            }
            if (speed != nullptr) {
                QTest::mouseClick(speed, Qt::LeftButton);
                mainWindowBlocked = comandi_->Sviluppo().FinestraSviluppo() == nullptr;
            }
            QTest::mouseClick(panel->BtnAnnulla, Qt::LeftButton);
            clicked = true;
        });
        poll.start(5);
        w_->TuttiClick();
        poll.stop();

        QVERIFY(clicked);
        QVERIFY(mainWindowBlocked);
        QVERIFY(comandi_->Sviluppo().RicalcoloInterrotto());
        QVERIFY(sys_->Colonne.Empty());
        QCOMPARE(panel->PanelCol->text(), QStringLiteral("0"));
        QVERIFY(!panel->BtnAnnulla->isVisible());
        QVERIFY(!panel->Gauge->isVisible());
        QCOMPARE(dev.OptimisedReduction, std::uint8_t{0});
        QCOMPARE(dev.DestinationMemory, std::uint8_t{1});
        QCOMPARE(dev.AutoRecalc, std::uint8_t{1});
        QCOMPARE(ColumnsCovered(sys_->dati.Forecast), std::int64_t{16'777'216});

        // The next change recalculates afresh, not stopped by the earlier click.
        Pronostica(DiColonne(2, 0));
        QVERIFY(!comandi_->Sviluppo().RicalcoloInterrotto());
        QVERIFY(panel->isVisible());
        QVERIFY(!sys_->Colonne.Empty());
    }

private:
    // A change of the forecast in the coupon editor.
    void Pronostica(const Pronostico& p) {
        w_->EditSchedina->SetPronostico(p);
        w_->PronosticoModificato();
    }
};

QTEST_MAIN(TestSettingsRecalc)
#include "settings_recalc_test.moc"
