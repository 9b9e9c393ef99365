// The column-tool windows: the result messages and labels of "Operazioni", the counters and bar of
// "Ordinamento", the viewer's coupons, the dictation window's timer and player, the column editor's
// typing, verification and save question, and the commands that open them.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "core/column_list.h"
#include "core/ui/help.h"
#include "core/ui/quattro_colonne.h"
#include "system/sistema.h"
#include "tools/ui/column_editor_window.h"
#include "tools/ui/column_tool_windows.h"
#include "tools/ui/tools_commands.h"
#include "tools/ui/viewer_windows.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

Colonna Col(const char* text) {
    Colonna c;
    for (int t = 0; t < kTeams; ++t) {
        c[t] = ParseSigns(std::string(1, text[t]));
    }
    return c;
}

// Column k of n distinct single columns.
Colonna Nth(int k) {
    Colonna c;
    for (int t = 0; t < kTeams; ++t) {
        c[t] = static_cast<SignSet>(1 << ((t < 6 ? k >> (2 * (t % 3)) : k + t) % 4));
    }
    c[11] = static_cast<SignSet>(1 << (k % 4));
    c[10] = static_cast<SignSet>(1 << ((k / 4) % 4));
    c[9] = static_cast<SignSet>(1 << ((k / 16) % 4));
    return c;
}

TListaColonne List(int n, int from = 0) {
    TListaColonne l;
    for (int k = from; k < from + n; ++k) {
        l.Append(Nth(k));
    }
    return l;
}

class TFakePlayer : public TLettoreVocale {
public:
    void Pausa() override { ++pauses; }
    void ImpostaTratto(const TTratto& t) override { stretches.push_back(t); }
    void Suona() override { ++plays; }
    int pauses = 0;
    int plays = 0;
    std::vector<TTratto> stretches;
};

} // namespace

