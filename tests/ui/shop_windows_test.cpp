// The betting-shop windows: "Ridotti Immediati" (enabling, the system left alone, the "*.Rid" file,
// printing with the receipt and the play recorded) and "Schedine/Sistemi Automatici" (spin-box rules,
// costs, weights that cannot give a column, printed and recorded plays).

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "app/ui/main_window.h"
#include "core/enumerate.h"
#include "core/ui/form_saver.h"
#include "core/ui/sign_edits.h"
#include "print/ui/print_window.h"
#include "print/ui/receipt_print.h"
#include "reduce/immediate.h"
#include "reduce/ui/automatic_window.h"
#include "reduce/ui/immediate_window.h"
#include "reduce/ui/shop_commands.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;

namespace {

Colonna Col(const std::string& groups) {
    Colonna c;
    std::size_t pos = 0;
    for (int t = 0; t < kTeams; ++t) {
        const auto end = groups.find(' ', pos);
        c[t] = ParseSigns(groups.substr(pos, end - pos));
        pos = end == std::string::npos ? groups.size() : end + 1;
    }
    return c;
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestShopWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
        for (const char* sub : {"ArchivioGiocate", "Ridotti"}) {
            QDir(home_.path()).mkpath(QLatin1String(sub));
        }
    }

    void init() {
        sys_ = std::make_unique<T_Sistema>();
        main_ = std::make_unique<TFormPrinc>(*sys_);
        main_->SetPrompt(&prompt_);
        prompt_.Clear();
        sys_->dati.ContestNumber = 17;
        QFile::remove(home_.filePath(QStringLiteral("ArchivioGiocate/Concorso_17.dat")));
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        pdf_ = home_.filePath(QStringLiteral("stampa.pdf"));
        QFile::remove(pdf_);
        printer_->setOutputFileName(pdf_);
    }

    void cleanup() {
        main_.reset();
        sys_.reset();
    }

    // Prints every job into the test's PDF, pressing "Stampa" in the shown window.
    TStampaCedolina Stampa() {
        QPrinter* p = printer_.get();
        return StampaCedolinaConFinestra(
            *sys_, prompt_, nullptr, [p] { return p; }, [](TFormStampaSchedine& w) { w.OKBtnClick(false); });
    }

    void immediateEnablingAndCost() {
        const struct {
            const char* base;
            bool five;
            std::int64_t columns; // 0: less than the whole base column
        } cases[] = {
            {"1 0 2 M 1 0 2 M 1 0 2 M", true, 1},
            {"01 01 01 01 01 01 01 1 1 1 1 1", true, 0},
            {"012 12 0M 1 01 01 1 0M 12 1 1 1", false, 0},
        };
        for (const auto& c : cases) {
            TFrmRidottiImmediati w(*main_, chooser_, Stampa());
            w.show();
            QVERIFY(!w.SpeedSviluppa->isEnabled());
            w.EditColonna->SetColonna(Col(c.base));
            w.EditColonnaModificato();
            (c.five ? w.RadioCinque : w.RadioQuattro)->setChecked(true);
            QVERIFY(w.SpeedSviluppa->isEnabled());
            for (QPushButton* b : {w.BtnStampaRid, w.BtnAdattaMem, w.BtnSalvaCol}) {
                QVERIFY(!b->isEnabled());
            }
            QCOMPARE(w.EditCosto->text(), QStringLiteral(" Ridotto non elaborato"));
            QVERIFY(w.Elabora());
            const std::int64_t n = w.Colonne.Count();
            if (c.columns != 0) {
                QCOMPARE(n, c.columns);
            } else {
                QVERIFY(n > 1 && n < ColumnsCovered(Col(c.base)));
            }
            QCOMPARE(w.EditCosto->text(), QString::fromUtf8(TestoCostoRidotto(n, 800, false).c_str()));
            QVERIFY(w.EditCosto->text().endsWith(QStringLiteral("  Col. %1").arg(n)));
            for (QPushButton* b : {w.BtnStampaRid, w.BtnAdattaMem, w.BtnSalvaCol}) {
                QVERIFY(b->isEnabled());
            }
            // One sign changed: the three commands off and the cost line back to its text.
            w.EditColonna->Field(0)->setText(QStringLiteral("M"));
            emit w.EditColonna->Field(0)->textEdited(QStringLiteral("M"));
            QVERIFY(!w.Elaborato());
            for (QPushButton* b : {w.BtnStampaRid, w.BtnAdattaMem, w.BtnSalvaCol}) {
                QVERIFY(!b->isEnabled());
            }
            QCOMPARE(w.EditCosto->text(), QStringLiteral(" Ridotto non elaborato"));
            // An integral team is counted; a team emptied makes the column invalid.
            w.PannelloSc->SetSelezionata(2, true);
            w.PannelloScModificato();
            QCOMPARE(w.LabelInt->text(), QStringLiteral("1"));
            w.EditColonna->Field(5)->setText(QString());
            emit w.EditColonna->Field(5)->textEdited(QString());
            QVERIFY(!w.SpeedSviluppa->isEnabled());
        }
    }

