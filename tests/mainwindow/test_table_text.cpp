#include "mainwindow/TableText.h"

#include <QTest>

using namespace korven::mainwindow;
using namespace Qt::StringLiterals;

using Rows = std::vector<QStringList>;
Q_DECLARE_METATYPE(Rows)

class TestTableText : public QObject {
    Q_OBJECT
private slots:
    void tabSeparated_data() {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("text");
        QTest::newRow("rows and cells")
            << Rows{{u"大和型"_s, u"戦艦"_s, u"27"_s}, {u"高雄型"_s, u""_s, u"35"_s}}
            << u"大和型\t戦艦\t27\n高雄型\t\t35\n"_s;
        QTest::newRow("tabs and breaks in a cell") << Rows{{u"a\tb"_s, u"c\r\nd"_s}} << u"a b\tc  d\n"_s;
        QTest::newRow("nothing") << Rows{} << QString();
        QTest::newRow("formula-like names")
            << Rows{{u"=cmd|'/C calc'!A0"_s, u"\tx"_s, u"-3"_s, u"-"_s, u"+1.5"_s}}
            << u"'=cmd|'/C calc'!A0\t' x\t-3\t'-\t+1.5\n"_s;
    }
    void tabSeparated() {
        QFETCH(Rows, rows);
        QTEST(TabSeparated(rows), "text");
    }

    void commaSeparated_data() {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain")
            << Rows{{u"基地名"_s, u"領有"_s}, {u"バンコク"_s, u"日本"_s}}
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "\xE5\x9F\xBA\xE5\x9C\xB0\xE5\x90\x8D,\xE9\xA0\x98\xE6\x9C\x89\r\n"
                   "\xE3\x83\x90\xE3\x83\xB3\xE3\x82\xB3\xE3\x82\xAF,\xE6\x97\xA5\xE6\x9C\xAC\r\n");
        QTest::newRow("quoting") << Rows{{u"10:3"_s, u"a,b"_s, u"say \"hi\""_s, u"two\nlines"_s, u""_s}}
                                 << QByteArray(
                                        "\xEF\xBB\xBF"
                                        "10:3,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
        QTest::newRow("nothing") << Rows{} << QByteArray("\xEF\xBB\xBF");
        // Each of = + - @ tab CR starts a formula; numbers, negative ones too, stay numbers.
        QTest::newRow("formula-like names")
            << Rows{{u"=HYPERLINK(\"x\")"_s, u"+A1"_s, u"-2+3"_s, u"@SUM(A1)"_s, u"\t=1"_s, u"\r=1"_s,
                     u"-120"_s, u"3.5"_s, u"a=b"_s, u"＝全角"_s}}
            << QByteArray(
                   "\xEF\xBB\xBF"
                   "\"'=HYPERLINK(\"\"x\"\")\",'+A1,'-2+3,'@SUM(A1),'\t=1,\"'\r=1\",-120,3.5,a=b,"
                   "\xEF\xBC\x9D\xE5\x85\xA8\xE8\xA7\x92\r\n");
    }
    void commaSeparated() {
        QFETCH(Rows, rows);
        QTEST(CommaSeparated(rows), "bytes");
    }
};

QTEST_GUILESS_MAIN(TestTableText)
#include "test_table_text.moc"
