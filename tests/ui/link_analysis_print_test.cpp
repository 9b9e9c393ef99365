// The printout of "Analisi Delle Colonne Filtrate": the button waits for a preview, prints the tables
// of the last run in values or percent (read back from a PDF), the preview draws through the printer
// and tells a failure, and the window reached from "&Link" offers it.

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "conditions/condition_set.h"
#include "conditions/link_analysis_print.h"
#include "conditions/sign_count.h"
#include "conditions/ui/condition_commands.h"
#include "conditions/ui/link_dialog.h"
#include "core/errors.h"
#include "print/ui/preview.h"
#include "print/ui/printer.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;

namespace {

// Three or more zeros and three or more ones recover at level 1 through A; no recovery in total.
// Returns the rejections by level 1 and by a total of 1 error.
std::pair<int, int> LastRun(T_Sistema& sys) {
    auto& segni = *sys.Insieme().SlotAs<TCondNumeroSegni>(kCodNumeroSegni);
    for (int v = 0; v <= 12; ++v) {
        segni.Tabella(0).Imposta(false, v, v <= 2 ? kAmmesso : kRecupero, 1);
        segni.Tabella(1).Imposta(false, v, v <= 2 ? kAmmesso : kRecupero, 1);
    }
    sys.Insieme().Link().ErroriTotali.Imposta(false, 0, kAmmesso);
    sys.Insieme().Prepara();
    Colonna c;
    std::pair<int, int> expected{0, 0};
    for (int zeros = 0; zeros <= 12; ++zeros) {
        for (int t = 0; t < kTeams; ++t) {
            c[t] = t < zeros ? kSign0 : kSign1;
        }
        sys.Insieme().Accetta(c);
        const bool both = zeros >= 3 && 12 - zeros >= 3;
        expected.first += both ? 1 : 0;
        expected.second += both ? 0 : 1;
    }
    return expected;
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The rows of a table in the text: the value and the numbers after it on its line.
bool HasRow(const QString& text, const QString& row) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.simplified() == row) {
            return true;
        }
    }
    return false;
}

} // namespace

class TestLinkAnalysisPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }
    void init() { prompt_.Clear(); }

    void printButtonPrintsTheTablesShown_data() {
        QTest::addColumn<bool>("percent");
        QTest::newRow("values") << false;
        QTest::newRow("percent") << true;
    }
    void printButtonPrintsTheTablesShown() {
        QFETCH(bool, percent);
        T_Sistema sys;
        const auto [byLevel, byTotal] = LastRun(sys);
        TFormAnalisiRec a(sys.Insieme());
        QVERIFY(!a.BtnStampa->isEnabled()); // nothing to print on yet
        const QString pdf = home_.path() + QStringLiteral("/analisi.pdf");
        QFile::remove(pdf);
        QString title;
        a.ImpostaAnteprima([&](QWidget* parent, const QString& t, const std::function<void(TCanvas&)>& draw) {
            QCOMPARE(parent, static_cast<QWidget*>(&a));
            title = t;
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            StampaSu(&printer, 0, [&](TCanvas& canvas) {
                draw(canvas);
                return TEsitoStampa{};
            });
        });
        QVERIFY(a.BtnStampa->isEnabled());
        a.RadioPerc->setChecked(percent);
        a.BtnStampa->click();
        QCOMPARE(title, QStringLiteral("Stampa Delle Colonne Filtrate Dal Recupero Condizioni"));
        const QString text = PdfText(pdf);
        const QString u = percent ? QStringLiteral(" (%)") : QString();
        for (const QString& s :
             {QStringLiteral("Stampa Delle Colonne Filtrate Dal Recupero Condizioni"),
              QStringLiteral("Link A"), QStringLiteral("Dai Livelli della Link") + u,
              QStringLiteral("Dagli Errori Totali della Link") + u,
              QStringLiteral("Dagli Errori Totali su Tutte le Link") + u, QStringLiteral("Pagina Nº 1")}) {
            QVERIFY2(text.contains(s), qPrintable(s + QStringLiteral(" in ") + text));
        }
        // The same figures as the window's tables: level 1 of A, and a total of 1 error.
        const QString level = percent ? QStringLiteral("100,00") : QString::number(byLevel);
        QCOMPARE(a.TabLivelli->item(0, 1)->text(), level);
        QString row = QStringLiteral("1 ") + level;
        if (a.TabErrori->rowCount() > 1) {
            row += QLatin1Char(' ') + a.TabErrori->item(1, 1)->text();
        }
        QVERIFY2(HasRow(text, row), qPrintable(row + QStringLiteral(" in ") + text));
        if (!percent) {
            QCOMPARE(a.TabTotale->item(1, 1)->text(), QString::number(byTotal));
        }
        QVERIFY2(HasRow(text, QStringLiteral("1 ") + a.TabTotale->item(1, 1)->text()), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Link B")));
    }

    // The preview draws the printout on the printer it is given; a failure is told with its message.
    void previewDrawsAndTellsAFailure() {
        const QString pdf = home_.path() + QStringLiteral("/anteprima.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        const struct {
            bool fail;
            const char* message;
        } cases[] = {{false, nullptr}, {true, "Impossibile Stampare Le Tabella"}};
        for (const auto& c : cases) {
            prompt_.Clear();
            int drawn = 0;
            std::unique_ptr<QPrintPreviewDialog> dlg(CreaAnteprima(
                nullptr, QStringLiteral("Titolo"), prompt_,
                [&](TCanvas& canvas) {
                    ++drawn;
                    if (c.fail) {
                        throw EInOutError("Impossibile Stampare Le Tabella");
                    }
                    TLink link;
                    StampaAnalisiLink(canvas, link, false);
                },
                &printer));
            QCOMPARE(dlg->windowTitle(), QStringLiteral("Titolo"));
            QCOMPARE(printer.docName(), QStringLiteral("Titolo"));
            Q_EMIT dlg->paintRequested(&printer);
            QCOMPARE(drawn, 1);
            if (c.message == nullptr) {
                QVERIFY(prompt_.texts.empty());
                QVERIFY(PdfText(pdf).contains(QStringLiteral("Tutte le Link")));
            } else {
                QCOMPARE(prompt_.texts.size(), std::size_t{1});
                QCOMPARE(prompt_.titles[0], std::string("Informazione"));
                QCOMPARE(prompt_.texts[0], std::string(c.message));
            }
        }
    }

    // "&Link" -> "Analisi": the window offers its printout, and the preview opens on "Stampa".
    void theLinkDialogOffersIt() {
        T_Sistema sys;
        TFormPrinc main(sys);
        main.SetPrompt(&prompt_);
        TComandi comandi(main);
        LastRun(sys);
        bool previewSeen = false;
        QTimer::singleShot(0, this, [&] {
            auto* rec = qobject_cast<TFormRec*>(QApplication::activeModalWidget());
            QVERIFY(rec != nullptr);
            QTimer::singleShot(0, this, [&, rec] {
                auto* an = qobject_cast<TFormAnalisiRec*>(QApplication::activeModalWidget());
                QVERIFY(an != nullptr);
                QVERIFY(an->BtnStampa->isEnabled());
                QTimer::singleShot(0, this, [&, an] {
                    auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
                    QVERIFY(preview != nullptr);
                    QCOMPARE(preview->windowTitle(),
                             QStringLiteral("Stampa Delle Colonne Filtrate Dal Recupero Condizioni"));
                    previewSeen = true;
                    preview->reject();
                    an->accept();
                });
                an->BtnStampa->click();
            });
            rec->BtnAnalisi->click();
            rec->reject();
        });
        comandi.Condizioni().Link1Click();
        QVERIFY(previewSeen);
        QVERIFY(prompt_.texts.empty() ||
                prompt_.texts.back() != std::string("Impossibile Stampare Le Tabella"));
    }

private:
    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
};

QTEST_MAIN(TestLinkAnalysisPrint)
#include "link_analysis_print_test.moc"
