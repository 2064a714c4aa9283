#include "editors/Colours.h"
#include "editors/ModuleMain.h"
#include "editors/frmKagaku.h"
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
    std::unique_ptr<SaveFile> file = std::make_unique<SaveFile>();
    int changes = 0;
    EditSession session{*file, [this] { ++changes; }, {}, {}, {}, {}};
    fixtures::ScriptedUi ui;
};

// Shows the dialog for weapon class 1, entry 4, active, with the focus in `focused`.
bool open(frmKagaku& dialog, const char* focused) {
    return dialog.setTarget1(1) && dialog.setTarget2(4) && openWithFocus(dialog, box(dialog, focused));
}

using Weapons = decltype(SaveFile::ScienceWeapon);

bool sameWeapons(const Weapons& a, const Weapons& b) {
    for (std::size_t line = 0; line < a.size(); ++line) {
        for (std::size_t step = 0; step < a[line].size(); ++step) {
            if (a[line][step].Need != b[line][step].Need || a[line][step].Leave != b[line][step].Leave) {
                return false;
            }
        }
    }
    return true;
}

enum class Leave { Tab, Backtab, ClickOtherBox, ClickOk, ClickCancel };

void leave(frmKagaku& dialog, QLineEdit* from, Leave how) {
    switch (how) {
        case Leave::Tab:
            QTest::keyClick(from, Qt::Key_Tab);
            break;
        case Leave::Backtab:
            QTest::keyClick(from, Qt::Key_Backtab, Qt::ShiftModifier);
            break;
        case Leave::ClickOtherBox:
            QTest::mouseClick(box(dialog, from->objectName() == u"txtNeed" ? "txtLeave" : "txtNeed"),
                              Qt::LeftButton);
            break;
        case Leave::ClickOk:
            QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
            break;
        case Leave::ClickCancel:
            QTest::mouseClick(button(dialog, "CommandCancel"), Qt::LeftButton);
            break;
    }
}

}  // namespace

Q_DECLARE_METATYPE(Leave)

class TestFrmKagaku : public QObject {
    Q_OBJECT
private slots:
    void showsTheTargetSetBeforeShowing() {
        Fixture f;
        f.file->ScienceWeapon[1][4] = {/*Leave=*/7, /*Need=*/12};
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtNeed"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("科学兵器"));
        QCOMPARE(box(dialog, "txtMeisyou")->text(), QStringLiteral("5式爆雷"));
        QCOMPARE(box(dialog, "txtKouka")->text(), QStringLiteral("爆雷破壊力+6"));
        QVERIFY(!box(dialog, "txtMeisyou")->isEnabled());
        QVERIFY(!box(dialog, "txtKouka")->isEnabled());
        QCOMPARE(box(dialog, "txtNeed")->text(), QStringLiteral("12"));
        QCOMPARE(box(dialog, "txtLeave")->text(), QStringLiteral("7"));
        for (const char* name : {"lblHalf_0", "lblHalf_1"}) {
            QCOMPARE(control<QLabel>(dialog, name)->text(), QStringLiteral(" /2"));
        }
        QPushButton* apply = button(dialog, "CommandApply");
        QCOMPARE(apply->text(), QStringLiteral("更新(&A)-Dummy"));
        QVERIFY(!apply->isVisible() && !apply->isEnabled());
        QVERIFY(findControl<QPushButton>(dialog, "CommandUndo") == nullptr);
        QCOMPARE(f.ui.beeps, 0);
    }

    void refusesTargetsOutsideTheTable() {
        Fixture f;
        frmKagaku dialog(f.session);
        QVERIFY(dialog.setTarget1(2) && dialog.setTarget2(5));
        QVERIFY(!dialog.setTarget1(3));
        QVERIFY(!dialog.setTarget2(-1));
        QVERIFY(!dialog.setTarget2(6));
        QCOMPARE(dialog.Target1(), int16_t(2));
        QCOMPARE(dialog.Target2(), int16_t(5));
    }

