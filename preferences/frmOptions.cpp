#include "preferences/frmOptions.h"

#include "platform/ControlAccess.h"
#include "platform/NamedTabWidget.h"
#include "platform/ProgramInfo.h"
#include "platform/SettingsStore.h"
#include "preferences/GamePathRules.h"
#include "preferences/ModuleBFolder.h"
#include "preferences/PreferenceTexts.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korven {
namespace {

const QString kOption = QStringLiteral("Option");

template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* helpLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = named(new QLabel(text, parent), name);
    label->setWordWrap(true);
    return label;
}

struct FolderFrame {
    QGroupBox* frame;
    QLineEdit* box;
    QPushButton* browse;
};

// A folder frame: the box and "参照" on one line, the help text below.
FolderFrame folderFrame(QWidget* parent, const QString& name, const QString& caption, const QString& boxName,
                        const QString& browseName, const QString& helpName, const QString& help) {
    auto* frame = named(new QGroupBox(caption, parent), name);
    auto* box = named(new QLineEdit(frame), boxName);
    auto* browse = named(new QPushButton(texts::options::browse(), frame), browseName);
    // The frame's caption is the box's label.
    box->setAccessibleName(caption);
    auto* layout = new QGridLayout(frame);
    layout->addWidget(box, 0, 0);
    layout->addWidget(browse, 0, 1);
    layout->addWidget(helpLabel(helpName, help, frame), 1, 0, 1, 2);
    return {frame, box, browse};
}

QTreeWidgetItem* screenArea(QTreeWidgetItem* item, const QString& text, const QString& key) {
    item->setText(0, text);
    item->setData(0, Qt::UserRole, key);
    return item;
}

}  // namespace

frmOptions::frmOptions(Preferences& preferences, const FontSource& fonts, QWidget* parent)
    : QDialog(parent), m_preferences(preferences) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(texts::options::caption());
    setModal(true);

    auto* tabs = named(new NamedTabWidget(texts::options::tabsName(), this), QStringLiteral("SSTab"));
    tabs->addTab(makeFolderTab(), texts::options::folderTab());
    tabs->addTab(makeDesignTab(fonts), texts::options::designTab());

    auto* ok = named(new QPushButton(texts::options::ok(), this), QStringLiteral("cmdOK"));
    auto* cancel = named(new QPushButton(texts::options::cancel(), this), QStringLiteral("cmdCancel"));
    auto* apply = named(new QPushButton(texts::options::apply(), this), QStringLiteral("cmdApply"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        applyOptions();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, &frmOptions::applyOptions);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);

    // The sample shows the program's description; the font and style selections then apply.
    m_sample->setText(program::description());
    m_gameFolder->setText(m_preferences.gamePath);
    m_recipeFolder->setText(m_preferences.settings.text(kOption, kRecipeFolder));
    const QList<QListWidgetItem*> preferred =
        m_fonts->findItems(texts::options::preferredFont(), Qt::MatchExactly);
    if (!preferred.isEmpty()) {
        m_fonts->setCurrentItem(preferred.constFirst());
    }
    m_styles->setCurrentRow(0);
    resize(660, sizeHint().height());

    // The pages' controls follow the tab bar, each page from top to bottom, then the buttons.
    // The tab widget passes the focus to its bar; chaining the widget itself would trap Tab.
    QList<QWidget*> order{tabs->findChild<QTabBar*>()};
    for (const char* name :
         {"txtGameinstalled", "cmdGetFolderGI", "txtSaveFile", "cmdGetFolderSave", "txtRecipeFolder",
          "cmdGetFolderRecipe", "tvSetControl", "lstFonts", "lstStyle", "lstColor"}) {
        order.append(findChild<QWidget*>(QLatin1String(name)));
    }
    order << ok << cancel << apply;
    chainTabOrder(order);
}

