#pragma once

#include "preferences/ModuleEnumFonts.h"
#include "preferences/PreferenceDialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace korven {

namespace texts::options {
inline QString caption() {
    return QStringLiteral("ｵﾌﾟｼｮﾝ");
}
inline QString folderTab() {
    return QStringLiteral("フォルダ");
}
inline QString designTab() {
    return QStringLiteral("デザイン");
}
inline QString gameFolderFrame() {
    return QStringLiteral("ヴァルゾンWin95インストール先フォルダ");
}
inline QString browse() {
    return QStringLiteral("参照");
}
inline QString gameFolderHelp() {
    return QStringLiteral(
        "航空機データエディット等でグラフィックデータを読み込むときに使用します。書き込みはしませんので安心し"
        "て"
        "ください。指定しなくてもプログラムの動作に影響はありません。");
}
inline QString saveFolderFrame() {
    return QStringLiteral("セーブファイル読み込み先初期フォルダ");
}
inline QString saveFolderHelp() {
    return QStringLiteral(
        "指定しなくても影響はありません。前回開いたフォルダの情報が残っているときはそちらのフォルダが開かれま"
        "す。"
        "この設定は次回ソフトを起動したときから反映されます。");
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
}  // namespace texts::options

// The options: the game folder (kept in memory and as "Option"/"GamePath"), and a design page
// that is shown but stores nothing yet.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    // Item data of the style list: bit 0 italic, bit 1 bold.
    static constexpr int kItalicBit = 1;
    static constexpr int kBoldBit = 2;

    explicit frmOptions(Preferences& preferences, const FontSource& fonts = InstalledFonts(),
                        QWidget* parent = nullptr);

    // "更新(&A)": the box gets its separator; memory and the settings get the box's text.
    void applyOptions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeFolderTab();
    QWidget* makeDesignTab(const FontSource& fonts);
    void leaveGameFolderBox();
    void browseGameFolder();
    void showSelectedFont();
    void showSelectedStyle();

    Preferences& m_preferences;
    QLineEdit* m_gameFolder = nullptr;
    QListWidget* m_fonts = nullptr;
    QListWidget* m_styles = nullptr;
    QLabel* m_sample = nullptr;
};

void ShowOptionsDialog(Preferences& preferences, QWidget* owner);

}  // namespace korven
