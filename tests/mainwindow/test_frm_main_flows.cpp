// The main window's ways to find and open records: the search above the list, recent files,
// a save dropped on the window; and the ways rows leave it: copied and exported as CSV.
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/frmMain.h"
#include "model/ChangeSet.h"
#include "model/ModelTexts.h"
#include "tests/support/IsolatedSettings.h"
#include "tests/support/SaveImageBuilder.h"
#include "tests/support/ScriptedUi.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUndoStack>
#include <QUrl>

#include <memory>

using namespace korven;
using namespace korven::mainwindow;
namespace mt = korven::mainwindow::texts;
using namespace Qt::StringLiterals;

namespace {

template <typename T = QWidget>
T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

QStringList rowTexts(const QAbstractItemModel* model, int column) {
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row) {
        texts.append(model->index(row, column).data().toString());
    }
    return texts;
}

// Japanese text arrives from the input method as a committed string.
void commitText(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

QString selectedName(const RecordListView* list) {
    const std::optional<int> row = list->selectedRow();
    return row ? list->cellText(*row, 0) : QString();
}

}  // namespace

class TestFrmMainFlows : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_settingsDir;
    std::unique_ptr<QTemporaryDir> m_files;
    QByteArray m_image;

    QString saveFile(const QString& name = u"SaveFile1.SAVE"_s) {
        const QString path = m_files->filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(m_image) != m_image.size()) {
            qFatal("cannot write the test save");
        }
        return path;
    }

    // A shown, active window with the demo save open.
    static void openShown(frmMain& w, const QString& path) {
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.files().openFile(path, false));
    }