QWidget* frmOptions::makeFolderTab() {
    auto* page = new QWidget(this);
    const FolderFrame installed =
        folderFrame(page, QStringLiteral("frmFolderInstalled"), texts::options::gameFolderFrame(),
                    QStringLiteral("txtGameinstalled"), QStringLiteral("cmdGetFolderGI"),
                    QStringLiteral("lblFolderHelp"), texts::options::gameFolderHelp());
    m_gameFolder = installed.box;
    m_gameFolder->installEventFilter(this);
    connect(installed.browse, &QPushButton::clicked, this, &frmOptions::browseGameFolder);

    // Shown as designed; nothing reads or stores a save-file folder.
    const FolderFrame open =
        folderFrame(page, QStringLiteral("frmFolderOpen"), texts::options::saveFolderFrame(),
                    QStringLiteral("txtSaveFile"), QStringLiteral("cmdGetFolderSave"),
                    QStringLiteral("lblSaveFileHelp"), texts::options::saveFolderHelp());

    const FolderFrame recipes =
        folderFrame(page, QStringLiteral("frmFolderRecipe"), texts::options::recipeFolderFrame(),
                    QStringLiteral("txtRecipeFolder"), QStringLiteral("cmdGetFolderRecipe"),
                    QStringLiteral("lblRecipeFolderHelp"), texts::options::recipeFolderHelp());
    m_recipeFolder = recipes.box;
    connect(recipes.browse, &QPushButton::clicked, this, [this] {
        const QString folder = BrowseForFolderPath(this, texts::options::recipeBrowseTitle());
        if (!folder.isEmpty()) {
            m_recipeFolder->setText(folder);
        }
    });

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(installed.frame);
    layout->addWidget(open.frame);
    layout->addWidget(recipes.frame);
    layout->addStretch(1);
    return page;
}

