// "Stampa Archivio": the ends and their bounds, the printout read back from a PDF (pages of forty
// contests, the contests between the ends and no others, the headings, landscape pages), the empty
// range, a printer that fails, and the way from the view's "Stampa".

#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <random>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "archive/archive_csv.h"
#include "archive/demo_archive.h"
#include "archive/ui/archive_commands.h"
#include "archive/ui/archive_windows.h"
#include "core/ui/help.h"
#include "print/ui/archive_print_window.h"
#include "print/ui/printer.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;

namespace {

// Seasons 2021 (numbers 30..38), 2022 (1..99) and 2023 (1..12), every column different.
T_Archivio Tre() {
    T_Archivio a;
    std::mt19937 rng(11);
    auto add = [&](std::int32_t anno, int da, int a2) {
        for (int n = da; n <= a2; ++n) {
            T_Concorso c;
            c.Anno = anno;
            c.Numero = static_cast<std::uint8_t>(n);
            for (std::size_t t = 0; t < 12; ++t) {
                c.ColonnaVincente.s[t] = static_cast<SignSet>(1U << (rng() % 4));
            }
            c.AggiornaCompleto();
            a.Concorsi().push_back(c);
        }
    };
    add(2021, 30, 38);
    add(2022, 1, 99);
    add(2023, 1, 12);
    return a;
}

QString Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int Pages(const QString& pdf) {
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Width and height of the first page in points.
QSizeF PageSize(const QString& pdf) {
    const QString info = Run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString Column(const T_Concorso& c) {
    return QString::fromStdString(TestoColonnaVincente(c.ColonnaVincente));
}

TGruppiScelti Predefiniti() {
    TGruppiScelti s{};
    for (std::size_t g = 0; g < s.size(); ++g) {
        s[g] = TMisureArchivio::Gruppi()[g].Predefinito;
    }
    return s;
}

} // namespace

class TestArchivePrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }
    void init() { prompt_.Clear(); }

    // The seasons lie between the first and the last archived ones; the ends start on the first and
    // the last contest; moving one end past the other pulls the other along.
    void endsAndTheirBounds() {
        const T_Archivio a = Tre();
        TFormStampaArchivio w(a, prompt_, Predefiniti());
        QCOMPARE(w.windowTitle(), QStringLiteral("Stampa Archivio"));
        QCOMPARE(w.Annosup1->minimum(), 2022);
        QCOMPARE(w.Annosup1->maximum(), 2024);
        QCOMPARE(w.AnnoSup2->minimum(), 2022);
        QCOMPARE(w.AnnoSup2->maximum(), 2024);
        QCOMPARE(w.Da(), (TEstremoConcorso{2021, 30}));
        QCOMPARE(w.A(), (TEstremoConcorso{2023, 12}));
        QCOMPARE(w.AnnoInf1->text(), QStringLiteral("2021/"));
        QCOMPARE(w.AnnoInf2->text(), QStringLiteral("2023/"));
        const struct {
            QSpinBox* spin;
            int value;
            TEstremoConcorso da, a;
        } steps[] = {
            {w.Annosup1, 2024, {2023, 30}, {2023, 30}}, // past the last end: it follows
            {w.Concorso1, 5, {2023, 5}, {2023, 30}},
            {w.AnnoSup2, 2022, {2021, 30}, {2021, 30}}, // before the first end: it follows
            {w.Concorso2, 38, {2021, 30}, {2021, 38}},
            {w.Annosup1, 2030, {2023, 30}, {2023, 30}}, // held at the last season
        };
        for (const auto& s : steps) {
            s.spin->setValue(s.value);
            QCOMPARE(w.Da(), s.da);
            QCOMPARE(w.A(), s.a);
        }
        QCOMPARE(w.AnnoInf1->text(), QStringLiteral("2023/"));
        QCOMPARE(w.LabelConcorsi->text(), QStringLiteral("Nessun concorso fra i due estremi"));
        w.AnnoSup2->setValue(2023); // 2022/30, and the first end with it
        w.Concorso1->setValue(30);
        QCOMPARE(w.LabelConcorsi->text(), QStringLiteral("1 concorso, 1 pagina di 40 concorsi"));
        w.Concorso1->setValue(1);
        QCOMPARE(w.LabelConcorsi->text(), QStringLiteral("30 concorsi, 1 pagina di 40 concorsi"));
        w.AnnoSup2->setValue(2024);
        w.Concorso2->setValue(12);
        QCOMPARE(w.LabelConcorsi->text(), QStringLiteral("111 concorsi, 3 pagine di 40 concorsi"));
        // Its help page.
        QFile help(HelpPagePath(TFormStampaArchivio::kHelpContext));
        QVERIFY(help.open(QIODevice::ReadOnly));
        QVERIFY(help.readAll().contains("<h1>Stampa Archivio</h1>"));
    }

