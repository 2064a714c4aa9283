#include "mainwindow/frmMain.h"

#include "catalogue/ReferenceTables.h"
#include "editors/EditorDispatch.h"
#include "editors/ModuleMain.h"
#include "mainwindow/BatchEditDialog.h"
#include "mainwindow/ChangeCommands.h"
#include "mainwindow/ChangesDialog.h"
#include "mainwindow/DiagnosisDialog.h"
#include "mainwindow/DiagnosisIndicator.h"
#include "mainwindow/DroppedFile.h"
#include "mainwindow/EditState.h"
#include "mainwindow/HelpDesk.h"
#include "mainwindow/HistoryDialog.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/PaneArea.h"
#include "mainwindow/RecentMenu.h"
#include "mainwindow/RecipeCommands.h"
#include "mainwindow/RecipeFiles.h"
#include "mainwindow/RecipeMenu.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/WindowSinks.h"
#include "platform/ProgramInfo.h"
#include "platform/SettingsStore.h"
#include "preferences/PreferenceDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTreeWidget>

namespace korven {

using namespace mainwindow;
namespace lay = mainwindow::layout;
namespace mt = mainwindow::texts;

namespace {

const QString kPosition = QStringLiteral("Position");
const QString kOption = QStringLiteral("Option");
const QString kOther = QStringLiteral("Other");
const QString kReviewBeforeSave = QStringLiteral("ReviewBeforeSave");

}  // namespace

QString frmMain::defaultHelpFile() {
    return QStringLiteral(":/help/KorvEdit.html");
}

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent),
      m_settings(std::make_unique<SettingsStore>()),
      m_help(new HelpDesk(this, defaultHelpFile(), m_settings->location())) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(NoFileCaption());
    m_openers.record = [](const RecordKey& key, EditSession& session, QWidget* owner) {
        return OpenEditorForKey(key, session, owner);
    };
    if (EditorOpener properties = editorOpeners().fileProperties) {
        m_openers.properties = properties;
    }
    if (OptionsOpener options = preferenceOpeners().options) {
        m_openers.options = options;
    }
    if (AboutOpener about = preferenceOpeners().about) {
        m_openers.about = about;
    }

    buildMenus();
    buildPanes();
    m_status = std::make_unique<StatusPanel>(m_panel2);
    m_messages = std::make_unique<UiMessages>();
    m_document = std::make_unique<OpenDocument>(*m_status, *m_messages);
    m_browser = new RecordBrowser(m_panes, *m_document, *m_status, m_panel1);
    m_panes->setBrowser(m_browser);
    m_files = new FileCommands(this, *m_document, *m_settings, *m_status, *m_messages);
    statusBar()->addPermanentWidget(new DiagnosisIndicator(*m_document, *m_files, statusBar()));
    followBrowser();
    followFiles();
    followHistory();
    setMinimumSize(lay::ceilPixels(lay::kMinimumWindowWidth), lay::ceilPixels(lay::kMinimumWindowHeight));

    readSettings();
    showRecentFiles();
    setAcceptDrops(true);
    layOut();
    m_panes->setLabel1(mt::noFileLoaded());
    m_panel2->setText(mt::noFileLoaded());
    catalogue::FillReferenceTables();
    m_labelColours.text = m_settings->colour(kOption, QStringLiteral("LabelForeColor"), m_labelColours.text);
    m_labelColours.background =
        m_settings->colour(kOption, QStringLiteral("LabelBackColor"), m_labelColours.background);
}

frmMain::~frmMain() = default;

