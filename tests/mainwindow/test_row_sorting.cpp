#include "mainwindow/RowSorting.h"

#include <QTest>

#include <algorithm>

using namespace korven::mainwindow;

Q_DECLARE_METATYPE(SortAs)

using namespace Qt::StringLiterals;

class TestRowSorting : public QObject {
    Q_OBJECT
private slots:
    void toggling() {
        SortState state;
        state = SortAfterClick(state, 2);
        QCOMPARE(state, (SortState{true, 2, Qt::AscendingOrder}));
        state = SortAfterClick(state, 2);
        QCOMPARE(state, (SortState{true, 2, Qt::DescendingOrder}));
        state = SortAfterClick(state, 2);
        QCOMPARE(state, (SortState{true, 2, Qt::AscendingOrder}));
        state = SortAfterClick(state, 0);
        QCOMPARE(state, (SortState{true, 0, Qt::AscendingOrder}));
        // Descending by another column, or unsorted but remembering the column: ascending.
        QCOMPARE(SortAfterClick(SortState{true, 1, Qt::DescendingOrder}, 0).order, Qt::AscendingOrder);
        QCOMPARE(SortAfterClick(SortState{false, 3, Qt::AscendingOrder}, 3).order, Qt::AscendingOrder);
    }

    void order_data() {
        QTest::addColumn<SortAs>("sortAs");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("numbers") << SortAs::Number
                                 << QStringList{u"100"_s, u"20"_s, u"-3"_s, u"3.5"_s, u"0.0"_s}
                                 << QStringList{u"-3"_s, u"0.0"_s, u"3.5"_s, u"20"_s, u"100"_s};
        QTest::newRow("numbers with empty and odd cells")
            << SortAs::Number << QStringList{u"12"_s, u""_s, u"x"_s, u"7"_s}
            << QStringList{u"7"_s, u"12"_s, u""_s, u"x"_s};
        QTest::newRow("pairs") << SortAs::Pair
                               << QStringList{u"10:2"_s, u"9:30"_s, u"10:10"_s, u"100:0"_s, u":4"_s}
                               << QStringList{u":4"_s, u"9:30"_s, u"10:2"_s, u"10:10"_s, u"100:0"_s};
        QTest::newRow("text") << SortAs::Text
                              << QStringList{u"伊15号"_s, u"100"_s, u"20"_s, u"No.0007"_s, u"no.0006"_s}
                              << QStringList{u"100"_s, u"20"_s, u"no.0006"_s, u"No.0007"_s, u"伊15号"_s};
    }
    void order() {
        QFETCH(SortAs, sortAs);
        QFETCH(QStringList, cells);
        std::sort(cells.begin(), cells.end(),
                  [&](const QString& a, const QString& b) { return CellLess(a, b, sortAs); });
        QTEST(cells, "sorted");
    }

    void strictWeakOrder() {
        // Mixed cells must still give a consistent order (irreflexive, asymmetric, transitive).
        const QStringList cells{u"3:1"_s, u""_s,    u"abc"_s, u"3:01"_s, u"-2:5"_s,
                                u"7"_s,   u"x:1"_s, u"2:"_s,  u"10:0"_s};
        for (const SortAs sortAs : {SortAs::Text, SortAs::Number, SortAs::Pair}) {
            for (const QString& a : cells) {
                QVERIFY(!CellLess(a, a, sortAs));
                for (const QString& b : cells) {
                    QVERIFY(!(CellLess(a, b, sortAs) && CellLess(b, a, sortAs)));
                    for (const QString& c : cells) {
                        if (CellLess(a, b, sortAs) && CellLess(b, c, sortAs)) {
                            QVERIFY(CellLess(a, c, sortAs));
                        }
                    }
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestRowSorting)
#include "test_row_sorting.moc"
