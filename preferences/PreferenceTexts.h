#pragma once

#include <QString>

// The texts of the options dialog and the about box.
namespace korven::texts {

namespace options {
inline QString caption() {
    return QStringLiteral("ｵﾌﾟｼｮﾝ");
}
inline QString folderTab() {
    return QStringLiteral("フォルダ");
}
inline QString designTab() {
    return QStringLiteral("デザイン");
}
// The tabs' screen-reader name: a tab list without one is announced as nameless.
inline QString tabsName() {
    return QStringLiteral("オプションの種類");
}
inline QString gameFolderFrame() {
    return QStringLiteral("ヴァルゾンWin95インストール先フォルダ");
}
inline QString browse() {
    return QStringLiteral("参照");
}
inline QString gameFolderHelp() {
    return QStringLiteral(
        "航空機データエディット等でグラフィックデータを読み込むときに使用します。"
        "書き込みはしませんので安心してください。"
        "指定しなくてもプログラムの動作に影響はありません。");
}
inline QString saveFolderFrame() {
    return QStringLiteral("セーブファイル読み込み先初期フォルダ");
}
inline QString saveFolderHelp() {
    return QStringLiteral(
        "指定しなくても影響はありません。"
        "前回開いたフォルダの情報が残っているときはそちらのフォルダが開かれます。"
        "この設定は次回ソフトを起動したときから反映されます。");
}
inline QString recipeFolderFrame() {
    return QStringLiteral("自作レシピのフォルダ");
}
inline QString recipeFolderHelp() {
    return QStringLiteral(
        "このフォルダのレシピ（*.txt）が［編集］メニューの［レシピ］に付属のレシピと並んで表示されます。");
}
inline QString recipeBrowseTitle() {
    return QStringLiteral("自作レシピのフォルダ");
}
inline QString browseTitle() {
    return QStringLiteral("ゲームのインストール先フォルダ");
}
inline QString fonts() {
    return QStringLiteral("フォント名");
}
inline QString style() {
    return QStringLiteral("スタイル");
}
inline QString colourFrame() {
    return QStringLiteral("色");
}
inline QString sampleFrame() {
    return QStringLiteral("サンプル");
}
inline QString sampleDesignText() {
    return QStringLiteral("ABC abc ＡＢＣ あいう アイウ 伊呂波");
}
inline QString underConstruction() {
    return QStringLiteral("この部分はまだ作成中のため設定しても反映されません。");
}
inline QString preferredFont() {
    return QStringLiteral("ＭＳ Ｐゴシック");
}
inline QString ok() {
    return QStringLiteral("OK(&O)");
}
inline QString cancel() {
    return QStringLiteral("ｷｬﾝｾﾙ(&C)");
}
inline QString apply() {
    return QStringLiteral("更新(&A)");
}

// The screen areas of the design page, its colour list and its style list.
// The screen-reader name of the tree of screen areas, which has no label.
inline QString screenAreas() {
    return QStringLiteral("設定する画面の部分");
}
inline QString mainWindowArea() {
    return QStringLiteral("メインウインドウ");
}
inline QString listViewArea() {
    return QStringLiteral("リストビュー");
}
inline QString treeViewArea() {
    return QStringLiteral("ツリービュー");
}
inline QString editWindowsArea() {
    return QStringLiteral("編集ウインドウ");
}
inline QString labelArea() {
    return QStringLiteral("ラベル");
}
inline QString unchangedDataArea() {
    return QStringLiteral("未変更データ");
}
inline QString changedDataArea() {
    return QStringLiteral("変更済データ");
}
inline QString textColour() {
    return QStringLiteral("テキスト");
}
inline QString backgroundColour() {
    return QStringLiteral("背景");
}
inline QString regularStyle() {
    return QStringLiteral("Regular");
}
inline QString italicStyle() {
    return QStringLiteral("Italic");
}
inline QString boldStyle() {
    return QStringLiteral("Bold");
}
inline QString boldItalicStyle() {
    return QStringLiteral("Bold Italic");
}
}  // namespace options

namespace about {
inline QString captionPrefix() {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 ");
}
inline QString disclaimer() {
    return QStringLiteral(
        "警告: "
        "このソフトは各人の責任で使用してください。このソフトを使用したためにセーブデータが壊れるなどしても、"
        "一切責任は取れません。");
}
inline QString homepage() {
    return QStringLiteral("ホームページ: https://korvenedit.example.org/");
}
inline QString mail() {
    return QStringLiteral("E-mail: korvenedit@example.jp");
}
inline QString ok() {
    return QStringLiteral("OK");
}
// The screen-reader name of the box with the contact lines.
inline QString contact() {
    return QStringLiteral("連絡先");
}
// The library the program runs on, its licence and where the licence texts are, as the LGPL asks.
inline QString qtLicence(const QString& qtVersion, const QString& noticesFolder) {
    return QStringLiteral(
               "このプログラムは Qt %1 を GNU Lesser General Public License (LGPL) "
               "バージョン 3 の下で使用しています。\nライセンス文と Qt のソースの入手先:\n%2")
        .arg(qtVersion, noticesFolder);
}
}  // namespace about

}  // namespace korven::texts
