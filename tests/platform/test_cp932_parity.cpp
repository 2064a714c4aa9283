// The Windows build converts through the system; the Linux build through tables made from the
// C library's converter. Both must read and write every byte sequence the same way.
#include "platform/Cp932.h"
#include "platform/Cp932Lookup.h"

#include <QTest>

namespace cp932 = korven::cp932;
namespace lookup = korven::cp932::lookup;
namespace tables = korven::cp932::tables;

class TestCp932Parity : public QObject {
    Q_OBJECT

private slots:
    void singleBytes();
    void everyPair();
    void everyCodeUnitEncodes();
};

namespace {

QString tableSingle(unsigned b) {
    const char16_t ch = lookup::isLeadByte(b) ? tables::kNone : tables::kSingle[b];
    return QString(QChar(ch == tables::kNone ? u'\uFFFD' : ch));
}

QString hexOf(unsigned value) {
    return QString::number(value, 16).toUpper();
}

QString codes(const QString& text) {
    QStringList list;
    for (const QChar ch : text) {
        list.append(hexOf(ch.unicode()));
    }
    return list.join(u' ');
}

}  // namespace

void TestCp932Parity::singleBytes() {
    for (unsigned b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        QVERIFY2(cp932::decode(QByteArrayView(&byte, 1)) == tableSingle(b), qPrintable(hexOf(b)));
    }
}

void TestCp932Parity::everyPair() {
    int differences = 0;
    for (unsigned lead = 0; lead < 256; ++lead) {
        for (unsigned trail = 0; trail < 256; ++trail) {
            const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t ch = lookup::pair(lead, trail);
            // A lead byte without a valid pair counts alone and the next byte starts afresh.
            const QString expected =
                ch != tables::kNone ? QString(QChar(ch)) : tableSingle(lead) + tableSingle(trail);
            const QString actual = cp932::decode(QByteArrayView(bytes, 2));
            if (actual != expected && ++differences <= 20) {
                qWarning("%02X %02X: system %s, tables %s", lead, trail, qPrintable(codes(actual)),
                         qPrintable(codes(expected)));
            }
        }
    }
    QCOMPARE(differences, 0);
}

void TestCp932Parity::everyCodeUnitEncodes() {
    int differences = 0;
    for (unsigned unit = 0; unit < 65536; ++unit) {
        const QChar ch(static_cast<char16_t>(unit));
        const quint16 code = lookup::kEncoding[unit];
        QByteArray expected;
        if (code != lookup::kUnmapped) {
            if (code > 0xFF) {
                expected.append(static_cast<char>(code >> 8));
            }
            expected.append(static_cast<char>(code & 0xFF));
        }
        const QByteArray actual = cp932::encode(QStringView(&ch, 1)).value_or(QByteArray());
        if (actual != expected && ++differences <= 20) {
            qWarning("U+%04X: system %s, tables %s", unit, actual.toHex(' ').constData(),
                     expected.toHex(' ').constData());
        }
    }
    QCOMPARE(differences, 0);
}

QTEST_GUILESS_MAIN(TestCp932Parity)
#include "test_cp932_parity.moc"
