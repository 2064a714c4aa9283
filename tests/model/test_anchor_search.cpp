#include "model/AnchorSearch.h"
#include "model/ModelTexts.h"
#include "tests/platform/GuardedBuffer.h"
#include "tests/support/Recorders.h"

#include <QTest>

#include <random>

using namespace Qt::StringLiterals;
using korven::testing::GuardedBuffer;
namespace cp932 = korven::cp932;

class TestAnchorSearch : public QObject {
    Q_OBJECT

private slots:
    void positions_data();
    void positions();
    void warnsWhenNotFound();
    void statusComesFirst();
    void keyWithSeveralEncodings();
    void matchesReferenceOnRandomImages();
};

namespace {

const QString kKey = u"９６式艦上戦闘機"_s;
const QByteArray kKeyBytes = cp932::encode(kKey).value();
constexpr int32_t kStart = 256;
constexpr int32_t kEnd = 0x7000;

// Byte k of the key (0-based) placed at a 0-based offset; bytes past the image are dropped.
struct Placement {
    qint64 offset;
    int length;  // how many leading key bytes; 16 is the whole key
};

QByteArray makeImage(qint64 size, const QList<Placement>& placements, char filler = 0x20) {
    QByteArray image(size, filler);
    for (const Placement& p : placements) {
        for (int k = 0; k < p.length && p.offset + k < size; ++k) {
            image[p.offset + k] = kKeyBytes[k];
        }
        // A prefix shorter than the key ends in a byte that cannot continue it.
        if (p.length < kKeyBytes.size() && p.offset + p.length < size) {
            image[p.offset + p.length] = 0x21;
        }
    }
    return image;
}

// The search as the file routine does it: one byte per candidate, the key read only when the
// first byte matches, and the guard on the last byte read.
struct ReferenceResult {
    int32_t position;
    qint64 nextReadPosition;
};

ReferenceResult referenceSearch(const QByteArray& image, const QString& key, qint64 readerPosition,
                                int32_t startPos, int32_t endPos) {
    const QByteArray keyBytes = cp932::encode(key).value();
    const qint64 size = image.size();
    qint64 last = readerPosition - 1;
    qint64 p = startPos - 1;
    while (p < endPos && last + 168 < size) {
        ++p;
        const char byte = image.at(p - 1);
        last = p;
        if (byte != keyBytes.at(0)) {
            continue;
        }
        const QByteArray read = image.mid(p - 1, keyBytes.size());
        last = p + read.size() - 1;
        if (cp932::decode(read) == key) {
            return {static_cast<int32_t>(p), last + 1};
        }
    }
    return {-1, last + 1};
}

struct Outcome {
    int32_t position;
    qint64 nextReadPosition;
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
};

Outcome search(const QByteArray& image, qint64 readerPosition = 1, int32_t startPos = kStart,
               int32_t endPos = kEnd, const QString& key = kKey) {
    const GuardedBuffer guarded(image);
    const QByteArray shared = guarded.bytes();
    korven::FieldReader reader(shared);
    reader.goTo(readerPosition);
    Outcome outcome{};
    const auto found = korven::AnchorSearch(key, reader, startPos, endPos, outcome.status, outcome.messages);
    outcome.position = found ? *found : -1;
    outcome.nextReadPosition = reader.position();
    return outcome;
}

}  // namespace

Q_DECLARE_METATYPE(Placement)

