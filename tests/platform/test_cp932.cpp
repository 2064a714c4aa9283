#include "platform/Cp932.h"
#include "tests/platform/GuardedBuffer.h"

#include <QTest>

#include <map>
#include <set>

using namespace Qt::StringLiterals;
using korven::testing::GuardedBuffer;
namespace cp932 = korven::cp932;

class TestCp932 : public QObject {
    Q_OBJECT

private slots:
    void knownPairs_data();
    void knownPairs();
    void singleBytes();
    void unmappable_data();
    void unmappable();
    void invalidSequences_data();
    void invalidSequences();
    void visibleTextStopsAtFirstNul_data();
    void visibleTextStopsAtFirstNul();
    void duplicatesDoNotSurviveRoundTrip();
    void matcherAcceptsEveryEncodingOfItsText();
};

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (const int v : values) {
        result.append(static_cast<char>(v));
    }
    return result;
}

QByteArray hex(const QByteArray& data) {
    return data.toHex(' ').toUpper();
}

}  // namespace

void TestCp932::knownPairs_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("decodesFrom");  // another byte form of the same text

    QTest::newRow("NEC row 13 unit") << u"㎝"_s << bytes({0x87, 0x70}) << QByteArray();
    QTest::newRow("full-width reverse solidus") << u"＼"_s << bytes({0x81, 0x5F}) << QByteArray();
    QTest::newRow("wave dash as full-width tilde") << u"～"_s << bytes({0x81, 0x60}) << QByteArray();
    QTest::newRow("approximately equal, JIS form") << u"≒"_s << bytes({0x81, 0xE0}) << bytes({0x87, 0x90});
    QTest::newRow("because, JIS form") << u"∵"_s << bytes({0x81, 0xE6}) << bytes({0xFA, 0x5B});
    QTest::newRow("roman numeral one, NEC form") << u"Ⅰ"_s << bytes({0x87, 0x54}) << bytes({0xFA, 0x4A});
    QTest::newRow("horizontal bar") << u"―"_s << bytes({0x81, 0x5C}) << QByteArray();
    QTest::newRow("parallel") << u"∥"_s << bytes({0x81, 0x61}) << QByteArray();
    QTest::newRow("full-width hyphen-minus") << u"－"_s << bytes({0x81, 0x7C}) << QByteArray();
    QTest::newRow("full-width not sign, three forms")
        << u"￢"_s << bytes({0x81, 0xCA}) << bytes({0xEE, 0xF9});
    QTest::newRow("user-defined area") << u"\uE000"_s << bytes({0xF0, 0x40}) << QByteArray();
    QTest::newRow("NEC-selected kanji, IBM form") << u"纊"_s << bytes({0xFA, 0x5C}) << bytes({0xED, 0x40});
    QTest::newRow("half-width katakana") << u"ｱ"_s << bytes({0xB1}) << QByteArray();
    QTest::newRow("half-width sound mark") << u"ﾟ"_s << bytes({0xDF}) << QByteArray();
    QTest::newRow("backslash stays ASCII") << u"\\"_s << bytes({0x5C}) << QByteArray();
    QTest::newRow("tilde stays ASCII") << u"~"_s << bytes({0x7E}) << QByteArray();
    QTest::newRow("control 0x1A") << QString(QChar(0x1A)) << bytes({0x1A}) << QByteArray();
    QTest::newRow("control 0x1C") << QString(QChar(0x1C)) << bytes({0x1C}) << QByteArray();
    QTest::newRow("control 0x7F") << QString(QChar(0x7F)) << bytes({0x7F}) << QByteArray();
    QTest::newRow("NUL") << QString(QChar(0)) << bytes({0x00}) << QByteArray();
    QTest::newRow("the anchor key") << u"９６式艦上戦闘機"_s
                                    << bytes({0x82, 0x58, 0x82, 0x55, 0x8E, 0xAE, 0x8A, 0xCD, 0x8F, 0xE3,
                                              0x90, 0xED, 0x93, 0xAC, 0x8B, 0x40})
                                    << QByteArray();
    QTest::newRow("last base name") << u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"_s
                                    << bytes({0xCD, 0xDF, 0xC4, 0xDB, 0xCA, 0xDF, 0xCC, 0xDE, 0xDB, 0xCC,
                                              0xBD, 0xB8})
                                    << QByteArray();
}

