#include "mainwindow/frmMain.h"

#include "catalogue/ReferenceTables.h"
#include "editors/EditorDispatch.h"
#include "editors/ModuleMain.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/EditState.h"
#include "mainwindow/FileFilter.h"
#include "mainwindow/HelpTopics.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/RecordRows.h"
#include "mainwindow/SplitterStrip.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileBackup.h"
#include "model/SaveFileWriter.h"
#include "platform/Backups.h"
#include "platform/ProgramInfo.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"
#include "preferences/PreferenceDialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTreeWidget>

namespace korven {

using namespace mainwindow;
namespace lay = mainwindow::layout;
namespace mt = mainwindow::texts;

namespace {

constexpr int kNodeKeyRole = Qt::UserRole;
constexpr int kNodeIndexRole = Qt::UserRole + 1;

const QString kPosition = QStringLiteral("Position");
const QString kOption = QStringLiteral("Option");
const QString kOther = QStringLiteral("Other");

QRect pixelRect(double left, double top, double width, double height) {
    return QRect(lay::toPixels(left), lay::toPixels(top), std::max(0, lay::toPixels(width)),
                 std::max(0, lay::toPixels(height)));
}

bool samePath(const QString& a, const QString& b) {
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists()) {
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    }
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

// Progress texts go to panel 2 and are painted at once, as loading and saving block the loop.
class frmMain::StatusPanel : public StatusSink {
public:
    explicit StatusPanel(QLabel* panel) : m_panel(panel) {}
    void showStatus(const QString& text) override {
        m_panel->setText(text);
        m_panel->repaint();
    }

private:
    QLabel* m_panel;
};

QString frmMain::defaultHelpFile() {
    return QStringLiteral(":/help/KorvEdit.html");
}

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent), m_settings(std::make_unique<SettingsStore>()), m_helpFile(defaultHelpFile()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(NoFileCaption());
    m_openers.record = [](const QString& key, EditSession& session, QWidget* owner) {
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
    // F1 opens the help at the topic of whichever window is in front, modal dialogs included.
    qApp->installEventFilter(this);
    setMinimumSize(lay::ceilPixels(lay::kMinimumWindowWidth), lay::ceilPixels(lay::kMinimumWindowHeight));

    readSettings();
    layOut(0);
    m_changed = false;
    m_label1->setText(mt::noFileLoaded());
    m_panel2->setText(mt::noFileLoaded());
    catalogue::FillReferenceTables();
    ResetEditingColours();
    editingState().LabelForeColor =
        m_settings->colour(kOption, QStringLiteral("LabelForeColor"), 0x8000000Eu);
    editingState().LabelBackColor =
        m_settings->colour(kOption, QStringLiteral("LabelBackColor"), 0x80000010u);
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
    separator(file, "munFileBar2");
    QAction* exit = action(file, "mnuFileExit", mt::menuFileExit(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Present in the menu structure, hidden and without behaviour.
    QMenu* edit = menu("mnuEdit", mt::menuEdit());
    action(edit, "mnuEditUndo", mt::menuEditUndo());
    separator(edit, "mnuEditBar0");
    action(edit, "mnuEditCut", mt::menuEditCut());
    action(edit, "mnuEditCopy", mt::menuEditCopy());
    action(edit, "mnuEditPaste", mt::menuEditPaste());
    action(edit, "mnuEditPasteSpecial", mt::menuEditPasteSpecial());
    separator(edit, "mnuEditBar1");
    action(edit, "mnuEditSelectAll", mt::menuEditSelectAll());
    action(edit, "mnuEditInvertSelection", mt::menuEditInvertSelection());
    edit->menuAction()->setVisible(false);

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

    connect(m_fileOpen, &QAction::triggered, this, &frmMain::fileOpen);
    connect(m_fileSave, &QAction::triggered, this, &frmMain::fileSave);
    connect(m_fileSaveAs, &QAction::triggered, this, &frmMain::fileSaveAs);
    connect(m_fileClose, &QAction::triggered, this, &frmMain::fileClose);
    connect(m_fileProperties, &QAction::triggered, this, &frmMain::fileProperties);
    connect(exit, &QAction::triggered, this, &frmMain::close);
    connect(m_viewStatusBar, &QAction::triggered, this, &frmMain::toggleStatusBar);
    connect(options, &QAction::triggered, this, &frmMain::viewOptions);
    connect(contents, &QAction::triggered, this, &frmMain::helpContents);
    connect(search, &QAction::triggered, this, &frmMain::helpSearch);
    connect(about, &QAction::triggered, this, &frmMain::helpAbout);
    setFileMenus(false);
}

void frmMain::buildPanes() {
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("central"));
    setCentralWidget(m_central);

    m_titles = new QWidget(m_central);
    m_titles->setObjectName(QStringLiteral("picTitles"));
    m_label1 = new QLabel(mt::label1Design(), m_titles);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setToolTip(mt::label1ToolTip());
    m_label2 = new QLabel(mt::label2Design(), m_titles);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setToolTip(mt::label2ToolTip());
    for (QLabel* label : {m_label1, m_label2}) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setIndent(3);
    }

    m_treeView = new QTreeWidget(m_central);
    m_treeView->setObjectName(QStringLiteral("TreeView"));
    m_treeView->setHeaderHidden(true);
    m_treeView->setUniformRowHeights(true);

    m_listView = new RecordListView(m_central);
    m_listView->setObjectName(QStringLiteral("ListView"));
    m_treeView->setAccessibleName(mt::treeName());
    m_listView->setAccessibleName(mt::listName());

    m_strip = new SplitterStrip(m_central);
    m_strip->setObjectName(QStringLiteral("imgSplitter"));
    m_bar = new QWidget(m_central);
    m_bar->setObjectName(QStringLiteral("picSplitter"));
    m_bar->setAutoFillBackground(true);
    QPalette dark = m_bar->palette();
    dark.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    m_bar->setPalette(dark);
    m_bar->hide();

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("sbStatusBar"));
    m_panel1 = new QLabel(status);
    m_panel1->setObjectName(QStringLiteral("Panel_1"));
    m_panel1->setMinimumWidth(80);
    m_panel2 = new QLabel(status);
    m_panel2->setObjectName(QStringLiteral("Panel_2"));
    status->addWidget(m_panel1);
    status->addWidget(m_panel2, 1);
    setStatusBar(status);
    m_central->installEventFilter(this);
    m_treeView->viewport()->installEventFilter(this);

    connect(m_treeView, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { showListFor(current); });
    connect(m_treeView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        // A click on the node already selected lists it again; a new node was listed when it
        // became current.
        if (item == m_nodeBeforePress) {
            showListFor(item);
        }
    });
    connect(m_treeView, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* collapsed) {
        // A collapsed node takes over the selection of a node it hides, so the list never
        // shows (and Enter never opens) records of a node the tree no longer shows selected.
        for (QTreeWidgetItem* up = m_treeView->currentItem(); up != nullptr; up = up->parent()) {
            if (up->parent() == collapsed) {
                m_treeView->setCurrentItem(collapsed);
                return;
            }
        }
        showListFor(m_treeView->currentItem());
    });
    connect(m_listView, &QTreeWidget::itemDoubleClicked, this, &frmMain::openSelectedRecord);
    connect(m_listView, &RecordListView::enterPressed, this, &frmMain::openSelectedRecord);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, &frmMain::sortByColumn);
    connect(m_strip, &SplitterStrip::pressed, this, &frmMain::startDrag);
    connect(m_strip, &SplitterStrip::moved, this, &frmMain::drag);
    connect(m_strip, &SplitterStrip::released, this, &frmMain::endDrag);
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
    m_splitter = m_settings->number(kPosition, QStringLiteral("Splitter"), 2500);

    const bool statusBarShown = m_settings->flag(kOption, QStringLiteral("StatusBar"), true);
    m_viewStatusBar->setChecked(statusBarShown);
    statusBar()->setVisible(statusBarShown);

    m_gamePath = m_settings->text(kOption, QStringLiteral("GamePath"));
}

