#pragma once

#include "document/OpenDocument.h"
#include "editors/EditSession.h"
#include "mainwindow/CategoryTree.h"
#include "mainwindow/ChangeRows.h"
#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RecentFiles.h"
#include "mainwindow/RowSorting.h"
#include "mainwindow/WindowLayout.h"
#include "model/SaveFile.h"
#include "platform/Sinks.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace korven {

class SettingsStore;
struct Preferences;

namespace mainwindow {
class HelpWindow;
class RecordListView;
class SearchPanel;
struct SearchEntry;
class SplitterStrip;
}  // namespace mainwindow

// The main window: the view of the open document. It shows the category tree and the record
// list, runs the File, Edit, View and Help commands and keeps its layout in the settings.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // How the window opens its dialogs. The defaults are the registries the dialog units plug
    // into; tests put recorders in their place.
    struct DialogOpeners {
        std::function<bool(const RecordKey& key, EditSession& session, QWidget* owner)> record{};
        std::function<void(EditSession& session, QWidget* owner)> properties{};
        std::function<void(Preferences& preferences, QWidget* owner)> options{};
        std::function<void(QWidget* owner)> about{};
    };

    // The help document the program is built with.
    static QString defaultHelpFile();

    // Reads the settings, builds the reference tables and lays the window out; the caller
    // shows it and then runs the command line.
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The program's arguments (without the program name): opens the file they name, if any.
    void runCommandLine(const QStringList& arguments);
    // Opens `path` (read-only when asked) as the open file; false when it was not opened, the
    // user having been told why. Every way of opening a file comes through here.
    bool openFile(const QString& path, bool readOnly);

    // The File, View and Help commands, as their menu items run them.
    void fileOpen();
    bool fileSave();
    void fileSaveAs();
    bool fileClose();
    void fileProperties();
    void viewOptions();
    void helpContents();
    void helpSearch();
    void helpAbout();
    // The selected rows as tab-separated text on the clipboard; the list as a CSV file.
    void copyRows();
    void exportCsv();
    void editUndo();
    void editRedo();
    void editHistory();
    void editReview();
    void fileCompare();
    void fileRestoreBackup();

    // Opens the editor of the selected row, then refreshes the edit state and the list.
    void openSelectedRecord();
    void showEditState();

    // Selects the tree node with `key` (expanding its parents) and shows its list.
    bool selectNode(const QString& key);

    const QString& openFilePath() const { return m_document->path(); }
    bool isReadOnly() const { return m_document->isReadOnly(); }
    bool isFileChanged() const { return m_document->isChanged(); }
    const SaveFile* saveFile() const { return m_document->model(); }
    OpenDocument& document() const { return *m_document; }
    const QString& gamePath() const { return m_gamePath; }
    // The layout last applied and the bar's left edge (the saved splitter position), twips.
    const mainwindow::layout::PaneLayout& paneLayout() const { return m_layout; }
    double splitterPosition() const { return m_splitter; }
    std::optional<mainwindow::ListKind> currentListKind() const { return m_kind; }

    void setDialogOpeners(DialogOpeners openers);
    void setHelpFile(const QString& file);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class StatusPanel;
    class UiMessages;

    void buildMenus();
    void buildPanes();
    void readSettings();
    void writeSettings();

    void layOut(double position);
    void applyLayout();
    double windowWidth() const;
    double windowHeight() const;
    void startDrag();
    void drag(int x);
    void endDrag();
    void toggleStatusBar(bool checked);

    void showSaved(const SaveOutcome& saved);
    void reload();
    void setFileMenus(bool open);
    // A recent file or a dropped one: the open file is closed first (asking to save it), as
    // a path on the command line would be examined.
    void openInPlace(const QString& path);
    void openRecent(int entry);
    void rememberRecent();
    void showRecentFiles();
    void buildTree();
    void showListFor(QTreeWidgetItem* node);
    void setUpColumns(mainwindow::ListKind kind);
    void sortByColumn(int column);
    void refreshList(int position);
    void selectTreeItem(QTreeWidgetItem* item);
    // Shows the record of a search match in the tree and the list.
    void showSearchHit(const mainwindow::SearchEntry& hit);
    // Selects a record in the tree and the list and opens its dialog.
    void showRecord(const RecordKey& key);
    int currentListPosition() const;
    void followHistory();
    std::vector<mainwindow::ChangeRow> pendingChanges() const;
    void showHelp(bool search);
    // A help viewer owned by `owner` with the help document loaded; null (after a message) when
    // there is no help file or it cannot be read.
    mainwindow::HelpWindow* loadHelp(QWidget* owner);
    void showHelpForFrontWindow();
    EditSession sessionFor(const QString& itemText, const QString& recordName);

    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<StatusPanel> m_status;
    std::unique_ptr<UiMessages> m_messages;
    std::unique_ptr<OpenDocument> m_document;
    DialogOpeners m_openers;
    QString m_helpFile;

    QString m_gamePath;

    // Window measures as read or last applied, twips.
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;
    double m_splitter = 0;
    bool m_dragging = false;
    mainwindow::layout::PaneLayout m_layout;

    mainwindow::CategoryTree m_tree;
    mainwindow::ColumnMemory m_columns;
    std::optional<mainwindow::ListKind> m_kind;
    mainwindow::SortState m_sort;
    QTreeWidgetItem* m_nodeBeforePress = nullptr;

    QWidget* m_central = nullptr;
    QWidget* m_titles = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QTreeWidget* m_treeView = nullptr;
    mainwindow::RecordListView* m_listView = nullptr;
    mainwindow::SearchPanel* m_search = nullptr;
    mainwindow::SplitterStrip* m_strip = nullptr;
    QWidget* m_bar = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    mainwindow::HelpWindow* m_help = nullptr;

    QAction* m_fileOpen = nullptr;
    QAction* m_fileSave = nullptr;
    QAction* m_fileSaveAs = nullptr;
    QAction* m_fileClose = nullptr;
    QAction* m_fileProperties = nullptr;
    QAction* m_fileCompare = nullptr;
    QAction* m_fileRestore = nullptr;
    QAction* m_viewStatusBar = nullptr;
    QAction* m_editFind = nullptr;
    QAction* m_editCopyRows = nullptr;
    QAction* m_fileExportCsv = nullptr;
    mainwindow::RecentFiles m_recent;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentBar = nullptr;
    QAction* m_editUndo = nullptr;
    QAction* m_editRedo = nullptr;
    QAction* m_editHistory = nullptr;
    QAction* m_editReview = nullptr;
    QAction* m_editReviewBeforeSave = nullptr;
    bool m_inDialog = false;  // an edit dialog is open; it refreshes the window when it closes
};

}  // namespace korven