    void immediateStopsOnAnnulla() {
        TFrmRidottiImmediati w(*main_, chooser_, Stampa());
        w.show();
        w.EditColonna->SetColonna(Col("012 012 012 012 012 012 012 012 012 012 012 012"));
        w.EditColonnaModificato();
        prompt_.answers = {BtnSi}; // the size question before a slow reduction
        QTimer::singleShot(0, w.BtnAnnulla, [&w] {
            QVERIFY(w.BtnAnnulla->isVisible());
            QVERIFY(!w.BtnChiudi->isEnabled());
            w.BtnAnnulla->click();
        });
        QVERIFY(!w.Elabora());
        QVERIFY(!w.Elaborato());
        QVERIFY(w.BtnAnnulla->isHidden());
        QVERIFY(w.SpeedSviluppa->isEnabled());
        QVERIFY(!w.BtnStampaRid->isEnabled());
        QCOMPARE(w.EditCosto->text(), QStringLiteral(" Ridotto non elaborato"));
    }

    void immediateLeavesTheSystemAlone() {
        sys_->dati.Forecast = Col("0 1 2 M 0 1 2 M 0 12 2 M");
        sys_->dati.sviluppo.UseConditions = 1;
        sys_->dati.sviluppo.Guarantee = 4;
        sys_->dati.sviluppo.ReducedDevelopment = 0;
        sys_->dati.sviluppo.DestinationMemory = 0;
        sys_->dati.sviluppo.IntegralBases[9] = kSign1;
        sys_->dati.SourceForecast = 0;
        const auto before = sys_->dati.sviluppo;
        const Pronostico forecast = sys_->dati.Forecast;
        TFrmRidottiImmediati w(*main_, chooser_, Stampa());
        w.show();
        w.EditColonna->SetColonna(Col("01 01 01 01 01 1 1 1 1 1 1 012"));
        w.PannelloSc->SetSelezionata(11, true);
        w.PannelloScModificato();
        QVERIFY(w.Elabora());
        QCOMPARE(sys_->dati.Forecast, forecast);
        QCOMPARE(sys_->dati.SourceForecast, std::uint8_t{0});
        QCOMPARE(sys_->dati.sviluppo.UseConditions, before.UseConditions);
        QCOMPARE(sys_->dati.sviluppo.Guarantee, before.Guarantee);
        QCOMPARE(sys_->dati.sviluppo.ReducedDevelopment, before.ReducedDevelopment);
        QCOMPARE(sys_->dati.sviluppo.DestinationMemory, before.DestinationMemory);
        QVERIFY(sys_->dati.sviluppo.IntegralBases == before.IntegralBases);
        QVERIFY(sys_->Colonne.Empty());
        // Every column carries one sign of the integral team; the triple is played in full.
        std::array<int, 4> seen{};
        for (const Colonna& c : w.Colonne) {
            QVERIFY(IsFixed(c[11]));
            seen[c[11] == kSign0 ? 0 : c[11] == kSign1 ? 1 : 2]++;
        }
        QCOMPARE(seen[0], seen[1]);
        QCOMPARE(seen[1], seen[2]);
        // "Adatta in Memoria" hands the columns to the column store.
        const int n = w.Colonne.Count();
        w.AdattaMemClick();
        QCOMPARE(sys_->Colonne.Count(), n);
        QVERIFY(w.Colonne.Empty());
    }

