#include "editors/Colours.h"
#include "editors/EditorDispatch.h"
#include "editors/FileProperties.h"
#include "editors/ModuleMain.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace korven;
using namespace korven::testing;

namespace {

using Words = std::array<int16_t, 11>;

// Current 42/2/6 (counter 25), phase "作戦" with number 12, scenario 3, start 41/12/1, end 45/8/5.
std::unique_ptr<SaveFile> model(Words info = {25, 4, 3, 41, 12, 1, 45, 8, 5, 12, 7}) {
    auto file = std::make_unique<SaveFile>();
    file->TurnInfo = info;
    file->SaveName = QByteArray("\x82\x72\x82\x60\x82\x75\x82\x64\x82\x50", 10);  // ＳＡＶＥ１
    file->ScenarioTitle.setText(QStringLiteral("南方資源地帯攻略"));
    return file;
}

struct Properties {
    explicit Properties(SaveFile& file) : session{file, [this] { ++stores; }, {}, {}, {}, {}} {
        session.openFilePath = QStringLiteral("/saves/SaveFile1.SAVE");
        dialog = std::make_unique<FileProperties>(session);
        dialog->show();
        // Focus events need an active window, also on the offscreen platform.
        dialog->activateWindow();
        QApplication::setActiveWindow(dialog.get());
    }
    QLineEdit* turn(int i) const { return box(QStringLiteral("txtTurn_%1").arg(i)); }
    QLineEdit* box(const QString& name) const { return testing::box(*dialog, name); }
    QComboBox* phase() const { return control<QComboBox>(*dialog, "cbFeise"); }
    QPushButton* button(const char* name) const { return testing::button(*dialog, name); }
    // Puts the focus into `target` and types `text` over its contents.
    void type(QLineEdit* target, const QString& text) const {
        target->setFocus(Qt::MouseFocusReason);
        target->selectAll();
        QTest::keyClicks(target, text);
    }

    int stores = 0;
    EditSession session;
    std::unique_ptr<FileProperties> dialog;
};

}  // namespace

