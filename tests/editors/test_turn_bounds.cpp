#include "editors/LeaveCorrection.h"
#include "model/TurnCalendar.h"

#include <QTest>

using namespace korven;

Q_DECLARE_METATYPE(korven::TurnBoxes)

namespace {

// Current turn Y/M/T, start 41/12/1 unless given, end EY/EM/ET.
TurnBoxes boxes(qint64 y, qint64 m, qint64 t, qint64 ey, qint64 em, qint64 et, qint64 sy = 41, qint64 sm = 12,
                qint64 st = 1) {
    return TurnBoxes{y, m, t, sy, sm, st, ey, em, et};
}

}  // namespace

class TestTurnBounds : public QObject {
    Q_OBJECT
private slots:
    void bounds_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<TurnBoxes>("values");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<qint64>("minimum");
        // End turn 45/8/5.
        QTest::newRow("month, turn 3 before the end turn")
            << 1 << boxes(45, 9, 3, 45, 8, 5) << qint64(8) << qint64(1);
        QTest::newRow("month, turn 6 after the end turn")
            << 1 << boxes(45, 9, 6, 45, 8, 5) << qint64(7) << qint64(1);
        QTest::newRow("month, turn 9 against end turn 10")
            << 1 << boxes(45, 8, 9, 45, 8, 10) << qint64(8) << qint64(1);
        QTest::newRow("month, turn 10 against end turn 9")
            << 1 << boxes(45, 8, 10, 45, 8, 9) << qint64(7) << qint64(1);
        QTest::newRow("month, another year") << 1 << boxes(44, 9, 6, 45, 8, 5) << qint64(12) << qint64(1);
        QTest::newRow("month, start year, turn before start")
            << 1 << boxes(41, 12, 1, 45, 8, 5, 41, 11, 2) << qint64(12) << qint64(12);
        QTest::newRow("month, start year, turn at start")
            << 1 << boxes(41, 12, 2, 45, 8, 5, 41, 11, 2) << qint64(12) << qint64(11);
        QTest::newRow("year, month and turn up to the end")
            << 0 << boxes(44, 8, 5, 45, 8, 5) << qint64(45) << qint64(42);
        QTest::newRow("year, month and turn past the end")
            << 0 << boxes(44, 8, 6, 45, 8, 5) << qint64(44) << qint64(42);
        QTest::newRow("year, from the start month and turn")
            << 0 << boxes(42, 12, 1, 45, 8, 5) << qint64(44) << qint64(41);
        QTest::newRow("turn in the end month") << 2 << boxes(45, 8, 9, 45, 8, 5) << qint64(5) << qint64(1);
        QTest::newRow("turn in the start month")
            << 2 << boxes(41, 12, 1, 45, 8, 5, 41, 12, 4) << qint64(10) << qint64(4);
        QTest::newRow("turn elsewhere") << 2 << boxes(43, 8, 9, 45, 8, 5) << qint64(10) << qint64(1);
        QTest::newRow("end year") << 6 << boxes(43, 2, 6, 40, 8, 5) << qint64(50) << qint64(43);
        QTest::newRow("end month, same year") << 7 << boxes(45, 6, 2, 45, 8, 5) << qint64(12) << qint64(6);
        QTest::newRow("end month, later year") << 7 << boxes(44, 6, 2, 45, 8, 5) << qint64(12) << qint64(1);
        QTest::newRow("end turn, same month") << 8 << boxes(45, 8, 4, 45, 8, 5) << qint64(10) << qint64(4);
        QTest::newRow("end turn, later month") << 8 << boxes(45, 7, 4, 45, 8, 5) << qint64(10) << qint64(1);
    }
    void bounds() {
        QFETCH(int, box);
        QFETCH(TurnBoxes, values);
        QFETCH(qint64, maximum);
        QFETCH(qint64, minimum);
        const std::optional<LeaveBounds> b = turnBoxBounds(box, values);
        QVERIFY(b);
        QCOMPARE(b->maximum, std::optional<qint64>(maximum));
        QCOMPARE(b->minimum, std::optional<qint64>(minimum));
    }

    void startBoxesAreNotChecked() {
        for (int box : {3, 4, 5, 9, -1}) {
            QVERIFY(!turnBoxBounds(box, boxes(42, 2, 6, 45, 8, 5)));
        }
    }

    void correction_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<qint64>("minimum");
        QTest::addColumn<QString>("corrected");  // empty: may be left as it is
        QTest::newRow("inside") << "8" << qint64(8) << qint64(1) << QString();
        QTest::newRow("above") << "9" << qint64(8) << qint64(1) << "8";
        QTest::newRow("end year above 50") << "60" << qint64(50) << qint64(42) << "50";
        QTest::newRow("end year below the current year") << "40" << qint64(50) << qint64(42) << "42";
        QTest::newRow("not a number") << "4a" << qint64(12) << qint64(1) << "4";
        QTest::newRow("empty with minimum 1") << "" << qint64(12) << qint64(1) << "1";
        QTest::newRow("empty with minimum 0") << "" << qint64(50) << qint64(0) << QString();
        // Inconsistent boxes: the minimum lies above the maximum.
        QTest::newRow("contradicting bounds correct once") << "8" << qint64(7) << qint64(9) << "9";
        QTest::newRow("contradicting bounds then let go") << "9" << qint64(7) << qint64(9) << QString();
    }
    void correction() {
        QFETCH(QString, text);
        QFETCH(qint64, maximum);
        QFETCH(qint64, minimum);
        QFETCH(QString, corrected);
        const std::optional<QString> result = correctionOnLeave(text, LeaveBounds{maximum, minimum});
        QCOMPARE(result.has_value(), !corrected.isEmpty());
        if (result) {
            QCOMPARE(*result, corrected);
        }
    }

    void counter_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("turn");
        QTest::addColumn<int>("counter");
        QTest::newRow("41/12/1") << 41 << 12 << 1 << 0;
        QTest::newRow("41/12/10") << 41 << 12 << 10 << 9;
        QTest::newRow("42/1/1") << 42 << 1 << 1 << 10;
        QTest::newRow("45/8/5") << 45 << 8 << 5 << 444;
        QTest::newRow("beyond 16 bits is kept at the top") << 400 << 1 << 1 << 32767;
        QTest::newRow("far below is kept at the bottom") << -300 << 1 << 1 << -32768;
    }
    void counter() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, turn);
        QFETCH(int, counter);
        QCOMPARE(int(counterToStore(year, month, turn)), counter);
        if (counter > -32768 && counter < 32767) {
            QCOMPARE(turnFromCounter(counter), (Turn{year, month, turn}));
        }
    }
};

QTEST_GUILESS_MAIN(TestTurnBounds)
#include "test_turn_bounds.moc"