void TestAnchorSearch::positions_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QList<Placement>>("placements");
    QTest::addColumn<qint64>("readerPosition");  // where the file was read up to before the search
    QTest::addColumn<int32_t>("expected");

    const qint64 big = 40000;
    QTest::newRow("key at offset 255") << big << QList<Placement>{{255, 16}} << qint64(1) << 256;
    QTest::newRow("key at offset 254, before the range")
        << big << QList<Placement>{{254, 16}} << qint64(1) << -1;
    QTest::newRow("key at 254 and at 300")
        << big << QList<Placement>{{254, 16}, {300, 16}} << qint64(1) << 301;
    QTest::newRow("key at offset 28671") << big << QList<Placement>{{28671, 16}} << qint64(1) << 28672;
    QTest::newRow("key at offset 28672, past the range")
        << big << QList<Placement>{{28672, 16}} << qint64(1) << -1;
    QTest::newRow("odd offset") << big << QList<Placement>{{4001, 16}} << qint64(1) << 4002;
    QTest::newRow("first match wins") << big << QList<Placement>{{5000, 16}, {3000, 16}} << qint64(1) << 3001;
    QTest::newRow("15-byte prefix, key 100 bytes later")
        << big << QList<Placement>{{1000, 15}, {1100, 16}} << qint64(1) << 1101;
    QTest::newRow("prefix overlapping the key")
        << big << QList<Placement>{{1998, 2}, {2000, 16}} << qint64(1) << 2001;
    QTest::newRow("20000 bytes, key at 19900")
        << qint64(20000) << QList<Placement>{{19900, 16}} << qint64(1) << -1;
    // The last candidate the guard lets through is position size - 168.
    QTest::newRow("20000 bytes, key at the guard")
        << qint64(20000) << QList<Placement>{{19831, 16}} << qint64(1) << 19832;
    QTest::newRow("20000 bytes, key just past the guard")
        << qint64(20000) << QList<Placement>{{19832, 16}} << qint64(1) << -1;
    // A first-byte match moves the last byte read 15 bytes on, which can end the scan early.
    QTest::newRow("decoy first byte ends the scan")
        << qint64(20000) << QList<Placement>{{19820, 1}, {19831, 16}} << qint64(1) << -1;
    QTest::newRow("decoy first byte early enough")
        << qint64(20000) << QList<Placement>{{19800, 1}, {19831, 16}} << qint64(1) << 19832;
    // Bytes read before the search count: the loader has read the header tables.
    QTest::newRow("header read past the guard")
        << qint64(2400) << QList<Placement>{{255, 16}} << qint64(2300) << -1;
    QTest::newRow("header read, guard still open")
        << qint64(2400) << QList<Placement>{{255, 16}} << qint64(2231) << 256;
    QTest::newRow("no key at all") << big << QList<Placement>{} << qint64(1) << -1;
    QTest::newRow("file shorter than the guard") << qint64(168) << QList<Placement>{} << qint64(1) << -1;
    QTest::newRow("empty file") << qint64(0) << QList<Placement>{} << qint64(1) << -1;
}

void TestAnchorSearch::positions() {
    QFETCH(qint64, size);
    QFETCH(QList<Placement>, placements);
    QFETCH(qint64, readerPosition);
    QFETCH(int32_t, expected);

    const QByteArray image = makeImage(size, placements);
    const Outcome outcome = search(image, readerPosition);
    QCOMPARE(outcome.position, expected);
    const ReferenceResult reference = referenceSearch(image, kKey, readerPosition, kStart, kEnd);
    QCOMPARE(reference.position, expected);
    QCOMPARE(outcome.nextReadPosition, reference.nextReadPosition);
    QCOMPARE(outcome.messages.shown.size(), std::size_t(expected < 0 ? 1 : 0));
}

void TestAnchorSearch::warnsWhenNotFound() {
    const Outcome outcome = search(makeImage(40000, {}));
    QCOMPARE(outcome.position, -1);
    QCOMPARE(outcome.messages.shown.size(), std::size_t(1));
    const korven::Message& shown = outcome.messages.shown.front();
    QCOMPARE(shown.text, u"データの位置が検索できませんでした。\r\n検索文字-９６式艦上戦闘機"_s);
    QCOMPARE(shown.icon, korven::MessageIcon::Exclamation);
    QCOMPARE(shown.buttons, korven::MessageButtons::Ok);

    const Outcome other = search(makeImage(40000, {}), 1, kStart, kEnd, u"零式艦上戦闘機"_s);
    QCOMPARE(other.messages.texts(), QStringList{korven::texts::anchorNotFound(u"零式艦上戦闘機"_s)});
    QVERIFY(other.messages.texts().front().endsWith(u"-零式艦上戦闘機"_s));
}

