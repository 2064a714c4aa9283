#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/SavesDialog.h"
#include "tests/support/SaveImageBuilder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

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
        auto* list = front != nullptr ? front->findChild<QTreeWidget*>(u"lstSaves"_s) : nullptr;
        if (list == nullptr || list->topLevelItemCount() == 0) {
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
            shown = dialog->findChild<QTreeWidget*>(u"lstSaves"_s)->topLevelItemCount();
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
            auto* list = dialog->findChild<QTreeWidget*>(u"lstSaves"_s);
            auto* status = dialog->findChild<QLabel*>(u"lblSavesStatus"_s);
            auto* cancel = dialog->findChild<QPushButton*>(u"cmdCancel"_s);
            cancel->click();
            QTRY_VERIFY(!cancel->isEnabled());
            kept = list->topLevelItemCount();
            stopped = status->text();
            dialog->findChild<QPushButton*>(u"cmdRefresh"_s)->click();
            QTRY_VERIFY(!cancel->isEnabled());
            full = status->text();
            QCOMPARE(list->topLevelItem(kFifos + 1)->text(0), u"SaveFile2.SAVE"_s);
            dialog->findChild<QPushButton*>(u"cmdClose"_s)->click();
        });
        ChooseSaves(
            m_dir.path(), [] { return HeldSave{}; }, nullptr);
        QVERIFY(kept > 0 && kept < kSaves);
        QVERIFY2(stopped.startsWith(mt::savesCancelled(0, 0).section(u'（', 0, 0)), qPrintable(stopped));
        QCOMPARE(full, mt::savesListed(kSaves + kFifos));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestSavesDialog)
#include "test_saves_dialog.moc"