    void leaveBoxIsBoundedByTheNeedBox_data() {
        QTest::addColumn<Leave>("how");
        QTest::newRow("tab") << Leave::Tab;
        QTest::newRow("backtab") << Leave::Backtab;
        QTest::newRow("click into the other box") << Leave::ClickOtherBox;
        QTest::newRow("click on OK") << Leave::ClickOk;
        QTest::newRow("click on Cancel") << Leave::ClickCancel;
    }
    void leaveBoxIsBoundedByTheNeedBox() {
        QFETCH(Leave, how);
        Fixture f;
        f.file->ScienceWeapon[1][4] = {3, 20};
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtNeed"));
        // The bound is the need box's text at that moment, not the stored need.
        retype(box(dialog, "txtNeed"), QStringLiteral("10"));
        QTest::keyClick(box(dialog, "txtNeed"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtLeave"));
        retype(box(dialog, "txtLeave"), QStringLiteral("12"));
        leave(dialog, box(dialog, "txtLeave"), how);
        QCOMPARE(box(dialog, "txtLeave")->text(), QStringLiteral("10"));
        QCOMPARE(f.ui.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtLeave"));
        // The click only corrected: the dialog is still open and nothing was stored.
        QVERIFY(dialog.isVisible());
        QCOMPARE(f.changes, 0);
        QCOMPARE(f.file->ScienceWeapon[1][4].Leave, int16_t(3));
        // Leaving again proceeds without another beep.
        leave(dialog, box(dialog, "txtLeave"), how);
        QCOMPARE(f.ui.beeps, 1);
    }

    void needBoxIsBoundedAndFiltered_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("corrected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("in range") << QStringLiteral("32767") << QStringLiteral("32767") << 0;
        QTest::newRow("above the maximum") << QStringLiteral("40000") << QStringLiteral("32767") << 1;
        QTest::newRow("not a number") << QStringLiteral("1x2") << QStringLiteral("12") << 1;
        QTest::newRow("negative") << QStringLiteral("-4") << QStringLiteral("4") << 1;
        QTest::newRow("empty") << QString() << QString() << 0;
    }
    void needBoxIsBoundedAndFiltered() {
        QFETCH(QString, typed);
        QFETCH(QString, corrected);
        QFETCH(int, beeps);
        Fixture f;
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtNeed"));
        // Nothing is filtered while typing.
        retype(box(dialog, "txtNeed"), typed);
        QCOMPARE(box(dialog, "txtNeed")->text(), typed);
        QCOMPARE(f.ui.beeps, 0);
        QTest::keyClick(box(dialog, "txtNeed"), Qt::Key_Tab);
        QCOMPARE(box(dialog, "txtNeed")->text(), corrected);
        QCOMPARE(f.ui.beeps, beeps);
        QCOMPARE(QApplication::focusWidget() == box(dialog, "txtNeed"), beeps > 0);
    }

    void loweringNeedLaterStoresBothAsTheyStand() {
        Fixture f;
        f.file->ScienceWeapon[1][4] = {2, 10};
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtLeave"));
        retype(box(dialog, "txtLeave"), QStringLiteral("9"));
        QTest::mouseClick(box(dialog, "txtNeed"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box(dialog, "txtNeed"));
        retype(box(dialog, "txtNeed"), QStringLiteral("5"));
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.ui.beeps, 0);
        QCOMPARE(f.file->ScienceWeapon[1][4].Need, int16_t(5));
        QCOMPARE(f.file->ScienceWeapon[1][4].Leave, int16_t(9));
        QCOMPARE(f.changes, 1);
    }

    void okStoresOnlyTheTargetEntry() {
        Fixture f;
        for (auto& line : f.file->ScienceWeapon) {
            for (auto& entry : line) {
                entry = {4, 8};
            }
        }
        const auto before = f.file->ScienceWeapon;
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtNeed"));
        retype(box(dialog, "txtNeed"), QStringLiteral("30"));
        QCOMPARE(box(dialog, "txtNeed")->property(kBackColorProperty).toUInt(), colours::kPureGreen);
        QVERIFY(button(dialog, "CommandApply")->isEnabled());
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        auto expected = before;
        expected[1][4].Need = 30;
        QVERIFY(sameWeapons(f.file->ScienceWeapon, expected));
        QCOMPARE(f.changes, 1);
    }

    void okWithoutChangeStoresNothing() {
        Fixture f;
        // A stored value the check would refuse goes back untouched as well.
        f.file->ScienceWeapon[1][4] = {9, 5};
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtNeed"));
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.changes, 0);
        QCOMPARE(f.file->ScienceWeapon[1][4].Leave, int16_t(9));
    }

    void untouchedBoxGoesBackAsLoaded() {
        Fixture f;
        f.file->ScienceWeapon[1][4] = {9, 5};
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtNeed"));
        retype(box(dialog, "txtNeed"), QStringLiteral("6"));
        QTest::mouseClick(button(dialog, "CommandEnter"), Qt::LeftButton);
        QCOMPARE(f.file->ScienceWeapon[1][4].Need, int16_t(6));
        QCOMPARE(f.file->ScienceWeapon[1][4].Leave, int16_t(9));
    }

    void escCancelsWithoutTheCheck() {
        Fixture f;
        f.file->ScienceWeapon[1][4] = {2, 10};
        frmKagaku dialog(f.session);
        QVERIFY(open(dialog, "txtLeave"));
        retype(box(dialog, "txtLeave"), QStringLiteral("99"));
        QTest::keyClick(box(dialog, "txtLeave"), Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(f.ui.beeps, 0);
        QCOMPARE(box(dialog, "txtLeave")->text(), QStringLiteral("99"));
        QCOMPARE(f.file->ScienceWeapon[1][4].Leave, int16_t(2));
        QCOMPARE(f.changes, 0);
    }
};

QTEST_MAIN(TestFrmKagaku)
#include "test_frm_kagaku.moc"
