// The filter list as the real file dialogs show it, not the scripted seam.
#include "mainwindow/FileFilter.h"
#include "mainwindow/MainWindowTexts.h"
#include "platform/UiServices.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

using namespace korven;

class TestFileDialogFilter : public QObject {
    Q_OBJECT

    // Opens the dialog, reads its file-type list while it is up and cancels it.
    static QStringList shownFilters(bool save) {
        QStringList shown;
        QTimer::singleShot(0, [&shown] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog != nullptr && dialog->isVisible()) {
                    auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                    for (int i = 0; types != nullptr && i < types->count(); ++i) {
                        shown << types->itemText(i);
                    }
                    dialog->reject();
                }
            }
        });
        FileDialogOptions options;
        options.filter = mainwindow::DialogFilter(mainwindow::texts::fileFilter());
        options.directory = QDir::tempPath();
        if (save) {
            ui().getSaveFile(nullptr, options);
        } else {
            ui().getOpenFile(nullptr, options);
        }
        return shown;
    }

private slots:
    void bothDialogsListTheNamesExactly_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("open") << false;
        QTest::newRow("save as") << true;
    }

    void bothDialogsListTheNamesExactly() {
        QFETCH(bool, save);
        QCOMPARE(shownFilters(save), QStringList({QStringLiteral("ヴァルゾンセーブファイル(SaveFile*.SAVE)"),
                                                  QStringLiteral("全てのファイル(*.*)")}));
    }
};

QTEST_MAIN(TestFileDialogFilter)
#include "test_file_dialog_filter.moc"
