#pragma once

#include <QString>

// The file core's own texts: progress shown in the status bar and the messages it raises.
namespace korven::texts {

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
inline QString backupFailed(const QString& folder) {
    return QStringLiteral(
               "バックアップを作成できなかったため、保存しませんでした。\r\nバックアップの保存先: ") +
           folder;
}
inline QString backupMade(const QString& path) {
    return QStringLiteral("バックアップ: ") + path;
}

// A field that one side of a comparison does not have (a base after its LastBaseIndex).
inline QString absentValue() {
    return QStringLiteral("(なし)");
}

// Why --check refuses a value: the edit dialogs would not accept it.
inline QString outsideDialogRange(const QString& label, qint64 value, qint64 minimum, qint64 maximum) {
    return QStringLiteral(
               "「%1」の値 %2 は編集画面で入力できる範囲 %3～%4 の外です。(outside the dialog's range)")
        .arg(label)
        .arg(value)
        .arg(minimum)
        .arg(maximum);
}
inline QString longerThanDialogAllows(const QString& label, qsizetype bytes, qsizetype maximum) {
    return QStringLiteral(
               "「%1」はシフトJISで %2 バイトあり、編集画面の上限 %3 バイトを超えています。(longer than the "
               "dialog allows)")
        .arg(label)
        .arg(bytes)
        .arg(maximum);
}

}  // namespace korven::texts
