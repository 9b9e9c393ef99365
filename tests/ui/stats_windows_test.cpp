// The statistics windows: the search settings' bounds, pulled ends and stored bytes; the category
// buttons and figures of "Analisi Statistica"; the bar series of the column analysis with and
// without columns in memory; the per-team history and sign count with their printouts.

#include <QBarSeries>
#include <QChart>
#include <QLegendMarker>
#include <QPrinter>
#include <QProcess>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "archive/contest_archive.h"
#include "archive/ui/analysis_windows.h"
#include "archive/ui/stats_windows.h"
#include "conditions/analysis_view.h"
#include "conditions/condition_set.h"
#include "conditions/sequence_shape.h"
#include "conditions/sign_count.h"
#include "conditions/ui/condition_dialogs.h"
#include "core/column_list.h"
#include "core/ui/coupon_editor.h"
#include "core/ui/help.h"
#include "print/ui/printer.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

Colonna Col(const char* text) {
    Colonna c;
    for (std::size_t i = 0; i < 12; ++i) {
        c.s[i] = ParseSigns(std::string(1, text[i]));
    }
    return c;
}

// Seasons 2010 to 2014, ten contests each; the winning column's first team rotates 0, 1, 2, M.
T_Archivio Archivio() {
    T_Archivio a;
    const char* cols[] = {"000000000000", "100000000000", "200000000000", "M00000000000"};
    for (int s = 0; s < 5; ++s) {
        for (int n = 1; n <= 10; ++n) {
            T_Concorso c;
            c.Anno = 2010 + s;
            c.Numero = static_cast<std::uint8_t>(n);
            c.ColonnaVincente = Col(cols[(s * 10 + n - 1) % 4]);
            c.AggiornaCompleto();
            a.Concorsi().push_back(c);
        }
    }
    return a;
}

T_ImpostazioniRicerca Tutto(const T_Archivio& a, int categorie = 1) {
    T_ImpostazioniRicerca r;
    a.IntervalloCompleto(r.Intervallo);
    r.Categoria1 = categorie == 1;
    r.Categoria12 = categorie == 2;
    r.Categoria123 = categorie == 3;
    return r;
}

