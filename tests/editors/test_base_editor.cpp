#include "editors/BaseSlots.h"
#include "editors/Colours.h"
#include "editors/EditorDispatch.h"
#include "editors/ModuleMain.h"
#include "editors/frmBase.h"
#include "model/RecordFields.h"
#include "platform/ProgramInfo.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/support/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace korven;
using namespace korven::testing;

namespace {

constexpr int kBase = 2;

// Aircraft: 0 零戦, 1 隼 (Japanese fighters), 2 F4F, 3 ｽﾋﾟｯﾄ (Allied fighters), 4 二式水戦,
// 5 OS2U (seaplanes), 6 B-17 (an Allied heavy bomber), 7 a kind beyond the list, 171 a
// Japanese fighter that is never offered. All other records have no kind.
std::unique_ptr<SaveFile> model() {
    auto file = std::make_unique<SaveFile>();
    clearAircraftKinds(*file);
    defineAircraft(*file, 0, "零戦", 0, 0);
    defineAircraft(*file, 1, "隼", 1, 0);
    defineAircraft(*file, 2, "F4F", 2, 0);
    defineAircraft(*file, 3, "ｽﾋﾟｯﾄ", 3, 0);
    defineAircraft(*file, 4, "二式水戦", 0, 3);
    defineAircraft(*file, 5, "OS2U", 2, 3);
    defineAircraft(*file, 6, "B-17", 2, 5);
    defineAircraft(*file, 7, "謎機", 0, 12);
    defineAircraft(*file, 171, "試作", 0, 0);
    file->LastBaseIndex = 5;

    BaseRecord& b = file->Base[kBase];
    b.Name.setText(QStringLiteral("ラバウル"));
    b.Owner = 0;
    b.Region = 15;
    b.Terrain = 3;
    b.Size = 2;
    b.Resource = {1, 300};
    b.Factory = {255, 0};
    b.Airfield = 120;
    b.Fortification = 40;
    b.PublicOrder = 80;
    b.Task = 2;
    b.Anchorage = 2;
    for (std::size_t i = 0; i < 14; ++i) {
        b.Stockpile[i / 2][i % 2] = static_cast<int32_t>(1000 * (i + 1));
    }
    for (std::size_t i = 0; i < 10; ++i) {
        b.Units[i / 2][i % 2] = static_cast<int16_t>(i + 1);
    }
    b.AirType = {0, 1, 4, 255, 255, 255, 255, 255};
    for (std::size_t k = 0; k < 3; ++k) {
        b.AirCount[0][k] = static_cast<int16_t>(20 + k);
        b.AirCount[1][k] = static_cast<int16_t>(k);
    }
    return file;
}

// The names of the fields in which two base records differ.
QStringList differingFields(const BaseRecord& a, const BaseRecord& b) {
    QStringList names;
    fields::forEach<BaseRecord>(
        [&](const char* name, const auto& x, const auto& y) {
            if constexpr (requires { x == y; }) {
                if (!(x == y)) {
                    names.append(QString::fromLatin1(name));
                }
            } else if (x.text() != y.text() || x.originalBytes() != y.originalBytes()) {
                names.append(QString::fromLatin1(name));
            }
        },
        a, b);
    return names;
}

struct Editor {
    explicit Editor(SaveFile& file, int record = kBase)
        : session{file, [this] { ++stores; }, {}, {}, {}, {}} {
        session.selection.record = static_cast<int16_t>(record);
        dialog = std::make_unique<frmBase>(session);
        dialog->show();
    }
    template <typename T = QWidget>
    T* get(const QString& name) const {
        return control<T>(*dialog, name);
    }
    QComboBox* combo(const QString& name) const { return get<QComboBox>(name); }
    QLineEdit* box(const QString& name) const { return get<QLineEdit>(name); }
    QPushButton* button(const QString& name) const { return get<QPushButton>(name); }
    QList<int> names(int slot) const {
        QList<int> types;
        QComboBox* c = combo(QStringLiteral("cbKoukuki_%1").arg(slot));
        for (int i = 0; i < c->count(); ++i) {
            types.append(c->itemData(i).toInt());
        }
        return types;
    }

    int stores = 0;
    EditSession session;
    std::unique_ptr<frmBase> dialog;
};

}  // namespace

