#pragma once

#include <QString>
#include <QStringList>

// The edit dialogs' own texts: captions, labels, list items and messages, one namespace a
// dialog; the texts several dialogs show are in texts::edit.
namespace korven::texts {

namespace edit {
// The standard buttons.
inline QString enter() {
    return QStringLiteral("決定(&O)");
}
inline QString apply() {
    return QStringLiteral("更新(&A)");
}
inline QString undo() {
    return QStringLiteral("全て元に戻す(&U)");
}
inline QString cancel() {
    return QStringLiteral("キャンセル(&C)");
}

// The last item of the kind lists (resource, factory, aircraft category, gun, bomb).
inline QString none() {
    return QStringLiteral("なし");
}
inline QString unknown() {
    return QStringLiteral("不明");
}
// Yes and no marks: a set flag; a flag that is not set, a ship that cannot launch.
inline QString circle() {
    return QStringLiteral("○");
}
inline QString cross() {
    return QStringLiteral("×");
}
inline QString fighter() {
    return QStringLiteral("戦闘機");
}
inline QString bomber() {
    return QStringLiteral("爆撃機");
}
// Aircraft a type is based as (aircraft editor) and a ship carries (ship editor).
inline QString shipboardSeaplane() {
    return QStringLiteral("水上艦載機");
}
inline QString specialSeaplane() {
    return QStringLiteral("特殊水上機");
}

// Labels.
inline QString name() {
    return QStringLiteral("名称");
}
inline QString nationality() {
    return QStringLiteral("国籍");
}
inline QString aircraftKind() {
    return QStringLiteral("機種");
}
inline QString launching() {
    return QStringLiteral("発着");
}
inline QString performance() {
    return QStringLiteral("性能");
}
inline QString fuel() {
    return QStringLiteral("燃料");
}
inline QString turns() {
    return QStringLiteral("ターン");
}

// The tool tip of a box that shows a stored value outside its usual range.
inline QString outOfRange(qint64 minimum, qint64 maximum) {
    return QStringLiteral(
               "保存されている値が通常の範囲（%1～%2）の外にあります。入力すると範囲内に直されます。")
        .arg(minimum)
        .arg(maximum);
}
}  // namespace edit

namespace kagaku {
inline QString caption() {
    return QStringLiteral("科学兵器");
}
inline QString effect() {
    return QStringLiteral("効果");
}
inline QString need() {
    return QStringLiteral("必要ターン");
}
inline QString leave() {
    return QStringLiteral("残りターン");
}
inline QString half() {
    return QStringLiteral(" /2");
}
inline QString hiddenApply() {
    return QStringLiteral("更新(&A)-Dummy");
}
}  // namespace kagaku

namespace toujouRen {
inline QString caption() {
    return QStringLiteral("搭乗員練度");
}
inline QString hiddenApply() {
    return QStringLiteral("更新-Dummy");
}
}  // namespace toujouRen

namespace base {
inline QString caption() {
    return QStringLiteral("基地データエディット");
}
inline QString unsupported() {
    return QStringLiteral("未サポート");
}
inline QString seaplaneWithoutAnchorage() {
    return QStringLiteral("泊地がないので水上機は選択できません");
}
// A slot's stored aircraft that its list does not offer, shown as it is.
inline QString unlistedAircraft(const QString& name) {
    return QStringLiteral("（一覧にない機体）") + name;
}

// The fields.
inline QString owner() {
    return QStringLiteral("領有");
}
inline QString region() {
    return QStringLiteral("地域");
}
inline QString terrain() {
    return QStringLiteral("地形");
}
inline QString settlementSize() {
    return QStringLiteral("集落規模");
}
inline QString resourceKind() {
    return QStringLiteral("採掘資源種類");
}
inline QString resourceAmount() {
    return QStringLiteral("採掘資源量");
}
inline QString factoryKind() {
    return QStringLiteral("工場種類");
}
inline QString factoryOutput() {
    return QStringLiteral("工場生産力");
}
inline QString airfield() {
    return QStringLiteral("飛行場");
}
inline QString fortification() {
    return QStringLiteral("陣地");
}
inline QString publicOrder() {
    return QStringLiteral("治安度");
}
inline QString task() {
    return QStringLiteral("設営任務");
}
inline QString patrol() {
    return QStringLiteral("哨戒");
}
inline QString anchorage() {
    return QStringLiteral("泊地規模");
}
inline QString weather() {
    return QStringLiteral("天候");
}

// The headings of the tables, and the rows of the land-unit table.
inline QString materials() {
    return QStringLiteral("物資");
}
inline QString stock() {
    return QStringLiteral("在庫量");
}
inline QString landUnits() {
    return QStringLiteral("陸上部隊");
}
inline QString unitCount() {
    return QStringLiteral("部隊数");
}
inline QString aircraftName() {
    return QStringLiteral("航空機名");
}
inline QString aircraftCount() {
    return QStringLiteral("機数");
}
inline QStringList unitKinds() {
    return {QStringLiteral("攻撃部隊"), QStringLiteral("守備部隊"), QStringLiteral("設営部隊"),
            QStringLiteral("整備部隊"), QStringLiteral("民兵部隊")};
}
inline QString baseName() {
    return QStringLiteral("基地名");
}
// The name of aircraft slot `number` (from 1) for screen readers: the slots' rows have no label.
inline QString slot(int number) {
    return QStringLiteral("枠%1").arg(number);
}
}  // namespace base

namespace fileProperties {
inline QString caption() {
    return QStringLiteral("編集中ファイルのプロパティ");
}
inline QString undo() {
    return QStringLiteral("元に戻す(&U)");
}
inline QString enter() {
    return QStringLiteral("OK(&O)");
}
inline QString cancel() {
    return QStringLiteral("ｷｬﾝｾﾙ(&C)");
}
inline QString scenario() {
    return QStringLiteral("シナリオ");
}
inline QString scenarioSeparator() {
    return QStringLiteral(" ： ");
}

// Labels and units.
inline QString fileName() {
    return QStringLiteral("ファイル名");
}
inline QString saveName() {
    return QStringLiteral("セーブ名");
}
inline QString scenarioName() {
    return QStringLiteral("シナリオ名");
}
inline QString currentTurn() {
    return QStringLiteral("現在ターン");
}
inline QString currentPhase() {
    return QStringLiteral("現在フェイズ");
}
inline QString startTurn() {
    return QStringLiteral("開始ターン");
}
inline QString endTurn() {
    return QStringLiteral("終了ターン");
}
inline QString year() {
    return QStringLiteral("年");
}
inline QString month() {
    return QStringLiteral("月");
}
}  // namespace fileProperties

namespace ship {
inline QString classCaption() {
    return QStringLiteral("艦型データエディット");
}
inline QString shipCaption() {
    return QStringLiteral("個艦データエディット");
}
inline QString classModeShipName() {
    return QStringLiteral("---艦型編集---");
}
inline QString unsupportedPrefix() {
    return QStringLiteral("未サポート-");
}
inline QString classHelp() {
    return QStringLiteral(
        "この表示のデータは艦型データです。変更した場合は同じ艦型の全ての艦船に適用されます。");
}
inline QString notBuiltYet() {
    return QStringLiteral("まだ作っていません。バージョンアップに期待してください。");
}
// Shown instead of the dialog when the selection names a class the file does not have.
inline QString badClassIndex(int index) {
    return QStringLiteral("艦型番号 %1 のデータはありません。編集できません。").arg(index);
}
inline QString badShipIndex(int index) {
    return QStringLiteral("艦船番号 %1 のデータはありません。編集できません。").arg(index);
}

// The derived values.
inline QString damageError() {
    return QStringLiteral("エラー");
}
inline QString damageNone() {
    return QStringLiteral("通常");
}
inline QString damageLight() {
    return QStringLiteral("小破");
}
inline QString damageMedium() {
    return QStringLiteral("中破");
}
inline QString damageHeavy() {
    return QStringLiteral("大破");
}
inline QString canLaunch() {
    return QStringLiteral("？");
}
// A derived value whose divisor is 0.
inline QString noValue() {
    return QStringLiteral("-");
}

// What a ship type carries.
inline QString carriesPlanes() {
    return QStringLiteral("艦、陸上機");
}
inline QString carriesSupplies() {
    return QStringLiteral("物資、部隊");
}
inline QString carriesOil() {
    return QStringLiteral("原油、燃料");
}
inline QString carriesNothing() {
    return QStringLiteral("搭載不可");
}

// Labels, headings and the carriage button.
inline QString affiliation() {
    return QStringLiteral("所属");
}
inline QString shipType() {
    return QStringLiteral("艦種");
}
inline QString shipClass() {
    return QStringLiteral("艦型");
}
inline QString hull() {
    return QStringLiteral("船体");
}
// The screen-reader name of the ship's name box, which has no label.
inline QString shipName() {
    return QStringLiteral("艦船名");
}
inline QString current() {
    return QStringLiteral("現在");
}
inline QString upperSteps() {
    return QStringLiteral("上部ステップ");
}
inline QString lowerSteps() {
    return QStringLiteral("下部ステップ");
}
inline QString speed() {
    return QStringLiteral("速力");
}
inline QString consumption() {
    return QStringLiteral("燃費");
}
inline QString range() {
    return QStringLiteral("残航続");
}
inline QString carriage() {
    return QStringLiteral("搭載");
}
inline QString sideArmour() {
    return QStringLiteral("舷側装甲");
}
inline QString deckArmour() {
    return QStringLiteral("甲板装甲");
}
inline QString diveDepth() {
    return QStringLiteral("潜航深度");
}
inline QString damage() {
    return QStringLiteral("損害");
}
inline QString damageState() {
    return QStringLiteral("損害状態");
}
inline QString state() {
    return QStringLiteral("状態");
}
inline QString weapons() {
    return QStringLiteral("武装");
}
inline QString guns() {
    return QStringLiteral("門数");
}
inline QString firings() {
    return QStringLiteral("回数");
}
inline QStringList mounts() {
    return {QStringLiteral("武装１"), QStringLiteral("武装２"), QStringLiteral("武装３"),
            QStringLiteral("武装４")};
}
}  // namespace ship

namespace air {
inline QString caption() {
    return QStringLiteral("航空機データエディット");
}
inline QString statusFinished() {
    return QStringLiteral("開発終了");
}
inline QString statusCancelled() {
    return QStringLiteral("開発中止");
}
inline QString statusFirstInDevelopment() {
    return QStringLiteral("開発中？");
}
inline QString statusNotStarted() {
    return QStringLiteral("未開発");
}
inline QString statusInDevelopment() {
    return QStringLiteral("開発中");
}
inline QString turnsTip() {
    return QStringLiteral("-1 で開発中止");
}
inline QString rangeTip() {
    return QStringLiteral("9999で無限大");
}
inline QString periodTip() {
    return QStringLiteral("連合軍の場合ターン数ではないようです");
}
// Shown instead of the dialog when the selection names no aircraft type of the file.
inline QString badAircraftIndex(int index) {
    return QStringLiteral("航空機番号 %1 のデータはありません。編集できません。").arg(index);
}

// The basings.
inline QString carrierPlane() {
    return QStringLiteral("艦載機");
}
inline QString landPlane() {
    return QStringLiteral("陸上機");
}
inline QString seaplane() {
    return QStringLiteral("水上機");
}

// The bomb kinds.
inline QString torpedo() {
    return QStringLiteral("魚雷");
}
inline QString smallBomb() {
    return QStringLiteral("小型");
}
inline QString mediumBomb() {
    return QStringLiteral("中型");
}
inline QString largeBomb() {
    return QStringLiteral("大型");
}

// Labels, frames and headings.
inline QString operation() {
    return QStringLiteral("運用");
}
inline QString manHours() {
    return QStringLiteral("工数");
}
inline QString steel() {
    return QStringLiteral("鉄");
}
inline QString aluminium() {
    return QStringLiteral("アルミ");
}
inline QString breakdowns() {
    return QStringLiteral("故障");
}
inline QString maintenance() {
    return QStringLiteral("整備");
}
inline QString defence() {
    return QStringLiteral("防御");
}
inline QString fixedGuns() {
    return QStringLiteral("固定銃");
}
inline QString fixedCannon() {
    return QStringLiteral("固定砲");
}
inline QString flexibleGuns() {
    return QStringLiteral("旋回銃");
}
inline QString night() {
    return QStringLiteral("夜間");
}
inline QString highAltitude() {
    return QStringLiteral("高々度");
}
inline QString diveBombing() {
    return QStringLiteral("急降下");
}
inline QString missions() {
    return QStringLiteral("任務");
}
inline QString transfer() {
    return QStringLiteral("移動");
}
inline QString interceptReconnaissance() {
    return QStringLiteral("迎撃／偵察");
}
inline QString bombing1() {
    return QStringLiteral("爆撃１");
}
inline QString bombing2() {
    return QStringLiteral("爆撃２");
}
inline QString manoeuvre() {
    return QStringLiteral("機動");
}
inline QString bombs() {
    return QStringLiteral("爆弾");
}
inline QString flightRange() {
    return QStringLiteral("航続");
}
inline QString development() {
    return QStringLiteral("開発");
}
inline QString status() {
    return QStringLiteral("状況");
}
inline QString period() {
    return QStringLiteral("期間");
}
inline QString months() {
    return QStringLiteral("ヶ月");
}
// Screen-reader names of the boxes without a label of their own.
inline QString fullName() {
    return QStringLiteral("正式名");
}
inline QString bombCount() {
    return QStringLiteral("爆弾数");
}
}  // namespace air

}  // namespace korven::texts
