// Keyboard and screen-reader access to the edit dialogs: Tab follows the screen, every control
// has the name a screen reader should say, display boxes stay legible and show long texts whole.
#include "EditorTestSupport.h"
#include "editors/FileProperties.h"
#include "editors/frmAir.h"
#include "editors/frmBase.h"
#include "editors/frmKagaku.h"
#include "editors/frmShip.h"
#include "editors/frmToujouRen.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSlider>

#include <map>

using namespace korven;
using namespace korven::testing;
using namespace Qt::StringLiterals;

namespace {

using Names = std::map<QString, QString>;  // object name -> the name a screen reader says

// The names of the controls that Tab visits, starting from the focus the dialog opens with,
// until the focus comes back to where it started (at most 100 steps).
QStringList tabWalk(QDialog& dialog) {
    dialog.show();
    if (!QTest::qWaitForWindowActive(&dialog)) {
        return {QStringLiteral("(not active)")};
    }
    QStringList visited;
    QWidget* start = QApplication::focusWidget();
    for (QWidget* w = start; w != nullptr && visited.size() < 100;) {
        visited << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
        if (w == start) {
            break;
        }
    }
    return visited;
}

// Qt on Linux names a combo box by its current item: its own name comes through the label
// beside it, or else its description.
QString spokenName(QWidget* w) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    if (a == nullptr) {
        return {};
    }
    if (qobject_cast<QComboBox*>(w) != nullptr) {
        // The group box around a control counts as a label too; a label is the one beside it.
        for (const auto& [label, relation] : a->relations(QAccessible::Label)) {
            if (qobject_cast<QLabel*>(label->object()) != nullptr) {
                return label->text(QAccessible::Name);
            }
        }
        return a->text(QAccessible::Description);
    }
    return a->text(QAccessible::Name);
}

// Every name of the table is what the accessibility interface says; every control that takes
// input or shows a value says something.
void checkNames(QWidget& dialog, const Names& expected) {
    for (const auto& [object, name] : expected) {
        auto* w = dialog.findChild<QWidget*>(object);
        QVERIFY2(w != nullptr, qPrintable(object));
        QCOMPARE(spokenName(w), name);
    }
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) || qobject_cast<QSlider*>(w);
        if (control && !w->objectName().isEmpty() && w->parentWidget() != nullptr &&
            !qobject_cast<QComboBox*>(w->parentWidget())) {
            QVERIFY2(!spokenName(w).isEmpty(), qPrintable(w->objectName()));
        }
    }
}

// A battleship class whose four mounts are armed but the third, and one of its ships.
void prepareShip(LoadedSession& s, bool individual) {
    ShipClassRecord& c = s.file->ShipClass[12];
    c.Kind = {0, 4};
    c.Perf = {10, 30, 4000};
    c.Armor = {3, 0, 20, 40};
    c.Weapon = {{{3, 22, 255, 23}, {6, 12, 0, 4}, {9, 5, 0, 2}}};
    ShipRecord& ship = s.file->Ship[20];
    ship.Words = {7, 2, 20, 12, 6, 10, 2500};
    ship.BusouKai = {8, 4, 0, 1};
    s.session.selection = {12, static_cast<int16_t>(individual ? 20 : -1), 0, 0};
}

// A Japanese navy bomber: its interception range and development turns are editable.
void prepareAircraft(LoadedSession& s) {
    AircraftTypeRecord& a = s.file->AircraftType[3];
    a.Kind = {0, 6, 0, 1};
    a.Bomb = {{{255, 0}, {255, 0}, {1, 2}, {255, 0}}};
    s.session.selection = {3, -1, 0, 0};
}

// A base with an anchorage and empty aircraft slots, so that loading marks nothing.
void prepareBase(LoadedSession& s) {
    BaseRecord& b = s.file->Base[0];
    b.Owner = 0;
    b.Anchorage = 2;
    b.AirType.fill(255);
    b.AirCount = {};
    s.session.selection = {0, -1, 0, 0};
}

// 42/1/1 between 41/12/1 and 45/8/5, in the phase "作戦".
void prepareProperties(LoadedSession& s) {
    s.file->TurnInfo = {10, 4, 3, 41, 12, 1, 45, 8, 5, 7, 0};
    s.session.openFilePath = QStringLiteral("/home/player/valzon/SaveFile1.SAVE");
}

const QStringList kButtons = {QStringLiteral("CommandEnter"), QStringLiteral("CommandCancel")};

