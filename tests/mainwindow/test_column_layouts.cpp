#include "mainwindow/ColumnLayouts.h"

#include <QTest>

using namespace korven::mainwindow;

Q_DECLARE_METATYPE(ListKind)

using namespace Qt::StringLiterals;

namespace {

QStringList captions(const Columns& columns) {
    QStringList result;
    for (const ColumnLayout& c : columns) {
        result.append(c.caption);
    }
    return result;
}

QList<double> widths(const Columns& columns) {
    QList<double> result;
    for (const ColumnLayout& c : columns) {
        result.append(c.width);
    }
    return result;
}

}  // namespace

class TestColumnLayouts : public QObject {
    Q_OBJECT
private slots:
    void defaults_data() {
        QTest::addColumn<ListKind>("kind");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<double>>("widths");
        QTest::addColumn<QString>("alignments");  // L, R, C per column
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("Kankei") << ListKind::Kankei
                                << QStringList{u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s, u"下部ステップ"_s,
                                               u"速力"_s,     u"燃料"_s, u"機数"_s}
                                << QList<double>{1500, 1200, 500, 500, 500, 1000, 500} << "LLRRRRR"
                                << QStringList{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s};
        QTest::newRow("Kokan") << ListKind::Kokan
                               << QStringList{u"艦船名"_s,       u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s,
                                              u"下部ステップ"_s, u"速力"_s,     u"燃料"_s, u"搭載"_s}
                               << QList<double>{1000, 1300, 1200, 1000, 1000, 500, 1500, 2000} << "LLLCCCCC"
                               << QStringList{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s};
        QTest::newRow("Air") << ListKind::Air
                             << QStringList{u"正式名"_s, u"名称"_s, u"国籍"_s, u"開発ターン"_s}
                             << QList<double>{3000, 1500, 1000, 500} << "LLLR"
                             << QStringList{u""_s, u""_s, u""_s, u""_s};
        QTest::newRow("Base") << ListKind::Base
                              << QStringList{u"基地名"_s, u"領有"_s,   u"地形"_s, u"集落規模"_s,
                                             u"資源種"_s, u"工場種"_s, u"泊地"_s}
                              << QList<double>{2200, 800, 520, 1000, 1000, 1000, 1000} << "LLLLLLL"
                              << QStringList{u""_s, u""_s, u""_s, u""_s, u""_s, u""_s, u""_s};
        QTest::newRow("Kagaku") << ListKind::Kagaku
                                << QStringList{u"名称"_s, u"効果"_s, u"必要ターン"_s, u"残りターン"_s}
                                << QList<double>{2200, 2200, 1200, 1200} << "LLRR"
                                << QStringList{u"Name"_s, u"Kouka"_s, u"Need"_s, u"Leave"_s};
        QTest::newRow("ToujouRen") << ListKind::ToujouRen << QStringList{u"国籍"_s, u"戦闘機"_s, u"爆撃機"_s}
                                   << QList<double>{2200, 1000, 1000} << "LLL"
                                   << QStringList{u"Kokuseki"_s, u"Sentou"_s, u"Bakugeki"_s};
    }
    void defaults() {
        QFETCH(ListKind, kind);
        QFETCH(QString, alignments);
        QFETCH(QStringList, keys);
        const Columns columns = DefaultColumns(kind);
        QTEST(captions(columns), "captions");
        QTEST(widths(columns), "widths");
        QCOMPARE(static_cast<qsizetype>(columns.size()), alignments.size());
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const char letter = "LRC"[static_cast<int>(columns[i].alignment)];
            QCOMPARE(QChar::fromLatin1(letter), alignments.at(static_cast<qsizetype>(i)));
            QCOMPARE(columns[i].key, keys.at(static_cast<qsizetype>(i)));
            QCOMPARE(columns[i].position, static_cast<int16_t>(i));
        }
    }

    void sortForms() {
        // Numbers sort as numbers and the ship's "class:own" columns as pairs.
        const Columns ships = DefaultColumns(ListKind::Kokan);
        QCOMPARE(ships[0].sortAs, SortAs::Text);
        QCOMPARE(ships[3].sortAs, SortAs::Pair);
        QCOMPARE(ships[5].sortAs, SortAs::Number);
        QCOMPARE(ships[6].sortAs, SortAs::Pair);
        QCOMPARE(DefaultColumns(ListKind::Kagaku)[2].sortAs, SortAs::Number);
        QCOMPARE(DefaultColumns(ListKind::Base)[1].sortAs, SortAs::Text);
        QVERIFY(DefaultColumns(ListKind::Clear).empty());
    }

    void memoryPerKind() {
        ColumnMemory memory;
        QVERIFY(!memory.recall(ListKind::Kankei));
        Columns resized = DefaultColumns(ListKind::Kankei);
        resized[1].width = 2345;
        std::swap(resized[0].position, resized[1].position);
        memory.remember(ListKind::Kankei, resized);
        memory.remember(ListKind::Clear, resized);  // Clear has no slot
        QCOMPARE(memory.recall(ListKind::Kankei), resized);
        QVERIFY(!memory.recall(ListKind::Kokan));
        QVERIFY(!memory.recall(ListKind::Clear));
        memory.remember(ListKind::Kokan, {});
        QVERIFY(!memory.recall(ListKind::Kokan));  // no key for column 1: counts as empty
    }

    void switchingKeepsEachLayout() {
        ColumnMemory memory;
        Columns shown = SwitchColumns(memory, std::nullopt, {}, ListKind::Kankei);
        QCOMPARE(shown, DefaultColumns(ListKind::Kankei));
        shown[2].width = 900;
        shown = SwitchColumns(memory, ListKind::Kankei, shown, ListKind::Base);
        QCOMPARE(shown, DefaultColumns(ListKind::Base));
        shown[0].width = 3000;
        QVERIFY(SwitchColumns(memory, ListKind::Base, shown, ListKind::Clear).empty());
        // From the empty list nothing is remembered; Kankei comes back as it was left.
        shown = SwitchColumns(memory, std::nullopt, {}, ListKind::Kankei);
        QCOMPARE(shown[2].width, 900.0);
        shown = SwitchColumns(memory, ListKind::Kankei, shown, ListKind::Base);
        QCOMPARE(shown[0].width, 3000.0);
    }
};

QTEST_GUILESS_MAIN(TestColumnLayouts)
#include "test_column_layouts.moc"
