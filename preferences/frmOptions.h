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

// The settings key ("Option" section) of the folder with the player's own recipes.
inline const QString kRecipeFolder = QStringLiteral("RecipeFolder");

// The options: the game folder (kept in memory and as "Option"/"GamePath"), the player's own
// recipe folder ("Option"/"RecipeFolder", read by the Edit menu's recipes), and a design page
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
    QLineEdit* m_recipeFolder = nullptr;
    QListWidget* m_fonts = nullptr;
    QListWidget* m_styles = nullptr;
    QLabel* m_sample = nullptr;
};

void ShowOptionsDialog(Preferences& preferences, QWidget* owner);

}  // namespace korven
