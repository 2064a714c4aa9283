#include "mainwindow/RecordTableModel.h"

#include <QTest>

using namespace korven;
using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ListKind)

namespace {

QStringList firstColumn(const QAbstractItemModel& model) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row) {
        texts.append(model.index(row, 0).data().toString());
    }
    return texts;
}

}  // namespace

class TestRecordTableModel : public QObject {
    Q_OBJECT
private slots:
    void headerToolTipsGiveTheWholeCaption_data() {
        QTest::addColumn<ListKind>("kind");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("caption");
        QTest::newRow("class upper steps") << ListKind::Kankei << 2 << u"上部ステップ"_s;
        QTest::newRow("class lower steps") << ListKind::Kankei << 3 << u"下部ステップ"_s;
        QTest::newRow("ship upper steps") << ListKind::Kokan << 3 << u"上部ステップ"_s;
        QTest::newRow("development turn") << ListKind::Air << 3 << u"開発ターン"_s;
        QTest::newRow("base name") << ListKind::Base << 0 << u"基地名"_s;
    }
    void headerToolTipsGiveTheWholeCaption() {
        QFETCH(ListKind, kind);
        QFETCH(int, column);
        QFETCH(QString, caption);
        RecordTableModel model;
        model.setColumns(DefaultColumns(kind));
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), caption);
        QCOMPARE(model.headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString(), caption);
        QVERIFY(!model.headerData(column, Qt::Vertical, Qt::ToolTipRole).isValid());
    }

    void cellsKeysAndAlignment() {
        RecordTableModel model;
        model.setColumns(DefaultColumns(ListKind::Kokan));
        model.setRows(
            {{RecordKey{RecordKind::Ship, 512}, u"No.0012"_s, {u"クラスA"_s, u"駆逐艦"_s, u"10:3"_s}}});
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.columnCount(), 8);
        QCOMPARE(model.index(0, 0).data().toString(), u"No.0012"_s);
        QCOMPARE(model.index(0, 3).data().toString(), u"10:3"_s);
        // Sub-items the row does not have show empty, not as an error.
        QCOMPARE(model.index(0, 7).data().toString(), QString());
        QCOMPARE(model.index(0, 5).data(RecordTableModel::RowKeyRole).value<RecordKey>(),
                 (RecordKey{RecordKind::Ship, 512}));
        QCOMPARE(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(model.index(0, 3).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(model.headerData(0, Qt::Horizontal, RecordTableModel::WidthRole).toDouble(), 1000.0);
        // New columns drop the rows of the old ones.
        model.setColumns(DefaultColumns(ListKind::Base));
        QCOMPARE(model.rowCount(), 0);
    }

    void proxySortsByValueAndReturnsToBuildOrder_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("names");
        // Rows: name, class, type, upper steps "class:own".
        QTest::newRow("pairs ascending")
            << 3 << Qt::AscendingOrder << QStringList{u"c"_s, u"a"_s, u"d"_s, u"B"_s};
        QTest::newRow("pairs descending")
            << 3 << Qt::DescendingOrder << QStringList{u"B"_s, u"d"_s, u"a"_s, u"c"_s};
        QTest::newRow("names ignore case")
            << 0 << Qt::AscendingOrder << QStringList{u"a"_s, u"B"_s, u"c"_s, u"d"_s};
        QTest::newRow("unsorted") << -1 << Qt::AscendingOrder << QStringList{u"a"_s, u"B"_s, u"c"_s, u"d"_s};
    }
    void proxySortsByValueAndReturnsToBuildOrder() {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        RecordTableModel model;
        model.setColumns(DefaultColumns(ListKind::Kokan));
        model.setRows({{RecordKey{RecordKind::Ship, 0}, u"a"_s, {{}, {}, u"9:30"_s}},
                       {RecordKey{RecordKind::Ship, 1}, u"B"_s, {{}, {}, u"100:0"_s}},
                       {RecordKey{RecordKind::Ship, 2}, u"c"_s, {{}, {}, u":4"_s}},
                       {RecordKey{RecordKind::Ship, 3}, u"d"_s, {{}, {}, u"10:2"_s}}});
        RecordSortProxy proxy;
        proxy.setSourceModel(&model);
        proxy.sort(0, Qt::DescendingOrder);  // some other order first
        proxy.sort(column, order);
        QTEST(firstColumn(proxy), "names");
    }
};

QTEST_GUILESS_MAIN(TestRecordTableModel)
#include "test_record_table_model.moc"
