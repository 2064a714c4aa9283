#include "catalogue/ReferenceTables.h"
#include "document/DocumentTexts.h"
#include "editors/ModuleMain.h"
#include "mainwindow/HelpWindow.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/RecordRows.h"
#include "mainwindow/RecordTableModel.h"
#include "mainwindow/frmMain.h"
#include "model/ChangeSet.h"
#include "model/ModelTexts.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/ProgramInfo.h"
#include "preferences/PreferenceDialogs.h"
#include "tests/support/IsolatedSettings.h"
#include "tests/support/OtherProgram.h"
#include "tests/support/SaveImageBuilder.h"
#include "tests/support/ScriptedUi.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QUndoView>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <csignal>
#endif
#include <functional>
#include <memory>

using namespace korven;
using namespace korven::mainwindow;
namespace mt = korven::mainwindow::texts;

Q_DECLARE_METATYPE(MessageIcon)

using namespace Qt::StringLiterals;

namespace {

template <typename T = QWidget>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

QAction* action(const frmMain& w, const char* name) {
    return child<QAction>(w, name);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QStringList headerCaptions(const RecordListView* list) {
    QStringList result;
    for (int i = 0; i < list->columnCount(); ++i) {
        result.append(list->model()->headerData(i, Qt::Horizontal).toString());
    }
    return result;
}

QStringList column(const RecordListView* list, int c) {
    QStringList result;
    for (int i = 0; i < list->rowCount(); ++i) {
        result.append(list->cellText(i, c));
    }
    return result;
}

// Makes `row` current, as a click on it does.
void setCurrentRow(RecordListView* list, int row) {
    list->setCurrentIndex(list->model()->index(row, 0));
}

// The rows whose first column reads `text`.
QList<int> rowsNamed(const RecordListView* list, const QString& text) {
    QList<int> rows;
    for (int i = 0; i < list->rowCount(); ++i) {
        if (list->cellText(i, 0) == text) {
            rows.append(i);
        }
    }
    return rows;
}

void clickHeader(QTreeView* list, int section) {
    QHeaderView* header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                             header->height() / 2));
}

struct OpenerLog {
    QStringList keys;
    QStringList itemTexts;
    QStringList openPaths;
    QStringList gamePaths;
    int properties = 0;
    int options = 0;
    int about = 0;
};

}  // namespace

class TestFrmMain : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<QTemporaryDir> m_files;
    fixtures::SaveImageBuilder m_builder;
    QByteArray m_image;

    QString settingsFile() const {
        return m_settingsDir->filePath(QStringLiteral("KorvenEdit/KorvenEdit.ini"));
    }
    QString stored(const QString& key) const {
        return QSettings(settingsFile(), QSettings::IniFormat).value(key).toString();
    }
    void store(const QString& key, const QString& value) {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.setValue(key, value);
    }
    QString saveFile(const QString& name = QStringLiteral("SaveFile1.SAVE")) {
        const QString path = m_files->filePath(name);
        if (!writeFile(path, m_image)) {
            qFatal("cannot write the test save");
        }
        return path;
    }
    qint64 skillOffset() const { return m_builder.aircrewSkillOffset(); }

    // Sets fields of the open model through the document, as any edit does.
    static void setFields(frmMain& w, const std::vector<std::pair<QString, QJsonValue>>& values) {
        ChangeSet set{QStringLiteral("テスト"), {}};
        for (const auto& [path, value] : values) {
            set.changes.push_back(*ChangeTo(*w.saveFile(), path, value));
        }
        QCOMPARE(w.document().apply(std::move(set)), DocumentEdit::Applied);
    }

    // Changes the model the way an editor's store does, through the list's dispatch point.
    static void edit(frmMain& w, const std::function<void(SaveFile&)>& change) {
        w.setDialogOpeners({.record = [change](const RecordKey&, EditSession& session, QWidget*) {
            change(session.file);
            session.commit();
            return true;
        }});
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 0);
        w.openSelectedRecord();
        QVERIFY(w.isFileChanged());
    }
    static void setSkill(frmMain& w, uint8_t value) {
        edit(w, [value](SaveFile& file) { file.AircrewSkill[0][0] = value; });
    }

