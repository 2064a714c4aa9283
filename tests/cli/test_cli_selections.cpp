#include "cli/Assignment.h"
#include "cli/CliTexts.h"
#include "cli/EditsInput.h"
#include "model/ModelDiff.h"
#include "tests/cli/CliFixtures.h"

#include <QTest>

using namespace korven;
using namespace korven::cli;
using korven::fixtures::loadModel;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;

namespace {

std::unique_ptr<SaveFile> demo(int lastBase = 37) {
    SaveImageOptions options;
    options.lastBaseIndex = lastBase;
    return loadModel(SaveImageBuilder(options).build());
}

}  // namespace

// Assignments that select many records, and JSON edits, on the model.
class TestCliSelections : public QObject {
    Q_OBJECT

private slots:
    // How many fields each selection reaches: every field is set to a value none holds, so
    // the count of changed fields is the count selected. The demo's last base is 37.
    void selections_data() {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("fields");
        QTest::newRow("every base") << "Base[*].Airfield=-7" << 38;
        QTest::newRow("every aircraft type the writer stores") << "AircraftType[*].Kouzoku[1]=-7" << 170;
        QTest::newRow("every development entry the writer stores") << "AirDevelopment[*]=-7" << 170;
        QTest::newRow("a range of ships") << "Ship[0-99].Words[6]=-7" << 100;
        QTest::newRow("a one-record range") << "Ship[5-5].Words[6]=-7" << 1;
        QTest::newRow("a range past the last base") << "Base[30-200].Airfield=-7" << 8;
        QTest::newRow("a wildcard inside a record") << "Base[3].Stockpile[*][1]=-7" << 7;
        QTest::newRow("two wildcards") << "Base[*].Units[*][0]=-7" << 38 * 5;
        QTest::newRow("every science weapon") << "ScienceWeapon[*][*].Need=-7" << 18;
        QTest::newRow("every air arm's fighter crews") << "AircrewSkill[*][0]=200" << 5;
        // Records whose field already holds the value are selected but not changed.
        QTest::newRow("filter on no ship") << "Ship[Words[2]==-1].Words[2]=-1" << 0;
        QTest::newRow("filter on text") << "Base[Name==ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ].Airfield=-7" << 1;
    }
    void selections() {
        QFETCH(QString, assignment);
        QFETCH(int, fields);
        auto model = demo();
        const AssignmentResult result = ApplyAssignment(*model, assignment);
        QVERIFY2(result.ok(), qPrintable(result.message));
        QVERIFY(result.selectsMany);
        QCOMPARE(result.changed, fields);
    }

