// A session as a new user goes through it: the example system loaded and developed with its
// reduction, the columns and the system saved, a new system, both opened again.

#include <QtTest>
#include <filesystem>
#include <memory>

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "develop/driver.h"
#include "develop/ui/develop_commands.h"
#include "develop/ui/develop_window.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "system/ui/system_commands.h"
#include "ui_support.h"

using namespace tessaline;
namespace fs = std::filesystem;

class TestTypicalRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }

    void exampleSystemRoundTrip() {
        T_Sistema sys;
        sys.dati.settings = DefaultSettings();
        TFormPrinc w(sys);
        w.SetPrompt(&prompt_);
        TComandi comandi(w, &chooser_);
        const QString example = QStringLiteral(TESSALINE_SOURCE_DIR "/data/Sistemi/esempio1.svs");
        chooser_.answers = {example};
        comandi.Sistema().CaricaClick();
        QCOMPARE(sys.dati.teamNames[0], std::string("Inter"));
        QCOMPARE(sys.dati.sviluppo.ReducedDevelopment, std::uint8_t{1});
        QCOMPARE(ColumnsCovered(sys.dati.Forecast), std::int64_t{144});
        QVERIFY(w.Azione(QStringLiteral("CalcoloColonne1Click"))->isEnabled());

        comandi.Sviluppo().CalcoloColonne1Click();
        const TDevelopResult& r = comandi.Sviluppo().UltimoRisultato();
        QVERIFY(!r.stopped);
        const int kept = sys.Colonne.Count();
        QVERIFY(r.accepted < 144);               // its conditions filter
        QVERIFY(kept >= 1 && kept < r.accepted); // and its reduction keeps fewer still
        TFrmSviluppo* f = comandi.Sviluppo().FinestraSviluppo();
        QCOMPARE(f->ColonneIniziali->text(), QStringLiteral("144"));
        QCOMPARE(f->ColonneFiltrate->text(), QString::number(144 - r.accepted));
        QVERIFY(f->RColonneFinali->text().startsWith(QString::number(kept) + QStringLiteral(" (")));
        f->BtnOk->click();

        const QString cols = home_.path() + QStringLiteral("/COLONNE/esempio.Col");
        const QString saved = home_.path() + QStringLiteral("/Sistemi/mio.Svs");
        chooser_.answers = {cols, saved};
        comandi.Sviluppo().SalvasuDisco1Click();
        QCOMPARE(fs::file_size(cols.toStdString()), std::uintmax_t(12 * kept));
        comandi.Sistema().SalvaComeClick();
        QVERIFY(!sys.modified);

        prompt_.answers = {BtnNo};
        comandi.Sistema().New1Click();
        QVERIFY(sys.Colonne.Empty());
        QCOMPARE(sys.dati.teamNames[0], std::string());

        chooser_.answers = {saved};
        comandi.Sistema().CaricaClick();
        QCOMPARE(sys.Colonne.Count(), kept); // saved with its columns
        QCOMPARE(sys.dati.teamNames[0], std::string("Inter"));
        QVERIFY(w.PColonneF->text().startsWith(QStringLiteral("  Colonne Finali : %1 (").arg(kept)));
        TListaColonne back;
        QVERIFY(back.LoadFromFile(cols.toStdString(), false, nullptr));
        QCOMPARE(back.Count(), kept);
        for (int i = 0; i < kept; ++i) {
            QVERIFY(back[static_cast<std::size_t>(i)] == sys.Colonne[static_cast<std::size_t>(i)]);
        }
    }

private:
    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
    test::TScriptedChooser chooser_;
};

QTEST_MAIN(TestTypicalRun)
#include "typical_run_test.moc"