private slots:
    void initTestCase() { m_image = m_builder.build(); }

    void init() {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        korven::fixtures::IsolateSettings(m_settingsDir->path());
        // Backups go to the program's data folder; keep them with this test's files.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_settingsDir->filePath(QStringLiteral("data"))));
    }

    // ---- Start-up, settings, shutdown ----

    void firstStart() {
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QCOMPARE(w.objectName(), QStringLiteral("frmMain"));
            QCOMPARE(w.pos(), QPoint(67, 67));
            QCOMPARE(w.size(), QSize(533, 300));
            QCOMPARE(w.paneLayout().treeWidth, 2500.0);
            QVERIFY(action(w, "mnuViewStatusBar")->isChecked());
            QVERIFY(!w.statusBar()->isHidden());
            QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit"));
            QCOMPARE(child<QLabel>(w, "Label1")->text(), mt::noFileLoaded());
            QCOMPARE(child<QLabel>(w, "Label1")->toolTip(), QStringLiteral("編集ファイル名"));
            QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集状況"));
            QCOMPARE(child<QLabel>(w, "Label2")->toolTip(), QStringLiteral("編集状況"));
            QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::noFileLoaded());
            QCOMPARE(editingState().LabelForeColor, 0x8000000Eu);
            QCOMPARE(editingState().LabelBackColor, 0x80000010u);
            QVERIFY(w.gamePath().isEmpty());
            QVERIFY(w.close());
        }
        QCOMPARE(stored(QStringLiteral("Position/MainLeft")), QStringLiteral("1000"));
        QCOMPARE(stored(QStringLiteral("Position/MainTop")), QStringLiteral("1000"));
        QCOMPARE(stored(QStringLiteral("Position/MainWidth")), QStringLiteral("8000"));
        QCOMPARE(stored(QStringLiteral("Position/MainHeight")), QStringLiteral("4500"));
        QCOMPARE(stored(QStringLiteral("Position/Splitter")), QStringLiteral("2500"));
        QCOMPARE(stored(QStringLiteral("Option/StatusBar")), QStringLiteral("True"));
        QCOMPARE(stored(QStringLiteral("Other/Version")), program::settingsVersion());
        QVERIFY(ui.messages.empty());
    }

    void storedSettings() {
        store(QStringLiteral("Position/MainLeft"), QStringLiteral("1500"));
        store(QStringLiteral("Position/MainWidth"), QStringLiteral("abc"));  // not a number: the default
        store(QStringLiteral("Position/MainHeight"), QStringLiteral("6000"));
        store(QStringLiteral("Option/GamePath"), QStringLiteral("/games/varzon/"));
        store(QStringLiteral("Option/LabelForeColor"), QStringLiteral("255"));
        store(QStringLiteral("Option/LabelBackColor"), QStringLiteral("-2147483632"));
        frmMain w;
        QCOMPARE(w.x(), 100);
        QCOMPARE(w.width(), 533);
        QCOMPARE(w.height(), 400);
        QCOMPARE(w.gamePath(), QStringLiteral("/games/varzon/"));
        QCOMPARE(editingState().LabelForeColor, 255u);
        QCOMPARE(editingState().LabelBackColor, 0x80000010u);
        QCOMPARE(editingState().ChangedBackColor, 0x0000FF00u);
    }

    void splitterFromSettings_data() {
        QTest::addColumn<QString>("splitter");
        QTest::addColumn<double>("tree");
        QTest::newRow("600") << "600" << 1500.0;
        QTest::newRow("7000") << "7000" << 6500.0;
        QTest::newRow("3000") << "3000" << 3000.0;
    }
    void splitterFromSettings() {
        QFETCH(QString, splitter);
        store(QStringLiteral("Position/Splitter"), splitter);
        fixtures::ScriptedUi ui;
        frmMain w;
        QTEST(w.paneLayout().treeWidth, "tree");
        auto* tree = child(w, "TreeView");
        auto* list = child(w, "ListView");
        QCOMPARE(tree->width(), layout::toPixels(w.paneLayout().treeWidth));
        QCOMPARE(list->x(), layout::toPixels(w.paneLayout().listLeft));
        // The applied position is clamped; the remembered one is not.
        QCOMPARE(w.splitterPosition(), splitter.toDouble());
        QVERIFY(w.close());
        QCOMPARE(stored(QStringLiteral("Position/Splitter")), splitter);
    }

    void dragSplitter() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        auto* strip = child(w, "imgSplitter");
        auto* bar = child(w, "picSplitter");
        QCOMPARE(strip->x(), layout::toPixels(2500));
        QVERIFY(bar->isHidden());
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(2, 10));
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->width(), layout::toPixels(40));
        QMouseEvent move(QEvent::MouseMove, QPointF(-120, 10), strip->mapToGlobal(QPointF(-120, 10)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(strip, &move);
        QCOMPARE(w.splitterPosition(), 700.0);
        QCOMPARE(bar->x(), layout::toPixels(700));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(-120, 10));
        QVERIFY(bar->isHidden());
        QCOMPARE(w.paneLayout().treeWidth, 1500.0);
        QVERIFY(w.close());
        QCOMPARE(stored(QStringLiteral("Position/Splitter")), QStringLiteral("700"));
    }

    void dragStopsAtTheLimits() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        auto* strip = child(w, "imgSplitter");
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(1, 1));
        for (const auto& [x, expected] : {std::pair{-1000, 500.0}, std::pair{1000, 7500.0}}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(x, 1), strip->mapToGlobal(QPointF(x, 1)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(strip, &move);
            QCOMPARE(w.splitterPosition(), expected);
        }
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(1000, 1));
        QCOMPARE(w.paneLayout().treeWidth, 6500.0);
    }

    void statusBarToggle() {
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            w.show();
            auto* list = child(w, "ListView");
            const int listHeight = list->height();
            const double shown = w.paneLayout().paneHeight;
            action(w, "mnuViewStatusBar")->trigger();
            QVERIFY(!action(w, "mnuViewStatusBar")->isChecked());
            QVERIFY(w.statusBar()->isHidden());
            QCOMPARE(w.paneLayout().paneHeight - shown, 264.0);
            QCoreApplication::sendPostedEvents();  // the window lays its parts out again
            QVERIFY(list->height() > listHeight);
            QCOMPARE(list->geometry().bottom(), child(w, "central")->height() - 1);
            QVERIFY(w.close());
        }
        QCOMPARE(stored(QStringLiteral("Option/StatusBar")), QStringLiteral("False"));
        frmMain again;
        QVERIFY(!action(again, "mnuViewStatusBar")->isChecked());
        QVERIFY(again.statusBar()->isHidden());
    }

    void minimumSize() {
        fixtures::ScriptedUi ui;
        store(QStringLiteral("Position/MainWidth"), QStringLiteral("1000"));
        store(QStringLiteral("Position/MainHeight"), QStringLiteral("500"));
        frmMain w;
        w.show();
        QVERIFY(w.width() >= layout::toPixels(4000));
        QVERIFY(w.height() >= layout::toPixels(2000));
        w.resize(50, 50);
        QVERIFY(w.width() >= layout::toPixels(4000));
        QVERIFY(w.close());
        QCOMPARE(stored(QStringLiteral("Position/MainWidth")), QStringLiteral("4000"));
        QCOMPARE(stored(QStringLiteral("Position/MainHeight")), QStringLiteral("2000"));
    }

    // ---- Menus ----

    void menus_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        QTest::newRow("open") << "mnuFileOpen"
                              << "開く(&O)"
                              << "Ctrl+O" << true << true;
        QTest::newRow("save") << "mnuFileSave"
                              << "上書き保存(&S)"
                              << "Ctrl+S" << false << true;
        QTest::newRow("save as") << "mnuFileSaveAs"
                                 << "名前を付けて保存(&A)"
                                 << "" << false << true;
        QTest::newRow("close") << "mnuFileClose"
                               << "閉じる(&C)"
                               << "Ctrl+C" << false << true;
        QTest::newRow("properties") << "mnuFileProperties"
                                    << "ﾌﾟﾛﾊﾟﾃｨ(&I)"
                                    << "" << false << true;
        QTest::newRow("exit") << "mnuFileExit"
                              << "終了(&Q)"
                              << "Ctrl+Q" << true << true;
        QTest::newRow("status bar") << "mnuViewStatusBar"
                                    << "ｽﾃｰﾀｽ ﾊﾞｰ(&B)"
                                    << "" << true << true;
        QTest::newRow("options") << "mnuViewOptions"
                                 << "ｵﾌﾟｼｮﾝ(&O)..."
                                 << "" << true << true;
        QTest::newRow("contents") << "mnuHelpContents"
                                  << "目次(&C)"
                                  << "" << true << true;
        QTest::newRow("search") << "mnuHelpSearch"
                                << "ﾄﾋﾟｯｸの検索(&S)..."
                                << "" << true << true;
        QTest::newRow("about") << "mnuHelpAbout"
                               << "ﾊﾞｰｼﾞｮﾝ情報(&A)"
                               << "" << true << true;
        QTest::newRow("edit menu") << "mnuEdit"
                                   << "編集(&E)"
                                   << "" << true << true;
        QTest::newRow("undo") << "mnuEditUndo"
                              << "元に戻す(&U)"
                              << "Ctrl+Z" << false << true;
        QTest::newRow("redo") << "mnuEditRedo"
                              << "やり直し(&R)"
                              << "Ctrl+Y" << false << true;
        QTest::newRow("history") << "mnuEditHistory"
                                 << "編集履歴(&H)..."
                                 << "" << false << true;
        QTest::newRow("find") << "mnuEditFind"
                              << "検索(&F)"
                              << "Ctrl+F" << false << true;
        QTest::newRow("copy rows") << "mnuEditCopyRows"
                                   << "行をｺﾋﾟｰ(&Y)"
                                   << "Ctrl+Shift+C" << false << true;
        QTest::newRow("export CSV") << "mnuFileExportCsv"
                                    << "CSV形式で書き出し(&E)..."
                                    << "" << false << true;
        // A hidden action counts as disabled.
        QTest::newRow("copy") << "mnuEditCopy"
                              << "ｺﾋﾟｰ(&C)"
                              << "" << false << false;
        QTest::newRow("refresh") << "mnuViewRefresh"
                                 << "最新の情報に更新(&R)"
                                 << "" << false << false;
        QTest::newRow("tool bar") << "mnuViewToolbar"
                                  << "ﾂｰﾙ ﾊﾞｰ(&T)"
                                  << "" << false << false;
    }
    void menus() {
        QFETCH(QString, name);
        frmMain w;
        QAction* a = w.findChild<QAction*>(name);
        QVERIFY(a);
        QTEST(a->text(), "caption");
        QTEST(a->shortcut().toString(), "shortcut");
        QTEST(a->isEnabled(), "enabled");
        QTEST(a->isVisible(), "visible");
    }

    void menuStructure() {
        frmMain w;
        QStringList top;
        for (QAction* a : w.menuBar()->actions()) {
            if (a->isVisible()) {
                top.append(a->text());
            }
        }
        QCOMPARE(top, (QStringList{QStringLiteral("ﾌｧｲﾙ(&F)"), QStringLiteral("編集(&E)"),
                                   QStringLiteral("表示(&V)"), QStringLiteral("ﾍﾙﾌﾟ(&H)")}));
        auto names = [](const QMenu* menu) {
            QStringList result;
            for (QAction* a : menu->actions()) {
                if (a->isVisible()) {
                    result.append(a->objectName());
                }
            }
            return result;
        };
        QCOMPARE(
            names(child<QMenu>(w, "mnuFile")),
            (QStringList{u"mnuFileOpen"_s, u"mnuFileSave"_s, u"mnuFileSaveAs"_s, u"mnuFileClose"_s,
                         u"mnuFileBar1"_s, u"mnuFileProperties"_s, u"mnuFileCompare"_s, u"mnuFileRestore"_s,
                         u"mnuFileExportCsv"_s, u"munFileBar2"_s, u"mnuFileExit"_s}));
        QCOMPARE(names(child<QMenu>(w, "mnuEdit")),
                 (QStringList{u"mnuEditUndo"_s, u"mnuEditRedo"_s, u"mnuEditHistory"_s, u"mnuEditBar0"_s,
                              u"mnuEditReview"_s, u"mnuEditReviewBeforeSave"_s, u"mnuEditBarFind"_s,
                              u"mnuEditFind"_s, u"mnuEditCopyRows"_s}));
        QCOMPARE(names(child<QMenu>(w, "mnuView")),
                 (QStringList{u"mnuViewStatusBar"_s, u"mnuViewBar0"_s, u"mnuViewOptions"_s}));
        QCOMPARE(names(child<QMenu>(w, "mnuHelp")), (QStringList{u"mnuHelpContents"_s, u"mnuHelpSearch"_s,
                                                                 u"mnuHelpBar1"_s, u"mnuHelpAbout"_s}));
        QVERIFY(action(w, "mnuViewStatusBar")->isCheckable());
    }

    // ---- Command line ----

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");  // %1 stands for the folder of the files
        QTest::addColumn<QString>("target");         // the file that must open, or empty
        QTest::addColumn<QString>("message");
        QTest::addColumn<MessageIcon>("icon");
        const QStringList none;
        QTest::newRow("plain") << QStringList{u"%1/Save File1.SAVE"_s} << u"Save File1.SAVE"_s << ""
                               << MessageIcon::None;
        QTest::newRow("quoted as one argument")
            << QStringList{u"\"%1/Save File1.SAVE\""_s} << u"Save File1.SAVE"_s << "" << MessageIcon::None;
        // Split at the space by a launcher that does not quote: joined and read as one line.
        QTest::newRow("quoted, split in two") << QStringList{u"  \"%1/Save"_s, u"File1.SAVE\" "_s}
                                              << u"Save File1.SAVE"_s << "" << MessageIcon::None;
        // One argument is the path as given: neither trimmed nor stripped of a quote that is
        // part of the name.
        QTest::newRow("leading space is part of the name")
            << QStringList{u"%1/ lead.SAVE"_s} << u" lead.SAVE"_s << "" << MessageIcon::None;
