#include "model/ModelTexts.h"
#include "tests/cli/CliFixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace korven;
using korven::fixtures::putInt16;
using korven::fixtures::SaveImageBuilder;
using korven::fixtures::SaveImageOptions;

namespace {

struct Run {
    int status = -1;
    QString err;
};

Run run(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(KORVEN_CLI_BINARY), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        qFatal("korvenedit-cli crashed or hung");
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QString firstLine(const QString& message) {
    return message.section(QStringLiteral("\r\n"), 0, 0);
}

}  // namespace

// Broken and odd files through the tool as a user runs it: each gets the system's own message
// and exit status 1, or loads when nothing is wrong with it; none crashes (the sanitizer build
// runs the same table).
class TestCliBadInputs : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    SaveImageBuilder m_builder;
    QByteArray m_image;

    // What the loader must say about the demo save cut to `size` bytes.
    QString messageForLength(qint64 size) const {
        if (size < 6) {
            return texts::notASaveFile();
        }
        if (size < m_builder.aircrewSkillOffset() + 10) {
            return texts::readError();
        }
        // The search stops once fewer than 169 bytes follow the candidate before the key.
        if (size <= m_builder.aircraftTypeOffset(0) + 168) {
            return texts::anchorNotFound(QStringLiteral("９６式艦上戦闘機"));
        }
        return size < m_builder.endOfBlocks() ? texts::readError() : QString();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_image = m_builder.build();
    }

    void truncated_data() {
        QTest::addColumn<qint64>("size");
        const SaveImageBuilder& b = m_builder;
        const std::pair<const char*, qint64> boundaries[] = {
            {"empty", 0},
            {"three bytes", 3},
            {"magic only", 6},
            {"inside the save name", 20},
            {"at the end of the header", b.airDevelopmentOffset()},
            {"inside the science weapons", b.scienceWeaponOffset() + 30},
            {"inside the aircrew skill", b.aircrewSkillOffset() + 5},
            {"before the anchor", b.aircraftTypeOffset(0)},
            {"inside the anchor", b.aircraftTypeOffset(0) + 8},
            {"just within the search guard", b.aircraftTypeOffset(0) + 168},
            {"just past the search guard", b.aircraftTypeOffset(0) + 169},
            {"inside the aircraft names", b.aircraftTypeOffset(3) + 10},
            {"at the ship classes", b.shipClassOffset(0)},
            {"inside the ship classes", b.shipClassOffset(100) + 7},
            {"at the bases", b.baseOffset(0)},
            {"inside the bases", b.baseOffset(90) + 100},
            {"inside the last base", b.baseOffset(180) + 11},
            {"at the ships", b.shipOffset(0)},
            {"inside the ships", b.shipOffset(700) + 3},
            {"at the carrier aircraft", b.carrierAirOffset(0)},
            {"one byte short", b.endOfBlocks() - 1},
            {"complete", b.endOfBlocks()},
        };
        for (const auto& [name, size] : boundaries) {
            QTest::newRow(name) << size;
        }
    }
    void truncated() {
        QFETCH(qint64, size);
        const QString path = fixtures::writeFile(QDir(m_dir.path()), QStringLiteral("cut%1.SAVE").arg(size),
                                                 m_image.left(size));
        const Run r = run({QStringLiteral("info"), path});
        const QString expected = messageForLength(size);
        if (expected.isEmpty()) {
            QCOMPARE(r.status, 0);
            return;
        }
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(firstLine(expected)), qPrintable(r.err));
    }

    void refused_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");

        QByteArray wrongMagic = m_image;
        wrongMagic.replace(0, 6, "KVLOAD");
        QTest::newRow("wrong magic") << wrongMagic << texts::notASaveFile();

        QTest::newRow("no anchor") << fixtures::withoutAnchor(m_image)
                                   << texts::anchorNotFound(QStringLiteral("９６式艦上戦闘機"));

        SaveImageOptions late;
        late.aircraftBlockOffset = 0x7000;  // offset 28672: one past the last candidate
        QTest::newRow("anchor past the search bound")
            << fixtures::withoutAnchor(SaveImageBuilder(late).build().left(late.aircraftBlockOffset)) +
                   SaveImageBuilder(late).build().mid(late.aircraftBlockOffset)
            << texts::anchorNotFound(QStringLiteral("９６式艦上戦闘機"));

        SaveImageOptions noLast;
        noLast.lastBaseIndex = -1;
        const SaveImageBuilder unterminated(noLast);
        QTest::newRow("no last base and too short for 256 bases")
            << unterminated.build().left(unterminated.baseOffset(200)) << texts::readError();

        QByteArray longName = m_image.left(200);
        longName[8] = static_cast<char>(255);
        QTest::newRow("name length 255 in a short file") << longName << texts::readError();
    }
    void refused() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString path = fixtures::writeFile(QDir(m_dir.path()), QStringLiteral("bad.SAVE"), contents);
        for (const QString& command :
             {QStringLiteral("info"), QStringLiteral("verify"), QStringLiteral("dump")}) {
            const Run r = run({command, path});
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.startsWith(firstLine(message)),
                     qPrintable(command + QStringLiteral(": ") + r.err));
        }
        const QByteArray before = fixtures::readFile(path);
        const Run set = run({QStringLiteral("set"), path, QStringLiteral("TurnInfo[0]=1")});
        QCOMPARE(set.status, 1);
        QCOMPARE(fixtures::readFile(path), before);
    }

    // Odd but sound files load and come back byte for byte.
    void accepted_data() {
        QTest::addColumn<QByteArray>("contents");
        QByteArray invalidTexts = m_image;
        for (int i = 0; i < 253; ++i) {
            // Lead bytes without trail bytes, and bytes that are no character at all.
            invalidTexts.replace(m_builder.shipClassOffset(i), 12,
                                 QByteArray("\x81\x20\xFD\xFF\x85\x7F\xA0\x80\xEF\x00\x81", 12));
        }
        for (int i = 0; i < 176; ++i) {
            invalidTexts.replace(m_builder.aircraftTypeOffset(i) + 27, 11, QByteArray(11, '\xFF'));
        }
        QTest::newRow("texts full of invalid code page 932") << invalidTexts;
        QTest::newRow("100 MB of zeros after the save") << m_image + QByteArray(100 * 1024 * 1024, '\0');
    }
    void accepted() {
        QFETCH(QByteArray, contents);
        const QString path = fixtures::writeFile(QDir(m_dir.path()), QStringLiteral("odd.SAVE"), contents);
        QCOMPARE(run({QStringLiteral("verify"), path}).status, 0);
        QCOMPARE(run({QStringLiteral("info"), path}).status, 0);
        QFile::remove(path);
    }
};

QTEST_GUILESS_MAIN(TestCliBadInputs)
#include "test_cli_bad_inputs.moc"