void TestCp932::knownPairs() {
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, decodesFrom);

    const std::optional<QByteArray> actual = cp932::encode(text);
    QVERIFY(actual.has_value());
    QCOMPARE(hex(*actual), hex(encoded));
    QCOMPARE(cp932::encodedLength(text), encoded.size());
    QCOMPARE(cp932::decode(encoded), text);
    if (!decodesFrom.isEmpty()) {
        QCOMPARE(cp932::decode(decodesFrom), text);
        QVERIFY(!cp932::hasSingleEncodings(text));
    } else {
        QVERIFY(cp932::hasSingleEncodings(text));
    }
}

void TestCp932::singleBytes() {
    // ASCII is the identity (no yen sign, no overline), A1..DF the half-width katakana block,
    // 0x80 and A0, FD..FF what Windows makes of them (U+0080 and private-use characters), and
    // the rest lead bytes.
    const std::map<int, char16_t> windowsOnly = {
        {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'}};
    for (int b = 0; b < 256; ++b) {
        const QString decoded = cp932::decode(bytes({b}));
        QCOMPARE(decoded.size(), 1);
        char16_t expected = u'\uFFFD';
        if (b < 0x80) {
            expected = static_cast<char16_t>(b);
        } else if (b >= 0xA1 && b <= 0xDF) {
            expected = static_cast<char16_t>(0xFF61 + b - 0xA1);
        } else if (windowsOnly.contains(b)) {
            expected = windowsOnly.at(b);
        }
        QVERIFY2(decoded.at(0).unicode() == expected, qPrintable(u"byte %1"_s.arg(b, 2, 16)));
        if (expected != u'\uFFFD') {
            QCOMPARE(hex(cp932::encode(decoded).value_or(QByteArray())), hex(bytes({b})));
        }
    }
}

void TestCp932::unmappable_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("emoji (surrogate pair)") << u"艦😀"_s;
    QTest::newRow("hangul") << u"한"_s;
    QTest::newRow("replacement character") << u"A\uFFFD"_s;
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D));
    QTest::newRow("euro sign") << u"€"_s;
}

void TestCp932::unmappable() {
    QFETCH(QString, text);
    QVERIFY(!cp932::encode(text).has_value());
    QCOMPARE(cp932::encodedLength(text), -1);
    bool someUnencodable = false;
    for (const QChar ch : text) {
        someUnencodable = someUnencodable || !cp932::canEncode(ch);
    }
    QVERIFY(someUnencodable);
}

void TestCp932::invalidSequences_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("lone lead byte") << bytes({0x81}) << u"\uFFFD"_s;
    QTest::newRow("lead byte at the end") << bytes({0x41, 0x42, 0x88}) << u"AB\uFFFD"_s;
    QTest::newRow("high lead byte at the end") << bytes({0x82, 0x60, 0xFC}) << u"Ａ\uFFFD"_s;
    QTest::newRow("lead byte before a space") << bytes({0x81, 0x20, 0x41}) << u"\uFFFD A"_s;
    QTest::newRow("lead byte before DEL") << bytes({0x81, 0x7F}) << u"\uFFFD\u007F"_s;
    QTest::newRow("lead byte before NUL") << bytes({0x93, 0x00, 0x41}) << u"\uFFFD\u0000A"_s;
    QTest::newRow("unassigned pair") << bytes({0x85, 0x40}) << u"\uFFFD@"_s;
    QTest::newRow("single bytes Windows maps")
        << bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}) << u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"_s;
    QTest::newRow("lead byte before 0xFD") << bytes({0x88, 0xFD}) << u"\uFFFD\uF8F1"_s;
}

void TestCp932::invalidSequences() {
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    const GuardedBuffer guarded(input);
    QCOMPARE(cp932::decode(guarded.view()), expected);
    QCOMPARE(cp932::decodeVisible(guarded.view()), expected.left(expected.indexOf(QChar(0))));
}

void TestCp932::visibleTextStopsAtFirstNul_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("whole");
    QTest::addColumn<QString>("visible");

    QTest::newRow("padding") << QByteArray("\x88\xC9\x90\xA8\0\0\0\0", 8) << u"伊勢\0\0\0\0"_s << u"伊勢"_s;
    QTest::newRow("junk after the NUL") << QByteArray("AB\0CD", 5) << u"AB\0CD"_s << u"AB"_s;
    QTest::newRow("empty field") << QByteArray("\0\x82\x60", 3) << u"\0Ａ"_s << QString();
    QTest::newRow("no NUL") << QByteArray("\x82\x60\xB1") << u"Ａｱ"_s << u"Ａｱ"_s;
    QTest::newRow("0x00 after a lead byte") << QByteArray("\x82\0A", 3) << u"\uFFFD\0A"_s << u"\uFFFD"_s;
}