    void ridSaveLoadAndDamage() {
        const QString file = home_.filePath(QStringLiteral("Ridotti/prova.Rid"));
        QFile::remove(file);
        {
            TFrmRidottiImmediati w(*main_, chooser_, Stampa());
            w.show();
            w.EditColonna->SetColonna(Col("01 1 2M 0 0 012M 1 2 02 1 1 0"));
            w.PannelloSc->SetSelezionata(5, true);
            w.PannelloScModificato();
            w.RadioQuattro->setChecked(true);
            w.NomeCed->setText(QStringLiteral("Rossi"));
            chooser_.answers = {file};
            w.SalvaClick();
            QCOMPARE(chooser_.asked.back().title, QStringLiteral("Salva il Ridotto"));
            QCOMPARE(chooser_.asked.back().filter, QStringLiteral("Rid file|*.Rid"));
            QCOMPARE(QFileInfo(file).size(), qint64{281});
        }
        TFrmRidottiImmediati w(*main_, chooser_, Stampa());
        w.show();
        chooser_.answers = {file};
        w.CaricaClick();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Carica il Ridotto"));
        QVERIFY(w.Valida());
        QVERIFY(!w.Elaborato());
        QVERIFY(w.RadioQuattro->isChecked());
        QCOMPARE(w.NomeCed->text(), QStringLiteral("Rossi"));
        QVERIFY(w.PannelloSc->Selezionata(5));
        QCOMPARE(w.LabelInt->text(), QStringLiteral("1"));
        QCOMPARE(w.LabelQuadruple->text(), QStringLiteral("1"));
        QVERIFY(w.Definizione().base == Col("01 1 2M 0 0 012M 1 2 02 1 1 0"));
        // A damaged file: the message, and the window as it was.
        const TRidotto shown = w.Definizione();
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("corto");
        f.close();
        prompt_.Clear();
        QVERIFY(!w.CaricaRidotto(file));
        QCOMPARE(prompt_.texts.back(), std::string("Errore Durante il Caricamento del File"));
        QVERIFY(w.Definizione() == shown);
        // Overwriting asks first; "No" leaves the file alone.
        prompt_.answers = {BtnNo};
        chooser_.answers = {file};
        w.SalvaClick();
        QCOMPARE(prompt_.texts.back(), std::string("Il file esiste già. Vuoi sovrascriverlo ? "));
        QCOMPARE(QFileInfo(file).size(), qint64{5});
    }

