#include "editors/ModuleMain.h"
#include "editors/frmToujouRen.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace korven;
using namespace korven::testing;

namespace {

struct Fixture {
    explicit Fixture(int16_t airArm) { session.selection.record = airArm; }
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    int changes = 0;
    EditSession session{*file, [this] { ++changes; }, {}, {}, {}, {}};
    fixtures::ScriptedUi ui;
};

QLineEdit* skillBox(QWidget& dialog, int kind) {
    return box(dialog, QStringLiteral("txtRendo_%1").arg(kind));
}

}  // namespace

class TestFrmToujouRen : public QObject {
    Q_OBJECT
private slots:
    void showsTheAirArm_data() {
        QTest::addColumn<int>("airArm");
        QTest::addColumn<QString>("nation");
        QTest::newRow("0") << 0 << QStringLiteral("日本海軍");
        QTest::newRow("2") << 2 << QStringLiteral("アメリカ");
        QTest::newRow("4") << 4 << QStringLiteral("ソビエト");
    }
    void showsTheAirArm() {
        QFETCH(int, airArm);
        QFETCH(QString, nation);
        Fixture f(static_cast<int16_t>(airArm));
        f.file->AircrewSkill[static_cast<std::size_t>(airArm)] = {71, 38};
        frmToujouRen dialog(f.session);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("搭乗員練度"));
        QCOMPARE(control<QLabel>(dialog, "lblKokuseki")->text(), nation);
        QCOMPARE(control<QLabel>(dialog, "lblRendo_0")->text(), QStringLiteral("戦闘機"));
        QCOMPARE(control<QLabel>(dialog, "lblRendo_1")->text(), QStringLiteral("爆撃機"));
        QCOMPARE(skillBox(dialog, 0)->text(), QStringLiteral("71"));
        QCOMPARE(skillBox(dialog, 1)->text(), QStringLiteral("38"));
        QPushButton* apply = button(dialog, "CommandApply");
        QCOMPARE(apply->text(), QStringLiteral("更新-Dummy"));
        dialog.show();
        QVERIFY(!apply->isVisible() && !apply->isEnabled());
        QVERIFY(findControl<QPushButton>(dialog, "CommandUndo") == nullptr);
    }

    void onlyAirArmsOpen() {
        QVERIFY(frmToujouRen::IsAirArm(0) && frmToujouRen::IsAirArm(4));
        QVERIFY(!frmToujouRen::IsAirArm(-1) && !frmToujouRen::IsAirArm(5));
    }

    void skillAboveTheMaximumIsCorrectedAndKeepsTheFocus_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("fighters") << 0;
        QTest::newRow("bombers") << 1;
    }
    void skillAboveTheMaximumIsCorrectedAndKeepsTheFocus() {
        QFETCH(int, kind);
        Fixture f(1);
        f.file->AircrewSkill[1] = {50, 60};
        frmToujouRen dialog(f.session);
        QLineEdit* edit = skillBox(dialog, kind);
        QVERIFY(openWithFocus(dialog, edit));
        retype(edit, QStringLiteral("150"));
        QCOMPARE(edit->text(), QStringLiteral("150"));
        QTest::keyClick(edit, Qt::Key_Tab);
        QCOMPARE(edit->text(), QStringLiteral("99"));
        QCOMPARE(f.ui.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), edit);
        // A click on OK while the box needs correcting only corrects it.
        retype(edit, QStringLiteral("1a2"));
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(edit->text(), QStringLiteral("12"));
        QCOMPARE(f.ui.beeps, 2);
        QVERIFY(dialog.isVisible());
        QCOMPARE(f.changes, 0);
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.file->AircrewSkill[1][static_cast<std::size_t>(kind)], uint8_t(12));
        QCOMPARE(f.file->AircrewSkill[1][static_cast<std::size_t>(1 - kind)], uint8_t(kind == 0 ? 60 : 50));
        QCOMPARE(f.changes, 1);
    }

    void clearedBoxIsStoredAsZero() {
        Fixture f(3);
        f.file->AircrewSkill[3] = {45, 80};
        frmToujouRen dialog(f.session);
        QVERIFY(openWithFocus(dialog, skillBox(dialog, 1)));
        retype(skillBox(dialog, 1), QString());
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(f.ui.beeps, 0);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.file->AircrewSkill[3][1], uint8_t(0));
        QCOMPARE(f.file->AircrewSkill[3][0], uint8_t(45));
        QCOMPARE(f.changes, 1);
    }

    void okWithoutChangeStoresNothing() {
        Fixture f(2);
        // A stored skill the check would refuse stays as it is.
        f.file->AircrewSkill[2] = {120, 7};
        const auto before = f.file->AircrewSkill;
        frmToujouRen dialog(f.session);
        QVERIFY(openWithFocus(dialog, skillBox(dialog, 1)));
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.ui.beeps, 0);
        QCOMPARE(f.changes, 0);
        QVERIFY(f.file->AircrewSkill == before);
    }

    void escCancelsWithoutTheCheck() {
        Fixture f(0);
        f.file->AircrewSkill[0] = {10, 20};
        frmToujouRen dialog(f.session);
        QVERIFY(openWithFocus(dialog, skillBox(dialog, 0)));
        retype(skillBox(dialog, 0), QStringLiteral("150"));
        QTest::keyClick(skillBox(dialog, 0), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.ui.beeps, 0);
        QCOMPARE(f.file->AircrewSkill[0][0], uint8_t(10));
        QCOMPARE(f.changes, 0);
    }
};

QTEST_MAIN(TestFrmToujouRen)
#include "test_frm_toujouren.moc"
