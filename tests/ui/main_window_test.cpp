// The main window: status line texts, command enabling, the moves between the system and the
// coupon editor, Conferma and closing.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

#include "app/ui/main_window.h"
#include "core/interfaces.h"
#include "system/config_file.h"

using namespace tessaline;

namespace {

// Answers with a fixed button and keeps what was asked.
class TScriptedPrompt : public UserPrompt {
public:
    int ShowMessage(const std::string& title, const std::string& text, int buttons) override {
        ++count;
        lastTitle = title;
        lastText = text;
        lastButtons = buttons;
        texts.push_back(text);
        return answer;
    }
    int answer = BtnOk;
    int count = 0;
    int lastButtons = 0;
    std::string lastTitle;
    std::string lastText;
    std::vector<std::string> texts;
};

Pronostico AllOf(SignSet s) {
    Pronostico p;
    for (int i = 0; i < kTeams; ++i) {
        p[i] = s;
    }
    return p;
}

void FillColumns(T_Sistema& d, int n) {
    d.Colonne.Clear();
    const Colonna c = AllOf(kSign1);
    for (int i = 0; i < n; ++i) {
        d.Colonne.Append(c);
    }
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QVERIFY(home_.isValid());
        qputenv("TESSALINE_HOME", home_.path().toUtf8());
    }

    void init() {
        sys_ = std::make_unique<T_Sistema>();
        sys_->dati.settings = DefaultSettings();
        w_ = std::make_unique<TFormPrinc>(*sys_);
        w_->SetPrompt(&prompt_);
        prompt_ = TScriptedPrompt{};
    }
    void cleanup() {
        w_.reset();
        sys_.reset();
    }

    void statusLineTexts() {
        T_Sistema& d = w_->Sistema();
        w_->AggiornaStatusLine();
        QCOMPARE(w_->windowTitle(), QStringLiteral(" Tessaline 2.0 - SENZANOME"));
        QCOMPARE(w_->PColonneF->text(), QStringLiteral("  Colonne Finali : "));
        QCOMPARE(w_->PColonneI->text(), QStringLiteral("  Colonne Iniziali : "));
        QCOMPARE(w_->PDoppie->text(), QStringLiteral("  Doppie : "));
        QCOMPARE(w_->PTriple->text(), QStringLiteral("  Triple : "));
        QCOMPARE(w_->PQuadruple->text(), QStringLiteral("  Quadruple : "));

        // 3 doubles, 2 triples, 1 quadruple: 288 columns at 800 lire.
        d.dati.Forecast = AllOf(kSign0);
        d.dati.Forecast[0] = d.dati.Forecast[1] = d.dati.Forecast[2] = kSign0 | kSign1;
        d.dati.Forecast[3] = d.dati.Forecast[4] = kSign0 | kSign1 | kSign2;
        d.dati.Forecast[5] = kAllSigns;
        FillColumns(d, 100);
        d.ParticipantCount = 4;
        w_->AggiornaStatusLine();
        QCOMPARE(w_->PColonneF->text(), QString::fromUtf8("  Colonne Finali : 100 (£ 20.000 1/4)"));
        QCOMPARE(w_->PColonneI->text(), QString::fromUtf8("  Colonne Iniziali : 288 (£ 230.400)"));
        QCOMPARE(w_->PDoppie->text(), QStringLiteral("  Doppie : 3"));
        QCOMPARE(w_->PTriple->text(), QStringLiteral("  Triple : 2"));
        QCOMPARE(w_->PQuadruple->text(), QStringLiteral("  Quadruple : 1"));

        // Euro: two decimals for the final cost, none for the initial columns.
        d.dati.settings.costsInEuro = true;
        d.dati.settings.costEuro = 0.52;
        d.ParticipantCount = 1;
        w_->AggiornaStatusLine();
        QCOMPARE(w_->PColonneF->text(), QString::fromUtf8("  Colonne Finali : 100 (€ 52,00)"));
        QCOMPARE(w_->PColonneI->text(), QString::fromUtf8("  Colonne Iniziali : 288 (€ 150)"));
        d.ParticipantCount = 3;
        w_->AggiornaStatusLine();
        QCOMPARE(w_->PColonneF->text(), QString::fromUtf8("  Colonne Finali : 100 (€ 17,33 1/3)"));

        // With the flag a multi-sign entry is priced with every column it covers.
        d.dati.settings.costsInEuro = false;
        d.ParticipantCount = 1;
        FillColumns(d, 1);
        Colonna multi = AllOf(kSign1);
        multi[0] = kSign0 | kSign1 | kSign2;
        d.Colonne.Append(multi);
        w_->AggiornaStatusLine(false);
        QCOMPARE(w_->PColonneF->text(), QString::fromUtf8("  Colonne Finali : 2 (£ 1.600)"));
        w_->AggiornaStatusLine(true);
        QCOMPARE(w_->PColonneF->text(), QString::fromUtf8("  Colonne Finali : 2 (£ 3.200)"));

        // Pair mode: dashes for the counts; initial columns only when the table covers some.
        d.dati.sviluppo.PairMode = 1;
        w_->AggiornaStatusLine();
        QCOMPARE(w_->PDoppie->text(), QStringLiteral("  Doppie : - "));
        QCOMPARE(w_->PTriple->text(), QStringLiteral("  Triple : - "));
        QCOMPARE(w_->PQuadruple->text(), QStringLiteral("  Quadruple : - "));
        QCOMPARE(w_->PColonneI->text(), QStringLiteral("  Colonne Iniziali : "));
        for (auto& m : d.dati.sviluppo.PairTable.p) {
            m[0] = m[5] = 1;
        }
        w_->AggiornaStatusLine();
        QCOMPARE(w_->PColonneI->text(), QString::fromUtf8("  Colonne Iniziali : 64 (£ 51.200)"));

        // An incomplete forecast shows no counts.
        d.dati.sviluppo.PairMode = 0;
        d.dati.Forecast[7] = 0;
        w_->AggiornaStatusLine();
        QCOMPARE(w_->PColonneI->text(), QStringLiteral("  Colonne Iniziali : "));
        QCOMPARE(w_->PDoppie->text(), QStringLiteral("  Doppie : "));

        d.fileName = "/x/Sistemi/Prova.Svs";
        w_->AggiornaStatusLine();
        QCOMPARE(w_->windowTitle(), QStringLiteral(" Tessaline 2.0 - Prova"));
    }

