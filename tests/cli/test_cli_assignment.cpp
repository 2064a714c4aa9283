#include "cli/Assignment.h"
#include "cli/CliTexts.h"
#include "cli/ModelJson.h"
#include "model/ModelTree.h"
#include "model/SaveFileWriter.h"
#include "tests/cli/CliFixtures.h"

#include <QTest>

using namespace korven;
using namespace korven::cli;
using korven::fixtures::loadModel;
using korven::fixtures::SaveImageBuilder;

class TestCliAssignment : public QObject {
    Q_OBJECT

    std::unique_ptr<SaveFile> m_original;  // last base 180

    static void good(const char* row, const QString& assignment, const QString& path, const QString& shown) {
        QTest::newRow(row) << assignment << static_cast<int>(AssignmentError::None) << path << shown;
    }
    static void bad(const char* row, const QString& assignment, AssignmentError error) {
        QTest::newRow(row) << assignment << static_cast<int>(error) << QString() << QString();
    }

private slots:
    void initTestCase() { m_original = loadModel(SaveImageBuilder().build()); }

    void apply_data() {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("path");   // where the value shows in the dump
        QTest::addColumn<QString>("shown");  // as diff prints it

        using E = AssignmentError;
        good("class speed", QStringLiteral("ShipClass[12].Perf[1]=30"),
             QStringLiteral("ShipClass[12].Perf[1]"), QStringLiteral("30"));
        good("stockpile", QStringLiteral("Base[3].Stockpile[0][1]=500"),
             QStringLiteral("Base[3].Stockpile[0][1]"), QStringLiteral("500"));
        good("turn counter", QStringLiteral("TurnInfo[0]=10"), QStringLiteral("TurnInfo[0]"),
             QStringLiteral("10"));
        good("science need", QStringLiteral("ScienceWeapon[1][4].Need=12"),
             QStringLiteral("ScienceWeapon[1][4].Need"), QStringLiteral("12"));
        good("science leave", QStringLiteral("ScienceWeapon[2][5].Leave=-1"),
             QStringLiteral("ScienceWeapon[2][5].Leave"), QStringLiteral("-1"));
        good("aircrew", QStringLiteral("AircrewSkill[4][1]=99"), QStringLiteral("AircrewSkill[4][1]"),
             QStringLiteral("99"));
        good("aircraft name", QStringLiteral("AircraftType[5].Name=零式艦上戦闘機"),
             QStringLiteral("AircraftType[5].Name"), QStringLiteral("\"零式艦上戦闘機\""));
        good("text with =", QStringLiteral("AircraftType[3].ShortName=A=B"),
             QStringLiteral("AircraftType[3].ShortName"), QStringLiteral("\"A=B\""));
        good("empty text", QStringLiteral("Base[2].Name="), QStringLiteral("Base[2].Name"),
             QStringLiteral("\"\""));
        good("text filling the field", QStringLiteral("ShipClass[1].Name=あいうえおか"),
             QStringLiteral("ShipClass[1].Name"), QStringLiteral("\"あいうえおか\""));
        good("half-width katakana", QStringLiteral("Base[0].Name=ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"),
             QStringLiteral("Base[0].Name"), QStringLiteral("\"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ\""));
        good("scenario title of 21 bytes", QStringLiteral("ScenarioTitle=一二三四五六七八九十X"),
             QStringLiteral("ScenarioTitle"), QStringLiteral("\"一二三四五六七八九十X\""));
        good("u8 lowest", QStringLiteral("ShipClass[3].StepIndex=0"),
             QStringLiteral("ShipClass[3].StepIndex"), QStringLiteral("0"));
        good("u8 highest", QStringLiteral("AircraftType[169].Kind[3]=255"),
             QStringLiteral("AircraftType[169].Kind[3]"), QStringLiteral("255"));
        good("plus sign", QStringLiteral("ShipClass[3].AircraftCapacity=+7"),
             QStringLiteral("ShipClass[3].AircraftCapacity"), QStringLiteral("7"));
        good("int16 lowest", QStringLiteral("Ship[1199].Words[2]=-32768"),
             QStringLiteral("Ship[1199].Words[2]"), QStringLiteral("-32768"));
        good("int16 highest", QStringLiteral("CarrierAir[119].Key=32767"),
             QStringLiteral("CarrierAir[119].Key"), QStringLiteral("32767"));
        good("int32 highest", QStringLiteral("Base[180].Stockpile[6][1]=2147483647"),
             QStringLiteral("Base[180].Stockpile[6][1]"), QStringLiteral("2147483647"));
        good("int32 lowest", QStringLiteral("Base[0].Stockpile[0][0]=-2147483648"),
             QStringLiteral("Base[0].Stockpile[0][0]"), QStringLiteral("-2147483648"));
        good("last written development entry", QStringLiteral("AirDevelopment[169]=-1"),
             QStringLiteral("AirDevelopment[169]"), QStringLiteral("-1"));
        good("bomb group 3", QStringLiteral("AircraftType[0].Bomb[3][1]=4"),
             QStringLiteral("AircraftType[0].Bomb[3][1]"), QStringLiteral("4"));
        good("base extra", QStringLiteral("Base[3].Extra[2]=7"), QStringLiteral("Base[3].Extra[2]"),
             QStringLiteral("7"));
        good("carrier slot", QStringLiteral("CarrierAir[0].Slots[2][3]=9"),
             QStringLiteral("CarrierAir[0].Slots[2][3]"), QStringLiteral("9"));
        good("unused turn word", QStringLiteral("TurnInfo[10]=-5"), QStringLiteral("TurnInfo[10]"),
             QStringLiteral("-5"));

        bad("no equals sign", QStringLiteral("ShipClass[12].Perf[1]"), E::Syntax);
        bad("blank before equals sign", QStringLiteral("ShipClass[12].Perf[1] =1"), E::Syntax);
        bad("text after the path", QStringLiteral("ShipClass[12]x.Perf[1]=1"), E::Syntax);
        bad("two equals signs", QStringLiteral("ShipClass[12].Perf[1]==1"), E::NotAnInteger);
        bad("empty", QString(), E::Syntax);
        bad("no path", QStringLiteral("=5"), E::Syntax);
        bad("double dot", QStringLiteral("ShipClass[12]..Perf[1]=1"), E::Syntax);
        bad("negative index", QStringLiteral("ShipClass[-1].Perf[0]=1"), E::Syntax);
        bad("letter index", QStringLiteral("ShipClass[a].Perf[0]=1"), E::Syntax);
        bad("unclosed bracket", QStringLiteral("ShipClass[12.Perf[1]=1"), E::Syntax);
        bad("space in path", QStringLiteral("ShipClass [12].Perf[1]=1"), E::Syntax);
        bad("three levels", QStringLiteral("ScienceWeapon[0][0].Need.X=1"), E::Syntax);
        bad("unknown table", QStringLiteral("Nope=1"), E::UnknownField);
        bad("wrong case", QStringLiteral("shipClass[1].Name=x"), E::UnknownField);
        bad("unknown record field", QStringLiteral("Ship[1].Word[0]=1"), E::UnknownField);
        bad("catalogue field", QStringLiteral("ScienceWeapon[0][0].Name=x"), E::UnknownField);
        bad("field under a number", QStringLiteral("TurnInfo[0].X=1"), E::UnknownField);
        bad("record without field", QStringLiteral("ShipClass[1]=3"), E::UnknownField);
        bad("table without index", QStringLiteral("TurnInfo=1"), E::IndexCount);
        bad("record table without index", QStringLiteral("ShipClass.Name=x"), E::IndexCount);
        bad("one index of two", QStringLiteral("Base[3].Stockpile[0]=1"), E::IndexCount);
        bad("index on a scalar", QStringLiteral("ShipClass[1].StepIndex[0]=1"), E::IndexCount);
        bad("index on a text", QStringLiteral("ScenarioTitle[0]=x"), E::IndexCount);
        bad("three indices", QStringLiteral("AircrewSkill[0][0][0]=1"), E::IndexCount);
        bad("eight indices", QStringLiteral("Base[1].Stockpile[0][0][0][0][0][0][0][0]=1"), E::IndexCount);
        bad("ship class 253", QStringLiteral("ShipClass[253].Name=x"), E::IndexRange);
        bad("ship 1200", QStringLiteral("Ship[1200].Words[0]=1"), E::IndexRange);
        bad("turn word 11", QStringLiteral("TurnInfo[11]=0"), E::IndexRange);
        bad("base 256", QStringLiteral("Base[256].Name=x"), E::IndexRange);
        bad("aircraft 176", QStringLiteral("AircraftType[176].Name=x"), E::IndexRange);
        bad("development 176", QStringLiteral("AirDevelopment[176]=0"), E::IndexRange);
        bad("science line 3", QStringLiteral("ScienceWeapon[3][0].Need=1"), E::IndexRange);
        bad("science entry 6", QStringLiteral("ScienceWeapon[0][6].Need=1"), E::IndexRange);
        bad("air arm 5", QStringLiteral("AircrewSkill[5][0]=1"), E::IndexRange);
        bad("crew kind 2", QStringLiteral("AircrewSkill[0][2]=1"), E::IndexRange);
        bad("material 7", QStringLiteral("Base[0].Stockpile[7][0]=1"), E::IndexRange);
        bad("inner index", QStringLiteral("ShipClass[0].Weapon[0][4]=1"), E::IndexRange);
        bad("huge index", QStringLiteral("Ship[99999999999999999999].Words[0]=1"), E::IndexRange);
        bad("u8 256", QStringLiteral("ShipClass[0].StepIndex=256"), E::ValueRange);
        bad("u8 -1", QStringLiteral("ShipClass[0].Kind[1]=-1"), E::ValueRange);
        bad("int16 32768", QStringLiteral("TurnInfo[0]=32768"), E::ValueRange);
        bad("int16 -32769", QStringLiteral("Ship[0].Words[2]=-32769"), E::ValueRange);
        bad("int32 2147483648", QStringLiteral("Base[0].Stockpile[0][0]=2147483648"), E::ValueRange);
        bad("int32 -2147483649", QStringLiteral("Base[0].Stockpile[0][0]=-2147483649"), E::ValueRange);
        bad("beyond int64", QStringLiteral("TurnInfo[0]=99999999999999999999"), E::ValueRange);
        bad("empty number", QStringLiteral("TurnInfo[0]="), E::NotAnInteger);
        bad("fraction", QStringLiteral("TurnInfo[0]=1.5"), E::NotAnInteger);
        bad("leading space", QStringLiteral("TurnInfo[0]= 5"), E::NotAnInteger);
        bad("hexadecimal", QStringLiteral("TurnInfo[0]=0x10"), E::NotAnInteger);
        bad("full-width digits", QStringLiteral("TurnInfo[0]=１０"), E::NotAnInteger);
        bad("word", QStringLiteral("AircrewSkill[0][0]=ten"), E::NotAnInteger);
        bad("13-byte class name", QStringLiteral("ShipClass[12].Name=あいうえおかX"), E::TextTooLong);
        bad("12-byte short name", QStringLiteral("AircraftType[0].ShortName=ABCDEFGHIJKL"), E::TextTooLong);
        bad("22-byte title", QStringLiteral("ScenarioTitle=一二三四五六七八九十XY"), E::TextTooLong);
        bad("emoji", QStringLiteral("ShipClass[12].Name=艦😀"), E::TextUnmappable);
        bad("hangul", QStringLiteral("Base[0].Name=한"), E::TextUnmappable);
        bad("unmappable and too long", QStringLiteral("Base[0].Name=あいうえおかきく한"), E::TextUnmappable);
        bad("save name", QStringLiteral("SaveName=x"), E::NeverWritten);
        bad("save name length", QStringLiteral("SaveNameLength=3"), E::NeverWritten);
        bad("header end", QStringLiteral("HeaderEndPos=1"), E::NeverWritten);
        bad("aircraft block", QStringLiteral("AircraftBlockPos=1"), E::NeverWritten);
        bad("ship class block", QStringLiteral("ShipClassBlockPos=1"), E::NeverWritten);
        bad("base block", QStringLiteral("BaseBlockPos=1"), E::NeverWritten);
        bad("last base", QStringLiteral("LastBaseIndex=3"), E::NeverWritten);
        bad("aircraft 170", QStringLiteral("AircraftType[170].Name=x"), E::NeverWritten);
        bad("aircraft 175", QStringLiteral("AircraftType[175].Kind[0]=1"), E::NeverWritten);
        bad("development 170", QStringLiteral("AirDevelopment[170]=0"), E::NeverWritten);
        bad("development 175", QStringLiteral("AirDevelopment[175]=0"), E::NeverWritten);
        bad("base after the last", QStringLiteral("Base[181].Name=x"), E::NeverWritten);
        bad("base 255", QStringLiteral("Base[255].Region=1"), E::NeverWritten);
    }