#ifndef Q_OS_WIN
        QTest::newRow("quotes in the name")
            << QStringList{u"%1/\"quoted\".SAVE"_s} << u"\"quoted\".SAVE"_s << "" << MessageIcon::None;
#endif
        QTest::newRow("folder") << QStringList{u"%1/a folder"_s} << "" << mt::folderGiven()
                                << MessageIcon::Exclamation;
        QTest::newRow("missing") << QStringList{u"\"%1/missing.SAVE\""_s} << "" << mt::parameterError()
                                 << MessageIcon::None;
        QTest::newRow("no arguments") << none << ""
                                      << "" << MessageIcon::None;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QVERIFY(QDir().mkpath(m_files->filePath(QStringLiteral("a folder"))));
        QStringList names{u"Save File1.SAVE"_s, u" lead.SAVE"_s, u"lead.SAVE"_s};
#ifndef Q_OS_WIN  // Windows names cannot hold quotes
        names.append(u"\"quoted\".SAVE"_s);
#endif
        for (const QString& name : names) {
            saveFile(name);
        }
        for (QString& argument : arguments) {
            argument = argument.arg(m_files->path());
        }
        fixtures::ScriptedUi ui;
        frmMain w;
        w.runCommandLine(arguments);
        if (message.isEmpty()) {
            QVERIFY2(ui.messages.empty(), qPrintable(ui.messageTexts().join(u'|')));
        } else {
            QCOMPARE(ui.messageTexts(), QStringList{message});
            QTEST(ui.messages[0].icon, "icon");
        }
        QCOMPARE(w.openFilePath(), target.isEmpty() ? QString() : m_files->filePath(target));
        QVERIFY(!w.isReadOnly());
    }

    void commandLineReadOnlyFile() {
        const QString path = saveFile();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        fixtures::ScriptedUi ui;
        frmMain w;
        w.runCommandLine({path});
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isReadOnly());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral("（読み取り専用） [未編集]")));
    }

    // ---- Open ----

    void openFlow() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        ui.openChoices.push_back(OpenFileChoice{path, false});
        frmMain w;
        action(w, "mnuFileOpen")->trigger();
        QCOMPARE(ui.openDialogs.size(), std::size_t(1));
        QVERIFY(ui.openDialogs[0].showReadOnlyBox);
        QCOMPARE(ui.openDialogs[0].filter,
                 QStringLiteral(
                     "ヴァルゾンセーブファイル(SaveFile*.SAVE) (SaveFile*.SAVE);;全てのファイル(*.*) (*)"));
        QVERIFY(ui.openDialogs[0].defaultSuffix.isEmpty());
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + path + QStringLiteral(" [未編集]"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(), path);
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("未編集"));
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), korven::texts::statusReadDone());
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->topLevelItemCount(), 6);
        QVERIFY(!action(w, "mnuFileOpen")->isEnabled());
        for (const char* name : {"mnuFileSave", "mnuFileSaveAs", "mnuFileClose", "mnuFileProperties"}) {
            QVERIFY2(action(w, name)->isEnabled(), name);
        }
        // Normal mode holds the file against every other opener.
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));

        action(w, "mnuFileOpen")->setEnabled(true);  // the command refuses even when reached
        w.fileOpen();
        QCOMPARE(ui.messageTexts(), QStringList{mt::secondFile()});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ui.openDialogs.size(), std::size_t(1));
        QVERIFY(!w.openFile(saveFile(QStringLiteral("SaveFile2.SAVE")), false));
        QCOMPARE(ui.messageTexts(), (QStringList{mt::secondFile(), mt::secondFile()}));
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
    }

    void openCancelled() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.fileOpen();
        QCOMPARE(ui.openDialogs.size(), std::size_t(1));
        QVERIFY(ui.messages.empty());
        QVERIFY(w.openFilePath().isEmpty());
    }

    void openFailures_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::addColumn<MessageIcon>("icon");
        QTest::newRow("3 bytes") << QByteArray("KVS") << korven::texts::notASaveFile()
                                 << MessageIcon::Exclamation;
        QTest::newRow("wrong magic") << QByteArray(4000, 'x') << korven::texts::notASaveFile()
                                     << MessageIcon::Exclamation;
        QTest::newRow("truncated") << QByteArray() << korven::texts::readError() << MessageIcon::None;
    }
    void openFailures() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        if (contents.isEmpty()) {
            contents = m_image.left(m_builder.shipClassOffset(10));
        }
        const QString path = m_files->filePath(QStringLiteral("SaveFile9.SAVE"));
        QVERIFY(writeFile(path, contents));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!w.openFile(path, false));
        QCOMPARE(ui.messageTexts(), QStringList{message});
        QTEST(ui.messages[0].icon, "icon");
        QVERIFY(w.openFilePath().isEmpty());
        QVERIFY(!w.saveFile());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit"));
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::noFileLoaded());
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->topLevelItemCount(), 0);
        QVERIFY(action(w, "mnuFileOpen")->isEnabled());
        QVERIFY(!action(w, "mnuFileClose")->isEnabled());
        // The file is closed again: another program may take it.
        QVERIFY(LockedFile::open(path, LockMode::Normal));
    }

    void openLockedFile() {
        const QString path = saveFile();
        const std::unique_ptr<LockedFile> other = LockedFile::open(path, LockMode::Normal);
        QVERIFY(other);
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!w.openFile(path, false));
        QCOMPARE(ui.messageTexts(),
                 QStringList{korven::texts::cannotOpen() +
                             u"\r\n原因: ほかのプログラムがファイルをロックしています。"_s});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(w.openFilePath().isEmpty());
        QVERIFY(action(w, "mnuFileOpen")->isEnabled());
    }

    // Another program (the command-line tool when it is built) cannot change a file the window
    // holds; a read-only window still lets others read it.
    // The editor in this process, korvenedit-cli in another.
    void twoProcessLocking() {
        const QString path = saveFile();
#ifdef Q_OS_WIN
        const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/korvenedit-cli.exe");
#else
        const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/korvenedit-cli");
#endif
        QVERIFY2(QFileInfo(cli).isExecutable(), qPrintable(cli));
        const QByteArray openError = QString(korven::texts::cannotOpen()).replace(u'\r', QString()).toUtf8();
        // 1: refused because another editor holds the file; 0: done; anything else is a fault.
        auto other = [&](const QStringList& arguments) {
            QProcess process;
            process.start(cli, arguments);
            if (!process.waitForFinished(30000)) {
                return -1;
            }
            if (process.exitCode() == 1 && !process.readAllStandardError().startsWith(openError)) {
                return -1;
            }
            return process.exitCode();
        };
        auto otherCanWrite = [&] {
            return other({QStringLiteral("set"), path, QStringLiteral("AircrewSkill[0][0]=11")});
        };
        auto otherCanRead = [&] { return other({QStringLiteral("info"), path}); };
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QVERIFY(w.openFile(path, false));
            QCOMPARE(otherCanWrite(), 1);
            QCOMPARE(otherCanRead(), 1);
            QVERIFY(w.fileClose());
            QCOMPARE(otherCanRead(), 0);
        }
        {
            frmMain w;
            QVERIFY(w.openFile(path, true));
            QCOMPARE(otherCanRead(), 0);
            QCOMPARE(otherCanWrite(), 1);
        }
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(otherCanWrite(), 0);  // and nothing holds the file any more
    }

    // ---- Save ----

    void saveWritesAndClearsTheFlag() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 77);
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + path + QStringLiteral(" [編集済み]"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
        action(w, "mnuFileSave")->trigger();
        QVERIFY(ui.messages.empty());
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + path + QStringLiteral(" [未編集]"));
        // The first save keeps the file as it was on disk, and the status bar names the backup.
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(readFile(backups.first()), m_image);
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::savedWithBackup(backups.first()));
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(77));
        // Still open and locked after the atomic replace.
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
        // Later saves of the same opening need no further backup.
        setSkill(w, 78);
        QVERIFY(w.fileSave());
        QCOMPARE(BackupStore().backupsOf(path).size(), 1);
    }

    // As the help says: close the file, copy the backup over it under its name, open it again.
    void restoreFromBackup() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 71);
        QVERIFY(w.fileSave());
        QVERIFY(w.fileClose());
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(backups.size(), 1);
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::copy(backups.first(), path));
        QVERIFY(w.openFile(path, false));
        QVERIFY(ui.messages.empty());
        QVERIFY(w.fileClose());
        QCOMPARE(readFile(path), m_image);
    }

    void restoreFromBackupInTheWindow() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        const uint8_t original = w.saveFile()->AircrewSkill[0][0];
        setSkill(w, 71);
        QVERIFY(w.fileSave());
        const QByteArray saved = readFile(path);
        setSkill(w, 72);  // pending
        QStringList rows;
        QTimer::singleShot(0, [&rows] {
            QWidget* dialog = qApp->activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), u"frmBackups"_s);
            auto* list = dialog->findChild<QTreeWidget*>(u"lstBackups"_s);
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                rows.append(list->topLevelItem(i)->text(1) + u'|' + list->topLevelItem(i)->text(2));
            }
            auto* restore = dialog->findChild<QPushButton*>(u"cmdRestore"_s);
            QVERIFY(!restore->isEnabled());
            list->setCurrentItem(list->topLevelItem(0));
            restore->click();
        });
        ui.answers = {MessageAnswer::Yes};
        action(w, "mnuFileRestore")->trigger();
        QCOMPARE(rows, QStringList{QStringLiteral("%L1 バイト|1 項目").arg(m_image.size())});
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Question);
        QVERIFY(ui.messages[0].text.endsWith(mt::restoreDropsChanges()));
        QCOMPARE(readFile(path), m_image);
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], original);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(child<QLabel>(w, "Label2")->text(), u"未編集"_s);
        QCOMPARE(column(child<RecordListView>(w, "ListView"), 1).first(), QString::number(original));
        QVERIFY(!action(w, "mnuEditUndo")->isEnabled());
        // The file as it was before the restore is the newest backup.
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(backups.size(), 2);
        QCOMPARE(readFile(backups.first()), saved);
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::restored(backups.first()));
    }

    void restoreRefusedOrDeclined() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, true));
        action(w, "mnuFileRestore")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::restoreReadOnly()});
        QVERIFY(w.fileClose());
        QVERIFY(w.openFile(path, false));
        setSkill(w, 71);
        QVERIFY(w.fileSave());
        ui.clear();
        QTimer::singleShot(0, [] {
            auto* list = qApp->activeModalWidget()->findChild<QTreeWidget*>(u"lstBackups"_s);
            list->setCurrentItem(list->topLevelItem(0));
            qApp->activeModalWidget()->findChild<QPushButton*>(u"cmdRestore"_s)->click();
        });
        ui.answers = {MessageAnswer::No};
        action(w, "mnuFileRestore")->trigger();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].defaultAnswer, MessageAnswer::No);
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(71));
        QCOMPARE(BackupStore().backupsOf(path).size(), 1);
    }

    // ---- A file changed on disk by a program that ignores the lock ----

    // Another program's save of the same slot: one byte after our edited skill changed.
    QByteArray newerOnDisk() const {
        QByteArray newer = m_image;
        newer[skillOffset() + 1] = 99;
        return newer;
    }
    // False when this system does not let another program do it.
    bool putOnDisk(const QString& path, const QString& how) {
        if (how == u"in place") {
            return fixtures::WriteInPlace(path, newerOnDisk());
        }
        const QString incoming = m_files->filePath(u"incoming.SAVE"_s);
        return writeFile(incoming, newerOnDisk()) && fixtures::RenameOver(incoming, path);
    }

    void changedOnDiskIsNeverOverwrittenSilently_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<MessageAnswer>("answer");
