#include "cli/CliTexts.h"
#include "model/ModelTexts.h"
#include "platform/Backups.h"
#include "tests/cli/CliFixtures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using korven::fixtures::getInt16;
using korven::fixtures::putInt16;
using korven::fixtures::readFile;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;
using korven::fixtures::writeFile;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(KORVEN_CLI_BINARY), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        qFatal("korvenedit-cli crashed or hung");
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString line(const QString& text) {
    return text + QLatin1Char('\n');
}

// The bytes of `image` with those at `offset` replaced.
QByteArray patched(QByteArray image, qint64 offset, const QByteArray& bytes) {
    image.replace(offset, bytes.size(), bytes);
    return image;
}

// Moves the byte at table[record].field[row][column] of a dump to the next value (0 after
// 255) and returns the new value.
int nextByte(QJsonObject& dump, QStringView table, int record, QStringView field, int row, int column) {
    QJsonArray records = dump[table].toArray();
    QJsonObject entry = records[record].toObject();
    QJsonArray rows = entry[field].toArray();
    QJsonArray cells = rows[row].toArray();
    const int next = (cells[column].toInt() + 1) % 256;
    cells[column] = next;
    rows[row] = cells;
    entry[field] = rows;
    records[record] = entry;
    dump[table] = records;
    return next;
}

QByteArray int16Bytes(int16_t value) {
    return QByteArray(1, static_cast<char>(value & 0xFF)) +
           QByteArray(1, static_cast<char>((value >> 8) & 0xFF));
}

}  // namespace

// apply, set with selections and --check, fields and diff --json, as a user runs them.