void frmMain::writeSettings() {
    m_settings->setNumber(kPosition, QStringLiteral("MainTop"), lay::keepTwips(m_top, y()));
    m_settings->setNumber(kPosition, QStringLiteral("MainLeft"), lay::keepTwips(m_left, x()));
    m_settings->setNumber(kPosition, QStringLiteral("MainWidth"), windowWidth());
    m_settings->setNumber(kPosition, QStringLiteral("MainHeight"), windowHeight());
    m_settings->setNumber(kPosition, QStringLiteral("Splitter"), m_splitter);
    m_settings->setFlag(kOption, QStringLiteral("StatusBar"), m_viewStatusBar->isChecked());
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

void frmMain::layOut(double position) {
    const double x = position == 0 ? m_splitter : position;
    m_layout = lay::LayOut(windowWidth(), windowHeight(), x, m_viewStatusBar->isChecked());
    applyLayout();
}

void frmMain::applyLayout() {
    const lay::PaneLayout& l = m_layout;
    const double width = windowWidth();
    m_titles->setGeometry(pixelRect(0, 0, width, lay::kTitleHeight));
    m_label1->setGeometry(pixelRect(0, 0, l.label1Width, lay::kTitleHeight));
    m_label2->setGeometry(
        pixelRect(l.label2Left, 0, lay::kRightLabelOffset - lay::kListGap, lay::kTitleHeight));
    // The pane-height allowances count the frame, menu and status bar measures of another
    // platform; here the panes take the height between the title strip and the status bar.
    const int top = lay::toPixels(lay::kTitleHeight);
    const int height = std::max(0, m_central->height() - top);
    auto place = [&](QWidget* w, double left, double paneWidth) {
        w->setGeometry(lay::toPixels(left), top, std::max(0, lay::toPixels(paneWidth)), height);
    };
    place(m_treeView, 0, l.treeWidth);
    place(m_listView, l.listLeft, l.listWidth);
    place(m_strip, l.stripLeft, lay::kStripWidth);
    // The strip lies over the list's left edge, so the whole strip can be grabbed.
    m_strip->raise();
    m_bar->raise();
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
    layOut(0);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        showHelpForFrontWindow();
        return true;
    }
    if (watched == m_central && event->type() == QEvent::Resize) {
        applyLayout();
    } else if (watched == m_treeView->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_nodeBeforePress = m_treeView->currentItem();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::startDrag() {
    const lay::BarGeometry g = lay::DragBarAtStart(m_layout.stripLeft, lay::kTitleHeight, lay::kStripWidth,
                                                   lay::toTwips(m_strip->height()));
    m_bar->setGeometry(pixelRect(g.left, g.top, g.width, g.height));
    m_splitter = g.left;
    m_bar->show();
    m_bar->raise();
    m_dragging = true;
}

void frmMain::drag(int x) {
    if (!m_dragging) {
        return;
    }
    m_splitter = lay::DragBarLeft(m_layout.stripLeft, lay::toTwips(x), windowWidth());
    m_bar->move(lay::toPixels(m_splitter), m_bar->y());
}

void frmMain::endDrag() {
    layOut(m_splitter);
    m_bar->hide();
    m_dragging = false;
}

void frmMain::toggleStatusBar(bool checked) {
    statusBar()->setVisible(checked);
    layOut(0);
}

// ---- Command line and the open routine ----

void frmMain::runCommandLine(const QString& commandLine) {
    if (commandLine.isEmpty()) {
        return;
    }
    const QString path = CommandLinePath(commandLine);
    const CommandLineTarget target = ExaminePath(path);
    switch (target.kind) {
        case PathKind::Folder:
            ui().show(Message(mt::folderGiven(), MessageIcon::Exclamation));
            return;
        case PathKind::Missing:
            ui().show(Message(mt::parameterError()));
            return;
        case PathKind::File:
            break;
    }
    openFile(path, target.readOnly);
}

bool frmMain::openFile(const QString& path, bool readOnly) {
    if (!m_path.isEmpty()) {
        ui().show(Message(mt::secondFile(), MessageIcon::Exclamation));
        return false;
    }
    m_path = path;
    m_readOnly = readOnly;
    if (m_path.isEmpty()) {
        return false;
    }
    return runOpenRoutine();
}

bool frmMain::runOpenRoutine() {
    // A fresh model, so that a failed load never leaves a half-filled one behind.
    auto model = std::make_unique<SaveFile>();
    OpenedSaveFile opened =
        OpenSaveFile(m_path, m_readOnly ? LockMode::ReadOnly : LockMode::Normal, *model, *m_status, ui());
    switch (opened.outcome) {
        case OpenOutcome::CannotOpen:
            m_path.clear();
            return false;
        case OpenOutcome::NotASaveFile:
        case OpenOutcome::LoadFailed:
            fileClose();
            return false;
        case OpenOutcome::Opened:
            break;
    }
    m_model = std::move(model);
    m_handle = std::move(opened.handle);
    m_backedUp = false;
    m_backupPath.clear();
    buildTree();
    setFileMenus(true);
    showEditState();
    return true;
}

void frmMain::setFileMenus(bool open) {
    m_fileOpen->setEnabled(!open);
    for (QAction* a : {m_fileSave, m_fileSaveAs, m_fileClose, m_fileProperties}) {
        a->setEnabled(open);
    }
}

// ---- File commands ----

void frmMain::fileOpen() {
    if (!m_path.isEmpty()) {
        ui().show(Message(mt::secondFile(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::openDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.showReadOnlyBox = true;
    const std::optional<OpenFileChoice> choice = ui().getOpenFile(this, options);
    if (!choice) {
        return;
    }
    openFile(choice->path, choice->readOnly);
}

bool frmMain::fileSave() {
    if (m_path.isEmpty() || !m_model || !m_handle) {
        ui().show(Message(mt::noFileLoaded(), MessageIcon::Exclamation));
        return false;
    }
    if (m_readOnly) {
        const MessageAnswer answer = ui().show(Message(mt::readOnlySaveQuestion(), MessageIcon::Question,
                                                       MessageButtons::YesNo, MessageAnswer::No));
        if (answer != MessageAnswer::Yes) {
            return false;
        }
        if (!m_handle->reopenForWriting()) {
            ui().show(Message(mt::cannotLeaveReadOnly(), MessageIcon::Error));
            return false;
        }
        m_readOnly = false;
    }
    // A failed write leaves the file as it was; the flag stays set so that nothing is lost.
    if (backUpBeforeFirstWrite() && WriteSaveFile(*m_model, *m_handle, *m_status, ui())) {
        m_changed = false;
        if (!m_backupPath.isEmpty()) {
            m_status->showStatus(mt::savedWithBackup(m_backupPath));
        }
    }
    showEditState();
    return !m_changed;
}

bool frmMain::backUpBeforeFirstWrite() {
    if (m_backedUp) {
        return true;
    }
    const std::optional<QString> backup = BackUpSaveFile(*m_handle, BackupStore(), ui());
    if (!backup) {
        return false;
    }
    m_backedUp = true;
    m_backupPath = *backup;
    return true;
}

void frmMain::fileSaveAs() {
    if (m_path.isEmpty() || !m_model) {
        ui().show(Message(mt::noFileLoaded(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::saveAsDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.defaultSuffix = mt::saveSuffix();
    options.directory = QFileInfo(m_path).absolutePath();
    const std::optional<QString> chosen = ui().getSaveFile(this, options);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    if (samePath(*chosen, m_path)) {
        fileSave();
        return;
    }
    saveAsCopy(*chosen);
    showEditState();
}

// Writes the edited image under the new name; the old file stays open until the new one is
// complete and locked, so a failure leaves the window as it was.
bool frmMain::saveAsCopy(const QString& target) {
    SavedAs saved = WriteSaveFileAs(*m_model, target, BackupStore(), *m_status, ui());
    if (!saved.handle) {
        return false;
    }
    m_handle = std::move(saved.handle);
    m_path = target;
    m_readOnly = false;
    m_changed = false;
    // The new file was written whole by us; a file it replaced was backed up first.
    m_backedUp = true;
    m_backupPath = saved.backup.value_or(QString());
    if (!m_backupPath.isEmpty()) {
        m_status->showStatus(mt::savedWithBackup(m_backupPath));
    }
    return true;
}

bool frmMain::fileClose() {
    if (m_changed) {
        const MessageAnswer answer = ui().show(Message(mt::saveQuestion(m_path), MessageIcon::Question,
                                                       MessageButtons::YesNoCancel, MessageAnswer::Yes));
        if (answer == MessageAnswer::Yes) {
            fileSave();
            if (m_changed) {
                return false;
            }
        } else if (answer != MessageAnswer::No) {
            return false;
        }
    }
    m_handle.reset();
    m_model.reset();
    m_changed = false;
    m_path.clear();
    setWindowTitle(NoFileCaption());
    m_panel2->setText(mt::noFileLoaded());
    m_treeView->clear();
    m_listView->clear();
    m_panel1->clear();
    m_sort = {};
    setFileMenus(false);
    return true;
}

EditSession frmMain::sessionFor(const QString& itemText) {
    return EditSession{*m_model, [this] { m_changed = true; }, {}, itemText, m_gamePath, m_path};
}

void frmMain::fileProperties() {
    if (!m_model || !m_openers.properties) {
        return;
    }
    EditSession session = sessionFor(QString());
    m_openers.properties(session, this);
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

void frmMain::helpContents() {
    showHelp(false);
}

void frmMain::helpSearch() {
    showHelp(true);
}

void frmMain::showHelp(bool search) {
    if (m_help == nullptr) {
        m_help = loadHelp(this);
    }
    if (m_help == nullptr) {
        return;
    }
    if (search) {
        m_help->showSearch();
    } else {
        m_help->showContents();
    }
}

HelpWindow* frmMain::loadHelp(QWidget* owner) {
    if (m_helpFile.isEmpty()) {
        ui().show(Message(mt::noHelp(), MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok,
                          windowTitle()));
        return nullptr;
    }
    auto* help = new HelpWindow(owner);
    if (!help->load(m_helpFile, m_settings->location())) {
        delete help;
        ui().show(Message(mt::helpFileMissing(m_helpFile), MessageIcon::Error));
        return nullptr;
    }
    return help;
}

void frmMain::showHelpForFrontWindow() {
    if (qobject_cast<HelpWindow*>(QApplication::activeWindow()) != nullptr) {
        return;  // the help is in front already
    }
    // A message box or file dialog in front belongs to the window that opened it.
    QWidget* front = QApplication::activeModalWidget();
    QString topic;
    for (QWidget* w = front; w != nullptr && topic.isEmpty(); w = w->parentWidget()) {
        topic = HelpTopicFor(w->window()->objectName());
    }
    if (front == nullptr) {
        topic = HelpTopicFor(objectName());
        showHelp(false);
        if (m_help != nullptr) {
            m_help->showTopic(topic);
        }
        return;
    }
    // A modal window blocks every window but its own, so it gets a help viewer of its own,
    // which closes with it.
    auto* help = front->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr) {
        help = loadHelp(front);
    }
    if (help != nullptr) {
        help->showTopic(topic);
    }
}

void frmMain::showEditState() {
    if (m_path.isEmpty()) {
        return;
    }
    const EditStateTexts state = EditStateFor(m_path, m_readOnly, m_changed);
    setWindowTitle(state.caption);
    m_label1->setText(state.label1);
    m_label2->setText(state.label2);
}

void frmMain::closeEvent(QCloseEvent* event) {
    fileClose();
    const bool cancelled = m_changed;
    writeSettings();
    if (cancelled) {
        event->ignore();
        return;
    }
    if (m_help != nullptr) {
        m_help->close();
    }
    event->accept();
}

void frmMain::setDialogOpeners(DialogOpeners openers) {
    m_openers = std::move(openers);
}

void frmMain::setHelpFile(const QString& file) {
    m_helpFile = file;
    delete m_help;
    m_help = nullptr;
}

// ---- Tree and list ----

void frmMain::buildTree() {
    m_tree = BuildCategoryTree();
    m_treeView->clear();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(m_tree.nodes.size());
    for (const TreeNode& node : m_tree.nodes) {
        QTreeWidgetItem* item = node.parent > 0
                                    ? new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent - 1)])
                                    : new QTreeWidgetItem(m_treeView);
        item->setText(0, node.caption);
        if (node.key) {
            item->setData(0, kNodeKeyRole, *node.key);
        }
        item->setData(0, kNodeIndexRole, node.index);
        items.push_back(item);
    }
}

bool frmMain::selectNode(const QString& key) {
    for (QTreeWidgetItemIterator it(m_treeView); *it; ++it) {
        if ((*it)->data(0, kNodeKeyRole).toString() == key) {
            for (QTreeWidgetItem* parent = (*it)->parent(); parent; parent = parent->parent()) {
                parent->setExpanded(true);
            }
            if (m_treeView->currentItem() == *it) {
                showListFor(*it);
            } else {
                m_treeView->setCurrentItem(*it);
            }
            m_treeView->scrollToItem(*it);
            return true;
        }
    }
    return false;
}

void frmMain::showListFor(QTreeWidgetItem* node) {
    m_listView->clear();
    m_sort = {};
    m_listView->header()->setSortIndicatorShown(false);
    m_panel1->clear();
    if (node == nullptr || !m_model) {
        return;
    }
    const NodeList list = ListForNode(FactsOf(m_tree, node->data(0, kNodeIndexRole).toInt()),
                                      m_tree.fixedNodeCount, m_tree.firstAreaIndex);
    if (list.kind == ListKind::Clear) {
        setUpColumns(ListKind::Clear);
        return;
    }
    if (m_kind != list.kind) {
        setUpColumns(list.kind);
    }
    const std::vector<RecordRow> rows = BuildRows(*m_model, list);
    m_listView->showRows(rows);
    m_panel1->setText(mt::rowCount(static_cast<int>(rows.size())));
}

void frmMain::setUpColumns(ListKind kind) {
    const Columns next =
        SwitchColumns(m_columns, m_kind, m_kind ? m_listView->shownColumns() : Columns{}, kind);
    m_kind.reset();
    m_listView->showColumns(next);
    if (kind != ListKind::Clear) {
        m_kind = kind;
    }
}

void frmMain::sortByColumn(int column) {
    m_sort = SortAfterClick(m_sort, column);
    m_listView->header()->setSortIndicatorShown(true);
    m_listView->sortItems(m_sort.column, m_sort.order);
}

void frmMain::openSelectedRecord() {
    const QList<QTreeWidgetItem*> selected = m_listView->selectedItems();
    if (selected.isEmpty() || !m_model) {
        return;
    }
    QTreeWidgetItem* row = selected.constFirst();
    const QString key = m_listView->rowKey(row);
    if (key.isEmpty()) {
        return;
    }
    const int position = m_listView->indexOfTopLevelItem(row) + 1;
    EditSession session = sessionFor(row->text(0));
    // A ship whose class number is outside the table is listed, but has no class to edit.
    const std::optional<EditorRequest> request = ParseRowKey(key, *m_model);
    const bool classMissing =
        request && request->kind == EditorKind::Ship && request->selection.ship >= 0 &&
        (request->selection.record < 0 || request->selection.record >= SaveFile::kShipClasses);
    if (request) {
        session.selection = request->selection;
    }
    if (!classMissing && m_openers.record) {
        m_openers.record(key, session, this);
    }
    showEditState();
    refreshList(position);
}

void frmMain::refreshList(int position) {
    showListFor(m_treeView->currentItem());
    const int count = m_listView->topLevelItemCount();
    if (count == 0) {
        return;
    }
    // The row at the same position, or the last one when the list became shorter.
    QTreeWidgetItem* row = m_listView->topLevelItem(std::clamp(position, 1, count) - 1);
    m_listView->setCurrentItem(row);
    row->setSelected(true);
    m_listView->scrollToItem(row);
}

}  // namespace korven
