#include "model/ChangeSet.h"
#include "model/SaveFileLoader.h"
#include "model/SaveRepair.h"
#include "tests/support/Recorders.h"
#include "tests/support/SaveImageBuilder.h"

#include <QRegularExpression>
#include <QTest>

#include <functional>
#include <memory>

using namespace korven;
using namespace korven::fixtures;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<SaveFile> loaded(const SaveImageOptions& options) {
    auto model = std::make_unique<SaveFile>();
    RecordingStatus status;
    RecordingMessages messages;
    if (!LoadSaveFile(SaveImageBuilder(options).build(), *model, status, messages)) {
        qFatal("the fixture image does not load");
    }
    return model;
}

QStringList changeTexts(const std::vector<FieldChange>& changes) {
    QStringList texts;
    for (const FieldChange& c : changes) {
        texts << c.path + u' ' + c.oldText() + QStringLiteral("->") + c.newText();
    }
    return texts;
}

// A listed ship of the demo and its class: the demo's firings are within the class's.
struct ShipAndClass {
    int ship = -1;
    int shipClass = -1;
};
ShipAndClass firstListedShip(const SaveFile& m) {
    for (int s = 0; s < SaveFile::kShips; ++s) {
        if (m.Ship[static_cast<std::size_t>(s)].Words[2] != -1) {
            return {s, m.Ship[static_cast<std::size_t>(s)].Words[3]};
        }
    }
    qFatal("no listed ship in the fixture");
}

using Edit = std::function<void(SaveFile&)>;

// The ranges a message offers, "(0～99)", "(42～50)": each must hold a value.
bool offersOnlyPossibleRanges(const QString& message) {
    static const QRegularExpression range(u"\\((-?\\d+)～(-?\\d+)\\)"_s);
    for (const QRegularExpressionMatch& m : range.globalMatch(message)) {
        if (m.captured(1).toLongLong() > m.captured(2).toLongLong()) {
            return false;
        }
    }
    return true;
}

// Every fix offered is a value the field stores and the rules accept where it is.
void everyFixIsStoredAndAccepted(SaveFile& model) {
    for (const rules::Finding& f : rules::CheckSave(model)) {
        QVERIFY2(offersOnlyPossibleRanges(f.message), qPrintable(f.path + u": "_s + f.message));
        if (!f.fix) {
            continue;
        }
        const std::optional<FieldChange> change = ChangeTo(model, f.path, QJsonValue(*f.fix));
        QVERIFY2(change, qPrintable(f.path));
        QVERIFY2(!ApplyChanges(model, {*change}, ChangeDirection::Forward),
                 qPrintable(f.path + u" = "_s + QString::number(*f.fix)));
        const std::optional<rules::Finding> still = rules::CheckField(model, f.path, QJsonValue(*f.fix));
        QVERIFY2(!still, qPrintable(f.path + u" = "_s + QString::number(*f.fix)));
        QVERIFY(!ApplyChanges(model, {*change}, ChangeDirection::Backward));
    }
}

}  // namespace

Q_DECLARE_METATYPE(Edit)