class TestFileProperties : public QObject {
    Q_OBJECT
private slots:
    void showsTheFile() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        QCOMPARE(p.dialog->windowTitle(), QStringLiteral("編集中ファイルのプロパティ"));
        QCOMPARE(p.box(QStringLiteral("txtFileName"))->text(),
                 QDir::toNativeSeparators(QStringLiteral("/saves/SaveFile1.SAVE")));
        QCOMPARE(p.box(QStringLiteral("txtSaveName"))->text(), QStringLiteral("ＳＡＶＥ１"));
        QCOMPARE(p.box(QStringLiteral("txtShinario"))->text(),
                 QStringLiteral("シナリオ３ ： 南方資源地帯攻略"));
        for (const char* name :
             {"txtFileName", "txtSaveName", "txtShinario", "txtTurn_3", "txtTurn_4", "txtTurn_5"}) {
            QVERIFY2(!p.box(QString::fromLatin1(name))->isEnabled(), name);
        }
        QCOMPARE(p.turn(3)->text(), QStringLiteral("41"));
        QCOMPARE(p.turn(8)->text(), QStringLiteral("5"));
        QCOMPARE(p.box(QStringLiteral("txtFeise"))->text(), QStringLiteral("12"));
        QVERIFY(p.box(QStringLiteral("txtFeise"))->isEnabled());
        QCOMPARE(p.phase()->count(), 10);
        QCOMPARE(p.phase()->currentText(), QStringLiteral("作戦"));
        QCOMPARE(p.phase()->itemText(8), QStringLiteral("治安度変化"));
    }

    void scenarioLine_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("line");
        QTest::newRow("one digit") << 3 << QStringLiteral("シナリオ３ ： X");
        QTest::newRow("two digits") << 12 << QStringLiteral("シナリオ１２ ： X");
        QTest::newRow("zero") << 0 << QStringLiteral("シナリオ０ ： X");
    }
    void scenarioLine() {
        QFETCH(int, number);
        QTEST(korven::scenarioLine(number, QStringLiteral("X")), "line");
    }

    void buttonsInOrderWithTheirOwnCaptions() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        const QStringList captions = {QStringLiteral("元に戻す(&U)"), QStringLiteral("OK(&O)"),
                                      QStringLiteral("ｷｬﾝｾﾙ(&C)"), QStringLiteral("更新(&A)")};
        int x = -1;
        int i = 0;
        for (const char* name : {"CommandUndo", "CommandEnter", "CommandCancel", "CommandApply"}) {
            QPushButton* b = p.button(name);
            QCOMPARE(b->text(), captions[i++]);
            QVERIFY2(b->x() > x, name);
            x = b->x();
            QCOMPARE(b->focusPolicy(), Qt::TabFocus);  // a click leaves the focus in the box
        }
    }

    void calendar_data() {
        QTest::addColumn<int>("counter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("0") << 0
                           << QStringList{QStringLiteral("41"), QStringLiteral("12"), QStringLiteral("1")};
        QTest::newRow("9") << 9
                           << QStringList{QStringLiteral("41"), QStringLiteral("12"), QStringLiteral("10")};
        QTest::newRow("10") << 10
                            << QStringList{QStringLiteral("42"), QStringLiteral("1"), QStringLiteral("1")};
        QTest::newRow("25") << 25
                            << QStringList{QStringLiteral("42"), QStringLiteral("2"), QStringLiteral("6")};
    }
    void calendar() {
        QFETCH(int, counter);
        QFETCH(QStringList, shown);
        fixtures::ScriptedUi ui;
        auto file = model();
        file->TurnInfo[0] = static_cast<int16_t>(counter);
        Properties p(*file);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(p.turn(i)->text(), shown[i]);
            QVERIFY(!marked(p.turn(i)));
        }
        // And back: the shown turn stores the same counter.
        p.turn(8)->setText(QStringLiteral("6"));
        p.button("CommandApply")->click();
        QCOMPARE(int(file->TurnInfo[0]), counter);
    }

    void storesTheCurrentTurnAsACounter() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        p.turn(0)->setText(QStringLiteral("42"));
        p.turn(1)->setText(QStringLiteral("1"));
        p.turn(2)->setText(QStringLiteral("1"));
        QVERIFY(marked(p.turn(1)) && marked(p.turn(2)));
        QVERIFY(!marked(p.turn(0)));
        p.button("CommandEnter")->click();
        QCOMPARE(int(file->TurnInfo[0]), 10);
        QCOMPARE(p.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(p.stores, 1);
        const Words unchanged = {10, 4, 3, 41, 12, 1, 45, 8, 5, 12, 7};
        QCOMPARE(file->TurnInfo, unchanged);
    }

    void okWithoutAChangeStoresNothing() {
        fixtures::ScriptedUi ui;
        auto file = model();
        const Words before = file->TurnInfo;
        Properties p(*file);
        p.button("CommandEnter")->click();
        QCOMPARE(p.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(p.stores, 0);
        QCOMPARE(file->TurnInfo, before);
        QCOMPARE(ui.beeps, 0);
    }

    void otherPhasesKeepTheOperationNumber() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        QLineEdit* number = p.box(QStringLiteral("txtFeise"));
        p.phase()->setCurrentIndex(1);
        QVERIFY(!number->isEnabled());
        QCOMPARE(number->text(), QStringLiteral("12"));
        QVERIFY(marked(p.phase()));
        p.button("CommandApply")->click();
        QCOMPARE(int(file->TurnInfo[1]), 1);
        QCOMPARE(int(file->TurnInfo[9]), 12);
        p.phase()->setCurrentIndex(4);
        QVERIFY(number->isEnabled());
    }

    void thePhaseIsAListOnly() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        QComboBox* phase = p.phase();
        QVERIFY(!phase->isEditable());
        QVERIFY(phase->lineEdit() == nullptr);
        phase->setFocus();
        QTest::keyClicks(phase, QStringLiteral("xyz99"));
        QCOMPARE(phase->currentIndex(), 4);
        p.button("CommandEnter")->click();
        QCOMPARE(int(file->TurnInfo[1]), 4);
    }

    void aPhaseBeyondTheListIsKept() {
        fixtures::ScriptedUi ui;
        auto file = model();
        file->TurnInfo[1] = 12;
        Properties p(*file);
        QCOMPARE(p.phase()->currentIndex(), -1);
        QVERIFY(!marked(p.phase()));
        QVERIFY(!p.box(QStringLiteral("txtFeise"))->isEnabled());
        QVERIFY(!p.button("CommandApply")->isEnabled());
        p.turn(8)->setText(QStringLiteral("6"));
        p.button("CommandApply")->click();
        QCOMPARE(int(file->TurnInfo[1]), 12);
        QCOMPARE(int(file->TurnInfo[8]), 6);
        p.phase()->setCurrentIndex(2);
        p.button("CommandApply")->click();
        QCOMPARE(int(file->TurnInfo[1]), 2);
    }

    void leavingABoxCorrectsIt_data() {
        QTest::addColumn<Words>("info");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("corrected");
        // Counter 484 is 45/12/5; 454 is 45/9/5... set through the typed boxes instead.
        const Words end4585 = {25, 4, 3, 41, 12, 1, 45, 8, 5, 12, 7};
        QTest::newRow("end year below the current year") << end4585 << 6 << "40"
                                                         << "42";
        QTest::newRow("end year above 50") << end4585 << 6 << "51"
                                           << "50";
        QTest::newRow("month past the end, turn 3")
            << Words{434, 4, 3, 41, 12, 1, 45, 8, 5, 12, 7} << 1 << "9"
            << "8";
        QTest::newRow("month past the end, turn 6")
            << Words{437, 4, 3, 41, 12, 1, 45, 8, 5, 12, 7} << 1 << "9"
            << "7";
        QTest::newRow("operation number above 50") << end4585 << 9 << "77"
                                                   << "50";
        QTest::newRow("letters in a turn") << end4585 << 2 << "4x"
                                           << "4";
    }
    void leavingABoxCorrectsIt() {
        QFETCH(Words, info);
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, corrected);
        fixtures::ScriptedUi ui;
        auto file = model(info);
        Properties p(*file);
        QLineEdit* target = box == 9 ? p.box(QStringLiteral("txtFeise")) : p.turn(box);
        p.type(target, typed);
        QCOMPARE(target->text(), typed);  // nothing is filtered while typing
        QCOMPARE(ui.beeps, 0);
        QTest::keyClick(target, Qt::Key_Tab);
        QCOMPARE(target->text(), corrected);
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), target);
        // Corrected, it may be left.
        QTest::keyClick(target, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != target);
        QCOMPARE(ui.beeps, 1);
    }

    void clickingAnotherBoxAlsoChecks() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        p.type(p.turn(7), QStringLiteral("13"));
        QTest::mouseClick(p.turn(8), Qt::LeftButton);
        QCOMPARE(p.turn(7)->text(), QStringLiteral("12"));
        QCOMPARE(QApplication::focusWidget(), p.turn(7));
        QCOMPARE(ui.beeps, 1);
        QTest::mouseClick(p.turn(8), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), p.turn(8));
    }

    void aClickOnOkOrApplyOnlyCorrects_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("OK") << "CommandEnter";
        QTest::newRow("Apply") << "CommandApply";
    }
    void aClickOnOkOrApplyOnlyCorrects() {
        QFETCH(QString, button);
        fixtures::ScriptedUi ui;
        auto file = model();
        Properties p(*file);
        QLineEdit* endYear = p.turn(6);
        p.type(endYear, QStringLiteral("60"));
        QPushButton* clicked = p.button(qPrintable(button));
        QTest::mouseClick(clicked, Qt::LeftButton);
        QCOMPARE(endYear->text(), QStringLiteral("50"));
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(QApplication::focusWidget(), endYear);
        QVERIFY(p.dialog->isVisible());
        QCOMPARE(p.stores, 0);
        QCOMPARE(int(file->TurnInfo[6]), 45);
        // The next click proceeds.
        QTest::mouseClick(clicked, Qt::LeftButton);
        QCOMPARE(int(file->TurnInfo[6]), 50);
        QCOMPARE(p.stores, 1);
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(p.dialog->isVisible(), button == u"CommandApply");
    }

    void undoAndCancelDoNotCheck() {
        fixtures::ScriptedUi ui;
        auto file = model();
        const Words before = file->TurnInfo;
        Properties p(*file);
        p.type(p.turn(6), QStringLiteral("60"));
        QTest::mouseClick(p.button("CommandUndo"), Qt::LeftButton);
        QCOMPARE(p.turn(6)->text(), QStringLiteral("45"));
        QVERIFY(!marked(p.turn(6)));
        QVERIFY(!p.button("CommandApply")->isEnabled());
        p.type(p.turn(6), QStringLiteral("60"));
        QTest::mouseClick(p.button("CommandCancel"), Qt::LeftButton);
        QCOMPARE(p.dialog->result(), int(QDialog::Rejected));
        QVERIFY(!p.dialog->isVisible());
        QCOMPARE(ui.beeps, 0);
        QCOMPARE(file->TurnInfo, before);
    }

    // A save whose start turn lies after its end turn gives bounds that contradict each other;
    // the box is corrected once and may then be left.
    void contradictingBoundsDoNotTrapTheFocus() {
        fixtures::ScriptedUi ui;
        // Current 45/8/5 (counter 444), start 45/8/9, end 45/8/2.
        auto file = model({444, 4, 3, 45, 8, 9, 45, 8, 2, 12, 7});
        Properties p(*file);
        QLineEdit* month = p.turn(1);
        // The dialog opens in the year box, whose bounds contradict as well; the focus comes to
        // the month box as on returning to the window, which leaves no box.
        QCOMPARE(QApplication::focusWidget(), p.turn(0));
        month->setFocus(Qt::ActiveWindowFocusReason);
        month->selectAll();
        QTest::keyClicks(month, QStringLiteral("8"));
        QTest::keyClick(month, Qt::Key_Tab);
        QCOMPARE(month->text(), QStringLiteral("9"));
        QCOMPARE(QApplication::focusWidget(), month);
        QTest::keyClick(month, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != month);
        QCOMPARE(ui.beeps, 1);
    }

    void opensFromTheRegistry() { QVERIFY(editorOpeners().fileProperties == &ShowFileProperties); }
};

QTEST_MAIN(TestFileProperties)
#include "test_file_properties.moc"
