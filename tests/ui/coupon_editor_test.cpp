// The coupon editor: circle geometry and clicks, keyboard rules of its fields, the percentages row
// rule and the three lights.

#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "core/ui/coupon_editor.h"
#include "core/ui/sign_edits.h"

using namespace tessaline;

class TestCouponEditor : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void circleGeometryAndClickRule() {
        TEditpronostico p;
        // width 2*5 + 3*18 + 15, height 2*3 + 11*18 + 15
        QCOMPARE(p.width(), 79);
        QCOMPARE(p.height(), 219);
        QCOMPARE(p.CircleRect(2, 3), QRect(3 * 18 + 5, 2 * 18 + 3, 15, 15));

        QSignalSpy spy(&p, &TEditpronostico::OnModificato);
        // Team 3 (index 2), sign "2" (index 2): centre at (2*18+5+7.5, 2*18+3+7.5) = (48.5, 46.5).
        QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(48, 46));
        QCOMPARE(p.GetPronostico()[2], kSign2);
        QVERIFY(p.Modificato);
        QCOMPARE(spy.count(), 1);
        // A second click toggles it off again.
        QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(49, 47));
        QCOMPARE(p.GetPronostico()[2], SignSet{0});

        struct TCase {
            QPoint at;
            bool hit;
            int team, sign;
        } cases[] = {
            {{5 + 7, 3 + 7}, true, 0, 0},                     // centre of the first circle
            {{5 + 7 + 7, 3 + 7}, true, 0, 0},                 // 7 px right of the centre (radius 7.5)
            {{5 + 15, 3 + 7}, false, 0, 0},                   // in the gap between two circles
            {{5 + 1, 3 + 1}, false, 0, 0},                    // the corner of the square, outside the circle
            {{2, 100}, false, 0, 0},                          // left border gap
            {{3 * 18 + 5 + 7, 11 * 18 + 3 + 7}, true, 11, 3}, // last team, "M"
            {{40, 218}, false, 0, 0},                         // bottom border gap
        };
        for (const TCase& c : cases) {
            int team = -1;
            int sign = -1;
            QCOMPARE(p.HitTest(QPointF(c.at), team, sign), c.hit);
            if (c.hit) {
                QCOMPARE(team, c.team);
                QCOMPARE(sign, c.sign);
            }
        }
        // A right click never toggles; clicks in gaps change nothing.
        const Pronostico before = p.GetPronostico();
        QTest::mouseClick(&p, Qt::RightButton, {}, QPoint(12, 10));
        QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(p.GetPronostico(), before);

        // Loading a forecast clears the modified mark and sets completeness.
        Pronostico full;
        for (int i = 0; i < kTeams; ++i) {
            full[i] = kSign1;
        }
        p.SetPronostico(full);
        QVERIFY(!p.Modificato);
        QVERIFY(p.PronosticoCompleto());
        QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(5 + 18 + 7, 3 + 7)); // team 1 sign "1" off
        QVERIFY(!p.PronosticoCompleto());
    }

    void keyboardRules() {
        // Digits only, up to the length; other letters dropped, "-" and "." pass.
        TDigitEdit perc(3);
        QTest::keyClicks(&perc, QStringLiteral("1a2b34"));
        QCOMPARE(perc.text(), QStringLiteral("123"));
        perc.clear();
        QTest::keyClicks(&perc, QStringLiteral("-5."));
        QCOMPARE(perc.text(), QStringLiteral("-5."));
        TDigitEdit val(4);
        QTest::keyClicks(&val, QStringLiteral("x99999"));
        QCOMPARE(val.text(), QStringLiteral("9999"));
        QTest::keyClick(&val, Qt::Key_Backspace);
        QCOMPARE(val.text(), QStringLiteral("999"));

        TEditSchedina ed;
        QCOMPARE(ed.Numero->maxLength(), 2);
        ed.Numero->clear();
        QTest::keyClicks(ed.Numero, QStringLiteral("a1z23"));
        QCOMPARE(ed.Numero->text(), QStringLiteral("12"));

        // Up, down and Enter move along a grid column and stop at its ends.
        ed.show();
        ed.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&ed));
        ed.GridPerc->Cell(0, 2)->setFocus();
        QTest::keyClick(ed.GridPerc->Cell(0, 2), Qt::Key_Down);
        QVERIFY(ed.GridPerc->Cell(1, 2)->hasFocus());
        QTest::keyClick(ed.GridPerc->Cell(1, 2), Qt::Key_Return);
        QVERIFY(ed.GridPerc->Cell(2, 2)->hasFocus());
        QTest::keyClick(ed.GridPerc->Cell(2, 2), Qt::Key_Up);
        QVERIFY(ed.GridPerc->Cell(1, 2)->hasFocus());
        ed.GridVal->Cell(11, 0)->setFocus();
        QTest::keyClick(ed.GridVal->Cell(11, 0), Qt::Key_Down);
        QVERIFY(ed.GridVal->Cell(11, 0)->hasFocus());

        // Sign field: upper-cases, no repeated sign, other keys swallowed, arrows call back.
        TEditSegno s;
        int prev = 0;
        int next = 0;
        s.onPrevious = [&] { ++prev; };
        s.onNext = [&] { ++next; };
        QTest::keyClicks(&s, QStringLiteral("m0x1m2 3"));
        QCOMPARE(s.text(), QStringLiteral("M012"));
        QTest::keyClick(&s, Qt::Key_Up);
        QTest::keyClick(&s, Qt::Key_Down);
        QTest::keyClick(&s, Qt::Key_Down);
        QCOMPARE(prev, 1);
        QCOMPARE(next, 2);
        QTest::keyClick(&s, Qt::Key_Backspace);
        QCOMPARE(s.text(), QStringLiteral("M01"));

        // Column editor: a single-letter variant and ParseSigns of each field.
        TEditColonna col(nullptr, true);
        QTest::keyClicks(col.Field(0), QStringLiteral("12"));
        QCOMPARE(col.Field(0)->text(), QStringLiteral("1"));
        TEditColonna multi;
        QSignalSpy spy(&multi, &TEditColonna::Modificato);
        QTest::keyClicks(multi.Field(3), QStringLiteral("2m"));
        QCOMPARE(multi.GetColonna()[3], SignSet{kSign2 | kSignM});
        QCOMPARE(spy.count(), 2);
        Colonna c;
        QVERIFY(!multi.GetColonnaCompleta(c));
        // Fields stand FieldHeight + Gap1 apart with Gap2 more between matches.
        QCOMPARE(multi.Field(1)->y(), 21);
        QCOMPARE(multi.Field(2)->y(), 2 * 21 + 3);
        QCOMPARE(multi.Field(5)->y(), 5 * 21 + 2 * 3);
    }

    void percentagesRowRule() {
        struct TCase {
            QString in[4];
            int out[4];
            QString shown[4];
        } cases[] = {
            {{QStringLiteral("50"), QStringLiteral("40"), QStringLiteral("30"), {}},
             {50, 50, 0, 0},
             {QStringLiteral("50"), QStringLiteral("50"), {}, {}}},
            {{QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("10"), {}},
             {20, 30, 10, 40},
             {QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("40")}},
            {{{}, {}, {}, QStringLiteral("70")}, {0, 0, 0, 0}, {{}, {}, {}, {}}},
            {{QStringLiteral("150"), QStringLiteral("5"), {}, {}},
             {100, 0, 0, 0},
             {QStringLiteral("100"), {}, {}, {}}},
            {{QStringLiteral("100"), {}, {}, QStringLiteral("9")},
             {100, 0, 0, 0},
             {QStringLiteral("100"), {}, {}, {}}},
            {{QStringLiteral("3-"), QStringLiteral("60"), {}, {}},
             {0, 60, 0, 40},
             {{}, QStringLiteral("60"), {}, QStringLiteral("40")}},
            {{QStringLiteral("-20"), QStringLiteral("50"), {}, {}}, // a negative cell counts as empty
             {0, 50, 0, 50},
             {{}, QStringLiteral("50"), {}, QStringLiteral("50")}},
        };
        TEditSchedina ed;
        for (const TCase& c : cases) {
            for (int j = 0; j < 4; ++j) {
                ed.GridPerc->Cell(4, j)->setText(c.in[j]);
            }
            const TeamGrid g = ed.GetPercentuali();
            for (int j = 0; j < 4; ++j) {
                QCOMPARE(g[4][static_cast<std::size_t>(j)], c.out[j]);
                QCOMPARE(ed.GridPerc->Cell(4, j)->text(), c.shown[j]);
            }
        }
        // Values are read the same way and shown back as decimal text, 0 as an empty cell.
        ed.GridVal->Cell(0, 0)->setText(QStringLiteral("007"));
        ed.GridVal->Cell(0, 1)->setText(QStringLiteral("0"));
        const TeamGrid v = ed.GetValori();
        QCOMPARE(v[0][0], 7);
        QCOMPARE(ed.GridVal->Cell(0, 0)->text(), QStringLiteral("7"));
        QCOMPARE(ed.GridVal->Cell(0, 1)->text(), QString());
    }

    void lights() {
        TEditSchedina ed;
        QSignalSpy spy(&ed, &TEditSchedina::OnModificato);
        ed.AggiornaSemafori();
        QVERIFY(!ed.SPronostico->Stato());
        QVERIFY(!ed.SPercentuali->Stato());
        QVERIFY(!ed.SValori->Stato());
        QCOMPARE(spy.count(), 1);
        QVERIFY(ed.IsModificato());

        Pronostico p;
        for (int i = 0; i < kTeams; ++i) {
            p[i] = kSign0;
        }
        ed.SetPronostico(p);
        TeamGrid g{};
        for (auto& row : g) {
            row = {0, 0, 0, 100};
        }
        g[11] = {0, 0, 0, 0};
        ed.SetPercentuali(g);
        ed.SetValori(g);
        ed.AggiornaSemafori();
        QVERIFY(ed.SPronostico->Stato());
        QVERIFY(!ed.SPercentuali->Stato()); // row 12 is empty
        QVERIFY(!ed.SValori->Stato());

        // Typing into a cell recomputes the grid lights at once.
        ed.GridVal->Cell(11, 2)->setFocus();
        QTest::keyClicks(ed.GridVal->Cell(11, 2), QStringLiteral("4"));
        QVERIFY(ed.SValori->Stato());
        QTest::keyClick(ed.GridVal->Cell(11, 2), Qt::Key_Backspace);
        QVERIFY(!ed.SValori->Stato());
        QTest::keyClicks(ed.GridPerc->Cell(11, 0), QStringLiteral("5"));
        QVERIFY(ed.SPercentuali->Stato());

        // Clearing the coupon: empty forecast and names, zero grids, number "1".
        ed.Numero->setText(QStringLiteral("33"));
        ed.Azzera();
        ed.AggiornaSemafori();
        QVERIFY(!ed.SPronostico->Stato());
        QVERIFY(!ed.SPercentuali->Stato());
        QCOMPARE(ed.Numero->text(), QStringLiteral("1"));
        QCOMPARE(ed.GetSquadre()[0], std::string());
    }

    void teamNamesAreCutTo12() {
        TEditSchedina ed;
        QTest::keyClicks(ed.Partite->Field(0), QStringLiteral("Internazionale Milano"));
        QCOMPARE(ed.GetSquadre()[0], std::string("Internaziona"));
        QVERIFY(ed.IsModificato());
        ed.SetSquadre({});
        ed.SetModificato(false);
        QVERIFY(!ed.IsModificato());
    }

    void couponPanelRowsAndMarks() {
        TPannelloSc pan;
        pan.resize(pan.sizeHint());
        QCOMPARE(pan.RowTop(0), 0);
        QCOMPARE(pan.RowTop(1), 16);
        QCOMPARE(pan.RowTop(2), 2 * 16 + 2);
        QSignalSpy spy(&pan, &TPannelloSc::Modificato);
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(40, pan.RowTop(3) + 5)); // name of team 4
        QVERIFY(pan.Selezionata(3));
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(5, pan.RowTop(3) + 5)); // its number cell
        QVERIFY(!pan.Selezionata(3));
        QCOMPARE(spy.count(), 2);
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(160, pan.RowTop(3) + 5)); // the signs: ignored
        QVERIFY(!pan.Selezionata(3));
        pan.SelezionaPartiteSingole = true;
        pan.consenti = [](int team) { return team != 0; };
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(40, pan.RowTop(5) + 5));
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(40, pan.RowTop(6) + 5));
        QVERIFY(!pan.Selezionata(5));
        QVERIFY(pan.Selezionata(6));
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(40, pan.RowTop(0) + 5));
        QVERIFY(!pan.Selezionata(0));
        pan.Tipo = 4;
        QTest::mouseClick(&pan, Qt::LeftButton, {}, QPoint(40, pan.RowTop(6) + 5));
        QVERIFY(pan.Selezionata(6));
    }
};

QTEST_MAIN(TestCouponEditor)
#include "coupon_editor_test.moc"
