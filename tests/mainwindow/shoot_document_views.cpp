// Saves pictures of the change review, the edit history, the backup list, a filtered list, the
// saves list, a batch edit, a bundled recipe's preview and the 診断 list for the README:
// shoot_document_views SAVEFILE OUTDIR (run under a display, e.g. Xvfb). SAVEFILE is edited
// and saved, so pass a scratch copy; the saves list shows the other saves of its folder.
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecordBrowser.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/frmMain.h"
#include "platform/Backups.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace korven;

namespace {

// Runs `action` and saves a picture of the modal dialog it opens, then closes it. `prepare`
// sets the dialog's controls first.
bool shootDialogOf(QAction* action, const QString& path, const std::function<void(QWidget*)>& prepare = {}) {
    bool saved = false;
    QTimer::singleShot(0, [&saved, path, prepare] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr && prepare) {
            prepare(dialog);
        }
        if (dialog != nullptr && QTest::qWaitForWindowExposed(dialog)) {
            QApplication::processEvents();
            saved = dialog->grab().save(path);
        }
        if (dialog != nullptr) {
            dialog->close();
        }
    });
    action->trigger();
    return saved;
}

bool shootDialogOf(frmMain& window, const char* name, const QString& path,
                   const std::function<void(QWidget*)>& prepare = {}) {
    return shootDialogOf(window.findChild<QAction*>(QString::fromLatin1(name)), path, prepare);
}

// The Edit menu's first recipe (bundled beside the program), previewed.
bool shootRecipePreview(frmMain& window, const QString& path) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("mnuEditRecipes"));
    emit menu->aboutToShow();
    QAction* first = window.findChild<QAction*>(QStringLiteral("mnuEditRecipe_0"));
    return first != nullptr && shootDialogOf(first, path);
}

// Stores into the model as an edit dialog's OK does.
void store(frmMain& window, const QString& record, const std::function<void(SaveFile&)>& change) {
    EditSession session(window.document(), record, record, {});
    change(session.file);
    session.commit();
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: shoot_document_views SAVEFILE OUTDIR\n");
        return 2;
    }
    const QString save = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]) + u'/';
    frmMain window;
    window.show();
    if (!window.files().openFile(save, false)) {
        std::fprintf(stderr, "cannot open the save file\n");
        return 1;
    }
    window.browser().selectNode(QStringLiteral("Kankei_0_2"));

    // Two openings with a save each leave two backups to list.
    store(window, QStringLiteral("日本海軍"), [](SaveFile& f) { f.AircrewSkill[0][0] = 80; });
    window.files().save();
    window.files().close();
    window.files().openFile(save, false);
    store(window, QStringLiteral("大和型"), [](SaveFile& f) {
        f.ShipClass[0].Perf[1] = 29;
        f.ShipClass[0].Perf[2] = 7000;
    });
    window.files().save();

    store(window, QStringLiteral("長門型"), [](SaveFile& f) { f.ShipClass[1].Armor[3] = 40; });
    store(window, QStringLiteral("東京"), [](SaveFile& f) {
        f.Base[0].Stockpile[0][1] = 12000;
        f.Base[0].Airfield = 5;
    });
    store(window, QStringLiteral("日本陸軍"), [](SaveFile& f) { f.AircrewSkill[1][1] = 75; });

    bool ok = shootDialogOf(window, "mnuEditReview", out + QStringLiteral("review.png"));
    ok = shootDialogOf(window, "mnuEditHistory", out + QStringLiteral("history.png")) && ok;
    ok = shootDialogOf(window, "mnuFileRestore", out + QStringLiteral("backups.png")) && ok;
    // The saves list reads its folder in the background: the picture waits until it is read.
    ok = shootDialogOf(window, "mnuFileSaves", out + QStringLiteral("saves.png"),
                       [](QWidget* dialog) {
                           auto* cancel = dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"));
                           while (cancel->isEnabled()) {
                               QApplication::processEvents(QEventLoop::WaitForMoreEvents);
                           }
                       }) &&
         ok;

    window.browser().selectNode(QStringLiteral("Kokan_0_1"));
    window.browser().filterBox()->setText(QStringLiteral("燃料 < 3000 速力 >= 30"));
    QApplication::processEvents();
    ok = window.grab().save(out + QStringLiteral("filter.png")) && ok;

    // Every Japanese carrier refuelled to its class's fuel.
    window.browser().filterBox()->clear();
    window.browser().selectNode(QStringLiteral("Kokan_0_0"));
    window.browser().list()->selectAll();
    ok = shootDialogOf(window, "mnuEditBatch", out + QStringLiteral("batch-edit.png"),
                       [](QWidget* dialog) {
                           auto* field = dialog->findChild<QComboBox*>(QStringLiteral("cboField"));
                           field->setCurrentIndex(field->findText(QStringLiteral("燃料（現在）")));
                       }) &&
         ok;

    ok = shootRecipePreview(window, out + QStringLiteral("recipe-preview.png")) && ok;

    // Values no dialog would accept, for the 診断 list and the status bar's count.
    store(window, QStringLiteral("東京"), [](SaveFile& f) {
        f.Base[0].Terrain = 200;
        f.Base[0].PublicOrder = 120;
        f.AircrewSkill[2][0] = 150;
    });
    // The 診断 list stays open beside the window.
    window.findChild<QAction*>(QStringLiteral("mnuEditDiagnosis"))->trigger();
    QWidget* diagnosis = window.findChild<QDialog*>(QStringLiteral("frmDiagnosis"));
    ok = diagnosis != nullptr && QTest::qWaitForWindowExposed(diagnosis) && QTest::qWaitFor([diagnosis] {
             return diagnosis->findChild<QLabel*>(QStringLiteral("lblSummary"))->text() !=
                    mainwindow::texts::diagnosisChecking();
         }) &&
         diagnosis->grab().save(out + QStringLiteral("diagnosis.png")) && ok;
    if (diagnosis != nullptr) {
        diagnosis->close();
    }
    ok = window.grab().save(out + QStringLiteral("diagnosis-status.png")) && ok;
    return ok ? 0 : 1;
}