void TestAnchorSearch::statusComesFirst() {
    // One log for both sinks, to see the order.
    struct Log : korven::StatusSink, korven::MessageSink {
        QStringList entries;
        void showStatus(const QString& text) override { entries.append(u"status:"_s + text); }
        korven::MessageAnswer show(const korven::Message& message) override {
            entries.append(u"message:"_s + message.text);
            return korven::MessageAnswer::Ok;
        }
    };
    Log log;
    const QByteArray image = makeImage(30000, {});
    korven::FieldReader reader(image);
    QVERIFY(!korven::AnchorSearch(kKey, reader, kStart, kEnd, log, log));
    QCOMPARE(log.entries, (QStringList{u"status:データ格納位置を探しています"_s,
                                       u"message:"_s + korven::texts::anchorNotFound(kKey)}));

    Log found;
    const QByteArray withKey = makeImage(30000, {{700, 16}});
    korven::FieldReader again(withKey);
    QCOMPARE(korven::AnchorSearch(kKey, again, kStart, kEnd, found, found).value(), 701);
    QCOMPARE(found.entries, QStringList{u"status:データ格納位置を探しています"_s});
}

void TestAnchorSearch::keyWithSeveralEncodings() {
    // The key is compared as text: a window whose bytes differ from the key's encoding but
    // decode to it matches, provided its first byte is the key's.
    const QString key = u"Ａ≒"_s;  // 82 60 81 E0; 87 90 is the NEC form of ≒
    QByteArray image(3000, 0x20);
    image.replace(400, 4, QByteArray("\x82\x60\x87\x90", 4));
    image.replace(900, 4, QByteArray("\x82\x60\x81\xE0", 4));
    QCOMPARE(search(image, 1, kStart, kEnd, key).position, 401);
    QCOMPARE(referenceSearch(image, key, 1, kStart, kEnd).position, 401);
}

void TestAnchorSearch::matchesReferenceOnRandomImages() {
    std::mt19937 random(20240611);
    auto uniform = [&](qint64 low, qint64 high) {
        return std::uniform_int_distribution<qint64>(low, high)(random);
    };
    for (int round = 0; round < 2000; ++round) {
        // Sizes around the points where the guard and the end bound meet.
        const qint64 anchorMax =
            std::max<qint64>(1000, uniform(0, 1) ? kEnd + 168 + uniform(-400, 400) : uniform(600, 32000));
        const qint64 size = anchorMax;
        int32_t startPos = kStart;
        int32_t endPos = kEnd;
        if (round % 4 == 3) {
            startPos = static_cast<int32_t>(uniform(1, 600));
            endPos = static_cast<int32_t>(uniform(startPos - 1, size + 50));
        }
        QByteArray image(size, 0);
        // Many of the key's own bytes, so partial matches and first-byte decoys abound.
        for (qint64 i = 0; i < size; ++i) {
            const auto r = static_cast<uint32_t>(random());
            image[i] = (r & 3) != 0 ? static_cast<char>(r >> 8) : kKeyBytes[(r >> 8) & 15];
        }
        auto nearAny = [&]() {
            const qint64 spots[] = {size - 168, size - 168 - 15, endPos, startPos, size - 16};
            return std::clamp<qint64>(spots[uniform(0, 4)] + uniform(-20, 20) - 1, 0, size - 1);
        };
        const int decoys = static_cast<int>(uniform(0, 6));
        for (int d = 0; d < decoys; ++d) {
            const qint64 at = nearAny();
            const int length = static_cast<int>(uniform(1, 15));
            for (int k = 0; k < length && at + k < size; ++k) {
                image[at + k] = kKeyBytes[k];
            }
        }
        if (uniform(0, 2) != 0) {
            const qint64 at = nearAny();
            for (int k = 0; k < kKeyBytes.size() && at + k < size; ++k) {
                image[at + k] = kKeyBytes[k];
            }
        }
        const qint64 readerPosition = uniform(0, 3) == 0 ? uniform(1, size + 1) : 2187 + uniform(0, 255);

        const ReferenceResult expected = referenceSearch(image, kKey, readerPosition, startPos, endPos);
        const Outcome actual = search(image, readerPosition, startPos, endPos);
        const QByteArray where = u"round %1: size %2, range %3..%4, reader at %5"_s.arg(round)
                                     .arg(size)
                                     .arg(startPos)
                                     .arg(endPos)
                                     .arg(readerPosition)
                                     .toUtf8();
        QVERIFY2(actual.position == expected.position,
                 (where + " found " + QByteArray::number(actual.position) + " instead of " +
                  QByteArray::number(expected.position))
                     .constData());
        QVERIFY2(actual.nextReadPosition == expected.nextReadPosition, where.constData());
    }
}

QTEST_GUILESS_MAIN(TestAnchorSearch)
#include "test_anchor_search.moc"
