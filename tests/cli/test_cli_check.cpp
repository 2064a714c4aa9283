#include "model/ModelTexts.h"
#include "platform/LockedFile.h"
#include "tests/cli/CliFixtures.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using korven::fixtures::readFile;
using korven::fixtures::writeFile;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KORVEN_CLI_BINARY), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        qFatal("korvenedit-cli crashed or hung");
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList lines(const QString& text) {
    return text.split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

// check, check --fix and --check, as a user runs them on the demo save.
class TestCliCheck : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_demo;
    int m_files = 0;

    QString freshCopy() {
        return writeFile(QDir(m_dir.path()), QStringLiteral("save%1.SAVE").arg(++m_files), m_demo);
    }
    // A copy with values no dialog accepts, planted without --check.
    QString plantedCopy() {
        const QString path = freshCopy();
        const Run set = run({QStringLiteral("set"), path, QStringLiteral("Base[2].Terrain=200"),
                             QStringLiteral("AircrewSkill[0][0]=150"), QStringLiteral("Ship[0].Words[3]=300"),
                             QStringLiteral("Base[3].Factory[0]=9")});
        if (set.status != 0) {
            qFatal("cannot plant the values");
        }
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        m_demo = readFile(QStringLiteral(KORVEN_DEMO_SAVE));
        QVERIFY(!m_demo.isEmpty());
    }

    void theDemoSaveIsClean() {
        const Run clean = run({QStringLiteral("check"), freshCopy()});
        QCOMPARE(clean.status, 0);
        QCOMPARE(clean.out, QString());
        const Run json = run({QStringLiteral("check"), freshCopy(), QStringLiteral("--json")});
        QCOMPARE(json.status, 0);
        QCOMPARE(QJsonDocument::fromJson(json.out.toUtf8()).array(), QJsonArray());
    }

    void findingsOneLineEach() {
        const Run found = run({QStringLiteral("check"), plantedCopy()});
        QCOMPARE(found.status, 1);
        QCOMPARE(lines(found.out),
                 (QStringList{
                     QStringLiteral(
                         "AircrewSkill[0][0]: 値 150 — 「搭乗員練度（戦闘機）」は編集画面で入力できる範囲の外"
                         "です (0～99)"),
                     QStringLiteral("Base[2].Terrain: 値 200 — 「地形」は編集画面の一覧にない値です (0～5)"),
                     QStringLiteral(
                         "Base[3].Factory[0]: 値 9 — 「工場種類」は編集画面の一覧にない値です (0～6、255)"),
                     QStringLiteral(
                         "Ship[0].Words[3]: 値 300 — 「艦型番号」の艦型がありません (名前のある艦型 0～252)"),
                 }));
    }

    void findingsAsJson() {
        const Run json = run({QStringLiteral("check"), plantedCopy(), QStringLiteral("--json")});
        QCOMPARE(json.status, 1);
        const QJsonArray findings = QJsonDocument::fromJson(json.out.toUtf8()).array();
        QCOMPARE(findings.size(), 4);
        const QJsonObject terrain = findings[1].toObject();
        QCOMPARE(terrain.keys(),
                 (QStringList{QStringLiteral("fix"), QStringLiteral("message"), QStringLiteral("path"),
                              QStringLiteral("rule"), QStringLiteral("value")}));
        QCOMPARE(terrain[u"path"].toString(), QStringLiteral("Base[2].Terrain"));
        QCOMPARE(terrain[u"value"].toInt(), 200);
        QCOMPARE(terrain[u"rule"].toString(), QStringLiteral("list"));
        QCOMPARE(terrain[u"fix"].toInt(), 5);
        QCOMPARE(findings[2].toObject()[u"fix"].toInt(), 255);  // a factory kind off the list: なし
        // No class number is obviously right.
        QVERIFY(findings[3].toObject()[u"fix"].isNull());
    }

    void fixRepairsWhatItCanAndNothingElse() {
        const QString planted = plantedCopy();
        const QByteArray before = readFile(planted);
        const QString repaired = m_dir.filePath(QStringLiteral("repaired.SAVE"));
        const Run fix = run({QStringLiteral("check"), planted, QStringLiteral("--fix"),
                             QStringLiteral("--output"), repaired});
        QCOMPARE(fix.status, 1);  // the class number stays
        QVERIFY2(fix.out.contains(QStringLiteral("Base[2].Terrain: 200 -> 5")), qPrintable(fix.out));
        QCOMPARE(readFile(planted), before);
        const Run diff = run({QStringLiteral("diff"), planted, repaired});
        QCOMPARE(lines(diff.out).size(), 3);
        const Run after = run({QStringLiteral("check"), repaired});
        QCOMPARE(after.status, 1);
        QCOMPARE(lines(after.out).size(), 1);
        QVERIFY(after.out.startsWith(QStringLiteral("Ship[0].Words[3]:")));
    }

    // A fix the field cannot hold is no fix, and blocks none of the others; a rule between two
    // fields moves the one it is about.
    void fixesAreWritableAndMoveOneField_data() {
        QTest::addColumn<QStringList>("planted");
        QTest::addColumn<QStringList>("repairs");
        QTest::addColumn<int>("leftUnrepaired");
        QTest::newRow("start and end past every 16-bit counter")
            << QStringList{QStringLiteral("TurnInfo[3]=3000"), QStringLiteral("TurnInfo[6]=3001")}
            << QStringList{QStringLiteral("TurnInfo[6]: 3001 -> 50")} << 1;
        QTest::newRow("current turn past the end")
            << QStringList{QStringLiteral("TurnInfo[0]=445")}
            << QStringList{QStringLiteral("TurnInfo[0]: 445 -> 444")} << 0;
        QTest::newRow("turns needed below zero")
            << QStringList{QStringLiteral("ScienceWeapon[1][2].Need=-1"),
                           QStringLiteral("ScienceWeapon[1][2].Leave=7")}
            << QStringList{QStringLiteral("ScienceWeapon[1][2].Need: -1 -> 7")} << 0;
    }
    void fixesAreWritableAndMoveOneField() {
        QFETCH(QStringList, planted);
        QFETCH(QStringList, repairs);
        QFETCH(int, leftUnrepaired);
        const QString path = freshCopy();
        QCOMPARE(run(QStringList{QStringLiteral("set"), path} + planted).status, 0);
        const QJsonArray found =
            QJsonDocument::fromJson(
                run({QStringLiteral("check"), path, QStringLiteral("--json")}).out.toUtf8())
                .array();
        for (const QJsonValue& f : found) {
            const QJsonValue fix = f.toObject()[u"fix"];
            QVERIFY2(fix.isNull() || (fix.toInteger() >= -32768 && fix.toInteger() <= 32767),
                     qPrintable(f.toObject()[u"path"].toString()));
        }
        const QString repaired = m_dir.filePath(QStringLiteral("moved%1.SAVE").arg(++m_files));
        const Run fix = run(
            {QStringLiteral("check"), path, QStringLiteral("--fix"), QStringLiteral("--output"), repaired});
        QCOMPARE(fix.status, leftUnrepaired > 0 ? 1 : 0);
        QStringList said;
        for (const QString& line : lines(fix.out)) {
            if (line.startsWith(QStringLiteral("修正 (repaired): "))) {
                said << line.mid(QStringLiteral("修正 (repaired): ").size());
            }
        }
        QCOMPARE(said, repairs);
        QCOMPARE(lines(fix.out).filter(QStringLiteral("修正できません")).size(), leftUnrepaired);
        QCOMPARE(lines(run({QStringLiteral("diff"), path, repaired}).out).size(), repairs.size());
        QCOMPARE(lines(run({QStringLiteral("check"), repaired}).out).size(), leftUnrepaired);
    }

    // On a save broken nearly everywhere the repair ends with nothing fixable left, and the
    // findings it says it left are the ones the repaired file has.
    void fixReportsWhatIsLeft() {
        const QString broken = writeFile(QDir(m_dir.path()), QStringLiteral("broken.SAVE"),
                                         fixtures::SaveImageBuilder().build());
        const QString repaired = m_dir.filePath(QStringLiteral("broken-repaired.SAVE"));
        const Run fix = run(
            {QStringLiteral("check"), broken, QStringLiteral("--fix"), QStringLiteral("--output"), repaired});
        QCOMPARE(fix.status, 1);
        QStringList left;
        for (const QString& line : lines(fix.out)) {
            if (line.startsWith(QStringLiteral("修正できません (no obvious repair): "))) {
                left << line.mid(QStringLiteral("修正できません (no obvious repair): ").size());
            }
        }
        QVERIFY(!left.isEmpty());
        QCOMPARE(lines(run({QStringLiteral("check"), repaired}).out), left);
        const QJsonArray after =
            QJsonDocument::fromJson(
                run({QStringLiteral("check"), repaired, QStringLiteral("--json")}).out.toUtf8())
                .array();
        for (const QJsonValue& f : after) {
            QVERIFY2(f.toObject()[u"fix"].isNull(), qPrintable(f.toObject()[u"path"].toString()));
        }
    }

    void fixLeavesALockedFileAlone() {
        const QString planted = plantedCopy();
        const QByteArray before = readFile(planted);
        const auto editor = LockedFile::open(planted, LockMode::Normal);
        QVERIFY(editor);
        const Run fix = run({QStringLiteral("check"), planted, QStringLiteral("--fix")});
        QCOMPARE(fix.status, 1);
        QVERIFY2(fix.err.startsWith(korven::texts::cannotOpen().section(u'\r', 0, 0)), qPrintable(fix.err));
        QCOMPARE(readFile(planted), before);
    }

    void anUnreadableFileSaysWhatVerifySays() {
        const QString missing = m_dir.filePath(QStringLiteral("none.SAVE"));
        const Run check = run({QStringLiteral("check"), missing});
        QCOMPARE(check.status, 3);
        QCOMPARE(check.err, run({QStringLiteral("verify"), missing}).err);
    }

    void usage() {
        const QString path = freshCopy();
        QCOMPARE(run({QStringLiteral("check")}).status, 2);
        QCOMPARE(
            run({QStringLiteral("check"), path, QStringLiteral("--json"), QStringLiteral("--fix")}).status,
            2);
        QCOMPARE(run({QStringLiteral("check"), path, QStringLiteral("--output"), path}).status, 2);
        QCOMPARE(run({QStringLiteral("info"), path, QStringLiteral("--fix")}).status, 2);
    }

    // --check refuses list values and what a change breaks elsewhere, naming the record.
    void checkOptionUsesTheSameRules() {
        const QString path = freshCopy();
        const Run terrain = run(
            {QStringLiteral("set"), path, QStringLiteral("Base[*].Terrain=6"), QStringLiteral("--check")});
        QCOMPARE(terrain.status, 1);
        QVERIFY2(terrain.err.contains(QStringLiteral("Base[0].Terrain")), qPrintable(terrain.err));
        // Lowering a class's fuel below what its ships carry.
        const QJsonObject dump =
            QJsonDocument::fromJson(run({QStringLiteral("dump"), path}).out.toUtf8()).object();
        const int shipClass = dump[u"Ship"].toArray()[0].toObject()[u"Words"].toArray()[3].toInt();
        const Run fuel =
            run({QStringLiteral("set"), path, QStringLiteral("ShipClass[%1].Perf[2]=1").arg(shipClass),
                 QStringLiteral("--check")});
        QCOMPARE(fuel.status, 1);
        QVERIFY2(fuel.err.contains(QStringLiteral("].Words[6]")), qPrintable(fuel.err));
        QCOMPARE(readFile(path), m_demo);
    }
};

QTEST_GUILESS_MAIN(TestCliCheck)
#include "test_cli_check.moc"
