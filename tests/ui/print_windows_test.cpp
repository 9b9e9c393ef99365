// The printing windows: the calibration window's rules, the print window's enabling, range message
// and printouts, the listing settings, and the printing commands of the main window.

#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "core/ui/help.h"
#include "print/ui/print_commands.h"
#include "print/ui/print_window.h"
#include "print/ui/taratura_window.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A printer writing a PDF file.
std::unique_ptr<QPrinter> PdfPrinter(const QString& file) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    return printer;
}

Colonna Tutti(SignSet s) {
    Colonna c;
    c.s.fill(s);
    return c;
}

} // namespace

class TestPrintWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }
    void init() {
        sys_ = std::make_unique<T_Sistema>();
        sys_->dati.settings = DefaultSettings();
        prompt_.Clear();
        fs::remove(Path("Tessaline.cfg").toStdString());
    }

    void arrowsNeverGoBelowZero_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("delta");
        QTest::newRow("BtnSu") << "BtnSu"
                               << "YPrimaCol" << -1;
        QTest::newRow("BtnGiu") << "BtnGiu"
                                << "YPrimaCol" << 1;
        QTest::newRow("BtnSin") << "BtnSin"
                                << "XPrimaCol" << -1;
        QTest::newRow("BtnDesS") << "BtnDesS"
                                 << "XPrimaCol" << 1;
        QTest::newRow("BtnSuS") << "BtnSuS"
                                << "ScrittaY" << -1;
        QTest::newRow("BtnGiuS") << "BtnGiuS"
                                 << "ScrittaY" << 1;
        QTest::newRow("BtnSinS") << "BtnSinS"
                                 << "ScrittaX" << -1;
        QTest::newRow("BitBtn3") << "BitBtn3"
                                 << "ScrittaX" << 1;
    }
    void arrowsNeverGoBelowZero() {
        QFETCH(QString, button);
        QFETCH(QString, field);
        QFETCH(int, delta);
        TFrmTaratura w(*sys_, prompt_);
        auto* b = w.findChild<QToolButton*>(button);
        auto* e = w.findChild<QLineEdit*>(field);
        QVERIFY(b && e);
        e->setText(QStringLiteral("1"));
        b->click();
        QCOMPARE(e->text(), QString::number(1 + delta));
        b->click();
        QCOMPARE(e->text(), QString::number(delta < 0 ? 0 : 3));
        e->setText(QStringLiteral("-5")); // typed negatives pass the numeric check; arrows leave them
        b->click();
        QCOMPARE(e->text(), delta < 0 ? QStringLiteral("-5") : QStringLiteral("-4"));
        QVERIFY(w.Memorizza());
    }

    void previewTestAndAnnullaKeepTheStoredSets() {
        const T_Taratura before = sys_->dati.settings.taratura;
        TFrmTaratura w(*sys_, prompt_);
        QCOMPARE(w.XPrimaCol->text(), QStringLiteral("401"));
        QCOMPARE(w.DistanzaSegniOriz->value(), 20);
        w.XPrimaCol->setText(QStringLiteral("500"));
        w.LQuadratini->setValue(40);
        const QImage preview = w.Anteprima();
        QCOMPARE(preview.size(), QSize(354, 206));
        // The first box of the shown values: (50, 32.9) mm at (round(2x) + 4, round(2y) - 1), 8 pixels wide.
        QCOMPARE(QColor(preview.pixel(104 + 7, 65)), QColor(Qt::black));
        QCOMPARE(sys_->dati.settings.taratura, before);

        const QString pdf = Path("test.pdf");
        auto printer = PdfPrinter(pdf);
        w.Stampante = printer.get();
        w.TestClick();
        QCOMPARE(sys_->dati.settings.taratura, before);
        QVERIFY(PdfText(pdf).contains(QString::fromUtf8("Nome Schedina Nº 1 L. 2.400")));
        QCOMPARE(w.XPrimaCol->text(), QStringLiteral("500"));

        // Switching orientation stores the shown set; a non-number is refused and the stored value
        // comes back.
        w.RadioVert->click();
        QCOMPARE(sys_->dati.settings.taratura.set[0].XPrimaCol, 50.0);
        QCOMPARE(w.XPrimaCol->text(), QStringLiteral("397"));
        w.YPrimaCol->setText(QStringLiteral("tre"));
        w.RadioOriz->click();
        QCOMPARE(sys_->dati.settings.taratura.set[1], before.set[1]);
        w.CheckScritta->click();
        QCOMPARE(sys_->dati.settings.taratura.StampaScritta, std::uint8_t{0});
        w.reject();
        QCOMPARE(sys_->dati.settings.taratura, before);
        QVERIFY(prompt_.texts.empty());
    }

    void okAsksAboutTheDefaultOrientation_data() {
        QTest::addColumn<int>("defaultOriz");
        QTest::addColumn<bool>("chooseVert");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("resultOriz");
        QTest::addColumn<int>("perCoupon");
        QTest::newRow("vertical, Si") << 1 << true << int(BtnSi) << 1 << 0 << 3;
        QTest::newRow("vertical, No") << 1 << true << int(BtnNo) << 1 << 1 << 2;
        QTest::newRow("horizontal, Si") << 0 << false << int(BtnSi) << 1 << 1 << 3;
        QTest::newRow("same as default") << 1 << false << int(BtnSi) << 0 << 1 << 2;
    }
    void okAsksAboutTheDefaultOrientation() {
        QFETCH(int, defaultOriz);
        QFETCH(bool, chooseVert);
        QFETCH(int, answer);
        QFETCH(int, questions);
        QFETCH(int, resultOriz);
        QFETCH(int, perCoupon);
        T_Taratura& t = sys_->dati.settings.taratura;
        t.OrizzontalePredefinito = static_cast<std::uint8_t>(defaultOriz);
        t.ColonnePerSchedina = 2;
        TFrmTaratura w(*sys_, prompt_);
        QCOMPARE(w.SetCorrente(), defaultOriz != 0 ? 0 : 1);
        (chooseVert ? w.RadioVert : w.RadioOriz)->click();
        w.SpinDistCol->setValue(190);
        prompt_.answers = {answer};
        w.accept();
        QCOMPARE(static_cast<int>(prompt_.texts.size()), questions);
        if (questions > 0) {
            QCOMPARE(prompt_.texts[0],
                     std::string("Il tipo di stampa selezionato è diverso da quello predefinito. "
                                 "Utilizzare questo tipo di stampa come predefinito ?"));
            QCOMPARE(prompt_.buttonSets[0], BtnSi | BtnNo);
        }
        QCOMPARE(int(t.OrizzontalePredefinito), resultOriz);
        QCOMPARE(t.ColonnePerSchedina, perCoupon);
        QCOMPARE(t.set[chooseVert ? 1 : 0].DistanzaColonne, 19.0);
        TProgramSettings read = DefaultSettings();
        QVERIFY(ReadConfigFile(Path("Tessaline.cfg").toStdString(), read));
        QCOMPARE(read.taratura, t);
    }

    void printWindowEnabling_data() {
        QTest::addColumn<bool>("tabulato");
        QTest::addColumn<bool>("da");
        QTest::addColumn<int>("perCoupon");
        QTest::addColumn<int>("coupons");
        QTest::newRow("schedine, tutte, 3") << false << false << 3 << 3;
        QTest::newRow("schedine, da, 2") << false << true << 2 << 4;
        QTest::newRow("tabulato, tutte, 1") << true << false << 1 << 7;
        QTest::newRow("tabulato, da, 3") << true << true << 3 << 3;
    }
    void printWindowEnabling() {
        QFETCH(bool, tabulato);
        QFETCH(bool, da);
        QFETCH(int, perCoupon);
        QFETCH(int, coupons);
        TFormStampaSchedine w(*sys_, prompt_);
        for (int i = 0; i < 7; ++i) {
            w.Colonne.Append(Tutti(kSign1));
        }
        w.ImpostaTutto();
        QVERIFY(w.RadioSchedine->isChecked() && w.RadioTutte->isChecked());
        QVERIFY(w.StampaCed->isHidden());
        QCOMPARE(w.SpinCPS->value(), 3);
        (tabulato ? w.RadioTabulato : w.RadioSchedine)->click();
        (da ? w.RadioDa : w.RadioTutte)->click();
        w.SpinCPS->setValue(perCoupon == 3 ? 1 : 3);
        w.SpinMin->setValue(2);
        w.SpinCPS->setValue(perCoupon);
        QCOMPARE(w.BtnImp->isEnabled(), tabulato);
        QCOMPARE(w.RadioOriz->isEnabled(), !tabulato);
        QCOMPARE(w.RadioVert->isEnabled(), !tabulato);
        QCOMPARE(w.CheckPausa->isEnabled(), !tabulato);
        QCOMPARE(w.SpinMin->isEnabled(), da);
        QCOMPARE(w.SpinMax->isEnabled(), da);
        // A change of columns per coupon counts the coupons again and resets both spin edits.
        QCOMPARE(w.SpinMin->value(), 1);
        QCOMPARE(w.SpinMax->maximum(), coupons);
        QCOMPARE(w.SpinMax->value(), coupons);
    }

    void printWindowModes() {
        TFormStampaSchedine w(*sys_, prompt_);
        w.Colonne.Append(Tutti(kSign0));
        w.ModoCedolina = true;
        w.CostoFisso = true;
        sys_->dati.settings.taratura.ColonnePerSchedina = 2;
        sys_->dati.settings.taratura.OrizzontalePredefinito = 0;
        w.ImpostaTutto();
        QVERIFY(!w.StampaCed->isHidden());
        QVERIFY(!w.SpinCPS->isEnabled());
        QCOMPARE(w.SpinCPS->value(), 2);
        QVERIFY(w.RadioVert->isChecked());
        w.ModoTest = true;
        w.ImpostaTutto();
        QCOMPARE(w.SpinCPS->value(), 3);
    }

    void rangeMessageAndPrinting() {
        TFormStampaSchedine w(*sys_, prompt_);
        for (int i = 0; i < 7; ++i) {
            w.Colonne.Append(Tutti(kSign2));
        }
        const QString pdf = Path("stampa.pdf");
        auto printer = PdfPrinter(pdf);
        w.Stampante = printer.get();
        w.ImpostaTutto();
        w.RadioVert->click();
        w.RadioDa->click();
        w.SpinMin->setValue(3);
        w.SpinMax->setValue(2);
        w.OKBtnClick(false);
        QCOMPARE(prompt_.texts.back(), std::string("Il Numero della schedina iniziale o finale è errato."));
        QVERIFY(!QFile::exists(pdf));
        // The defaults follow the window even when the range is refused.
        QCOMPARE(int(sys_->dati.settings.taratura.OrizzontalePredefinito), 0);

        prompt_.Clear();
        w.RadioTutte->click();
        w.OKBtnClick(false);
        QVERIFY(prompt_.texts.empty());
        QVERIFY(w.TutteStampate);
        QCOMPARE(w.Prima, 1);
        QCOMPARE(w.Ultima, 3);
        const QString text = PdfText(pdf);
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(text.contains(QString::fromUtf8("Schedina Nº %1").arg(n)));
        }
        QVERIFY(!QFile::exists(Path("Tessaline.cfg"))); // a direct call writes nothing

        // The listing, from the coupon range.
        w.RadioTabulato->click();
        w.RadioDa->click();
        w.SpinMax->setValue(2);
        w.OKBtnClick(false);
        QVERIFY(!w.TutteStampate);
        const QString listing = PdfText(pdf);
        QVERIFY(listing.contains(QString::fromUtf8("Schedina Nº 2")));
        QVERIFY(!listing.contains(QString::fromUtf8("Schedina Nº 3")));

        // A printer that cannot write: the plain message, the window usable.
        auto broken = PdfPrinter(Path("manca/stampa.pdf"));
        w.Stampante = broken.get();
        w.RadioSchedine->click();
        QVERIFY(!w.Stampa());
        QCOMPARE(prompt_.texts.back(), std::string("Impossibile Stampare le schedine."));
        w.Stampante = printer.get();
        QVERIFY(w.Stampa());
    }

    void listingSettings() {
        const struct {
            std::int32_t style;
            const char* text;
        } styles[] = {{0, "Normale"},
                      {kFontBold, "Grassetto"},
                      {kFontItalic, "Corsivo"},
                      {kFontBold | kFontItalic, "Grassetto corsivo"},
                      {kFontBold | kFontUnderline, "Grassetto corsivo"}}; // underline: label unchanged
        TImpTabulato previewed;
        int previews = 0;
        TFormImpostaTabulatoTabulato w(sys_->dati.settings, prompt_, [&](const TImpTabulato& t) {
            previewed = t;
            ++previews;
        });
        QCOMPARE(w.LabelNome->text(), QStringLiteral("Courier New"));
        QCOMPARE(w.LabelDimensione->text(), QStringLiteral("8"));
        for (const auto& s : styles) {
            w.sceltaFont = [&](const TFontDesc&) { return TFontDesc{"Liberation Serif", 11, s.style}; };
            w.BtnCambia->click();
            QCOMPARE(w.LabelStile->text(), QString::fromUtf8(s.text));
        }
        QCOMPARE(w.LabelNome->text(), QStringLiteral("Liberation Serif"));
        w.SpinOriz->setValue(7);
        w.BtnAnteprima->click();
        QCOMPARE(previews, 1);
        QCOMPARE(previewed.SpaziaturaOriz, 7);
        QCOMPARE(sys_->dati.settings.tabulato, TImpTabulato{}); // the preview stores nothing
        w.accept();
        QCOMPARE(sys_->dati.settings.tabulato.FontName, std::string("Liberation Serif"));
        QCOMPARE(sys_->dati.settings.tabulato.SpaziaturaOriz, 7);
        TProgramSettings read = DefaultSettings();
        QVERIFY(ReadConfigFile(Path("Tessaline.cfg").toStdString(), read));
        QCOMPARE(read.tabulato, sys_->dati.settings.tabulato);
    }

    void orientationQuestion() {
        for (const bool oriz : {true, false}) {
            sys_->dati.settings.taratura.OrizzontalePredefinito = oriz ? 1 : 0;
            TFormGeneraSchStampa w(sys_->dati.settings);
            QCOMPARE(w.RadioOriz->isChecked(), oriz);
            (oriz ? w.RadioVert : w.RadioOriz)->click();
            w.reject();
            QCOMPARE(sys_->dati.settings.taratura.OrizzontalePredefinito, std::uint8_t(oriz ? 1 : 0));
            TFormGeneraSchStampa again(sys_->dati.settings);
            (oriz ? again.RadioVert : again.RadioOriz)->click();
            again.accept();
            QCOMPARE(again.result(), int(QDialog::Accepted));
            QCOMPARE(sys_->dati.settings.taratura.OrizzontalePredefinito, std::uint8_t(oriz ? 0 : 1));
        }
    }

    void menuCommands() {
        TFormPrinc main(*sys_);
        main.SetPrompt(&prompt_);
        test::TScriptedChooser chooser;
        TComandi comandi(main, &chooser);
        QVERIFY(main.Azione(QStringLiteral("TaraturaStampante1Click"))->isEnabled());
        QVERIFY(main.Azione(QStringLiteral("DaFile2Click"))->isEnabled());
        QVERIFY(main.Azione(QStringLiteral("ImpostaStampante1Click"))->isEnabled());
        QVERIFY(!main.Azione(QStringLiteral("StDamemoria1Click"))->isEnabled()); // no columns yet
        QVERIFY(main.stampaColonne);

        std::vector<std::size_t> shown;
        comandi.Stampa().primaDiMostrare = [&](TFormStampaSchedine& w) { shown.push_back(w.Colonne.Size()); };
        const QString empty = Path("COLONNE/vuoto.Col");
        QVERIFY(TListaColonne().SaveToFile(empty.toStdString()));
        TListaColonne five;
        for (int i = 0; i < 5; ++i) {
            five.Append(Tutti(kSign0));
        }
        const QString file = Path("COLONNE/cinque.Col");
        QVERIFY(five.SaveToFile(file.toStdString()));
        chooser.answers = {empty, file, Path("COLONNE/manca.Col")};
        comandi.Stampa().DaFile2Click();
        QVERIFY(shown.empty());
        QCOMPARE(prompt_.texts.back(), std::string("Il File Colonnare non contiene colonne."));
        comandi.Stampa().DaFile2Click();
        QCOMPARE(shown, std::vector<std::size_t>{5});
        comandi.Stampa().DaFile2Click();
        QCOMPARE(prompt_.texts.back(), std::string("Impossibile Caricare Il File Colonnare"));
        const TFileDialogRequest& r = chooser.asked[0];
        QCOMPARE(r.title, QStringLiteral("Seleziona il File Colonnare"));
        QCOMPARE(r.filter, QStringLiteral("File Colonnare (*.Col)|*.Col"));
        QCOMPARE(r.defaultExtension, QStringLiteral("Col"));
        QVERIFY(r.folder.endsWith(QStringLiteral("COLONNE")));

        sys_->Colonne = five;
        sys_->Colonne.Truncate(2);
        main.AggiornaAbilitazioni();
        QVERIFY(main.Azione(QStringLiteral("StDamemoria1Click"))->isEnabled());
        main.Azione(QStringLiteral("SpeedStampaClick"))->trigger();
        main.stampaColonne(five);
        QCOMPARE(shown, (std::vector<std::size_t>{5, 2, 5}));
    }

    void helpPages() {
        for (int context : {TFrmTaratura::kHelpContext, TFormStampaSchedine::kHelpContext,
                            TFormImpostaTabulatoTabulato::kHelpContext}) {
            QFile f(HelpPagePath(context));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(QString::number(context)));
            QVERIFY(f.readAll().contains("<h1>"));
        }
    }

private:
    QString Path(const char* rel) const { return home_.path() + QLatin1Char('/') + QLatin1String(rel); }
    QTemporaryDir home_;
    std::unique_ptr<T_Sistema> sys_;
    test::TScriptedPrompt prompt_;
};

QTEST_MAIN(TestPrintWindows)
#include "print_windows_test.moc"