#ifdef Q_OS_WIN
        const QStringList changes{u"renamed over"_s};  // nobody else can write a held file there
#else
        const QStringList changes{u"in place"_s, u"renamed over"_s};
#endif
        for (const QString& how : changes) {
            for (const auto& [name, answer] :
                 {std::pair{"overwrite", MessageAnswer::Yes}, std::pair{"reload", MessageAnswer::No},
                  std::pair{"cancel", MessageAnswer::Cancel}}) {
                QTest::addRow("%s, %s", qPrintable(how), name) << how << answer;
            }
        }
    }
    // Open, edit, Save; edit again; another program writes the file; Save.
    void changedOnDiskIsNeverOverwrittenSilently() {
        QFETCH(QString, how);
        QFETCH(MessageAnswer, answer);
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 70);
        QVERIFY(w.fileSave());
        setSkill(w, 71);
        if (!putOnDisk(path, how)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        ui.answers = {answer};
        const bool saved = w.fileSave();

        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].buttons, MessageButtons::YesNoCancel);
        // The newer file is kept, whatever the answer.
        const QStringList backups = BackupStore().backupsOf(path);
        QCOMPARE(readFile(backups.first()), newerOnDisk());
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::changedOnDiskQuestion(backups.first())});
        const QByteArray onDisk = readFile(path);
        if (answer == MessageAnswer::Yes) {
            QVERIFY(saved);
            QCOMPARE(uint8_t(onDisk[skillOffset()]), uint8_t(71));
            QCOMPARE(uint8_t(onDisk[skillOffset() + 1]), uint8_t(m_image[skillOffset() + 1]));
            QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
        } else if (answer == MessageAnswer::No) {
            // Reloaded: the window shows the file on disk, the edits are gone.
            QVERIFY(!saved);
            QCOMPARE(onDisk, newerOnDisk());
            QCOMPARE(w.openFilePath(), path);
            QVERIFY(!w.isFileChanged());
            QCOMPARE(w.saveFile()->AircrewSkill[0][1], uint8_t(99));
            QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));
        } else {
            QVERIFY(!saved);
            QCOMPARE(onDisk, newerOnDisk());
            QVERIFY(w.isFileChanged());
        }
    }

    // Read-only, then Save -> Yes after the file was replaced: the replacement is not
    // overwritten without the question.
    void readOnlyYesAfterAReplaceAsks() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, true));
        setSkill(w, 72);
        if (!putOnDisk(path, u"renamed over"_s)) {
            QSKIP(fixtures::kReplaceRefused);
        }
        ui.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
        QVERIFY(!w.fileSave());
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QCOMPARE(ui.messages[0].text, mt::readOnlySaveQuestion());
        QCOMPARE(ui.messages[1].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(readFile(path), newerOnDisk());
        QCOMPARE(readFile(BackupStore().backupsOf(path).first()), newerOnDisk());
        QVERIFY(w.isFileChanged());
    }

    void saveWithoutABackupWritesNothing() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 77);
        // No folder can be made below a plain file, so no backup can be written.
        QVERIFY(writeFile(m_files->filePath(QStringLiteral("blocker")), "x"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_files->filePath(QStringLiteral("blocker"))));
        QVERIFY(!w.fileSave());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_settingsDir->filePath(QStringLiteral("data"))));
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(ui.messages[0].text.startsWith(korven::texts::backupFailed(QString()).section(u'\r', 0, 0)));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(w.isFileChanged());
        QCOMPARE(readFile(path), m_image);
    }

    void saveWithoutFile() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(!w.fileSave());
        w.fileSaveAs();
        QCOMPARE(ui.messageTexts(), (QStringList{mt::noFileLoaded(), mt::noFileLoaded()}));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ui.messages[1].icon, MessageIcon::Exclamation);
        QVERIFY(ui.saveDialogs.empty());
    }

    // A text the file cannot hold is refused when the dialog stores it: the user is told, and
    // neither the model nor the edit state changes.
    void unwritableTextIsRefusedAtTheStore() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        const QString name = w.saveFile()->ShipClass[0].Name.text();
        QString shown;
        w.setDialogOpeners({.record = [&shown](const RecordKey&, EditSession& session, QWidget*) {
            session.file.ShipClass[0].Name.setText(QStringLiteral("\U0001F6A2"));
            session.commit();
            shown = session.file.ShipClass[0].Name.text();
            return true;
        }});
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        list->setCurrentIndex(list->model()->index(0, 0));
        w.openSelectedRecord();
        QCOMPARE(ui.messageTexts(),
                 QStringList{document::texts::changeRefused(
                     {QStringLiteral("ShipClass[0].Name"), ChangeRefusal::Reason::TextUnmappable})});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        // The dialog's copy shows the model as it stays.
        QCOMPARE(shown, name);
        QVERIFY(!w.isFileChanged());
        QVERIFY(w.fileClose());
        QCOMPARE(readFile(path), m_image);
    }

    // Saves that fail on disk: the file stays as it was, the window says so and keeps the edits.
    void diskFaultsKeepTheFlag_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
#ifndef Q_OS_WIN  // a file-size limit is POSIX
        QTest::newRow("write fails part way")
            << u"file size limit"_s << u"ディスクの空き容量が足りません。"_s;
#endif
        QTest::newRow("file made read-only while open")
            << u"read-only"_s << u"ファイルが読み取り専用になっています。"_s;
        QTest::newRow("file removed while open")
            << u"removed"_s
            << u"開いている間に、ほかのプログラムがファイルを変更、置き換え、または削除しました。"_s;
    }
    void diskFaultsKeepTheFlag() {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 61);
        QVERIFY(w.fileSave());  // the backup is made; what follows concerns the save alone
        const QByteArray before = readFile(path);
        setSkill(w, 62);
#ifndef Q_OS_WIN
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        if (fault == u"file size limit") {
            rlimit small = saved;
            small.rlim_cur = static_cast<rlim_t>(before.size() / 2);
            QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        }
#endif
        if (fault == u"read-only") {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
        } else if (fault == u"removed") {
            QVERIFY(QFile::remove(path));
            if (QFile::exists(path)) {
                QSKIP("this system keeps a deleted file that is held open under its name");
            }
        }
        const bool written = w.fileSave();