class TestBaseEditor : public QObject {
    Q_OBJECT
private slots:
    void controlsAsDesigned() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QCOMPARE(e.dialog->windowTitle(), QStringLiteral("基地データエディット"));
        QCOMPARE(e.box(QStringLiteral("txtBasename"))->text(), QStringLiteral("ラバウル"));
        for (const char* name :
             {"txtBasename", "cbRyouyu", "cbChiiki", "cbNinmu", "txtShoukai", "cbTenkou"}) {
            QVERIFY2(!e.get(QString::fromLatin1(name))->isEnabled(), name);
        }
        QCOMPARE(e.box(QStringLiteral("txtShoukai"))->text(), QStringLiteral("未サポート"));
        QCOMPARE(e.combo(QStringLiteral("cbTenkou"))->count(), 1);
        QCOMPARE(e.combo(QStringLiteral("cbTenkou"))->currentText(), QStringLiteral("未サポート"));
        QCOMPARE(e.combo(QStringLiteral("cbRyouyu"))->currentText(), QStringLiteral("日本軍"));
        QCOMPARE(e.combo(QStringLiteral("cbChiiki"))->currentText(), QStringLiteral("ニューギニア"));
        QCOMPARE(e.combo(QStringLiteral("cbShigen"))->count(), 4);
        QCOMPARE(e.combo(QStringLiteral("cbShigen"))->itemText(3), QStringLiteral("なし"));
        QCOMPARE(e.combo(QStringLiteral("cbKoujou"))->itemText(7), QStringLiteral("なし"));
        QCOMPARE(e.combo(QStringLiteral("cbKisyu_5"))->count(), 9);
        QCOMPARE(e.combo(QStringLiteral("cbKisyu_5"))->itemText(8), QStringLiteral("なし"));
        QCOMPARE(e.combo(QStringLiteral("cbHakuchi"))->currentText(), QStringLiteral("中泊地"));
        for (const char* name : {"lblBusshi", "lblZaiko", "lblRikujou", "lblButaisu", "lblKisyu",
                                 "lblKoukukiMei", "lblKisu", "lblBusshi_6", "lblButai_4"}) {
            QVERIFY2(!e.get<QLabel>(QString::fromLatin1(name))->text().isEmpty(), name);
        }
        QCOMPARE(e.get<QLabel>(QStringLiteral("lblBusshi_2"))->text(), QStringLiteral("ボーキサイト"));
        QCOMPARE(e.get<QLabel>(QStringLiteral("lblButai_4"))->text(), QStringLiteral("民兵部隊"));
        // Nothing differs from the record, so nothing may be applied yet.
        QVERIFY(!e.button(QStringLiteral("CommandApply"))->isEnabled());
        QCOMPARE(ui.beeps, 0);
        QVERIFY(ui.messages.empty());
    }

    void numberBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("shown");
        QTest::newRow("stock") << "txtBichiku_13" << 8 << "14000";
        QTest::newRow("mine") << "txtShigen" << 8 << "300";
        QTest::newRow("order") << "txtChian" << 3 << "80";
        QTest::newRow("factory") << "txtKoujou" << 4 << "0";
        QTest::newRow("airfield") << "txtHikoujou" << 4 << "120";
        QTest::newRow("fortification") << "txtJinchi" << 4 << "40";
        QTest::newRow("units, right column") << "txtButai_9" << 4 << "10";
        QTest::newRow("second count of slot 2") << "txtKoukuki_5" << 4 << "2";
    }
    void numberBoxes() {
        QFETCH(QString, name);
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QLineEdit* box = e.box(name);
        QTEST(box->maxLength(), "maxLength");
        QTEST(box->text(), "shown");
        QVERIFY(box->alignment() & Qt::AlignRight);
    }

    void typingIsFilteredAndMarked() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QLineEdit* box = e.box(QStringLiteral("txtJinchi"));
        box->clear();
        QTest::keyClicks(box, QStringLiteral("12a3"));
        QCOMPARE(box->text(), QStringLiteral("123"));
        QCOMPARE(ui.beeps, 1);
        QVERIFY(marked(box));
        box->setText(QStringLiteral("5000"));
        QCOMPARE(box->text(), QStringLiteral("999"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(file->Base[kBase].Fortification, 999);
        QCOMPARE(e.stores, 1);
        QVERIFY(!marked(box));
        QVERIFY(!e.button(QStringLiteral("CommandApply"))->isEnabled());
    }

    void sideFilter_data() {
        QTest::addColumn<int>("owner");
        QTest::addColumn<QList<int>>("fighters");
        QTest::addColumn<QList<int>>("seaplanes");
        QTest::newRow("日本軍") << 0 << QList<int>{0, 1} << QList<int>{4};
        QTest::newRow("連合軍") << 1 << QList<int>{2, 3} << QList<int>{5};
        QTest::newRow("中立国") << 2 << QList<int>{2, 3} << QList<int>{5};
    }
    void sideFilter() {
        QFETCH(int, owner);
        fixtures::ScriptedUi ui;
        auto file = model();
        file->Base[kBase].Owner = static_cast<uint8_t>(owner);
        file->Base[kBase].AirType = {255, 255, 255, 255, 255, 255, 255, 255};
        Editor e(*file);
        for (int k = 0; k < base::kSlots; ++k) {
            QComboBox* category = e.combo(QStringLiteral("cbKisyu_%1").arg(k));
            category->setCurrentIndex(0);
            QTEST(e.names(k), "fighters");
            category->setCurrentIndex(base::kSeaplaneCategory);
            QTEST(e.names(k), "seaplanes");
        }
    }

    // A slot holding an aircraft its list does not offer shows it as it is and keeps it until
    // the player picks another.
    void unofferedTypeIsKeptAsItIs_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("foreign type at a Japanese base") << 2 << QStringLiteral("（一覧にない機体）F4F");
        QTest::newRow("type 171") << 171 << QStringLiteral("（一覧にない機体）");
    }
    void unofferedTypeIsKeptAsItIs() {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        fixtures::ScriptedUi ui;
        auto file = model();
        file->Base[kBase].AirType[1] = static_cast<uint8_t>(stored);
        Editor e(*file);
        QComboBox* names = e.combo(QStringLiteral("cbKoukuki_1"));
        QCOMPARE(e.combo(QStringLiteral("cbKisyu_1"))->currentIndex(), 0);
        QCOMPARE(e.names(1), (QList<int>{0, 1, stored}));
        QVERIFY2(names->currentText().startsWith(shown), qPrintable(names->currentText()));
        QCOMPARE(names->currentData().toInt(), stored);
        QVERIFY(!marked(names));
        QVERIFY(!e.button(QStringLiteral("CommandApply"))->isEnabled());
        // Picking an offered aircraft replaces it; the counts go with the slot.
        names->setCurrentIndex(0);
        QVERIFY(marked(names));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[1]), 0);
        QCOMPARE(file->Base[kBase].AirCount[0][1], 21);
    }

    void emptySlotStaysEmptyWithZeroCounts() {
        fixtures::ScriptedUi ui;
        auto file = model();
        file->Base[kBase].AirCount[0][4] = 7;  // left over in an empty slot
        Editor e(*file);
        QCOMPARE(e.combo(QStringLiteral("cbKisyu_4"))->currentText(), QStringLiteral("なし"));
        QCOMPARE(e.combo(QStringLiteral("cbKoukuki_4"))->count(), 0);
        e.box(QStringLiteral("txtKoukuki_9"))->setText(QStringLiteral("55"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[4]), 255);
        QCOMPARE(file->Base[kBase].AirCount[0][4], 0);
        QCOMPARE(file->Base[kBase].AirCount[1][4], 0);
    }

    void noneEmptiesAnOccupiedSlot() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QComboBox* category = e.combo(QStringLiteral("cbKisyu_0"));
        category->setCurrentIndex(base::kNoCategory);
        QVERIFY(marked(category));
        e.button(QStringLiteral("CommandEnter"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[0]), 255);
        QCOMPARE(file->Base[kBase].AirCount[0][0], 0);
        QCOMPARE(file->Base[kBase].AirCount[1][0], 0);
        QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(e.stores, 1);
    }

    void switchingAwayFromTheFirstCategoryRebuilds() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QComboBox* category = e.combo(QStringLiteral("cbKisyu_0"));
        QCOMPARE(category->currentIndex(), 0);
        category->setCurrentIndex(base::kSeaplaneCategory);
        QCOMPARE(e.names(0), QList<int>{4});
        QVERIFY(marked(category));
        QVERIFY(marked(e.combo(QStringLiteral("cbKoukuki_0"))));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[0]), 4);
        // Back to the stored kind: the stored aircraft is found again and nothing is marked.
        category->setCurrentIndex(0);
        category->setCurrentIndex(base::kSeaplaneCategory);
        QCOMPARE(e.combo(QStringLiteral("cbKoukuki_0"))->currentIndex(), 0);
        QVERIFY(!marked(category));
        QVERIFY(!marked(e.combo(QStringLiteral("cbKoukuki_0"))));
    }

    void nameSelectionIsMarkedAgainstTheStoredAircraft() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QComboBox* names = e.combo(QStringLiteral("cbKoukuki_0"));
        names->setCurrentIndex(1);
        QVERIFY(marked(names));
        names->setCurrentIndex(0);
        QVERIFY(!marked(names));
        names->setCurrentIndex(1);
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[0]), 1);
    }

    void seaplaneNeedsTheStoredAnchorage() {
        fixtures::ScriptedUi ui;
        auto file = model();
        file->Base[kBase].AirType[2] = 255;
        file->Base[kBase].Anchorage = 0;
        Editor e(*file);
        // A larger anchorage that has not been applied does not count.
        e.combo(QStringLiteral("cbHakuchi"))->setCurrentIndex(3);
        QComboBox* category = e.combo(QStringLiteral("cbKisyu_3"));
        category->setCurrentIndex(base::kSeaplaneCategory);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].text, QStringLiteral("泊地がないので水上機は選択できません"));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ui.messages[0].buttons, MessageButtons::Ok);
        QCOMPARE(ui.messages[0].title, program::title());
        QCOMPARE(category->currentIndex(), base::kNoCategory);
        QCOMPARE(e.combo(QStringLiteral("cbKoukuki_3"))->count(), 0);
        // Once the anchorage is stored, seaplanes may be chosen.
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(file->Base[kBase].Anchorage, 3);
        category->setCurrentIndex(base::kSeaplaneCategory);
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(e.names(3), QList<int>{4});
    }

    void storedSeaplaneWithoutAnchorageWarnsOverTheShownDialog() {
        fixtures::ScriptedUi ui;
        auto file = model();
        file->Base[kBase].Anchorage = 0;  // slot 2 holds 二式水戦
        EditSession session{*file, [] {}, {}, {}, {}, {}};
        session.selection.record = kBase;
        frmBase dialog(session);
        QVERIFY(ui.messages.empty());
        bool dialogShown = false;
        ui.onMessage = [&](const Message&) { dialogShown = dialog.isVisible(); };
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(ui.messageTexts(), QStringList{QStringLiteral("泊地がないので水上機は選択できません")});
        QVERIFY(dialogShown);
        // The stored seaplane stays, unmarked, until the player picks something else.
        QComboBox* category = control<QComboBox>(dialog, "cbKisyu_2");
        QCOMPARE(category->currentIndex(), base::kSeaplaneCategory);
        QVERIFY(!marked(category));
        QPushButton* apply = button(dialog, "CommandApply");
        QVERIFY(!apply->isEnabled());
        category->setCurrentIndex(base::kNoCategory);
        QVERIFY(apply->isEnabled());
        apply->click();
        QCOMPARE(int(file->Base[kBase].AirType[2]), 255);
        QCOMPARE(file->Base[kBase].AirCount[0][2], 0);
        // Showing the dialog again warns no more.
        dialog.hide();
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(ui.messages.size(), std::size_t(1));
    }

    // Stored values outside a box's range are shown and stored as they are, marked with a
    // tool tip; only typing is clamped.
    void outOfRangeStoredValuesAreShownAsTheyAre_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("clamped");
        QTest::newRow("stock above 9999999") << "txtBichiku_3" << 12345678 << "12345678"
                                             << "9999999";
        QTest::newRow("stock far above, longer than the box") << "txtBichiku_0" << 2147483647 << "99999999"
                                                              << "9999999";
        QTest::newRow("count above 999") << "txtKoukuki_0" << 1000 << "1000"
                                         << "999";
        QTest::newRow("stored -5") << "txtButai_2" << -5 << "-5"
                                   << "5";
        QTest::newRow("stored -32768") << "txtButai_3" << -32768 << "-3276"
                                       << "999";
    }
    void outOfRangeStoredValuesAreShownAsTheyAre() {
        QFETCH(QString, name);
        QFETCH(int, stored);
        QFETCH(QString, typed);
        QFETCH(QString, clamped);
        fixtures::ScriptedUi ui;
        auto file = model();
        BaseRecord& b = file->Base[kBase];
        if (name.startsWith(u"txtBichiku")) {
            const int i = name.mid(11).toInt();
            b.Stockpile[static_cast<std::size_t>(i / 2)][static_cast<std::size_t>(i % 2)] = stored;
        } else if (name.startsWith(u"txtButai")) {
            const int i = name.mid(9).toInt();
            b.Units[static_cast<std::size_t>(i / 2)][static_cast<std::size_t>(i % 2)] =
                static_cast<int16_t>(stored);
        } else {
            b.AirCount[0][0] = static_cast<int16_t>(stored);
        }
        const BaseRecord before = b;
        Editor e(*file);
        QLineEdit* box = e.box(name);
        QCOMPARE(box->text(), QString::number(stored));
        QCOMPARE(ui.beeps, 0);
        QVERIFY(!marked(box));
        QVERIFY(!e.button(QStringLiteral("CommandApply"))->isEnabled());
        QVERIFY2(box->toolTip().contains(u"範囲"), qPrintable(box->toolTip()));
        QCOMPARE(box->palette().color(QPalette::Text), QColor(0xC0, 0, 0));

        e.box(QStringLiteral("txtJinchi"))->setText(QStringLiteral("41"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(differingFields(before, file->Base[kBase]), QStringList{QStringLiteral("Fortification")});
        QCOMPARE(box->text(), QString::number(stored));

        retype(box, typed);
        QCOMPARE(box->text(), clamped);
        QVERIFY(box->toolTip().isEmpty());
        QVERIFY(box->maxLength() <= 8);
    }

    void kindNoneIs255() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QComboBox* resource = e.combo(QStringLiteral("cbShigen"));
        QComboBox* factory = e.combo(QStringLiteral("cbKoujou"));
        QCOMPARE(resource->currentIndex(), 1);
        QCOMPARE(factory->currentText(), QStringLiteral("なし"));
        QVERIFY(!marked(factory));
        resource->setCurrentIndex(3);
        factory->setCurrentIndex(6);
        QVERIFY(marked(resource) && marked(factory));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(file->Base[kBase].Resource[0], 255);
        QCOMPARE(file->Base[kBase].Factory[0], 6);
        QCOMPARE(resource->currentText(), QStringLiteral("なし"));
        QVERIFY(!marked(resource));
    }

    void applyWritesOnlyEditableFields() {
        fixtures::ScriptedUi ui;
        auto file = model();
        const BaseRecord before = file->Base[kBase];
        Editor e(*file);
        e.box(QStringLiteral("txtBichiku_1"))->setText(QStringLiteral("77"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(differingFields(before, file->Base[kBase]), QStringList{QStringLiteral("Stockpile")});
        QCOMPARE(file->Base[kBase].Stockpile[0][1], 77);
        QCOMPARE(file->Base[kBase].Stockpile[0][0], 1000);
    }

    void okWithoutAChangeStoresNothing() {
        fixtures::ScriptedUi ui;
        auto file = model();
        const BaseRecord before = file->Base[kBase];
        Editor e(*file);
        e.button(QStringLiteral("CommandEnter"))->click();
        QCOMPARE(e.dialog->result(), int(QDialog::Accepted));
        QCOMPARE(e.stores, 0);
        QVERIFY(differingFields(before, file->Base[kBase]).isEmpty());
    }

    void undoReloadsAndClearsMarks() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        QComboBox* category = e.combo(QStringLiteral("cbKisyu_1"));
        category->setCurrentIndex(base::kSeaplaneCategory);
        e.box(QStringLiteral("txtChian"))->setText(QStringLiteral("12"));
        e.button(QStringLiteral("CommandUndo"))->click();
        QCOMPARE(category->currentIndex(), 0);
        QCOMPARE(e.names(1), (QList<int>{0, 1}));
        QCOMPARE(e.combo(QStringLiteral("cbKoukuki_1"))->currentIndex(), 1);
        QCOMPARE(e.box(QStringLiteral("txtChian"))->text(), QStringLiteral("80"));
        QVERIFY(!marked(category));
        QVERIFY(!e.button(QStringLiteral("CommandApply"))->isEnabled());
        QVERIFY(!e.button(QStringLiteral("CommandUndo"))->isEnabled());
        QCOMPARE(e.stores, 0);
    }

    // Codes that have no item show none, stay unmarked and go back as they were.
    void codesBeyondTheListsAreKept() {
        fixtures::ScriptedUi ui;
        auto file = model();
        BaseRecord& b = file->Base[kBase];
        b.Terrain = 9;
        b.Size = 200;
        b.Region = 40;
        b.Task = 7;
        b.Anchorage = 12;
        b.Resource[0] = 5;
        b.Factory[0] = -1;
        b.AirType[3] = 7;    // its kind is beyond the list
        b.AirType[4] = 200;  // no such record
        b.AirCount[0][3] = 4;
        const BaseRecord before = b;
        Editor e(*file);
        for (const char* name : {"cbChikei", "cbKibo", "cbChiiki", "cbNinmu", "cbHakuchi", "cbShigen",
                                 "cbKoujou", "cbKisyu_3", "cbKisyu_4"}) {
            QComboBox* combo = e.combo(QString::fromLatin1(name));
            QVERIFY2(combo->currentIndex() == -1, name);
            QVERIFY2(!marked(combo), name);
        }
        // The stored aircraft is the one name shown.
        QCOMPARE(e.names(3), QList<int>{7});
        QCOMPARE(e.names(4), QList<int>{200});
        QCOMPARE(e.combo(QStringLiteral("cbKoukuki_4"))->currentText(),
                 QStringLiteral("（一覧にない機体）200"));
        QVERIFY(!e.button(QStringLiteral("CommandApply"))->isEnabled());
        e.box(QStringLiteral("txtBichiku_0"))->setText(QStringLiteral("1"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(differingFields(before, b), QStringList{QStringLiteral("Stockpile")});
        // Picking an item stores it.
        e.combo(QStringLiteral("cbChikei"))->setCurrentIndex(1);
        e.combo(QStringLiteral("cbKisyu_4"))->setCurrentIndex(0);
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(b.Terrain), 1);
        QCOMPARE(int(b.AirType[4]), 0);
        QCOMPARE(int(b.AirType[3]), 7);
    }

    void categoryWithoutAircraftKeepsTheStoredType() {
        fixtures::ScriptedUi ui;
        auto file = model();
        file->Base[kBase].AirType[3] = 6;  // B-17: no Japanese heavy bomber to offer
        file->Base[kBase].AirCount[0][3] = 9;
        Editor e(*file);
        QCOMPARE(e.combo(QStringLiteral("cbKisyu_3"))->currentIndex(), 5);
        QCOMPARE(e.names(3), QList<int>{6});
        QVERIFY(!marked(e.combo(QStringLiteral("cbKoukuki_3"))));
        e.box(QStringLiteral("txtKoukuki_6"))->setText(QStringLiteral("11"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[3]), 6);
        QCOMPARE(file->Base[kBase].AirCount[0][3], 11);
        // An empty slot switched to that kind has nothing to hold and stays empty.
        e.combo(QStringLiteral("cbKisyu_4"))->setCurrentIndex(5);
        e.box(QStringLiteral("txtKoukuki_8"))->setText(QStringLiteral("3"));
        e.button(QStringLiteral("CommandApply"))->click();
        QCOMPARE(int(file->Base[kBase].AirType[4]), 255);
        QCOMPARE(file->Base[kBase].AirCount[0][4], 0);
    }

    void tablesLineUp() {
        fixtures::ScriptedUi ui;
        auto file = model();
        Editor e(*file);
        e.dialog->layout()->activate();
        auto centre = [&](const QString& name) { return e.get(name)->geometry().center().y(); };
        for (int row = 0; row < 5; ++row) {
            const int y = centre(QStringLiteral("txtBichiku_%1").arg(2 * row));
            QCOMPARE(centre(QStringLiteral("txtBichiku_%1").arg(2 * row + 1)), y);
            QCOMPARE(centre(QStringLiteral("txtButai_%1").arg(2 * row)), y);
            QCOMPARE(centre(QStringLiteral("cbKisyu_%1").arg(row)), y);
            QCOMPARE(centre(QStringLiteral("txtKoukuki_%1").arg(2 * row + 1)), y);
        }
        QCOMPARE(centre(QStringLiteral("lblBusshi")), centre(QStringLiteral("lblKisu")));
    }

    void opensOnlyBasesOfTheFile() {
        fixtures::ScriptedUi ui;
        auto file = model();
        QVERIFY(editorOpeners().base == &ShowBaseEditor);
        EditSession session{*file, [] {}, {}, {}, {}, {}};
        auto opened = [&](int record) {
            session.selection.record = static_cast<int16_t>(record);
            bool shown = false;
            QTimer::singleShot(0, [&shown] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    shown = modal->objectName() == u"frmBase";
                    modal->close();
                }
            });
            ShowBaseEditor(session, nullptr);
            QCoreApplication::processEvents();
            return shown;
        };
        QVERIFY(opened(5));
        QVERIFY(!opened(6));  // LastBaseIndex is 5: not in the file
        QVERIFY(!opened(-1));
    }
};

QTEST_MAIN(TestBaseEditor)
#include "test_base_editor.moc"
