#pragma once

#include "platform/FileProblem.h"

#include <QDir>
#include <QString>

// The file core's own texts: progress shown in the status bar and the messages it raises.
namespace korven::texts {

// A base's stock of one good, as the base dialog's row and column name it: 原油（在庫量1）.
inline QString stockOfGood(const QString& good, const QString& stock) {
    return QStringLiteral("%1（%2）").arg(good, stock);
}

inline QString statusReadingTurns() {
    return QStringLiteral("ターンデータを読み込んでいます");
}
inline QString statusSearching() {
    return QStringLiteral("データ格納位置を探しています");
}
inline QString statusReadingAircraft() {
    return QStringLiteral("航空機データを読み込んでいます");
}
inline QString statusReadingShipClasses() {
    return QStringLiteral("艦船データを読み込んでいます");
}
inline QString statusReadingBases() {
    return QStringLiteral("基地データを読み込んでいます");
}
inline QString statusReadingShips() {
    return QStringLiteral("個艦データを読み込んでいます");
}
inline QString statusReadingCarrierAir() {
    return QStringLiteral("空母搭載機データを読み込んでいます");
}
inline QString statusReadDone() {
    return QStringLiteral("読み込み完了");
}

inline QString statusWritingTurns() {
    return QStringLiteral("ターンデータを書き込んでいます");
}
inline QString statusWritingAircraft() {
    return QStringLiteral("航空機データを書き込んでいます");
}
inline QString statusWritingShipClasses() {
    return QStringLiteral("艦船データを書き込んでいます");
}
inline QString statusWritingBases() {
    return QStringLiteral("基地データを書き込んでいます");
}
inline QString statusWritingShips() {
    return QStringLiteral("個艦データを書き込んでいます");
}
inline QString statusWritingCarrierAir() {
    return QStringLiteral("空母搭載機データを書き込んでいます");
}
inline QString statusWriteDone() {
    return QStringLiteral("書き込み完了");
}

inline QString readError() {
    return QStringLiteral("データ取得エラー");
}
inline QString writeError() {
    return QStringLiteral("データ書き込みエラー");
}
inline QString anchorNotFound(const QString& key) {
    return QStringLiteral("データの位置が検索できませんでした。\r\n検索文字-") + key;
}
inline QString notASaveFile() {
    return QStringLiteral("ヴァルゾンのセーブデータファイルではありません。");
}
inline QString cannotOpen() {
    return QStringLiteral(
        "ファイルがオープンできませんでした。\r\n指定されたファイルは他のアプリケーションで使われている可能性"
        "があります。");
}

inline QString layoutWouldMove() {
    return QStringLiteral(
        "データ書き込みエラー\r\nこの内容で保存すると、次にファイルを開いたときにデータの位置が見つからなくな"
        "ります。"
        "\r\n航空機データ 0 番の名前を元に戻してください。");
}
// The second line under a failure's own text: why, in the user's words.
inline QString reasonLine(const FileFailure& failure) {
    QString reason;
    switch (failure.problem) {
        case FileProblem::None:
            return {};
        case FileProblem::NotFound:
            reason = QStringLiteral("ファイルまたはフォルダが見つかりません。");
            break;
        case FileProblem::NoPermission:
            reason = QStringLiteral("ファイルにアクセスする権限がありません。");
            break;
        case FileProblem::ReadOnlyFile:
            reason = QStringLiteral("ファイルが読み取り専用になっています。");
            break;
        case FileProblem::ReadOnlyFolder:
            reason =
                QStringLiteral("フォルダに書き込めません（書き込む権限がないか、読み取り専用の場所です）。");
            break;
        case FileProblem::NoSpace:
            reason = QStringLiteral("ディスクの空き容量が足りません。");
            break;
        case FileProblem::NotAFile:
            reason = QStringLiteral("フォルダまたはデバイスで、通常のファイルではありません。");
            break;
        case FileProblem::InUse:
            reason = QStringLiteral("ほかのプログラムがファイルをロックしています。");
            break;
        case FileProblem::Busy:
            reason = QStringLiteral(
                "ほかのプログラム（ウイルス対策ソフトや同期ソフトなど）がファイルを使用中です。しばらくしてか"
                "ら"
                "もう一度保存してください。");
            break;
        case FileProblem::Changed:
            reason = QStringLiteral(
                "開いている間に、ほかのプログラムがファイルを変更、置き換え、または削除しました。");
            break;
        case FileProblem::TooLarge:
            reason = QStringLiteral("ファイルが大きすぎます（読み込めるのは 256 MB までです）。");
            break;
        case FileProblem::PathTooLong:
            reason = QStringLiteral(
                "フォルダ名、ファイル名またはパス全体が長すぎます。短い名前の浅いフォルダに移してください。");
            break;
        case FileProblem::Other:
            reason = QStringLiteral("予期しないエラーが発生しました。");
            break;
    }
    if (failure.problem == FileProblem::Other && !failure.systemText.isEmpty()) {
        reason += QStringLiteral("（") + failure.systemText + QStringLiteral("）");
    }
    return QStringLiteral("原因: ") + reason;
}
// A message's own text with the reason on the next line.
inline QString withReason(const QString& text, const FileFailure& failure) {
    const QString reason = reasonLine(failure);
    return reason.isEmpty() ? text : text + QStringLiteral("\r\n") + reason;
}

inline QString changedOnDisk(const QString& backup) {
    return QStringLiteral(
               "このファイルは読み込んだ後（または前回の保存の後）に、ほかのプログラムによって変更されていま"
               "す。"
               "\r\n変更されたファイルはバックアップしました: ") +
           QDir::toNativeSeparators(backup);
}
inline QString changedOnDiskQuestion(const QString& backup) {
    return changedOnDisk(backup) + QStringLiteral(
                                       "\r\n\r\nはい: 編集内容で上書きします。\r\nいいえ: "
                                       "ファイルを読み込み直します（編集内容は失われます）。"
                                       "\r\nキャンセル: 保存しません。");
}

inline QString backupFailed(const QString& folder) {
    return QStringLiteral(
               "バックアップを作成できなかったため、保存しませんでした。\r\nバックアップの保存先: ") +
           QDir::toNativeSeparators(folder);
}
inline QString backupMade(const QString& path) {
    return QStringLiteral("バックアップ: ") + QDir::toNativeSeparators(path);
}

// After a save of a file with other names (hard links), which keeps them by writing in place.
inline QString rewrittenInPlace() {
    return QStringLiteral(
        "このファイルにはほかの名前（ハードリンク）があるため、その場で書き換えました。この保存は全部か無し"
        "かではありません（書き込む前の内容はバックアップにあります）。");
}

// A field that one side of a comparison does not have (a base after its LastBaseIndex).
inline QString absentValue() {
    return QStringLiteral("(なし)");
}

// Why --check refuses a value: the edit dialogs would not accept it.
inline QString outsideDialogRange(const QString& label, qint64 value, qint64 minimum, qint64 maximum) {
    return QStringLiteral(
               "「%1」の値 %2 は編集画面で入力できる範囲 %3～%4 の外です。(outside the dialog's range)")
        .arg(label, QString::number(value), QString::number(minimum), QString::number(maximum));
}
inline QString longerThanDialogAllows(const QString& label, qsizetype bytes, qsizetype maximum) {
    return QStringLiteral(
               "「%1」はシフトJISで %2 バイトあり、編集画面の上限 %3 バイトを超えています。(longer than the "
               "dialog allows)")
        .arg(label)
        .arg(bytes)
        .arg(maximum);
}

// Why a value breaks the game's rules, with the values accepted; `check` prints them after
// the path and the value.
inline QString ruleRange(const QString& label, qint64 minimum, qint64 maximum) {
    return QStringLiteral("「%1」は編集画面で入力できる範囲の外です (%2～%3)")
        .arg(label)
        .arg(minimum)
        .arg(maximum);
}
inline QString ruleTextBytes(const QString& label, qsizetype bytes, qsizetype maximum) {
    return QStringLiteral("「%1」はシフトJISで %2 バイトあり、編集画面の上限を超えています (%3 バイトまで)")
        .arg(label)
        .arg(bytes)
        .arg(maximum);
}
inline QString ruleList(const QString& label, const QString& accepted) {
    return QStringLiteral("「%1」は編集画面の一覧にない値です (%2)").arg(label, accepted);
}
inline QString ruleAboveClass(const QString& label, const QString& classLabel, qint64 classValue) {
    return QStringLiteral("「%1」が艦型の「%2」を超えています (0～%3)")
        .arg(label, classLabel)
        .arg(classValue);
}
inline QString ruleLeaveAboveNeed(qint64 need) {
    return QStringLiteral("「残りターン」が「必要ターン」を超えています (0～%1)").arg(need);
}
inline QString ruleTurnOutside(const QString& label, const QString& accepted) {
    return QStringLiteral("「%1」が開始ターンと終了ターンの間にありません (%2)").arg(label, accepted);
}
inline QString ruleTurnsUnordered(const QString& label) {
    return QStringLiteral("「%1」の開始ターンが終了ターンより後にあり、入れられる値がありません").arg(label);
}
inline QString ruleNoEndAfterCurrent(const QString& label, qint64 lastYear) {
    return QStringLiteral("「%1」に入れられる値がありません (現在ターンの年が %2 年より後です)")
        .arg(label)
        .arg(lastYear);
}
inline QString turnTriple(int year, int month, int turn) {
    return QStringLiteral("%1年%2月%3ターン").arg(year).arg(month).arg(turn);
}
inline QString ruleNoSuchClass(qint64 lastClass) {
    return QStringLiteral("「艦型番号」の艦型がありません (名前のある艦型 0～%1)").arg(lastClass);
}
inline QString ruleSlotAircraft(bool japaneseSide) {
    return japaneseSide ? QStringLiteral(
                              "この基地の一覧にない機体です (日本軍の基地: 国籍が日本海軍か日本陸軍の "
                              "0～169 番の機体、255 は空き)")
                        : QStringLiteral(
                              "この基地の一覧にない機体です (連合軍と中立国の基地: 国籍が日本以外の "
                              "0～169 番の機体、255 は空き)");
}
inline QString ruleSeaplane() {
    return QStringLiteral("泊地がないので水上機は置けません (泊地規模 1 以上、または別の機種)");
}
inline QString ruleCarrierKey() {
    return QStringLiteral("「搭載艦」が空母の個艦を指していません (-1、または艦種 0～3 の個艦の番号)");
}
// --check: a new value the rules above refuse.
inline QString refusedValue(const QString& label, const QString& value, const QString& reason) {
    return QStringLiteral("「%1」の値 %2 は受け付けられません: %3").arg(label, value, reason);
}

// Recipes: every refusal names the line and the text as written.
inline QString recipeLineRefused(qsizetype line, const QString& text, const QString& reason) {
    return QStringLiteral("レシピの %1 行目「%2」は受け付けられません: %3").arg(line).arg(text, reason);
}
inline QString recipeDefaultTitle() {
    return QStringLiteral("レシピを適用");
}
inline QString recipeEmpty() {
    return QStringLiteral("レシピに編集の行がありません。");
}
inline QString recipeNotUtf8() {
    return QStringLiteral("レシピが UTF-8 のテキストではありません。");
}
inline QString recipeHasNul() {
    return QStringLiteral("レシピに NUL 文字が含まれています。");
}
inline QString recipeTooLarge(qsizetype megabytes) {
    return QStringLiteral("レシピが大きすぎます (%1 MB まで)。").arg(megabytes);
}
inline QString recipeNoOperator() {
    return QStringLiteral("「=」「+=」「-=」「*=」のどれもありません");
}
inline QString recipeUnknownOperator(const QString& op) {
    return QStringLiteral("「%1」という操作はありません (=、+=、-=、*= が使えます)").arg(op);
}
inline QString recipeUnknownField(const QString& path) {
    return QStringLiteral("「%1」という項目はありません").arg(path);
}
inline QString recipeNotAnInteger(const QString& value) {
    return QStringLiteral("「%1」は整数ではありません").arg(value);
}
inline QString recipePercentSign(const QString& value) {
    return QStringLiteral("「*=」の値は 50% のように % を付けて書きます (「%1」)").arg(value);
}
inline QString recipeMaxOnlySet() {
    return QStringLiteral("max は「=」でだけ使えます");
}
inline QString recipeMaxWithoutLimit(const QString& path) {
    return QStringLiteral("「%1」には編集画面の上限がないので max は使えません").arg(path);
}
inline QString recipeNotANumberField(const QString& path) {
    return QStringLiteral("「%1」は数値の項目ではないので加減や割合は使えません").arg(path);
}
inline QString recipeOperandOutside(qint64 minimum, qint64 maximum) {
    return QStringLiteral("値は %1～%2 の範囲で指定してください").arg(minimum).arg(maximum);
}
inline QString recipePercentOutside(qint64 maximum) {
    return QStringLiteral("割合は 0～%1 % の範囲で指定してください").arg(maximum);
}
inline QString recipeBadIndex(const QString& index) {
    return QStringLiteral("添字「[%1]」が読めません").arg(index);
}
inline QString recipeIndexOutside(const QString& index, qint64 last) {
    return QStringLiteral("添字「%1」が 0～%2 の範囲外です").arg(index).arg(last);
}
inline QString recipeConditionPlace() {
    return QStringLiteral("条件は艦型・個艦・航空機・航空機開発・基地・空母搭載機の番号の位置にだけ書けます");
}
inline QString recipeBadCondition(const QString& condition) {
    return QStringLiteral("条件「%1」が読めません").arg(condition);
}
inline QString recipeUnknownConditionField(const QString& field) {
    return QStringLiteral("条件の項目「%1」はありません").arg(field);
}
inline QString recipeUnknownLabel(const QString& value, const QString& label) {
    return QStringLiteral("「%1」は「%2」の一覧にありません").arg(value, label);
}
inline QString recipeTextComparison(const QString& field) {
    return QStringLiteral("文字の項目「%1」は == と != でだけ比べられます").arg(field);
}
inline QString recipeValueOutside(const QString& value, qint64 minimum, qint64 maximum) {
    return QStringLiteral("値 %1 は %2～%3 の範囲外です").arg(value).arg(minimum).arg(maximum);
}
inline QString recipeNotAText(const QString& path) {
    return QStringLiteral("「%1」は文字の項目です").arg(path);
}
inline QString recipeTextUnmappable() {
    return QStringLiteral("Shift_JIS にない文字があります");
}
inline QString recipeTextTooLong() {
    return QStringLiteral("文字が長すぎます");
}

}  // namespace korven::texts