class TestCliApply : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SaveImageBuilder m_builder;  // last base 180
    QByteArray m_image;
    int m_files = 0;

    QString freshCopy() {
        return writeFile(QDir(m_dir.path()), QStringLiteral("save%1.SAVE").arg(++m_files), m_image);
    }
    QString edits(const QByteArray& contents) {
        return writeFile(QDir(m_dir.path()), QStringLiteral("edits%1.txt").arg(++m_files), contents);
    }
    // The tool keeps its backups under its own name in the data folder.
    int backupsOf(const QString& path) const {
        const BackupStore store(m_dir.filePath(QStringLiteral("data/KorvenEdit/backups")));
        return static_cast<int>(store.backupsOf(path).size());
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));
        m_image = m_builder.build();
    }

    void anUneditedDumpChangesNothing() {
        const QString path = freshCopy();
        const Run dump = run({QStringLiteral("dump"), path});
        QCOMPARE(dump.status, 0);
        const Run apply = run({QStringLiteral("apply"), path, QStringLiteral("-")}, dump.out.toUtf8());
        QCOMPARE(apply.status, 0);
        QCOMPARE(apply.err, line(QStringLiteral("変更はありません")));
        QCOMPARE(apply.out, QString());
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(backupsOf(path), 0);
    }

    // A name whose bytes have no character (shown as U+FFFD) is not refused when the dump
    // gives it back, and keeps its bytes when another field of the dump is edited.
    void aDumpGivesBackNamesTheFileCannotSpell() {
        const QByteArray image = patched(m_image, m_builder.aircraftTypeOffset(5), "\x85\x40");
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("unspelt.SAVE"), image);
        const Run dump = run({QStringLiteral("dump"), path});
        QCOMPARE(dump.status, 0);
        QJsonObject json = QJsonDocument::fromJson(dump.out.toUtf8()).object();
        QVERIFY(json[u"AircraftType"][5][u"Name"].toString().startsWith(QChar(0xFFFD)));

        const Run unedited = run({QStringLiteral("apply"), path, QStringLiteral("-")}, dump.out.toUtf8());
        QCOMPARE(unedited.status, 0);
        QCOMPARE(unedited.err, line(QStringLiteral("変更はありません")));
        QCOMPARE(readFile(path), image);

        QJsonArray ships = json[u"Ship"].toArray();
        QJsonObject ship = ships[3].toObject();
        QJsonArray words = ship[u"Words"].toArray();
        words[6] = 4321;
        ship[u"Words"] = words;
        ships[3] = ship;
        json[u"Ship"] = ships;
        const Run edited =
            run({QStringLiteral("apply"), path, QStringLiteral("-")}, QJsonDocument(json).toJson());
        QCOMPARE(edited.status, 0);
        QCOMPARE(readFile(path), patched(image, m_builder.shipOffset(3) + 12, int16Bytes(4321)));
    }

    // The last fields of the dump's last tables, in the file's order and in the dump's.
    void aFullDumpWithItsLastFieldsChanged() {
        const QString path = freshCopy();
        const Run dump = run({QStringLiteral("dump"), path});
        QJsonObject json = QJsonDocument::fromJson(dump.out.toUtf8()).object();
        const int count = nextByte(json, u"CarrierAir", 119, u"Slots", 2, 3);
        const int firings = nextByte(json, u"ShipClass", 252, u"Weapon", 2, 3);

        const Run r = run({QStringLiteral("apply"), path, edits(QJsonDocument(json).toJson())});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(line(QStringLiteral("変更した項目: 2 (fields changed in all)"))),
                 qPrintable(r.out));
        QByteArray expected =
            patched(m_image, m_builder.carrierAirOffset(119) + 13, QByteArray(1, static_cast<char>(count)));
        expected =
            patched(expected, m_builder.shipClassOffset(252) + 37, QByteArray(1, static_cast<char>(firings)));
        QCOMPARE(readFile(path), expected);
    }

    void aPartOfTheDumpChangesItsFields() {
        const QString path = freshCopy();
        const QByteArray json =
            R"({"ShipClass": {"12": {"Perf": [null, 30]}}, "Base": [null, {"Airfield": 77}]})";
        const Run r = run({QStringLiteral("apply"), path, edits(json)});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(line(cli::texts::totalChanged(2))), qPrintable(r.out));
        QByteArray expected = patched(m_image, m_builder.shipClassOffset(12) + 18, int16Bytes(30));
        expected = patched(expected, m_builder.baseOffset(1) + 80, int16Bytes(77));
        QCOMPARE(readFile(path), expected);
        QCOMPARE(backupsOf(path), 1);
    }

    void assignmentsFileWithCommentsCrLfAndBom() {
        const QString path = freshCopy();
        const QByteArray text =
            "\xEF\xBB\xBF# fuel for the first ships\r\n"
            "\r\n"
            "  Ship[3].Words[6]=321\r\n"
            "AircraftType[5].Name=零式艦上戦闘機\r\n";
        const Run r = run({QStringLiteral("apply"), path, edits(text)});
        QCOMPARE(r.status, 0);
        const QByteArray after = readFile(path);
        QCOMPARE(getInt16(after, m_builder.shipOffset(3) + 12), 321);
        QCOMPARE(after.mid(m_builder.aircraftTypeOffset(5), 15),
                 *cp932::encode(QStringLiteral("零式艦上戦闘機")) + QByteArray(1, '\0'));
    }

    // Each refused input names what is wrong, exits with 1 and leaves the file as it was.
    void badEdits_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");  // the first line of standard error
        QTest::newRow("Shift-JIS") << *cp932::encode(QStringLiteral("AircraftType[5].Name=零式\n"))
                                   << cli::texts::notUtf8();
        // The "x" is the 19th character of line 2.
        QTest::newRow("malformed JSON") << QByteArray("{\n  \"TurnInfo\": [1, x]}")
                                        << QStringLiteral(
                                               "JSON の 2 行 19 桁目に誤りがあります: 値として読めません "
                                               "(malformed JSON)");
        QTest::newRow("JSON path that does not exist")
            << QByteArray(R"({"ShipClass": {"12": {"Speed": 3}}})")
            << cli::texts::jsonEditRefused(QStringLiteral("ShipClass[12].Speed"),
                                           cli::texts::unknownField(QStringLiteral("Speed")));
        QTest::newRow("JSON index past the table")
            << QByteArray(R"({"Ship": {"1200": {"Words": [1]}}})")
            << cli::texts::jsonEditRefused(QStringLiteral("Ship[1200]"),
                                           cli::texts::indexOutOfRange(QStringLiteral("1200"), 1199));
        QTest::newRow("JSON text for a number")
            << QByteArray(R"({"TurnInfo": ["10"]})")
            << cli::texts::jsonEditRefused(QStringLiteral("TurnInfo[0]"),
                                           cli::texts::notAnInteger(QStringLiteral("10")));
        QTest::newRow("JSON number too large for a byte")
            << QByteArray(R"({"AircrewSkill": [[256]]})")
            << cli::texts::jsonEditRefused(QStringLiteral("AircrewSkill[0][0]"),
                                           cli::texts::valueOutOfRange(QStringLiteral("256"), 0, 255));
        QTest::newRow("JSON changes a position the writer never stores")
            << QByteArray(R"({"LastBaseIndex": 3})")
            << cli::texts::jsonEditRefused(QStringLiteral("LastBaseIndex"),
                                           cli::texts::neverWritten(QStringLiteral("LastBaseIndex")));
        QTest::newRow("later dump format")
            << QByteArray(R"({"FormatVersion": 2, "TurnInfo": [1]})")
            << cli::texts::jsonEditRefused(QStringLiteral("FormatVersion"),
                                           cli::texts::unknownFormatVersion(1));
        QTest::newRow("first bad line named")
            << QByteArray("TurnInfo[0]=10\n# note\nShipClass[12].Perf[1]=30\nShip[1].Words[9]=1\nNope=1\n")
            << cli::texts::assignmentRefused(QStringLiteral("4 行目: Ship[1].Words[9]=1"),
                                             cli::texts::indexOutOfRange(QStringLiteral("9"), 6));
        QTest::newRow("filter that matches nothing")
            << QByteArray("Ship[Words[0]==-5].Words[6]=1\n")
            << cli::texts::assignmentRefused(QStringLiteral("1 行目: Ship[Words[0]==-5].Words[6]=1"),
                                             cli::texts::nothingSelected());
        QTest::newRow("only comments") << QByteArray("# nothing\n\n") << cli::texts::noEdits();
        QTest::newRow("save name named without a whole dump")
            << QByteArray(R"({"SaveName": "ＳＡＶＥ９"})")
            << cli::texts::jsonEditRefused(QStringLiteral("SaveName"),
                                           cli::texts::neverWritten(QStringLiteral("SaveName")));
        // A key given twice: which one was meant cannot be known.
        QTest::newRow("JSON table twice")
            << QByteArray(R"({"TurnInfo": [5], "Ship": {}, "TurnInfo": [6]})")
            << cli::texts::jsonEditRefused(QStringLiteral("TurnInfo"),
                                           cli::texts::jsonDuplicateKey(QStringLiteral("TurnInfo")));
        QTest::newRow("JSON field twice in a record")
            << QByteArray(R"({"ShipClass": {"12": {"Name": "a", "Perf": [1], "Name": "b"}}})")
            << cli::texts::jsonEditRefused(QStringLiteral("ShipClass[12].Name"),
                                           cli::texts::jsonDuplicateKey(QStringLiteral("Name")));
        QTest::newRow("JSON index twice, spelt two ways")
            << QByteArray(R"({"Ship": {"7": {"Words": [1]}, "07": {"Words": [2]}}})")
            << cli::texts::jsonEditRefused(QStringLiteral("Ship[7]"),
                                           cli::texts::jsonDuplicateKey(QStringLiteral("07")));
        QTest::newRow("NUL byte in a file of assignments")
            << QByteArray("Ship[3].Words[6]=1\nShipClass[1].Name=a\0b\n", 40) << cli::texts::nulInEdits();
        QTest::newRow("escaped NUL in a JSON name")
            << QByteArray(R"({"ShipClass": {"1": {"Name": "a\u0000b"}}})")
            << cli::texts::jsonEditRefused(QStringLiteral("ShipClass[1].Name"), cli::texts::textHasNul());
        // A megabyte-long bad line is quoted in part.
        const QByteArray longValue(1 << 20, '7');
        QTest::newRow("long bad line quoted in part")
            << "TurnInfo[0]=x" + longValue + "\n"
            << cli::texts::assignmentRefused(
                   QStringLiteral("1 行目: TurnInfo[0]=x") + QString(184, u'7') + QChar(u'…'),
                   cli::texts::notAnInteger(QStringLiteral("x") + QString(199, u'7') + QChar(u'…')));
    }
    void badEdits() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString path = freshCopy();
        const Run r = run({QStringLiteral("apply"), path, edits(contents)});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err.section(u'\n', 0, 0), message);
        QVERIFY(r.err.endsWith(line(cli::texts::nothingWritten())));
        QVERIFY2(r.err.size() < 1000, qPrintable(QString::number(r.err.size())));
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(backupsOf(path), 0);
    }

    void editsThatCannotBeRead() {
        const QString path = freshCopy();
        const QString missing = m_dir.filePath(QStringLiteral("missing.txt"));
        const Run r = run({QStringLiteral("apply"), path, missing});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, line(cli::texts::cannotReadEdits(missing)) + line(cli::texts::nothingWritten()));
        QCOMPARE(readFile(path), m_image);
    }

    void selectionsSayHowManyFieldsChanged() {
        const QString path = freshCopy();
        // Bases 0..180 are in the file; 181..255 are skipped, not refused.
        const Run r = run({QStringLiteral("set"), path, QStringLiteral("Base[*].Airfield=555"),
                           QStringLiteral("Ship[10-19].Words[6]=444")});
        QCOMPARE(r.status, 0);
        QVERIFY2(
            r.out.startsWith(line(cli::texts::fieldsChanged(QStringLiteral("Base[*].Airfield=555"), 181)) +
                             line(cli::texts::fieldsChanged(QStringLiteral("Ship[10-19].Words[6]=444"), 10))),
            qPrintable(r.out));
        const QByteArray after = readFile(path);
        for (int b : {0, 90, 180}) {
            QCOMPARE(getInt16(after, m_builder.baseOffset(b) + 80), 555);
        }
        for (int s : {9, 10, 19, 20}) {
            QCOMPARE(getInt16(after, m_builder.shipOffset(s) + 12) == 444, s >= 10 && s <= 19);
        }
        // The ship block follows base 180 directly, so nothing was written after it.
        QCOMPARE(after.size(), m_image.size());
    }

    void aFilterOnAnotherFieldOfTheRecord() {
        const QString path = freshCopy();
        const int16_t shipClass = getInt16(m_image, m_builder.shipOffset(0) + 6);
        QList<int> members;
        for (int s = 0; s < 1200; ++s) {
            if (getInt16(m_image, m_builder.shipOffset(s) + 6) == shipClass &&
                getInt16(m_image, m_builder.shipOffset(s) + 12) != 1) {
                members.append(s);
            }
        }
        QVERIFY(!members.isEmpty());
        const QString assignment = QStringLiteral("Ship[Words[3]==%1].Words[6]=1").arg(shipClass);
        const Run r = run({QStringLiteral("set"), path, assignment});
        QCOMPARE(r.status, 0);
        QVERIFY2(
            r.out.startsWith(line(cli::texts::fieldsChanged(assignment, static_cast<int>(members.size())))),
            qPrintable(r.out));
        const QByteArray after = readFile(path);
        for (int s = 0; s < 1200; ++s) {
            const bool inClass = getInt16(m_image, m_builder.shipOffset(s) + 6) == shipClass;
            QCOMPARE(getInt16(after, m_builder.shipOffset(s) + 12) == 1,
                     inClass || getInt16(m_image, m_builder.shipOffset(s) + 12) == 1);
        }
    }

    void aLaterAssignmentOverridesAndSaysSo() {
        const QString path = freshCopy();
        const QByteArray text = "Ship[0-9].Words[6]=100\nShip[4].Words[6]=7\n";
        const Run r = run({QStringLiteral("apply"), path, edits(text)});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, line(cli::texts::overrides(QStringLiteral("2 行目: Ship[4].Words[6]=7"),
                                                   QStringLiteral("1 行目: Ship[0-9].Words[6]=100"), 1)));
        QCOMPARE(getInt16(readFile(path), m_builder.shipOffset(4) + 12), 7);
        QCOMPARE(getInt16(readFile(path), m_builder.shipOffset(5) + 12), 100);
    }

    // Of thousands of overrides, naming Japanese texts too, the first twenty are told in order,
    // the rest counted on one line.
    void manyOverridesAreCounted() {
        const QString path = freshCopy();
        auto assignment = [](int i) { return QStringLiteral("ShipClass[%1].Name=艦%2").arg(i % 3).arg(i); };
        QByteArray text;
        QString expected;
        for (int i = 0; i < 3000; ++i) {
            text += assignment(i).toUtf8() + '\n';
            if (i >= 3 && i < 23) {
                expected += line(cli::texts::overrides(
                    QStringLiteral("%1 行目: %2").arg(QString::number(i + 1), assignment(i)),
                    QStringLiteral("%1 行目: %2").arg(QString::number(i - 2), assignment(i - 3)), 1));
            }
        }
        expected += line(QStringLiteral(
            "ほかに 2977 件の代入が前の代入を上書きします (後の代入が有効)。(more overrides)"));
        const Run r = run({QStringLiteral("apply"), path, edits(text)});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, expected);
    }

    // A "%1" in an assignment is the user's text, not a place for the count.
    void messagesQuoteAssignmentsAsWritten() {
        const QString path = freshCopy();
        const Run set = run({QStringLiteral("set"), path, QStringLiteral("Base[0-1].Name=50%1")});
        QCOMPARE(set.status, 0);
        QVERIFY2(
            set.out.startsWith(line(QStringLiteral("Base[0-1].Name=50%1: 2 項目を変更 (fields changed)"))),
            qPrintable(set.out));
        const Run apply =
            run({QStringLiteral("apply"), path, edits("Base[0-1].Name=%2%1\nBase[1].Name=x\n")});
        QCOMPARE(apply.status, 0);
        QCOMPARE(apply.err,
                 line(QStringLiteral("「2 行目: Base[1].Name=x」は「1 行目: Base[0-1].Name=%2%1」で設定した "
                                     "1 項目を上書きします (後の代入が有効)。(overrides an earlier "
                                     "assignment; the last one wins)")));
    }

    void checkRefusesWhatTheDialogsRefuse() {
        const QString path = freshCopy();
        const QString skill = QStringLiteral("AircrewSkill[0][0]=100");
        const Run checked = run({QStringLiteral("set"), path, skill, QStringLiteral("--check")});
        QCOMPARE(checked.status, 1);
        QCOMPARE(
            checked.err.section(u'\n', 0, 0),
            cli::texts::assignmentRefused(skill, korven::texts::outsideDialogRange(
                                                     QStringLiteral("搭乗員練度（戦闘機）"), 100, 0, 99)));
        QCOMPARE(readFile(path), m_image);
        // JSON edits name the field.
        const Run json = run({QStringLiteral("apply"), path, QStringLiteral("-"), QStringLiteral("--check")},
                             R"({"Base": {"3": {"PublicOrder": 101}}})");
        QCOMPARE(json.status, 1);
        QVERIFY2(json.err.startsWith(cli::texts::assignmentRefused(
                     cli::texts::jsonEdit(QStringLiteral("Base[3].PublicOrder")), QString())),
                 qPrintable(json.err));
        QCOMPARE(readFile(path), m_image);
        // Without --check any value that fits the field is taken.
        const Run unchecked = run({QStringLiteral("set"), path, skill});
        QCOMPARE(unchecked.status, 0);
        QCOMPARE(static_cast<unsigned char>(readFile(path)[m_builder.aircrewSkillOffset()]), 100);
    }

    // Another save's whole dump: its save name, block positions and never-stored aircraft are
    // its own, skipped with one line; what the file stores is taken.
    void anotherSavesDumpApplies() {
        SaveImageOptions options;
        options.saveName = QStringLiteral("ＳＡＶＥ２　昭和１８年");
        options.aircraftBlockOffset = 3100;
        const SaveImageBuilder other(options);
        QByteArray otherImage = other.build();
        putInt16(otherImage, other.shipOffset(3) + 12, 4321);
        const QString source = writeFile(QDir(m_dir.path()), QStringLiteral("other.SAVE"), otherImage);
        const Run dump = run({QStringLiteral("dump"), source});
        QCOMPARE(dump.status, 0);

        const QString path = freshCopy();
        const Run r = run({QStringLiteral("apply"), path, QStringLiteral("-")}, dump.out.toUtf8());
        QCOMPARE(r.status, 0);
        const QStringList notices = r.err.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices[0].startsWith(QStringLiteral("ファイルに書き込まれない ")), qPrintable(r.err));
        // Now the file holds the other save's values, except where the writer never stores.
        const Run diff = run({QStringLiteral("diff"), source, path});
        QCOMPARE(diff.status, 1);
        static const QRegularExpression neverStored(
            QStringLiteral("^(SaveName|HeaderEndPos|AircraftBlockPos|ShipClassBlockPos|BaseBlockPos|"
                           "AircraftType\\[17[0-5]\\]|AirDevelopment\\[17[0-5]\\]).*"));
        const QStringList differences = diff.out.split(u'\n', Qt::SkipEmptyParts);
        for (const QString& difference : differences) {
            QVERIFY2(neverStored.match(difference).hasMatch(), qPrintable(difference));
        }
        // The positions count from 1: the block stays where this file has it.
        QVERIFY(differences.contains(QStringLiteral("AircraftBlockPos: 3101 -> 3001")));
        QCOMPARE(getInt16(readFile(path), m_builder.shipOffset(3) + 12), 4321);
    }

    // A copy is written even when no value changes, byte for byte, texts the code page cannot
    // spell included.
    void aCopyWithNothingToChange() {
        const QByteArray image = patched(m_image, m_builder.shipClassOffset(4), "\x81\x20\xFD\xFF");
        const QString path = writeFile(QDir(m_dir.path()), QStringLiteral("odd.SAVE"), image);
        const QString copy = m_dir.filePath(QStringLiteral("copy.SAVE"));
        const Run dump = run({QStringLiteral("dump"), path});
        const Run r =
            run({QStringLiteral("apply"), path, QStringLiteral("-"), QStringLiteral("--output"), copy},
                dump.out.toUtf8());
        QCOMPARE(r.status, 0);
        QCOMPARE(readFile(copy), image);
        QCOMPARE(readFile(path), image);

        // Edits that hold only comments write the copy as `{}` does; in place they are refused.
        for (const QByteArray& nothing :
             {QByteArray("{}"), QByteArray("# nothing yet\r\n\n# still nothing\n")}) {
            const QString again = m_dir.filePath(QStringLiteral("again%1.SAVE").arg(++m_files));
            const Run copied =
                run({QStringLiteral("apply"), path, edits(nothing), QStringLiteral("-o"), again});
            QCOMPARE(copied.status, 0);
            QCOMPARE(copied.out, cli::texts::saved(again) + QLatin1Char('\n'));
            QCOMPARE(readFile(again), image);
        }
        QCOMPARE(readFile(path), image);
    }

    void fieldsListsWidthRangeAndMeaning() {
        const Run all = run({QStringLiteral("fields")});
        QCOMPARE(all.status, 0);
        QVERIFY(all.out.contains(
            line(QStringLiteral("ShipClass[0-252].Perf[1]\tint16\t-32768..32767\t0..99\t速力\tspeed"))));
        QVERIFY(all.out.contains(line(QStringLiteral(
            "AircrewSkill[0-4][1]\tu8\t0..255\t0..99\t搭乗員練度（爆撃機）\tskill of the air arm's "
            "bomber crews"))));
        const Run ships = run({QStringLiteral("fields"), QStringLiteral("Ship")});
        QCOMPARE(ships.status, 0);
        const QStringList lines = ships.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 14);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            QVERIFY2(lines[i].startsWith(QStringLiteral("Ship[0-1199].")), qPrintable(lines[i]));
        }
        const Run unknown = run({QStringLiteral("fields"), QStringLiteral("Fleet")});
        QCOMPARE(unknown.status, 2);
    }

    // docs/fields.md is the tool's own --markdown output; regenerate it with
    // `korvenedit-cli fields --markdown > docs/fields.md` when the fields change.
    void theReferenceDocumentIsCurrent() {
        const Run markdown = run({QStringLiteral("fields"), QStringLiteral("--markdown")});
        QCOMPARE(markdown.status, 0);
        QCOMPARE(markdown.out, QString::fromUtf8(readFile(QStringLiteral(KORVEN_FIELDS_DOC))));
    }

    void diffAsJson() {
        const QString a = freshCopy();
        const QString b = freshCopy();
        const Run same = run({QStringLiteral("diff"), a, b, QStringLiteral("--json")});
        QCOMPARE(same.status, 0);
        QCOMPARE(QJsonDocument::fromJson(same.out.toUtf8()).array(), QJsonArray());
        QCOMPARE(run({QStringLiteral("set"), b, QStringLiteral("ShipClass[12].Name=大和")}).status, 0);
        const Run differ = run({QStringLiteral("diff"), a, b, QStringLiteral("--json")});
        QCOMPARE(differ.status, 1);
        const QJsonArray changes = QJsonDocument::fromJson(differ.out.toUtf8()).array();
        QCOMPARE(changes.size(), 1);
        const QJsonObject change = changes[0].toObject();
        QCOMPARE(change[u"path"].toString(), QStringLiteral("ShipClass[12].Name"));
        QCOMPARE(change[u"new"].toString(), QStringLiteral("大和"));
        QVERIFY(change[u"old"].isString());
        const Run unreadable = run({QStringLiteral("diff"), a, m_dir.filePath(QStringLiteral("none.SAVE"))});
        QCOMPARE(unreadable.status, 3);
        QCOMPARE(run({QStringLiteral("diff"), a}).status, 2);
        QCOMPARE(run({QStringLiteral("dump"), a, QStringLiteral("--json")}).status, 2);
    }

    // Works, and is measured by the benchmark.
    void aHundredThousandAssignments() {
        const QString path = freshCopy();
        QByteArray text;
        for (int i = 0; i < 100000; ++i) {
            text += QStringLiteral("Ship[%1].Words[6]=%2\n").arg(i % 1200).arg(i / 1200).toUtf8();
        }
        const Run r = run({QStringLiteral("apply"), path, edits(text)});
        QCOMPARE(r.status, 0);
        // The last assignment to each ship wins: i = 99 600 + s for s < 400, else 98 400 + s.
        const QByteArray after = readFile(path);
        QCOMPARE(getInt16(after, m_builder.shipOffset(0) + 12), 83);
        QCOMPARE(getInt16(after, m_builder.shipOffset(399) + 12), 83);
        QCOMPARE(getInt16(after, m_builder.shipOffset(400) + 12), 82);
        QCOMPARE(getInt16(after, m_builder.shipOffset(1199) + 12), 82);
    }
};

QTEST_GUILESS_MAIN(TestCliApply)
#include "test_cli_apply.moc"
