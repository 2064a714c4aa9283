#include "cli/CliTexts.h"
#include "cli/EditsInput.h"

#include <QTest>

using namespace korven::cli;

Q_DECLARE_METATYPE(std::vector<EditLine>)

// How the EDITS argument of apply is read: a JSON document or assignments one per line.
class TestCliEditsInput : public QObject {
    Q_OBJECT

private slots:
    // Each kept line with its number as an editor shows it.
    void assignmentLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::vector<EditLine>>("lines");
        QTest::newRow("last line without an end")
            << QByteArray("TurnInfo[0]=1\nTurnInfo[1]=2")
            << std::vector<EditLine>{{1, QStringLiteral("TurnInfo[0]=1")},
                                     {2, QStringLiteral("TurnInfo[1]=2")}};
        QTest::newRow("blank lines and comments keep the count")
            << QByteArray("\n# fuel\n\n   \nShip[3].Words[6]=321\n\n")
            << std::vector<EditLine>{{5, QStringLiteral("Ship[3].Words[6]=321")}};
        QTest::newRow("CR LF, leading blanks dropped, trailing ones kept")
            << QByteArray("\xEF\xBB\xBF  Base[0].Name=A  \r\n\tBase[1].Name=B\r\n")
            << std::vector<EditLine>{{1, QStringLiteral("Base[0].Name=A  ")},
                                     {2, QStringLiteral("Base[1].Name=B")}};
        QTest::newRow("a brace later in the file is an assignment's")
            << QByteArray("Base[0].Name={\n") << std::vector<EditLine>{{1, QStringLiteral("Base[0].Name={")}};
    }
    void assignmentLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(std::vector<EditLine>, lines);
        const EditsInput input = ParseEdits(bytes);
        QCOMPARE(input.error, QString());
        QCOMPARE(input.kind, EditsInput::Kind::Assignments);
        QCOMPARE(input.lines.size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            QCOMPARE(input.lines[i].number, lines[i].number);
            QCOMPARE(input.lines[i].assignment, lines[i].assignment);
        }
    }

    void jsonAfterBlanks_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << QByteArray(R"({"TurnInfo": [1]})");
        QTest::newRow("after blank lines and tabs") << QByteArray("\r\n\n\t  {\"TurnInfo\": [1]}\n");
        QTest::newRow("after a byte-order mark") << QByteArray("\xEF\xBB\xBF{\"TurnInfo\": [1]}");
    }
    void jsonAfterBlanks() {
        QFETCH(QByteArray, bytes);
        const EditsInput input = ParseEdits(bytes);
        QCOMPARE(input.error, QString());
        QCOMPARE(input.kind, EditsInput::Kind::Json);
        QCOMPARE(input.json["TurnInfo"][0].GetInt(), 1);
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        // 零 in Shift-JIS inside a JSON string, and in an assignment.
        QTest::newRow("JSON that is not UTF-8")
            << QByteArray("{\"SaveName\": \"\x97\xeb\"}") << texts::notUtf8();
        QTest::newRow("assignments that are not UTF-8")
            << QByteArray("Base[0].Name=\x97\xeb\n") << texts::notUtf8();
        QTest::newRow("nothing but blanks") << QByteArray(" \r\n\t\n") << texts::noEdits();
        QTest::newRow("empty") << QByteArray() << texts::noEdits();
    }
    void refused() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QCOMPARE(ParseEdits(bytes).error, error);
    }

    // Where a document stops parsing, in lines and characters (not bytes), and why.
    void malformedJson_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing comma, after a CR LF")
            << QByteArray("{\r\n  \"TurnInfo\": [1 2]}")
            << QStringLiteral(
                   "JSON の 2 行 18 桁目に誤りがあります: 「,」か「]」がありません (malformed JSON)");
        QTest::newRow("columns count characters after Japanese")
            << QByteArray("{\"ScenarioTitle\": \"太平洋\" \"x\"}")
            << QStringLiteral(
                   "JSON の 1 行 25 桁目に誤りがあります: 「,」か「}」がありません (malformed JSON)");
        QTest::newRow("string left open") << QByteArray("{\"SaveName\": \"abc")
                                          << QStringLiteral(
                                                 "JSON の 1 行 18 桁目に誤りがあります: "
                                                 "文字列が「\"」で閉じられていません (malformed JSON)");
        QTest::newRow("more after the document")
            << QByteArray("{}\n{}")
            << QStringLiteral(
                   "JSON の 2 行 1 桁目に誤りがあります: 文書の終わりの後に続きがあります (malformed JSON)");
        QTest::newRow("key without quotes")
            << QByteArray("{TurnInfo: [1]}")
            << QStringLiteral(
                   "JSON の 1 行 2 桁目に誤りがあります: キー (\"...\") がありません (malformed JSON)");
        QTest::newRow("no colon")
            << QByteArray("{\"TurnInfo\" [1]}")
            << QStringLiteral(
                   "JSON の 1 行 13 桁目に誤りがあります: キーの後に「:」がありません (malformed JSON)");
        QTest::newRow("bad escape") << QByteArray("{\"SaveName\": \"a\\qb\"}")
                                    << QStringLiteral(
                                           "JSON の 1 行 16 桁目に誤りがあります: "
                                           "「\\」の後の文字が正しくありません (malformed JSON)");
        QTest::newRow("fraction without digits")
            << QByteArray("{\"TurnInfo\": [1.]}")
            << QStringLiteral(
                   "JSON の 1 行 17 桁目に誤りがあります: 小数点の後に数字がありません (malformed JSON)");
        QTest::newRow("NaN is not JSON")
            << QByteArray("{\"TurnInfo\": [NaN]}")
            << QStringLiteral("JSON の 1 行 15 桁目に誤りがあります: 値として読めません (malformed JSON)");
    }
    void malformedJson() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QCOMPARE(ParseEdits(bytes).error, error);
    }

    // Nesting a million deep is refused with a message, not a stack overflow.
    void deepNestingIsRefused() {
        const QByteArray bytes = "{\"TurnInfo\": " + QByteArray(1000000, '[');
        const EditsInput input = ParseEdits(bytes);
        QVERIFY(input.error.startsWith(QStringLiteral("JSON の 1 行 1000014 桁目に誤りがあります")));
    }
};

QTEST_GUILESS_MAIN(TestCliEditsInput)
#include "test_cli_edits_input.moc"
