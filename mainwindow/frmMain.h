#pragma once

#include "document/OpenDocument.h"
#include "editors/EditSession.h"
#include "mainwindow/FileCommands.h"
#include "mainwindow/RecordBrowser.h"
#include "mainwindow/WindowLayout.h"
#include "model/SaveFile.h"
#include "platform/Sinks.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;

namespace korven {

class SettingsStore;
struct Preferences;

namespace mainwindow {
class HelpDesk;
class PaneArea;
class StatusPanel;
class UiMessages;
}  // namespace mainwindow

// The main window: the view of the open document. It lays out the record browser, wires the
// menus to the file commands, runs the Edit, View and Help commands and keeps its layout in the
// settings.
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

    FileCommands& files() const { return *m_files; }
    RecordBrowser& browser() const { return *m_browser; }
    mainwindow::HelpDesk& help() const { return *m_help; }

    // The View, Help and Edit commands, as their menu items run them.
    void fileProperties();
    void viewOptions();
    void helpAbout();
    void editUndo();
    void editRedo();
    void editHistory();
    void editReview();

    // Opens the editor of the selected row, then refreshes the edit state and the list.
    void openSelectedRecord();
    void showEditState();

    const QString& openFilePath() const { return m_document->path(); }
    bool isReadOnly() const { return m_document->isReadOnly(); }
    bool isFileChanged() const { return m_document->isChanged(); }
    const SaveFile* saveFile() const { return m_document->model(); }
    OpenDocument& document() const { return *m_document; }
    const QString& gamePath() const { return m_gamePath; }
    const colours::LabelColours& labelColours() const { return m_labelColours; }
    // The layout last applied and the bar's left edge (the saved splitter position), twips.
    const mainwindow::layout::PaneLayout& paneLayout() const;
    double splitterPosition() const;

    void setDialogOpeners(DialogOpeners openers) { m_openers = std::move(openers); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildPanes();
    void readSettings();
    void writeSettings();

    void layOut();
    double windowWidth() const;
    double windowHeight() const;
    void toggleStatusBar(bool checked);

    void followFiles();
    void followBrowser();
    void setFileMenus(bool open);
    void showRecentFiles();
    void followHistory();
    // Selects a record in the tree and the list and opens its dialog.
    void showRecord(const RecordKey& key);
    EditSession sessionFor(const QString& itemText, const QString& recordName);

    std::unique_ptr<SettingsStore> m_settings;
    mainwindow::HelpDesk* m_help;
    std::unique_ptr<mainwindow::StatusPanel> m_status;
    std::unique_ptr<mainwindow::UiMessages> m_messages;
    std::unique_ptr<OpenDocument> m_document;
    DialogOpeners m_openers;

    QString m_gamePath;
    colours::LabelColours m_labelColours;  // from the settings, for every edit dialog

    // Window measures as read or last applied, twips.
    double m_left = 0;
    double m_top = 0;
    double m_width = 0;
    double m_height = 0;

    mainwindow::PaneArea* m_panes = nullptr;
    RecordBrowser* m_browser = nullptr;
    FileCommands* m_files = nullptr;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;

    QAction* m_fileOpen = nullptr;
    QAction* m_fileSave = nullptr;
    QAction* m_fileSaveAs = nullptr;
    QAction* m_fileClose = nullptr;
    QAction* m_fileProperties = nullptr;
    QAction* m_fileCompare = nullptr;
    QAction* m_fileSaves = nullptr;
    QAction* m_fileRestore = nullptr;
    QAction* m_viewStatusBar = nullptr;
    QAction* m_editFind = nullptr;
    QAction* m_editCopyRows = nullptr;
    QAction* m_editBatch = nullptr;
    QAction* m_editSelectAll = nullptr;
    QAction* m_fileExportCsv = nullptr;
    QAction* m_fileRecipe = nullptr;
    QMenu* m_editRecipes = nullptr;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentBar = nullptr;
    QAction* m_editUndo = nullptr;
    QAction* m_editRedo = nullptr;
    QAction* m_editHistory = nullptr;
    QAction* m_editReview = nullptr;
    QAction* m_editReviewBeforeSave = nullptr;
    QAction* m_editDiagnosis = nullptr;
    bool m_inDialog = false;  // an edit dialog is open; it refreshes the window when it closes
};

}  // namespace korven
