// The real file dialogs under a C system locale: their size and date columns are Japanese.
#include "platform/QtTranslation.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

using namespace korven;
using namespace Qt::StringLiterals;

namespace {

enum class Dialog { Open, SaveAs, Folder };

// Opens `which` on `folder` through the program's services and hands its detail view to
// `read` once `entry` is listed; then cancels it.
void withDetailView(Dialog which, const QString& folder, const QString& entry,
                    const std::function<void(QTreeView&)>& read) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        auto* view = dialog->findChild<QTreeView*>(u"treeView"_s);
        // The folder is listed in the background.
        if (QTest::qWaitFor([&] {
                const QAbstractItemModel* model = view->model();
                return !model->match(model->index(0, 0, view->rootIndex()), Qt::DisplayRole, entry).isEmpty();
            })) {
            read(*view);
        }
        dialog->reject();
    });
    FileDialogOptions options;
    options.directory = folder;
    switch (which) {
        case Dialog::Open:
            ui().getOpenFile(nullptr, options);
            break;
        case Dialog::SaveAs:
            ui().getSaveFile(nullptr, options);
            break;
        case Dialog::Folder:
            QDir::setCurrent(folder);
            ui().browseForFolder(nullptr, u"フォルダの参照"_s);
            break;
    }
}

QString cell(const QTreeView& view, const QString& entry, int column) {
    const QAbstractItemModel* model = view.model();
    const QModelIndexList found = model->match(model->index(0, 0, view.rootIndex()), Qt::DisplayRole, entry);
    return found.isEmpty() ? QString() : found.constFirst().siblingAtColumn(column).data().toString();
}

bool writeFile(const QString& path, qsizetype size, const QDateTime& modified) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size && file.flush() &&
           file.setFileTime(modified, QFileDevice::FileModificationTime);
}

}  // namespace

class TestFileDialogColumns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseJapaneseLocale();
        QVERIFY(m_folder.isValid());
        QVERIFY(writeFile(m_folder.filePath(u"SaveFile1.SAVE"_s), 12,
                          QDateTime(QDate(2026, 12, 9), QTime(13, 5))));
        QVERIFY(writeFile(m_folder.filePath(u"SaveFile2.SAVE"_s), 2048,
                          QDateTime(QDate(2025, 1, 2), QTime(8, 0))));
        QVERIFY(writeFile(m_folder.filePath(u"SaveFile3.SAVE"_s), 300,
                          QDateTime(QDate(2025, 1, 3), QTime(8, 0))));
        QVERIFY(QDir(m_folder.path()).mkdir(u"Saves"_s));
    }

    void sizesAndDatesAreJapanese_data() {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("date");
        QTest::newRow("open, bytes") << int(Dialog::Open) << u"SaveFile1.SAVE"_s << u"12 バイト"_s
                                     << u"2026/12/09 13:05"_s;
        QTest::newRow("save as, KiB")
            << int(Dialog::SaveAs) << u"SaveFile2.SAVE"_s << u"2.00 KiB"_s << u"2025/01/02 8:00"_s;
        // A folder has no size; its date is today's, so only its form is known.
        QTest::newRow("folder browser") << int(Dialog::Folder) << u"Saves"_s << QString() << QString();
    }

    void sizesAndDatesAreJapanese() {
        QFETCH(int, dialog);
        QFETCH(QString, entry);
        QFETCH(QString, size);
        QFETCH(QString, date);
        QString shownSize = u"not listed"_s;
        QString shownDate;
        withDetailView(static_cast<Dialog>(dialog), m_folder.path(), entry, [&](QTreeView& view) {
            shownSize = cell(view, entry, 1);
            shownDate = cell(view, entry, 3);
        });
        QCOMPARE(shownSize, size);
        if (date.isEmpty()) {
            QVERIFY2(
                QRegularExpression(u"^\\d{4}/\\d{2}/\\d{2} \\d{1,2}:\\d{2}$"_s).match(shownDate).hasMatch(),
                qPrintable(shownDate));
        } else {
            QCOMPARE(shownDate, date);
        }
    }

    // By the real size and time, not by the Japanese text ("12 バイト" < "2.00 KiB" < "300 バイト").
    void sortingFollowsTheValues_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("size") << 1
                              << QStringList{u"SaveFile1.SAVE"_s, u"SaveFile3.SAVE"_s, u"SaveFile2.SAVE"_s};
        QTest::newRow("date") << 3
                              << QStringList{u"SaveFile2.SAVE"_s, u"SaveFile3.SAVE"_s, u"SaveFile1.SAVE"_s};
    }

    void sortingFollowsTheValues() {
        QFETCH(int, column);
        QFETCH(QStringList, order);
        QStringList shown;
        withDetailView(Dialog::Open, m_folder.path(), u"SaveFile3.SAVE"_s, [&](QTreeView& view) {
            view.sortByColumn(column, Qt::AscendingOrder);
            QTest::qWait(50);
            for (int row = 0; row < view.model()->rowCount(view.rootIndex()); ++row) {
                const QString name = view.model()->index(row, 0, view.rootIndex()).data().toString();
                if (name.startsWith(u"SaveFile"_s)) {
                    shown.append(name);
                }
            }
        });
        QCOMPARE(shown, order);
    }

private:
    QTemporaryDir m_folder;
};

int main(int argc, char** argv) {
    // The system's locale as an English or unconfigured Linux has it.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    QApplication app(argc, argv);
    TestFileDialogColumns test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_file_dialog_columns.moc"