void frmMain::buildMenus() {
    auto action = [this](QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& shortcut = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(shortcut);
        return a;
    };
    auto separator = [](QMenu* menu, const char* name, bool visible = true) {
        QAction* a = menu->addSeparator();
        a->setObjectName(QString::fromLatin1(name));
        a->setVisible(visible);
        return a;
    };
    auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QString::fromLatin1(name));
        m->menuAction()->setObjectName(QString::fromLatin1(name));
        return m;
    };

    QMenu* file = menu("mnuFile", mt::menuFile());
    m_fileOpen = action(file, "mnuFileOpen", mt::menuFileOpen(), QKeySequence(Qt::CTRL | Qt::Key_O));
    m_fileSave = action(file, "mnuFileSave", mt::menuFileSave(), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_fileSaveAs = action(file, "mnuFileSaveAs", mt::menuFileSaveAs());
    // Ctrl+C is the Close shortcut here, not copy.
    m_fileClose = action(file, "mnuFileClose", mt::menuFileClose(), QKeySequence(Qt::CTRL | Qt::Key_C));
    separator(file, "mnuFileBar1");
    m_fileProperties = action(file, "mnuFileProperties", mt::menuFileProperties());
    m_fileCompare = action(file, "mnuFileCompare", mt::menuFileCompare());
    m_fileSaves = action(file, "mnuFileSaves", mt::menuFileSaves());
    m_fileRestore = action(file, "mnuFileRestore", mt::menuFileRestore());
    m_fileExportCsv = action(file, "mnuFileExportCsv", mt::menuFileExportCsv());
    m_fileRecipe = action(file, "mnuFileRecipe", mt::menuFileRecipe());
    separator(file, "munFileBar2");
    for (int i = 0; i < RecentFiles::kMaximum; ++i) {
        QAction* recent = action(file, QStringLiteral("mnuFileRecent_%1").arg(i).toLatin1().constData(), {});
        connect(recent, &QAction::triggered, this, [this, i] { m_files->openRecent(i); });
        m_recentActions.push_back(recent);
    }
    m_recentBar = separator(file, "mnuFileBarRecent");
    QAction* exit = action(file, "mnuFileExit", mt::menuFileExit(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = menu("mnuEdit", mt::menuEdit());
    m_editUndo = action(edit, "mnuEditUndo", mt::menuEditUndo(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_editRedo = action(edit, "mnuEditRedo", mt::menuEditRedo(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    m_editHistory = action(edit, "mnuEditHistory", mt::menuEditHistory());
    separator(edit, "mnuEditBar0");
    m_editReview = action(edit, "mnuEditReview", mt::menuEditReview());
    m_editReviewBeforeSave = action(edit, "mnuEditReviewBeforeSave", mt::menuEditReviewBeforeSave());
    m_editReviewBeforeSave->setCheckable(true);
    m_editDiagnosis = action(edit, "mnuEditDiagnosis", mt::menuEditDiagnosis());
    separator(edit, "mnuEditBarFind");
    m_editFind = action(edit, "mnuEditFind", mt::menuEditFind(), QKeySequence(Qt::CTRL | Qt::Key_F));
    // Ctrl+C stays the Close shortcut.
    m_editCopyRows = action(edit, "mnuEditCopyRows", mt::menuEditCopyRows(),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_editSelectAll =
        action(edit, "mnuEditSelectAll", mt::menuEditSelectAll(), QKeySequence(Qt::CTRL | Qt::Key_A));
    m_editBatch = action(edit, "mnuEditBatch", mt::menuEditBatch(), QKeySequence(Qt::CTRL | Qt::Key_B));
    m_editRecipes = edit->addMenu(mt::menuEditRecipes());
    m_editRecipes->setObjectName(QStringLiteral("mnuEditRecipes"));
    m_editRecipes->menuAction()->setObjectName(QStringLiteral("mnuEditRecipes"));
    // Present in the menu structure, hidden and without behaviour.
    for (const auto& [name, caption] :
         {std::pair{"mnuEditCut", mt::menuEditCut()}, std::pair{"mnuEditCopy", mt::menuEditCopy()},
          std::pair{"mnuEditPaste", mt::menuEditPaste()},
          std::pair{"mnuEditPasteSpecial", mt::menuEditPasteSpecial()}}) {
        action(edit, name, caption)->setVisible(false);
    }
    separator(edit, "mnuEditBar1", false);
    action(edit, "mnuEditInvertSelection", mt::menuEditInvertSelection())->setVisible(false);

    QMenu* view = menu("mnuView", mt::menuView());
    action(view, "mnuViewToolbar", mt::menuViewToolbar())->setVisible(false);
    m_viewStatusBar = action(view, "mnuViewStatusBar", mt::menuViewStatusBar());
    m_viewStatusBar->setCheckable(true);
    separator(view, "mnuViewBar0");
    for (const auto& [name, caption] : {std::pair{"mnuListViewMode_0", mt::menuViewLargeIcons()},
                                        std::pair{"mnuListViewMode_1", mt::menuViewSmallIcons()},
                                        std::pair{"mnuListViewMode_2", mt::menuViewList()},
                                        std::pair{"mnuListViewMode_3", mt::menuViewDetails()}}) {
        action(view, name, caption)->setVisible(false);
    }
    separator(view, "mnuViewBar1", false);
    action(view, "mnuViewRefresh", mt::menuViewRefresh())->setVisible(false);
    separator(view, "mnuViewBar2", false);
    QAction* options = action(view, "mnuViewOptions", mt::menuViewOptions());

    QMenu* help = menu("mnuHelp", mt::menuHelp());
    QAction* contents = action(help, "mnuHelpContents", mt::menuHelpContents());
    QAction* search = action(help, "mnuHelpSearch", mt::menuHelpSearch());
    separator(help, "mnuHelpBar1");
    QAction* about = action(help, "mnuHelpAbout", mt::menuHelpAbout());

    connect(m_fileProperties, &QAction::triggered, this, &frmMain::fileProperties);
    connect(exit, &QAction::triggered, this, &frmMain::close);
    connect(m_viewStatusBar, &QAction::triggered, this, &frmMain::toggleStatusBar);
    connect(options, &QAction::triggered, this, &frmMain::viewOptions);
    connect(contents, &QAction::triggered, m_help, &HelpDesk::showContents);
    connect(search, &QAction::triggered, m_help, &HelpDesk::showSearch);
    connect(about, &QAction::triggered, this, &frmMain::helpAbout);
    connect(m_editUndo, &QAction::triggered, this, &frmMain::editUndo);
    connect(m_editRedo, &QAction::triggered, this, &frmMain::editRedo);
    connect(m_editHistory, &QAction::triggered, this, &frmMain::editHistory);
    connect(m_editReview, &QAction::triggered, this, &frmMain::editReview);
    connect(m_editDiagnosis, &QAction::triggered, this, [this] {
        ShowDiagnosis(
            *m_document, [this](const RecordKey& key) { showRecord(key); }, this);
    });
    setFileMenus(false);
}

void frmMain::buildPanes() {
    m_panes = new PaneArea(this);
    setCentralWidget(m_panes);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("sbStatusBar"));
    m_panel1 = new QLabel(status);
    m_panel1->setObjectName(QStringLiteral("Panel_1"));
    m_panel1->setMinimumWidth(80);
    m_panel2 = new QLabel(status);
    m_panel2->setObjectName(QStringLiteral("Panel_2"));
    // A long message is cut rather than pushing the diagnosis count out of a narrow window.
    m_panel2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    status->addWidget(m_panel1);
    status->addWidget(m_panel2, 1);
    setStatusBar(status);
}

void frmMain::readSettings() {
    m_left = m_settings->number(kPosition, QStringLiteral("MainLeft"), 1000);
    m_top = m_settings->number(kPosition, QStringLiteral("MainTop"), 1000);
    m_width = m_settings->number(kPosition, QStringLiteral("MainWidth"), 8000);
    m_height = m_settings->number(kPosition, QStringLiteral("MainHeight"), 4500);
    const lay::Size size = lay::EnforceMinimumSize({m_width, m_height});
    m_width = size.width;
    m_height = size.height;
    move(lay::toPixels(m_left), lay::toPixels(m_top));
    resize(lay::toPixels(m_width), lay::toPixels(m_height));
    m_panes->setSplitter(m_settings->number(kPosition, QStringLiteral("Splitter"), 2500));

    const bool statusBarShown = m_settings->flag(kOption, QStringLiteral("StatusBar"), true);
    m_viewStatusBar->setChecked(statusBarShown);
    statusBar()->setVisible(statusBarShown);
    m_editReviewBeforeSave->setChecked(m_settings->flag(kOption, kReviewBeforeSave, false));

    m_gamePath = m_settings->text(kOption, QStringLiteral("GamePath"));
}

void frmMain::writeSettings() {
    m_settings->setNumber(kPosition, QStringLiteral("MainTop"), lay::keepTwips(m_top, y()));
    m_settings->setNumber(kPosition, QStringLiteral("MainLeft"), lay::keepTwips(m_left, x()));
    m_settings->setNumber(kPosition, QStringLiteral("MainWidth"), windowWidth());
    m_settings->setNumber(kPosition, QStringLiteral("MainHeight"), windowHeight());
    m_settings->setNumber(kPosition, QStringLiteral("Splitter"), m_panes->splitter());
    m_settings->setFlag(kOption, QStringLiteral("StatusBar"), m_viewStatusBar->isChecked());
    m_settings->setFlag(kOption, kReviewBeforeSave, m_editReviewBeforeSave->isChecked());
    m_settings->setText(kOther, QStringLiteral("Version"), program::settingsVersion());
    m_settings->sync();
}

// ---- Layout ----

double frmMain::windowWidth() const {
    return lay::keepWindowTwips(m_width, width(), lay::kMinimumWindowWidth);
}

double frmMain::windowHeight() const {
    return lay::keepWindowTwips(m_height, height(), lay::kMinimumWindowHeight);
}

const lay::PaneLayout& frmMain::paneLayout() const {
    return m_panes->paneLayout();
}

double frmMain::splitterPosition() const {
    return m_panes->splitter();
}

void frmMain::layOut() {
    m_panes->layOut({windowWidth(), windowHeight()}, m_viewStatusBar->isChecked());
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_width = windowWidth();
    m_height = windowHeight();
    const lay::Size enforced = lay::EnforceMinimumSize({m_width, m_height});
    if (enforced.width != m_width || enforced.height != m_height) {
        resize(lay::toPixels(enforced.width), lay::toPixels(enforced.height));
        return;
    }
    layOut();
}

void frmMain::toggleStatusBar(bool checked) {
    statusBar()->setVisible(checked);
    layOut();
}

// Every store of the dialog becomes one step of the document's history.
EditSession frmMain::sessionFor(const QString& itemText, const QString& recordName) {
    return EditSession(*m_document, recordName, itemText, m_gamePath, m_labelColours);
}

void frmMain::fileProperties() {
    if (!m_document->isOpen() || !m_openers.properties) {
        return;
    }
    EditSession session = sessionFor(QString(), mt::propertiesStepName());
    {
        const QScopedValueRollback inDialog(m_inDialog, true);
        m_openers.properties(session, this);
    }
    showEditState();
}

void frmMain::viewOptions() {
    if (m_openers.options) {
        Preferences preferences{m_gamePath, *m_settings};
        m_openers.options(preferences, this);
    }
}

void frmMain::helpAbout() {
    if (m_openers.about) {
        m_openers.about(this);
    }
}

void frmMain::showEditState() {
    if (!m_document->isOpen()) {
        return;
    }
    const EditStateTexts state =
        EditStateFor(m_document->path(), m_document->isReadOnly(), m_document->isChanged());
    setWindowTitle(state.caption);
    m_panes->setTitles(state.label1, state.label2);
}

void frmMain::closeEvent(QCloseEvent* event) {
    const bool cancelled = !m_files->close();
    writeSettings();
    if (cancelled) {
        event->ignore();
        return;
    }
    m_help->closeViewer();
    event->accept();
}

// ---- Following the file commands and the browser ----

void frmMain::followFiles() {
    FileCommands* files = m_files;
    connect(m_fileOpen, &QAction::triggered, files, &FileCommands::open);
    connect(m_fileSave, &QAction::triggered, files, &FileCommands::save);
    connect(m_fileSaveAs, &QAction::triggered, files, &FileCommands::saveAs);
    connect(m_fileClose, &QAction::triggered, files, &FileCommands::close);
    connect(m_fileCompare, &QAction::triggered, files, &FileCommands::compare);
    connect(m_fileRestore, &QAction::triggered, files, &FileCommands::restoreBackup);
    connect(m_fileSaves, &QAction::triggered, files, [this] { m_files->listSaves(m_gamePath); });
    connect(m_editReviewBeforeSave, &QAction::toggled, files, &FileCommands::setReviewBeforeSave);
    connect(files, &FileCommands::opened, this, [this] {
        m_browser->showFile();
        setFileMenus(true);
        showEditState();
    });
    connect(files, &FileCommands::closed, this, [this] {
        setWindowTitle(NoFileCaption());
        m_panel2->setText(mt::noFileLoaded());
        m_browser->clear();
        setFileMenus(false);
    });
    connect(files, &FileCommands::editStateChanged, this, &frmMain::showEditState);
    connect(files, &FileCommands::backupRestored, this, [this] {
        showEditState();
        m_browser->refreshList(m_browser->currentListPosition());
    });
    connect(files, &FileCommands::recentChanged, this, &frmMain::showRecentFiles);
    connect(files, &FileCommands::recordWanted, this, &frmMain::showRecord);
}

void frmMain::followBrowser() {
    connect(m_editFind, &QAction::triggered, m_browser->search(), &SearchPanel::focusBox);
    connect(m_editCopyRows, &QAction::triggered, m_browser, &RecordBrowser::copyRows);
    connect(m_editSelectAll, &QAction::triggered, m_browser, &RecordBrowser::selectAllRows);
    connect(m_fileExportCsv, &QAction::triggered, m_browser, &RecordBrowser::exportCsv);
    connect(m_browser, &RecordBrowser::recordActivated, this, &frmMain::openSelectedRecord);
    ConnectBatchEdit(m_editBatch, *m_document, *m_browser, this);
    ConnectRecipes(m_fileRecipe, m_editRecipes, *m_document, *m_settings, this);
}

void frmMain::setFileMenus(bool open) {
    m_fileOpen->setEnabled(!open);
    for (QAction* a : {m_fileSave, m_fileSaveAs, m_fileClose, m_fileProperties, m_fileCompare, m_fileRestore,
                       m_fileExportCsv, m_fileRecipe, m_editRecipes->menuAction(), m_editHistory,
                       m_editReview, m_editDiagnosis, m_editFind, m_editCopyRows, m_editSelectAll}) {
        a->setEnabled(open);
    }
}

void frmMain::showRecentFiles() {
    ShowRecentPaths(m_files->recent().paths(), m_recentActions, m_recentBar);
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(*event->mimeData())) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedFile(*event->mimeData());
    if (!path) {
        return;
    }
    event->acceptProposedAction();
    // A recipe dropped on an open save runs on it; anything else takes the save's place.
    if (m_document->isOpen() && LooksLikeRecipe(*path)) {
        RunRecipe(*m_document, *path, this);
        return;
    }
    m_files->openInPlace(*path);
}

// ---- Edit history ----

// The menu and the window follow the history however it moves: a dialog's store, the menu,
// or a click in the history view.
void frmMain::followHistory() {
    QUndoStack& history = m_document->history();
    m_editUndo->setEnabled(false);
    m_editRedo->setEnabled(false);
    connect(&history, &QUndoStack::canUndoChanged, m_editUndo, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, m_editRedo, &QAction::setEnabled);
    connect(&history, &QUndoStack::undoTextChanged, m_editUndo, [this](const QString& step) {
        m_editUndo->setText(step.isEmpty() ? mt::menuEditUndo() : mt::menuEditUndoStep(step));
    });
    connect(&history, &QUndoStack::redoTextChanged, m_editRedo, [this](const QString& step) {
        m_editRedo->setText(step.isEmpty() ? mt::menuEditRedo() : mt::menuEditRedoStep(step));
    });
    connect(m_document.get(), &OpenDocument::changed, this, [this] {
        // Names may have changed: the search finds records as they are now.
        m_browser->recordsChanged();
        if (m_document->isOpen() && !m_inDialog) {
            showEditState();
            // A batch edit, an undo or a revert leaves the rows it was made on selected.
            m_browser->refreshKeepingSelection();
        }
    });
}

void frmMain::editUndo() {
    m_document->undo();
}

void frmMain::editRedo() {
    m_document->redo();
}

void frmMain::editHistory() {
    if (m_document->isOpen()) {
        ShowHistory(
            m_document->history(), this,
            [this](int step) {
                if (const std::optional<RecordKey> key = RecordOfStep(*m_document, step)) {
                    showRecord(*key);
                }
            },
            [this](int step, QWidget* owner) { SaveStepsAsRecipe(*m_document, step, owner); });
    }
}

void frmMain::showRecord(const RecordKey& key) {
    if (m_browser->showRecord(key)) {
        openSelectedRecord();
    }
}

void frmMain::editReview() {
    if (m_document->isOpen()) {
        ShowChanges(m_files->pendingChanges(), mt::reviewCaption(), ChangesPurpose::Review, this,
                    ReviewActions(*m_document, [this](const RecordKey& key) { showRecord(key); }));
    }
}

void frmMain::openSelectedRecord() {
    const RecordListView& list = *m_browser->list();
    const std::optional<int> row = list.selectedRow();
    if (!row || !m_document->isOpen()) {
        return;
    }
    const std::optional<RecordKey> key = list.rowKey(*row);
    if (!key) {
        return;
    }
    const int position = *row + 1;
    // The list is refreshed once when the dialog closes, not under it at every Apply.
    const QScopedValueRollback inDialog(m_inDialog, true);
    const QString itemText = list.cellText(*row, 0);
    EditSession session = sessionFor(itemText, itemText);
    // A ship whose class number is outside the table is listed, but has no class to edit.
    const std::optional<EditorRequest> request = RequestFor(*key, *m_document->model());
    const bool classMissing =
        request && request->kind == EditorKind::Ship && request->selection.ship >= 0 &&
        (request->selection.record < 0 || request->selection.record >= SaveFile::kShipClasses);
    if (request) {
        session.selection = request->selection;
    }
    if (!classMissing && m_openers.record) {
        // Opened from a view over the window (変更内容, 比較, 編集履歴), the dialog belongs to it.
        QWidget* owner = QApplication::activeModalWidget();
        m_openers.record(*key, session, owner != nullptr ? owner : this);
    }
    showEditState();
    m_browser->refreshList(position);
}

}  // namespace korven
