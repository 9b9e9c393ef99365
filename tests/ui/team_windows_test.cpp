// The team list windows: adding, modifying and deleting names in the sorted lists, OK and Annulla,
// the team edit window's check, and the slot rules of the team selection window.

#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/ui/coupon_editor.h"
#include "system/config_file.h"
#include "system/sistema.h"
#include "system/team_lists.h"
#include "system/ui/team_windows.h"
#include "ui_support.h"

using namespace tessaline;

namespace {

QStringList Shown(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

std::string FileText(TLega lega) {
    std::ifstream in(FileLega(lega), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteList(TLega lega, const std::string& text) {
    std::ofstream(FileLega(lega), std::ios::binary) << text;
}

} // namespace

class TestTeamWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        test::PrepareHome(home_);
    }
    void init() {
        WriteList(TLega::A, "Roma\r\nInter\r\nMilan\r\n");
        WriteList(TLega::B, "Bari\r\n");
        std::filesystem::remove(FileLega(TLega::C1));
        WriteList(TLega::C2, "");
        prompt_.Clear();
    }

    void addModifyDelete() {
        TFormListaSquadre w(prompt_);
        QCOMPARE(w.Lega(), TLega::A);
        QVERIFY(w.Leghe[0]->isChecked());
        QCOMPARE(Shown(w.ListBoxSquadre),
                 (QStringList{QStringLiteral("Inter"), QStringLiteral("Milan"), QStringLiteral("Roma")}));
        std::optional<QString> answer = QStringLiteral("Lazio");
        QString offered;
        w.editaNome = [&](const QString& name) {
            offered = name;
            return answer;
        };
        w.AggiungiClick();
        QCOMPARE(offered, QString());
        QCOMPARE(Shown(w.ListBoxSquadre), (QStringList{QStringLiteral("Inter"), QStringLiteral("Lazio"),
                                                       QStringLiteral("Milan"), QStringLiteral("Roma")}));
        QCOMPARE(w.ListBoxSquadre->currentItem()->text(), QStringLiteral("Lazio"));

        // Modifying takes the selected line out and puts the new name in its sorted place.
        w.ListBoxSquadre->setCurrentRow(3);
        answer = QStringLiteral("Atalanta");
        w.ModificaClick();
        QCOMPARE(offered, QStringLiteral("Roma"));
        QCOMPARE(Shown(w.ListBoxSquadre), (QStringList{QStringLiteral("Atalanta"), QStringLiteral("Inter"),
                                                       QStringLiteral("Lazio"), QStringLiteral("Milan")}));
        answer.reset(); // the edit window's Annulla
        w.ListBoxSquadre->setCurrentRow(0);
        w.ModificaClick();
        QCOMPARE(w.ListBoxSquadre->count(), 4);

        w.ListBoxSquadre->setCurrentRow(1);
        w.CancellaClick();
        QCOMPARE(Shown(w.ListBoxSquadre),
                 (QStringList{QStringLiteral("Atalanta"), QStringLiteral("Lazio"), QStringLiteral("Milan")}));
        w.ListBoxSquadre->setCurrentRow(-1);
        w.CancellaClick(); // nothing selected: nothing deleted
        QCOMPARE(w.ListBoxSquadre->count(), 3);

        // Another league, with a file nobody wrote yet.
        w.Leghe[2]->click();
        QCOMPARE(w.Lega(), TLega::C1);
        QCOMPARE(w.ListBoxSquadre->count(), 0);
        answer = QStringLiteral("Ancona");
        w.AggiungiClick();

        w.accept();
        QCOMPARE(FileText(TLega::A), std::string("Atalanta\r\nLazio\r\nMilan\r\n"));
        QCOMPARE(FileText(TLega::C1), std::string("Ancona\r\n"));
        QCOMPARE(FileText(TLega::B), std::string("Bari\r\n"));
    }

    void annullaDropsTheChanges() {
        TFormListaSquadre w(prompt_);
        w.editaNome = [](const QString&) { return std::optional<QString>(QStringLiteral("Cagliari")); };
        w.AggiungiClick();
        w.reject();
        QCOMPARE(FileText(TLega::A), std::string("Roma\r\nInter\r\nMilan\r\n"));
        QCOMPARE(w.Liste().Lista(TLega::A).Size(), std::size_t{3});
    }

    void editWindowRefusesBlankNames() {
        TFormEditSquadra d(QStringLiteral("   "), prompt_);
        QCOMPARE(d.windowTitle(), QStringLiteral("Editazione Squadra"));
        d.accept();
        QVERIFY(d.result() != QDialog::Accepted);
        QCOMPARE(prompt_.texts.back(), std::string("Il Nome della Squadra non è Valido ! "));
        d.EditNome->setText(QStringLiteral(" Empoli"));
        d.accept();
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void selectionSlots() {
        T_Sistema sys;
        TEditPartite teams;
        sys.dati.teamNames[0] = "Roma";
        sys.dati.teamNames[1] = "  ";
        sys.dati.teamNames[2] = "Milan";
        teams.SetSquadre(sys.dati.teamNames);
        WriteList(TLega::B, "Bari\r\nBenevento\r\nBrescia\r\nCittadella\r\nFrosinone\r\nPalermo\r\nPisa\r\n"
                            "Reggiana\r\nSampdoria\r\nSpezia\r\nSudtirol\r\nTernana\r\nVenezia\r\nComo\r\n"
                            "Cosenza\r\nCremonese\r\nModena\r\nParma\r\nAscoli\r\nLecco\r\nFeralpisalo\r\n"
                            "Squadra Dal Nome Lungo\r\n");
        TListeSquadre liste;
        CaricaListe(liste);
        {
            TFormSelezioneSquadre w(sys, liste, &teams);
            QCOMPARE(w.Slot(), 1); // the first blank name
            QVERIFY(teams.Field(0)->isReadOnly());
            QCOMPARE(w.Grid->rowCount(), 10);
            QCOMPARE(w.Grid->item(0, 0)->text(), QStringLiteral("Inter"));
            QCOMPARE(w.Grid->item(0, 1)->text(), QStringLiteral("Milan"));
            QCOMPARE(w.Grid->item(1, 0)->text(), QStringLiteral("Roma"));
            QCOMPARE(w.Grid->item(0, 1)->background().color(), QColor(0xff, 0xff, 0x00)); // on the coupon
            QVERIFY(w.Grid->item(0, 0)->background().style() == Qt::NoBrush);

            w.CellaClick(0, 0);
            QCOMPARE(sys.dati.teamNames[1], std::string("Inter"));
            QCOMPARE(teams.Field(1)->text(), QStringLiteral("Inter"));
            QCOMPARE(w.Grid->item(0, 0)->background().color(), QColor(0xff, 0xff, 0x00));
            QCOMPARE(w.Slot(), 2);
            w.CellaClick(5, 1); // an empty cell does nothing
            QCOMPARE(w.Slot(), 2);

            // League B needs more than ten rows; a long name is cut to 12 characters.
            w.Leghe[1]->click();
            QCOMPARE(w.Grid->rowCount(), 11);
            int row = -1;
            int col = -1;
            for (int r = 0; r < w.Grid->rowCount(); ++r) {
                for (int c = 0; c < 2; ++c) {
                    if (w.Grid->item(r, c)->text() == QStringLiteral("Squadra Dal Nome Lungo")) {
                        row = r;
                        col = c;
                    }
                }
            }
            QVERIFY(row >= 0);
            w.CellaClick(row, col);
            QCOMPARE(sys.dati.teamNames[2], std::string("Squadra Dal "));
            for (int i = 0; i < 20; ++i) {
                w.GiuClick();
            }
            QCOMPARE(w.Slot(), 11);
            w.CellaClick(0, 0);
            QCOMPARE(w.Slot(), 11); // team 12 stays the slot
            QCOMPARE(sys.dati.teamNames[11], std::string("Ascoli"));
            for (int i = 0; i < 20; ++i) {
                w.SuClick();
            }
            QCOMPARE(w.Slot(), 0);
        }
        QVERIFY(!teams.Field(0)->isReadOnly()); // editing comes back with the window's end

        for (auto& n : sys.dati.teamNames) {
            n = "X";
        }
        TFormSelezioneSquadre full(sys, liste, &teams);
        QCOMPARE(full.Slot(), 0); // all named: team 1
    }

    // The window opens beside the names it fills, not over them: on the right, or on the left when the
    // screen has no room on the right.
    void selectionOpensBesideTheNames() {
        T_Sistema sys;
        TListeSquadre liste;
        CaricaListe(liste);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const int left : {screen.left() + 10, screen.right() - 100}) {
            TEditPartite teams;
            teams.SetSquadre(sys.dati.teamNames);
            teams.show();
            teams.move(left, screen.top() + 40);
            QVERIFY(QTest::qWaitForWindowExposed(&teams));
            QRect names;
            for (int t = 0; t < kTeams; ++t) {
                names |= QRect(teams.Field(t)->mapToGlobal(QPoint(0, 0)), teams.Field(t)->size());
            }
            TFormSelezioneSquadre w(sys, liste, &teams);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QVERIFY2(!w.frameGeometry().intersects(names), qPrintable(QStringLiteral("%1").arg(left)));
        }
    }

private:
    QTemporaryDir home_;
    test::TScriptedPrompt prompt_;
};

QTEST_MAIN(TestTeamWindows)
#include "team_windows_test.moc"
