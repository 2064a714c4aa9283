#include "mainwindow/frmMain.h"

#include "catalogue/ReferenceTables.h"
#include "editors/EditorDispatch.h"
#include "editors/ModuleMain.h"
#include "mainwindow/BackupsDialog.h"
#include "mainwindow/ChangeCommands.h"
#include "mainwindow/ChangesDialog.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/DroppedFile.h"
#include "mainwindow/EditState.h"
#include "mainwindow/FileFilter.h"
#include "mainwindow/HelpTopics.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/HistoryDialog.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/RecordRows.h"
#include "mainwindow/SearchPanel.h"
#include "mainwindow/SplitterStrip.h"
#include "mainwindow/TableText.h"
#include "model/ModelDiff.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "platform/ProgramInfo.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"
#include "preferences/PreferenceDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QSaveFile>
#include <QScopedValueRollback>
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
const QString kReviewBeforeSave = QStringLiteral("ReviewBeforeSave");

QRect pixelRect(double left, double top, double width, double height) {
    return QRect(lay::toPixels(left), lay::toPixels(top), std::max(0, lay::toPixels(width)),
                 std::max(0, lay::toPixels(height)));
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

// The document tells the user through whichever services are installed at the time.
class frmMain::UiMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override { return ui().show(message); }
};