QStringList mountOrder(bool individual) {
    QStringList order;
    for (int m = 0; m < 4; ++m) {
        order << QStringLiteral("cbBusouSyu_%1").arg(m);
        if (m == 2) {
            continue;  // no gun: its boxes are disabled
        }
        order << QStringLiteral("txtBusouMon_%1").arg(m) << QStringLiteral("txtBusouKai_%1").arg(m);
        if (individual) {
            order << QStringLiteral("txtBusouKai_%1").arg(m + 4);
        }
    }
    return order;
}

}  // namespace

class TestKeyboardAccess : public QObject {
    Q_OBJECT
private slots:
    void shipTabOrder_data() {
        QTest::addColumn<bool>("individual");
        QTest::newRow("class") << false;
        QTest::newRow("individual ship") << true;
    }

    void shipTabOrder() {
        QFETCH(bool, individual);
        LoadedSession s;
        prepareShip(s, individual);
        frmShip dialog(s.session);
        // The performance group row by row, the damage group, the weapons mount by mount.
        QStringList expected = {u"txtStep_0"_s, u"txtSokuryoku_0"_s, u"txtNenryou_0"_s};
        if (individual) {
            expected << u"txtNenryou_1"_s;
        }
        expected << u"txtNenpi"_s << u"txtTousai_0"_s << u"CmdTousai"_s << u"txtSoukou_0"_s
                 << u"txtSoukou_1"_s;
        if (individual) {
            expected << u"txtStep_2"_s << u"SliderStep_0"_s << u"txtStep_3"_s << u"SliderStep_1"_s;
        }
        expected << mountOrder(individual) << kButtons;
        QCOMPARE(tabWalk(dialog), expected);
    }

    void aircraftTabOrder() {
        LoadedSession s;
        prepareAircraft(s);
        frmAir dialog(s.session);
        const QStringList expected = {
            u"txtAirName"_s,   u"txtAirSName"_s,  u"txtNumData_5"_s, u"txtNumData_0"_s, u"txtNumData_1"_s,
            u"txtNumData_2"_s, u"txtNumData_3"_s, u"txtNumData_4"_s, u"txtNumData_9"_s, u"txtNumData_6"_s,
            u"txtNumData_7"_s, u"txtNumData_8"_s, u"chkData_0"_s,    u"chkData_1"_s,    u"chkData_2"_s,
            u"txtKidou_0"_s,   u"txtKidou_1"_s,   u"txtKidou_2"_s,   u"txtKidou_3"_s,   u"cbBom_2"_s,
            u"txtBom_2"_s,     u"cbBom_3"_s,      u"txtBom_3"_s,     u"txtKouzoku_0"_s, u"txtKouzoku_1"_s,
            u"txtKouzoku_2"_s, u"txtKouzoku_3"_s, u"txtKikan_1"_s,   u"CommandEnter"_s, u"CommandCancel"_s};
        QCOMPARE(tabWalk(dialog), expected);
    }

    void baseTabOrder() {
        LoadedSession s;
        prepareBase(s);
        frmBase dialog(s.session);
        // Down each column of fields, the stocks and units row by row, the slots row by row,
        // then the buttons of the top row.
        QStringList expected = {u"cbChikei"_s, u"cbKibo"_s,    u"cbShigen"_s,    u"txtShigen"_s,
                                u"cbKoujou"_s, u"txtKoujou"_s, u"txtHikoujou"_s, u"txtJinchi"_s,
                                u"txtChian"_s, u"cbHakuchi"_s};
        for (int i = 0; i < 14; ++i) {
            expected << QStringLiteral("txtBichiku_%1").arg(i);
        }
        for (int i = 0; i < 10; ++i) {
            expected << QStringLiteral("txtButai_%1").arg(i);
        }
        for (int k = 0; k < 8; ++k) {
            expected << QStringLiteral("cbKisyu_%1").arg(k) << QStringLiteral("cbKoukuki_%1").arg(k)
                     << QStringLiteral("txtKoukuki_%1").arg(2 * k)
                     << QStringLiteral("txtKoukuki_%1").arg(2 * k + 1);
        }
        expected << kButtons;
        QCOMPARE(tabWalk(dialog), expected);
    }