private slots:
    void initTestCase() { m_image = fixtures::SaveImageBuilder().build(); }

    void init() {
        m_settingsDir = std::make_unique<QTemporaryDir>();
        m_files = std::make_unique<QTemporaryDir>();
        korven::fixtures::IsolateSettings(m_settingsDir->path());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_settingsDir->filePath(u"data"_s)));
    }

    // ---- Search ----

    void searchFindsShowsAndOpens() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QStringList opened;
        logOpenedKeys(w, opened);
        auto* box = child<QLineEdit>(w, "txtSearch");
        auto* results = child<QTreeView>(w, "lstSearch");
        auto* list = child<RecordListView>(w, "ListView");
        QVERIFY(!box->isEnabled());
        openShown(w, saveFile());
        const int listTop = list->y();

        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), box);
        commitText(box, u"ﾊﾞﾝｺｸ"_s);
        QVERIFY(results->isVisible());
        QVERIFY(list->y() > listTop);  // the matches push the list down
        // The exact name first; the category names the node that lists it.
        const QStringList names = rowTexts(results->model(), 0);
        QVERIFY(names.size() >= 1);
        QCOMPARE(names.first(), u"バンコク"_s);
        const QString category = rowTexts(results->model(), 1).first();
        QVERIFY(category.startsWith(u"基地／"_s));
        QCOMPARE(child<QLabel>(w, "lblSearchCount")->text(), mt::rowCount(static_cast<int>(names.size())));

        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), results);
        QCOMPARE(child<QTreeWidget>(w, "TreeView")->currentItem()->text(0), category.section(u'／', 1));
        QCOMPARE(selectedName(list), u"バンコク"_s);
        QVERIFY(opened.isEmpty());

        QTest::keyClick(results, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QVERIFY(opened[0].startsWith(u"Base"_s));
        QCOMPARE(list->rowKey(*list->selectedRow())->text(), opened[0]);

        QTest::keyClick(results, Qt::Key_Escape);
        QVERIFY(box->text().isEmpty());
        QVERIFY(!results->isVisible());
        QCOMPARE(list->y(), listTop);
        QVERIFY(ui.messages.empty());
    }

    void enterInTheBoxOpensTheFirstMatch() {
        fixtures::ScriptedUi ui;
        frmMain w;
        QStringList opened;
        logOpenedKeys(w, opened);
        openShown(w, saveFile());
        auto* box = child<QLineEdit>(w, "txtSearch");
        commitText(box, u"妙高型"_s);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(opened, QStringList{u"Kankei17"_s});
        QCOMPARE(selectedName(child<RecordListView>(w, "ListView")), u"妙高型"_s);
    }

    void matchesFollowEditsAndCloseEmptiesTheBox() {
        fixtures::ScriptedUi ui;
        frmMain w;
        w.setDialogOpeners({.record = [](const RecordKey&, EditSession& session, QWidget*) {
            session.file.ShipClass[17].Name.setText(u"改妙高型"_s);
            session.commit();
            return true;
        }});
        openShown(w, saveFile());
        auto* box = child<QLineEdit>(w, "txtSearch");
        auto* results = child<QTreeView>(w, "lstSearch");
        commitText(box, u"妙高"_s);
        QVERIFY(rowTexts(results->model(), 0).contains(u"妙高型"_s));
        results->setFocus();
        results->setCurrentIndex(
            results->model()->index(static_cast<int>(rowTexts(results->model(), 0).indexOf(u"妙高型"_s)), 0));
        QTest::keyClick(results, Qt::Key_Return);
        QVERIFY(!rowTexts(results->model(), 0).contains(u"妙高型"_s));
        QVERIFY(rowTexts(results->model(), 0).contains(u"改妙高型"_s));

        ui.answers = {MessageAnswer::No};
        QVERIFY(w.files().close());
        QVERIFY(box->text().isEmpty());
        QVERIFY(!box->isEnabled());
        QVERIFY(!results->isVisible());
    }

    // ---- Recent files ----

    void recentFilesAcrossRestarts() {
        const QString first = saveFile(u"SaveFile1.SAVE"_s);
        QVERIFY(QDir(m_files->path()).mkdir(u"other"_s));
        const QString second = saveFile(u"other/SaveFile2.SAVE"_s);
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QVERIFY(!child<QAction>(w, "mnuFileRecent_0")->isVisible());
            QVERIFY(w.files().openFile(first, false));
            QVERIFY(w.files().close());
            QVERIFY(w.files().openFile(second, false));
            QVERIFY(w.close());
        }
        frmMain w;
        QAction* newest = child<QAction>(w, "mnuFileRecent_0");
        QAction* older = child<QAction>(w, "mnuFileRecent_1");
        QCOMPARE(newest->text(), mt::menuFileRecent(1, QDir::toNativeSeparators(second)));
        QCOMPARE(older->text(), mt::menuFileRecent(2, QDir::toNativeSeparators(first)));
        QVERIFY(newest->isVisible() && older->isVisible());
        QVERIFY(!child<QAction>(w, "mnuFileRecent_2")->isVisible());
        QVERIFY(child<QAction>(w, "mnuFileBarRecent")->isVisible());
        // Screen readers list a menu's actions, hidden ones too: only the two in use are there.
        const QList<QAction*> entries = child<QMenu>(w, "mnuFile")->actions();
        const auto recentEntries = std::count_if(entries.begin(), entries.end(), [](const QAction* a) {
            return a->objectName().startsWith(u"mnuFileRecent_"_s);
        });
        QCOMPARE(recentEntries, 2);
        QCOMPARE(entries[entries.indexOf(older) + 1]->objectName(), u"mnuFileBarRecent"_s);

        // The open dialog starts where the last file was opened.
        child<QAction>(w, "mnuFileOpen")->trigger();
        QCOMPARE(ui.openDialogs.back().directory, QFileInfo(second).absolutePath());

        older->trigger();
        QCOMPARE(w.openFilePath(), QDir::toNativeSeparators(first));
        QCOMPARE(newest->text(), mt::menuFileRecent(1, QDir::toNativeSeparators(first)));
        QVERIFY(ui.messages.empty());
    }

    void recentFileThatIsGone() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        {
            frmMain w;
            QVERIFY(w.files().openFile(path, false));
            QVERIFY(w.close());
        }
        QVERIFY(QFile::remove(path));
        frmMain w;
        child<QAction>(w, "mnuFileRecent_0")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::recentFileMissing(QDir::toNativeSeparators(path))});
        QCOMPARE(ui.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(!child<QAction>(w, "mnuFileRecent_0")->isVisible());
        QVERIFY(w.openFilePath().isEmpty());
    }

    void recentFileInPlaceOfAChangedOne() {
        const QString first = saveFile(u"SaveFile1.SAVE"_s);
        const QString second = saveFile(u"SaveFile2.SAVE"_s);
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(first, false));
        QVERIFY(w.files().close());
        QVERIFY(w.files().openFile(second, false));
        markChanged(w);
        ui.answers = {MessageAnswer::Cancel};
        child<QAction>(w, "mnuFileRecent_1")->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::saveQuestion(second)});
        QCOMPARE(w.openFilePath(), second);
        QVERIFY(w.isFileChanged());
    }

    // ---- Drag and drop ----

    void dropOpensTheSave() {
        const QString first = saveFile(u"SaveFile1.SAVE"_s);
        const QString second = saveFile(u"SaveFile2.SAVE"_s);
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        QVERIFY(w.acceptDrops());
        QVERIFY(w.files().openFile(first, false));
        markChanged(w);

        // Cancel in the save question keeps the changed file open.
        ui.answers = {MessageAnswer::Cancel};
        QVERIFY(drop(w, {QUrl::fromLocalFile(second)}));
        QCOMPARE(ui.messageTexts(), QStringList{mt::saveQuestion(first)});
        QCOMPARE(w.openFilePath(), first);

        ui.answers = {MessageAnswer::No};
        QVERIFY(drop(w, {QUrl::fromLocalFile(second)}));
        QCOMPARE(w.openFilePath(), second);
        QVERIFY(!w.isFileChanged());
        QCOMPARE(child<QAction>(w, "mnuFileRecent_0")->toolTip(), QDir::toNativeSeparators(second));
    }

    void dropsThatOpenNothing() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        w.show();
        // Two files at once are refused before they are dropped.
        QVERIFY(!drop(w, {QUrl::fromLocalFile(path), QUrl::fromLocalFile(path)}));
        QVERIFY(drop(w, {QUrl::fromLocalFile(m_files->path())}));
        QCOMPARE(ui.messageTexts(), QStringList{mt::folderGiven()});
        QVERIFY(w.openFilePath().isEmpty());
        // The open file dropped again stays open as it is; so does the open file when a file
        // that is no save is dropped.
        QVERIFY(w.files().openFile(path, false));
        markChanged(w);
        ui.clear();
        QVERIFY(drop(w, {QUrl::fromLocalFile(path)}));
        QVERIFY(ui.messages.empty());
        QVERIFY(w.isFileChanged());
        const QString picture = m_files->filePath(u"ship1.bmp"_s);
        QFile bitmap(picture);
        QVERIFY(bitmap.open(QIODevice::WriteOnly) && bitmap.write(QByteArray("BM6\0\0\0\0\0", 8)) == 8);
        bitmap.close();
        QVERIFY(drop(w, {QUrl::fromLocalFile(picture)}));
        QCOMPARE(ui.messageTexts(), QStringList{korven::texts::notASaveFile()});
        QCOMPARE(w.openFilePath(), path);
        QVERIFY(w.isFileChanged());
    }

    // ---- Copy and CSV ----

    void copySelectedRowsAsShown() {
        fixtures::ScriptedUi ui;
        frmMain w;
        openShown(w, saveFile());
        QVERIFY(w.browser().selectNode(u"Kankei_0_2"_s));
        auto* list = child<RecordListView>(w, "ListView");
        list->header()->moveSection(0, 6);  // the class name last
        list->setFocus();
        list->setCurrentIndex(list->model()->index(0, 0));
        list->selectionModel()->select(list->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
        QCOMPARE(lines.size(), 3);  // two rows and the end of the last line
        QVERIFY(lines[2].isEmpty());
        const QStringList first = lines[0].split(u'\t');
        QCOMPARE(first.size(), 7);
        QCOMPARE(first.last(), u"高雄型"_s);
        QCOMPARE(first.first(), list->cellText(0, 1));
        QCOMPARE(lines[1].split(u'\t').last(), list->cellText(2, 0));
        QVERIFY(!w.openFilePath().isEmpty());  // not the Close shortcut
    }

    void exportTheListAsCsv() {
        const QString path = saveFile();
        fixtures::ScriptedUi ui;
        frmMain w;
        QVERIFY(w.files().openFile(path, false));
        QAction* exportCsv = child<QAction>(w, "mnuFileExportCsv");
        QVERIFY(w.browser().selectNode(u"Kankei"_s));  // no columns
        exportCsv->trigger();
        QCOMPARE(ui.messageTexts(), QStringList{mt::nothingToExport()});
        QVERIFY(ui.saveDialogs.empty());

        QVERIFY(w.browser().selectNode(u"Kankei_0_2"_s));
        const int rows = child<RecordListView>(w, "ListView")->rowCount();
        const QString csv = m_files->filePath(u"cruisers.csv"_s);
        ui.saveChoices = {csv};
        exportCsv->trigger();
        QCOMPARE(ui.saveDialogs.back().directory, m_files->filePath(u"艦型_日本軍_巡洋艦.csv"_s));
        QCOMPARE(ui.saveDialogs.back().defaultSuffix, u"csv"_s);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split(u"\r\n"_s);
        QCOMPARE(lines.first(), u"クラス名,艦種,上部ステップ,下部ステップ,速力,燃料,機数"_s);
        QVERIFY(lines[1].startsWith(u"高雄型,"_s));
        QCOMPARE(lines.size(), rows + 2);

        // A folder that does not exist: an error, and no file.
        ui.clear();
        const QString nowhere = m_files->filePath(u"missing/list.csv"_s);
        ui.saveChoices = {nowhere};
        exportCsv->trigger();
        QCOMPARE(ui.messages.size(), std::size_t(1));
        QCOMPARE(ui.messages[0].icon, MessageIcon::Error);
        QVERIFY(ui.messages[0].text.contains(QDir::toNativeSeparators(nowhere)));
        QVERIFY(!QFile::exists(nowhere));
    }

private:
    // Editors open as recorded keys.
    static void logOpenedKeys(frmMain& w, QStringList& opened) {
        w.setDialogOpeners({.record = [&opened](const RecordKey& key, EditSession&, QWidget*) {
            opened.append(key.text());
            return true;
        }});
    }

    // Drags `urls` over the window and drops them; false when the window refused the drag.
    static bool drop(frmMain& w, const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint centre = w.rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dropped);
        return dropped.isAccepted();
    }

    // An edit through the list, as an editor's store makes it.
    static void markChanged(frmMain& w) {
        w.setDialogOpeners({.record = [](const RecordKey&, EditSession& session, QWidget*) {
            session.file.AircrewSkill[0][0] = static_cast<uint8_t>(session.file.AircrewSkill[0][0] + 1);
            session.commit();
            return true;
        }});
        QVERIFY(w.browser().selectNode(u"ToujouRenAll"_s));
        auto* list = child<RecordListView>(w, "ListView");
        list->setCurrentIndex(list->model()->index(0, 0));
        w.openSelectedRecord();
        QVERIFY(w.isFileChanged());
    }

    // Double-clicks the last row of `view` in the modal window in front, once it shows; the
    // window is closed regardless, so a failure never blocks the test.
    static void doubleClickLastRowOfModal(const char* view) {
        QTimer::singleShot(0, [view] {
            auto* dialog = qobject_cast<QDialog*>(qApp->activeModalWidget());
            QVERIFY(dialog);
            auto* rows = child<QAbstractItemView>(*dialog, view);
            if (rows != nullptr) {
                emit rows->doubleClicked(rows->model()->index(rows->model()->rowCount() - 1, 0));
            }
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
    }

private slots:
    // A row of the review and a step of the history lead to their record: it is selected in
    // the tree and the list, and its dialog opens.
    void reviewAndHistoryRowsOpenTheirRecord() {
        fixtures::ScriptedUi ui;
        frmMain w;
        openShown(w, saveFile());
        QStringList opened;
        w.setDialogOpeners({.record = [&opened](const RecordKey& key, EditSession&, QWidget*) {
            opened.append(key.text());
            return true;
        }});
        const ChangeSet fuel{u"テスト"_s, {*ChangeTo(*w.saveFile(), u"ShipClass[17].Perf[2]"_s, 4321)}};
        QCOMPARE(w.document().apply(fuel), DocumentEdit::Applied);
        auto* list = child<RecordListView>(w, "ListView");

        doubleClickLastRowOfModal("lstChanges");
        child<QAction>(w, "mnuEditReview")->trigger();
        QCOMPARE(opened, QStringList{u"Kankei17"_s});
        QCOMPARE(list->rowKey(*list->selectedRow()), std::optional(RecordKey{RecordKind::ShipClass, 17}));

        w.browser().selectNode(u"ToujouRenAll"_s);
        doubleClickLastRowOfModal("lstHistory");
        child<QAction>(w, "mnuEditHistory")->trigger();
        QCOMPARE(opened, (QStringList{u"Kankei17"_s, u"Kankei17"_s}));
        QCOMPARE(list->rowKey(*list->selectedRow()), std::optional(RecordKey{RecordKind::ShipClass, 17}));
        QCOMPARE(w.saveFile()->ShipClass[17].Perf[2], int16_t(4321));
    }

    // A 変更内容 row whose record the filter hides still opens it: the filter gives way. The
    // view stays open over the record's dialog and shows the change made in it afterwards.
    void reviewOpensARecordTheFilterHidesAndStaysOpen() {
        fixtures::ScriptedUi ui;
        frmMain w;
        openShown(w, saveFile());
        QStringList opened;
        QStringList owners;
        w.setDialogOpeners({.record = [&](const RecordKey& key, EditSession& session, QWidget* owner) {
            opened.append(key.text());
            owners.append(owner->objectName());
            session.file.ShipClass[17].Perf[1] = static_cast<int16_t>(session.file.ShipClass[17].Perf[1] + 1);
            session.commit();
            return true;
        }});
        const ChangeSet fuel{u"テスト"_s, {*ChangeTo(*w.saveFile(), u"ShipClass[17].Perf[2]"_s, 4321)}};
        QCOMPARE(w.document().apply(fuel), DocumentEdit::Applied);
        const QString className = w.saveFile()->ShipClass[17].Name.text();
        auto* list = child<RecordListView>(w, "ListView");
        QVERIFY(w.browser().showRecord(RecordKey{RecordKind::ShipClass, 17}));
        // A filter that hides the class in its own list.
        w.browser().filterBox()->setText(u"クラス名 != \"%1\""_s.arg(className));
        QVERIFY(!list->rowOfKey(RecordKey{RecordKind::ShipClass, 17}));

        int rowsAfter = 0;
        bool openAfter = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(qApp->activeModalWidget());
            QVERIFY(dialog);
            auto* rows = child<QTreeWidget>(*dialog, "lstChanges");
            QCOMPARE(rows->topLevelItemCount(), 1);
            emit rows->itemDoubleClicked(rows->topLevelItem(0), 0);
            openAfter = dialog->isVisible();
            rowsAfter = rows->topLevelItemCount();
            dialog->reject();
        });
        child<QAction>(w, "mnuEditReview")->trigger();
        QCOMPARE(opened, QStringList{u"Kankei17"_s});
        QCOMPARE(owners, QStringList{u"frmChanges"_s});  // over the view, not hidden under it
        QVERIFY(openAfter);
        QCOMPARE(rowsAfter, 2);  // the fuel and the speed the dialog stored
        QVERIFY(w.browser().filterBox()->text().isEmpty());
        QCOMPARE(list->rowKey(*list->selectedRow()), std::optional(RecordKey{RecordKind::ShipClass, 17}));
    }

    // Choosing a row of the history moves nothing; double-click and Enter open the step's
    // record; "この時点に戻す" moves the document. The saved point is told in words.
    void historyOpensRecordsAndMovesOnlyByItsButton() {
        fixtures::ScriptedUi ui;
        frmMain w;
        openShown(w, saveFile());
        QStringList opened;
        w.setDialogOpeners({.record = [&opened](const RecordKey& key, EditSession&, QWidget*) {
            opened.append(key.text());
            return true;
        }});
        QCOMPARE(w.document().apply({u"一"_s, {*ChangeTo(*w.saveFile(), u"ShipClass[17].Perf[2]"_s, 4321)}}),
                 DocumentEdit::Applied);
        QVERIFY(w.files().save());
        QCOMPARE(w.document().apply({u"二"_s, {*ChangeTo(*w.saveFile(), u"AircrewSkill[1][0]"_s, 12)}}),
                 DocumentEdit::Applied);
        QUndoStack& history = w.document().history();

        QStringList spoken;
        bool buttonWhenCurrent = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(qApp->activeModalWidget());
            QVERIFY(dialog);
            auto* rows = child<QListWidget>(*dialog, "lstHistory");
            auto* moveHere = child<QPushButton>(*dialog, "cmdMoveHere");
            QCOMPARE(moveHere->text(), u"この時点に戻す"_s);
            for (int i = 0; i < rows->count(); ++i) {
                spoken.append(rows->item(i)->data(Qt::AccessibleTextRole).toString());
            }
            buttonWhenCurrent = moveHere->isEnabled();
            rows->setCurrentRow(1);
            emit rows->doubleClicked(rows->model()->index(1, 0));
            QCOMPARE(history.index(), 2);
            rows->setFocus();
            QTest::keyClick(rows, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            QCOMPARE(history.index(), 2);
            QVERIFY(moveHere->isEnabled());
            moveHere->click();
            QCOMPARE(history.index(), 1);
            QVERIFY(!w.isFileChanged());
            dialog->reject();
        });
        child<QAction>(w, "mnuEditHistory")->trigger();
        QCOMPARE(opened, (QStringList{u"Kankei17"_s, u"Kankei17"_s}));
        QVERIFY(!buttonWhenCurrent);
        QCOMPARE(spoken, (QStringList{mt::historyOpened(), mt::historySavedPoint(u"一"_s),
                                      mt::historyCurrentPoint(u"二"_s)}));
    }
};

QTEST_MAIN(TestFrmMainFlows)
#include "test_frm_main_flows.moc"