void TestCp932::visibleTextStopsAtFirstNul() {
    QFETCH(QByteArray, input);
    QFETCH(QString, whole);
    QFETCH(QString, visible);
    QCOMPARE(cp932::decode(input), whole);
    QCOMPARE(cp932::decodeVisible(input), visible);
}

void TestCp932::duplicatesDoNotSurviveRoundTrip() {
    // Windows encodes a character that has several forms to one of them: NEC row 13 and the
    // NEC-selected IBM extensions give way to the JIS and IBM forms. That is 398 pairs.
    int valid = 0;
    std::map<int, int> lostByLead;
    std::set<char16_t> several;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead >= 0xA0 && lead <= 0xDF) {
            continue;
        }
        for (int trail = 0; trail < 256; ++trail) {
            const QByteArray pair = bytes({lead, trail});
            const QString text = cp932::decode(pair);
            if (text.size() != 1 || text.at(0) == QChar(0xFFFD)) {
                continue;
            }
            ++valid;
            const std::optional<QByteArray> again = cp932::encode(text);
            QVERIFY2(again.has_value(), qPrintable(QString::fromLatin1(hex(pair))));
            if (*again != pair) {
                ++lostByLead[lead];
                // The form chosen must decode to the same character.
                QCOMPARE(cp932::decode(*again), text);
                several.insert(text.at(0).unicode());
            }
        }
    }
    // Exactly these characters count as having several forms; no other one is compared decoded.
    std::set<char16_t> flagged;
    for (int u = 0; u <= 0xFFFF; ++u) {
        if (!cp932::hasSingleEncodings(QString(QChar(static_cast<char16_t>(u))))) {
            flagged.insert(static_cast<char16_t>(u));
        }
    }
    QCOMPARE(flagged.size(), several.size());
    QVERIFY(flagged == several);
    int lost = 0;
    for (const auto& [lead, count] : lostByLead) {
        lost += count;
    }
    QCOMPARE(lost, 398);
    QCOMPARE(lostByLead, (std::map<int, int>{{0x87, 9}, {0xED, 188}, {0xEE, 186}, {0xFA, 15}}));
    // JIS X 0208, NEC row 13, the NEC-selected and IBM extensions and the user-defined area.
    QCOMPARE(valid, 6879 + 83 + 374 + 388 + 1880);
}

void TestCp932::matcherAcceptsEveryEncodingOfItsText() {
    const cp932::TextMatcher withDuplicate(u"Ａ≒"_s);
    QVERIFY(withDuplicate.matches(bytes({0x82, 0x60, 0x81, 0xE0})));
    QVERIFY(withDuplicate.matches(bytes({0x82, 0x60, 0x87, 0x90})));
    QVERIFY(!withDuplicate.matches(bytes({0x82, 0x60, 0x81, 0xE0, 0x00})));
    QVERIFY(!withDuplicate.matches(bytes({0x82, 0x60})));

    const cp932::TextMatcher plain(u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"_s);
    QVERIFY(plain.matches(plain.encoded()));
    QVERIFY(!plain.matches(plain.encoded().left(11) + QByteArray(1, '\0')));
    QVERIFY(!plain.matches(plain.encoded().chopped(1) + QByteArray(1, 'X')));
    QVERIFY(!plain.matches(plain.encoded() + QByteArray(1, '\0')));

    const cp932::TextMatcher oneByte(u"A"_s);
    QVERIFY(oneByte.matches("A"));
    QVERIFY(!oneByte.matches("B"));
    QVERIFY(!oneByte.matches("AA"));
    QVERIFY(!oneByte.matches(QByteArray()));

    const cp932::TextMatcher unencodable(u"한"_s);
    QVERIFY(unencodable.encoded().isEmpty());
    QVERIFY(!unencodable.matches(QByteArray()));
    QVERIFY(!unencodable.matches(bytes({0x81, 0x40})));
}

QTEST_GUILESS_MAIN(TestCp932)
#include "test_cp932.moc"
