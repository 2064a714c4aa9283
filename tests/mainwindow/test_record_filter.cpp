#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordFilter.h"

#include <QTest>

using namespace korven::mainwindow;
namespace mt = korven::mainwindow::texts;

using namespace Qt::StringLiterals;

namespace {

// Ship rows as the list shows them: name, class, type, upper and lower steps (class:own),
// speed, fuel (class:own), aircraft carried. The last ship's class is outside the table.
const std::vector<RecordRow> kShips = {
    {{korven::RecordKind::Ship, 0},
     u"大和"_s,
     {u"大和型"_s, u"戦艦"_s, u"5:5"_s, u"6:6"_s, u"27"_s, u"6300:4274"_s, u""_s}},
    {{korven::RecordKind::Ship, 1},
     u"赤城"_s,
     {u"赤城型"_s, u"空母"_s, u"3:2"_s, u"4:4"_s, u"31"_s, u"5770:800"_s, u"66"_s}},
    {{korven::RecordKind::Ship, 2},
     u"ｼｮｳｶｸ"_s,
     {u"翔鶴型"_s, u"空母"_s, u"3:3"_s, u"4:4"_s, u"34"_s, u"5000:5000"_s, u"72"_s}},
    {{korven::RecordKind::Ship, 3}, u"伊19"_s, {u""_s, u""_s, u":3"_s, u":1"_s, u""_s, u":0"_s, u""_s}},
};

}  // namespace

class TestRecordFilter : public QObject {
    Q_OBJECT
private slots:
    // Each expression against the ship rows: the names it passes, or why it is no filter (and
    // then every row passes).
    void filter_data() {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QStringList>("passed");
        QTest::addColumn<QString>("error");
        const QStringList all{u"大和"_s, u"赤城"_s, u"ｼｮｳｶｸ"_s, u"伊19"_s};
        QTest::newRow("empty") << u"  "_s << all << QString();
        QTest::newRow("a ship's own fuel, not its class's")
            << u"燃料 < 1000"_s << QStringList{u"赤城"_s, u"伊19"_s} << QString();
        QTest::newRow("no spaces") << u"燃料<1000"_s << QStringList{u"赤城"_s, u"伊19"_s} << QString();
        QTest::newRow("full-width as typed")
            << u"燃料　＜＝　８００"_s << QStringList{u"赤城"_s, u"伊19"_s} << QString();
        QTest::newRow("every condition must hold")
            << u"燃料 < 1000 艦種 = 空母"_s << QStringList{u"赤城"_s} << QString();
        QTest::newRow("greater or equal")
            << u"速力 >= 31"_s << QStringList{u"赤城"_s, u"ｼｮｳｶｸ"_s} << QString();
        QTest::newRow("greater, empty cells fail")
            << u"搭載 > 0"_s << QStringList{u"赤城"_s, u"ｼｮｳｶｸ"_s} << QString();
        QTest::newRow("numbers by value") << u"速力 = 27.0"_s << QStringList{u"大和"_s} << QString();
        QTest::newRow("not equal keeps empty cells")
            << u"速力 != 27"_s << QStringList{u"赤城"_s, u"ｼｮｳｶｸ"_s, u"伊19"_s} << QString();
        QTest::newRow("text equal, not contained") << u"艦種 = 空"_s << QStringList{} << QString();
        QTest::newRow("hiragana finds half-width katakana")
            << u"艦船名 = しょうかく"_s << QStringList{u"ｼｮｳｶｸ"_s} << QString();
        QTest::newRow("a text column compares as text")
            << u"クラス名 <= 大和型"_s << QStringList{u"大和"_s, u"伊19"_s} << QString();
        QTest::newRow("quoted value")
            << u"艦船名 = \"伊19\" 艦種 = \"\""_s << QStringList{u"伊19"_s} << QString();
        QTest::newRow("<> is not equal") << u"艦種<>空母"_s << QStringList{u"大和"_s, u"伊19"_s} << QString();
        QTest::newRow("unknown column") << u"損害 = 大破"_s << all << mt::filterUnknownColumn(u"損害"_s);
        QTest::newRow("no operator") << u"燃料 1000"_s << all << mt::filterNoOperator(u"燃料"_s);
        QTest::newRow("unknown operator") << u"燃料 =< 1000"_s << all << mt::filterNoOperator(u"燃料"_s);
        QTest::newRow("no value") << u"燃料 <"_s << all << mt::filterNoValue(u"燃料"_s);
        QTest::newRow("second condition unfinished")
            << u"燃料 < 1000 艦種"_s << all << mt::filterNoOperator(u"艦種"_s);
        QTest::newRow("no column") << u"< 1000"_s << all << mt::filterNoColumn(u"<"_s);
        QTest::newRow("open quote") << u"艦船名 = \"伊19"_s << all << mt::filterOpenQuote();
    }

    void filter() {
        QFETCH(QString, expression);
        const RowFilter filter = ParseFilter(expression, DefaultColumns(ListKind::Kokan));
        QStringList passed;
        for (const RecordRow& row : kShips) {
            if (RowPasses(filter, row)) {
                passed.append(row.text);
            }
        }
        QTEST(passed, "passed");
        QTEST(filter.error, "error");
    }
};

QTEST_GUILESS_MAIN(TestRecordFilter)
#include "test_record_filter.moc"
