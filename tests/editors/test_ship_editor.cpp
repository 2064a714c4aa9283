#include "catalogue/MaxStepTable.h"
#include "editors/Colours.h"
#include "editors/frmShip.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>

using namespace korven;
using namespace korven::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int kClass = 12;
constexpr int kShip = 20;
constexpr int kStepIndex = 53;  // an entry of the step table the tests set

// Class 12 as a battleship with known values; ship 20 one of its ships.
void prepare(LoadedSession& s, bool individual) {
    ShipClassRecord& c = s.file->ShipClass[kClass];
    c.Kind = {0, 4};
    c.StepIndex = kStepIndex;
    catalogue::MaxStepTable().set(kStepIndex, 8);
    c.Perf = {10, 30, 4000};
    c.Armor = {3, 0, 20, 40};
    c.Weapon = {{{3, 22, 255, 23}, {6, 12, 0, 4}, {9, 5, 0, 2}}};
    c.AircraftCapacity = 3;
    ShipRecord& ship = s.file->Ship[kShip];
    ship.Words = {7, 2, 20, kClass, 6, 10, 2500};
    ship.BusouKai = {8, 4, 0, 1};
    ship.Bytes = {0, 1, 2, 0};
    s.session.selection = {kClass, static_cast<int16_t>(individual ? kShip : -1), 0, 0};
    s.session.selectedItemText = QStringLiteral("扶桑");
}

const QStringList kShipOnly = {
    QStringLiteral("txtSyozoku"),    QStringLiteral("Label3"),         QStringLiteral("txtSongai"),
    QStringLiteral("txtStep_2"),     QStringLiteral("txtStep_3"),      QStringLiteral("SliderStep_0"),
    QStringLiteral("SliderStep_1"),  QStringLiteral("lblStep_0"),      QStringLiteral("lblStep_1"),
    QStringLiteral("txtHattyaku"),   QStringLiteral("txtSokuryoku_1"), QStringLiteral("txtSokuryoku_2"),
    QStringLiteral("txtNenryou_1"),  QStringLiteral("txtZankouzoku"),  QStringLiteral("txtTousai_1"),
    QStringLiteral("txtJoutai"),     QStringLiteral("lblJoutai"),      QStringLiteral("txtBusouMon_4"),
    QStringLiteral("txtBusouMon_7"), QStringLiteral("txtBusouKai_4"),  QStringLiteral("txtBusouKai_7"),
    QStringLiteral("lblSongai"),     QStringLiteral("lblHattyaku"),    QStringLiteral("lblZankouzoku"),
    QStringLiteral("lblKankeiHelp"),
};
const QStringList kClassValues = {
    QStringLiteral("txtKokuseki"),    QStringLiteral("txtKansyu"),     QStringLiteral("txtKankei"),
    QStringLiteral("txtSentai"),      QStringLiteral("txtStep_0"),     QStringLiteral("txtStep_1"),
    QStringLiteral("txtSokuryoku_0"), QStringLiteral("txtNenryou_0"),  QStringLiteral("txtNenpi"),
    QStringLiteral("txtTousaisyu"),   QStringLiteral("txtTousai_0"),   QStringLiteral("txtSoukou_0"),
    QStringLiteral("txtSoukou_1"),    QStringLiteral("txtSenkou"),     QStringLiteral("cbBusouSyu_0"),
    QStringLiteral("txtBusouMon_3"),  QStringLiteral("txtBusouKai_3"), QStringLiteral("lblKankeiHelp"),
};

}  // namespace