    void apply() {
        QFETCH(QString, assignment);
        QFETCH(int, error);
        QFETCH(QString, path);
        QFETCH(QString, shown);

        auto model = std::make_unique<SaveFile>(*m_original);
        const AssignmentResult result = ApplyAssignment(*model, assignment);
        QCOMPARE(static_cast<int>(result.error), error);
        if (error == static_cast<int>(AssignmentError::None)) {
            QVERIFY(result.message.isEmpty());
            // Exactly this field changed, to this value.
            const QStringList changes = DiffLines(DiffModels(*m_original, *model));
            QCOMPARE(changes.size(), 1);
            QVERIFY2(changes[0].startsWith(path + QStringLiteral(": ")), qPrintable(changes[0]));
            QVERIFY2(changes[0].endsWith(QStringLiteral(" -> ") + shown), qPrintable(changes[0]));
        } else {
            QVERIFY2(result.message.contains(assignment), qPrintable(result.message));
            fixtures::RecordingStatus status;
            QCOMPARE(ComposeSaveImage(*model, status), ComposeSaveImage(*m_original, status));
        }
    }

    void messagesSayWhy() {
        auto model = std::make_unique<SaveFile>(*m_original);
        QCOMPARE(ApplyAssignment(*model, QStringLiteral("ShipClass[12].Name=あいうえおかX")).message,
                 texts::assignmentRefused(QStringLiteral("ShipClass[12].Name=あいうえおかX"),
                                          texts::textTooLong(13, 12)));
        QCOMPARE(ApplyAssignment(*model, QStringLiteral("TurnInfo[0]=40000")).message,
                 texts::assignmentRefused(QStringLiteral("TurnInfo[0]=40000"),
                                          texts::valueOutOfRange(QStringLiteral("40000"), -32768, 32767)));
        QCOMPARE(ApplyAssignment(*model, QStringLiteral("Ship[1200].Words[0]=1")).message,
                 texts::assignmentRefused(QStringLiteral("Ship[1200].Words[0]=1"),
                                          texts::indexOutOfRange(QStringLiteral("1200"), 1199)));
        QCOMPARE(
            ApplyAssignment(*model, QStringLiteral("Base[200].Name=x")).message,
            texts::assignmentRefused(QStringLiteral("Base[200].Name=x"), texts::baseNotInFile(200, 180)));
    }

