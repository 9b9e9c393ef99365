// The system, coupon and column-file commands of the main window: their dialogs, their questions
// and what they leave in the system; the participants and comment windows; the command line.

#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "develop/ui/develop_commands.h"
#include "main_fixture.h"
#include "system/config_file.h"
#include "system/coupon.h"
#include "system/sistema.h"
#include "system/ui/system_commands.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

namespace {

std::string Bytes(const QString& file) {
    std::ifstream in(file.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

class TestSystemCommands : public test::TMainWindowTest {
    Q_OBJECT
private slots:
    void initTestCase() { PreparaCartella(); }
    void init() { Apri(); }
    void cleanup() { Chiudi(); }

    void salvaAsksForANameOnce() {
        sys_->dati.teamNames[0] = "Roma";
        sys_->modified = true;
        const QString file = Path("Sistemi/primo.Svs");
        chooser_.answers = {file};
        comandi_->Sistema().Save1Click();
        QCOMPARE(chooser_.asked.size(), std::size_t{1});
        const TFileDialogRequest& request = chooser_.asked[0];
        QVERIFY(request.save);
        QCOMPARE(request.filter, QStringLiteral("Sistemi|*.Svs"));
        QCOMPARE(request.defaultExtension, QStringLiteral("Svs"));
        QCOMPARE(request.name, QStringLiteral("SENZANOME.SVS"));
        QVERIFY(request.folder.endsWith(QStringLiteral("Sistemi")));
        QVERIFY(fs::exists(file.toStdString()));
        QVERIFY(!sys_->untitled);
        QVERIFY(!sys_->modified);
        QCOMPARE(w_->windowTitle(), QStringLiteral(" Tessaline 2.0 - primo"));

        sys_->dati.teamNames[0] = "Lazio";
        sys_->modified = true;
        comandi_->Sistema().Save1Click(); // the name is known now
        QCOMPARE(chooser_.asked.size(), std::size_t{1});
        QVERIFY(!sys_->modified);
        QVERIFY(prompt_.texts.empty() || prompt_.texts.back() == "Impossibile Caricare lo Sfondo");
        T_Sistema back;
        QVERIFY(back.Load(file.toStdString()));
        QCOMPARE(back.dati.teamNames[0], std::string("Lazio"));
    }

    void salvaComeAsksBeforeOverwriting() {
        const QString file = Path("Sistemi/esistente.Svs");
        { std::ofstream(file.toStdString()) << "vecchio"; }
        sys_->modified = true;
        chooser_.answers = {file, file};
        prompt_.answers = {BtnNo};
        comandi_->Sistema().SalvaComeClick();
        QCOMPARE(prompt_.texts.back(), std::string("Il file esiste gia. Vuoi sovrascriverlo ? "));
        QCOMPARE(prompt_.titles.back(), std::string("Informazione"));
        QCOMPARE(prompt_.buttonSets.back(), BtnSi | BtnNo);
        QCOMPARE(Bytes(file), std::string("vecchio"));
        QVERIFY(sys_->untitled);
        QVERIFY(sys_->modified);

        prompt_.answers = {BtnSi};
        comandi_->Sistema().SalvaComeClick();
        QVERIFY(Bytes(file) != "vecchio");
        QCOMPARE(QString::fromStdString(sys_->fileName.string()), file);
        QVERIFY(!sys_->untitled);
        QVERIFY(!sys_->modified);
    }

    void caricaAsksAboutTheUnsavedSystem() {
        const QString file = Path("Sistemi/caricato.Svs");
        {
            T_Sistema other;
            other.dati.teamNames[3] = "Genoa";
            other.dati.ContestNumber = 17;
            other.fileName = file.toStdString();
            QVERIFY(other.Save());
        }
        sys_->modified = true;
        prompt_.answers = {BtnAnnulla};
        comandi_->Sistema().CaricaClick();
        QVERIFY(chooser_.asked.empty()); // Annulla stops before the dialog
        QCOMPARE(prompt_.texts.back(), std::string("Il Sistema non è Stato Salvato. Vuoi Salvarlo ? "));
        QCOMPARE(prompt_.buttonSets.back(), BtnSi | BtnNo | BtnAnnulla);

        prompt_.answers = {BtnNo};
        chooser_.answers = {file};
        comandi_->Sistema().CaricaClick();
        const TFileDialogRequest& request = chooser_.asked.back();
        QCOMPARE(request.title, QStringLiteral("Caricare Il Sistema"));
        QCOMPARE(request.filter, QStringLiteral("Sistemi    *.Svs|*.Svs"));
        QVERIFY(request.mustExist);
        QCOMPARE(request.name, QStringLiteral("SENZANOME.SVS"));
        QCOMPARE(sys_->dati.teamNames[3], std::string("Genoa"));
        QCOMPARE(w_->EditSchedina->Numero->text(), QStringLiteral("17"));
        QCOMPARE(QString::fromStdString(sys_->fileName.string()), file);
        QVERIFY(!sys_->modified);

        // A file that is not a system: the message, and the system stays as it was.
        const QString bad = Path("Sistemi/rotto.Svs");
        { std::ofstream(bad.toStdString()) << "xx"; }
        chooser_.answers = {bad};
        comandi_->Sistema().CaricaClick();
        QCOMPARE(prompt_.texts.back(), std::string("Impossibile Caricare Il Sistema"));
        QCOMPARE(sys_->dati.teamNames[3], std::string("Genoa"));
        QCOMPARE(chooser_.asked.back().name, QStringLiteral("caricato.Svs"));
    }

    void nuovoEmptiesTheSystem() {
        sys_->dati.teamNames[0] = "Roma";
        sys_->dati.Forecast[0] = kSign1;
        sys_->fileName = Path("Sistemi/vecchio.Svs").toStdString();
        sys_->untitled = false;
        sys_->Colonne.Append(Colonna{});
        w_->ImpostaTutto();
        sys_->modified = true;
        prompt_.answers = {BtnNo};
        comandi_->Sistema().New1Click();
        QCOMPARE(sys_->fileName.filename().string(), std::string("SENZANOME.SVS"));
        QVERIFY(sys_->untitled);
        QVERIFY(!sys_->modified);
        QVERIFY(sys_->Colonne.Empty());
        QCOMPARE(sys_->dati.teamNames[0], std::string());
        QCOMPARE(w_->EditSchedina->GetSquadre()[0], std::string());
        QCOMPARE(w_->EditSchedina->GetPronostico()[0], SignSet{0});
    }

    void cancellaAsksFirst() {
        const QString file = Path("Sistemi/dacancellare.Svs");
        { std::ofstream(file.toStdString()) << "x"; }
        chooser_.answers = {file, file, Path("Sistemi/nessuno.Svs")};
        prompt_.answers = {BtnNo};
        comandi_->Sistema().CancellaClick();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Cancella Il Sistema"));
        QCOMPARE(chooser_.asked.back().name, QString());
        QCOMPARE(prompt_.titles.back(), std::string("Conferma"));
        QCOMPARE(QString::fromStdString(prompt_.texts.back()),
                 QStringLiteral("Vuoi Cancellare ") + file + QLatin1Char('?'));
        QCOMPARE(prompt_.buttonSets.back(), BtnSi | BtnNo | BtnAnnulla);
        QVERIFY(fs::exists(file.toStdString()));
        prompt_.answers = {BtnSi};
        comandi_->Sistema().CancellaClick();
        QVERIFY(!fs::exists(file.toStdString()));
        comandi_->Sistema().CancellaClick();
        QCOMPARE(prompt_.texts.back(), std::string("Impossibile Cancellare Il Sistema"));
    }

    void couponSavedAndLoaded() {
        sys_->dati.teamNames = {"Roma",   "Lazio", "Milan", "Inter",     "Juventus", "Torino",
                                "Napoli", "Bari",  "Genoa", "Sampdoria", "Verona",   "Chievo"};
        sys_->dati.ContestNumber = 31;
        const QString file = Path("Schedine/prova.Xsc");
        chooser_.answers = {file};
        comandi_->Sistema().SalvaSchedina1Click();
        const TFileDialogRequest& request = chooser_.asked.back();
        QCOMPARE(request.title, QStringLiteral("Salva la Schedina"));
        QCOMPARE(request.filter, QStringLiteral("File di Schedina (*.Xsc)|*.Xsc"));
        QCOMPARE(request.defaultExtension, QStringLiteral("Xsc"));
        QVERIFY(request.folder.endsWith(QStringLiteral("Schedine")));
        QCOMPARE(request.name, QString());
        QCOMPARE(fs::file_size(file.toStdString()), std::uintmax_t{160});

        sys_->dati.teamNames = {};
        sys_->dati.ContestNumber = 1;
        sys_->dati.Forecast[2] = kSign2;
        w_->ImpostaTutto();
        chooser_.answers = {file};
        comandi_->Sistema().CaricaSchedina1Click();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Carica la Schedina"));
        QVERIFY(chooser_.asked.back().mustExist);
        QCOMPARE(sys_->dati.teamNames[9], std::string("Sampdoria"));
        QCOMPARE(sys_->dati.ContestNumber, 31);
        QCOMPARE(sys_->dati.Forecast[2], kSign2); // the forecast stays
        QCOMPARE(w_->EditSchedina->GetSquadre()[4], std::string("Juventus"));

        chooser_.answers = {Path("Schedine/manca.Xsc")};
        comandi_->Sistema().CaricaSchedina1Click();
        QCOMPARE(prompt_.texts.back(), std::string("Impossibile Caricare la Schedina"));
    }

    void participants_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("names");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("three for three") << 3 << true << QStringLiteral("Anna\nBruno\nCarla") << true;
        QTest::newRow("two for three") << 3 << true << QStringLiteral("Anna\nBruno") << false;
        QTest::newRow("blank lines do not count")
            << 3 << true << QStringLiteral("Anna\n  \nBruno\n\n") << false;
        QTest::newRow("blank lines dropped") << 2 << true << QStringLiteral("Anna\n  \nBruno\n") << true;
        QTest::newRow("any names for one")
            << 1 << true << QStringLiteral("Anna\nBruno\nCarla\nDario") << true;
        QTest::newRow("names not specified") << 4 << false << QStringLiteral("Anna") << true;
    }
    void participants() {
        QFETCH(int, number);
        QFETCH(bool, names);
        QFETCH(QString, memo);
        QFETCH(bool, accepted);
        sys_->participants = {"Vecchio"};
        TFormSoci d(*sys_, prompt_);
        QCOMPARE(d.MemoNomi->toPlainText(), QStringLiteral("Vecchio"));
        d.SpinNumero->setValue(number);
        d.CheckNomi->setChecked(names);
        d.MemoNomi->setPlainText(memo);
        d.accept();
        QCOMPARE(d.result() == QDialog::Accepted, accepted);
        if (!accepted) {
            QCOMPARE(prompt_.texts.back(),
                     std::string("Il numero dei nomi dei soci non corrisponde a quello specificato"));
            QCOMPARE(sys_->ParticipantCount, 1);
            QCOMPARE(sys_->participants, std::vector<std::string>{"Vecchio"});
            return;
        }
        QCOMPARE(sys_->ParticipantCount, number);
        QCOMPARE(sys_->participantNamesFlag, std::uint8_t(names ? 1 : 0));
        for (const std::string& n : sys_->participants) {
            QVERIFY(QString::fromStdString(n).trimmed().size() > 0);
        }
        if (!names) {
            QVERIFY(sys_->participants.empty());
        }
    }

    void commentReplacedOnlyByOk() {
        sys_->comment = {"prima riga"};
        {
            TFormCommento d(*sys_);
            d.Memo->setPlainText(QStringLiteral("uno\ndue"));
            d.reject();
        }
        QCOMPARE(sys_->comment, std::vector<std::string>{"prima riga"});
        TFormCommento d(*sys_);
        QCOMPARE(d.Memo->toPlainText(), QStringLiteral("prima riga"));
        d.Memo->setPlainText(QStringLiteral("uno\n\ndue"));
        d.accept();
        QCOMPARE(sys_->comment, (std::vector<std::string>{"uno", "", "due"}));
        QVERIFY(sys_->modified);
    }

    void columnFiles() {
        Colonna c;
        for (int i = 0; i < kTeams; ++i) {
            c[i] = kSign1;
        }
        sys_->Colonne.Append(c);
        c[0] = kSign0;
        sys_->Colonne.Append(c);
        const QString col = Path("COLONNE/giocate.Col");
        chooser_.answers = {col};
        comandi_->Sviluppo().SalvasuDisco1Click();
        const TFileDialogRequest& request = chooser_.asked.back();
        QCOMPARE(request.title, QStringLiteral("Salva le Colonne"));
        QCOMPARE(request.filter, QStringLiteral("Col file|*.Col"));
        QCOMPARE(request.defaultExtension, QStringLiteral("Col"));
        QVERIFY(request.folder.endsWith(QStringLiteral("COLONNE")));
        QCOMPARE(fs::file_size(col.toStdString()), std::uintmax_t{24});

        // Over an existing file only after "Si".
        sys_->Colonne.Truncate(1);
        chooser_.answers = {col, col};
        prompt_.answers = {BtnNo, BtnSi};
        comandi_->Sviluppo().SalvasuDisco1Click();
        QCOMPARE(prompt_.texts.back(), std::string("Il File è Gia Presente su Disco. Vuoi Sovrascriverlo"));
        QCOMPARE(prompt_.buttonSets.back(), BtnSi | BtnNo);
        QCOMPARE(fs::file_size(col.toStdString()), std::uintmax_t{24});
        comandi_->Sviluppo().SalvasuDisco1Click();
        QCOMPARE(fs::file_size(col.toStdString()), std::uintmax_t{12});

        const QString txt = Path("COLONNE/giocate.Txt");
        chooser_.answers = {txt};
        comandi_->Sviluppo().EsportainASCII1Click();
        QCOMPARE(chooser_.asked.back().filter, QStringLiteral("Txt file|*.Txt"));
        QCOMPARE(chooser_.asked.back().defaultExtension, QStringLiteral("Txt"));
        QCOMPARE(Bytes(txt), std::string("111111111111\r\n"));

        // Importing: a good file fills the list, a bad one empties it with the message.
        {
            std::ofstream(txt.toStdString(), std::ios::binary)
                << "0 1 2 M 0 1 2 M 0 1 2 M\r\n2222222222220\r\n";
        }
        chooser_.answers = {txt};
        comandi_->Sviluppo().ImportadaASCII1Click();
        QCOMPARE(chooser_.asked.back().title, QStringLiteral("Carica le Colonne"));
        QVERIFY(chooser_.asked.back().mustExist);
        QCOMPARE(sys_->Colonne.Count(), 1);
        QCOMPARE(QString::fromStdString(ColumnText(sys_->Colonne[0])), QStringLiteral("012M012M012M"));
        { std::ofstream(txt.toStdString(), std::ios::binary) << "111111111111\r\n11111111111x\r\n"; }
        chooser_.answers = {txt};
        comandi_->Sviluppo().ImportadaASCII1Click();
        QVERIFY(sys_->Colonne.Empty());
        QCOMPARE(prompt_.texts.back(), std::string("Errore durante la lettura del file di testo"));
    }

    void commandLineSystemStaysCurrent() {
        const QString file = Path("Sistemi/argomento.Svs");
        {
            T_Sistema other;
            other.dati.teamNames[0] = "Bologna";
            other.fileName = file.toStdString();
            QVERIFY(other.Save());
        }
        // An example system that must not take its place.
        {
            T_Sistema example;
            example.dati.teamNames[0] = "Esempio";
            example.fileName = Path("Sistemi/esempio1.svs").toStdString();
            QVERIFY(example.Save());
        }
        w_->FormShow({file});
        QCOMPARE(QString::fromStdString(sys_->fileName.string()), file);
        QCOMPARE(sys_->dati.teamNames[0], std::string("Bologna"));
        QCOMPARE(w_->EditSchedina->GetSquadre()[0], std::string("Bologna"));
        QVERIFY(!sys_->modified);
        QCOMPARE(w_->windowTitle(), QStringLiteral(" Tessaline 2.0 - argomento"));
    }

    void lastCouponComesBack() {
        TSchedina s;
        s.ContestNumber = 44;
        s.teamNames[1] = "Parma";
        QVERIFY(SalvaFileSchedina(UltimaSchedina(), s));
        w_->FormShow({});
        QCOMPARE(sys_->dati.teamNames[1], std::string("Parma"));
        QCOMPARE(w_->EditSchedina->Numero->text(), QStringLiteral("44"));
        QVERIFY(!sys_->modified);
        // Closing keeps the coupon on screen for the next start.
        sys_->dati.teamNames[1] = "Lecce";
        w_->close();
        TSchedina back;
        QVERIFY(CaricaFileSchedina(UltimaSchedina(), back));
        QCOMPARE(back.teamNames[1], std::string("Lecce"));
    }

private:
    QString Path(const char* rel) const { return home_.path() + QLatin1Char('/') + QLatin1String(rel); }
};

QTEST_MAIN(TestSystemCommands)
#include "system_commands_test.moc"
