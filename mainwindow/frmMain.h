#pragma once

#include "editors/EditSession.h"
#include "mainwindow/CategoryTree.h"
#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RowSorting.h"
#include "mainwindow/WindowLayout.h"
#include "model/SaveFile.h"
#include "platform/LockedFile.h"
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
class SplitterStrip;
}  // namespace mainwindow

// The main window: it owns the open file (path, read-only and file-changed flags, the model
// and the locked handle), shows the category tree and the record list, runs the File, View
// and Help commands and keeps its layout in the settings.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // How the window opens its dialogs. The defaults are the registries the dialog units plug
    // into; tests put recorders in their place.
    struct DialogOpeners {
        std::function<bool(const QString& rowKey, EditSession& session, QWidget* owner)> record{};
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

    // The program's arguments as one text: opens the file it names, if any.
    void runCommandLine(const QString& commandLine);
    // Opens `path` (read-only when asked) as the open file; false when it was not opened, the
    // user having been told why.
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

    // Opens the editor of the selected row, then refreshes the edit state and the list.
    void openSelectedRecord();
    void showEditState();

    // Selects the tree node with `key` (expanding its parents) and shows its list.
    bool selectNode(const QString& key);

    const QString& openFilePath() const { return m_path; }
    bool isReadOnly() const { return m_readOnly; }
    bool isFileChanged() const { return m_changed; }
    SaveFile* saveFile() const { return m_model.get(); }
    const QString& gamePath() const { return m_gamePath; }
    // The layout last applied and the bar's left edge (the saved splitter position), twips.
    const mainwindow::layout::PaneLayout& paneLayout() const { return m_layout; }
    double splitterPosition() const { return m_splitter; }
    std::optional<mainwindow::ListKind> currentListKind() const { return m_kind; }

    void setDialogOpeners(DialogOpeners openers);
    void setHelpFile(const QString& file);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class StatusPanel;

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

    bool runOpenRoutine();
    bool saveAsCopy(const QString& target);
    // Before the first write after opening, keeps the file as it is on disk in the backups.
    bool backUpBeforeFirstWrite();
    void setFileMenus(bool open);
    void buildTree();
    void showListFor(QTreeWidgetItem* node);
    void setUpColumns(mainwindow::ListKind kind);
    void sortByColumn(int column);
    void refreshList(int position);
    void showHelp(bool search);
    // A help viewer owned by `owner` with the help document loaded; null (after a message) when
    // there is no help file or it cannot be read.
    mainwindow::HelpWindow* loadHelp(QWidget* owner);
    void showHelpForFrontWindow();
    EditSession sessionFor(const QString& itemText);

    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<StatusPanel> m_status;
    DialogOpeners m_openers;
    QString m_helpFile;

    // The open file.
    QString m_path;
    bool m_readOnly = false;
    bool m_changed = false;
    std::unique_ptr<SaveFile> m_model;
    std::unique_ptr<LockedFile> m_handle;
    bool m_backedUp = false;  // the open file's backup exists
    QString m_backupPath;     // the latest backup, named in the status bar after a save
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
    QAction* m_viewStatusBar = nullptr;
};

}  // namespace korven
