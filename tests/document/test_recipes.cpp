#include "document/BatchEdit.h"
#include "document/BatchRecipe.h"
#include "model/FieldId.h"
#include "model/ModelTexts.h"
#include "model/Recipe.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QRegularExpression>
#include <QTest>

using namespace korven;

namespace {

// Two planted ships of a class no other ship has: a carrier with fuel 5000 whose mount 0 fires
// 6 times; fuel 1000 and 4000.
constexpr int kClass = 250;

void plant(SaveFile& m) {
    m.ShipClass[kClass].Name.setText(u"試験型"_qs);
    m.ShipClass[kClass].Kind = {0, 1};  // 日本, 空母
    m.ShipClass[kClass].Perf[2] = 5000;
    m.ShipClass[kClass].Weapon[2] = {6, 0, 3, 3};
    for (const int s : {20, 21}) {
        m.Ship[s].Words[2] = 1;
        m.Ship[s].Words[3] = kClass;
        m.Ship[s].BusouKai = {1, 0, 3, 2};
    }
    m.Ship[20].Words[6] = 1000;
    m.Ship[21].Words[6] = 4000;
    m.ShipClass[3].Perf[2] = 800;
    m.AirDevelopment.fill(0);
    m.AirDevelopment[2] = -1;   // cancelled
    m.AirDevelopment[3] = 12;   // in development
    m.AirDevelopment[171] = 5;  // never written
    m.AircrewSkill[0][0] = 40;
    m.AircrewSkill[1][0] = 90;
}

QString valuesOf(const ChangeSet& changes) {
    QStringList rows;
    for (const FieldChange& c : changes.changes) {
        rows.append(c.path + u'=' + c.newValue.toVariant().toString());
    }
    return rows.join(u' ');
}

}  // namespace

class TestRecipes : public QObject {
    Q_OBJECT

    QByteArray m_image;
    std::unique_ptr<SaveFile> m_model;

private slots:
    void initTestCase() { m_image = fixtures::SaveImageBuilder().build(); }
    void init() {
        m_model = std::make_unique<SaveFile>();
        fixtures::RecordingStatus status;
        fixtures::RecordingMessages messages;
        QVERIFY(LoadSaveFile(m_image, *m_model, status, messages).ok());
        for (const ShipRecord& ship : m_model->Ship) {
            QVERIFY(ship.Words[3] != kClass);
        }
        plant(*m_model);
    }