    void commandEnabling() {
        T_Sistema& d = w_->Sistema();
        QMenu* cond = w_->Azione(QStringLiteral("Risultati1Click"))->menu() == nullptr
                          ? qobject_cast<QMenu*>(w_->Azione(QStringLiteral("Risultati1Click"))->parent())
                          : nullptr;
        QVERIFY(cond != nullptr);
        auto enabled = [this](const char* h) { return w_->Azione(QLatin1String(h))->isEnabled(); };

        w_->AggiornaAbilitazioni();
        TAbilitazioni a = w_->Abilitazioni();
        QVERIFY(a.salvaSuDisco && a.esportaAscii);
        QVERIFY(!a.condizioni);
        QVERIFY(!cond->isEnabled());
        QVERIFY(a.squadreIntegrali);
        QVERIFY(enabled("PartiteIntegrali1Click"));
        QVERIFY(!a.daMemoria && !a.colonneInMemoria);
        QVERIFY(a.archivioVisualizzazione && !a.analisiStatistica); // one empty contest

        d.dati.Forecast = AllOf(kSign1);
        w_->Archivio().Concorsi().push_back(T_Concorso::Nuovo());
        w_->AggiornaAbilitazioni();
        a = w_->Abilitazioni();
        QVERIFY(a.condizioni);
        QVERIFY(cond->isEnabled());
        QVERIFY(a.analisiStatistica);

        // Developing from a column file: conditions regardless of the forecast, no integral teams.
        d.dati.Forecast[3] = 0;
        d.dati.SourceForecast = 0;
        w_->AggiornaAbilitazioni();
        a = w_->Abilitazioni();
        QVERIFY(a.condizioni);
        QVERIFY(!a.squadreIntegrali);
        QVERIFY(!enabled("PartiteIntegrali1Click"));
        d.dati.SourceForecast = 1;

        // Pair mode: every match needs a pair; integral teams off; the light needs a covered column.
        d.dati.sviluppo.PairMode = 1;
        d.dati.sviluppo.PairTable = PairTable{};
        for (int m = 0; m < 5; ++m) {
            d.dati.sviluppo.PairTable.p[static_cast<std::size_t>(m)][3] = 1;
        }
        w_->AggiornaAbilitazioni();
        a = w_->Abilitazioni();
        QVERIFY(!a.condizioni);
        QVERIFY(!a.squadreIntegrali);
        QVERIFY(!a.semaforoAcc);
        QVERIFY(!w_->SemaforoAcc->Stato());
        d.dati.sviluppo.PairTable.p[5][15] = 1;
        w_->AggiornaAbilitazioni();
        a = w_->Abilitazioni();
        QVERIFY(a.condizioni && a.semaforoAcc);
        QVERIFY(w_->SemaforoAcc->Stato());

        // Values and percentages follow the editor's lights; ordering from memory needs columns.
        TeamGrid g{};
        for (auto& row : g) {
            row = {25, 25, 25, 25};
        }
        w_->EditSchedina->SetPercentuali(g);
        w_->EditSchedina->AggiornaSemafori();
        w_->AggiornaAbilitazioni();
        a = w_->Abilitazioni();
        QVERIFY(a.percentuali && a.ordinamento && !a.valori);
        QVERIFY(!a.ordinamentoDaMemoria);
        FillColumns(d, 3);
        w_->AggiornaAbilitazioni();
        a = w_->Abilitazioni();
        QVERIFY(a.ordinamentoDaMemoria && a.daMemoria && a.colonneInMemoria);
    }

