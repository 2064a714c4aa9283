#include "platform/ProgramInfo.h"
#include "platform/SettingsStore.h"
#include "preferences/frmOptions.h"
#include "tests/support/IsolatedSettings.h"
#include "tests/support/ScriptedUi.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace korven;

namespace {

const QString kSep = QDir::separator();

FontSource fakeFonts() {
    return [] {
        return std::vector<FontDescription>{
            {QStringLiteral("ＭＳ 明朝"), kShiftJisCharset, kTrueTypeFontType},
            {QStringLiteral("@ＭＳ Ｐゴシック"), kShiftJisCharset, kTrueTypeFontType},
            {QStringLiteral("Arial"), kAnsiCharset, kTrueTypeFontType},
            {QStringLiteral("ＭＳ Ｐゴシック"), kShiftJisCharset, kTrueTypeFontType},
            {QStringLiteral("Fixedsys JP"), kShiftJisCharset, kRasterFontType},
        };
    };
}

bool useSettingsIn(const QTemporaryDir& dir) {
    korven::fixtures::IsolateSettings(dir.path());
    return true;
}

struct Fixture {
    // What the store holds, read back from its file.
    QStringList storedKeys() {
        settings.sync();
        return QSettings(settings.location(), QSettings::IniFormat).allKeys();
    }
    QString storedPath() {
        settings.sync();
        return QSettings(settings.location(), QSettings::IniFormat)
            .value(QStringLiteral("Option/GamePath"))
            .toString();
    }
    QTemporaryDir dir;
    bool settingsInDir = useSettingsIn(dir);
    SettingsStore settings;
    QString gamePath;
    Preferences preferences{gamePath, settings};
    fixtures::ScriptedUi ui;
};

template <typename W>
W* child(QWidget& dialog, const char* name) {
    return dialog.findChild<W*>(QString::fromLatin1(name));
}

QLineEdit* folderBox(QWidget& dialog) {
    return child<QLineEdit>(dialog, "txtGameinstalled");
}

void click(QWidget& dialog, const char* button) {
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

bool open(QDialog& dialog) {
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

}  // namespace

class TestFrmOptions : public QObject {
    Q_OBJECT
private slots:
    void showsBothTabsAsDesigned() {
        Fixture f;
        f.gamePath = QStringLiteral("/opt/valzon/");
        frmOptions dialog(f.preferences, fakeFonts());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ｵﾌﾟｼｮﾝ"));
        auto* tabs = child<QTabWidget>(dialog, "SSTab");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), QStringLiteral("フォルダ"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("デザイン"));
        QCOMPARE(tabs->tabBar()->accessibleName(), QStringLiteral("オプションの種類"));
        QCOMPARE(child<QGroupBox>(dialog, "frmFolderInstalled")->title(),
                 QStringLiteral("ヴァルゾンWin95インストール先フォルダ"));
        QCOMPARE(child<QGroupBox>(dialog, "frmFolderOpen")->title(),
                 QStringLiteral("セーブファイル読み込み先初期フォルダ"));
        QCOMPARE(child<QPushButton>(dialog, "cmdGetFolderGI")->text(), QStringLiteral("参照"));
        QVERIFY(child<QLabel>(dialog, "lblFolderHelp")
                    ->text()
                    .startsWith(QStringLiteral("航空機データエディット等で")));
        QCOMPARE(folderBox(dialog)->text(), QStringLiteral("/opt/valzon/"));
        QCOMPARE(child<QLabel>(dialog, "lblMakeing")->text(),
                 QStringLiteral("この部分はまだ作成中のため設定しても反映されません。"));
        QCOMPARE(child<QLabel>(dialog, "lblFontSample")->text(), program::description());
        QCOMPARE(child<QPushButton>(dialog, "cmdOK")->text(), QStringLiteral("OK(&O)"));
        QCOMPARE(child<QPushButton>(dialog, "cmdCancel")->text(), QStringLiteral("ｷｬﾝｾﾙ(&C)"));
        QCOMPARE(child<QPushButton>(dialog, "cmdApply")->text(), QStringLiteral("更新(&A)"));
    }

    void screenAreaTreeHasItsKeys() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        auto* tree = child<QTreeWidget>(dialog, "tvSetControl");
        QStringList shape;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* top = tree->topLevelItem(i);
            shape << top->text(0) + u'=' + top->data(0, Qt::UserRole).toString();
            for (int j = 0; j < top->childCount(); ++j) {
                shape << QStringLiteral("  ") + top->child(j)->text(0) + u'=' +
                             top->child(j)->data(0, Qt::UserRole).toString();
            }
        }
        QCOMPARE(shape,
                 (QStringList{
                     QStringLiteral("メインウインドウ=Main Window"),
                     QStringLiteral("  リストビュー=List View"), QStringLiteral("  ツリービュー=Tree View"),
                     QStringLiteral("編集ウインドウ=Edit Windows"), QStringLiteral("  ラベル=Label"),
                     QStringLiteral("  未変更データ=No Chenged"), QStringLiteral("  変更済データ=Chenged")}));
    }

    void listsCarryTheirItemData() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        auto items = [&](const char* name) {
            QStringList result;
            auto* list = child<QListWidget>(dialog, name);
            for (int i = 0; i < list->count(); ++i) {
                result << list->item(i)->text() + u'=' + list->item(i)->data(Qt::UserRole).toString();
            }
            return result;
        };
        QCOMPARE(items("lstStyle"), (QStringList{QStringLiteral("Regular=0"), QStringLiteral("Italic=1"),
                                                 QStringLiteral("Bold=2"), QStringLiteral("Bold Italic=3")}));
        QCOMPARE(items("lstColor"), (QStringList{QStringLiteral("テキスト=0"), QStringLiteral("背景=1")}));
    }

    void fontListHasOnlyHorizontalJapaneseScalableFaces() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        auto* fonts = child<QListWidget>(dialog, "lstFonts");
        QStringList names;
        for (int i = 0; i < fonts->count(); ++i) {
            names << fonts->item(i)->text();
        }
        QCOMPARE(names, (QStringList{QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐゴシック")}));
        // The preferred face is selected and shown on the sample.
        QCOMPARE(fonts->currentItem()->text(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(child<QLabel>(dialog, "lblFontSample")->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        fonts->setCurrentRow(0);
        QCOMPARE(child<QLabel>(dialog, "lblFontSample")->font().family(), QStringLiteral("ＭＳ 明朝"));
    }

    void sampleFollowsTheStyle_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Bold Italic") << QStringLiteral("Bold Italic") << true << true;
        QTest::newRow("Italic") << QStringLiteral("Italic") << true << false;
        QTest::newRow("Bold") << QStringLiteral("Bold") << false << true;
        QTest::newRow("Regular") << QStringLiteral("Regular") << false << false;
    }
    void sampleFollowsTheStyle() {
        QFETCH(QString, style);
        QFETCH(bool, italic);
        QFETCH(bool, bold);
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        auto* styles = child<QListWidget>(dialog, "lstStyle");
        auto* sample = child<QLabel>(dialog, "lblFontSample");
        QCOMPARE(styles->currentRow(), 0);
        QVERIFY(!sample->font().italic() && !sample->font().bold());
        // From the opposite style, so that every row has to change both.
        styles->setCurrentItem(
            styles
                ->findItems(italic ? QStringLiteral("Regular") : QStringLiteral("Bold Italic"),
                            Qt::MatchExactly)
                .constFirst());
        styles->setCurrentItem(styles->findItems(style, Qt::MatchExactly).constFirst());
        QCOMPARE(sample->font().italic(), italic);
        QCOMPARE(sample->font().bold(), bold);
    }

    void typedPathGetsItsSeparatorOnLeavingTheBox() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        folderBox(dialog)->setFocus();
        QVERIFY(open(dialog));
        QTest::keyClicks(folderBox(dialog), QStringLiteral("games") + kSep + QStringLiteral("valzon"));
        QTest::keyClick(folderBox(dialog), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != folderBox(dialog));
        QCOMPARE(folderBox(dialog)->text(), QStringLiteral("games") + kSep + QStringLiteral("valzon") + kSep);
        // Leaving does not store.
        QVERIFY(f.gamePath.isEmpty());
        QVERIFY(f.storedKeys().isEmpty());
        click(dialog, "cmdApply");
        QCOMPARE(f.gamePath, QStringLiteral("games") + kSep + QStringLiteral("valzon") + kSep);
        QCOMPARE(f.storedPath(), f.gamePath);
        QVERIFY(dialog.isVisible());
    }

    void applyAddsTheSeparatorItself() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        folderBox(dialog)->setText(QStringLiteral("valzon"));
        dialog.applyOptions();
        QCOMPARE(f.gamePath, QStringLiteral("valzon") + kSep);
        QCOMPARE(folderBox(dialog)->text(), f.gamePath);
    }

    void emptyBoxStaysEmptyAndIsStoredEmpty() {
        Fixture f;
        f.gamePath = QStringLiteral("/opt/valzon/");
        f.settings.setText(QStringLiteral("Option"), QStringLiteral("GamePath"), f.gamePath);
        frmOptions dialog(f.preferences, fakeFonts());
        folderBox(dialog)->setFocus();
        QVERIFY(open(dialog));
        folderBox(dialog)->clear();
        QTest::keyClick(folderBox(dialog), Qt::Key_Tab);
        QCOMPARE(folderBox(dialog)->text(), QString());
        click(dialog, "cmdOK");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.gamePath, QString());
        QVERIFY(f.storedKeys().contains(QStringLiteral("Option/GamePath")));
        QCOMPARE(f.storedPath(), QString());
    }

    void browsedFolderGetsOneSeparator_data() {
        QTest::addColumn<QString>("browsed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("folder") << QStringLiteral("/opt/valzon")
                                << QDir::toNativeSeparators(QStringLiteral("/opt/valzon")) + kSep;
        QTest::newRow("root") << QStringLiteral("/") << QDir::toNativeSeparators(QStringLiteral("/"));
        QTest::newRow("ends in one already")
            << QStringLiteral("/opt/valzon/") << QDir::toNativeSeparators(QStringLiteral("/opt/valzon/"));
    }
    void browsedFolderGetsOneSeparator() {
        QFETCH(QString, browsed);
        QFETCH(QString, shown);
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        QVERIFY(open(dialog));
        f.ui.folders.push_back(browsed);
        click(dialog, "cmdGetFolderGI");
        QCOMPARE(f.ui.folderTitles, QStringList{QStringLiteral("ゲームのインストール先フォルダ")});
        QCOMPARE(folderBox(dialog)->text(), shown);
        QVERIFY(f.gamePath.isEmpty());
    }

    void cancelledBrowseChangesNothing() {
        Fixture f;
        f.gamePath = QStringLiteral("/opt/valzon/");
        frmOptions dialog(f.preferences, fakeFonts());
        QVERIFY(open(dialog));
        f.ui.folders.push_back(std::nullopt);
        click(dialog, "cmdGetFolderGI");
        QCOMPARE(folderBox(dialog)->text(), QStringLiteral("/opt/valzon/"));
    }

    void cancelAfterApplyKeepsTheAppliedPath() {
        Fixture f;
        f.gamePath = QStringLiteral("/old/");
        frmOptions dialog(f.preferences, fakeFonts());
        QVERIFY(open(dialog));
        folderBox(dialog)->setText(QStringLiteral("/applied/"));
        click(dialog, "cmdApply");
        folderBox(dialog)->setText(QStringLiteral("/typed-after/"));
        click(dialog, "cmdCancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.gamePath, QStringLiteral("/applied/"));
        QCOMPARE(f.storedPath(), QStringLiteral("/applied/"));
    }

    void escCancelsWithoutStoring() {
        Fixture f;
        f.gamePath = QStringLiteral("/old/");
        frmOptions dialog(f.preferences, fakeFonts());
        QVERIFY(open(dialog));
        folderBox(dialog)->setText(QStringLiteral("/new/"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(f.gamePath, QStringLiteral("/old/"));
        QVERIFY(f.storedKeys().isEmpty());
    }

    void nothingElseIsStored() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        QVERIFY(open(dialog));
        child<QLineEdit>(dialog, "txtSaveFile")->setText(QStringLiteral("/saves"));
        f.ui.folders.push_back(QStringLiteral("/saves"));
        click(dialog, "cmdGetFolderSave");
        child<QListWidget>(dialog, "lstColor")->setCurrentRow(1);
        child<QListWidget>(dialog, "lstFonts")->setCurrentRow(0);
        child<QListWidget>(dialog, "lstStyle")->setCurrentRow(3);
        auto* tree = child<QTreeWidget>(dialog, "tvSetControl");
        tree->setCurrentItem(tree->topLevelItem(1)->child(2));
        // The save-folder "参照" has no behaviour: it does not even open the browser.
        QVERIFY(f.ui.folderTitles.isEmpty());
        click(dialog, "cmdOK");
        QCOMPARE(f.storedKeys(), QStringList{QStringLiteral("Option/GamePath")});
        QCOMPARE(child<QLineEdit>(dialog, "txtSaveFile")->text(), QStringLiteral("/saves"));
    }

    // The player's recipe folder: shown as stored, set by typing or browsing, kept on OK only.
    void theRecipeFolderIsKeptUnderItsKey() {
        Fixture f;
        f.settings.setText(QStringLiteral("Option"), QStringLiteral("RecipeFolder"),
                           QStringLiteral("/r/old"));
        {
            frmOptions dialog(f.preferences, fakeFonts());
            QVERIFY(open(dialog));
            QCOMPARE(child<QLineEdit>(dialog, "txtRecipeFolder")->text(), QStringLiteral("/r/old"));
            f.ui.folders.push_back(QStringLiteral("/r/mine"));
            click(dialog, "cmdGetFolderRecipe");
            click(dialog, "cmdCancel");
        }
        QCOMPARE(f.settings.text(QStringLiteral("Option"), QStringLiteral("RecipeFolder")),
                 QStringLiteral("/r/old"));
        frmOptions dialog(f.preferences, fakeFonts());
        QVERIFY(open(dialog));
        f.ui.folders.push_back(QStringLiteral("/r/mine"));
        click(dialog, "cmdGetFolderRecipe");
        click(dialog, "cmdOK");
        QCOMPARE(f.settings.text(QStringLiteral("Option"), QStringLiteral("RecipeFolder")),
                 QDir::toNativeSeparators(QStringLiteral("/r/mine")));
    }

    // Tab walks each page from top to bottom after the tab bar, then the buttons; the lists
    // and boxes say the label or frame caption they sit under.
    void tabOrderAndNames_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("folders") << 0 << QStringList{QStringLiteral("txtGameinstalled"),
                                                     QStringLiteral("cmdGetFolderGI"),
                                                     QStringLiteral("txtSaveFile"),
                                                     QStringLiteral("cmdGetFolderSave"),
                                                     QStringLiteral("txtRecipeFolder"),
                                                     QStringLiteral("cmdGetFolderRecipe")};
        QTest::newRow("design") << 1
                                << QStringList{QStringLiteral("tvSetControl"), QStringLiteral("lstFonts"),
                                               QStringLiteral("lstStyle"), QStringLiteral("lstColor")};
    }

    void tabOrderAndNames() {
        QFETCH(int, page);
        QFETCH(QStringList, order);
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        auto* tabs = child<QTabWidget>(dialog, "SSTab");
        tabs->setCurrentIndex(page);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        tabs->tabBar()->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (int i = 0; i < order.size() + 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        const QStringList buttons = {QStringLiteral("cmdOK"), QStringLiteral("cmdCancel"),
                                     QStringLiteral("cmdApply")};
        QCOMPARE(visited, order + buttons);

        const std::pair<const char*, QString> names[] = {
            {"txtGameinstalled", QStringLiteral("ヴァルゾンWin95インストール先フォルダ")},
            {"txtSaveFile", QStringLiteral("セーブファイル読み込み先初期フォルダ")},
            {"txtRecipeFolder", QStringLiteral("自作レシピのフォルダ")},
            {"lstFonts", QStringLiteral("フォント名")},
            {"lstStyle", QStringLiteral("スタイル")},
            {"lstColor", QStringLiteral("色")},
            {"tvSetControl", QStringLiteral("設定する画面の部分")},
        };
        for (const auto& [name, spoken] : names) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child<QWidget>(dialog, name));
            QVERIFY(a);
            QCOMPARE(a->text(QAccessible::Name), spoken);
        }
    }

    // A screen reader hears what the tabs choose, then each tab by its own name, and can
    // switch pages through the tab.
    void tabListIsNamedApartFromItsTabs() {
        Fixture f;
        frmOptions dialog(f.preferences, fakeFonts());
        dialog.show();
        auto* tabs = child<QTabWidget>(dialog, "SSTab");
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(tabs->tabBar());
        QVERIFY(list);
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("オプションの種類"));
        QCOMPARE(list->childCount(), 2);
        QAccessibleInterface* design = list->child(1);
        QCOMPARE(list->child(0)->text(QAccessible::Name), QStringLiteral("フォルダ"));
        QCOMPARE(design->text(QAccessible::Name), QStringLiteral("デザイン"));
        QCOMPARE(design->role(), QAccessible::PageTab);
        QCOMPARE(design->parent(), list);
        QCOMPARE(list->indexOfChild(design), 1);
        QVERIFY(!design->state().selected);

        design->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(tabs->currentIndex(), 1);
        QVERIFY(design->state().selected);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("オプションの種類"));
    }
};

QTEST_MAIN(TestFrmOptions)
#include "test_frm_options.moc"