    // Results worked out by hand from the planted values, with the batch edit's limits.
    void lines_data() {
        QTest::addColumn<QString>("recipe");
        QTest::addColumn<QString>("changes");
        QTest::addColumn<int>("limited");
        QTest::newRow("add, one over the class")
            << u"Ship[20,21].Fuel += 1500"_qs << u"Ship[20].Words[6]=2500 Ship[21].Words[6]=5000"_qs << 1;
        QTest::newRow("subtract below zero")
            << u"Ship[20-21].Words[6] -= 2000"_qs << u"Ship[20].Words[6]=0 Ship[21].Words[6]=2000"_qs << 1;
        QTest::newRow("percent, rounded half away")
            << u"Ship[20,21].Fuel *= 33%"_qs << u"Ship[20].Words[6]=330 Ship[21].Words[6]=1320"_qs << 0;
        QTest::newRow("max is the class's fuel")
            << u"Ship[20-21].Fuel = max"_qs << u"Ship[20].Words[6]=5000 Ship[21].Words[6]=5000"_qs << 0;
        QTest::newRow("max firings, mount by mount")
            << u"Ship[20].Firings[*] = max"_qs << u"Ship[20].BusouKai[0]=6 Ship[20].BusouKai[3]=3"_qs << 0;
        QTest::newRow("skill doubled, one limited to 99")
            << u"AircrewSkill[0-1].Fighter *= 200%"_qs << u"AircrewSkill[0][0]=80 AircrewSkill[1][0]=99"_qs
            << 1;
        QTest::newRow("class fuel never below 1")
            << u"ShipClass[3].Fuel -= 1000"_qs << u"ShipClass[3].Perf[2]=1"_qs << 1;
        QTest::newRow("absolute, as set writes it, past the dialog")
            << u"Ship[20].Fuel = 9000"_qs << u"Ship[20].Words[6]=9000"_qs << 0;
        QTest::newRow("conditions with a class field and a list label")
            << u"# 空母に給油\nShip[Side==日本軍 && Class.Type==空母 && Class.Name==試験型].Fuel = max"_qs
            << u"Ship[20].Words[6]=5000 Ship[21].Words[6]=5000"_qs << 0;
        QTest::newRow("a condition on the record's own field")
            << u"Ship[Class==250 && Fuel<2000].Fuel += 1"_qs << u"Ship[20].Words[6]=1001"_qs << 0;
        QTest::newRow("the other side selects none")
            << u"Ship[Side==連合軍 && Class==250].Fuel = 1"_qs << QString() << 0;
        QTest::newRow("a later line sees the earlier one, one change per field")
            << u"Ship[20].Fuel = 100\n\n# note\nShip[20].Fuel += 50"_qs << u"Ship[20].Words[6]=150"_qs << 0;
        QTest::newRow("an air development by its own turns, cancelled ones left")
            << u"AirDevelopment[TurnsLeft>0].TurnsLeft = 0"_qs << u"AirDevelopment[3]=0"_qs << 0;
        QTest::newRow("a label as the value") << u"Base[3].Owner = 中立国"_qs << u"Base[3].Owner=2"_qs << 0;
        QTest::newRow("a text keeps what follows the blank")
            << u"ShipClass[250].Name =  大和 "_qs << u"ShipClass[250].Name= 大和 "_qs << 0;
    }
    void lines() {
        QFETCH(QString, recipe);
        QFETCH(QString, changes);
        QFETCH(int, limited);
        const recipe::Prepared prepared = recipe::Prepare(*m_model, recipe);
        QVERIFY2(prepared.ok(), qPrintable(prepared.refusal.value_or(QString())));
        QCOMPARE(valuesOf(prepared.changes), changes);
        int counted = 0;
        for (const recipe::LineCount& line : prepared.lines) {
            counted += line.limited;
        }
        QCOMPARE(counted, limited);
    }

    void titleAndCountsPerLine() {
        const recipe::Prepared prepared =
            recipe::Prepare(*m_model,
                            u"  # 全艦給油  \n# second comment\nShip[20-21].Fuel = max\r\nLastBaseIndex = 3\n"
                            u"AircraftType[*].Fuel = 7\nBase[200].Airfield = 1\n"_qs);
        QVERIFY(prepared.ok());
        QCOMPARE(prepared.title, u"全艦給油"_qs);
        QCOMPARE(prepared.changes.name, u"全艦給油"_qs);
        QCOMPARE(prepared.lines.size(), std::size_t{4});
        QCOMPARE(prepared.lines[0].line, 3);
        QCOMPARE(prepared.lines[0].changed, 2);
        // The block positions, aircraft 170..175 and bases after the last (180) are never written.
        QCOMPARE(prepared.lines[1].neverWritten, 1);
        QCOMPARE(prepared.lines[2].neverWritten, 6);
        QCOMPARE(prepared.lines[3].neverWritten, 1);
        QCOMPARE(prepared.lines[3].changed, 0);
        for (const FieldChange& c : prepared.changes.changes) {
            QVERIFY2(
                !QRegularExpression(u"^AircraftType\\[17[0-5]\\]|^Base\\[200\\]"_qs).match(c.path).hasMatch(),
                qPrintable(c.path));
        }
    }