    void editorAndSystem() {
        T_Sistema& d = w_->Sistema();
        d.dati.teamNames[0] = "Roma";
        d.dati.Forecast = AllOf(kSign2);
        d.dati.TeamPercentages[1] = {10, 20, 30, 40};
        d.dati.TeamValues[2] = {1, 2, 3, 4};
        d.dati.ContestNumber = 17;
        FillColumns(d, 5);
        w_->ImpostaTutto();
        QCOMPARE(w_->EditSchedina->Partite->Field(0)->text(), QStringLiteral("Roma"));
        QCOMPARE(w_->EditSchedina->Numero->text(), QStringLiteral("17"));
        QCOMPARE(w_->EditSchedina->GridPerc->Cell(1, 3)->text(), QStringLiteral("40"));
        QVERIFY(w_->EditSchedina->SPronostico->Stato());
        QVERIFY(w_->SpeedN->isChecked());
        QVERIFY(!w_->PanelAcc->isVisibleTo(w_.get()));
        QVERIFY(!d.modified);

        // A click in the forecast empties the columns and is taken into the system.
        d.dati.sviluppo.IntegralBases[0] = kSign2;
        QTest::mouseClick(w_->EditSchedina->Pronostico, Qt::LeftButton, {}, QPoint(5 + 7, 3 + 7));
        QCOMPARE(d.dati.Forecast[0], SignSet{kSign0 | kSign2});
        QVERIFY(d.Colonne.Empty());
        QVERIFY(d.modified);
        QCOMPARE(d.dati.sviluppo.IntegralBases[0], kSign2);
        // Back to a single sign: the base no longer fits and is dropped.
        QTest::mouseClick(w_->EditSchedina->Pronostico, Qt::LeftButton, {}, QPoint(5 + 7, 3 + 7));
        QCOMPARE(d.dati.sviluppo.IntegralBases[0], SignSet{0});

        // The number field.
        d.modified = false;
        w_->EditSchedina->Numero->clear();
        QTest::keyClicks(w_->EditSchedina->Numero, QStringLiteral("42"));
        QCOMPARE(d.dati.ContestNumber, 42);
        QVERIFY(d.modified);
        QTest::keyClick(w_->EditSchedina->Numero, Qt::Key_Backspace);
        QTest::keyClick(w_->EditSchedina->Numero, Qt::Key_Backspace);
        QCOMPARE(d.dati.ContestNumber, 0);

        // "Tutti": every team gets all four signs, the columns go.
        FillColumns(d, 2);
        w_->EditSchedina->BtnTutti->click();
        QCOMPARE(d.dati.Forecast, AllOf(kAllSigns));
        QVERIFY(d.Colonne.Empty());
        QCOMPARE(w_->EditSchedina->GetPronostico(), AllOf(kAllSigns));
        QCOMPARE(w_->PColonneI->text(),
                 QString::fromUtf8("  Colonne Iniziali : 16777216 (£ 13.421.772.800)"));

        // "A" and "N".
        d.modified = false;
        w_->SpeedA->click();
        QVERIFY(d.dati.sviluppo.PairMode != 0);
        QVERIFY(w_->PanelAcc->isVisibleTo(w_.get()));
        QVERIFY(d.modified);
        QCOMPARE(w_->PDoppie->text(), QStringLiteral("  Doppie : - "));
        w_->SpeedN->click();
        QVERIFY(d.dati.sviluppo.PairMode == 0);
        QVERIFY(!w_->PanelAcc->isVisibleTo(w_.get()));

        // Percentages typed in the editor reach the system through the row rule.
        w_->EditSchedina->GridPerc->Cell(0, 0)->setText(QStringLiteral("50"));
        w_->EditSchedina->GridPerc->Cell(0, 1)->setText(QStringLiteral("40"));
        QTest::keyClicks(w_->EditSchedina->GridPerc->Cell(0, 2), QStringLiteral("30"));
        QCOMPARE(d.dati.TeamPercentages[0], (std::array<std::int32_t, 4>{50, 50, 0, 0}));
    }