class TestSaveRepair : public QObject {
    Q_OBJECT

private slots:
    // The demo runs from 41/12/1 (counter 0) to 45/8/5 (counter 444) and holds current turn 25.
    void aFixMovesOnlyTheFieldItsRuleIsAbout_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("current turn past the end, not the end turn")
            << Edit([](SaveFile& m) { m.TurnInfo[0] = 445; }) << QStringList{u"TurnInfo[0] 445->444"_s}
            << QStringList{};
        QTest::newRow("turns needed below 0 keep the turns left") << Edit([](SaveFile& m) {
            m.ScienceWeapon[2][3].Need = -1;
            m.ScienceWeapon[2][3].Leave = 5;
        }) << QStringList{u"ScienceWeapon[2][3].Need -1->5"_s} << QStringList{};
        // No counter of 16 bits lies between 3000/12/1 and 3001/8/5; the end year has its own fix.
        QTest::newRow("start and end out of every counter's reach") << Edit([](SaveFile& m) {
            m.TurnInfo[3] = 3000;
            m.TurnInfo[6] = 3001;
        }) << QStringList{u"TurnInfo[6] 3001->50"_s} << QStringList{u"TurnInfo[0]"_s};
        // A counter between start and end that the turn boxes still refuse: no end month 13.
        QTest::newRow("end month 13 and current turn far past it") << Edit([](SaveFile& m) {
            m.TurnInfo[7] = 13;
            m.TurnInfo[0] = 32000;
        }) << QStringList{u"TurnInfo[7] 13->12"_s, u"TurnInfo[0] 32000->484"_s}
                                                                   << QStringList{};
        QTest::newRow("current year past the last end year")
            << Edit([](SaveFile& m) { m.TurnInfo[0] = 32767; }) << QStringList{u"TurnInfo[0] 32767->444"_s}
            << QStringList{};
    }
    void aFixMovesOnlyTheFieldItsRuleIsAbout() {
        QFETCH(Edit, edit);
        QFETCH(QStringList, changes);
        QFETCH(QStringList, left);
        auto model = loaded(DemoSaveOptions());
        edit(*model);
        everyFixIsStoredAndAccepted(*model);
        const rules::Repair repair = rules::RepairSave(*model);
        QCOMPARE(changeTexts(repair.changes), changes);
        QStringList leftPaths;
        for (const rules::Finding& f : repair.left) {
            leftPaths << f.path;
            QVERIFY(!f.fix);
        }
        QCOMPARE(leftPaths, left);
    }

    // Lowering a class's firings to what the dialog accepts puts a ship's above them: the
    // ship is repaired in the next round, also when only the class was chosen.
    void aFixThatBreaksAnotherRuleIsRepairedInTheNextRound() {
        auto model = loaded(DemoSaveOptions());
        const auto [ship, shipClass] = firstListedShip(*model);
        model->ShipClass[static_cast<std::size_t>(shipClass)].Weapon[2][0] = 20;
        model->Ship[static_cast<std::size_t>(ship)].BusouKai[0] = 15;
        model->AircrewSkill[0][0] = 150;  // not chosen below
        const QString classPath = u"ShipClass[%1].Weapon[2][0]"_s.arg(shipClass);
        const QString shipPath = u"Ship[%1].BusouKai[0]"_s.arg(ship);

        const rules::Repair all = rules::RepairSave(*model);
        QCOMPARE(changeTexts(all.changes), (QStringList{u"AircrewSkill[0][0] 150->99"_s,
                                                        classPath + u" 20->9"_s, shipPath + u" 15->9"_s}));
        QCOMPARE(all.left.size(), std::size_t(0));

        const rules::Repair chosen =
            rules::RepairSave(*model, [&](const rules::Finding& f) { return f.path == classPath; });
        QCOMPARE(changeTexts(chosen.changes), (QStringList{classPath + u" 20->9"_s, shipPath + u" 15->9"_s}));
        QCOMPARE(chosen.left.size(), std::size_t(0));
    }

    // On a save broken nearly everywhere: every fix offered is stored and accepted where it
    // is, and after the repair exactly the findings without a fix are left, the ones listed.
    void aBrokenSaveIsRepairedToWhatHasNoFix() {
        auto model = loaded(SaveImageOptions{});
        QVERIFY(rules::CheckSave(*model).size() > 1000);
        everyFixIsStoredAndAccepted(*model);
        const rules::Repair repair = rules::RepairSave(*model);
        QVERIFY(!repair.changes.empty());
        QVERIFY(!ApplyChanges(*model, repair.changes, ChangeDirection::Forward));
        const std::vector<rules::Finding> after = rules::CheckSave(*model);
        QCOMPARE(after.size(), repair.left.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            QCOMPARE(after[i].path, repair.left[i].path);
            QVERIFY2(!after[i].fix, qPrintable(after[i].path));
        }
    }
};

QTEST_GUILESS_MAIN(TestSaveRepair)
#include "test_save_repair.moc"