    void refusalsNameTheLineAndTheTextAsWritten_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        QTest::newRow("misspelled name")
            << u"Ship[20].Fual = 5"_qs << texts::recipeUnknownField(u"Ship[20].Fual"_qs);
        QTest::newRow("misspelled operation")
            << u"Ship[20].Fuel /= 2"_qs << texts::recipeUnknownOperator(u"/="_qs);
        QTest::newRow("a comparison") << u"Ship[20].Fuel == 2"_qs << texts::recipeUnknownOperator(u"=="_qs);
        QTest::newRow("no operation") << u"Ship[20].Fuel"_qs << texts::recipeNoOperator();
        QTest::newRow("percent without its sign")
            << u"Ship[20].Fuel *= 50"_qs << texts::recipePercentSign(u"50"_qs);
        QTest::newRow("max on a field without a limit")
            << u"Ship[20].NameNumber = max"_qs << texts::recipeMaxWithoutLimit(u"Ship[20].NameNumber"_qs);
        QTest::newRow("max added") << u"Ship[20].Fuel += max"_qs << texts::recipeMaxOnlySet();
        QTest::newRow("unknown label")
            << u"Base[Owner==日本郡].Airfield += 1"_qs << texts::recipeUnknownLabel(u"日本郡"_qs, u"領有"_qs);
        QTest::newRow("unknown condition field")
            << u"Ship[Cls==3].Fuel = 1"_qs << texts::recipeUnknownConditionField(u"Cls"_qs);
        QTest::newRow("operand past a word's span")
            << u"Ship[20].Fuel += 70000"_qs << texts::recipeOperandOutside(-65535, 65535);
        QTest::newRow("percent too large")
            << u"Ship[20].Fuel *= 10001%"_qs << texts::recipePercentOutside(10000);
        QTest::newRow("absolute past the width")
            << u"Ship[20].Fuel = 40000"_qs << texts::recipeValueOutside(u"40000"_qs, -32768, 32767);
        QTest::newRow("index past the table")
            << u"Ship[1200].Fuel = 1"_qs << texts::recipeIndexOutside(u"1200"_qs, 1199);
        QTest::newRow("arithmetic on a text")
            << u"ShipClass[3].Name += 1"_qs << texts::recipeNotANumberField(u"ShipClass[3].Name"_qs);
        QTest::newRow("a word for a number")
            << u"Ship[20].Fuel = lots"_qs << texts::recipeNotAnInteger(u"lots"_qs);
        QTest::newRow("a condition off the record's index")
            << u"Ship[20].Firings[Fuel>1] = 1"_qs << texts::recipeConditionPlace();
    }
    void refusalsNameTheLineAndTheTextAsWritten() {
        QFETCH(QString, line);
        QFETCH(QString, reason);
        // The first line alone is fine: the refusal takes it back too.
        const recipe::Prepared prepared =
            recipe::Prepare(*m_model, u"# 題\nShip[21].Fuel = 1\n"_qs + line + u'\n');
        QCOMPARE(prepared.refusal.value_or(QString()), texts::recipeLineRefused(3, line, reason));
        QVERIFY(prepared.changes.changes.empty());
    }

    void theRefusalReadsAsWrittenDown() {
        const recipe::Prepared prepared = recipe::Prepare(*m_model, u"\nShip[7].Fual = 5"_qs);
        QCOMPARE(
            prepared.refusal.value_or(QString()),
            u"レシピの 2 行目「Ship[7].Fual = 5」は受け付けられません: 「Ship[7].Fual」という項目はありません"_qs);
    }

    void filesThatAreNotRecipes() {
        QCOMPARE(recipe::PrepareFile(*m_model, "Ship[20].Fuel = 1\n\xff").refusal.value_or(QString()),
                 texts::recipeNotUtf8());
        QCOMPARE(recipe::PrepareFile(*m_model, "# only a title\n\n").refusal.value_or(QString()),
                 texts::recipeEmpty());
        const recipe::Prepared bom = recipe::PrepareFile(*m_model, "\xEF\xBB\xBFShip[20].Fuel = 2\n");
        QCOMPARE(valuesOf(bom.changes), u"Ship[20].Words[6]=2"_qs);
    }

    void fieldIdsReadBothFormsAndPrintBoth_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("ship fuel") << u"Ship[7].Fuel"_qs << u"Ship[7].Words[6]"_qs << u"Ship[7].Fuel"_qs;
        QTest::newRow("positional") << u"Ship[7].Words[6]"_qs << u"Ship[7].Words[6]"_qs << u"Ship[7].Fuel"_qs;
        QTest::newRow("stock") << u"Base[3].Stockpile[5][1]"_qs << u"Base[3].Stockpile[5][1]"_qs
                               << u"Base[3].Stock[5][1]"_qs;
        QTest::newRow("science line and step")
            << u"ScienceWeapon[2][4].TurnsLeft"_qs << u"ScienceWeapon[2][4].Leave"_qs
            << u"ScienceWeapon[2][4].TurnsLeft"_qs;
        QTest::newRow("header table")
            << u"AircrewSkill[3][1]"_qs << u"AircrewSkill[3][1]"_qs << u"AircrewSkill[3].Bomber"_qs;
        QTest::newRow("header value")
            << u"TurnInfo.CurrentTurn"_qs << u"TurnInfo[0]"_qs << u"TurnInfo.CurrentTurn"_qs;
        QTest::newRow("mount") << u"ShipClass[12].Guns[3]"_qs << u"ShipClass[12].Weapon[1][3]"_qs
                               << u"ShipClass[12].Guns[3]"_qs;
    }
    void fieldIdsReadBothFormsAndPrintBoth() {
        QFETCH(QString, text);
        QFETCH(QString, path);
        QFETCH(QString, name);
        const std::optional<FieldId> id = ParseFieldId(text);
        QVERIFY(id);
        QCOMPARE(id->path(), path);
        QCOMPARE(id->name(), name);
        QCOMPARE(ParseFieldId(name), id);
    }

    void namesAreUniqueAndNeverAnotherFieldsPath() {
        QSet<QString> seen;
        for (const fields::Description& d : fields::Descriptions()) {
            const QString name = fields::NamePattern(d);
            QVERIFY2(!seen.contains(name), qPrintable(name));
            seen.insert(name);
            const QList<QString> zeros(3, u"0"_qs);
            const std::optional<FieldId> id = ParseFieldId(fields::PathWith(d, true, zeros));
            QVERIFY2(id && id->field == &d, qPrintable(name));
        }
    }

    // Saved from the batch dialog, the line does what the batch does.
    void aBatchAsOneLine() {
        const batch::Request request{{RecordKey{RecordKind::Ship, 20}, RecordKey{RecordKind::Ship, 21}},
                                     u"燃料（現在）"_qs,
                                     batch::Operation::Add,
                                     -1500};
        const std::optional<QString> line = batch::RecipeLineOf(request);
        QCOMPARE(line.value_or(QString()), u"Ship[20-21].Fuel -= 1500"_qs);
        const batch::Request firings{{RecordKey{RecordKind::Ship, 20}, RecordKey{RecordKind::Ship, 5}},
                                     u"回数（現在）"_qs,
                                     batch::Operation::MultiplyPercent,
                                     50};
        QCOMPARE(batch::RecipeLineOf(firings).value_or(QString()), u"Ship[5,20].Firings[*] *= 50%"_qs);
        // One good's stock keeps its good: the line must not top up every good.
        const batch::Request iron{{RecordKey{RecordKind::Base, 2}, RecordKey{RecordKind::Base, 4}},
                                  u"鉄（在庫量）"_qs,
                                  batch::Operation::Maximum,
                                  0};
        const QString ironLine = batch::RecipeLineOf(iron).value_or(QString());
        QCOMPARE(ironLine, u"Base[2,4].Stock[3][*] = max"_qs);
        QCOMPARE(valuesOf(recipe::Prepare(*m_model, ironLine).changes),
                 valuesOf(batch::Prepare(*m_model, iron).changes));
        const recipe::Prepared prepared = recipe::Prepare(*m_model, *line);
        QCOMPARE(valuesOf(prepared.changes), u"Ship[20].Words[6]=0 Ship[21].Words[6]=2500"_qs);
        QCOMPARE(prepared.lines.front().limited, 1);  // ship 20 stops at 0
        QCOMPARE(valuesOf(prepared.changes), valuesOf(batch::Prepare(*m_model, request).changes));
    }

    void aWrittenRecipeNamesItsFields() {
        const std::vector<FieldChange> rows{
            {u"Ship[7].Words[6]"_qs, u"Ship"_qs, 7, 1, 500},
            {u"ShipClass[3].Name"_qs, u"ShipClass"_qs, 3, u"a"_qs, u" 8㎝"_qs},
            {u"LastBaseIndex"_qs, u"LastBaseIndex"_qs, -1, 180, 181},
            {u"AirDevelopment[172]"_qs, u"AirDevelopment"_qs, 172, 1, 0},
        };
        QCOMPARE(recipe::WriteRecipe(u"題"_qs, rows),
                 u"# 題\nShip[7].Fuel = 500\nShipClass[3].Name =  8㎝\n"_qs);
    }
};

QTEST_GUILESS_MAIN(TestRecipes)
#include "test_recipes.moc"