class TestShipEditor : public QObject {
    Q_OBJECT
private slots:
    void classModeShowsTheClassOnly() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, false);
        frmShip dialog(s.session);
        dialog.show();
        QVERIFY(!dialog.isIndividual());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("艦型データエディット"));
        QCOMPARE(box(dialog, QStringLiteral("txtKanmei"))->text(), QStringLiteral("---艦型編集---"));
        for (const QString& name : kShipOnly) {
            QVERIFY2(control(dialog, name)->isHidden(), qPrintable(name));
        }
        QVERIFY(box(dialog, QStringLiteral("txtStep_0"))->isVisible());
        QVERIFY(control(dialog, QStringLiteral("cbBusouSyu_0"))->isVisible());
        QCOMPARE(box(dialog, QStringLiteral("txtKansyu"))->text(), QStringLiteral("戦艦"));
        QCOMPARE(box(dialog, QStringLiteral("txtKokuseki"))->text(), QStringLiteral("日本"));
        QCOMPARE(box(dialog, QStringLiteral("txtStep_1"))->text(), QStringLiteral("8"));
        QVERIFY(!box(dialog, QStringLiteral("txtStep_1"))->isEnabled());
        QCOMPARE(box(dialog, QStringLiteral("txtTousaisyu"))->text(), QStringLiteral("水上艦載機"));
        QCOMPARE(box(dialog, QStringLiteral("txtSenkou"))->text(), QStringLiteral("不明"));
        QVERIFY(ui.messages.empty());
    }

    void individualModeShowsTheShipBesideItsClass() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        s.file->ShipClass[kClass].Name.setText(QStringLiteral("扶桑:改"));
        frmShip dialog(s.session);
        dialog.show();
        QVERIFY(dialog.isIndividual());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("個艦データエディット"));
        for (const QString& name : kShipOnly) {
            QVERIFY2(control(dialog, name)->isVisible(), qPrintable(name));
        }
        QCOMPARE(box(dialog, QStringLiteral("txtKanmei"))->text(), QStringLiteral("扶桑"));
        QCOMPARE(box(dialog, QStringLiteral("txtSyozoku"))->text(), QStringLiteral("未サポート-7"));
        QCOMPARE(box(dialog, QStringLiteral("txtSentai"))->text(), QStringLiteral("扶桑"));
        QCOMPARE(control<QLabel>(dialog, QStringLiteral("lblKankeiHelp"))->text(),
                 QStringLiteral(
                     "この表示のデータは艦型データです。変更した場合は同じ艦型の全ての艦船に適用されます。"));
        // Class values are italic, the ship's own are not.
        for (const QString& name : kClassValues) {
            QVERIFY2(control(dialog, name)->font().italic(), qPrintable(name));
        }
        for (const QString& name : {QStringLiteral("txtStep_2"), QStringLiteral("txtNenryou_1"),
                                    QStringLiteral("txtBusouKai_4"), QStringLiteral("txtSongai")}) {
            QVERIFY2(!control(dialog, name)->font().italic(), qPrintable(name));
        }
        // 10 of 10 upper and 6 of 8 lower steps.
        QCOMPARE(box(dialog, QStringLiteral("txtSongai"))->text(), QStringLiteral("通常"));
        QCOMPARE(box(dialog, QStringLiteral("txtSokuryoku_1"))->text(), QStringLiteral("22"));
        QCOMPARE(box(dialog, QStringLiteral("txtHattyaku"))->text(), QStringLiteral("？"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_4"))->text(), QStringLiteral("6"));
        QCOMPARE(box(dialog, QStringLiteral("txtZankouzoku"))->text(), QStringLiteral("333333"));
        QCOMPARE(box(dialog, QStringLiteral("txtTousai_1"))->text(), QStringLiteral("3"));
        QCOMPARE(box(dialog, QStringLiteral("txtSokuryoku_2"))->text(), QStringLiteral("不明"));
        auto* slider = control<QSlider>(dialog, QStringLiteral("SliderStep_1"));
        QCOMPARE(slider->maximum(), 8);
        QCOMPARE(slider->value(), 6);
        QVERIFY(!dialog.applyButton()->isEnabled());
        QVERIFY(ui.beeps == 0);
    }

    void derivedValuesFollowTheStepsAndAreMarked() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        box(dialog, QStringLiteral("txtStep_2"))->setText(QStringLiteral("0"));
        box(dialog, QStringLiteral("txtStep_3"))->setText(QStringLiteral("0"));
        QLineEdit* damage = box(dialog, QStringLiteral("txtSongai"));
        QCOMPARE(damage->text(), QStringLiteral("大破"));
        QCOMPARE(box(dialog, QStringLiteral("txtSokuryoku_1"))->text(), QStringLiteral("5"));
        QCOMPARE(box(dialog, QStringLiteral("txtHattyaku"))->text(), QStringLiteral("×"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_4"))->text(), QStringLiteral("0"));
        // A derived box is disabled, and its mark still shows.
        QCOMPARE(backColor(damage), colours::kPureGreen);
        QCOMPARE(damage->palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 255, 0));
        QVERIFY(backColor(box(dialog, QStringLiteral("txtTousai_1"))) != colours::kPureGreen);

        // The slider types into its step box.
        control<QSlider>(dialog, QStringLiteral("SliderStep_0"))->setValue(10);
        QCOMPARE(box(dialog, QStringLiteral("txtStep_2"))->text(), QStringLiteral("10"));
        QCOMPARE(backColor(box(dialog, QStringLiteral("txtStep_2"))), colours::kWindowBackground);
        box(dialog, QStringLiteral("txtStep_3"))->setText(QStringLiteral("6"));
        QCOMPARE(damage->text(), QStringLiteral("通常"));
        QCOMPARE(backColor(damage), colours::kWindowBackground);
    }

    void zeroDivisorsShowADash() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        ShipClassRecord& c = s.file->ShipClass[kClass];
        c.Perf[0] = 0;
        catalogue::MaxStepTable().set(kStepIndex, 0);
        c.Armor[0] = 0;
        frmShip dialog(s.session);
        dialog.show();
        for (const QString& name :
             {QStringLiteral("txtSongai"), QStringLiteral("txtHattyaku"), QStringLiteral("txtSokuryoku_1"),
              QStringLiteral("txtZankouzoku"), QStringLiteral("txtBusouMon_4")}) {
            QCOMPARE(box(dialog, name)->text(), QStringLiteral("-"));
        }
        // The ship's steps stay as stored, above the class's 0.
        QCOMPARE(box(dialog, QStringLiteral("txtStep_2"))->text(), QStringLiteral("10"));
        QLineEdit* consumption = box(dialog, QStringLiteral("txtNenpi"));
        consumption->setText(QStringLiteral("4"));
        leave(consumption);
        QCOMPARE(box(dialog, QStringLiteral("txtZankouzoku"))->text(), QStringLiteral("250000"));
    }

    // Stored values outside a box's range are shown and stored as they are, marked with a
    // tool tip; only what the player types is clamped.
    void storedValuesOutsideTheRange_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clamped");
        QTest::newRow("class firings above 9") << u"txtBusouKai_0"_s << 12 << u"0～9"_s << u"77"_s << u"9"_s;
        QTest::newRow("ship firings above the class's")
            << u"txtBusouKai_4"_s << 11 << u"0～9"_s << u"5"_s << u"5"_s;
        QTest::newRow("ship upper steps above the class's")
            << u"txtStep_2"_s << 25 << u"0～10"_s << u"123"_s << u"10"_s;
        QTest::newRow("negative lower steps") << u"txtStep_3"_s << -3 << u"0～8"_s << u"-3"_s << u"3"_s;
        QTest::newRow("fuel above the class's")
            << u"txtNenryou_1"_s << 5000 << u"0～4000"_s << u"4001"_s << u"4000"_s;
        QTest::newRow("class fuel 0 below 1")
            << u"txtNenryou_0"_s << 0 << u"1～32767"_s << u"40000"_s << u"32767"_s;
        QTest::newRow("class speed above 99")
            << u"txtSokuryoku_0"_s << 140 << u"0～99"_s << u"140"_s << u"99"_s;
    }
    void storedValuesOutsideTheRange() {
        QFETCH(QString, name);
        QFETCH(int, stored);
        QFETCH(QString, range);
        QFETCH(QString, typed);
        QFETCH(QString, clamped);
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        auto field = [&]() -> std::function<void(int)> {
            ShipClassRecord& c = s.file->ShipClass[kClass];
            ShipRecord& ship = s.file->Ship[kShip];
            const QHash<QString, std::function<void(int)>> fields = {
                {u"txtBusouKai_0"_s, [&c](int v) { c.Weapon[2][0] = uint8_t(v); }},
                {u"txtBusouKai_4"_s, [&ship](int v) { ship.BusouKai[0] = uint8_t(v); }},
                {u"txtStep_2"_s, [&ship](int v) { ship.Words[5] = int16_t(v); }},
                {u"txtStep_3"_s, [&ship](int v) { ship.Words[4] = int16_t(v); }},
                {u"txtNenryou_1"_s, [&ship](int v) { ship.Words[6] = int16_t(v); }},
                {u"txtNenryou_0"_s, [&c](int v) { c.Perf[2] = int16_t(v); }},
                {u"txtSokuryoku_0"_s, [&c](int v) { c.Perf[1] = int16_t(v); }}};
            return fields.value(name);
        }();
        field(stored);
        const SaveFile before = *s.file;
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* target = box(dialog, name);
        QCOMPARE(target->text(), QString::number(stored));
        QCOMPARE(ui.beeps, 0);
        QVERIFY(!marked(target));
        QVERIFY(!button(dialog, "CommandApply")->isEnabled());
        QVERIFY2(target->toolTip().contains(range), qPrintable(target->toolTip()));
        const QColor outOfRange = target->palette().color(QPalette::Text);
        QCOMPARE(outOfRange, QColor(0xC0, 0, 0));

        // Another edit and OK store the untouched box as it was loaded.
        QLineEdit* armour = box(dialog, "txtSoukou_0");
        armour->setText(u"41"_s);
        button(dialog, "CommandApply")->click();
        QCOMPARE(target->text(), QString::number(stored));
        QVERIFY(s.file->ShipClass[kClass].Weapon == before.ShipClass[kClass].Weapon);
        QVERIFY(s.file->ShipClass[kClass].Perf == before.ShipClass[kClass].Perf);
        QVERIFY(s.file->Ship[kShip].Words == before.Ship[kShip].Words);
        QVERIFY(s.file->Ship[kShip].BusouKai == before.Ship[kShip].BusouKai);

        // Typing is clamped, and a value within the range loses the mark.
        retype(target, typed);
        QCOMPARE(target->text(), clamped);
        QVERIFY(target->toolTip().isEmpty());
        QVERIFY(target->palette().color(QPalette::Text) != outOfRange);
    }

    void leavingUntouchedOddMountsChangesNothing() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        // Mount 1 holds a gun with no guns, mount 2 "なし" with guns and firings 0.
        ShipClassRecord& c = s.file->ShipClass[kClass];
        c.Weapon[1][1] = 0;
        c.Weapon[0][2] = 255;
        c.Weapon[1][2] = 3;
        const SaveFile before = *s.file;
        frmShip dialog(s.session);
        dialog.show();
        for (const char* name : {"txtBusouMon_1", "cbBusouSyu_2", "txtBusouKai_2", "txtBusouKai_0"}) {
            leave(control(dialog, name));
        }
        QCOMPARE(box(dialog, "txtBusouMon_2")->text(), u"3"_s);
        QCOMPARE(control<QComboBox>(dialog, "cbBusouSyu_1")->currentIndex(), 22);
        QVERIFY(!button(dialog, "CommandApply")->isEnabled());
        button(dialog, "CommandEnter")->click();
        QCOMPARE(s.fileChanges, 0);
        QVERIFY(s.file->ShipClass[kClass].Weapon == before.ShipClass[kClass].Weapon);
    }

    void numericBoxesKeepTheirBounds() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* capacity = box(dialog, QStringLiteral("txtTousai_0"));
        capacity->clear();
        QTest::keyClicks(capacity, QStringLiteral("300"));
        QCOMPARE(capacity->text(), QStringLiteral("255"));
        QCOMPARE(ui.beeps, 1);
        QCOMPARE(capacity->cursorPosition(), 3);
        // A ship box is bounded by its class box.
        QLineEdit* upper = box(dialog, QStringLiteral("txtStep_2"));
        upper->setText(QStringLiteral("12"));
        QCOMPARE(upper->text(), QStringLiteral("10"));
        QLineEdit* fuel = box(dialog, QStringLiteral("txtNenryou_0"));
        fuel->clear();
        QCOMPARE(fuel->text(), QStringLiteral("1"));
        QLineEdit* speed = box(dialog, QStringLiteral("txtSokuryoku_0"));
        speed->clear();
        QTest::keyClicks(speed, QStringLiteral("2a8"));
        QCOMPARE(speed->text(), QStringLiteral("28"));
        QCOMPARE(backColor(speed), colours::kPureGreen);
    }

    // Derived values follow the class boxes they depend on once those are left.
    void leavingClassBoxesRecomputes() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* speed = box(dialog, QStringLiteral("txtSokuryoku_0"));
        speed->setText(QStringLiteral("20"));
        QCOMPARE(box(dialog, QStringLiteral("txtSokuryoku_1"))->text(), QStringLiteral("22"));
        leave(speed);
        QCOMPARE(box(dialog, QStringLiteral("txtSokuryoku_1"))->text(), QStringLiteral("15"));
        QLineEdit* guns = box(dialog, QStringLiteral("txtBusouMon_0"));
        guns->setText(QStringLiteral("8"));
        leave(guns);
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_4"))->text(), QStringLiteral("8"));
        QLineEdit* fuel = box(dialog, QStringLiteral("txtNenryou_1"));
        fuel->setText(QStringLiteral("300"));
        QCOMPARE(box(dialog, QStringLiteral("txtZankouzoku"))->text(), QStringLiteral("333333"));
        leave(fuel);
        QCOMPARE(box(dialog, QStringLiteral("txtZankouzoku"))->text(), QStringLiteral("40000"));
        QCOMPARE(backColor(box(dialog, QStringLiteral("txtZankouzoku"))), colours::kPureGreen);
    }

    void lowerClassFiringsRefilterTheShip() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* classFirings = box(dialog, QStringLiteral("txtBusouKai_0"));
        QLineEdit* shipFirings = box(dialog, QStringLiteral("txtBusouKai_4"));
        QCOMPARE(shipFirings->text(), QStringLiteral("8"));
        classFirings->setText(QStringLiteral("5"));
        QCOMPARE(shipFirings->text(), QStringLiteral("8"));
        leave(classFirings);
        QCOMPARE(shipFirings->text(), QStringLiteral("5"));
    }

    void mountsClearAndEnable() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        auto* empty = control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_2"));
        QCOMPARE(empty->currentText(), QStringLiteral("なし"));
        QCOMPARE(empty->currentData().toInt(), 255);
        QCOMPARE(empty->count(), 27);
        QCOMPARE(control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_0"))->currentText(),
                 QStringLiteral("38㎝砲"));

        // Zero guns, then leaving the box, clears the mount.
        QLineEdit* guns = box(dialog, QStringLiteral("txtBusouMon_1"));
        guns->setText(QStringLiteral("0"));
        leave(guns);
        auto* combo = control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_1"));
        QCOMPARE(combo->currentText(), QStringLiteral("なし"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouKai_1"))->text(), QStringLiteral("0"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouKai_5"))->text(), QStringLiteral("0"));
        QVERIFY(!guns->isEnabled());
        QVERIFY(!box(dialog, QStringLiteral("txtBusouKai_5"))->isEnabled());
        QCOMPARE(backColor(combo), colours::kPureGreen);

        // Choosing a gun again re-enables it with 10 guns and 9 firings.
        combo->setCurrentIndex(9);
        QVERIFY(guns->isEnabled());
        QCOMPARE(guns->text(), QStringLiteral("10"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouKai_1"))->text(), QStringLiteral("9"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_5"))->text(), QStringLiteral("10"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouKai_5"))->text(), QStringLiteral("9"));
        QVERIFY(box(dialog, QStringLiteral("txtBusouKai_5"))->isEnabled());

        // On an enabled mount a new gun keeps the counts.
        auto* first = control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_0"));
        first->setCurrentIndex(5);
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_0"))->text(), QStringLiteral("6"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouKai_0"))->text(), QStringLiteral("9"));

        // Leaving a combo set to "なし" clears its mount; so do 0 firings.
        first->setCurrentIndex(first->count() - 1);
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_0"))->text(), QStringLiteral("6"));
        leave(first);
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_0"))->text(), QStringLiteral("0"));
        QLineEdit* firings = box(dialog, QStringLiteral("txtBusouKai_3"));
        firings->setText(QStringLiteral("0"));
        leave(firings);
        QCOMPARE(control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_3"))->currentText(),
                 QStringLiteral("なし"));
        QCOMPARE(box(dialog, QStringLiteral("txtBusouMon_3"))->text(), QStringLiteral("0"));

        dialog.enterButton()->click();
        const ShipClassRecord& c = s.file->ShipClass[kClass];
        QCOMPARE(c.Weapon[0][0], uint8_t(255));
        QCOMPARE(c.Weapon[0][1], uint8_t(9));
        QCOMPARE(c.Weapon[1][1], uint8_t(10));
        QCOMPARE(c.Weapon[2][1], uint8_t(9));
        QCOMPARE(c.Weapon[0][3], uint8_t(255));
        QCOMPARE(c.Weapon[1][3], uint8_t(0));
        QCOMPARE(s.file->Ship[kShip].BusouKai[1], uint8_t(9));
    }

    // OK runs the focused box's leave rules first, as a click on it leaves the box.
    void okLeavesTheFocusedBox() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, false);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* guns = box(dialog, QStringLiteral("txtBusouMon_0"));
        guns->setFocus();
        QCOMPARE(dialog.focusWidget(), guns);
        guns->setText(QStringLiteral("0"));
        dialog.enterButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(s.file->ShipClass[kClass].Weapon[0][0], uint8_t(255));
        QCOMPARE(s.file->ShipClass[kClass].Weapon[2][0], uint8_t(0));
    }

    void unlistedGunTypeSurvivesAStore() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, false);
        s.file->ShipClass[kClass].Weapon[0][1] = 200;
        frmShip dialog(s.session);
        dialog.show();
        QCOMPARE(control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_1"))->currentIndex(), -1);
        box(dialog, QStringLiteral("txtSoukou_0"))->setText(QStringLiteral("41"));
        dialog.applyButton()->click();
        QCOMPARE(s.file->ShipClass[kClass].Weapon[0][1], uint8_t(200));
        QCOMPARE(s.file->ShipClass[kClass].Armor[3], uint8_t(41));
    }

    void carriersCountTheirCarrierRecord() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        s.file->ShipClass[kClass].Kind[1] = 1;
        for (CarrierAirRecord& record : s.file->CarrierAir) {
            record.Key = 1199;
        }
        s.file->CarrierAir[5].Key = kShip;
        s.file->CarrierAir[5].Slots = {{{1, 2, 3, 4}, {10, 12, 0, 3}, {1, 0, 2, 0}}};
        {
            frmShip dialog(s.session);
            QCOMPARE(dialog.carrierEntry(), 5);
            QCOMPARE(box(dialog, QStringLiteral("txtTousai_1"))->text(), QStringLiteral("28"));
            QCOMPARE(box(dialog, QStringLiteral("txtTousaisyu"))->text(), QStringLiteral("艦、陸上機"));
        }
        s.file->CarrierAir[5].Key = 1199;
        frmShip dialog(s.session);
        QCOMPARE(dialog.carrierEntry(), -2);
        QCOMPARE(box(dialog, QStringLiteral("txtTousai_1"))->text(), QStringLiteral("0"));
    }

    void loadButtonIsNotBuiltYet() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        control<QPushButton>(dialog, QStringLiteral("CmdTousai"))->click();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].text,
                 QStringLiteral("まだ作っていません。バージョンアップに期待してください。"));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Information);
        QVERIFY(!dialog.applyButton()->isEnabled());
    }

    void classPicture() {
        fixtures::ScriptedUi ui;
        QTemporaryDir folder;
        LoadedSession s;
        prepare(s, false);
        s.session.gamePath = folder.path() + u'/';
        {
            frmShip dialog(s.session);
            QVERIFY(control<QLabel>(dialog, QStringLiteral("ImgShip"))->pixmap().isNull());
        }
        QVERIFY(writeBmp(folder.filePath(QStringLiteral("ship12.bmp")), QSize(64, 32)));
        QVERIFY(writeBmp(folder.filePath(QStringLiteral("ship1.bmp")), QSize(16, 16)));
        frmShip dialog(s.session);
        const QPixmap picture = control<QLabel>(dialog, QStringLiteral("ImgShip"))->pixmap();
        QCOMPARE(picture.size(), QSize(64, 32));
        QVERIFY(ui.messages.empty());
    }

    void okWithoutAChangeStoresNothing() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        // A stored value outside its box's bounds is filtered while loading, but not stored.
        s.file->Ship[kShip].Words[6] = 5000;
        const ShipClassRecord before = s.file->ShipClass[kClass];
        frmShip dialog(s.session);
        dialog.show();
        dialog.enterButton()->click();
        QCOMPARE(s.fileChanges, 0);
        QCOMPARE(s.file->Ship[kShip].Words[6], int16_t(5000));
        QCOMPARE(s.file->ShipClass[kClass].Perf, before.Perf);
        QCOMPARE(s.file->ShipClass[kClass].Weapon, before.Weapon);
    }

    void changeAndChangeBack() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, false);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* speed = box(dialog, QStringLiteral("txtSokuryoku_0"));
        speed->setText(QStringLiteral("31"));
        QCOMPARE(backColor(speed), colours::kPureGreen);
        speed->setText(QStringLiteral("30"));
        QCOMPARE(backColor(speed), colours::kWindowBackground);
        QVERIFY(dialog.applyButton()->isEnabled());
        QVERIFY(dialog.undoButton()->isEnabled());
        dialog.enterButton()->click();
        QCOMPARE(s.fileChanges, 1);
        QCOMPARE(s.file->ShipClass[kClass].Perf[1], int16_t(30));
    }

    void applyThenCancel() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* fuel = box(dialog, QStringLiteral("txtNenryou_1"));
        fuel->setText(QStringLiteral("1200"));
        box(dialog, QStringLiteral("txtStep_3"))->setText(QStringLiteral("4"));
        box(dialog, QStringLiteral("txtBusouKai_4"))->setText(QStringLiteral("2"));
        box(dialog, QStringLiteral("txtNenpi"))->setText(QStringLiteral("6"));
        dialog.applyButton()->click();
        QCOMPARE(s.fileChanges, 1);
        const ShipRecord& ship = s.file->Ship[kShip];
        QCOMPARE(ship.Words[6], int16_t(1200));
        QCOMPARE(ship.Words[4], int16_t(4));
        QCOMPARE(ship.BusouKai[0], uint8_t(2));
        QCOMPARE(s.file->ShipClass[kClass].Armor[0], uint8_t(6));
        QVERIFY(!dialog.applyButton()->isEnabled());
        QVERIFY(!dialog.undoButton()->isEnabled());
        QCOMPARE(backColor(fuel), colours::kWindowBackground);
        // The reload took the stored values as the new base of the derived boxes.
        QCOMPARE(box(dialog, QStringLiteral("txtSokuryoku_1"))->text(), QStringLiteral("15"));
        QCOMPARE(backColor(box(dialog, QStringLiteral("txtSokuryoku_1"))), colours::kWindowBackground);
        box(dialog, QStringLiteral("txtStep_3"))->setText(QStringLiteral("8"));
        QCOMPARE(backColor(box(dialog, QStringLiteral("txtSokuryoku_1"))), colours::kPureGreen);

        fuel->setText(QStringLiteral("100"));
        dialog.cancelButton()->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(ship.Words[6], int16_t(1200));
        QCOMPARE(ship.Words[4], int16_t(4));
        QCOMPARE(s.fileChanges, 1);
    }

    void undoReloadsAndClearsMarks() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        QLineEdit* guns = box(dialog, QStringLiteral("txtBusouMon_1"));
        guns->setText(QStringLiteral("0"));
        leave(guns);
        box(dialog, QStringLiteral("txtStep_2"))->setText(QStringLiteral("3"));
        dialog.undoButton()->click();
        QCOMPARE(guns->text(), QStringLiteral("12"));
        QVERIFY(guns->isEnabled());
        QCOMPARE(control<QComboBox>(dialog, QStringLiteral("cbBusouSyu_1"))->currentText(),
                 QStringLiteral("機銃"));
        QCOMPARE(box(dialog, QStringLiteral("txtSongai"))->text(), QStringLiteral("通常"));
        for (const QString& name : {QStringLiteral("txtBusouMon_1"), QStringLiteral("cbBusouSyu_1"),
                                    QStringLiteral("txtStep_2"), QStringLiteral("txtSongai")}) {
            QCOMPARE(backColor(control(dialog, name)), colours::kWindowBackground);
        }
        QVERIFY(!dialog.applyButton()->isEnabled());
        dialog.enterButton()->click();
        QCOMPARE(s.fileChanges, 0);
    }

    void classEditsFromAShipReachTheClass() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, true);
        frmShip dialog(s.session);
        dialog.show();
        box(dialog, QStringLiteral("txtStep_0"))->setText(QStringLiteral("12"));
        QCOMPARE(control<QSlider>(dialog, QStringLiteral("SliderStep_0"))->maximum(), 12);
        dialog.enterButton()->click();
        QCOMPARE(s.file->ShipClass[kClass].Perf[0], int16_t(12));
        QCOMPARE(catalogue::MaxStepTable().at(kStepIndex), std::optional<int16_t>(8));
        QCOMPARE(s.file->Ship[kShip].Words[5], int16_t(10));
    }

    void closingThroughTheFrameStoresNothing() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, false);
        frmShip dialog(s.session);
        dialog.show();
        box(dialog, QStringLiteral("txtSoukou_1"))->setText(QStringLiteral("7"));
        dialog.close();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(s.file->ShipClass[kClass].Armor[2], uint8_t(20));
        QCOMPARE(s.fileChanges, 0);

        frmShip escaped(s.session);
        escaped.show();
        box(escaped, QStringLiteral("txtSoukou_1"))->setText(QStringLiteral("7"));
        QTest::keyClick(&escaped, Qt::Key_Escape);
        QVERIFY(escaped.isHidden());
        QCOMPARE(escaped.result(), int(QDialog::Rejected));
        QCOMPARE(s.file->ShipClass[kClass].Armor[2], uint8_t(20));
    }

    void standardButtons() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        prepare(s, false);
        frmShip dialog(s.session);
        QCOMPARE(dialog.enterButton()->text(), QStringLiteral("決定(&O)"));
        QCOMPARE(dialog.applyButton()->text(), QStringLiteral("更新(&A)"));
        QCOMPARE(dialog.undoButton()->text(), QStringLiteral("全て元に戻す(&U)"));
        QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("キャンセル(&C)"));
        QVERIFY(dialog.enterButton()->isEnabled() && dialog.cancelButton()->isEnabled());
    }

    // The demo save, a class speed changed in the dialog, saved: exactly that field differs.
    void classSpeedEditReachesTheFile() {
        fixtures::ScriptedUi ui;
        OpenedDemoSave demo(QStringLiteral(KORVEN_DEMO_SAVE));
        QCOMPARE(demo.opened.outcome, OpenOutcome::Opened);
        constexpr int kEdited = 5;
        const int16_t oldSpeed = demo.file->ShipClass[kEdited].Perf[1];
        const int16_t newSpeed = static_cast<int16_t>(oldSpeed == 40 ? 41 : 40);
        demo.session.selection = {kEdited, -1, 0, 0};
        {
            frmShip dialog(demo.session);
            dialog.show();
            box(dialog, QStringLiteral("txtSokuryoku_0"))->setText(QString::number(newSpeed));
            dialog.enterButton()->click();
        }
        QCOMPARE(demo.fileChanges, 1);
        QVERIFY(demo.save());
        QVERIFY(demo.messages.shown.empty());

        const QByteArray a = readAll(demo.original);
        const QByteArray b = readAll(demo.copy);
        QVERIFY(!a.isEmpty() && !b.isEmpty());
        QCOMPARE(b.size(), a.size());
        const qint64 field = fixtures::SaveImageBuilder().shipClassOffset(kEdited) + 18;  // Perf[1]
        QCOMPARE(fixtures::getInt16(b, field), newSpeed);
        QCOMPARE(b.left(field), a.left(field));
        QCOMPARE(b.mid(field + 2), a.mid(field + 2));

        const QString cli = cliTool(QStringLiteral(KORVEN_CLI_CANDIDATE));
        if (cli.isEmpty()) {
            qInfo("korvenedit-cli is not built; compared the images byte for byte only");
            return;
        }
        const std::optional<QStringList> diff = cliDiff(cli, demo.original, demo.copy);
        QVERIFY(diff);
        const QStringList& lines = *diff;
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines[0].startsWith(QStringLiteral("ShipClass[%1].Perf[1]").arg(kEdited)),
                 qPrintable(lines[0]));
        QVERIFY2(lines[0].contains(QString::number(oldSpeed)) && lines[0].contains(QString::number(newSpeed)),
                 qPrintable(lines[0]));
    }

    void selectionOutsideTheFileIsRefused() {
        fixtures::ScriptedUi ui;
        LoadedSession s;
        s.session.selection = {253, 40, 0, 0};
        ShowShipEditor(s.session, nullptr);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(ui.messages[0].text.contains(QStringLiteral("253")));
        s.session.selection = {-1, -1, 0, 0};
        QVERIFY(ShipSelectionProblem(s.session));
        s.session.selection = {252, 1199, 0, 0};
        QVERIFY(!ShipSelectionProblem(s.session));
    }
};

QTEST_MAIN(TestShipEditor)
#include "test_ship_editor.moc"
