#include "editors/AircraftRules.h"

#include <QTest>

using namespace korven;

Q_DECLARE_METATYPE(std::optional<int16_t>)

class TestAirRules : public QObject {
    Q_OBJECT
private slots:
    void developmentStatus_data() {
        QTest::addColumn<int>("nationality");
        QTest::addColumn<qint64>("turns");
        QTest::addColumn<int>("aircraft");
        QTest::addColumn<std::optional<int16_t>>("previous");
        QTest::addColumn<QString>("status");
        const std::optional<int16_t> none;
        QTest::newRow("first aircraft in development") << 0 << 12LL << 0 << none << "開発中？";
        QTest::newRow("first aircraft finished") << 0 << 0LL << 0 << none << "開発終了";
        QTest::newRow("cancelled") << 1 << -1LL << 40 << std::optional<int16_t>(30) << "開発中止";
        QTest::newRow("previous still developed")
            << 0 << 12LL << 72 << std::optional<int16_t>(30) << "未開発";
        QTest::newRow("previous finished") << 0 << 12LL << 72 << std::optional<int16_t>(0) << "開発中";
        QTest::newRow("previous cancelled") << 1 << 12LL << 72 << std::optional<int16_t>(-1) << "開発中";
        QTest::newRow("no previous entry") << 0 << 12LL << 5 << none << "開発中";
        QTest::newRow("allied, whatever the value") << 2 << 0LL << 100 << std::optional<int16_t>(0) << "不明";
        QTest::newRow("allied in development") << 5 << 12LL << 0 << none << "不明";
    }
    void developmentStatus() {
        QFETCH(int, nationality);
        QFETCH(qint64, turns);
        QFETCH(int, aircraft);
        QFETCH(std::optional<int16_t>, previous);
        QTEST(air::DevelopmentStatus(nationality, turns, aircraft, previous), "status");
    }

    void periodText_data() {
        QTest::addColumn<qint64>("turns");
        QTest::addColumn<QString>("text");
        QTest::newRow("25") << 25LL << "2.5";
        QTest::newRow("120") << 120LL << "12.0";
        QTest::newRow("5 has no leading zero") << 5LL << ".5";
        QTest::newRow("0") << 0LL << ".0";
        QTest::newRow("cancelled") << -1LL << "-.1";
        QTest::newRow("999") << 999LL << "99.9";
    }
    void periodText() {
        QFETCH(qint64, turns);
        QTEST(air::PeriodText(turns), "text");
    }

    void basingAndOperation() {
        const QStringList basings = {QStringLiteral("艦載機"), QStringLiteral("陸上機"),
                                     QStringLiteral("水上機"), QStringLiteral("水上艦載機"),
                                     QStringLiteral("特殊水上機")};
        for (int b = 0; b < basings.size(); ++b) {
            QCOMPARE(air::BasingText(b), basings[b]);
        }
        QCOMPARE(air::BasingText(5), QString());
        QCOMPARE(air::BasingText(255), QString());
        QCOMPARE(air::OperationText(0), QStringLiteral("戦闘機"));
        QCOMPARE(air::OperationText(1), QStringLiteral("爆撃機"));
        QCOMPARE(air::OperationText(7), QStringLiteral("爆撃機"));
    }

    void enabledRules() {
        QVERIFY(air::TurnsEditable(0) && air::TurnsEditable(1));
        QVERIFY(!air::TurnsEditable(2) && !air::TurnsEditable(5));
        QVERIFY(!air::BombEditable(0) && !air::BombEditable(1));
        QVERIFY(air::BombEditable(2) && air::BombEditable(3));
        QVERIFY(!air::RangeEditable(1, 0));
        QVERIFY(air::RangeEditable(1, 1));
        for (const int group : {0, 2, 3}) {
            QVERIFY(air::RangeEditable(group, 0));
        }
    }

    void bombCombo() {
        const auto items = air::BombItems();
        QCOMPARE(items.size(), std::size_t(5));
        QCOMPARE(items[0].text, QStringLiteral("魚雷"));
        QCOMPARE(items[3].text, QStringLiteral("大型"));
        QCOMPARE(items[4].text, QStringLiteral("なし"));
        QCOMPARE(items[4].data, 255);
        QCOMPARE(items[2].data, 2);
        QCOMPARE(air::BombComboIndex(255), 4);
        QCOMPARE(air::BombComboIndex(1), 1);
        QCOMPARE(air::BombComboIndex(9), -1);
        QCOMPARE(air::BombKindToStore(4, 2), uint8_t(255));
        QCOMPARE(air::BombKindToStore(0, 255), uint8_t(0));
        // Kinds without an item of their own survive while the combo is left alone.
        QCOMPARE(air::BombKindToStore(4, 4), uint8_t(4));
        QCOMPARE(air::BombKindToStore(-1, 9), uint8_t(9));
        QCOMPARE(air::BombKindToStore(3, 9), uint8_t(3));
    }

    void flags() {
        QCOMPARE(air::CheckCaption(true), QStringLiteral("○"));
        QCOMPARE(air::CheckCaption(false), QStringLiteral("×"));
        QCOMPARE(air::FlagToStore(true, 0), uint8_t(1));
        QCOMPARE(air::FlagToStore(false, 7), uint8_t(0));
        QCOMPARE(air::FlagToStore(true, 7), uint8_t(7));
        QCOMPARE(air::FlagToStore(false, 0), uint8_t(0));
    }
};

QTEST_GUILESS_MAIN(TestAirRules)
#include "test_air_rules.moc"
