#include "cli/Utf8Writer.h"

#include <QBuffer>
#include <QTest>

using korven::cli::Utf8Writer;

// Text joined by the writer reaches a stream on a string and one on a device alike: whole, in
// order with what the stream was given around it, across the pieces it is handed over in.
class TestCliUtf8Writer : public QObject {
    Q_OBJECT
private slots:
    void linesArriveWholeAndInOrder_data() {
        QTest::addColumn<bool>("onDevice");
        QTest::newRow("stream on a string") << false;
        QTest::newRow("stream on a device") << true;
    }
    void linesArriveWholeAndInOrder() {
        QFETCH(bool, onDevice);
        QString text;
        QBuffer device;
        QVERIFY(device.open(QIODevice::WriteOnly));
        QTextStream stream;
        if (onDevice) {
            stream.setDevice(&device);
        } else {
            stream.setString(&text);
        }
        const QString texts[] = {
            QStringLiteral("Ship[1].Words[6]=5"),
            QStringLiteral("Base[0].Name=零式"),  // ASCII, then not
            QStringLiteral("艦😀X"),               // a surrogate pair
            QStringLiteral("café"),               // two bytes, not one
            QString(),
        };
        // Longer than the writer's buffer: it must grow rather than cut the text.
        const QString longText(100000, QChar(u'あ'));

        QString expected = QStringLiteral("before\n");
        stream << QStringLiteral("before\n");
        {
            Utf8Writer writer(stream);
            for (int i = 0; i < 6000; ++i) {
                const QString& piece = i == 4000 ? longText : texts[i % 5];
                writer.append(QByteArrayView("\xE6\xB8\xAF "));  // "港 "
                writer.append(qint64{i} - 3000);
                writer.append(piece);
                writer.endLine();
                expected += QStringLiteral("港 ") + QString::number(i - 3000) + piece + u'\n';
            }
            writer.append(QStringView(u"no line end"));
            expected += QStringLiteral("no line end");
        }
        stream << QStringLiteral("after\n");
        expected += QStringLiteral("after\n");
        stream.flush();

        const QString written = onDevice ? QString::fromUtf8(device.data()) : text;
        QCOMPARE(written.size(), expected.size());
        QCOMPARE(written, expected);
    }
};

QTEST_GUILESS_MAIN(TestCliUtf8Writer)
#include "test_cli_utf8_writer.moc"