TStampante PdfStampante(const QString& file) {
    return [file](const std::function<void(TCanvas&)>& draw) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        StampaSu(&printer, kDpiTabulato, [&](TCanvas& canvas) {
            draw(canvas);
            return TEsitoStampa{};
        });
    };
}

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestStatsWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        // Set to look at the printouts afterwards.
        home_.setAutoRemove(qEnvironmentVariableIsEmpty("TESSALINE_KEEP_TEST_FILES"));
        test::PrepareHome(home_);
    }

    void searchSettingsBoundsPullAndBytes() {
        const T_Archivio a = Archivio();
        TProgramSettings settings = DefaultSettings();
        settings.ricerca = Tutto(a);
        const fs::path cfg = fs::path(home_.path().toStdString()) / "prova.cfg";
        TFormImpRic form(settings.ricerca, a, [&] { QVERIFY(WriteConfigFile(cfg, settings)); });
        // The seasons are shown by their second year, bounded by the archive's first and last.
        QCOMPARE(form.Annosup1->minimum(), 2011);
        QCOMPARE(form.Annosup1->maximum(), 2015);
        QCOMPARE(form.AnnoSup2->maximum(), 2015);
        QCOMPARE(form.Annosup1->value(), 2011);
        QCOMPARE(form.AnnoSup2->value(), 2015);
        QCOMPARE(form.Concorso2->value(), 10);
        QCOMPARE(form.AnnoInf1->text(), QStringLiteral("2010 /"));
        QVERIFY(form.Radio1->isChecked());

        const struct {
            QSpinBox* spin;
            int value;
            int sup1, num1, sup2, num2;
        } pulls[] = {
            {form.Annosup1, 2013, 2013, 1, 2015, 10},  // inside: nothing moves
            {form.AnnoSup2, 2012, 2012, 10, 2012, 10}, // the last end pulls the first back
            {form.Concorso1, 12, 2012, 12, 2012, 12},  // the first end pushes the last
            {form.Annosup1, 2014, 2014, 12, 2014, 12}, // the year pushes the year and the number
            {form.Concorso2, 5, 2014, 5, 2014, 5},
        };
        for (const auto& p : pulls) {
            p.spin->setValue(p.value);
            QCOMPARE(form.Annosup1->value(), p.sup1);
            QCOMPARE(form.Concorso1->value(), p.num1);
            QCOMPARE(form.AnnoSup2->value(), p.sup2);
            QCOMPARE(form.Concorso2->value(), p.num2);
        }
        form.Annosup1->setValue(2011);
        form.Concorso1->setValue(3);
        form.Radio12->setChecked(true);
        form.CheckRip->setChecked(false);
        form.CheckVal->setChecked(false);
        form.CheckBasket->setChecked(true);
        form.accept();

        const T_ImpostazioniRicerca& r = settings.ricerca;
        QCOMPARE(int(r.Intervallo.AnnoDa), 2010);
        QCOMPARE(int(r.Intervallo.AnnoA), 2013);
        QCOMPARE(r.Categorie(), 2);
        QCOMPARE(int(r.IgnoraValori), 0);
        // The 13 stored bytes as the layout gives them: Tipi, AnnoDa, AnnoA (LE), NumeroDa, NumeroA,
        // then CF, Rip, Per, Categoria1, Categoria12, Categoria123.
        const std::vector<unsigned char> expected = {3, 0xDA, 0x07, 0xDD, 0x07, 3, 5, 1, 0, 1, 0, 1, 0};
        std::ifstream in(cfg, std::ios::binary);
        const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)),
                                               std::istreambuf_iterator<char>());
        QVERIFY(std::search(bytes.begin(), bytes.end(), expected.begin(), expected.end()) != bytes.end());
        TProgramSettings back = DefaultSettings();
        QVERIFY(ReadConfigFile(cfg, back));
        T_ImpostazioniRicerca atteso = r;
        atteso.IgnoraValori = 1; // not stored
        QVERIFY(back.ricerca == atteso);
    }

    void statisticsCategoryButtonsAndFigures() {
        const T_Archivio a = Archivio();
        const struct {
            int categorie;
            std::int64_t tenute; // -1: not developed
            const char* convenienza;
        } cases[] = {{1, 3, "1,01"}, {2, -1, ""}, {3, 9, "0,34"}};
        for (const auto& c : cases) {
            TInsiemeCondizioni set;
            // Sign 0 for the first team only: wins in a quarter of the contests, the rest one error away.
            set.SlotAs<TCondNumeroSegni>(1)->Tabella(0).Imposta(false, 12, kAmmesso);
            const T_ImpostazioniRicerca r = Tutto(a, c.categorie);
            TFormStatistica form(set, a, r, 12, c.tenute);
            for (QPushButton* b : form.BtnCategoria) {
                QVERIFY(!b->isEnabled());
            }
            QVERIFY(form.AnalisiArchivioClick());
            for (int k = 0; k < 3; ++k) {
                QCOMPARE(form.BtnCategoria[static_cast<std::size_t>(k)]->isEnabled(), k < c.categorie);
            }
            QCOMPARE(form.Stato->text(), QStringLiteral("Concorsi Esaminati : 50 Su 50"));
            QCOMPARE(form.Gauge->value(), 100);
            // Category 1: wins at 1, 5, ..., 49; cycle 49 / 13.
            QCOMPARE(form.Categoria(), 0);
            QCOMPARE(form.CicloMedio->text(), QStringLiteral("3,77"));
            QCOMPARE(form.Settimane->text(), QStringLiteral("1"));
            QCOMPARE(form.Convenienza->text(), QString::fromUtf8(c.tenute < 0 ? "" : c.convenienza));
            QCOMPARE(form.GraficoFiltrate->isVisibleTo(&form), c.tenute >= 0);
            if (c.categorie >= 2) {
                QTest::mouseClick(form.BtnCategoria[1], Qt::LeftButton);
                QCOMPARE(form.Categoria(), 1);
                // Every other contest is one error away: 37 wins out of 37 events.
                QCOMPARE(form.Risultato().Categorie[1].Tabella.Eventi(), 37);
                QCOMPARE(form.Risultato().Categorie[1].Tabella.Frequenza(1), 37);
                QCOMPARE(form.Convenienza->text(), QString());
                QVERIFY(!form.GraficoFiltrate->isVisibleTo(&form));
            }
        }
        QCOMPARE(TFormStatistica::TestoConvenienza(40, 100), QStringLiteral("Infinito"));
        QCOMPARE(TFormStatistica::TestoConvenienza(40, 60), QStringLiteral("1,00"));
    }

    void analysisSeriesWithAndWithoutMemory() {
        const T_Archivio a = Archivio();
        const T_ImpostazioniRicerca r = Tutto(a);
        TListaColonne colonne;
        colonne.Append(Col("000000000000"));
        TInsiemeCondizioni set;
        set.Collega(&a, &r, &colonne);
        auto* segni = set.SlotAs<TCondNumeroSegni>(1);
        segni->Tabella(0).Imposta(false, 12, kAmmesso);
        Colonna previsione = Col("000000000000");
        previsione.s[0] = 15;
        for (const bool sviluppato : {true, false}) {
            VistaAnalisi v;
            QVERIFY(CostruisciVista(*segni, previsione, sviluppato, false, v));
            TFormAnalisiCF form(v, {});
            QCOMPARE(form.windowTitle(), QStringLiteral("Analisi Colonnare del Numero dei Segni"));
            QCOMPARE(form.Serie(), sviluppato ? 3 : 2);
            auto* bars = qobject_cast<QBarSeries*>(form.ChartFXCF->chart()->series().at(0));
            QVERIFY(bars != nullptr);
            QCOMPARE(bars->count(), sviluppato ? 3 : 2);
            QStringList legenda;
            for (QLegendMarker* m : form.ChartFXCF->chart()->legend()->markers()) {
                legenda << m->label();
            }
            QCOMPARE(legenda.contains(QStringLiteral("Col. In Memoria")), sviluppato);
            QCOMPARE(form.Limite(), 4.0); // the forecast's columns
            // Table: 11 and 12 zeros; "Condiz." only with the columns in memory.
            form.RadioTabella->setChecked(true);
            QCOMPARE(form.Tabella->item(12, 0)->text(), QStringLiteral("1"));
            QCOMPARE(form.Tabella->item(11, 0)->text(), QStringLiteral("3"));
            QCOMPARE(form.Tabella->item(12, 1)->text(), QStringLiteral("1"));
            QCOMPARE(form.Tabella->item(11, 1)->text(), QStringLiteral("0"));
            QCOMPARE(form.Tabella->item(12, 2)->text(), sviluppato ? QStringLiteral("1") : QString());
            form.CheckPerc->setChecked(true);
            QCOMPARE(form.Tabella->item(11, 0)->text(), QStringLiteral("75,00"));
            QCOMPARE(form.Limite(), 100.0);
            form.CheckZoom->setChecked(true);
            QCOMPARE(form.Limite(), 1.1 * 75.0);
            // Filtered: 3 columns of 4; admitted in the archive: 13 contests of 50. 75 / 74.
            QCOMPARE(form.Convenienza->text(), QStringLiteral("Fattore di Convenienza : 1,01"));
        }
    }

    void measureHistoryBounds() {
        const T_Archivio a = Archivio();
        const T_ImpostazioniRicerca r = Tutto(a);
        TInsiemeCondizioni set;
        set.Collega(&a, &r, nullptr);
        VistaAnalisi v;
        QVERIFY(CostruisciVista(*set.SlotAs<TCondNumeroSegni>(1), Col("000000000000"), false, true, v));
        TFormArchivio form(v, {});
        QCOMPARE(form.windowTitle(), QStringLiteral("Analisi Statistica del Numero dei Segni"));
        QCOMPARE(int(form.BtnMisure.size()), 4);
        QCOMPARE(form.Limite(), 50.0);
        form.CheckPerc->setChecked(true);
        QCOMPARE(form.Limite(), 100.0);
        form.CheckZoom->setChecked(true);
        QCOMPARE(form.Limite(), 1.1 * 74.0); // 11 zeros in 37 contests of 50
        form.RadioTabella->setChecked(true);
        QCOMPARE(form.Tabella->item(11, 0)->text(), QStringLiteral("74,00"));
        // "Segni 1": the last contest had one 1; a single 1 never stays away more than 3 contests.
        form.ScegliMisura(1);
        QCOMPARE(form.TabellaRitardi->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(form.TabellaRitardi->item(1, 0)->text(), QStringLiteral("0"));
        QCOMPARE(form.TabellaRitardi->item(1, 1)->text(), QStringLiteral("3"));
        QCOMPARE(form.TabellaRitardi->item(0, 1)->text(), QStringLiteral("1"));
    }

    void teamHistoryAndSignCountPrint() {
        const T_Archivio a = Archivio();
        const QString pdf = home_.filePath(QStringLiteral("storia.pdf"));
        TFormProArc storia(a, Tutto(a), PdfStampante(pdf));
        QCOMPARE(storia.Pagine->count(), 4);
        QCOMPARE(storia.Pagine->tabText(3), QStringLiteral("Segno M"));
        // Team 1, sign M: every fourth contest, the last one at contest 48.
        QCOMPARE(storia.Griglie[3]->item(0, 0)->text(), QStringLiteral("12"));
        QCOMPARE(storia.Griglie[3]->item(0, 1)->text(), QStringLiteral("2"));
        QCOMPARE(storia.Griglie[3]->item(0, 3)->text(), QStringLiteral("0,48"));
        storia.StampaClick();
        const QString text = PdfText(pdf);
        for (const char* t : {"Segni 0", "Segni 1", "Segni 2", "Segni +"}) {
            QVERIFY2(text.contains(QStringLiteral("Analisi Storica Della Frequenza Dei ") + QLatin1String(t)),
                     qPrintable(text));
        }
        QCOMPARE(text.count(QLatin1Char('\f')), 2);
        TFormProArc guasta(a, Tutto(a),
                           [](const std::function<void(TCanvas&)>&) { throw std::runtime_error("x"); });
        try {
            guasta.StampaClick();
            QFAIL("no error");
        } catch (const std::exception& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Impossibile Stampare La Tabella"));
        }

        TListaColonne colonne;
        colonne.Append(Col("000000000000"));
        Colonna multi = Col("100000000000");
        multi.s[1] = 3; // two columns
        colonne.Append(multi);
        const QString pdf2 = home_.filePath(QStringLiteral("segni.pdf"));
        TFormProAna segni(colonne, PdfStampante(pdf2));
        QCOMPARE(segni.Colonne(), 3);
        QCOMPARE(segni.Griglia->item(0, 1)->text(), QStringLiteral("2"));
        QCOMPARE(segni.Griglia->item(1, 0)->text(), QStringLiteral("2"));
        segni.CheckPerc->setChecked(true);
        QCOMPARE(segni.Griglia->item(1, 1)->text(), QStringLiteral("33,33"));
        segni.StampaClick();
        QVERIFY(PdfText(pdf2).contains(QStringLiteral("Analisi Delle Frequenze Dei Segni")));
        QVERIFY(PdfText(pdf2).contains(QStringLiteral("33,33")));
    }

    void reachableFromTheProgramWithHelpPages() {
        T_Sistema sys;
        TFormPrinc w(sys);
        test::TScriptedChooser chooser;
        QVERIFY(!w.apriVista);
        QVERIFY(!TFormCondizione::Vista());
        {
            TComandi comandi(w, &chooser);
            QVERIFY(w.Azione(QStringLiteral("ImpostazioniDiRicerca1Click"))->isEnabled());
            QVERIFY(static_cast<bool>(w.apriVista));
            QVERIFY(static_cast<bool>(TFormCondizione::Vista()));
            QVERIFY(w.Schedina()->BtnArchivio->isEnabled());
            w.AggiornaAbilitazioni();
            QVERIFY(!w.Schedina()->BtnAnalisi->isEnabled()); // no columns in memory
            sys.Colonne.Append(Col("000000000000"));
            w.AggiornaAbilitazioni();
            QVERIFY(w.Schedina()->BtnAnalisi->isEnabled());
        }
        QVERIFY(!TFormCondizione::Vista()); // the hook goes with the commands

        // A list's dialog hands its current item to the history and column-analysis windows.
        TComandi comandi(w, &chooser);
        std::vector<std::pair<int, bool>> aperte; // (sign of the item, analisi)
        std::vector<bool> inverse;                // the vortex views asked for
        w.apriVista = [&](const TCondizione& c, QWidget*, bool analisi, bool inversa) {
            if (dynamic_cast<const TCondVortice*>(&c) != nullptr) {
                inverse.push_back(inversa);
                return;
            }
            const auto* item = dynamic_cast<const TCondConsecutivita*>(&c);
            QVERIFY(item != nullptr && !inversa);
            aperte.emplace_back(item->Segno, analisi);
        };
        auto& lista = *sys.Insieme().SlotAs<TListaCondizioni>(kCodGruppoConsecutivita);
        for (SignSet s : {kSign0, kSignM}) {
            auto item = std::make_unique<TCondConsecutivita>(&sys.Insieme());
            item->Segno = s;
            lista.Aggiungi(std::move(item));
        }
        TFormConsecutivita dlg(lista);
        QVERIFY(dlg.BtnArchivio->isEnabled() && dlg.BtnAnalisi->isEnabled());
        dlg.BtnArchivio->click();
        dlg.Vai(1);
        dlg.BtnAnalisi->click();
        QCOMPARE(aperte, (std::vector<std::pair<int, bool>>{{kSign0, false}, {kSignM, true}}));
        // The vortex's dialog opens the view of the page it stands on.
        TFormCondTabelle vortice(*sys.Insieme().SlotAs<TCondTabelle>(3), *DescrizioneDialogo(3));
        vortice.BtnArchivio->click();
        vortice.Pagine->setCurrentIndex(1);
        vortice.BtnAnalisi->click();
        QCOMPARE(inverse, (std::vector<bool>{false, true}));
        for (int context : {49, 50, 51, TFormImpRic::kHelpContext, TFormStatistica::kHelpContext,
                            TFormArchivio::kHelpContext, TFormAnalisiCF::kHelpContext}) {
            QFile f(HelpPagePath(context));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(QString::number(context)));
            QVERIFY(f.readAll().contains("<h1>"));
        }
    }

private:
    QTemporaryDir home_;
};

QTEST_MAIN(TestStatsWindows)
#include "stats_windows_test.moc"
