#include "mainwindow/frmMain.h"
#include "platform/JapaneseFont.h"
#include "platform/ProgramInfo.h"
#include "preferences/frmAbout.h"

#include <QApplication>
#include <QTimer>

namespace {

// Hidden switches for the README screenshot and the start-up benchmark: select a tree node,
// save a picture of the window, or quit as soon as the window is up.
void runAutomation(korven::frmMain& window) {
    const QString node = qEnvironmentVariable("KORVENEDIT_SELECT_NODE");
    const QString picture = qEnvironmentVariable("KORVENEDIT_GRAB");
    const bool quit = qEnvironmentVariableIsSet("KORVENEDIT_QUIT_WHEN_SHOWN");
    if (node.isEmpty() && picture.isEmpty() && !quit) {
        return;
    }
    QTimer::singleShot(0, &window, [&window, node, picture, quit] {
        if (!node.isEmpty()) {
            window.selectNode(node);
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
    window.runCommandLine(QCoreApplication::arguments().mid(1).join(u' '));
    runAutomation(window);
    return app.exec();
}
