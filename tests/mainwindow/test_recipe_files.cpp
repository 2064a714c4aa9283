#include "mainwindow/RecipeFiles.h"
#include "model/Layout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList titles(const std::vector<RecipeEntry>& entries) {
    QStringList result;
    for (const RecipeEntry& e : entries) {
        result.append(e.title);
    }
    return result;
}

}  // namespace

// The Edit menu's recipe list and the drop rule, over real folders.
class TestRecipeFiles : public QObject {
    Q_OBJECT

private slots:
    void recipesAreTitledByTheirFirstCommentInFileNameOrder() {
        QTemporaryDir dir;
        put(dir.filePath(u"b.txt"_s), "\xEF\xBB\xBF# 全艦修理\nShip[*].Fuel = max\n");
        put(dir.filePath(u"a.txt"_s), "\n\nBase[0].Size = 3\n#  基地  \n");
        put(dir.filePath(u"c 自作.txt"_s), "Ship[0].Fuel = 1\n");
        put(dir.filePath(u"notes.md"_s), "# 説明\n");
        QDir(dir.path()).mkdir(u"sub.txt"_s);
        const std::vector<RecipeEntry> entries = RecipesIn(dir.path());
        QCOMPARE(titles(entries), (QStringList{u"基地"_s, u"全艦修理"_s, u"c 自作"_s}));
        QCOMPARE(entries.front().path, dir.filePath(u"a.txt"_s));
    }

    // Bundled first, then the player's; the same folder set twice, or a missing one, adds nothing.
    void theMenuListsEachFolderOnceInTurn() {
        QTemporaryDir bundled;
        QTemporaryDir own;
        put(bundled.filePath(u"1.txt"_s), "# 付属\n");
        put(own.filePath(u"0.txt"_s), "# 自作\n");
        QCOMPARE(titles(RecipeMenuEntries({bundled.path(), own.path()})),
                 (QStringList{u"付属"_s, u"自作"_s}));
        QCOMPARE(titles(RecipeMenuEntries(
                     {bundled.path(), bundled.path() + u"/"_s, QString(), bundled.filePath(u"missing"_s)})),
                 QStringList{u"付属"_s});
        QVERIFY(RecipesIn(QString()).empty());
    }

    void aDroppedFileIsARecipeByItsSuffixOrItsOpeningComment_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("recipe");
        const QByteArray save = QByteArray(korven::layout::kMagic, korven::layout::kMagicLength) + "rest";
        QTest::newRow("txt suffix") << u"mine.TXT"_s << QByteArray("Ship[0].Fuel = 1\n") << true;
        QTest::newRow("comment, other suffix") << u"share.recipe"_s << QByteArray("# 補給\n") << true;
        QTest::newRow("comment after a BOM") << u"x"_s << QByteArray("\xEF\xBB\xBF# t\n") << true;
        QTest::newRow("a save") << u"SaveFile2.SAVE"_s << save << false;
        QTest::newRow("text without comment") << u"x.dat"_s << QByteArray("Ship[0].Fuel = 1\n") << false;
        QTest::newRow("empty") << u"x.SAVE"_s << QByteArray() << false;
    }
    void aDroppedFileIsARecipeByItsSuffixOrItsOpeningComment() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, recipe);
        QTemporaryDir dir;
        put(dir.filePath(name), bytes);
        QCOMPARE(LooksLikeRecipe(dir.filePath(name)), recipe);
    }

    // A failed write leaves the file that was there.
    void aRecipeIsWrittenWholeOrNotAtAll() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"r.txt"_s);
        QVERIFY(!WriteRecipeFile(path, u"# 題\nShip[0].Fuel = 1\n"_s));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("# \xE9\xA1\x8C\nShip[0].Fuel = 1\n"));
        file.close();
        QVERIFY(WriteRecipeFile(dir.filePath(u"missing/r.txt"_s), u"x"_s).has_value());
    }
};

QTEST_GUILESS_MAIN(TestRecipeFiles)
#include "test_recipe_files.moc"