class TestColumnTools : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }

    void init() {
        sys_ = std::make_unique<T_Sistema>();
        main_ = std::make_unique<TFormPrinc>(*sys_);
        main_->SetPrompt(&prompt_);
        QCoreApplication::processEvents(); // the main window's start-up messages
        prompt_.Clear();
    }

    void cleanup() {
        main_.reset();
        sys_.reset();
    }

    void operationsMessagesAndLabels() {
        const fs::path dir = fs::path(home_.path().toStdString()) / "COLONNE";
        QVERIFY(List(10).SaveToFile(dir / "a.col"));
        QVERIFY(List(6, 7).SaveToFile(dir / "b.col")); // 3 shared with a, 3 new
        QVERIFY(TListaColonne().SaveToFile(dir / "vuoto.col"));
        test::TScriptedChooser chooser;
        const struct {
            const char* radio;
            const char* s1;
            const char* s2;
            const char* message;  // nullptr: none
            std::int64_t written; // columns in the output, -1 when none is written
        } cases[] = {
            {"RadioOr", "a.col", "b.col", "Colonne Ottenute : 13", 13},
            {"RadioOr", "a.col", "a.col", "Colonne Ottenute : 10", 10},
            {"RadioAnd", "a.col", "b.col", "Colonne Ottenute : 3", 3},
            {"RadioXor", "a.col", "b.col", "Colonne Ottenute : 10", 10},
            {"RadioXor", "a.col", "a.col", "Colonne Ottenute : 0  Nessun File Creato", -1},
            {"RadioN1", "a.col", "a.col", "Colonne Scoperte : 0  Nessun File Creato", -1},
            {"RadioN2", "vuoto.col", "b.col", "Colonne Scoperte : 6", 6},
            {"RadioDisord", "a.col", "", "Elaborazione Terminata.", 10},
            {"RadioOr", "manca.col", "b.col", nullptr, -1},
        };
        for (const auto& c : cases) {
            prompt_.Clear();
            fs::remove(dir / "FileOutput.col");
            TFormOperazioni w(*main_, chooser);
            QCOMPARE(w.Dest->text(), QStringLiteral("FileOutput.col"));
            w.findChild<QRadioButton*>(QLatin1String(c.radio))->setChecked(true);
            w.Source1->setText(QLatin1String(c.s1));
            w.Source2->setText(QLatin1String(c.s2));
            w.EseguiClick();
            if (c.message == nullptr) {
                QVERIFY(prompt_.texts.empty());
            } else {
                QCOMPARE(prompt_.texts.size(), std::size_t{1});
                QCOMPARE(QString::fromStdString(prompt_.texts[0]), QString::fromUtf8(c.message));
                QCOMPARE(w.Gauge->value(), 100);
            }
            QCOMPARE(fs::exists(dir / "FileOutput.col"), c.written >= 0);
            if (c.written >= 0) {
                QCOMPARE(static_cast<std::int64_t>(fs::file_size(dir / "FileOutput.col")), 12 * c.written);
            }
            QVERIFY(w.BtnEsegui->isEnabled());
            QVERIFY(!w.BtnInterrompi->isEnabled());
        }
        // The labels follow the operation; the reordering hides the second file.
        TFormOperazioni w(*main_, chooser);
        w.show();
        QVERIFY(w.RadioOr->isChecked());
        const struct {
            QRadioButton* radio;
            const char* first;
            const char* second;
        } labels[] = {{w.RadioAnd, "Primo file", "Secondo file"},
                      {w.RadioN1, "File del ridotto", "File delle colonne da coprire"},
                      {w.RadioN2, "File del ridotto", "File delle colonne da coprire"},
                      {w.RadioDisord, "File da disordinare", nullptr},
                      {w.RadioXor, "Primo file", "Secondo file"}};
        for (const auto& l : labels) {
            l.radio->setChecked(true);
            QCOMPARE(w.LabelSource1->text(), QString::fromUtf8(l.first));
            QCOMPARE(w.Source2->isVisible(), l.second != nullptr);
            QCOMPARE(w.Cerca2->isVisible(), l.second != nullptr);
            if (l.second != nullptr) {
                QCOMPARE(w.LabelSource2->text(), QString::fromUtf8(l.second));
            }
        }
        // "Cerca.." puts the chosen file into its field.
        chooser.answers = {QStringLiteral("/tmp/scelto.Col")};
        w.Cerca1->click();
        QCOMPARE(w.Source1->text(), QStringLiteral("/tmp/scelto.Col"));
        QCOMPARE(chooser.asked.back().filter, QStringLiteral("File Colonnare (*.Col)|*.Col"));
        QCOMPARE(chooser.asked.back().defaultExtension, QStringLiteral("Col"));
    }

    void orderingCountersBarAndOutputs() {
        // Percentages: sign 0 at 50, 1 at 30, 2 at 20, M at 0; ten columns of distinct probability.
        for (auto& team : sys_->dati.TeamPercentages) {
            team = {50, 30, 20, 0};
        }
        TListaColonne source;
        for (int k = 0; k < 10; ++k) {
            Colonna c = Col("000000000000");
            for (int t = 0; t < k && t < kTeams; ++t) {
                c[t] = kSign1;
            }
            source.Append(c);
        }
        source.Append(Col("M00000000000")); // probability 0: first
        test::TScriptedChooser chooser;
        TFormOrdinamento w(*main_, chooser, source);
        QVERIFY(source.Empty());
        QCOMPARE(w.Ordinate().size(), std::size_t{11});
        QCOMPARE(w.Ordinate()[0].colonna, Col("M00000000000"));
        QCOMPARE(w.SpinMin->value(), 1);
        QCOMPARE(w.SpinMax->value(), 11);
        const struct {
            bool maxFirst;
            int first, second; // the values set, in order
            int min, max;
            const char* finali;
            const char* filtrate;
        } cases[] = {
            {true, 7, 3, 3, 7, "5", "6"},     {true, 7, 9, 7, 7, "1", "10"}, // min lowered to max
            {false, 6, 2, 6, 6, "1", "10"},                                  // max raised to min
            {false, 1, 11, 1, 11, "11", "0"}, {false, 11, 11, 11, 11, "1", "10"},
        };
        for (const auto& c : cases) {
            w.SpinMin->setValue(1);
            w.SpinMax->setValue(11);
            (c.maxFirst ? w.SpinMax : w.SpinMin)->setValue(c.first);
            (c.maxFirst ? w.SpinMin : w.SpinMax)->setValue(c.second);
            QCOMPARE(w.SpinMin->value(), c.min);
            QCOMPARE(w.SpinMax->value(), c.max);
            QCOMPARE(w.LabelIniziali->text(), QStringLiteral("11"));
            QCOMPARE(w.LabelFinali->text(), QLatin1String(c.finali));
            QCOMPARE(w.LabelFiltrate->text(), QLatin1String(c.filtrate));
            // The bar inside the 188-pixel track (one pixel of border).
            const double start = (c.min - 1) * 188.0 / 11;
            const int left = static_cast<int>(start);
            const int width = static_cast<int>(start - left + (c.max - c.min + 1) * 188.0 / 11);
            QCOMPARE(w.Barra->x(), 1 + left);
            QCOMPARE(w.Barra->width(), width);
        }
        // "Salva su File": an existing file is replaced only after a yes.
        w.SpinMin->setValue(2);
        w.SpinMax->setValue(4);
        const fs::path out = fs::path(home_.path().toStdString()) / "COLONNE" / "ord.col";
        QVERIFY(List(1).SaveToFile(out));
        for (int answer : {BtnNo, BtnSi}) {
            prompt_.Clear();
            prompt_.answers = {answer};
            chooser.answers = {QString::fromStdString(out.string())};
            w.BtnSalva->click();
            QCOMPARE(QString::fromStdString(prompt_.texts.at(0)),
                     QString::fromUtf8("Il File è già Presente su Disco. Vuoi Sovrascriverlo"));
            QCOMPARE(fs::file_size(out), std::uintmax_t{answer == BtnSi ? 36u : 12u});
        }
        QCOMPARE(chooser.asked.back().title, QStringLiteral("Salva le Colonne"));
        // "Inserisci in Memoria": the stretch replaces the columns in memory, in sorted order.
        sys_->Colonne = List(5);
        w.BtnInserisci->click();
        QCOMPARE(sys_->Colonne.Size(), std::size_t{3});
        QCOMPARE(sys_->Colonne[0], w.Ordinate()[1].colonna);
        QCOMPARE(sys_->Colonne[2], w.Ordinate()[3].colonna);
        QCOMPARE(w.result(), int(QDialog::Accepted));
    }

    void viewerGroupsColumnsThreeToACoupon() {
        const struct {
            int columns;
            int scrollMax;
            int scrollTo;
            std::vector<int> numbers; // shown coupons' numbers, 0 for a hidden display
            std::vector<int> used;
        } cases[] = {
            {0, 0, 0, {0, 0, 0, 0}, {0, 0, 0, 0}},  {7, 0, 0, {1, 2, 3, 0}, {3, 3, 1, 0}},
            {22, 4, 4, {5, 6, 7, 8}, {3, 3, 3, 1}}, {22, 4, 2, {3, 4, 5, 6}, {3, 3, 3, 3}},
            {14, 1, 1, {2, 3, 4, 5}, {3, 3, 3, 2}},
        };
        for (const auto& c : cases) {
            TFormVisCol w(List(c.columns));
            w.show();
            QCOMPARE(w.ScrollBar->maximum(), c.scrollMax);
            w.ScrollBar->setValue(c.scrollTo);
            for (int i = 0; i < 4; ++i) {
                TQuattroColonne* d = w.QuattroColonne[static_cast<std::size_t>(i)];
                QCOMPARE(d->isVisible(), c.numbers[static_cast<std::size_t>(i)] != 0);
                QCOMPARE(d->Numero(), c.numbers[static_cast<std::size_t>(i)]);
                QCOMPARE(d->Usate(), c.used[static_cast<std::size_t>(i)]);
                if (c.numbers[static_cast<std::size_t>(i)] != 0) {
                    QCOMPARE(d->ColonnaN(0), Nth(3 * (c.numbers[static_cast<std::size_t>(i)] - 1)));
                }
            }
        }
    }

    void dictationTimerPlayerAndHighlight() {
        TFakePlayer player;
        TFormDettSche w(List(7), player);
        w.show();
        QCOMPARE(w.SpinMin->value(), 1);
        QCOMPARE(w.SpinMax->value(), 3);
        QCOMPARE(w.SpinPausa->value(), 5);
        QVERIFY(w.RadioColonne->isChecked());
        QVERIFY(w.CheckPausa->isChecked());
        w.SpinMin->setValue(2);
        QCOMPARE(w.Schedina->Numero(), 2); // changing "Dalla Schedina" shows that coupon
        w.SpinMax->setValue(1);
        QCOMPARE(w.SpinMax->value(), 2); // held at "Dalla Schedina"
        w.RadioRighe->setChecked(true);
        w.BtnPlay->click();
        QVERIFY(w.Timer->isActive());
        QCOMPARE(w.Timer->interval(), 1500);
        w.SpinPausa->setValue(12);
        QCOMPARE(w.Timer->interval(), 2200);
        w.Tick();
        w.Tick();
        // By rows: team 1 of column 2 was read last, and only it is highlighted.
        QCOMPARE(player.stretches.size(), std::size_t{2});
        QVERIFY((w.Schedina->ColonnaN(1)[0] & kSegnoEvidenziato) != 0);
        QVERIFY((w.Schedina->ColonnaN(0)[0] & kSegnoEvidenziato) == 0);
        const SignSet said = static_cast<SignSet>(w.Schedina->ColonnaN(1)[0] & 0x0F);
        QCOMPARE(player.stretches.back(), TrattoSegno(said));
        w.BtnPausa->click();
        QVERIFY(!w.Timer->isActive());
        w.BtnPausa->click();
        QVERIFY(w.Timer->isActive());
        w.BtnStop->click();
        QVERIFY(!w.Timer->isActive());
        QCOMPARE(w.Dettatura().Schedina(), 2);
        // Through to the end of coupon 2: the dictation pauses before showing the next one.
        w.BtnPlay->click();
        for (int i = 0; i < 36; ++i) {
            w.Tick();
        }
        QVERIFY(!w.Timer->isActive());
        QCOMPARE(w.Schedina->Numero(), 2); // past "Alla Schedina": stopped, back to the first
        QVERIFY(w.BtnPlay->isEnabled());
        const int pausesBefore = player.pauses;
        w.close();
        QVERIFY(player.pauses > pausesBefore); // closing stops the player
    }

    void dictationWithoutVoiceFileSaysSo() {
        test::TScriptedChooser chooser;
        TComandi comandi(*main_, &chooser);
        sys_->Colonne = List(4);
        int shown = 0;
        comandi.Colonne().primaDiMostrare = [&](QDialog&) { ++shown; };
        fs::remove(fs::path(home_.path().toStdString()) / "WAV" / "vocal.Wav");
        comandi.Colonne().DetDaMemoria1Click();
        QCOMPARE(shown, 0);
        QCOMPARE(prompt_.texts.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(prompt_.texts[0]),
                 QStringLiteral("Impossibile Caricare il File Vocale"));
        // With a player the window opens on the columns in memory.
        TFakePlayer player;
        comandi.Colonne().lettore = [&] { return &player; };
        comandi.Colonne().primaDiMostrare = [&](QDialog& d) {
            ++shown;
            auto* w = qobject_cast<TFormDettSche*>(&d);
            QVERIFY(w != nullptr);
            QCOMPARE(w->Dettatura().NumeroSchedine(), 2);
        };
        comandi.Colonne().DetDaMemoria1Click();
        QCOMPARE(shown, 1);
    }

    void operationsRememberedByDialogMemory() {
        test::TScriptedChooser chooser;
        TComandi comandi(*main_, &chooser);
        int round = 0;
        comandi.Colonne().primaDiMostrare = [&](QDialog& d) {
            auto* w = qobject_cast<TFormOperazioni*>(&d);
            QVERIFY(w != nullptr);
            if (round++ == 0) {
                w->RadioN2->setChecked(true);
                w->Source1->setText(QStringLiteral("rid.col"));
            } else {
                QVERIFY(w->RadioN2->isChecked());
                QCOMPARE(w->Source1->text(), QStringLiteral("rid.col"));
                QCOMPARE(w->LabelSource1->text(), QStringLiteral("File del ridotto"));
            }
        };
        comandi.Colonne().Operazioni1Click();
        comandi.Colonne().Operazioni1Click();
        QCOMPARE(round, 2);
    }

    void editorTypingVerificationAndSaveQuestion() {
        test::TScriptedChooser chooser;
        TFormEditorColonnare w(*main_, chooser);
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Editor Colonnare - Personali.col"));
        w.Tabella->setFocus();
        w.Tabella->setCurrentCell(0, 0);
        QTest::keyClicks(w.Tabella, QStringLiteral("20x2"));
        QCOMPARE(w.Tabella->item(0, 0)->text(), QStringLiteral("20"));
        QVERIFY(w.Modificato());
        w.Memorizza();
        w.Mostra();
        QCOMPARE(w.Tabella->item(0, 0)->text(), QStringLiteral("02")); // stored as 5, shown "02"
        QCOMPARE(w.Modello().colonne[0][0], SignSet{5});
        // Enter moves down the teams, then to the next grid column.
        w.Tabella->setCurrentCell(11, 0);
        QTest::keyClick(w.Tabella, Qt::Key_Return);
        QCOMPARE(w.Tabella->currentRow(), 0);
        QCOMPARE(w.Tabella->currentColumn(), 1);

        // Closing asks; Annulla keeps the window, Si verifies first (the column is incomplete).
        prompt_.Clear();
        prompt_.answers = {BtnAnnulla};
        w.reject();
        QVERIFY(w.isVisible());
        QCOMPARE(QString::fromStdString(prompt_.texts.at(0)),
                 QStringLiteral("Le colonne non sono state salvate. Vuoi salvarle ? "));
        QCOMPARE(prompt_.buttonSets.at(0), BtnSi | BtnNo | BtnAnnulla);
        prompt_.Clear();
        prompt_.answers = {BtnSi};
        w.reject();
        QVERIFY(w.isVisible());
        QCOMPARE(QString::fromUtf8(prompt_.texts.at(1).c_str()),
                 QString::fromUtf8("La colonna non è completa"));
        QCOMPARE(w.Tabella->currentRow(), 1); // the first empty team of the column
        QCOMPARE(w.Tabella->currentColumn(), 0);

        // Complete it and save: the default file asks for a name ("Salva le Colonne").
        for (int t = 1; t < kTeams; ++t) {
            w.Tabella->item(t, 0)->setText(QStringLiteral("1"));
        }
        const QString out = home_.filePath(QStringLiteral("COLONNE/mie.col"));
        chooser.answers = {out};
        prompt_.Clear();
        prompt_.answers = {BtnSi};
        w.reject();
        QVERIFY(!w.isVisible());
        QCOMPARE(chooser.asked.back().title, QStringLiteral("Salva le Colonne"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Editor Colonnare - mie.col"));
        TListaColonne saved;
        QVERIFY(saved.LoadFromFile(fs::path(out.toStdString()), false, nullptr));
        QCOMPARE(saved.Size(), std::size_t{1});
        QCOMPARE(saved[0][0], SignSet{5});
        QCOMPARE(saved[0][1], kSign1);
    }

    void editorCommands() {
        test::TScriptedChooser chooser;
        TFormEditorColonnare w(*main_, chooser);
        w.show();
        TListaColonne printed;
        main_->stampaColonne = [&](const TListaColonne& l) { printed = l; };
        w.Modello().colonne = {Col("222222222222"), Colonna{}, Col("000000000000"), Col("111111111111")};
        w.Mostra();
        w.Comando(QStringLiteral("Ordina"))->trigger();
        QCOMPARE(w.Modello().colonne.at(0), Col("000000000000"));
        QCOMPARE(w.Modello().colonne.at(2), Col("222222222222"));
        w.Tabella->setCurrentCell(0, 1);
        w.Comando(QStringLiteral("Inserisce Colonna"))->trigger();
        QCOMPARE(w.Tabella->item(0, 1)->text(), QString());
        QCOMPARE(w.Tabella->item(0, 2)->text(), QStringLiteral("1"));
        w.Comando(QStringLiteral("Cancella Colonna"))->trigger();
        QCOMPARE(w.Tabella->item(0, 1)->text(), QStringLiteral("1"));
        w.chiediColonna = [](int max) {
            return max; // the last one
        };
        w.Comando(QStringLiteral("Salta alla Colonna"))->trigger();
        QCOMPARE(w.Tabella->currentColumn(), 2);
        w.Comando(QStringLiteral("Stampa su Schedine"))->trigger();
        QCOMPARE(printed.Size(), std::size_t{3});
        // Loading a file after the save question answered No.
        const fs::path file = fs::path(home_.path().toStdString()) / "COLONNE" / "carica.col";
        QVERIFY(List(40).SaveToFile(file));
        prompt_.Clear();
        prompt_.answers = {BtnNo};
        chooser.answers = {QString::fromStdString(file.string())};
        w.Comando(QStringLiteral("Carica Colonne"))->trigger();
        QCOMPARE(chooser.asked.back().title, QStringLiteral("Carica le Colonne"));
        QCOMPARE(w.Modello().colonne.size(), std::size_t{40});
        QCOMPARE(w.windowTitle(), QStringLiteral("Editor Colonnare - carica.col"));
        QVERIFY(!w.Modificato());
        w.Comando(QStringLiteral("Salta all'ultima"))->trigger();
        QCOMPARE(w.PrimaVisibile() + w.Tabella->currentColumn(), 39);
        QCOMPARE(w.Tabella->horizontalHeaderItem(w.Tabella->currentColumn())->text(), QStringLiteral("40"));
        w.Comando(QStringLiteral("Azzera"))->trigger();
        QVERIFY(w.Modello().colonne.size() <= std::size_t{kColonneVisibili});
        QCOMPARE(w.windowTitle(), QStringLiteral("Editor Colonnare - Personali.col"));
    }

    void helpPages() {
        const struct {
            int context;
            const char* title;
        } pages[] = {{35, "Visualizzazione Colonne"},
                     {36, "Dettatura Schedine"},
                     {38, "Operazioni Su Files Colonnari"},
                     {101, "Editor Colonnare"}};
        for (const auto& p : pages) {
            QFile f(HelpPagePath(p.context));
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            QVERIFY(QString::fromUtf8(f.readAll())
                        .contains(QStringLiteral("<h1>%1</h1>").arg(QString::fromUtf8(p.title))));
        }
    }

private:
    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
    std::unique_ptr<T_Sistema> sys_;
    std::unique_ptr<TFormPrinc> main_;
};

QTEST_MAIN(TestColumnTools)
#include "column_tools_test.moc"