    // Which bases are writable follows the file's own last base.
    void basesFollowTheLastBase_data() {
        QTest::addColumn<int>("lastBase");
        QTest::newRow("first base is the last") << 0;
        QTest::newRow("base 37") << 37;
        QTest::newRow("no terminating base") << -1;
    }
    void basesFollowTheLastBase() {
        QFETCH(int, lastBase);
        fixtures::SaveImageOptions options;
        options.lastBaseIndex = lastBase;
        auto model = loadModel(SaveImageBuilder(options).build());
        const int last = lastBase < 0 ? 255 : lastBase;
        QVERIFY(ApplyAssignment(*model, QStringLiteral("Base[%1].Airfield=9").arg(last)).ok());
        QCOMPARE(model->Base[last].Airfield, 9);
        const AssignmentResult after =
            ApplyAssignment(*model, QStringLiteral("Base[%1].Airfield=9").arg(last + 1));
        QCOMPARE(after.error, last == 255 ? AssignmentError::IndexRange : AssignmentError::NeverWritten);
    }

    void layoutGuard_data() {
        QTest::addColumn<int>("lastBase");
        QTest::addColumn<QString>("saveName");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("named");  // the assignment the message names

        const QString petro = QStringLiteral("ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ");
        const QString plain = QStringLiteral("ＳＡＶＥ");
        const int none = static_cast<int>(AssignmentError::None);
        const int moves = static_cast<int>(AssignmentError::MovesBlocks);
        QTest::newRow("a base renamed to the last base's name")
            << 180 << plain
            << QStringList{QStringLiteral("TurnInfo[0]=1"), QStringLiteral("Base[3].Name=") + petro} << moves
            << QStringLiteral("Base[3].Name=") + petro;
        QTest::newRow("the last base renamed")
            << 37 << plain
            << QStringList{QStringLiteral("Base[37].Name=ラバウル"), QStringLiteral("TurnInfo[0]=1")} << moves
            << QStringLiteral("Base[37].Name=ラバウル");
        QTest::newRow("the last base keeps its name")
            << 37 << plain << QStringList{QStringLiteral("Base[37].Name=") + petro} << none << QString();
        QTest::newRow("base 255 named so without a terminator")
            << -1 << plain << QStringList{QStringLiteral("Base[255].Name=") + petro} << none << QString();
        QTest::newRow("the anchor aircraft renamed")
            << 180 << plain << QStringList{QStringLiteral("AircraftType[0].Name=零式艦上戦闘機")} << moves
            << QStringLiteral("AircraftType[0].Name=零式艦上戦闘機");
        QTest::newRow("another aircraft gets the anchor name")
            << 180 << plain << QStringList{QStringLiteral("AircraftType[1].Name=９６式艦上戦闘機")} << none
            << QString();
        // With a save name of 230 bytes the title lies inside the anchor search's range.
        QTest::newRow("the anchor key in a title the search reaches")
            << 180 << QString(115, QChar(u'あ'))
            << QStringList{QStringLiteral("ScenarioTitle=９６式艦上戦闘機")} << moves
            << QStringLiteral("ScenarioTitle=９６式艦上戦闘機");
        QTest::newRow("the anchor key in a title before the search range")
            << 180 << plain << QStringList{QStringLiteral("ScenarioTitle=９６式艦上戦闘機")} << none
            << QString();
        QTest::newRow("an invalid one is named before the layout is checked")
            << 180 << plain
            << QStringList{QStringLiteral("Base[3].Name=") + petro, QStringLiteral("TurnInfo[0]=x"),
                           QStringLiteral("Nope=1")}
            << static_cast<int>(AssignmentError::NotAnInteger) << QStringLiteral("TurnInfo[0]=x");
    }
    void layoutGuard() {
        QFETCH(int, lastBase);
        QFETCH(QString, saveName);
        QFETCH(QStringList, assignments);
        QFETCH(int, error);
        QFETCH(QString, named);
        fixtures::SaveImageOptions options;
        options.lastBaseIndex = lastBase;
        options.saveName = saveName;
        auto model = loadModel(SaveImageBuilder(options).build());
        const AssignmentResult result = ApplyAssignments(*model, assignments);
        QCOMPARE(static_cast<int>(result.error), error);
        if (!named.isEmpty()) {
            QVERIFY2(result.message.startsWith(texts::assignmentRefused(named, QString())),
                     qPrintable(result.message));
        }
    }

    // Every field the dump shows can be assigned in the dump's own syntax, except those the
    // writer never stores.
    void everyDumpedPathIsAssignable() {
        auto model = std::make_unique<SaveFile>(*m_original);
        int refused = 0;
        for (const ModelValue& value : FlattenModel(*m_original)) {
            const QString text = value.value.isString() ? value.value.toString() : FormatValue(value.value);
            const AssignmentResult result = ApplyAssignment(*model, value.path + QLatin1Char('=') + text);
            if (result.error == AssignmentError::NeverWritten) {
                ++refused;
                continue;
            }
            QVERIFY2(result.ok(), qPrintable(result.message));
        }
        // 7 header values, 6 development entries and 6 aircraft types of 35 leaves each.
        QCOMPARE(refused, 7 + 6 + 6 * 35);
        QCOMPARE(DiffLines(DiffModels(*m_original, *model)), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestCliAssignment)
#include "test_cli_assignment.moc"