#ifndef Q_OS_WIN
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
#endif

        QVERIFY(!written);
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::writeError() + u"\r\n原因: "_s + reason});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" [編集済み]")));
        if (fault == u"removed") {
            QVERIFY(!QFileInfo::exists(path));
        } else {
            QCOMPARE(readFile(path), before);
        }
        QCOMPARE(
            QDir(m_files->path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".SaveFile1")),
            QStringList());
    }

    void readOnlySaveNoThenCloseAsksAgain() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, true));
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("KorvenEdit - ") + path + QStringLiteral("（読み取り専用） [未編集]"));
        QCOMPARE(child<QLabel>(w, "Label1")->text(), path + QStringLiteral("(読み取り専用）"));
        setSkill(w, 55);
        ui.answers = {MessageAnswer::No};
        QVERIFY(!w.fileSave());
        QCOMPARE(ui.messages.size(), std::size_t(1));
        const Message& question = ui.messages[0];
        QCOMPARE(question.text, QStringLiteral("読み取り専用で開かれているため保存できません。\n"
                                               "読み取り専用を解除して保存しますか？"));
        QCOMPARE(question.icon, MessageIcon::Question);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.defaultAnswer, MessageAnswer::No);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.isReadOnly());

        ui.clear();
        ui.answers = {MessageAnswer::Yes, MessageAnswer::No};  // save? yes; leave read-only? no
        QVERIFY(!w.fileClose());
        QCOMPARE(ui.messages.size(), std::size_t(2));
        QCOMPARE(ui.messages[0].text,
                 QStringLiteral("ファイルが編集されています。保存しますか？\n保存ファイル名　") + path);
        QCOMPARE(ui.messages[0].icon, MessageIcon::Question);
        QCOMPARE(ui.messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(ui.messages[0].defaultAnswer, MessageAnswer::Yes);
        QCOMPARE(ui.messages[1].text, mt::readOnlySaveQuestion());
        QCOMPARE(w.openFilePath(), path);

        ui.clear();
        ui.answers = {MessageAnswer::No};
        QVERIFY(w.fileClose());
        QVERIFY(w.openFilePath().isEmpty());
        QCOMPARE(readFile(path), m_image);
        // Label1 and Label2 keep their texts after closing.
        QCOMPARE(child<QLabel>(w, "Label1")->text(), path + QStringLiteral("(読み取り専用）"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
    }

    void readOnlySaveYesWrites() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, true));
        setSkill(w, 66);
        ui.answers = {MessageAnswer::Yes};
        QVERIFY(w.fileSave());
        QVERIFY(!w.isReadOnly());
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + path + QStringLiteral(" [未編集]"));
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(66));
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));  // now held exclusively
    }

    void readOnlyOnDiskCannotBeSaved() {
        const QString path = saveFile();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, true));
        setSkill(w, 12);
        ui.answers = {MessageAnswer::Yes};
        QVERIFY(!w.fileSave());
        QCOMPARE(ui.messageTexts(), (QStringList{mt::readOnlySaveQuestion(),
                                                 mt::cannotLeaveReadOnly() +
                                                     u"\r\n原因: ファイルが読み取り専用になっています。"_s}));
        QCOMPARE(ui.messages[1].icon, MessageIcon::Error);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.isReadOnly());
        QCOMPARE(readFile(path), m_image);
        QVERIFY(LockedFile::open(path, LockMode::ReadOnly));  // the shared lock is kept
    }

    // ---- Save As ----

    void saveAsNewName() {
        const QString path = saveFile();
        const QString copy = m_files->filePath(QStringLiteral("SaveFile2.SAVE"));
        fixtures::ScriptedUi ui;
        ui.saveChoices.push_back(copy);
        frmMain w;
        QVERIFY(w.openFile(path, true));
        setSkill(w, 88);
        action(w, "mnuFileSaveAs")->trigger();
        QVERIFY(ui.messages.empty());
        QCOMPARE(ui.saveDialogs.size(), std::size_t(1));
        QCOMPARE(ui.saveDialogs[0].defaultSuffix, QStringLiteral("SAVE"));
        QVERIFY(!ui.saveDialogs[0].showReadOnlyBox);
        QCOMPARE(ui.saveDialogs[0].filter,
                 QStringLiteral(
                     "ヴァルゾンセーブファイル(SaveFile*.SAVE) (SaveFile*.SAVE);;全てのファイル(*.*) (*)"));
        QCOMPARE(w.openFilePath(), copy);
        QVERIFY(!w.isReadOnly());
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + copy + QStringLiteral(" [未編集]"));
        QCOMPARE(readFile(path), m_image);
        QByteArray expected = m_image;
        expected[skillOffset()] = char(88);
        QCOMPARE(readFile(copy), expected);
        QVERIFY(LockedFile::open(path, LockMode::Normal));  // the old file is released
        QVERIFY(!LockedFile::open(copy, LockMode::ReadOnly));
        // Saving again goes to the copy.
        setSkill(w, 89);
        QVERIFY(w.fileSave());
        QCOMPARE(static_cast<uint8_t>(readFile(copy).at(skillOffset())), uint8_t(89));
    }

    void saveAsCancelled() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 5);
        w.fileSaveAs();
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());
    }

    void saveAsFailureKeepsTheOldFile_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("badText");
        QTest::addColumn<QString>("message");
        const QString writeError = korven::texts::writeError();
        const QString cannotOpen = korven::texts::cannotOpen();
        QTest::newRow("missing folder")
            << "no/such/folder/SaveFile2.SAVE" << false
            << writeError + u"\r\n原因: ファイルまたはフォルダが見つかりません。"_s;
        // A text without a code page 932 form no longer reaches the writer: the store refuses it.
        QTest::newRow("read-only target")
            << "ReadOnly.SAVE" << false << cannotOpen + u"\r\n原因: ファイルが読み取り専用になっています。"_s;
        QTest::newRow("target held by another editor")
            << "Held.SAVE" << false
            << cannotOpen + u"\r\n原因: ほかのプログラムがファイルをロックしています。"_s;
    }
    void saveAsFailureKeepsTheOldFile() {
        QFETCH(QString, target);
        QFETCH(bool, badText);
        QFETCH(QString, message);
        const QString path = saveFile();
        const QString chosen = m_files->filePath(target);
        const QByteArray other("KVSAVE other file");
        std::unique_ptr<LockedFile> holder;
        if (target == u"ReadOnly.SAVE" || target == u"Held.SAVE") {
            QVERIFY(writeFile(chosen, other));
        }
        if (target == u"ReadOnly.SAVE") {
            QVERIFY(QFile::setPermissions(chosen, QFile::ReadOwner));
        }
        if (target == u"Held.SAVE") {
            holder = LockedFile::open(chosen, LockMode::Normal);
            QVERIFY(holder);
        }
        fixtures::ScriptedUi ui;
        ui.saveChoices.push_back(chosen);
        frmMain w;
        QVERIFY(w.openFile(path, false));
        if (badText) {
            edit(w, [](SaveFile& file) { file.Base[0].Name.setText(QStringLiteral("\U0001F6A2")); });
        } else {
            setSkill(w, 44);
        }
        w.fileSaveAs();
        // A target that cannot be opened for writing gets the open error, any other failure the write error.
        QCOMPARE(ui.messageTexts(), QStringList{message});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("KorvenEdit - ") + path));
        QVERIFY(!LockedFile::open(path, LockMode::ReadOnly));  // still open and locked
        QCOMPARE(readFile(path), m_image);
        if (QFileInfo::exists(chosen) && target != u"SaveFile2.SAVE") {
            QCOMPARE(readFile(chosen), other);
        } else {
            QVERIFY(!QFileInfo::exists(chosen));
        }
        // The window goes on working with the old file.
        if (!badText) {
            QVERIFY(w.fileSave());
            QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(44));
        }
    }

    void saveAsSameNameSaves() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        ui.saveChoices.push_back(m_files->path() + QStringLiteral("/./SaveFile1.SAVE"));
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 33);
        w.fileSaveAs();
        QVERIFY(ui.messages.empty());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(33));
    }

    // ---- Close and unload ----

    void closeWithoutEditAsksNothing() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        action(w, "mnuFileClose")->trigger();
        QVERIFY(ui.messages.empty());
        QVERIFY(w.openFilePath().isEmpty());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit"));
        QCOMPARE(child<QLabel>(w, "Panel_2")->text(), mt::noFileLoaded());
        auto* list = child<RecordListView>(w, "ListView");
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->topLevelItemCount(), 0);
        QCOMPARE(list->rowCount(), 0);
        // The columns and the list kind survive for the next file.
        QCOMPARE(list->columnCount(), 7);
        QCOMPARE(w.currentListKind(), std::optional(ListKind::Kankei));
        QVERIFY(action(w, "mnuFileOpen")->isEnabled());
        QVERIFY(!action(w, "mnuFileSave")->isEnabled());
        QVERIFY(!action(w, "mnuFileProperties")->isEnabled());
        QVERIFY(LockedFile::open(path, LockMode::Normal));
    }

    void closeCancelKeepsEverythingAndUnloadIsCancelled() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(path, false));
        setSkill(w, 9);
        ui.answers = {MessageAnswer::Cancel};
        QVERIFY(!w.fileClose());
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());

        ui.answers = {MessageAnswer::Cancel};
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(ui.messages.size(), std::size_t(2));
        // Written although the unload was cancelled.
        QCOMPARE(stored(QStringLiteral("Position/MainWidth")), QStringLiteral("8000"));
        QCOMPARE(stored(QStringLiteral("Other/Version")), program::settingsVersion());

        ui.answers = {MessageAnswer::No};
        action(w, "mnuFileExit")->trigger();
        QVERIFY(!w.isVisible());
        QCOMPARE(readFile(path), m_image);
    }

    void unloadSavesOnYes() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(path, false));
        setSkill(w, 21);
        ui.answers = {MessageAnswer::Yes};
        QVERIFY(w.close());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(21));
    }

    void ctrlCClosesTheFile_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("list") << "ListView";
        QTest::newRow("tree") << "TreeView";
    }
    void ctrlCClosesTheFile() {
        QFETCH(QString, focus);
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.openFile(path, false));
        QVERIFY(w.selectNode(QStringLiteral("Kokan_0_4")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 0);
        QWidget* target = w.findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(w.openFilePath().isEmpty());
    }

    // ---- Edit history ----

    void undoAndRedoFollowTheWindow() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        const uint8_t original = w.saveFile()->AircrewSkill[0][0];
        auto* list = child<RecordListView>(w, "ListView");
        QAction* undo = action(w, "mnuEditUndo");
        QAction* redo = action(w, "mnuEditRedo");
        QVERIFY(!undo->isEnabled());
        setSkill(w, 77);
        QVERIFY(undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("元に戻す(&U) 「日本海軍: 搭乗員練度（戦闘機） 40→77」"));
        QCOMPARE(column(list, 1).first(), QStringLiteral("77"));

        undo->trigger();
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], original);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + path + QStringLiteral(" [未編集]"));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("未編集"));
        QCOMPARE(column(list, 1).first(), QString::number(original));
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("やり直し(&R) 「日本海軍: 搭乗員練度（戦闘機） 40→77」"));

        redo->trigger();
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], uint8_t(77));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
        QCOMPARE(column(list, 1).first(), QStringLiteral("77"));
        // Closing without saving asks, as any change does.
        ui.answers = {MessageAnswer::No};
        QVERIFY(w.fileClose());
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());
        QCOMPARE(readFile(path), m_image);
    }

    // The history survives a save; undoing past it is a change against the saved file.
    void undoAfterSave() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 42);
        setSkill(w, 43);
        QVERIFY(w.fileSave());
        action(w, "mnuEditUndo")->trigger();
        QVERIFY(w.isFileChanged());
        QCOMPARE(w.windowTitle(), QStringLiteral("KorvenEdit - ") + path + QStringLiteral(" [編集済み]"));
        QVERIFY(w.fileSave());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(42));
        action(w, "mnuEditRedo")->trigger();
        QVERIFY(w.isFileChanged());
    }

    void ctrlZAndCtrlYUndoAndRedo() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.openFile(path, false));
        setSkill(w, 90);
        auto* list = child<RecordListView>(w, "ListView");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!w.isFileChanged());
        QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(w.isFileChanged());
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], uint8_t(90));
    }

    // Each store of a dialog (Apply, then OK) is its own step, named after the row it came from.
    void everyStoreOfADialogIsOneStep() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        w.setDialogOpeners({.record = [](const RecordKey&, EditSession& session, QWidget*) {
            session.file.AircrewSkill[1][0] = 10;
            session.commit();  // Apply
            session.file.AircrewSkill[1][1] = 11;
            session.commit();  // OK
            return true;
        }});
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 1);
        w.openSelectedRecord();
        QUndoStack& history = w.document().history();
        QCOMPARE(history.count(), 2);
        QCOMPARE(history.text(0), QStringLiteral("日本陸軍: 搭乗員練度（戦闘機） 50→10"));
        QCOMPARE(history.text(1), QStringLiteral("日本陸軍: 搭乗員練度（爆撃機） 55→11"));
        // The history view moves the document as the menu does.
        w.setDialogOpeners({});
        QTimer::singleShot(0, [&w] {
            auto* view = qApp->activeModalWidget()->findChild<QUndoView*>(QStringLiteral("lstHistory"));
            QVERIFY(view);
            QCOMPARE(view->model()->rowCount(), 3);
            QCOMPARE(view->model()->index(0, 0).data().toString(), mt::historyOpened());
            view->setCurrentIndex(view->model()->index(0, 0));
            qApp->activeModalWidget()->close();
        });
        action(w, "mnuEditHistory")->trigger();
        QVERIFY(!w.isFileChanged());
        QCOMPARE(column(list, 1).at(1), QString::number(static_cast<uint8_t>(m_image.at(skillOffset() + 2))));
    }

    void propertiesStoreIsAStep() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        w.setDialogOpeners({.properties = [](EditSession& session, QWidget*) {
            session.file.TurnInfo[0] = 3;
            session.commit();
        }});
        action(w, "mnuFileProperties")->trigger();
        QVERIFY(w.document().history().undoText().startsWith(mt::propertiesStepName() +
                                                             QStringLiteral(": 現在ターン ")));
        action(w, "mnuEditUndo")->trigger();
        QVERIFY(!w.isFileChanged());
        QCOMPARE(w.saveFile()->TurnInfo[0], w.document().savedModel()->TurnInfo[0]);
    }

    // ---- Change review and comparison ----

    // The rows of the change view the next modal dialog shows, and closes it with `button`.
    static void readChangesThenPress(QStringList* rows, QString* summary, const char* button) {
        QTimer::singleShot(0, [=] {
            QWidget* dialog = qApp->activeModalWidget();
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("frmChanges"));
            auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("lstChanges"));
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                QStringList cells;
                for (int c = 0; c < list->columnCount(); ++c) {
                    cells.append(list->topLevelItem(i)->text(c));
                }
                rows->append(cells.join(u'|'));
            }
            *summary = dialog->findChild<QLabel*>(QStringLiteral("lblSummary"))->text();
            dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
    }

    void reviewAfterEditsInTwoDialogs() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        const SaveFile original = *w.saveFile();
        setSkill(w, 77);
        w.setDialogOpeners({.properties = [](EditSession& session, QWidget*) {
            session.file.TurnInfo[0] = 4;
            session.commit();
        }});
        action(w, "mnuFileProperties")->trigger();
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuEditReview")->trigger();
        QCOMPARE(summary, mt::changeCount(2));
        QCOMPARE(rows,
                 (QStringList{u"ﾌﾟﾛﾊﾟﾃｨ||現在ターン|%1|4|TurnInfo[0]"_s.arg(original.TurnInfo[0]),
                              u"搭乗員練度|日本海軍|搭乗員練度（戦闘機）|%1|77|AircrewSkill[0][0]"_s.arg(
                                  original.AircrewSkill[0][0])}));
        // Undoing one store takes it off the review.
        action(w, "mnuEditUndo")->trigger();
        rows.clear();
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuEditReview")->trigger();
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows[0].startsWith(u"搭乗員練度|"_s));
    }

    void reviewBeforeSavingIsAnOption() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QVERIFY(!action(w, "mnuEditReviewBeforeSave")->isChecked());
            QVERIFY(w.openFile(path, false));
            setSkill(w, 61);
            // Off by default: saving shows nothing.
            QVERIFY(w.fileSave());
            action(w, "mnuEditReviewBeforeSave")->trigger();
            setSkill(w, 62);
            QStringList rows;
            QString summary;
            readChangesThenPress(&rows, &summary, "cmdCancel");
            QVERIFY(!w.fileSave());
            QCOMPARE(rows.size(), 1);
            QCOMPARE(summary, mt::changeCount(1) + u'\n' + mt::saveQuestionAfterReview());
            QVERIFY(w.isFileChanged());
            QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(61));
            ui.answers = {MessageAnswer::No};
            QVERIFY(w.fileClose());
            w.close();
        }
        QCOMPARE(stored(u"Option/ReviewBeforeSave"_s), u"True"_s);
        frmMain again;
        QVERIFY(action(again, "mnuEditReviewBeforeSave")->isChecked());
        QVERIFY(again.openFile(path, false));
        setSkill(again, 63);
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdSave");
        QVERIFY(again.fileSave());
        QCOMPARE(static_cast<uint8_t>(readFile(path).at(skillOffset())), uint8_t(63));
    }

    void compareWithAnotherSave() {
        const QString path = saveFile();
        QByteArray otherImage = m_image;
        otherImage[skillOffset() + 3] = char(42);  // 日本陸軍, second value
        const QString other = m_files->filePath(u"SaveFile2.SAVE"_s);
        QVERIFY(writeFile(other, otherImage));
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(path, false));
        setSkill(w, 70);
        ui.openChoices = {OpenFileChoice{other, false}};
        QStringList rows;
        QString summary;
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuFileCompare")->trigger();
        QCOMPARE(summary, mt::differenceCount(2));
        QCOMPARE(rows,
                 (QStringList{u"搭乗員練度|日本海軍|搭乗員練度（戦闘機）|70|%1|AircrewSkill[0][0]"_s.arg(
                                  uint8_t(m_image[skillOffset()])),
                              u"搭乗員練度|日本陸軍|搭乗員練度（爆撃機）|%1|42|AircrewSkill[1][1]"_s.arg(
                                  uint8_t(m_image[skillOffset() + 3]))}));
        // Read only: the other file is as it was and free, and the open file unchanged.
        QCOMPARE(readFile(other), otherImage);
        QVERIFY(LockedFile::open(other, LockMode::Normal));
        QCOMPARE(w.saveFile()->AircrewSkill[0][0], uint8_t(70));
        QCOMPARE(w.document().history().count(), 1);
        // The open file itself compares with its state on disk.
        ui.openChoices = {OpenFileChoice{path, false}};
        rows.clear();
        readChangesThenPress(&rows, &summary, "cmdClose");
        action(w, "mnuFileCompare")->trigger();
        QCOMPARE(rows.size(), 1);
        // A file that is no save: the usual message, and no view.
        QVERIFY(writeFile(other, "KVS"));
        ui.openChoices = {OpenFileChoice{other, false}};
        ui.clear();
        action(w, "mnuFileCompare")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::notASaveFile()});
        QVERIFY(!qApp->activeModalWidget());
    }

    // ---- Tree and list ----

    void treeNodesAndLists_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("艦型") << "Kankei" << QStringList{} << 0 << "";
        QTest::newRow("日本軍 under 艦型") << "KankeiJapan" << QStringList{} << 0 << "";
        QTest::newRow("全軍") << "ToujouRenAll" << QStringList{u"国籍"_s, u"戦闘機"_s, u"爆撃機"_s} << 5
                              << "日本海軍";
        QTest::newRow("Japanese cruisers")
            << "Kankei_0_2" << QStringList{u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s, u"下部ステップ"_s,
                                           u"速力"_s,     u"燃料"_s, u"機数"_s}
            << 11 << "高雄型";
        QTest::newRow("Allied seaplane carriers")
            << "Kankei_1_3" << QStringList{u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s, u"下部ステップ"_s,
                                           u"速力"_s,     u"燃料"_s, u"機数"_s}
            << 0 << "";
        QTest::newRow("Japanese submarines")
            << "Kokan_0_5" << QStringList{u"艦船名"_s,       u"クラス名"_s, u"艦種"_s, u"上部ステップ"_s,
                                          u"下部ステップ"_s, u"速力"_s,     u"燃料"_s, u"搭載"_s}
            << -1 << "";
        QTest::newRow("anti-air weapons")
            << "KagakuJapan0" << QStringList{u"名称"_s, u"効果"_s, u"必要ターン"_s, u"残りターン"_s} << 6
            << "";
        QTest::newRow("Japanese carrier fighters")
            << "KoukuJapan0" << QStringList{u"正式名"_s, u"名称"_s, u"国籍"_s, u"開発ターン"_s} << -1
            << "９６式艦上戦闘機";
    }
    void treeNodesAndLists() {
        QFETCH(QString, node);
        QFETCH(int, rows);
        QFETCH(QString, firstRow);
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(saveFile(), false));
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_0")));  // some list first
        QVERIFY(w.selectNode(node));
        auto* list = child<RecordListView>(w, "ListView");
        QTEST(headerCaptions(list), "captions");
        if (rows >= 0) {
            QCOMPARE(list->rowCount(), rows);
        } else {
            QVERIFY(list->rowCount() > 0);
        }
        if (!firstRow.isEmpty()) {
            QCOMPARE(list->cellText(0, 0), firstRow);
        }
        const QString count = list->columnCount() == 0 ? QString() : mt::rowCount(list->rowCount());
        QCOMPARE(child<QLabel>(w, "Panel_1")->text(), count);
        QVERIFY(ui.messages.empty());
    }

    void everyNodeOfTheDemoSave() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(saveFile(), false));
        auto* tree = child<QTreeWidget>(w, "TreeView");
        auto* list = child<RecordListView>(w, "ListView");
        const CategoryTree model = BuildCategoryTree();
        int nodes = 0;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            tree->setCurrentItem(*it);
            const int index = (*it)->data(0, Qt::UserRole + 1).toInt();
            QCOMPARE((*it)->text(0), model.node(index)->caption);
            const NodeList shown =
                ListForNode(FactsOf(model, index), model.fixedNodeCount, model.firstAreaIndex);
            QCOMPARE(list->rowCount(), static_cast<int>(BuildRows(*w.saveFile(), shown).size()));
            QCOMPARE(list->columnCount(), static_cast<int>(DefaultColumns(shown.kind).size()));
            ++nodes;
        }
        QCOMPARE(nodes, static_cast<int>(model.nodes.size()));
        QVERIFY(ui.messages.empty());
    }

    void shipNamesInTheList() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(saveFile(), false));
        setFields(w, {{QStringLiteral("Ship[510].Words[2]"), 7},
                      {QStringLiteral("Ship[511].Words[2]"), 13015},
                      {QStringLiteral("Ship[512].Words[2]"), 15002}});
        const int group = ListingGroupOfClass(*w.saveFile(), w.saveFile()->Ship[510].Words[3]);
        QVERIFY(w.selectNode(QStringLiteral("Kokan_1_%1").arg(group)));
        auto* list = child<RecordListView>(w, "ListView");
        const QStringList names = column(list, 0);
        QVERIFY(names.contains(QStringLiteral("No.0007")));
        QCOMPARE(list->rowKey(rowsNamed(list, QStringLiteral("No.0007")).value(0)),
                 (std::optional(RecordKey{RecordKind::Ship, 510})));
    }

    void sortToggling() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(saveFile(), false));
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        const QStringList unsorted = column(list, 2);
        auto numbers = [&](int c) {
            QList<int> values;
            for (const QString& text : column(list, c)) {
                values.append(text.toInt());
            }
            return values;
        };
        clickHeader(list, 2);  // 上部ステップ: one- and two-digit numbers
        QList<int> steps = numbers(2);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        QVERIFY(steps.first() < 10 && steps.last() >= 10);
        clickHeader(list, 2);
        steps = numbers(2);
        QVERIFY(std::is_sorted(steps.rbegin(), steps.rend()));
        clickHeader(list, 2);
        steps = numbers(2);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        clickHeader(list, 0);
        const QStringList names = column(list, 0);
        QStringList expected = names;
        std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return QString::compare(a, b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(names, expected);
        // Listing again switches sorting off.
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        QCOMPARE(column(list, 2), unsorted);
        QVERIFY(!list->header()->isSortIndicatorShown());
    }

    void pairColumnsSortByBothValues() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(saveFile(), false));
        QVERIFY(w.selectNode(QStringLiteral("Kokan_0_4")));
        auto* list = child<RecordListView>(w, "ListView");
        clickHeader(list, 3);
        QList<std::pair<int, int>> values;
        for (const QString& text : column(list, 3)) {
            values.append({text.section(u':', 0, 0).toInt(), text.section(u':', 1).toInt()});
        }
        QVERIFY(values.size() > 10);
        QVERIFY(std::is_sorted(values.begin(), values.end()));
    }

    void columnMemoryAcrossKinds() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(saveFile(), false));
        auto* list = child<RecordListView>(w, "ListView");
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        QCOMPARE(list->header()->sectionSize(0), layout::toPixels(1500));
        list->header()->resizeSection(1, 150);
        list->header()->moveSection(0, 3);
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        QCOMPARE(list->header()->sectionSize(0), layout::toPixels(2200));
        list->header()->resizeSection(2, 123);
        QVERIFY(w.selectNode(QStringLiteral("Kichi")));  // the empty list in between
        QCOMPARE(list->columnCount(), 0);
        QVERIFY(w.selectNode(QStringLiteral("Kankei_1_1")));
        QCOMPARE(list->header()->sectionSize(1), 150);
        QCOMPARE(list->header()->visualIndex(0), 3);
        QCOMPARE(list->header()->sectionSize(0), layout::toPixels(1500));
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        QCOMPARE(list->header()->sectionSize(2), 123);
        // Unchanged widths keep their twips exactly.
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal, RecordTableModel::WidthRole).toDouble(),
                 2200.0);
    }

    void enterAndDoubleClickOpenTheEditor() {
        fixtures::ScriptedUi ui;
        store(QStringLiteral("Option/GamePath"), QStringLiteral("/games/varzon/"));
        const QString path = saveFile();
        frmMain w;
        w.show();
        QVERIFY(w.openFile(path, false));
        OpenerLog log;
        w.setDialogOpeners({.record = [&log](const RecordKey& key, EditSession& session, QWidget* owner) {
            log.keys.append(key.text());
            log.itemTexts.append(session.selectedItemText);
            log.openPaths.append(session.openFilePath);
            log.gamePaths.append(session.gamePath);
            return owner != nullptr;
        }});
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);  // nothing selected yet
        QVERIFY(log.keys.isEmpty());
        setCurrentRow(list, 1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(log.keys.size(), 1);
        QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(log.keys.size(), 2);
        QTest::keyClick(list, Qt::Key_A);
        const QRect rect = list->visualRect(list->model()->index(1, 0));
        // The first mouse event only brings the pointer into the window; a single click opens nothing.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(log.keys.size(), 2);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(log.keys, (QStringList{u"Kankei17"_s, u"Kankei17"_s, u"Kankei17"_s}));
        QCOMPARE(log.itemTexts.value(0), QStringLiteral("妙高型"));
        QCOMPARE(log.openPaths.value(0), path);
        QCOMPARE(log.gamePaths.value(0), QStringLiteral("/games/varzon/"));
    }

    // Collapsing an ancestor of the selected node, at any level, leaves neither its rows nor
    // an editor behind Enter; collapsing another node keeps the list.
    void collapsingTheSelectedNodesAncestor_data() {
        QTest::addColumn<QString>("collapsed");
        QTest::addColumn<QString>("selectedAfter");
        QTest::addColumn<int>("rowsAfter");
        QTest::newRow("parent") << u"KankeiJapan"_s << u"KankeiJapan"_s << 0;
        QTest::newRow("grandparent") << u"Kankei"_s << u"Kankei"_s << 0;
        QTest::newRow("another node") << u"Kokan"_s << u"Kankei_0_2"_s << -1;
    }

    void collapsingTheSelectedNodesAncestor() {
        QFETCH(QString, collapsed);
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(saveFile(), false));
        QStringList opened;
        w.setDialogOpeners({.record = [&opened](const RecordKey& key, EditSession&, QWidget*) {
            opened.append(key.text());
            return true;
        }});
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        auto* tree = child<QTreeWidget>(w, "TreeView");
        auto* list = child<RecordListView>(w, "ListView");
        const int rowsBefore = list->rowCount();
        QVERIFY(rowsBefore > 0);
        tree->expandAll();
        const QList<QTreeWidgetItem*> nodes =
            tree->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
        auto node = [&nodes](const QString& key) -> QTreeWidgetItem* {
            for (QTreeWidgetItem* item : nodes) {
                if (item->data(0, Qt::UserRole).toString() == key) {
                    return item;
                }
            }
            return nullptr;
        };
        QVERIFY(node(collapsed));
        tree->collapseItem(node(collapsed));
        QFETCH(QString, selectedAfter);
        QCOMPARE(tree->currentItem(), node(selectedAfter));
        QFETCH(int, rowsAfter);
        QCOMPARE(list->rowCount(), rowsAfter < 0 ? rowsBefore : rowsAfter);
        list->setFocus();
        if (list->rowCount() > 0) {
            setCurrentRow(list, 0);
        }
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened.size(), rowsAfter < 0 ? 1 : 0);
    }

    void refreshSelectsTheSamePosition() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.openFile(saveFile(), false));
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        const QStringList unsorted = column(list, 0);
        clickHeader(list, 0);
        clickHeader(list, 0);  // descending
        QString openedKey;
        w.setDialogOpeners({.record = [&openedKey](const RecordKey& key, EditSession& session, QWidget*) {
            openedKey = key.text();
            session.file.ShipClass[16].Name.setText(QStringLiteral("改高雄型"));
            session.commit();
            return true;
        }});
        setCurrentRow(list, 2);
        const QString selectedKey = list->rowKey(2)->text();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(openedKey, selectedKey);
        // Rebuilt unsorted from the model, with the row at position 3 selected.
        QCOMPARE(list->cellText(0, 0), QStringLiteral("改高雄型"));
        QCOMPARE(column(list, 0).mid(1), unsorted.mid(1));
        QCOMPARE(list->selectedRows(), std::vector<int>{2});
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" [編集済み]")));
        QCOMPARE(child<QLabel>(w, "Label2")->text(), QStringLiteral("編集済み"));
    }

    void refreshOfAShorterList() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(saveFile(), false));
        QVERIFY(w.selectNode(QStringLiteral("Kankei_0_2")));
        auto* list = child<RecordListView>(w, "ListView");
        const int rows = list->rowCount();
        w.setDialogOpeners({.record = [](const RecordKey&, EditSession& session, QWidget*) {
            session.file.ShipClass[static_cast<std::size_t>(session.selection.record)].Kind[1] =
                12;  // now a destroyer
            session.commit();
            return true;
        }});
        setCurrentRow(list, rows - 1);
        w.openSelectedRecord();
        QCOMPARE(list->rowCount(), rows - 1);
        QCOMPARE(list->selectedRows(), std::vector<int>{rows - 2});
    }

    void shipWithoutClassOpensNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.openFile(saveFile(), false));
        setFields(w, {{QStringLiteral("Ship[0].Words[3]"), 400}});
        int opened = 0;
        w.setDialogOpeners(
            {.record = [&opened](const RecordKey&, EditSession&, QWidget*) { return ++opened > 0; }});
        QVERIFY(w.selectNode(QStringLiteral("Kokan_0_0")));
        auto* list = child<RecordListView>(w, "ListView");
        const QList<int> found = rowsNamed(list, catalogue::ShipNames()[0]);
        QCOMPARE(found.size(), 1);
        QCOMPARE(list->cellText(found[0], 1), QString());
        setCurrentRow(list, found[0]);
        w.openSelectedRecord();
        QCOMPARE(opened, 0);
    }

    // ---- Properties, options, about ----

    void propertiesOptionsAndAbout() {
        fixtures::ScriptedUi ui;
        frmMain w;
        OpenerLog log;
        w.setDialogOpeners({.properties =
                                [&log](EditSession& session, QWidget*) {
                                    ++log.properties;
                                    session.file.TurnInfo[0] = 5;
                                    session.commit();
                                },
                            .options =
                                [&log](Preferences& preferences, QWidget*) {
                                    ++log.options;
                                    preferences.gamePath = QStringLiteral("/new/game/");
                                },
                            .about = [&log](QWidget*) { ++log.about; }});
        w.fileProperties();  // no file: nothing
        QCOMPARE(log.properties, 0);
        QVERIFY(w.openFile(saveFile(), false));
        action(w, "mnuFileProperties")->trigger();
        QCOMPARE(log.properties, 1);
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" [編集済み]")));
        action(w, "mnuViewOptions")->trigger();
        QCOMPARE(log.options, 1);
        QCOMPARE(w.gamePath(), QStringLiteral("/new/game/"));
        action(w, "mnuHelpAbout")->trigger();
        QCOMPARE(log.about, 1);
    }

    void dialogsNotBuiltYetOpenNothing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.setDialogOpeners({});
        QVERIFY(w.openFile(saveFile(), false));
        action(w, "mnuFileProperties")->trigger();
        action(w, "mnuViewOptions")->trigger();
        action(w, "mnuHelpAbout")->trigger();
        QVERIFY(w.selectNode(QStringLiteral("ToujouRenAll")));
        auto* list = child<RecordListView>(w, "ListView");
        setCurrentRow(list, 0);
        w.openSelectedRecord();
        QVERIFY(!w.isFileChanged());
        QVERIFY(ui.messages.empty());
    }

    // ---- Help ----

    void helpWithoutAFile() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.setHelpFile(QString());
        action(w, "mnuHelpContents")->trigger();
        action(w, "mnuHelpSearch")->trigger();
        QCOMPARE(ui.messageTexts(), (QStringList{mt::noHelp(), mt::noHelp()}));
        for (const Message& m : ui.messages) {
            QCOMPARE(m.icon, MessageIcon::Information);
            QCOMPARE(m.buttons, MessageButtons::Ok);
            QCOMPARE(m.title, QStringLiteral("KorvenEdit"));
        }
        QVERIFY(!child(w, "frmHelp"));
    }

    void helpFileMissing() {
        fixtures::ScriptedUi ui;
        frmMain w;
        const QString missing = m_files->filePath(QStringLiteral("KorvEdit.html"));
        w.setHelpFile(missing);
        action(w, "mnuHelpContents")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::helpFileMissing(missing)});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
    }

    void helpContentsAndSearch() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        action(w, "mnuHelpContents")->trigger();
        QVERIFY(ui.messages.empty());
        auto* help = child(w, "frmHelp");
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(child<QTabWidget>(*help, "tabHelp")->currentIndex(), 0);
        action(w, "mnuHelpSearch")->trigger();
        QCOMPARE(child<QTabWidget>(*help, "tabHelp")->currentIndex(), 1);
    }

    void f1OnTheMainWindowOpensItsTopic() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QTest::keyClick(&w, Qt::Key_F1);
        auto* help = w.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->currentAnchor(), u"window"_s);
    }

    // A modal window blocks the main window's help viewer, so the window in front gets one of
    // its own; a box that a dialog opened counts as the dialog.
    void f1OnADialogOpensItsTopic_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("topic");
        QTest::newRow("ship") << u"frmShip"_s << u"ship"_s;
        QTest::newRow("aircraft") << u"frmAir"_s << u"air"_s;
        QTest::newRow("base") << u"frmBase"_s << u"base"_s;
        QTest::newRow("properties") << u"FileProperties"_s << u"properties"_s;
        QTest::newRow("science") << u"frmKagaku"_s << u"science"_s;
        QTest::newRow("aircrew") << u"frmToujouRen"_s << u"aircrew"_s;
        QTest::newRow("options") << u"frmOptions"_s << u"options"_s;
    }

    void f1OnADialogOpensItsTopic() {
        QFETCH(QString, dialog);
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QDialog front(&w);
        front.setObjectName(dialog);
        auto* box = new QLineEdit(&front);
        front.open();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(!w.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly));
        auto* help = front.findChild<HelpWindow*>();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QTEST(help->currentAnchor(), "topic");

        QDialog message(&front);
        message.open();
        QTest::keyClick(&message, Qt::Key_F1);
        auto* overMessage = message.findChild<HelpWindow*>();
        QVERIFY(overMessage);
        QTEST(overMessage->currentAnchor(), "topic");
    }
};

QTEST_MAIN(TestFrmMain)
#include "test_frm_main.moc"
