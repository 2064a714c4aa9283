#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/SavesDialog.h"
#include "model/TurnCalendar.h"
#include "tests/support/SaveImageBuilder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace korven;
using namespace korven::mainwindow;
namespace mt = korven::mainwindow::texts;
using namespace Qt::StringLiterals;

namespace {

constexpr int kSaves = 4000;
const QByteArray kListingThread = "SaveListing";
// The sanitizer build and Wine read these thousands of files many times slower than the test's
// time limit allows; the plain build runs both cases.
#if defined(__SANITIZE_ADDRESS__) || defined(Q_OS_WIN)
constexpr bool kTooSlowHere = true;
#else
constexpr bool kTooSlowHere = false;
#endif
#ifdef Q_OS_WIN
constexpr int kFifos = 0;
#else
constexpr int kFifos = 1;
#endif

// Runs `act` on the saves list once it is in front and has shown its first rows.
void onFirstRows(const std::function<void(QWidget*)>& act) {
    QTimer::singleShot(0, [act] {
        QWidget* front = qApp->activeModalWidget();
        auto* list = front != nullptr ? front->findChild<QTreeView*>(u"lstSaves"_s) : nullptr;
        if (list == nullptr || list->model()->rowCount() == 0) {
            onFirstRows(act);
            return;
        }
        act(front);
    });
}

#ifdef Q_OS_LINUX
// How many of this process's threads carry `name`, as the system shows it.
int threadsNamed(const QByteArray& name) {
    int count = 0;
    for (const QString& id : QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(u"/proc/self/task/%1/comm"_s.arg(id));
        count += comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name ? 1 : 0;
    }
    return count;
}
#endif

// A save at `turn`, last written in `year`.
bool writeSave(const QString& path, const Turn& turn, int year) {
    const fixtures::SaveImageBuilder builder;
    QByteArray image = builder.build();
    const int counter = counterFromTurn(turn);
    image[builder.turnInfoOffset()] = char(counter & 0xff);
    image[builder.turnInfoOffset() + 1] = char((counter >> 8) & 0xff);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(image) == image.size() &&
           file.setFileTime(QDateTime(QDate(year, 6, 1), QTime(12, 0)), QFileDevice::FileModificationTime);
}

void clickHeader(QTreeView* view, int column) {
    QHeaderView* header = view->header();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
}

QStringList fileNames(const QTreeView* view) {
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        names.append(view->model()->index(row, 0).data().toString());
    }
    return names;
}

}  // namespace

