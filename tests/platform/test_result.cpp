#include "platform/Result.h"

#include <QTest>

#include <memory>
#include <variant>

using namespace korven;

namespace {

Result<std::unique_ptr<int>> opened(bool works) {
    if (!works) {
        return Failed(FileFailure{FileProblem::InUse, QStringLiteral("held")});
    }
    return std::make_unique<int>(7);
}

Result<void, Reported> checked(bool works) {
    if (!works) {
        return Failed(Reported{});
    }
    return {};
}

}  // namespace

class TestResult : public QObject {
    Q_OBJECT
private slots:
    void aMoveOnlyValueIsHandedOver() {
        Result<std::unique_ptr<int>> result = opened(true);
        QVERIFY(result.ok());
        const std::unique_ptr<int> taken = std::move(result).value();
        QCOMPARE(*taken, 7);
    }
    void aFailureKeepsItsReason() {
        const Result<std::unique_ptr<int>> result = opened(false);
        QVERIFY(!result);
        QCOMPARE(result.error().problem, FileProblem::InUse);
        QCOMPARE(result.error().systemText, QStringLiteral("held"));
        QVERIFY_THROWS_EXCEPTION(std::bad_variant_access, (void)result.value());
    }
    void nothingToReturn() {
        QVERIFY(checked(true).ok());
        QVERIFY(!checked(false));
        QVERIFY_THROWS_EXCEPTION(std::bad_optional_access, (void)checked(true).error());
    }
};

QTEST_GUILESS_MAIN(TestResult)
#include "test_result.moc"
