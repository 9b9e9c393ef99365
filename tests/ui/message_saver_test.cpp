// The message window (buttons, order, gaps, results, word wrap) and the dialog memory's lines.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "core/ui/form_message.h"
#include "core/ui/form_saver.h"
#include "core/ui/sign_edits.h"

using namespace tessaline;

namespace {

// A dialog with one remembered control of each kind.
struct TTestDialog : QDialog {
    TTestDialog() {
        setObjectName(QStringLiteral("FormProva"));
        combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("ComboTipo"));
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        check = new QCheckBox(this);
        check->setObjectName(QStringLiteral("CheckAcc"));
        radio1 = new QRadioButton(this);
        radio1->setObjectName(QStringLiteral("RadioLire"));
        radio2 = new QRadioButton(this);
        radio2->setObjectName(QStringLiteral("RadioEuro"));
        radio1->setChecked(true);
        speed = new QToolButton(this);
        speed->setObjectName(QStringLiteral("SpeedA"));
        speed->setCheckable(true);
        colonna = new TEditColonna(this);
        colonna->setObjectName(QStringLiteral("EditColonna1"));
        edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("EditNome"));
        panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("PanelTot"));
        panel->setFrameShape(QFrame::Panel);
        spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("SpinMin"));
        spin->setRange(0, 100);
        auto* unnamed = new QLineEdit(this);
        unnamed->setText(QStringLiteral("not kept"));
    }
    QComboBox* combo;
    QCheckBox* check;
    QRadioButton* radio1;
    QRadioButton* radio2;
    QToolButton* speed;
    TEditColonna* colonna;
    QLineEdit* edit;
    QLabel* panel;
    QSpinBox* spin;
};

} // namespace

