#include "mainwindow/WindowLayout.h"

#include <QTest>

using namespace korven::mainwindow::layout;

class TestWindowLayout : public QObject {
    Q_OBJECT
private slots:
    void splitterClamps_data() {
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("windowWidth");
        QTest::addColumn<double>("applied");
        QTest::newRow("default") << 2500.0 << 8000.0 << 2500.0;
        QTest::newRow("600 gives the minimum tree") << 600.0 << 8000.0 << 1500.0;
        QTest::newRow("7000 leaves the list margin") << 7000.0 << 8000.0 << 6500.0;
        QTest::newRow("exactly the margin") << 6500.0 << 8000.0 << 6500.0;
        QTest::newRow("narrow window: the margin wins") << 2000.0 << 2500.0 << 1000.0;
    }
    void splitterClamps() {
        QFETCH(double, position);
        QFETCH(double, windowWidth);
        QTEST(ClampSplitter(position, windowWidth), "applied");
    }

    void layOut() {
        const PaneLayout l = LayOut(8000, 4500, 2500, true);
        QCOMPARE(l.splitter, 2500.0);
        QCOMPARE(l.treeWidth, 2500.0);
        QCOMPARE(l.stripLeft, 2500.0);
        QCOMPARE(l.listLeft, 2540.0);
        QCOMPARE(l.listWidth, 8000.0 - (2500 + 130));
        QCOMPARE(l.label2Left, 8000.0 - 896);
        QCOMPARE(l.label1Width, 8000.0 - 916);
        QCOMPARE(l.paneHeight, 4500.0 - 1188);
        const PaneLayout hidden = LayOut(8000, 4500, 2500, false);
        QCOMPARE(hidden.paneHeight - l.paneHeight, 264.0);
        const PaneLayout clamped = LayOut(8000, 4500, 600, true);
        QCOMPARE(clamped.treeWidth, 1500.0);
        QCOMPARE(clamped.listLeft, 1540.0);
        QCOMPARE(clamped.listWidth, 8000.0 - 1630);
    }

    void dragLimits_data() {
        QTest::addColumn<double>("stripLeft");
        QTest::addColumn<double>("pointer");
        QTest::addColumn<double>("bar");
        QTest::newRow("to 700") << 2500.0 << -1800.0 << 700.0;
        QTest::newRow("left limit") << 2500.0 << -2400.0 << 500.0;
        QTest::newRow("right limit") << 2500.0 << 6000.0 << 7500.0;
        QTest::newRow("exactly the left limit") << 1500.0 << -1000.0 << 500.0;
    }
    void dragLimits() {
        QFETCH(double, stripLeft);
        QFETCH(double, pointer);
        QTEST(DragBarLeft(stripLeft, pointer, 8000), "bar");
    }

    void barAtDragStart() {
        const BarGeometry g = DragBarAtStart(2500, 252, 80, 3312);
        QCOMPARE(g.left, 2500.0);
        QCOMPARE(g.top, 252.0);
        QCOMPARE(g.width, 40.0);
        QCOMPARE(g.height, 3292.0);
        QCOMPARE(DragBarAtStart(0, 0, 81, 100).width, 40.0);  // whole-number half
    }

    void minimumSize() {
        const Size small = EnforceMinimumSize({3000, 1000});
        QCOMPARE(small.width, 4000.0);
        QCOMPARE(small.height, 2000.0);
        const Size fine = EnforceMinimumSize({9000, 6000});
        QCOMPARE(fine.width, 9000.0);
        QCOMPARE(fine.height, 6000.0);
    }

    void twipsKeptWhilePixelsMatch() {
        QCOMPARE(toPixels(1000), 67);
        QCOMPARE(keepTwips(1000, 67), 1000.0);
        QCOMPARE(keepTwips(1000, 70), 1050.0);
        QCOMPARE(keepTwips(8000, toPixels(8000)), 8000.0);
        QCOMPARE(toTwips(100), 1500.0);
    }

    // 2000 twips need 133.3 pixels, so the smallest window is 134 pixels (2010 twips) high.
    void windowMeasureAtItsMinimum_data() {
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("kept");
        QTest::newRow("shrunk to the minimum") << 4500.0 << 134 << 2000.0;
        QTest::newRow("read as the minimum") << 2000.0 << 134 << 2000.0;
        QTest::newRow("a stored value of those pixels") << 2008.0 << 134 << 2008.0;
        QTest::newRow("one pixel above") << 4500.0 << 135 << 2025.0;
        QTest::newRow("larger, unchanged") << 4500.0 << 300 << 4500.0;
    }

    void windowMeasureAtItsMinimum() {
        QFETCH(double, stored);
        QFETCH(int, pixels);
        QCOMPARE(ceilPixels(2000), 134);
        QTEST(keepWindowTwips(stored, pixels, 2000), "kept");
    }
};

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "test_window_layout.moc"