    void confermaAnswers() {
        T_Sistema& d = w_->Sistema();
        int saved = 0;
        w_->salvaSistema = [&] { ++saved; };

        d.modified = false;
        QVERIFY(w_->Conferma(true));
        QCOMPARE(prompt_.count, 0);

        d.modified = true;
        struct TCase {
            int answer;
            bool annulla;
            bool goOn;
            int saves;
        } cases[] = {
            {BtnSi, true, true, 1},       {BtnNo, true, true, 0},
            {BtnAnnulla, true, false, 0}, {0, true, true, 0}, // closed with the frame button: like No
            {BtnSi, false, true, 1},
        };
        for (const TCase& c : cases) {
            saved = 0;
            prompt_.answer = c.answer;
            QCOMPARE(w_->Conferma(c.annulla), c.goOn);
            QCOMPARE(saved, c.saves);
            QCOMPARE(prompt_.lastTitle, std::string("Informazione"));
            QCOMPARE(prompt_.lastText, std::string("Il Sistema non è Stato Salvato. Vuoi Salvarlo ? "));
            QCOMPARE(prompt_.lastButtons, BtnSi | BtnNo | (c.annulla ? BtnAnnulla : 0));
        }
    }

    void closing() {
        T_Sistema& d = w_->Sistema();
        int lastCoupon = 0;
        w_->salvaUltimaSchedina = [&] { ++lastCoupon; };
        w_->show();
        d.modified = true;
        prompt_.answer = BtnAnnulla;
        QVERIFY(!w_->close());
        QVERIFY(w_->isVisible());
        QCOMPARE(lastCoupon, 0);

        // A save that fails keeps the window open, with the failure shown.
        w_->salvaSistema = [] { throw std::runtime_error("Impossibile Salvare Il Sistema"); };
        prompt_.answer = BtnSi;
        QVERIFY(!w_->close());
        QCOMPARE(prompt_.lastText, std::string("Impossibile Salvare Il Sistema"));

        prompt_.answer = BtnNo;
        QVERIFY(w_->close());
        QCOMPARE(lastCoupon, 1);

        // Without the reload setting the last coupon is not written.
        w_->show();
        d.dati.settings.reloadLastCoupon = false;
        QVERIFY(w_->close());
        QCOMPARE(lastCoupon, 1);
    }

