#include "model/TurnCalendar.h"

#include <QTest>

using namespace korven;

class TestTurnCalendar : public QObject {
    Q_OBJECT

private slots:
    void knownTurns_data() {
        QTest::addColumn<int>("counter");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("turn");
        QTest::newRow("first turn") << 0 << 41 << 12 << 1;
        QTest::newRow("last turn of the month") << 9 << 41 << 12 << 10;
        QTest::newRow("new year") << 10 << 42 << 1 << 1;
        QTest::newRow("mid year") << 25 << 42 << 2 << 6;
        QTest::newRow("end of a year") << 129 << 42 << 12 << 10;
        QTest::newRow("one before the first") << -1 << 41 << 11 << 10;
        QTest::newRow("a year before") << -120 << 40 << 12 << 1;
        QTest::newRow("year zero") << -5030 << 0 << 1 << 1;
        QTest::newRow("before year zero") << -5031 << -1 << 12 << 10;
        QTest::newRow("int16 max") << 32767 << 314 << 12 << 8;
        QTest::newRow("int16 min") << -32768 << -232 << 11 << 3;
    }
    void knownTurns() {
        QFETCH(int, counter);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, turn);
        const Turn expected{year, month, turn};
        QCOMPARE(turnFromCounter(counter), expected);
        QCOMPARE(counterFromTurn(expected), counter);
    }

    void roundTripsOverTheInt16Range() {
        for (int counter = -32768; counter <= 32767; ++counter) {
            const Turn t = turnFromCounter(counter);
            if (t.month < 1 || t.month > 12 || t.turn < 1 || t.turn > 10 || counterFromTurn(t) != counter) {
                QFAIL(qPrintable(QStringLiteral("counter %1 -> %2/%3/%4")
                                     .arg(counter)
                                     .arg(t.year)
                                     .arg(t.month)
                                     .arg(t.turn)));
            }
        }
    }

    void consecutiveCountersAreConsecutiveTurns() {
        Turn previous = turnFromCounter(-300);
        for (int counter = -299; counter <= 300; ++counter) {
            const Turn t = turnFromCounter(counter);
            const Turn expected = previous.turn < 10 ? Turn{previous.year, previous.month, previous.turn + 1}
                                  : previous.month < 12 ? Turn{previous.year, previous.month + 1, 1}
                                                        : Turn{previous.year + 1, 1, 1};
            QCOMPARE(t, expected);
            previous = t;
        }
    }

    void phaseCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << QStringLiteral("イベント");
        QTest::newRow("1") << 1 << QStringLiteral("開発");
        QTest::newRow("2") << 2 << QStringLiteral("生産");
        QTest::newRow("3") << 3 << QStringLiteral("哨戒");
        QTest::newRow("4") << 4 << QStringLiteral("作戦");
        QTest::newRow("5") << 5 << QStringLiteral("航路");
        QTest::newRow("6") << 6 << QStringLiteral("物動");
        QTest::newRow("7") << 7 << QStringLiteral("設営");
        QTest::newRow("8") << 8 << QStringLiteral("治安度変化");
        QTest::newRow("9") << 9 << QStringLiteral("整備");
    }
    void phaseCodes() {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(phaseName(code), std::optional<QString>(name));
        QCOMPARE(korven::phaseNames().at(code), name);
    }

    void phaseOutsideTheTableHasNoName() {
        QCOMPARE(korven::phaseNames().size(), kPhaseCount);
        QCOMPARE(phaseName(-1), std::nullopt);
        QCOMPARE(phaseName(10), std::nullopt);
        QCOMPARE(phaseName(32767), std::nullopt);
        QCOMPARE(*phaseName(kOperationPhase), QStringLiteral("作戦"));
    }
};

QTEST_GUILESS_MAIN(TestTurnCalendar)
#include "test_turn_calendar.moc"