QWidget* frmOptions::makeDesignTab(const FontSource& fonts) {
    auto* page = new QWidget(this);

    auto* tree = named(new QTreeWidget(page), QStringLiteral("tvSetControl"));
    tree->setAccessibleName(texts::options::screenAreas());
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    QTreeWidgetItem* main = screenArea(new QTreeWidgetItem(tree), texts::options::mainWindowArea(),
                                       QStringLiteral("Main Window"));
    screenArea(new QTreeWidgetItem(main), texts::options::listViewArea(), QStringLiteral("List View"));
    screenArea(new QTreeWidgetItem(main), texts::options::treeViewArea(), QStringLiteral("Tree View"));
    QTreeWidgetItem* edit = screenArea(new QTreeWidgetItem(tree), texts::options::editWindowsArea(),
                                       QStringLiteral("Edit Windows"));
    screenArea(new QTreeWidgetItem(edit), texts::options::labelArea(), QStringLiteral("Label"));
    screenArea(new QTreeWidgetItem(edit), texts::options::unchangedDataArea(), QStringLiteral("No Chenged"));
    screenArea(new QTreeWidgetItem(edit), texts::options::changedDataArea(), QStringLiteral("Chenged"));
    tree->expandAll();

    m_fonts = named(new QListWidget(page), QStringLiteral("lstFonts"));
    m_fonts->addItems(EnumFontNames(fonts, kOptionsFontFilter));
    connect(m_fonts, &QListWidget::currentRowChanged, this, &frmOptions::showSelectedFont);

    m_styles = named(new QListWidget(page), QStringLiteral("lstStyle"));
    const std::pair<QString, int> styles[] = {{texts::options::regularStyle(), 0},
                                              {texts::options::italicStyle(), kItalicBit},
                                              {texts::options::boldStyle(), kBoldBit},
                                              {texts::options::boldItalicStyle(), kItalicBit | kBoldBit}};
    for (const auto& [text, style] : styles) {
        auto* item = new QListWidgetItem(text, m_styles);
        item->setData(Qt::UserRole, style);
    }
    connect(m_styles, &QListWidget::currentRowChanged, this, &frmOptions::showSelectedStyle);

    auto* colourFrame = named(new QGroupBox(texts::options::colourFrame(), page), QStringLiteral("frmColor"));
    auto* colours = named(new QListWidget(colourFrame), QStringLiteral("lstColor"));
    colours->setAccessibleName(texts::options::colourFrame());
    const std::pair<QString, int> colourItems[] = {{texts::options::textColour(), 0},
                                                   {texts::options::backgroundColour(), 1}};
    for (const auto& [text, colour] : colourItems) {
        auto* item = new QListWidgetItem(text, colours);
        item->setData(Qt::UserRole, colour);
    }
    (new QVBoxLayout(colourFrame))->addWidget(colours);
    colourFrame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);

    auto* sampleFrame =
        named(new QGroupBox(texts::options::sampleFrame(), page), QStringLiteral("frmFontSample"));
    m_sample =
        named(new QLabel(texts::options::sampleDesignText(), sampleFrame), QStringLiteral("lblFontSample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(48);
    (new QVBoxLayout(sampleFrame))->addWidget(m_sample);

    auto* making = helpLabel(QStringLiteral("lblMakeing"), texts::options::underConstruction(), page);

    auto* fontColumn = new QVBoxLayout;
    auto* fontsLabel = named(new QLabel(texts::options::fonts(), page), QStringLiteral("lblFonts"));
    labelControl(fontsLabel, m_fonts);
    fontColumn->addWidget(fontsLabel);
    fontColumn->addWidget(m_fonts);
    auto* styleColumn = new QVBoxLayout;
    auto* styleLabel = named(new QLabel(texts::options::style(), page), QStringLiteral("lblStyle"));
    labelControl(styleLabel, m_styles);
    styleColumn->addWidget(styleLabel);
    styleColumn->addWidget(m_styles);
    styleColumn->addWidget(colourFrame);
    styleColumn->addStretch(1);
    m_styles->setMaximumHeight(m_styles->sizeHintForRow(0) * 4 + 2 * m_styles->frameWidth() + 4);
    colours->setMaximumHeight(colours->sizeHintForRow(0) * 2 + 2 * colours->frameWidth() + 4);

    auto* lists = new QHBoxLayout;
    lists->addWidget(tree, 3);
    lists->addLayout(fontColumn, 4);
    lists->addLayout(styleColumn, 2);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(lists, 1);
    layout->addWidget(sampleFrame);
    layout->addWidget(making);
    return page;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_gameFolder && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window is not leaving the box.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            leaveGameFolderBox();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmOptions::leaveGameFolderBox() {
    const QString text = m_gameFolder->text();
    const QString withSeparator = WithTrailingSeparator(text);
    if (withSeparator != text) {
        m_gameFolder->setText(withSeparator);
    }
}

void frmOptions::browseGameFolder() {
    const QString folder = BrowseForFolderPath(this, texts::options::browseTitle());
    if (folder.isEmpty()) {
        return;
    }
    m_gameFolder->setText(folder);
    leaveGameFolderBox();
}

void frmOptions::applyOptions() {
    leaveGameFolderBox();
    m_preferences.gamePath = m_gameFolder->text();
    m_preferences.settings.setText(kOption, QStringLiteral("GamePath"), m_preferences.gamePath);
    // Stored only when changed, so that OK on an untouched dialog adds no key.
    const QString recipes = m_recipeFolder->text().trimmed();
    if (recipes != m_preferences.settings.text(kOption, kRecipeFolder)) {
        m_preferences.settings.setText(kOption, kRecipeFolder, recipes);
    }
    m_preferences.settings.sync();
}

void frmOptions::showSelectedFont() {
    if (QListWidgetItem* item = m_fonts->currentItem()) {
        QFont font = m_sample->font();
        font.setFamily(item->text());
        m_sample->setFont(font);
    }
}

void frmOptions::showSelectedStyle() {
    if (QListWidgetItem* item = m_styles->currentItem()) {
        const int style = item->data(Qt::UserRole).toInt();
        QFont font = m_sample->font();
        font.setItalic((style & kItalicBit) != 0);
        font.setBold((style & kBoldBit) != 0);
        m_sample->setFont(font);
    }
}

void ShowOptionsDialog(Preferences& preferences, QWidget* owner) {
    frmOptions dialog(preferences, InstalledFonts(), owner);
    dialog.exec();
}

}  // namespace korven