    void filtersCompareLikeTheirOperators_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QList<int>>("ships");  // of ships 0..4, whose Words[1] are 0, 1, 2, 3, 4
        QTest::newRow("==") << "Words[1]==2" << QList<int>{2};
        QTest::newRow("!=") << "Words[1]!=2" << QList<int>{0, 1, 3, 4};
        QTest::newRow("<") << "Words[1]<2" << QList<int>{0, 1};
        QTest::newRow("<=") << "Words[1]<=2" << QList<int>{0, 1, 2};
        QTest::newRow(">") << "Words[1]>2" << QList<int>{3, 4};
        QTest::newRow(">=") << "Words[1]>=2" << QList<int>{2, 3, 4};
    }
    void filtersCompareLikeTheirOperators() {
        QFETCH(QString, filter);
        QFETCH(QList<int>, ships);
        auto model = demo();
        for (int s = 0; s < SaveFile::kShips; ++s) {
            model->Ship[s].Words[1] = static_cast<int16_t>(s < 5 ? s : 100);
            model->Ship[s].Words[6] = 0;
        }
        const QString assignment = QStringLiteral("Ship[%1].Words[6]=9").arg(filter);
        QVERIFY(ApplyAssignment(*model, assignment).ok());
        for (int s = 0; s < 5; ++s) {
            QCOMPARE(model->Ship[s].Words[6] == 9, ships.contains(s));
        }
    }

    void refusedSelections_data() {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("error");
        using E = AssignmentError;
        QTest::newRow("range past the table") << "Ship[0-1200].Words[6]=1" << int(E::IndexRange);
        QTest::newRow("range backwards") << "Ship[9-3].Words[6]=1" << int(E::Syntax);
        QTest::newRow("open range") << "Ship[3-].Words[6]=1" << int(E::Syntax);
        QTest::newRow("filter on a header table") << "TurnInfo[Words[0]==1]=1" << int(E::Syntax);
        QTest::newRow("filter inside a record") << "Base[3].Stockpile[Words[0]==1][0]=1" << int(E::Syntax);
        QTest::newRow("filter on an unknown field") << "Ship[Speed==1].Words[6]=1" << int(E::UnknownField);
        QTest::newRow("filter on a whole array") << "Ship[Words==1].Words[6]=1" << int(E::IndexCount);
        QTest::newRow("filter with extra indices")
            << "Ship[Words[0][0][0][0]==1].Words[6]=1" << int(E::IndexCount);
        QTest::newRow("filter with a wildcard") << "Ship[Words[*]==1].Words[6]=1" << int(E::Syntax);
        QTest::newRow("filter without operator") << "Ship[Words[0]].Words[6]=1" << int(E::Syntax);
        QTest::newRow("bracket in a filter's value") << "Ship[Words[0]==[5].Words[6]=1" << int(E::Syntax);
        QTest::newRow("filter closed twice") << "Ship[Words[0]==5]].Words[6]=1" << int(E::Syntax);
        QTest::newRow("equals sign in a filter's value")
            << "Ship[Words[0]==5=].Words[6]=1" << int(E::NoMatch);
        QTest::newRow("filter matching nothing") << "Ship[Words[0]==-30000].Words[6]=1" << int(E::NoMatch);
        QTest::newRow("value refused for every record") << "Base[*].Airfield=x" << int(E::NotAnInteger);
        QTest::newRow("explicit base after the last") << "Base[38].Airfield=1" << int(E::NeverWritten);
    }
    void refusedSelections() {
        QFETCH(QString, assignment);
        QFETCH(int, error);
        const auto original = demo();
        auto model = std::make_unique<SaveFile>(*original);
        const AssignmentResult result = ApplyAssignment(*model, assignment);
        QCOMPARE(int(result.error), error);
        QVERIFY(DiffModels(*original, *model).empty());
    }

    void overridesAreReportedOncePerEarlierAssignment() {
        auto model = demo();
        ModelEditor editor(*model);
        QVERIFY(editor.assign(QStringLiteral("Ship[0-9].Words[6]=1")).ok());
        QVERIFY(editor.assign(QStringLiteral("Ship[5].Words[5]=1")).ok());
        QVERIFY(editor.assign(QStringLiteral("Ship[*].Words[6]=2"), 3).ok());
        QString written;
        QTextStream stream(&written);
        editor.writeOverrides(stream);
        stream.flush();
        QCOMPARE(written, texts::overrides(QStringLiteral("3 行目: Ship[*].Words[6]=2"),
                                           QStringLiteral("Ship[0-9].Words[6]=1"), 10) +
                              u'\n');
        QCOMPARE(model->Ship[3].Words[6], 2);
    }

    void jsonEdits_data() {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("changed");
        using E = AssignmentError;
        QTest::newRow("object keyed by index")
            << QByteArray(R"({"Ship": {"7": {"Words": {"6": 4321}}}})") << int(E::None) << 1;
        QTest::newRow("nulls leave fields alone")
            << QByteArray(R"({"TurnInfo": [null, null, null, null, null, null, 46]})") << int(E::None) << 1;
        QTest::newRow("unchanged values change nothing")
            << QByteArray(R"({"AircrewSkill": [[null, null]], "SaveNameLength": null})") << int(E::None) << 0;
        QTest::newRow("never-written type with a new value")
            << QByteArray(R"({"AircraftType": {"172": {"Kouzoku": [1, 2, 3, 4]}}})") << int(E::NeverWritten)
            << 0;
        QTest::newRow("base after the last with a new value")
            << QByteArray(R"({"Base": {"40": {"Airfield": 3}}})") << int(E::NeverWritten) << 0;
        QTest::newRow("negative index") << QByteArray(R"({"Ship": {"-1": {}}})") << int(E::Syntax) << 0;
        QTest::newRow("fraction") << QByteArray(R"({"TurnInfo": [1.5]})") << int(E::NotAnInteger) << 0;
        QTest::newRow("number for a text")
            << QByteArray(R"({"ScenarioTitle": 5})") << int(E::NotAnInteger) << 0;
        QTest::newRow("array for a number")
            << QByteArray(R"({"TurnInfo": [[1]]})") << int(E::IndexCount) << 0;
        QTest::newRow("number for a record") << QByteArray(R"({"Ship": [5]})") << int(E::UnknownField) << 0;
        QTest::newRow("unknown table") << QByteArray(R"({"Fleet": []})") << int(E::UnknownField) << 0;
        QTest::newRow("too long a text")
            << QByteArray(R"({"ShipClass": {"1": {"Name": "あいうえおかき"}}})") << int(E::TextTooLong) << 0;
        QTest::newRow("the first bad edit in the document's order")
            << QByteArray(R"({"TurnInfo": ["x"], "Fleet": []})") << int(E::NotAnInteger) << 0;
        QTest::newRow("index key with a sign")
            << QByteArray(R"({"Ship": {"+1": {}}})") << int(E::Syntax) << 0;
        QTest::newRow("index key past 64 bits")
            << QByteArray(R"({"Ship": {"99999999999999999999": {}}})") << int(E::Syntax) << 0;
        QTest::newRow("number past 64 bits")
            << QByteArray(R"({"TurnInfo": [18446744073709551615]})") << int(E::ValueRange) << 0;
        QTest::newRow("integral number written with a fraction")
            << QByteArray(R"({"TurnInfo": [null, 7.0]})") << int(E::None) << 1;
        QTest::newRow("format version written with a fraction")
            << QByteArray(R"({"FormatVersion": 1.0, "TurnInfo": [null, 7]})") << int(E::None) << 1;
        QTest::newRow("format version between versions")
            << QByteArray(R"({"FormatVersion": 0.5})") << int(E::FormatVersion) << 0;
        QTest::newRow("format version as a text")
            << QByteArray(R"({"FormatVersion": "1"})") << int(E::FormatVersion) << 0;
    }
    void jsonEdits() {
        QFETCH(QByteArray, document);
        QFETCH(int, error);
        QFETCH(int, changed);
        const auto original = demo();
        auto model = std::make_unique<SaveFile>(*original);
        ModelEditor editor(*model);
        const EditsInput edits = ParseEdits(document);
        QCOMPARE(edits.error, QString());
        const AssignmentResult result = editor.applyJson(edits.json);
        QCOMPARE(int(result.error), error);
        if (result.ok()) {
            QCOMPARE(result.changed, changed);
            QCOMPARE(static_cast<int>(DiffModels(*original, *model).size()), changed);
        }
    }

    // A key given twice: which value was meant cannot be known, so the edits are refused.
    void duplicateKeyIsRefused() {
        auto model = demo();
        ModelEditor editor(*model);
        const EditsInput edits = ParseEdits(R"({"TurnInfo": [11], "TurnInfo": [12]})");
        const AssignmentResult result = editor.applyJson(edits.json);
        QCOMPARE(result.error, AssignmentError::DuplicateKey);
        QVERIFY2(result.message.contains(u"TurnInfo"), qPrintable(result.message));
    }

    // A JSON value that is not a number is named as written.
    void booleanForANumberIsNamed() {
        auto model = demo();
        ModelEditor editor(*model);
        const AssignmentResult result = editor.applyJson(ParseEdits(R"({"TurnInfo": [true]})").json);
        QCOMPARE(result.error, AssignmentError::NotAnInteger);
        QVERIFY2(result.message.contains(QStringLiteral("値「true」は整数ではありません")),
                 qPrintable(result.message));
    }

    // A text that moves the blocks is named by the edit that set it, after later ones.
    void theLayoutCheckNamesTheEdit() {
        auto model = demo();
        ModelEditor editor(*model);
        QVERIFY(editor.assign(QStringLiteral("Base[3].Name=ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"), 1).ok());
        QVERIFY(editor.assign(QStringLiteral("TurnInfo[0]=3"), 2).ok());
        const AssignmentResult result = editor.finish(false);
        QCOMPARE(result.error, AssignmentError::MovesBlocks);
        QCOMPARE(result.message, texts::assignmentRefused(QStringLiteral("1 行目: Base[3].Name=ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"),
                                                          texts::movesBlocks()));
    }
};

QTEST_GUILESS_MAIN(TestCliSelections)
#include "test_cli_selections.moc"
