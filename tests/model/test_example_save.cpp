#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

// The committed demo save is what the fixture builder makes, so it can always be regenerated.
class TestExampleSave : public QObject {
    Q_OBJECT

private slots:
    void matchesTheBuilder();
    void loads();

private:
    static QByteArray committed() {
        QFile file(QStringLiteral(KORVEN_EXAMPLE_SAVE));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void TestExampleSave::matchesTheBuilder() {
    const QByteArray onDisk = committed();
    QVERIFY2(!onDisk.isEmpty(), KORVEN_EXAMPLE_SAVE);
    const QByteArray built = korven::fixtures::SaveImageBuilder(korven::fixtures::DemoSaveOptions()).build();
    QCOMPARE(onDisk.size(), built.size());
    QVERIFY2(onDisk == built,
             "examples/SaveFile1.SAVE differs from the demo SaveImageBuilder: "
             "regenerate it with make_example_save");
}

void TestExampleSave::loads() {
    auto file = std::make_unique<korven::SaveFile>();
    korven::fixtures::RecordingStatus status;
    korven::fixtures::RecordingMessages messages;
    QVERIFY(korven::LoadSaveFile(committed(), *file, status, messages).ok());
    QVERIFY(messages.shown.empty());
    QCOMPARE(int(file->LastBaseIndex), 180);
    QCOMPARE(file->AircraftType[0].Name.text(), u"９６式艦上戦闘機"_s);
    QCOMPARE(file->Base[180].Name.text(), u"ﾍﾟﾄﾛﾊﾟﾌﾞﾛﾌｽｸ"_s);
    QCOMPARE(file->AircraftBlockPos, int32_t(3001));
}

QTEST_GUILESS_MAIN(TestExampleSave)
#include "test_example_save.moc"