class TestSavesDialog : public QObject {
    Q_OBJECT
private slots:
    // A large folder whose first entry is a FIFO: it neither blocks the listing nor the window.
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        const QByteArray save = fixtures::SaveImageBuilder().build();
        for (int i = 1; i <= kSaves; ++i) {
            QFile file(m_dir.filePath(u"SaveFile%1.SAVE"_s.arg(i)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(save) == save.size());
        }
#ifndef Q_OS_WIN
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath(u"SaveFile0.SAVE"_s)).constData(), 0600) == 0);
#endif
    }

    // Closing the list while it is being read ends the listing and its thread with it.
    void closingMidListingLeavesNoThread() {
        if (kTooSlowHere) {
            QSKIP("a folder of thousands of saves is too slow to list in this build");
        }
#ifndef Q_OS_LINUX
        QSKIP("threads are counted through /proc");
#else
        int shown = 0;
        int listing = 0;
        onFirstRows([&](QWidget* dialog) {
            shown = dialog->findChild<QTreeView*>(u"lstSaves"_s)->model()->rowCount();
            listing = threadsNamed(kListingThread);
            dialog->findChild<QPushButton*>(u"cmdClose"_s)->click();
        });
        QCOMPARE(ChooseSaves(
                     m_dir.path(), [] { return HeldSave{}; }, nullptr),
                 std::nullopt);
        QVERIFY(shown > 0 && shown < kSaves);
        QCOMPARE(listing, 1);
        // Joined, the thread may still take a moment to leave the system's list; a thread that
        // was left running would stay in it.
        QTRY_COMPARE_WITH_TIMEOUT(threadsNamed(kListingThread), 0, 5000);
#endif
    }

    // 中止 keeps the rows read so far, says it stopped, and F5 lists the folder in full again.
    void cancelKeepsWhatWasRead() {
        if (kTooSlowHere) {
            QSKIP("a folder of thousands of saves is too slow to list in this build");
        }
        int kept = 0;
        QString stopped;
        QString full;
        onFirstRows([&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeView*>(u"lstSaves"_s)->model();
            auto* status = dialog->findChild<QLabel*>(u"lblSavesStatus"_s);
            auto* cancel = dialog->findChild<QPushButton*>(u"cmdCancel"_s);
            cancel->click();
            QTRY_VERIFY(!cancel->isEnabled());
            kept = list->rowCount();
            stopped = status->text();
            dialog->findChild<QPushButton*>(u"cmdRefresh"_s)->click();
            QTRY_VERIFY(!cancel->isEnabled());
            full = status->text();
            QCOMPARE(list->index(kFifos + 1, 0).data().toString(), u"SaveFile2.SAVE"_s);
            dialog->findChild<QPushButton*>(u"cmdClose"_s)->click();
        });
        ChooseSaves(
            m_dir.path(), [] { return HeldSave{}; }, nullptr);
        QVERIFY(kept > 0 && kept < kSaves);
        QVERIFY2(stopped.startsWith(mt::savesCancelled(0, 0).section(u'（', 0, 0)), qPrintable(stopped));
        QCOMPARE(full, mt::savesListed(kSaves + kFifos));
    }

    // A header sorts by what its column means: names as a player counts them, turns by the
    // calendar (not 12月 before 2月), times by time; the chosen save stays chosen.
    void headersSortByValueKeepingTheChoice() {
        const QTemporaryDir dir;
        QVERIFY(writeSave(dir.filePath(u"SaveFile10.SAVE"_s), {1942, 2, 1}, 2003));
        QVERIFY(writeSave(dir.filePath(u"SaveFile2.SAVE"_s), {1942, 12, 1}, 2001));
        QVERIFY(writeSave(dir.filePath(u"savefile1.save"_s), {1943, 1, 5}, 2002));
        QStringList byName;
        QStringList byTurn;
        QStringList byTimeNewestFirst;
        onFirstRows([&](QWidget* dialog) {
            auto* view = dialog->findChild<QTreeView*>(u"lstSaves"_s);
            QTRY_COMPARE(dialog->findChild<QLabel*>(u"lblSavesStatus"_s)->text(), mt::savesListed(3));
            byName = fileNames(view);
            view->selectionModel()->select(view->model()->index(1, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
            clickHeader(view, 3);
            byTurn = fileNames(view);
            clickHeader(view, 4);
            clickHeader(view, 4);
            byTimeNewestFirst = fileNames(view);
            dialog->findChild<QPushButton*>(u"cmdOpen"_s)->click();
        });
        const std::optional<QStringList> chosen = ChooseSaves(
            dir.path(), [] { return HeldSave{}; }, nullptr);
        QCOMPARE(byName, (QStringList{u"savefile1.save"_s, u"SaveFile2.SAVE"_s, u"SaveFile10.SAVE"_s}));
        QCOMPARE(byTurn, (QStringList{u"SaveFile10.SAVE"_s, u"SaveFile2.SAVE"_s, u"savefile1.save"_s}));
        QCOMPARE(byTimeNewestFirst,
                 (QStringList{u"SaveFile10.SAVE"_s, u"savefile1.save"_s, u"SaveFile2.SAVE"_s}));
        QCOMPARE(chosen, QStringList{dir.filePath(u"SaveFile2.SAVE"_s)});
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSavesDialog)
#include "test_saves_dialog.moc"