    void immediatePrintRecordsThePlay() {
        sys_->dati.settings.taratura.StampaConcorso = 1;
        TFrmRidottiImmediati w(*main_, chooser_, Stampa());
        w.show();
        QVERIFY(w.CheckStampaConc->isChecked());
        w.EditColonna->SetColonna(Col("01 01 01 1 1 1 1 1 1 1 1 1"));
        w.EditColonnaModificato();
        w.NomeCed->setText(QStringLiteral("Bianchi"));
        QVERIFY(w.Elabora());
        w.StampaRidottoClick();
        QVERIFY(QFile::exists(pdf_));
        const QString text = PdfText(pdf_);
        QVERIFY2(text.contains(QStringLiteral("Sistema a Garanzia 5")), qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8("Concorso Nº 17")));
        QVERIFY(text.contains(QStringLiteral("Nome: Bianchi")));
        QCOMPARE(w.Giocate()->Sistemi().size(), std::size_t{1});
        QCOMPARE(w.Giocate()->Sistemi()[0].doppie, 3);
        // A printer that cannot write: nothing more recorded.
        printer_->setOutputFileName(home_.filePath(QStringLiteral("manca/stampa.pdf")));
        w.StampaRidottoClick();
        QCOMPARE(w.Giocate()->Sistemi().size(), std::size_t{1});
        // Closing keeps the receipt setting and the plays.
        w.CheckStampaConc->setChecked(false);
        w.reject();
        QCOMPARE(int(sys_->dati.settings.taratura.StampaConcorso), 0);
        TArchivioGiocate saved(17);
        saved.CaricaArchivio();
        QCOMPARE(saved.Sistemi().size(), std::size_t{1});
    }

    void spinBoxRules() {
        TFormSistAutomatici w(*main_, chooser_, TFormSistAutomatici::TModo::Sistemi, Stampa(),
                              [] { return true; });
        const struct {
            std::array<QSpinBox*, 3> group;
            std::array<int, 3> set; // in order
            std::array<int, 3> shown;
        } cases[] = {
            {{w.SpinSistD, w.SpinSistT, w.SpinSistQ}, {7, 4, 5}, {7, 4, 1}},
            {{w.SpinSistD, w.SpinSistT, w.SpinSistQ}, {12, 3, 0}, {12, 0, 0}},
            {{w.SpinSistDInt, w.SpinSistTInt, w.SpinSistQInt}, {6, 6, 6}, {6, 6, 0}},
            {w.SpinFSInt, {2, 9, 4}, {2, 9, 1}},
            {w.SpinMaxCSInt, {10, 3, 0}, {10, 2, 0}},
        };
        for (const auto& c : cases) {
            for (QSpinBox* s : c.group) {
                s->setValue(0);
            }
            for (std::size_t i = 0; i < 3; ++i) {
                c.group[i]->setValue(c.set[i]);
            }
            for (std::size_t i = 0; i < 3; ++i) {
                QCOMPARE(c.group[i]->value(), c.shown[i]);
            }
        }
        // A maximum below its minimum pulls the minimum down.
        w.RadioCasInt->setChecked(true);
        for (QSpinBox* s : w.SpinMaxCSInt) {
            s->setValue(4);
        }
        w.SpinMinCSInt[1]->setValue(3);
        w.SpinMaxCSInt[1]->setValue(1);
        QCOMPARE(w.SpinMinCSInt[1]->value(), 1);
        // "Costo Fisso" and "Costo Casuale" switch the boxes; the costs have no decimals.
        QVERIFY(!w.SpinFSInt[0]->isEnabled());
        QVERIFY(w.SpinMinCSInt[0]->isEnabled());
        w.RadioFissoInt->setChecked(true);
        QVERIFY(w.SpinFSInt[0]->isEnabled());
        QVERIFY(!w.SpinMaxCSInt[2]->isEnabled());
        w.SpinFSInt[0]->setValue(2);
        w.SpinFSInt[1]->setValue(1);
        w.SpinFSInt[2]->setValue(0);
        QCOMPARE(w.EditCostoFisso->text(), QString::fromUtf8(" £ 9.600"));
        // Coupon columns: 0 to 6 each; the coupon cost and "Mem" / "File".
        TFormSistAutomatici s(*main_, chooser_, TFormSistAutomatici::TModo::Schedine, Stampa(),
                              [] { return true; });
        QCOMPARE(s.windowTitle(), QStringLiteral("Schedine Automatiche"));
        QVERIFY(s.checkStampaConc->isHidden());
        QCOMPARE(s.SpinC[0][0]->maximum(), 6);
        QVERIFY(s.BtnGenMem->isEnabled());
        QCOMPARE(s.CostoSchedina->text(), QString::fromUtf8(" £ 2.400  "));
        s.SpinC[1][0]->setValue(1);
        QVERIFY(!s.BtnGenMem->isEnabled());
        QCOMPARE(s.CostoC[1]->text(), QString::fromUtf8(" £ 1.600"));
        QCOMPARE(s.CostoSchedina->text(), QString::fromUtf8(" £ 3.200  "));
        s.SpinC[1][0]->setValue(0);
        s.CheckUsaC3->setChecked(false);
        QVERIFY(!s.BtnGenfile->isEnabled());
        QVERIFY(!s.SpinC[2][1]->isEnabled());
        QVERIFY(s.CostoC[2]->text().isEmpty());
    }

    void couponsPrintedAndRecorded() {
        TFormSistAutomatici w(*main_, chooser_, TFormSistAutomatici::TModo::Schedine, Stampa(),
                              [] { return true; });
        w.seme = [] { return 42U; };
        w.show();
        w.NumSist->setValue(10);
        w.SpinC[0][0]->setValue(1);
        w.CheckUsaC2->setChecked(false);
        w.CheckUsaC3->setChecked(false);
        w.StampaClick();
        QCOMPARE(w.Colonne.Count(), 30);
        int empty = 0;
        for (const Colonna& c : w.Colonne) {
            empty += c == Colonna{} ? 1 : 0;
        }
        QCOMPARE(empty, 20);
        QCOMPARE(w.Giocate()->Schedine().size(), std::size_t{10});
        QVERIFY(QFile::exists(pdf_));
        QCOMPARE(sys_->dati.settings.taratura.ColonnePerSchedina, 3);

        // Below twice the price: the minimum cost message, nothing recorded.
        TFormSistAutomatici one(*main_, chooser_, TFormSistAutomatici::TModo::Schedine, Stampa(),
                                [] { return true; });
        one.show();
        one.CheckUsaC2->setChecked(false);
        one.CheckUsaC3->setChecked(false);
        prompt_.Clear();
        one.StampaClick();
        QCOMPARE(prompt_.texts.back(), std::string("Il costo minimo di una schedina è di £ 1.600"));
        QVERIFY(one.Giocate()->Schedine().empty());
    }

    void weightsThatCannotGiveAColumn() {
        const struct {
            const char* forecast;
            bool picchetto;
            const char* message;
        } cases[] = {
            {"1 1 1 1 1 1 1 1 1 1 1 1", false, "Scegliere un pronostico più ampio"},
            {"1 1 1 1 1 1 1 1 1 1 1 1", true, "Scegliere un pronostico o un picchetto più ampio"},
        };
        for (const auto& c : cases) {
            sys_->dati.Forecast = Col(c.forecast);
            TeamGrid perc{};
            for (auto& row : perc) {
                row = {0, 100, 0, 0};
            }
            sys_->dati.TeamPercentages = c.picchetto ? perc : TeamGrid{};
            QFile::remove(home_.filePath(QStringLiteral("ArchivioGiocate/Concorso_17.dat")));
            TFormSistAutomatici w(*main_, chooser_, TFormSistAutomatici::TModo::Schedine, Stampa(),
                                  [] { return true; });
            w.show();
            QVERIFY(w.CheckUsaPro->isEnabled());
            QCOMPARE(w.RadioCasPic->isEnabled(), c.picchetto);
            w.CheckUsaPro->setChecked(true);
            if (c.picchetto) {
                w.RadioCasPic->setChecked(true);
            }
            w.SpinC[0][0]->setValue(1);
            prompt_.Clear();
            w.StampaClick();
            QCOMPARE(prompt_.texts.back(), std::string(c.message));
            QVERIFY(w.Giocate()->Schedine().empty());
            QVERIFY(!QFile::exists(pdf_));
        }
        // An incomplete forecast: "Usa segni nel pronostico" is cleared and disabled.
        sys_->dati.Forecast = Colonna{};
        TFormSistAutomatici w(*main_, chooser_, TFormSistAutomatici::TModo::Sistemi, Stampa(),
                              [] { return true; });
        w.show();
        QVERIFY(!w.CheckUsaPro->isEnabled());
        QVERIFY(!w.CheckUsaPro->isChecked());
    }

    void systemsPrintedAndRecorded() {
        int asked = 0;
        TFormSistAutomatici w(*main_, chooser_, TFormSistAutomatici::TModo::Sistemi, Stampa(), [&asked] {
            ++asked;
            return true;
        });
        w.seme = [] { return 7U; };
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Sistemi Automatici"));
        w.NumSist->setValue(2);
        w.SpinSistD->setValue(7);
        w.checkStampaConc->setChecked(true);
        w.StampaClick();
        QCOMPARE(asked, 1); // systems after the first are not asked about
        QCOMPARE(w.Giocate()->Sistemi().size(), std::size_t{2});
        QCOMPARE(w.Giocate()->Sistemi()[1].doppie, 7);
        QVERIFY(sys_->Colonne.Empty());
        const QString text = PdfText(pdf_);
        QVERIFY2(text.contains(QString::fromUtf8("Sistema Nº 2")), qPrintable(text));
        QVERIFY(text.contains(QString::fromUtf8("Concorso Nº 17")));

        // More integral doubles than doubles: refused before anything is drawn.
        w.SpinSistD->setValue(2);
        w.SpinSistDInt->setValue(3);
        prompt_.Clear();
        w.StampaClick();
        QCOMPARE(prompt_.texts.back(),
                 std::string("Le doppie integrali non possono essere più di 2 (le doppie in ogni sistema)."));
        QCOMPARE(w.Giocate()->Sistemi().size(), std::size_t{2});

        // Integral systems at a fixed cost: one column each, recorded as integral plays.
        w.Pagine->setCurrentIndex(1);
        w.SpinFSInt[1]->setValue(2);
        w.NumSist->setValue(3);
        w.StampaClick();
        QCOMPARE(w.Giocate()->Integrali().size(), std::size_t{3});
        QCOMPARE(CountTriples(w.Giocate()->Integrali()[2].colonna), 2);
        // Not confirmed: nothing recorded.
        TFormSistAutomatici no(*main_, chooser_, TFormSistAutomatici::TModo::Sistemi, Stampa(),
                               [] { return false; });
        no.show();
        no.StampaClick();
        QVERIFY(no.Giocate()->Sistemi().empty());
    }

    void windowsAreRemembered() {
        TFormSaver saver;
        TComandiRicevitoria commands(*main_, chooser_, saver, Stampa(), [] { return true; });
        int step = 0;
        commands.primaDiMostrare = [&step](QDialog& d) {
            auto* num = d.findChild<QSpinBox*>(QStringLiteral("NumSist"));
            QVERIFY(num != nullptr);
            if (step++ == 0) {
                num->setValue(23);
            } else {
                QCOMPARE(num->value(), 23);
            }
        };
        commands.SistemiAutomatici2Click();
        commands.SistemiAutomatici2Click();
        QCOMPARE(step, 2);
        commands.primaDiMostrare = [](QDialog& d) {
            auto* name = d.findChild<QLineEdit*>(QStringLiteral("NomeCed"));
            QVERIFY(name != nullptr);
            name->setText(QStringLiteral("Neri"));
        };
        commands.RidottiImmediati1Click();
        commands.primaDiMostrare = [](QDialog& d) {
            QCOMPARE(d.findChild<QLineEdit*>(QStringLiteral("NomeCed"))->text(), QStringLiteral("Neri"));
        };
        commands.RidottiImmediati1Click();
        // The menu entries are connected.
        QVERIFY(main_->Azione(QStringLiteral("RidottiImmediati1Click"))->isEnabled());
        QVERIFY(main_->Azione(QStringLiteral("SchedineAutomatiche1Click"))->isEnabled());
    }

private:
    QTemporaryDir home_;
    std::unique_ptr<T_Sistema> sys_;
    std::unique_ptr<TFormPrinc> main_;
    std::unique_ptr<QPrinter> printer_;
    QString pdf_;
    test::TScriptedPrompt prompt_;
    test::TScriptedChooser chooser_;
};

QTEST_MAIN(TestShopWindows)
#include "shop_windows_test.moc"
