// "Cerca Fisse": the grid as the list says, the mode and sort buttons, the range dialogs, the reset of
// the points graph, the insertion into a frame and the printout into a PDF read back.

#include <QCheckBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "conditions/condition_set.h"
#include "conditions/filter_columns.h"
#include "conditions/frame.h"
#include "core/ui/points_graph.h"
#include "print/canvas.h"
#include "print/ui/printer.h"
#include "reduce/ui/fixed_signs_window.h"
#include "ui_support.h"

using namespace tessaline;

namespace {

T_Concorso Contest(int numero, const char* column) {
    T_Concorso c;
    c.Anno = 2024;
    c.Numero = static_cast<std::uint8_t>(numero);
    for (int t = 0; t < kTeams; ++t) {
        c.ColonnaVincente[t] = ParseSigns(std::string(1, column[t]));
    }
    c.AggiornaCompleto();
    return c;
}

T_Archivio Archive() {
    T_Archivio a;
    a.Concorsi() = {Contest(1, "120000000000"), Contest(2, "2M0000000000"), Contest(3, "0M0000000000")};
    return a;
}

T_IntervalloConcorsi Range(const T_Archivio& a) {
    T_IntervalloConcorsi r;
    a.IntervalloCompleto(r);
    return r;
}

QString Cell(const TFrmCercaFisse& w, int row, int col) {
    return w.Grid->item(row, col)->text();
}

} // namespace

class TestFixedSignsWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void GridModesAndSorts() {
        const T_Archivio a = Archive();
        test::TScriptedPrompt prompt;
        TFrmCercaFisse w(a, Range(a), prompt, {});
        QVERIFY(w.SpeedButton1->isChecked());
        QVERIFY(w.Buttonins->isHidden());
        QCOMPARE(w.Grid->rowCount(), 14);
        QCOMPARE(w.ScrollBar->maximum(), 96 - 14);
        // Most frequent first, the later-generated among equals: "0,0" of match 6 three times.
        const QStringList first = {QStringLiteral(" 1"), QStringLiteral("   0,0"), QStringLiteral("6"),
                                   QStringLiteral("3"),  QStringLiteral("0"),      QStringLiteral("0,00")};
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(Cell(w, 0, c), first[c]);
        }
        QCOMPARE(Cell(w, 6, 1), QStringLiteral("   1,2"));
        QCOMPARE(Cell(w, 6, 5), QStringLiteral("0,67"));
        // Scrolled to the end: the last row is the 96th, a result that never came out.
        w.ScrollBar->setValue(w.ScrollBar->maximum());
        QCOMPARE(Cell(w, 13, 0), QStringLiteral(" 96"));
        QCOMPARE(Cell(w, 13, 4), QStringLiteral("3"));
        QCOMPARE(Cell(w, 13, 5), QStringLiteral("0,0"));
        // Pairs sorted by delay: 3,840 entries, a never-seen result of match 5 and 6 first.
        w.SpeedButton2->click();
        w.SpeedRitar->click();
        QCOMPARE(w.Lista().Voci.size(), std::size_t{3840});
        QCOMPARE(w.ScrollBar->value(), 0);
        QCOMPARE(w.ScrollBar->maximum(), 3840 - 14);
        QCOMPARE(Cell(w, 0, 1), QStringLiteral(" M,M M,M"));
        QCOMPARE(Cell(w, 0, 2), QStringLiteral("5,6"));
        QCOMPARE(Cell(w, 0, 4), QStringLiteral("3"));
    }

    void RangeDialogs() {
        TFormCercaFisseStampa d(96);
        QCOMPARE(d.windowTitle(), QStringLiteral("Stampa Combinazioni"));
        QCOMPARE(d.SpinMin->value(), 0);
        QCOMPARE(d.SpinMax->maximum(), 96);
        d.SpinMax->setValue(10);
        d.SpinMin->setValue(20); // above the last: lowered back
        QCOMPARE(d.SpinMin->value(), 10);
        d.SpinMin->setValue(5);
        d.SpinMax->setValue(2); // below the first: raised back
        QCOMPARE(d.SpinMax->value(), 5);

        TFormInsComb ins(3840);
        QCOMPARE(ins.windowTitle(), QStringLiteral("Inserimento nel quadro corrente"));
        QVERIFY(ins.CheckCAC->isChecked());
        QCOMPARE(ins.GrPunti->PtTotali, 3);
        ins.GrPunti->Cicla(false, 2);
        QCOMPARE(ins.Punti().Pt.Voci[2].Stato, 1);
        ins.CheckCAC->click();
        QCOMPARE(ins.GrPunti->PtTotali, 5);
        QCOMPARE(ins.Punti().Pt.Voci[2].Stato, 0); // the graph starts again
        ins.CheckCAC->click();
        QCOMPARE(ins.GrPunti->PtTotali, 3);
    }

    void InsertionIntoTheFrame() {
        const T_Archivio a = Archive();
        test::TScriptedPrompt prompt;
        TInsiemeCondizioni set;
        TCondQuadro quadro(&set);
        TFrmCercaFisse w(a, Range(a), prompt, {}, nullptr, &quadro, &set);
        QVERIFY(!w.Buttonins->isHidden());
        int refreshed = 0;
        w.dopoInserimento = [&] { ++refreshed; };
        TTabellaPunti punti(4, true);
        punti.Imposta(false, 4, 1);
        QCOMPARE(w.Inserisci(2, 4, punti, false), std::size_t{3});
        QCOMPARE(refreshed, 1);
        QCOMPARE(quadro.Count(), std::size_t{3});
        for (std::size_t k = 0; k < 3; ++k) {
            auto& item = dynamic_cast<TCondColonnaFiltro&>(quadro.Item(k));
            QCOMPARE(item.Filtro, w.Lista().Voci[1 + k].Pattern);
            QVERIFY(!item.ConfrontoACoppie);
            QCOMPARE(item.Punti().Pt.Voci[4].Stato, std::uint8_t{1});
        }
        // Number 0 alone inserts nothing.
        QCOMPARE(w.Inserisci(0, 0, punti, true), std::size_t{0});
        QCOMPARE(quadro.Count(), std::size_t{3});
    }

    void PrintIntoPdfAndFailure() {
        const T_Archivio a = Archive();
        test::TScriptedPrompt prompt;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("fisse.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        TStampaSuCanvas stampa = [&](const std::function<void(TCanvas&)>& draw) {
            StampaSu(&printer, 0, [&](TCanvas& c) {
                draw(c);
                return TEsitoStampa{};
            });
        };
        TFrmCercaFisse w(a, Range(a), prompt, stampa);
        w.Stampa(1, 8);
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Stampa delle coppie di segni più probabili")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Frequenza")));
        QVERIFY(text.contains(QStringLiteral("1,2")));
        QVERIFY(text.contains(QStringLiteral("0,67")));
        QVERIFY(!text.contains(QStringLiteral("  9 ")));
        QVERIFY(prompt.texts.empty());
        // A printer that fails: the message, the window stays.
        TFrmCercaFisse bad(a, Range(a), prompt,
                           [](const std::function<void(TCanvas&)>&) { throw EPrinterError("no"); });
        bad.Stampa(1, 3);
        QCOMPARE(prompt.texts.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(prompt.texts[0]), QStringLiteral("Impossibile Stampare Le Tabelle"));
    }
};

QTEST_MAIN(TestFixedSignsWindow)
#include "fixed_signs_window_test.moc"