    void archiveAtCreation() {
        // Without an archive file: one empty contest, and the message once the window is up.
        QCOMPARE(w_->Archivio().Count(), std::size_t{1});
        QTest::qWait(10);
        const std::string noArchive = "Impossibile Caricare L'Archivio.";
        QCOMPARE(std::count(prompt_.texts.begin(), prompt_.texts.end(), noArchive), 1);

        // Two contests in the file: both loaded, the search range spans them, statistics enabled.
        const QString dir = home_.path() + QStringLiteral("/ARCHIVI");
        QDir().mkpath(dir);
        QFile f(dir + QStringLiteral("/archivio.tts"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        const char rec1[19] = {1, char(0xCF), 7, 0, 0, 3, 1, 2, 4, 8, 1, 2, 4, 8, 1, 2, 4, 8, 1};
        const char rec2[19] = {1, char(0xCF), 7, 0, 0, 9, 1, 2, 4, 8, 1, 2, 4, 8, 1, 2, 4, 8, 1};
        f.write(rec1, 19);
        f.write(rec2, 19);
        f.close();
        w_.reset();
        prompt_ = TScriptedPrompt{};
        w_ = std::make_unique<TFormPrinc>(*sys_);
        w_->SetPrompt(&prompt_);
        QTest::qWait(10);
        QCOMPARE(std::count(prompt_.texts.begin(), prompt_.texts.end(), noArchive), 0);
        QCOMPARE(w_->Archivio().Count(), std::size_t{2});
        QCOMPARE(sys_->dati.settings.ricerca.Intervallo.AnnoDa, std::int16_t{1999});
        QCOMPARE(sys_->dati.settings.ricerca.Intervallo.NumeroA, std::uint8_t{9});
        QVERIFY(w_->Abilitazioni().analisiStatistica);
        QFile::remove(dir + QStringLiteral("/archivio.tts"));
    }

    void minimumSizeAndLayout() {
        w_->show();
        w_->resize(500, 300);
        QTest::qWait(10);
        QVERIFY(w_->width() >= 640);
        QVERIFY(w_->height() >= 480);
        w_->resize(1000, 700);
        QTest::qWait(10);
        const QWidget* area = w_->PannelloSchedina->parentWidget();
        const int expectedLeft = (area->width() - w_->PannelloSchedina->width() - 8) / 2;
        QCOMPARE(w_->PannelloSchedina->x(), expectedLeft);
        QCOMPARE(w_->PannelloSchedina->width(), w_->EditSchedina->width() + 10);
        QCOMPARE(w_->PannelloSchedina->height(), w_->EditSchedina->height() + 10);
    }

    void narrowWindowHidesNothing() {
        // The largest counts the program shows, at the smallest window size.
        w_->show();
        w_->resize(640, 480);
        QTest::qWait(10);
        w_->PColonneI->setText(QStringLiteral("  Colonne Iniziali : 16.777.216"));
        w_->PColonneF->setText(QStringLiteral("  Colonne Finali : 16.777.216 (\u00a3 13.421.772.800)"));
        w_->PQuadruple->setText(QStringLiteral("  Quadruple : 12"));
        w_->resize(641, 480);
        w_->resize(640, 480);
        QTest::qWait(10);
        QCOMPARE(w_->width(), 640);
        for (QLabel* l : {w_->PDoppie, w_->PTriple, w_->PQuadruple, w_->PColonneI, w_->PColonneF}) {
            QVERIFY2(l->width() >= l->sizeHint().width(), qPrintable(l->objectName()));
            const QRect r(l->mapTo(w_.get(), QPoint(0, 0)), l->size());
            QVERIFY2(w_->rect().contains(r), qPrintable(l->objectName()));
        }
        // Every menu title lies on the bar, none behind the extension arrow.
        QMenuBar* bar = w_->menuBar();
        for (QAction* a : bar->actions()) {
            const QRect g = bar->actionGeometry(a);
            QVERIFY2(g.isValid() && g.right() < bar->width() - 2, qPrintable(a->text()));
        }
        // A wide window keeps the natural look on one status row.
        w_->resize(1200, 700);
        QTest::qWait(10);
        QCOMPARE(w_->PColonneF->y(), w_->PDoppie->y());
    }

    void menuOfCommands() {
        // Every command of the table is present; "Cerca Fisse" hidden.
        for (const char* h : {"New1Click",
                              "CaricaClick",
                              "Save1Click",
                              "SalvaComeClick",
                              "CancellaClick",
                              "CommentoClick",
                              "Soci1Click",
                              "CaricaSchedina1Click",
                              "SalvaSchedina1Click",
                              "Uscita1Click",
                              "ImpostazioneSvClick",
                              "PartiteIntegrali1Click",
                              "CalcoloColonne1Click",
                              "AnalisiStatistica1Click",
                              "CalcoloGaranzie1Click",
                              "VisDaMemoria1Click",
                              "DaFile3Click",
                              "DetDaMemoria1Click",
                              "DaFile4Click",
                              "SpoglioDaMemoria1Click",
                              "DaFile1Click",
                              "DaFile6Click",
                              "DaFile7Click",
                              "ImportadaASCII1Click",
                              "EsportainASCII1Click",
                              "SalvasuDisco1Click",
                              "OrdDaMemoriaClick",
                              "DaFile5Click",
                              "Operazioni1Click",
                              "EditordiColonne1Click",
                              "Editazione1Click",
                              "Visualizzazione1Click",
                              "ImpostazioniDiRicerca1Click",
                              "TaraturaStampante1Click",
                              "StDamemoria1Click",
                              "DaFile2Click",
                              "StampaProspettoClick",
                              "ImpostaStampante1Click",
                              "RidottiImmediati1Click",
                              "SchedineAutomatiche1Click",
                              "SistemiAutomatici2Click",
                              "ArchivioGicoate1Click",
                              "DatiRicevirotia1Click",
                              "ListaSquadre1Click",
                              "Varie1Click",
                              "Indice1Click",
                              "About1Click",
                              "SpeedSviluppaClick"}) {
            QVERIFY2(w_->Azione(QLatin1String(h)) != nullptr, h);
        }
        QVERIFY(!w_->Azione(QStringLiteral("CercaFisse1Click"))->isVisible());
        QCOMPARE(w_->Azione(QStringLiteral("Varie1Click"))->text(), QStringLiteral("&Varie"));
        QVERIFY(w_->Azione(QStringLiteral("Varie1Click"))->isEnabled());
        QVERIFY(w_->minimumWidth() == 640 && w_->minimumHeight() == 480);
    }

private:
    QTemporaryDir home_;
    std::unique_ptr<T_Sistema> sys_;
    TScriptedPrompt prompt_;
    std::unique_ptr<TFormPrinc> w_;
};

QTEST_MAIN(TestMainWindow)
#include "main_window_test.moc"
