#include "cli/Assignment.h"
#include "cli/CliTexts.h"
#include "cli/FieldList.h"
#include "model/ModelDiff.h"
#include "model/Recipe.h"
#include "model/SaveFileWriter.h"
#include "tests/cli/CliFixtures.h"
#include "tests/cli/RunInProcess.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using korven::fixtures::loadModel;
using korven::fixtures::readFile;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::writeFile;

namespace {

using Run = fixtures::CliRun;

Run run(const QStringList& arguments) {
    return fixtures::runCli(arguments);
}

// "Ship[0-1199].Words[6]" as one field: every range at its first index.
QString firstOf(const QString& pattern) {
    return QString(pattern).replace(QRegularExpression(u"\\[(\\d+)-\\d+\\]"_qs), u"[\\1]"_qs);
}

QByteArray composed(const SaveFile& model) {
    NullStatus status;
    return ComposeSaveImage(model, status).value_or(QByteArray());
}

}  // namespace

class TestCliRecipes : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_image;

    QString copyOf(const QByteArray& image, const QString& name) {
        return writeFile(QDir(m_dir.path()), name, image);
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(u"data"_qs)));
        m_image = SaveImageBuilder().build();
    }

    // Every entry of `fields`, set by its name and by its path, gives the same bytes, on the
    // command line's assignments and in a recipe.
    void namesAndPathsWriteTheSameBytes_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        for (const cli::FieldRow& row : cli::FieldRows()) {
            QTest::newRow(qPrintable(row.path)) << firstOf(row.path) << firstOf(row.name);
        }
    }
    void namesAndPathsWriteTheSameBytes() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        const std::unique_ptr<SaveFile> original = loadModel(m_image);
        const std::optional<QJsonValue> current = ValueAt(*original, path);
        // A value the field does not hold, within its width.
        const QString value = !current                   ? u"1"_qs
                              : current->isString()      ? u"テスト"_qs
                              : current->toInteger() > 0 ? QString::number(current->toInteger() - 1)
                                                         : QString::number(current->toInteger() + 1);
        const std::unique_ptr<SaveFile> byPath = loadModel(m_image);
        const std::unique_ptr<SaveFile> byName = loadModel(m_image);
        const cli::AssignmentResult setByPath = cli::ApplyAssignment(*byPath, path + u'=' + value);
        const cli::AssignmentResult setByName = cli::ApplyAssignment(*byName, name + u'=' + value);
        QCOMPARE(setByName.error, setByPath.error);
        QCOMPARE(setByName.changed, setByPath.changed);
        QCOMPARE(composed(*byName), composed(*byPath));
        if (current) {
            QCOMPARE(setByPath.changed, 1);  // the field is written: the comparison saw a change
        }
        const recipe::Prepared recipeByPath = recipe::Prepare(*original, path + u" = "_qs + value);
        const recipe::Prepared recipeByName = recipe::Prepare(*original, name + u" = "_qs + value);
        QCOMPARE(recipeByName.ok(), recipeByPath.ok());
        QCOMPARE(recipeByName.changes.changes.size(), recipeByPath.changes.changes.size());
        QCOMPARE(recipeByPath.changes.changes.size(), std::size_t(current && setByPath.ok() ? 1 : 0));
        if (!recipeByPath.changes.changes.empty()) {
            QCOMPARE(recipeByName.changes.changes.front().path, recipeByPath.changes.changes.front().path);
        }
    }

    void fieldsAsJson() {
        const Run r = run({u"fields"_qs, u"--json"_qs});
        QCOMPARE(r.status, 0);
        const QJsonArray rows = QJsonDocument::fromJson(r.out.toUtf8()).array();
        QCOMPARE(rows.size(), qsizetype(cli::FieldRows().size()));
        QSet<QString> names;
        QJsonObject fuel;
        QJsonObject speed;
        for (const QJsonValue& row : rows) {
            const QJsonObject object = row.toObject();
            names.insert(object[u"name"].toString());
            fuel = object[u"path"] == u"Ship[0-1199].Words[6]"_qs ? object : fuel;
            speed = object[u"path"] == u"ShipClass[0-252].Perf[1]"_qs ? object : speed;
        }
        QCOMPARE(names.size(), rows.size());
        QCOMPARE(fuel[u"name"].toString(), u"Ship[0-1199].Fuel"_qs);
        QCOMPARE(fuel[u"width"].toString(), u"int16"_qs);
        QCOMPARE(fuel[u"min"].toInteger(), -32768);
        QCOMPARE(fuel[u"max"].toInteger(), 32767);
        QVERIFY(fuel[u"dialogMax"].isNull());  // the class's capacity: no fixed number
        QCOMPARE(fuel[u"japanese"].toString(), u"燃料（現在）"_qs);
        QCOMPARE(speed[u"name"].toString(), u"ShipClass[0-252].Speed"_qs);
        QCOMPARE(speed[u"dialogMin"].toInteger(), 0);
        QCOMPARE(speed[u"dialogMax"].toInteger(), 99);
        QVERIFY(r.out.startsWith(
            u"[\n  {\"path\": \"SaveNameLength\", \"name\": \"SaveNameLength\", \"width\""_qs));
    }

    // A dry run shows the rows and leaves the file, and makes no backup.
    void aDryRunWritesNothing() {
        const QString save = copyOf(m_image, u"dry.SAVE"_qs);
        const QString recipe =
            writeFile(QDir(m_dir.path()), u"dry.txt"_qs, "# 練度\nAircrewSkill[0].Fighter = max\n");
        const QDir backups(m_dir.filePath(u"data"_qs));
        const QStringList before = backups.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const Run r = run({u"apply"_qs, save, recipe, u"--dry-run"_qs});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out,
                 u"2 行目 AircrewSkill[0].Fighter = max: 1 項目を変更 (fields changed)\n"_qs
                 u"AircrewSkill[0].Fighter: "_qs +
                     QString::number(loadModel(m_image)->AircrewSkill[0][0]) + u" -> 99\n"_qs +
                     cli::texts::dryRunDone() + u'\n');
        QCOMPARE(readFile(save), m_image);
        QCOMPARE(backups.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(QDir(m_dir.path()).entryList({u"dry.SAVE*"_qs}, QDir::Files), QStringList{u"dry.SAVE"_qs});
    }

    // A recipe line the assignments cannot read runs as a recipe; a refused one writes nothing.
    void applyRunsRecipes() {
        const QString save = copyOf(m_image, u"recipe.SAVE"_qs);
        const QString good = writeFile(QDir(m_dir.path()), u"good.txt"_qs,
                                       "AircrewSkill[1].Bomber = 7\nAircrewSkill[1].Bomber += 5\n");
        const Run applied = run({u"apply"_qs, save, good});
        QCOMPARE(applied.status, 0);
        QCOMPARE(loadModel(readFile(save))->AircrewSkill[1][1], 12);
        const QString bad = writeFile(QDir(m_dir.path()), u"bad.txt"_qs,
                                      "AircrewSkill[1].Bomber = 3\nAircrewSkill[1].Bombr += 5\n");
        const QByteArray saved = readFile(save);
        const Run refused = run({u"apply"_qs, save, bad});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err,
                 u"レシピの 2 行目「AircrewSkill[1].Bombr += 5」は受け付けられません: "
                 u"「AircrewSkill[1].Bombr」という項目はありません\n"_qs +
                     cli::texts::nothingWritten() + u'\n');
        QCOMPARE(readFile(save), saved);
        // Refused on the same line by both readers, a recipe's operation gets the recipe's reason.
        const QString misspelled =
            writeFile(QDir(m_dir.path()), u"misspelled.txt"_qs, "# Full tanks\nShip[*].Fuell = max\n");
        QCOMPARE(run({u"apply"_qs, save, misspelled}).err,
                 u"レシピの 2 行目「Ship[*].Fuell = max」は受け付けられません: "
                 u"「Ship[*].Fuell」という項目はありません\n"_qs +
                     cli::texts::nothingWritten() + u'\n');
        QCOMPARE(readFile(save), saved);
    }

    // diff --recipe turns one generated save into another.
    void diffAsARecipeRoundTrips() {
        SaveImageBuilder other(fixtures::SaveImageOptions{.withinTheRules = true});
        const QString a = copyOf(m_image, u"a.SAVE"_qs);
        const QString b = copyOf(other.build(), u"b.SAVE"_qs);
        const Run diff = run({u"diff"_qs, a, b, u"--recipe"_qs});
        QCOMPARE(diff.status, 1);
        QVERIFY(diff.out.startsWith(u"# a.SAVE を b.SAVE にする\n"_qs));
        QVERIFY(diff.out.contains(u".Fuel = "_qs));
        QVERIFY(!diff.out.contains(u".Words[6]"_qs));
        const QString recipe = writeFile(QDir(m_dir.path()), u"a-to-b.txt"_qs, diff.out.toUtf8());
        QCOMPARE(run({u"apply"_qs, a, recipe}).status, 0);
        const Run after = run({u"diff"_qs, a, b});
        QCOMPARE(after.out, QString());
        QCOMPARE(after.status, 0);
    }

    // A whole dump of a save with fewer bases applies to one with more, up to its last base.
    void aDumpAppliesToASaveWithMoreBases() {
        const QByteArray fewer = SaveImageBuilder(fixtures::SaveImageOptions{.lastBaseIndex = 183}).build();
        const QByteArray more = SaveImageBuilder(fixtures::SaveImageOptions{.lastBaseIndex = 248}).build();
        const QString from = copyOf(fewer, u"183.SAVE"_qs);
        const QString to = copyOf(more, u"248.SAVE"_qs);
        const Run dump = run({u"dump"_qs, from});
        QCOMPARE(dump.status, 0);
        const QString edits = writeFile(QDir(m_dir.path()), u"183.json"_qs, dump.out.toUtf8());
        std::unique_ptr<SaveFile> target = loadModel(more);
        target->Base[5].Airfield = 4321;  // to be overwritten by the dump's
        QVERIFY(composed(*target).size() > 0);
        const Run r = run({u"apply"_qs, to, edits});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const std::unique_ptr<SaveFile> source = loadModel(fewer);
        const std::unique_ptr<SaveFile> before = loadModel(more);
        const std::unique_ptr<SaveFile> result = loadModel(readFile(to));
        QCOMPARE(result->LastBaseIndex, 248);
        QCOMPARE(result->Base[183].Name.text(), before->Base[183].Name.text());
        QCOMPARE(result->Base[183].Airfield, source->Base[183].Airfield);
        QCOMPARE(result->Base[200].Airfield, before->Base[200].Airfield);
        QCOMPARE(result->Ship[7].Words[6], source->Ship[7].Words[6]);
    }
};

QTEST_GUILESS_MAIN(TestCliRecipes)
#include "test_cli_recipes.moc"
