// The archive windows: the column check, duplicates, sorted insertion, deleting the last contest,
// saving and the reload on every close; the view of the measures and its remembered groups.

#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "archive/archive_csv.h"
#include "archive/demo_archive.h"
#include "archive/ui/archive_windows.h"
#include "conditions/archive_measures.h"
#include "core/ui/form_saver.h"
#include "system/sistema.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

T_Concorso Contest(std::int32_t anno, int numero, const char* column, std::uint8_t tipo = 1) {
    T_Concorso c;
    c.Anno = anno;
    c.Numero = static_cast<std::uint8_t>(numero);
    c.Tipo = tipo;
    LeggiColonnaVincente(column, c.ColonnaVincente);
    c.AggiornaCompleto();
    return c;
}

// (Anno, Numero) of every contest, as "2024/3 2024/5 ...".
QString Order(const T_Archivio& a) {
    QStringList l;
    for (const T_Concorso& c : a.Concorsi()) {
        l << QStringLiteral("%1/%2").arg(c.Anno).arg(c.Numero);
    }
    return l.join(QLatin1Char(' '));
}

std::vector<unsigned char> ReadBytes(const fs::path& p) {
    QFile f(QString::fromStdString(p.string()));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QByteArray b = f.readAll();
    return std::vector<unsigned char>(b.begin(), b.end());
}

const char* kInvalid = "La Colonna Vincente Non è Valida.";

} // namespace

class TestArchiveWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
        QDir(home_.path()).mkpath(QStringLiteral("ARCHIVI"));
    }
    void init() {
        // Four contests of one season on file; the main window loads them at creation.
        T_Archivio a;
        a.Concorsi() = {Contest(2024, 1, "012M012M012M"), Contest(2024, 2, "111111111111", 2),
                        Contest(2024, 3, "000000000000"), Contest(2024, 4, "MMMMMMMMMMMM")};
        fs::remove_all(File());
        a.Salva(File());
        sys_ = std::make_unique<T_Sistema>();
        w_ = std::make_unique<TFormPrinc>(*sys_);
        w_->SetPrompt(&prompt_);
        prompt_.Clear();
    }
    void cleanup() {
        w_.reset();
        sys_.reset();
    }

    void menuEntriesAreConnected() {
        QVERIFY(!w_->Azione(QStringLiteral("Editazione1Click"))->isEnabled());
        test::TScriptedChooser chooser;
        TComandi comandi(*w_, &chooser);
        QVERIFY(w_->Azione(QStringLiteral("Editazione1Click"))->isEnabled());
        QVERIFY(w_->Azione(QStringLiteral("Visualizzazione1Click"))->isEnabled());
    }

    void columnCheck_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("stored"); // the column text after a successful confirmation
        QTest::newRow("twelve signs") << "0120M0120M01" << true << "0120M0120M01";
        QTest::newRow("spaces between") << "0 1 2 0 M 0 1 2 0 M 0 1" << true << "0120M0120M01";
        QTest::newRow("lower-case m") << "mmmm11112222" << true << "MMMM11112222";
        QTest::newRow("unknown signs") << "0120M0120M**" << true << "0120M0120M**";
        QTest::newRow("empty field") << "" << true << "************";
        QTest::newRow("eleven signs") << "0120M0120M0" << false << "";
        QTest::newRow("letter") << "0120M0120M0X" << false << "";
        QTest::newRow("digit 3") << "0120M0120M03" << false << "";
        QTest::newRow("punctuation") << "0120M0120M0," << false << "";
    }
    void columnCheck() {
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        QFETCH(QString, stored);
        TFormEditconcprec f(*w_);
        f.show();
        QCOMPARE(f.Posizione(), std::size_t{3});
        QCOMPARE(f.ColonnaVincente->text(), QStringLiteral("MMMMMMMMMMMM"));
        QVERIFY(!f.Modificato());
        f.ColonnaVincente->setText(typed);
        QVERIFY(f.Modificato());
        f.PrecedenteClick();
        const T_Concorso& c = w_->Archivio().Concorsi()[3];
        if (valid) {
            QVERIFY(prompt_.texts.empty());
            QCOMPARE(f.Posizione(), std::size_t{2});
            QCOMPARE(QString::fromStdString(TestoColonnaVincente(c.ColonnaVincente)), stored);
            QCOMPARE(c.Completo, std::uint8_t(stored.contains(QLatin1Char('*')) ? 0 : 1));
        } else {
            QCOMPARE(prompt_.texts.size(), std::size_t{1});
            QCOMPARE(prompt_.texts[0], std::string(kInvalid));
            QCOMPARE(prompt_.titles[0], std::string("Informazione"));
            QCOMPARE(f.Posizione(), std::size_t{3}); // stays on the contest
            QCOMPARE(QString::fromStdString(TestoColonnaVincente(c.ColonnaVincente)),
                     QStringLiteral("MMMMMMMMMMMM"));
        }
        QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/1 2024/2 2024/3 2024/4"));
    }

    void duplicate_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("replace") << int(BtnSi);
        QTest::newRow("keep") << int(BtnNo);
    }
    void duplicate() {
        QFETCH(int, answer);
        const auto before = ReadBytes(File());
        TFormEditconcprec f(*w_);
        f.show();
        f.PrimoClick();
        QCOMPARE(f.Posizione(), std::size_t{0});
        f.Concorso->setValue(3); // 2024/1 becomes 2024/3, which exists
        f.CheckBasket->setChecked(true);
        prompt_.answers = {answer};
        f.SuccessivoClick();
        QCOMPARE(prompt_.texts.size(), std::size_t{1});
        QCOMPARE(prompt_.texts[0], std::string("Il Concorso è già in memoria. Devo Sostituirlo ?"));
        if (answer == BtnSi) {
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/2 2024/3 2024/4"));
            const T_Concorso& replaced = w_->Archivio().Concorsi()[1];
            QCOMPARE(replaced.Tipo, std::uint8_t{2});
            QCOMPARE(TestoColonnaVincente(replaced.ColonnaVincente), std::string("012M012M012M"));
            f.accept();
            QCOMPARE(f.result(), int(QDialog::Accepted));
            T_Archivio back;
            T_IntervalloConcorsi range;
            back.Carica(range, File());
            QCOMPARE(Order(back), QStringLiteral("2024/2 2024/3 2024/4"));
        } else {
            // Refused: the window stays on the contest and both stay in the list for now.
            QCOMPARE(f.Posizione(), std::size_t{0});
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/3 2024/2 2024/3 2024/4"));
            // "Ok" asks again rather than saving a duplicate; refusing again saves nothing.
            prompt_.answers = {BtnNo};
            f.accept();
            QCOMPARE(prompt_.texts.size(), std::size_t{2});
            QCOMPARE(prompt_.texts[1], std::string("Il Concorso è già in memoria. Devo Sostituirlo ?"));
            QVERIFY(f.isVisible());
            QCOMPARE(ReadBytes(File()), before);
            f.reject(); // closing throws the edit away
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/1 2024/2 2024/3 2024/4"));
        }
    }

    void sortedInsertion_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("season"); // the second year, as the spin edit shows it
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("order");
        QTest::newRow("to the front") << 2 << 2024 << 5 << "2023/5 2024/1 2024/2 2024/4";
        QTest::newRow("to the end") << 0 << 2026 << 1 << "2024/2 2024/3 2024/4 2025/1";
        QTest::newRow("between") << 3 << 2025 << 2 << "2024/1 2024/2 2024/3";
        QTest::newRow("number up") << 0 << 2025 << 9 << "2024/2 2024/3 2024/4 2024/9";
        QTest::newRow("only the column") << 1 << 2025 << 2 << "2024/1 2024/2 2024/3 2024/4";
    }
    void sortedInsertion() {
        QFETCH(int, position);
        QFETCH(int, season);
        QFETCH(int, number);
        QFETCH(QString, order);
        TFormEditconcprec f(*w_);
        f.show();
        f.PrimoClick();
        for (int i = 0; i < position; ++i) {
            f.SuccessivoClick();
        }
        const std::uint8_t kind = w_->Archivio().Concorsi()[static_cast<std::size_t>(position)].Tipo;
        f.Annosup->setValue(season);
        QCOMPARE(f.AnnoInf->text(), QString::number(season - 1));
        f.Concorso->setValue(number);
        f.ColonnaVincente->setText(QStringLiteral("2222 2222 2222"));
        prompt_.answers = {BtnSi};
        f.accept();
        QCOMPARE(Order(w_->Archivio()), order);
        if (QTest::currentDataTag() != QByteArray("between")) {
            QVERIFY(prompt_.texts.empty());
        }
        // The edited contest keeps its kind and carries the new column wherever it went.
        for (const T_Concorso& c : w_->Archivio().Concorsi()) {
            if (c.Anno == season - 1 && c.Numero == number) {
                QCOMPARE(c.Tipo, kind);
                QCOMPARE(TestoColonnaVincente(c.ColonnaVincente), std::string("222222222222"));
            }
        }
        QCOMPARE(sys_->dati.settings.ricerca.Intervallo.AnnoDa, w_->Archivio().Concorsi().front().Anno);
        QCOMPARE(sys_->dati.settings.ricerca.Intervallo.NumeroA, w_->Archivio().Concorsi().back().Numero);
    }

    void deletingTheLastContest_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("Si") << int(BtnSi);
        QTest::newRow("No") << int(BtnNo);
    }
    void deletingTheLastContest() {
        QFETCH(int, answer);
        w_->Archivio().Concorsi() = {Contest(2020, 7, "012M012M012M")};
        TFormEditconcprec f(*w_);
        f.show();
        prompt_.answers = {answer};
        f.EliminaClick();
        QCOMPARE(prompt_.titles.at(0), std::string("Conferma"));
        QCOMPARE(prompt_.texts.at(0), std::string("Vuoi Eliminare Il Concorso In Esame ?"));
        QCOMPARE(w_->Archivio().Count(), std::size_t{1});
        const T_Concorso& c = w_->Archivio().Concorsi()[0];
        if (answer == BtnNo) {
            QVERIFY(!f.Modificato());
            QCOMPARE(c.Anno, 2020);
            return;
        }
        // A new contest takes its place: this year, number 1, every sign unknown (an empty field).
        QVERIFY(f.Modificato());
        QCOMPARE(c.Anno, QDate::currentDate().year());
        QCOMPARE(c.Numero, std::uint8_t{1});
        QCOMPARE(f.ColonnaVincente->text(), QString());
        QCOMPARE(f.Posizione(), std::size_t{0});
        f.accept(); // the empty field is the unknown column: saved without a message
        QVERIFY(prompt_.texts.size() == 1);
        const auto bytes = ReadBytes(File());
        QCOMPARE(bytes.size(), std::size_t{19});
        QCOMPARE(int(bytes[0]), 1);
        QCOMPARE(int(bytes[18]), 0);
    }

    void reloadOnClose_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Annulla after a change") << "annulla";
        QTest::newRow("Ok after a change") << "ok";
        QTest::newRow("Annulla without a change") << "unchanged";
        QTest::newRow("file gone") << "gone";
    }
    void reloadOnClose() {
        QFETCH(QString, how);
        TFormEditconcprec f(*w_);
        f.show();
        if (how != QStringLiteral("unchanged")) {
            f.AggiungiClick(); // 2024/5
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/1 2024/2 2024/3 2024/4 2024/5"));
        }
        if (how == QStringLiteral("gone")) {
            fs::remove(File());
        }
        // Behind the window's back the file gains a contest: a reload shows it.
        T_Archivio other;
        other.Concorsi() = {Contest(2019, 1, "111111111111")};
        if (how == QStringLiteral("annulla") || how == QStringLiteral("unchanged")) {
            other.Salva(File());
        }
        if (how == QStringLiteral("ok")) {
            f.ColonnaVincente->setText(QStringLiteral("000000000000"));
            f.accept();
            QCOMPARE(f.result(), int(QDialog::Accepted));
            QCOMPARE(ReadBytes(File()).size(), std::size_t{5 * 19});
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/1 2024/2 2024/3 2024/4 2024/5"));
            QVERIFY(w_->Azione(QStringLiteral("Visualizzazione1Click")) != nullptr);
            return;
        }
        f.reject();
        if (how == QStringLiteral("annulla")) {
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2019/1"));
            QCOMPARE(sys_->dati.settings.ricerca.Intervallo.AnnoA, std::int16_t{2019});
        } else if (how == QStringLiteral("unchanged")) {
            QCOMPARE(Order(w_->Archivio()), QStringLiteral("2024/1 2024/2 2024/3 2024/4"));
        } else {
            QCOMPARE(prompt_.texts.size(), std::size_t{1});
            QCOMPARE(prompt_.texts[0], std::string("Impossibile Annullare Le Modifiche."));
            QCOMPARE(w_->Archivio().Count(), std::size_t{5}); // never emptied
        }
    }

    void saveFailureKeepsTheWindowOpen() {
        TFormEditconcprec f(*w_);
        f.show();
        f.AggiungiClick();
        f.ColonnaVincente->setText(QStringLiteral("111111111111"));
        // The archive's name is taken by a folder: the new file cannot replace it.
        fs::remove(File());
        fs::create_directories(File() / "x");
        f.accept();
        QCOMPARE(prompt_.texts.size(), std::size_t{1});
        QCOMPARE(prompt_.texts[0], std::string("Impossibile Salvare Le Modifiche."));
        QVERIFY(f.isVisible());
        QVERIFY(f.Modificato());
        QVERIFY(fs::is_directory(File()));
        fs::remove_all(File());
    }

    void viewShowsTheMeasures() {
        w_->Archivio() = ArchivioDimostrativo();
        TFormvisArchivio v(*w_);
        v.show();
        QVERIFY(!v.BtnStampa->isVisible() || v.stampa);
        const auto& list = w_->Archivio().Concorsi();
        QCOMPARE(v.SBar->maximum(), int(list.size()) - 12);
        QCOMPARE(v.GridNum->item(0, 0)->text(), QStringLiteral("Anno"));
        QCOMPARE(v.GridNum->item(0, 3)->text(), QStringLiteral("Colonna"));
        QCOMPARE(v.GridNum->item(1, 0)->text(), QStringLiteral("2014"));
        QCOMPARE(v.GridNum->item(1, 2)->text(), QStringLiteral("Calcio"));
        // Row 1 is the first contest: its sign counts add up to twelve; no repetitions yet.
        int teams = 0;
        for (int s = 0; s < 4; ++s) {
            teams += v.GridNum->item(1, v.ColonnaGriglia(kGruppoNumeroSegni, 2 * s))->text().toInt();
        }
        QCOMPARE(teams, 12);
        QCOMPARE(v.GridNum->item(1, v.ColonnaGriglia(kGruppoRipetizioni, 0))->text(), QString());
        QVERIFY(!v.GridNum->item(3, v.ColonnaGriglia(kGruppoRipetizioni, 0))->text().isEmpty());
        // The last row is the unfinished contest: its column shows, its measures stay empty.
        v.SBar->setValue(v.SBar->maximum());
        QCOMPARE(v.GridNum->item(12, 1)->text(), QStringLiteral("16"));
        QVERIFY(v.GridNum->item(12, 3)->text().endsWith(QStringLiteral("****")));
        QCOMPARE(v.GridNum->item(12, v.ColonnaGriglia(kGruppoNumeroSegni, 0))->text(), QString());
        QCOMPARE(v.GridNum->item(11, 1)->text(), QStringLiteral("15"));
        QVERIFY(!v.GridNum->item(11, v.ColonnaGriglia(kGruppoNumeroSegni, 0))->text().isEmpty());
        // A group switched off hides its columns in both grids; "Terzine" starts off.
        const int ter = v.ColonnaGriglia(kGruppoTerzine, 0);
        QVERIFY(v.GridNum->isColumnHidden(ter));
        v.Caselle[kGruppoTerzine]->setChecked(true);
        v.Caselle[kGruppoNumeroSegni]->setChecked(false);
        QVERIFY(!v.GridNum->isColumnHidden(ter) || v.SBarOriz->value() > 0);
        QVERIFY(v.GridNum->isColumnHidden(v.ColonnaGriglia(kGruppoNumeroSegni, 0)));
        QVERIFY(v.GridInt->isColumnHidden(v.ColonnaGriglia(kGruppoNumeroSegni, 0)));
        QVERIFY(!v.GridNum->isColumnHidden(0));
        // The horizontal bar scrolls the measures only.
        v.SBarOriz->setValue(v.SBarOriz->maximum());
        QVERIFY(v.SBarOriz->maximum() > 0);
        QVERIFY(!v.GridNum->isColumnHidden(3));
        QVERIFY(!v.GridNum->isColumnHidden(v.ColonnaGriglia(kGruppoQuartine, 14)) ||
                !v.Caselle[kGruppoQuartine]->isChecked());
        // Fits a 640 x 480 screen.
        QVERIFY(v.minimumSizeHint().width() <= 640);
        QVERIFY(v.minimumSizeHint().height() <= 480);
        // The dialog memory brings the groups back.
        TFormSaver saver;
        saver.Salva(&v);
        TFormvisArchivio again(*w_);
        saver.Ripristina(&again);
        QVERIFY(again.Caselle[kGruppoTerzine]->isChecked());
        QVERIFY(!again.Caselle[kGruppoNumeroSegni]->isChecked());
        QVERIFY(again.GridNum->isColumnHidden(again.ColonnaGriglia(kGruppoNumeroSegni, 0)));
    }

private:
    fs::path File() const { return fs::path(home_.path().toStdString()) / "ARCHIVI" / "archivio.tts"; }

    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
    std::unique_ptr<T_Sistema> sys_;
    std::unique_ptr<TFormPrinc> w_;
};

QTEST_MAIN(TestArchiveWindows)
#include "archive_windows_test.moc"