class TestMessageSaver : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void buttonsOrderAndGaps() {
        TFormMessage m;
        struct TCase {
            int buttons;
            QList<TButton> order;
        } cases[] = {
            {BtnSi | BtnNo, {BtnSi, BtnNo}},
            {BtnOk, {BtnOk}},
            {BtnAnnulla | BtnNo | BtnSi, {BtnSi, BtnNo, BtnAnnulla}},
            {BtnOk | BtnSi | BtnNo | BtnAnnulla, {BtnSi, BtnOk, BtnNo, BtnAnnulla}},
        };
        for (const TCase& c : cases) {
            m.Prepara(QStringLiteral("Conferma"), QStringLiteral("Testo"), c.buttons);
            m.show();
            QCOMPARE(m.windowTitle(), QStringLiteral("Conferma"));
            const int n = static_cast<int>(c.order.size());
            const int gap = (m.width() - n * TFormMessage::kButtonWidth) / (n + 1);
            int x = gap;
            for (TButton b : {BtnSi, BtnOk, BtnNo, BtnAnnulla}) {
                QCOMPARE(m.Button(b)->isVisible(), c.order.contains(b));
            }
            for (TButton b : c.order) {
                QCOMPARE(m.Button(b)->x(), x);
                QCOMPARE(m.Button(b)->width(), TFormMessage::kButtonWidth);
                x += TFormMessage::kButtonWidth + gap;
            }
            m.hide();
        }
        QCOMPARE(m.Button(BtnSi)->text(), QStringLiteral("Si"));
        QCOMPARE(m.Button(BtnNo)->text(), QStringLiteral("No"));
        QCOMPARE(m.Button(BtnAnnulla)->text(), QStringLiteral("Annulla"));
    }

    void results() {
        TFormMessage m;
        for (TButton b : {BtnSi, BtnOk, BtnNo, BtnAnnulla}) {
            QTimer::singleShot(0, &m, [&m, b] { m.Button(b)->click(); });
            QCOMPARE(m.ShowMessage(std::string("Informazione"), std::string("Domanda"), 15),
                     static_cast<int>(b));
        }
        // Closed without a button: 0, also after an earlier answer.
        QTimer::singleShot(0, &m, [&m] { m.close(); });
        QCOMPARE(m.ShowMessage(std::string("Informazione"), std::string("Domanda"), BtnSi | BtnNo), 0);
        QTimer::singleShot(0, &m, [&m] { QTest::keyClick(&m, Qt::Key_Escape); });
        QCOMPARE(m.ShowMessage(std::string("Informazione"), std::string("Domanda"), BtnSi | BtnNo), 0);
        // Enter presses the first visible button.
        QTimer::singleShot(0, &m, [&m] { QTest::keyClick(m.focusWidget(), Qt::Key_Return); });
        QCOMPARE(m.ShowMessage(std::string("Informazione"), std::string("Domanda"), BtnNo | BtnAnnulla),
                 static_cast<int>(BtnNo));
    }

    void wordWrap() {
        // Fixed-width measure: each character 10 pixels.
        auto w = [](const QString& s) { return static_cast<int>(s.size()) * 10; };
        // left 60: "tre" ends at 60+80+30 = 170, "quattro" would end at 250 and starts a new line;
        // there "cinque" ends exactly at 60+80+60 = 200, which still fits a limit of 200, not 199.
        QCOMPARE(WrapWords(QStringLiteral("uno due tre quattro cinque"), 60, 200, w),
                 (QStringList{QStringLiteral("uno due tre "), QStringLiteral("quattro cinque")}));
        QCOMPARE(WrapWords(QStringLiteral("uno due tre quattro cinque"), 60, 199, w),
                 (QStringList{QStringLiteral("uno due tre "), QStringLiteral("quattro "),
                              QStringLiteral("cinque")}));
        // A word longer than the line still gets a line of its own.
        QCOMPARE(
            WrapWords(QStringLiteral("a lunghissimaparola b"), 0, 50, w),
            (QStringList{QStringLiteral("a "), QStringLiteral("lunghissimaparola "), QStringLiteral("b")}));

        TFormMessage m;
        m.Prepara(
            QStringLiteral("Informazione"),
            QStringLiteral("Una frase abbastanza lunga da andare a capo almeno una volta nella finestra "
                           "dei messaggi del programma"),
            BtnOk);
        QVERIFY(m.Lines().size() >= 2);
        const QFontMetrics fm(m.font());
        for (const QString& line : m.Lines()) {
            QVERIFY(m.TextLeft() + fm.horizontalAdvance(line.trimmed()) <= m.width() - 10);
        }
        QCOMPARE(m.Lines().join(QString()),
                 QStringLiteral("Una frase abbastanza lunga da andare a capo almeno "
                                "una volta nella finestra dei messaggi del programma"));
    }

    void dialogMemoryLines() {
        TFormSaver saver;
        {
            TTestDialog d;
            d.combo->setCurrentIndex(2);
            d.check->setChecked(true);
            d.radio2->setChecked(true);
            d.speed->setChecked(true);
            Colonna c;
            for (int i = 0; i < kTeams; ++i) {
                c[i] = static_cast<SignSet>(i + 1 > 15 ? 15 : i + 1);
            }
            d.colonna->SetColonna(c);
            d.edit->setText(QStringLiteral("Sistema*1"));
            d.panel->setText(QStringLiteral("12"));
            d.spin->setValue(37);
            saver.Salva(&d);
        }
        const QStringList* lines = saver.Righe(QStringLiteral("FormProva"));
        QVERIFY(lines != nullptr);
        const QStringList expected = {
            QStringLiteral("ComboTipo*TComboBox*2"),
            QStringLiteral("CheckAcc*TCheckbox*1"),
            QStringLiteral("RadioLire*TRadioButton*0"),
            QStringLiteral("RadioEuro*TRadioButton*1"),
            QStringLiteral("SpeedA*TSpeedButton*1"),
            QStringLiteral("EditColonna1*TEditColonna*BCDEFGHIJKLM"),
            QStringLiteral("EditNome*TEdit*Sistema*1"),
            QStringLiteral("PanelTot*TPanel*12"),
            QStringLiteral("SpinMin*TSpinEdit*37"),
        };
        for (const QString& e : expected) {
            QVERIFY2(lines->contains(e), qPrintable(e));
        }
        QCOMPARE(lines->size(), expected.size()); // nothing else: no unnamed control, no inner fields

        // A new dialog of the same name gets the values back.
        TTestDialog d;
        saver.Ripristina(&d);
        QCOMPARE(d.combo->currentIndex(), 2);
        QVERIFY(d.check->isChecked());
        QVERIFY(d.radio2->isChecked());
        QVERIFY(!d.radio1->isChecked());
        QVERIFY(d.speed->isChecked());
        QCOMPARE(d.colonna->GetColonna()[0], SignSet{1});
        QCOMPARE(d.colonna->GetColonna()[11], SignSet{12});
        QCOMPARE(d.colonna->Field(2)->text(), QStringLiteral("01"));
        QCOMPARE(d.edit->text(), QStringLiteral("Sistema*1")); // the value is what follows the second "*"
        QCOMPARE(d.panel->text(), QStringLiteral("12"));
        QCOMPARE(d.spin->value(), 37);

        // Saving again replaces the dialog's entry; unknown names and bad lines are skipped.
        d.check->setChecked(false);
        saver.Salva(&d);
        QVERIFY(saver.Righe(QStringLiteral("FormProva"))->contains(QStringLiteral("CheckAcc*TCheckbox*0")));
        TFormSaver::ApplicaRiga(&d, QStringLiteral("Manca*TCheckbox*1"));
        TFormSaver::ApplicaRiga(&d, QStringLiteral("CheckAcc"));
        TFormSaver::ApplicaRiga(&d, QStringLiteral("SpinMin*TSpinEdit*abc"));
        QVERIFY(!d.check->isChecked());
        QCOMPARE(d.spin->value(), 37);
        QVERIFY(saver.Righe(QStringLiteral("FormAltro")) == nullptr);
    }
};

QTEST_MAIN(TestMessageSaver)
#include "message_saver_test.moc"
