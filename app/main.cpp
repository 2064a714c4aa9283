#include "mainwindow/frmMain.h"
#include "platform/FileNames.h"
#include "platform/JapaneseFont.h"
#include "platform/ProgramInfo.h"
#include "preferences/frmAbout.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>

namespace {

// Hidden switches for the README screenshots and the start-up benchmark: select a tree node,
// search and show the first match, save a picture of the window, or quit as soon as the
// window is up.
void runAutomation(korven::frmMain& window) {
    const QString node = qEnvironmentVariable("KORVENEDIT_SELECT_NODE");
    const QString search = qEnvironmentVariable("KORVENEDIT_SEARCH");
    const QString picture = qEnvironmentVariable("KORVENEDIT_GRAB");
    const bool quit = qEnvironmentVariableIsSet("KORVENEDIT_QUIT_WHEN_SHOWN");
    if (node.isEmpty() && search.isEmpty() && picture.isEmpty() && !quit) {
        return;
    }
    QTimer::singleShot(0, &window, [&window, node, search, picture, quit] {
        if (!node.isEmpty()) {
            window.selectNode(node);
        }
        if (!search.isEmpty()) {
            window.findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(search);
            auto* matches = window.findChild<QTreeView*>(QStringLiteral("lstSearch"));
            matches->setFocus();
            matches->setCurrentIndex(matches->model()->index(0, 0));
        }
        if (!picture.isEmpty()) {
            QCoreApplication::processEvents();
            window.grab().save(picture);
        }
        if (quit || !picture.isEmpty()) {
            QCoreApplication::exit(0);
        }
    });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(korven::program::title());
    QApplication::setWindowIcon(korven::ProgramIcon());
    korven::UseJapaneseApplicationFont();
    korven::frmMain window;
    window.show();
    // From argv, which QApplication has cleared of its own options: Qt's decoding of the
    // arguments loses names that are not valid UTF-8.
    window.runCommandLine(korven::ProcessArguments(argc, argv));
    runAutomation(window);
    return app.exec();
}