    // Printed to a PDF and read back: the contests between the ends, forty a page, landscape, with
    // the title and the headings of the groups chosen; the printer back in its orientation.
    void printsTheRangeFortyAPage_data() {
        QTest::addColumn<int>("da");
        QTest::addColumn<int>("daNum");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("aNum");
        QTest::addColumn<int>("contests");
        QTest::newRow("one season, 5 to 85: 40, 40 and 1") << 2022 << 5 << 2022 << 85 << 81;
        QTest::newRow("one contest") << 2023 << 12 << 2023 << 12 << 1;
        QTest::newRow("exactly forty") << 2021 << 30 << 2022 << 31 << 40;
        QTest::newRow("forty-one") << 2021 << 30 << 2022 << 32 << 41;
        QTest::newRow("the whole archive") << 2021 << 1 << 2023 << 99 << 120;
        QTest::newRow("a season's tail") << 2022 << 90 << 2022 << 99 << 10;
    }
    void printsTheRangeFortyAPage() {
        QFETCH(int, da);
        QFETCH(int, daNum);
        QFETCH(int, a);
        QFETCH(int, aNum);
        QFETCH(int, contests);
        const T_Archivio arch = Tre();
        TFormStampaArchivio w(arch, prompt_, Predefiniti());
        w.show();
        w.AnnoSup2->setValue(a + 1);
        w.Concorso2->setValue(aNum);
        w.Annosup1->setValue(da + 1);
        w.Concorso1->setValue(daNum);
        const QString pdf = home_.path() + QStringLiteral("/archivio.pdf");
        QFile::remove(pdf);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        w.Stampante = &printer;
        w.BtnOk->click();
        QVERIFY2(prompt_.texts.empty(), prompt_.texts.empty() ? "" : prompt_.texts[0].c_str());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QCOMPARE(int(w.Esito.concorsi), contests);
        QCOMPARE(w.Esito.fasce.size(), std::size_t{1}); // the view's groups fit one band
        QCOMPARE(Pages(pdf), (contests + 39) / 40);
        const QSizeF page = PageSize(pdf); // A4 turned
        QVERIFY2(qAbs(page.width() - 841.9) < 1 && qAbs(page.height() - 595.3) < 1,
                 qPrintable(QString::number(page.width())));

        const QString text =
            Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        for (const char* h : {"Stampa Archivio Colonnne", "Anno", "Num.", "Tipo", "Colonna",
                              "Numero Di Segni", "Interruzioni", "Pari e Dispari", "Simmetrie", "Ripetizioni",
                              "Gol Sq.", "Sequele Di Lunghezza 2", "Dispari", "1 Prec."}) {
            QVERIFY2(text.contains(QString::fromUtf8(h)), h);
        }
        QVERIFY(!text.contains(QStringLiteral("Sequele Di Lunghezza 3")));
        QVERIFY(text.contains(QStringLiteral("Pagina Nº %1").arg((contests + 39) / 40)));
        // Exactly the contests between the ends, each once, in order; pages break every forty.
        const QStringList pages = text.split(QLatin1Char('\f'));
        const auto& list = arch.Concorsi();
        int printed = 0;
        int last = -1;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const T_Concorso& c = list[i];
            const bool inside = !(c.Anno < da || (c.Anno == da && c.Numero < daNum)) &&
                                !(c.Anno > a || (c.Anno == a && c.Numero > aNum));
            QCOMPARE(text.count(Column(c)), inside ? 1 : 0);
            if (inside) {
                int page = 0;
                while (page < pages.size() && !pages[page].contains(Column(c))) {
                    ++page;
                }
                QCOMPARE(page, printed / 40);
                const int at = text.indexOf(Column(c));
                QVERIFY(at > last);
                last = at;
                ++printed;
            }
        }
        QCOMPARE(printed, contests);
    }

    // Every group: more than one band, still within landscape pages; the headings of the last groups.
    void everyGroupPrintsInBands() {
        T_Archivio arch = ArchivioDimostrativo();
        TGruppiScelti tutti{};
        tutti.fill(true);
        TFormStampaArchivio w(arch, prompt_, tutti);
        const QString pdf = home_.path() + QStringLiteral("/tutti.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        w.Stampante = &printer;
        w.accept();
        QVERIFY(prompt_.texts.empty());
        QVERIFY(w.Esito.fasce.size() >= 2);
        const int blocks = int((arch.Count() + 39) / 40);
        QVERIFY(Pages(pdf) >= blocks);
        const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const char* h : {"Sequele Di Lunghezza 3", "Sequele Di Lunghezza 4", "S4", "Q4"}) {
            QVERIFY2(text.contains(QString::fromUtf8(h)), h);
        }
        QCOMPARE(text.count(Column(arch.Concorsi().back())), 1);
    }

    void nothingToPrintOrAPrinterThatFails() {
        const T_Archivio arch = Tre();
        TFormStampaArchivio w(arch, prompt_, Predefiniti());
        w.show();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(home_.path() + QStringLiteral("/vuoto.pdf"));
        w.Stampante = &printer;
        w.Annosup1->setValue(2024);
        w.Concorso1->setValue(13); // after the last contest
        w.BtnOk->click();
        QCOMPARE(prompt_.texts.size(), std::size_t{1});
        QCOMPARE(prompt_.texts[0], std::string("Non Ci Sono Concorsi Da Stampare."));
        QVERIFY(w.isVisible());
        QVERIFY(!QFile::exists(home_.path() + QStringLiteral("/vuoto.pdf")));

        prompt_.Clear();
        w.Concorso1->setValue(1);
        printer.setOutputFileName(home_.path() + QStringLiteral("/manca/cartella/x.pdf"));
        w.BtnOk->click();
        QCOMPARE(prompt_.texts.size(), std::size_t{1});
        QCOMPARE(prompt_.texts[0], std::string("Impossibile Stampare La Tabella"));
        QVERIFY(w.isVisible());
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    }

    // The view's "Stampa" opens the window with the groups the view shows.
    void theViewOpensIt() {
        T_Sistema sys;
        TFormPrinc main(sys);
        main.SetPrompt(&prompt_);
        TComandi comandi(main);
        main.Archivio() = Tre();
        bool seen = false;
        QTimer::singleShot(0, this, [&] {
            auto* view = qobject_cast<TFormvisArchivio*>(QApplication::activeModalWidget());
            QVERIFY(view != nullptr);
            QVERIFY(view->BtnStampa->isVisible());
            view->Caselle[kGruppoTerzine]->setChecked(true);
            view->Caselle[kGruppoNumeroSegni]->setChecked(false);
            QTimer::singleShot(0, this, [&, view] {
                auto* w = qobject_cast<TFormStampaArchivio*>(QApplication::activeModalWidget());
                QVERIFY(w != nullptr);
                QCOMPARE(w->Da(), (TEstremoConcorso{2021, 30}));
                QCOMPARE(w->A(), (TEstremoConcorso{2023, 12}));
                const QString pdf = home_.path() + QStringLiteral("/vista.pdf");
                QPrinter printer(QPrinter::HighResolution);
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                w->Stampante = &printer;
                w->accept();
                const QString text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
                QVERIFY(text.contains(QStringLiteral("Sequele Di Lunghezza 3")));
                QVERIFY(!text.contains(QStringLiteral("Numero Di Segni")));
                seen = true;
                view->reject();
            });
            view->BtnStampa->click();
        });
        comandi.Archivio().Visualizzazione1Click();
        QVERIFY(seen);
    }

private:
    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
};

QTEST_MAIN(TestArchivePrint)
#include "archive_print_test.moc"