    void smallDialogsTabOrder() {
        LoadedSession s;
        prepareProperties(s);
        {
            FileProperties dialog(s.session);
            QCOMPARE(tabWalk(dialog),
                     QStringList({u"txtTurn_0"_s, u"txtTurn_1"_s, u"txtTurn_2"_s, u"cbFeise"_s, u"txtFeise"_s,
                                  u"txtTurn_6"_s, u"txtTurn_7"_s, u"txtTurn_8"_s, u"CommandEnter"_s,
                                  u"CommandCancel"_s}));
        }
        {
            frmKagaku dialog(s.session);
            QVERIFY(dialog.setTarget1(1) && dialog.setTarget2(2));
            QCOMPARE(tabWalk(dialog),
                     QStringList({u"txtNeed"_s, u"txtLeave"_s, u"CommandEnter"_s, u"CommandCancel"_s}));
        }
        {
            s.session.selection = {2, -1, 0, 0};
            frmToujouRen dialog(s.session);
            QCOMPARE(tabWalk(dialog),
                     QStringList({u"txtRendo_0"_s, u"txtRendo_1"_s, u"CommandEnter"_s, u"CommandCancel"_s}));
        }
    }

    void shipNames() {
        LoadedSession s;
        prepareShip(s, true);
        frmShip dialog(s.session);
        checkNames(dialog, {{u"txtKanmei"_s, u"艦船名"_s},
                            {u"txtSyozoku"_s, u"所属"_s},
                            {u"txtKokuseki"_s, u"国籍"_s},
                            {u"txtKansyu"_s, u"艦種"_s},
                            {u"txtKankei"_s, u"艦型"_s},
                            {u"txtSentai"_s, u"船体"_s},
                            {u"txtStep_0"_s, u"上部ステップ（艦型）"_s},
                            {u"txtStep_1"_s, u"下部ステップ（艦型）"_s},
                            {u"txtStep_2"_s, u"上部ステップ（現在）"_s},
                            {u"SliderStep_1"_s, u"下部ステップ（現在）"_s},
                            {u"txtSongai"_s, u"損害状態"_s},
                            {u"txtHattyaku"_s, u"発着"_s},
                            {u"txtSokuryoku_0"_s, u"速力（艦型）"_s},
                            {u"txtSokuryoku_1"_s, u"速力（現在）"_s},
                            {u"txtNenryou_1"_s, u"燃料（現在）"_s},
                            {u"txtNenpi"_s, u"燃費"_s},
                            {u"txtZankouzoku"_s, u"残航続"_s},
                            {u"txtTousai_0"_s, u"搭載（艦型）"_s},
                            {u"txtSoukou_0"_s, u"舷側装甲"_s},
                            {u"txtSoukou_1"_s, u"甲板装甲"_s},
                            {u"txtSenkou"_s, u"潜航深度"_s},
                            {u"txtJoutai"_s, u"状態"_s},
                            {u"cbBusouSyu_3"_s, u"武装４"_s},
                            {u"txtBusouMon_1"_s, u"武装２ 門数（艦型）"_s},
                            {u"txtBusouKai_7"_s, u"武装４ 回数（現在）"_s},
                            {u"CommandEnter"_s, u"決定(O)"_s}});
        // A label's mnemonic or a click on it moves the focus to its box.
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text() == u"燃費"_s) {
                QCOMPARE(label->buddy(), dialog.findChild<QWidget*>(u"txtNenpi"_s));
            }
        }
    }

    void aircraftNames() {
        LoadedSession s;
        prepareAircraft(s);
        frmAir dialog(s.session);
        checkNames(dialog, {{u"txtAirName"_s, u"正式名"_s},
                            {u"txtAirSName"_s, u"名称"_s},
                            {u"txtKisyu"_s, u"機種"_s},
                            {u"txtUnyou"_s, u"運用"_s},
                            {u"txtNumData_5"_s, u"燃料"_s},
                            {u"txtNumData_9"_s, u"防御"_s},
                            {u"txtNumData_8"_s, u"旋回銃"_s},
                            {u"chkData_1"_s, u"高々度"_s},
                            {u"txtKidou_0"_s, u"機動（移動）"_s},
                            {u"cbBom_0"_s, u"爆弾（移動）"_s},
                            {u"cbBom_1"_s, u"爆弾（迎撃／偵察）"_s},
                            {u"cbBom_2"_s, u"爆弾（爆撃１）"_s},
                            {u"cbBom_3"_s, u"爆弾（爆撃２）"_s},
                            {u"txtBom_3"_s, u"爆弾数（爆撃２）"_s},
                            {u"txtKouzoku_1"_s, u"航続（迎撃／偵察）"_s},
                            {u"txtJoukyou"_s, u"状況"_s},
                            {u"txtKikan_0"_s, u"期間（ヶ月）"_s},
                            {u"txtKikan_1"_s, u"期間（ターン）"_s}});
    }

    void baseNames() {
        LoadedSession s;
        prepareBase(s);
        frmBase dialog(s.session);
        checkNames(dialog, {{u"txtBasename"_s, u"基地名"_s},
                            {u"cbRyouyu"_s, u"領有"_s},
                            {u"cbChikei"_s, u"地形"_s},
                            {u"cbShigen"_s, u"採掘資源種類"_s},
                            {u"txtShigen"_s, u"採掘資源量"_s},
                            {u"txtChian"_s, u"治安度"_s},
                            {u"txtShoukai"_s, u"哨戒"_s},
                            {u"cbTenkou"_s, u"天候"_s},
                            {u"txtBichiku_0"_s, u"原油（在庫量1）"_s},
                            {u"txtBichiku_13"_s, u"弾薬（在庫量2）"_s},
                            {u"txtButai_3"_s, u"守備部隊（部隊数2）"_s},
                            {u"cbKisyu_0"_s, u"機種（枠1）"_s},
                            {u"cbKoukuki_7"_s, u"航空機名（枠8）"_s},
                            {u"txtKoukuki_5"_s, u"機数2（枠3）"_s}});
    }

    void smallDialogNames() {
        LoadedSession s;
        prepareProperties(s);
        {
            FileProperties dialog(s.session);
            checkNames(dialog, {{u"txtFileName"_s, u"ファイル名"_s},
                                {u"txtSaveName"_s, u"セーブ名"_s},
                                {u"txtShinario"_s, u"シナリオ名"_s},
                                {u"txtTurn_0"_s, u"現在ターン（年）"_s},
                                {u"txtTurn_2"_s, u"現在ターン（ターン）"_s},
                                {u"cbFeise"_s, u"現在フェイズ"_s},
                                {u"txtFeise"_s, u"現在フェイズ（作戦）"_s},
                                {u"txtTurn_4"_s, u"開始ターン（月）"_s},
                                {u"txtTurn_8"_s, u"終了ターン（ターン）"_s},
                                {u"CommandUndo"_s, u"元に戻す(U)"_s}});
        }
        {
            frmKagaku dialog(s.session);
            checkNames(dialog, {{u"txtMeisyou"_s, u"名称"_s},
                                {u"txtKouka"_s, u"効果"_s},
                                {u"txtNeed"_s, u"必要ターン"_s},
                                {u"txtLeave"_s, u"残りターン"_s}});
        }
        {
            s.session.selection = {2, -1, 0, 0};
            frmToujouRen dialog(s.session);
            checkNames(dialog, {{u"txtRendo_0"_s, u"戦闘機"_s}, {u"txtRendo_1"_s, u"爆撃機"_s}});
        }
    }

    // The properties and science-weapon boxes that only show values are drawn in the normal
    // text colour, and a path too long for its box is readable whole in its tool tip.
    void displayBoxesAreLegible() {
        const QPalette standard = QApplication::palette();
        QVERIFY(standard.color(QPalette::Disabled, QPalette::Text) !=
                standard.color(QPalette::Active, QPalette::Text));
        LoadedSession s;
        prepareProperties(s);
        const QString longPath = u"/home/player/"_s + QString(40, u'長') + u"/SaveFile1.SAVE"_s;
        s.session.openFilePath = longPath;
        FileProperties properties(s.session);
        frmKagaku science(s.session);
        QVERIFY(science.setTarget1(0) && science.setTarget2(0));
        science.show();
        properties.show();
        QVERIFY(QTest::qWaitForWindowExposed(&properties));
        for (QDialog* dialog : {static_cast<QDialog*>(&properties), static_cast<QDialog*>(&science)}) {
            for (const char* name : {"txtFileName", "txtSaveName", "txtShinario", "txtMeisyou", "txtKouka"}) {
                if (auto* box = dialog->findChild<QLineEdit*>(QLatin1String(name))) {
                    QVERIFY(!box->isEnabled());
                    QCOMPARE(box->palette().color(QPalette::Disabled, QPalette::Text),
                             box->palette().color(QPalette::Active, QPalette::Text));
                }
            }
        }
        auto* file = properties.findChild<QLineEdit*>(u"txtFileName"_s);
        QCOMPARE(file->toolTip(), QDir::toNativeSeparators(longPath));
        QVERIFY(file->fontMetrics().horizontalAdvance(longPath) > file->width());
        s.session.openFilePath = u"/a/SaveFile1.SAVE"_s;
        FileProperties shortPath(s.session);
        shortPath.show();
        QVERIFY(QTest::qWaitForWindowExposed(&shortPath));
        QCOMPARE(shortPath.findChild<QLineEdit*>(u"txtFileName"_s)->toolTip(), QString());
    }
};

QTEST_MAIN(TestKeyboardAccess)
#include "test_keyboard_access.moc"