QString frmMain::defaultHelpFile() {
    return QStringLiteral(":/help/KorvEdit.html");
}

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent), m_settings(std::make_unique<SettingsStore>()), m_helpFile(defaultHelpFile()) {
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
    followHistory();
    // F1 opens the help at the topic of whichever window is in front, modal dialogs included.
    qApp->installEventFilter(this);
    setMinimumSize(lay::ceilPixels(lay::kMinimumWindowWidth), lay::ceilPixels(lay::kMinimumWindowHeight));

    readSettings();
    showRecentFiles();
    setAcceptDrops(true);
    layOut(0);
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
    m_fileCompare = action(file, "mnuFileCompare", mt::menuFileCompare());
    m_fileRestore = action(file, "mnuFileRestore", mt::menuFileRestore());
    m_fileExportCsv = action(file, "mnuFileExportCsv", mt::menuFileExportCsv());
    separator(file, "munFileBar2");
    for (int i = 0; i < RecentFiles::kMaximum; ++i) {
        QAction* recent = action(file, QStringLiteral("mnuFileRecent_%1").arg(i).toLatin1().constData(), {});
        connect(recent, &QAction::triggered, this, [this, i] { openRecent(i); });
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
    separator(edit, "mnuEditBarFind");
    m_editFind = action(edit, "mnuEditFind", mt::menuEditFind(), QKeySequence(Qt::CTRL | Qt::Key_F));
    // Ctrl+C stays the Close shortcut.
    m_editCopyRows = action(edit, "mnuEditCopyRows", mt::menuEditCopyRows(),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    // Present in the menu structure, hidden and without behaviour.
    for (const auto& [name, caption] :
         {std::pair{"mnuEditCut", mt::menuEditCut()}, std::pair{"mnuEditCopy", mt::menuEditCopy()},
          std::pair{"mnuEditPaste", mt::menuEditPaste()},
          std::pair{"mnuEditPasteSpecial", mt::menuEditPasteSpecial()}}) {
        action(edit, name, caption)->setVisible(false);
    }
    separator(edit, "mnuEditBar1", false);
    action(edit, "mnuEditSelectAll", mt::menuEditSelectAll())->setVisible(false);
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

    connect(m_fileOpen, &QAction::triggered, this, &frmMain::fileOpen);
    connect(m_fileSave, &QAction::triggered, this, &frmMain::fileSave);
    connect(m_fileSaveAs, &QAction::triggered, this, &frmMain::fileSaveAs);
    connect(m_fileClose, &QAction::triggered, this, &frmMain::fileClose);
    connect(m_fileProperties, &QAction::triggered, this, &frmMain::fileProperties);
    connect(exit, &QAction::triggered, this, &frmMain::close);
    connect(m_editFind, &QAction::triggered, this, [this] { m_search->focusBox(); });
    connect(m_editCopyRows, &QAction::triggered, this, &frmMain::copyRows);
    connect(m_fileExportCsv, &QAction::triggered, this, &frmMain::exportCsv);
    connect(m_viewStatusBar, &QAction::triggered, this, &frmMain::toggleStatusBar);
    connect(options, &QAction::triggered, this, &frmMain::viewOptions);
    connect(contents, &QAction::triggered, this, &frmMain::helpContents);
    connect(search, &QAction::triggered, this, &frmMain::helpSearch);
    connect(about, &QAction::triggered, this, &frmMain::helpAbout);
    connect(m_editUndo, &QAction::triggered, this, &frmMain::editUndo);
    connect(m_editRedo, &QAction::triggered, this, &frmMain::editRedo);
    connect(m_editHistory, &QAction::triggered, this, &frmMain::editHistory);
    connect(m_editReview, &QAction::triggered, this, &frmMain::editReview);
    connect(m_fileCompare, &QAction::triggered, this, &frmMain::fileCompare);
    connect(m_fileRestore, &QAction::triggered, this, &frmMain::fileRestoreBackup);
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
    m_search = new SearchPanel(m_central);
    m_search->setObjectName(QStringLiteral("picSearch"));
    m_search->setIndexSource([this] {
        return m_document->isOpen() ? SearchIndex::Build(*m_document->model(), m_tree) : SearchIndex{};
    });
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
    connect(m_listView, &QAbstractItemView::doubleClicked, this, &frmMain::openSelectedRecord);
    connect(m_listView, &RecordListView::enterPressed, this, &frmMain::openSelectedRecord);
    connect(m_listView->header(), &QHeaderView::sectionClicked, this, &frmMain::sortByColumn);
    connect(m_search, &SearchPanel::hitChosen, this, &frmMain::showSearchHit);
    connect(m_search, &SearchPanel::hitActivated, this, &frmMain::openSelectedRecord);
    connect(m_search, &SearchPanel::neededHeightChanged, this, &frmMain::applyLayout);
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
    m_editReviewBeforeSave->setChecked(m_settings->flag(kOption, kReviewBeforeSave, false));

    m_gamePath = m_settings->text(kOption, QStringLiteral("GamePath"));
    m_recent = RecentFiles::Read(*m_settings);
}

void frmMain::writeSettings() {
    m_settings->setNumber(kPosition, QStringLiteral("MainTop"), lay::keepTwips(m_top, y()));
    m_settings->setNumber(kPosition, QStringLiteral("MainLeft"), lay::keepTwips(m_left, x()));
    m_settings->setNumber(kPosition, QStringLiteral("MainWidth"), windowWidth());
    m_settings->setNumber(kPosition, QStringLiteral("MainHeight"), windowHeight());
    m_settings->setNumber(kPosition, QStringLiteral("Splitter"), m_splitter);
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
    // The search takes the top of the list's pane.
    const int searchHeight = std::min(m_search->neededHeight(), height);
    m_search->setGeometry(lay::toPixels(l.listLeft), top, std::max(0, lay::toPixels(l.listWidth)),
                          searchHeight);
    m_listView->setGeometry(lay::toPixels(l.listLeft), top + searchHeight,
                            std::max(0, lay::toPixels(l.listWidth)), height - searchHeight);
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

void frmMain::runCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return;
    }
    const QString path = CommandLinePath(arguments);
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
    switch (m_document->open(path, readOnly)) {
        case DocumentOpen::AlreadyOpen:
            ui().show(Message(mt::secondFile(), MessageIcon::Exclamation));
            return false;
        case DocumentOpen::NoPath:
        case DocumentOpen::CannotOpen:
            return false;
        case DocumentOpen::NotASaveFile:
        case DocumentOpen::LoadFailed:
            // The window goes back to its no-file state, as after Close.
            fileClose();
            return false;
        case DocumentOpen::Opened:
            break;
    }
    buildTree();
    setFileMenus(true);
    m_search->setFileOpen(true);
    rememberRecent();
    showEditState();
    return true;
}

void frmMain::setFileMenus(bool open) {
    m_fileOpen->setEnabled(!open);
    for (QAction* a : {m_fileSave, m_fileSaveAs, m_fileClose, m_fileProperties, m_fileCompare, m_fileRestore,
                       m_fileExportCsv, m_editHistory, m_editReview, m_editFind, m_editCopyRows}) {
        a->setEnabled(open);
    }
}

void frmMain::openInPlace(const QString& path) {
    const CommandLineTarget target = ExaminePath(path);
    if (target.kind == PathKind::Folder) {
        ui().show(Message(mt::folderGiven(), MessageIcon::Exclamation));
        return;
    }
    if (target.kind == PathKind::Missing) {
        ui().show(Message(mt::fileMissing(path), MessageIcon::Exclamation));
        return;
    }
    if (m_document->isOpen()) {
        if (SamePath(path, m_document->path())) {
            return;  // already the open file
        }
        if (ClearlyNotASave(path)) {
            ui().show(Message(korven::texts::notASaveFile(), MessageIcon::Exclamation));
            return;
        }
        if (!fileClose()) {
            return;
        }
    }
    openFile(path, target.readOnly);
}

void frmMain::openRecent(int entry) {
    const QString path = m_recent.paths().value(entry);
    if (path.isEmpty()) {
        return;
    }
    if (ExaminePath(path).kind == PathKind::Missing) {
        m_recent.remove(path);
        m_recent.write(*m_settings);
        showRecentFiles();
        ui().show(Message(mt::recentFileMissing(path), MessageIcon::Exclamation));
        return;
    }
    openInPlace(path);
}

void frmMain::rememberRecent() {
    m_recent.add(m_document->path());
    m_recent.write(*m_settings);
    showRecentFiles();
}

void frmMain::showRecentFiles() {
    const QStringList& paths = m_recent.paths();
    for (std::size_t i = 0; i < m_recentActions.size(); ++i) {
        const QString path = paths.value(static_cast<qsizetype>(i));
        QAction* a = m_recentActions[i];
        // A path may hold '&', which a menu caption would take for a mnemonic.
        a->setText(
            mt::menuFileRecent(static_cast<int>(i) + 1, QString(path).replace(u'&', QStringLiteral("&&"))));
        a->setToolTip(path);
        a->setVisible(!path.isEmpty());
    }
    m_recentBar->setVisible(!paths.isEmpty());
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
    openInPlace(*path);
}

// ---- File commands ----

void frmMain::fileOpen() {
    if (m_document->isOpen()) {
        ui().show(Message(mt::secondFile(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::openDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.showReadOnlyBox = true;
    options.directory = m_recent.lastFolder();
    const std::optional<OpenFileChoice> choice = ui().getOpenFile(this, options);
    if (!choice) {
        return;
    }
    openFile(choice->path, choice->readOnly);
}

bool frmMain::fileSave() {
    if (!m_document->isOpen()) {
        ui().show(Message(mt::noFileLoaded(), MessageIcon::Exclamation));
        return false;
    }
    if (m_editReviewBeforeSave->isChecked() && m_document->isChanged() &&
        !ShowChanges(pendingChanges(), mt::reviewCaption(), ChangesPurpose::BeforeSave, this)) {
        return false;
    }
    if (m_document->isReadOnly()) {
        const MessageAnswer answer = ui().show(Message(mt::readOnlySaveQuestion(), MessageIcon::Question,
                                                       MessageButtons::YesNo, MessageAnswer::No));
        if (answer != MessageAnswer::Yes) {
            return false;
        }
        FileFailure failure;
        if (!m_document->leaveReadOnly(&failure)) {
            ui().show(
                Message(korven::texts::withReason(mt::cannotLeaveReadOnly(), failure), MessageIcon::Error));
            return false;
        }
    }
    const SaveOutcome saved = m_document->save();
    if (saved.outcome == DocumentSave::ReloadWanted) {
        reload();
        return false;
    }
    showSaved(saved);
    return !m_document->isChanged();
}

// The user chose the version on disk over the edits: the file is opened afresh in its mode.
void frmMain::reload() {
    const QString path = m_document->path();
    const bool readOnly = m_document->isReadOnly();
    m_document->close();
    fileClose();
    openFile(path, readOnly);
}

void frmMain::showSaved(const SaveOutcome& saved) {
    if (saved.outcome == DocumentSave::Saved && !saved.backup.isEmpty()) {
        m_status->showStatus(mt::savedWithBackup(saved.backup));
    }
    showEditState();
}

void frmMain::fileSaveAs() {
    if (!m_document->isOpen()) {
        ui().show(Message(mt::noFileLoaded(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::saveAsDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.defaultSuffix = mt::saveSuffix();
    options.directory = QFileInfo(m_document->path()).absolutePath();
    const std::optional<QString> chosen = ui().getSaveFile(this, options);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    if (SamePath(*chosen, m_document->path())) {
        fileSave();
        return;
    }
    const SaveOutcome saved = m_document->saveAs(*chosen);
    if (saved.outcome == DocumentSave::Saved) {
        rememberRecent();
    }
    showSaved(saved);
}

bool frmMain::fileClose() {
    if (m_document->isChanged()) {
        const MessageAnswer answer =
            ui().show(Message(mt::saveQuestion(m_document->path()), MessageIcon::Question,
                              MessageButtons::YesNoCancel, MessageAnswer::Yes));
        if (answer == MessageAnswer::Yes) {
            if (!fileSave()) {
                return false;
            }
        } else if (answer != MessageAnswer::No) {
            return false;
        }
    }
    m_document->close();
    setWindowTitle(NoFileCaption());
    m_panel2->setText(mt::noFileLoaded());
    m_treeView->clear();
    m_listView->clearRows();
    m_panel1->clear();
    m_sort = {};
    setFileMenus(false);
    m_search->setFileOpen(false);
    return true;
}

// Every store of the dialog becomes one step of the document's history.
EditSession frmMain::sessionFor(const QString& itemText, const QString& recordName) {
    return EditSession(*m_document, recordName, itemText, m_gamePath);
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

void frmMain::copyRows() {
    const std::vector<int> rows = m_listView->selectedRows();
    if (rows.empty()) {
        return;
    }
    QGuiApplication::clipboard()->setText(TabSeparated(m_listView->rowTexts(rows, false)));
}

void frmMain::exportCsv() {
    if (!m_document->isOpen()) {
        return;
    }
    if (m_listView->columnCount() == 0) {
        ui().show(Message(mt::nothingToExport(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::csvDialogCaption();
    options.filter = DialogFilter(mt::csvFilter());
    options.defaultSuffix = mt::csvSuffix();
    // Named after the list's place in the tree, e.g. 艦型_日本軍_巡洋艦.csv, next to the save.
    QStringList captions;
    for (const QTreeWidgetItem* node = m_treeView->currentItem(); node; node = node->parent()) {
        captions.prepend(node->text(0));
    }
    options.directory =
        QFileInfo(m_document->path()).absoluteDir().filePath(captions.join(u'_') + u'.' + mt::csvSuffix());
    const std::optional<QString> chosen = ui().getSaveFile(this, options);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    // All or nothing: a failed write leaves no half file behind.
    QSaveFile file(*chosen);
    const QByteArray bytes = CommaSeparated(m_listView->rowTexts(m_listView->allRows(), true));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ui().show(Message(mt::csvNotWritten(*chosen, file.errorString()), MessageIcon::Error));
        return;
    }
    m_status->showStatus(mt::csvWritten(*chosen));
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
    if (!m_document->isOpen()) {
        return;
    }
    const EditStateTexts state =
        EditStateFor(m_document->path(), m_document->isReadOnly(), m_document->isChanged());
    setWindowTitle(state.caption);
    m_label1->setText(state.label1);
    m_label2->setText(state.label2);
}

void frmMain::closeEvent(QCloseEvent* event) {
    const bool cancelled = !fileClose();
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
    connect(&history, &QUndoStack::indexChanged, this, [this] {
        // Names may have changed: the search finds records as they are now.
        m_search->invalidate();
        if (m_document->isOpen() && !m_inDialog) {
            showEditState();
            refreshList(currentListPosition());
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
        ShowHistory(m_document->history(), this, [this](int step) {
            if (const std::optional<RecordKey> key = RecordOfStep(*m_document, step)) {
                showRecord(*key);
            }
        });
    }
}

void frmMain::showRecord(const RecordKey& key) {
    const SearchIndex index = SearchIndex::Build(*m_document->model(), m_tree);
    if (const SearchEntry* entry = index.entryOf(key)) {
        showSearchHit(*entry);
        openSelectedRecord();
    }
}

std::vector<ChangeRow> frmMain::pendingChanges() const {
    const SaveFile& model = *m_document->model();
    return ChangeRowsFor(DiffModels(*m_document->savedModel(), model), model);
}

void frmMain::editReview() {
    if (m_document->isOpen()) {
        ShowChanges(pendingChanges(), mt::reviewCaption(), ChangesPurpose::Review, this,
                    ReviewActions(*m_document, [this](const RecordKey& key) { showRecord(key); }));
    }
}

// Another save's fields against the open model. The open file itself is locked by this window,
// so choosing it compares with the file as last opened or saved.
void frmMain::fileCompare() {
    if (!m_document->isOpen()) {
        return;
    }
    FileDialogOptions options;
    options.caption = mt::compareDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.directory = QFileInfo(m_document->path()).absolutePath();
    const std::optional<OpenFileChoice> choice = ui().getOpenFile(this, options);
    if (!choice) {
        return;
    }
    std::shared_ptr<SaveFile> other;
    if (SamePath(choice->path, m_document->path())) {
        other = std::make_shared<SaveFile>(*m_document->savedModel());
    } else {
        other = std::make_shared<SaveFile>();
        if (OpenSaveFile(choice->path, LockMode::ReadOnly, *other, *m_status, *m_messages).outcome !=
            OpenOutcome::Opened) {
            return;
        }
    }
    ShowChanges(CompareRows(*m_document->model(), *other), mt::compareCaption(choice->path),
                ChangesPurpose::Compare, this,
                CompareActions(*m_document, other, [this](const RecordKey& key) { showRecord(key); }));
}

void frmMain::fileRestoreBackup() {
    if (!m_document->isOpen()) {
        return;
    }
    if (m_document->isReadOnly()) {
        ui().show(Message(mt::restoreReadOnly(), MessageIcon::Exclamation));
        return;
    }
    const std::optional<BackupEntry> chosen =
        ChooseBackup(ListBackups(m_document->backups(), m_document->path(), *m_document->model()),
                     m_document->path(), this);
    if (!chosen) {
        return;
    }
    QString question = mt::restoreQuestion(chosen->time.toString(mt::backupTimeFormat()));
    if (m_document->isChanged()) {
        question += mt::restoreDropsChanges();
    }
    if (ui().show(Message(question, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No)) !=
        MessageAnswer::Yes) {
        return;
    }
    const OpenDocument::RestoreOutcome restored = m_document->restoreBackup(chosen->path);
    if (restored.outcome == DocumentRestore::Restored) {
        m_status->showStatus(mt::restored(restored.backup));
        showEditState();
        refreshList(currentListPosition());
    }
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
            selectTreeItem(*it);
            return true;
        }
    }
    return false;
}

void frmMain::selectTreeItem(QTreeWidgetItem* item) {
    for (QTreeWidgetItem* parent = item->parent(); parent; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    if (m_treeView->currentItem() == item) {
        showListFor(item);
    } else {
        m_treeView->setCurrentItem(item);
    }
    m_treeView->scrollToItem(item);
}

void frmMain::showSearchHit(const SearchEntry& hit) {
    for (QTreeWidgetItemIterator it(m_treeView); *it; ++it) {
        if ((*it)->data(0, kNodeIndexRole).toInt() == hit.node) {
            selectTreeItem(*it);
            if (const std::optional<int> row = m_listView->rowOfKey(hit.key)) {
                m_listView->selectRow(*row);
            }
            return;
        }
    }
}

void frmMain::showListFor(QTreeWidgetItem* node) {
    m_listView->clearRows();
    m_sort = {};
    m_panel1->clear();
    if (node == nullptr || !m_document->isOpen()) {
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
    m_listView->showRows(BuildRows(*m_document->model(), list));
    m_panel1->setText(mt::rowCount(m_listView->rowCount()));
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
    m_listView->sortRows(m_sort.column, m_sort.order);
}

void frmMain::openSelectedRecord() {
    const std::optional<int> row = m_listView->selectedRow();
    if (!row || !m_document->isOpen()) {
        return;
    }
    const std::optional<RecordKey> key = m_listView->rowKey(*row);
    if (!key) {
        return;
    }
    const int position = *row + 1;
    // The list is refreshed once when the dialog closes, not under it at every Apply.
    const QScopedValueRollback inDialog(m_inDialog, true);
    const QString itemText = m_listView->cellText(*row, 0);
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
        m_openers.record(*key, session, this);
    }
    showEditState();
    refreshList(position);
}

int frmMain::currentListPosition() const {
    const QModelIndex current = m_listView->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void frmMain::refreshList(int position) {
    showListFor(m_treeView->currentItem());
    const int count = m_listView->rowCount();
    if (count == 0) {
        return;
    }
    // The row at the same position, or the last one when the list became shorter.
    m_listView->selectRow(std::clamp(position, 1, count) - 1);
}

}  // namespace korven
