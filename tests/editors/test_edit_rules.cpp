#include "editors/EditRules.h"

#include <QTest>

using namespace korven;
using rules::StoredValue;

Q_DECLARE_METATYPE(std::optional<qint64>)

class TestEditRules : public QObject {
    Q_OBJECT
private slots:
    void filterNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<std::optional<qint64>>("maximum");
        QTest::addColumn<std::optional<qint64>>("minimum");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("changed");
        const std::optional<qint64> none;
        QTest::newRow("letter removed")
            << "12a3" << std::optional<qint64>(999) << std::optional<qint64>(0) << "123" << true;
        QTest::newRow("clamped to max")
            << "99999" << std::optional<qint64>(32767) << std::optional<qint64>(0) << "32767" << true;
        QTest::newRow("30 digits clamp without overflow")
            << "123456789012345678901234567890" << std::optional<qint64>(255) << std::optional<qint64>(0)
            << "255" << true;
        QTest::newRow("minus refused at min 0")
            << "-5" << std::optional<qint64>(99) << std::optional<qint64>(0) << "5" << true;
        QTest::newRow("minus kept at min -10")
            << "-5" << std::optional<qint64>(99) << std::optional<qint64>(-10) << "-5" << false;
        QTest::newRow("below negative min")
            << "-50" << std::optional<qint64>(99) << std::optional<qint64>(-10) << "-10" << true;
        QTest::newRow("minus later removed")
            << "1-2" << std::optional<qint64>(999) << std::optional<qint64>(-10) << "12" << true;
        QTest::newRow("minus alone stays")
            << "-" << std::optional<qint64>(999) << std::optional<qint64>(-1) << "-" << false;
        QTest::newRow("cleared with min 1")
            << "" << std::optional<qint64>(999) << std::optional<qint64>(1) << "1" << true;
        QTest::newRow("cleared with min 0 stays empty")
            << "" << std::optional<qint64>(999) << std::optional<qint64>(0) << "" << false;
        QTest::newRow("no bounds") << "0x7f" << none << none << "07" << true;
        QTest::newRow("leading zeros kept")
            << "007" << std::optional<qint64>(9) << std::optional<qint64>(0) << "007" << false;
        QTest::newRow("full-width digits removed")
            << "１2" << std::optional<qint64>(99) << std::optional<qint64>(0) << "2" << true;
    }
    void filterNumber() {
        QFETCH(QString, typed);
        QFETCH(std::optional<qint64>, maximum);
        QFETCH(std::optional<qint64>, minimum);
        const rules::FilteredNumber result = rules::filterNumber(typed, maximum, minimum);
        QTEST(result.text, "expected");
        QTEST(result.changed, "changed");
    }

    void numericValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("minus") << "-" << qint64(0);
        QTest::newRow("negative") << "-12" << qint64(-12);
        QTest::newRow("leading number") << "42abc" << qint64(42);
        QTest::newRow("saturates") << "99999999999999999999999" << std::numeric_limits<qint64>::max();
    }
    void numericValue() {
        QFETCH(QString, text);
        QTEST(rules::numericValue(text), "value");
    }

    void withinBounds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("maximum");
        QTest::addColumn<std::optional<qint64>>("minimum");
        QTest::addColumn<bool>("within");
        using B = std::optional<qint64>;
        QTest::newRow("inside") << QStringLiteral("5") << B(9) << B(0) << true;
        QTest::newRow("at the maximum") << QStringLiteral("9") << B(9) << B(0) << true;
        QTest::newRow("above") << QStringLiteral("12") << B(9) << B(0) << false;
        QTest::newRow("negative below 0") << QStringLiteral("-3") << B(999) << B(0) << false;
        QTest::newRow("empty is 0, below 1") << QString() << B(32767) << B(1) << false;
        QTest::newRow("no bounds") << QStringLiteral("-70000") << B() << B() << true;
    }
    void withinBounds() {
        QFETCH(QString, text);
        QFETCH(std::optional<qint64>, maximum);
        QFETCH(std::optional<qint64>, minimum);
        QTEST(rules::withinBounds(text, {maximum, minimum}), "within");
    }

    void limitTextBytes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("changed");
        const QString thirteen = QStringLiteral("零式艦上戦闘機二一型改甲乙");
        QTest::newRow("13 double-byte in 26") << thirteen << 26 << thirteen << false;
        QTest::newRow("14th cut off") << thirteen + QStringLiteral("丙") << 26 << thirteen << true;
        QTest::newRow("half a character refused")
            << QStringLiteral("ABCDEFGHI零") << 10 << QStringLiteral("ABCDEFGHI") << true;
        QTest::newRow("half-width katakana are single bytes")
            << QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ") << 12 << QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ") << false;
        QTest::newRow("unmappable removed")
            << QStringLiteral("大和한") << 12 << QStringLiteral("大和") << true;
        QTest::newRow("emoji removed") << QStringLiteral("A😀B") << 12 << QStringLiteral("AB") << true;
    }
    void limitTextBytes() {
        QFETCH(QString, text);
        QFETCH(int, limit);
        const rules::LimitedText result = rules::limitTextBytes(text, limit);
        QTEST(result.text, "expected");
        QTEST(result.changed, "changed");
    }

    void comparison() {
        QVERIFY(rules::textUnchanged(StoredValue{}, QStringLiteral("anything")));
        QVERIFY(rules::textUnchanged(StoredValue{qint64(5)}, QStringLiteral("5")));
        QVERIFY(!rules::textUnchanged(StoredValue{qint64(5)}, QStringLiteral("05")));
        QVERIFY(rules::textUnchanged(StoredValue{QStringLiteral("大和") + QChar(u'\0') + QStringLiteral("x")},
                                     QStringLiteral("大和")));
        QVERIFY(rules::indexUnchanged(StoredValue{qint64(3)}, 3));
        QVERIFY(!rules::indexUnchanged(StoredValue{qint64(255)}, 26));
    }
};

QTEST_GUILESS_MAIN(TestEditRules)
#include "test_edit_rules.moc"
