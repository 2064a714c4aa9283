#include "platform/ProgramInfo.h"

#include <QTest>

using namespace korven;

class TestProgramInfo : public QObject {
    Q_OBJECT
private slots:
    void versionTexts() {
        QCOMPARE(program::settingsVersion(1, 5, 3), QStringLiteral("1.05 Rev3"));
        QCOMPARE(program::aboutVersion(1, 5, 3), QStringLiteral("Version 1.05 rev3"));
        QCOMPARE(program::aboutVersion(12, 10, 0), QStringLiteral("Version 12.10 rev0"));
        QCOMPARE(program::settingsVersion(0, 0, 11), QStringLiteral("0.00 Rev11"));
    }
};

QTEST_GUILESS_MAIN(TestProgramInfo)
#include "test_program_info.moc"
