#include "app/StartupOptions.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleOutput.h"
#include "platform/FileNames.h"
#include "platform/JapaneseFont.h"
#include "platform/ProgramInfo.h"
#include "platform/QtTranslation.h"
#include "preferences/frmAbout.h"

#include <QApplication>
#include <QLineEdit>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>

#include <optional>

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
            window.browser().selectNode(node);
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

// Answers --help, --version and unknown options on the terminal; nullopt when the window
// should start.
std::optional<int> answerOnTerminal(const korven::startup::StartupOptions& options) {
    using namespace korven::startup;
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (options.action) {
        case StartupAction::ShowHelp:
            out << usage();
            return kExitOk;
        case StartupAction::ShowVersion:
            out << versionLine();
            return kExitOk;
        case StartupAction::UsageError:
            err << unknownOptionMessage(options.unknownOption) << usage();
            return kExitUsage;
        case StartupAction::OpenWindow:
            break;
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace korven::startup;
    const korven::Utf8StandardStreams streams;
    // Help and version need no display, so they are answered before Qt looks for one. Unknown
    // options wait until Qt has taken its own (-platform, -style, ...) out of the list.
    const StartupOptions early = ParseStartupOptions(korven::ProcessArguments(argc, argv));
    if (early.action == StartupAction::ShowHelp || early.action == StartupAction::ShowVersion) {
        return *answerOnTerminal(early);
    }
    QApplication app(argc, argv);
    // From argv, which QApplication has cleared of its own options: Qt's decoding of the
    // arguments loses names that are not valid UTF-8.
    const StartupOptions options = ParseStartupOptions(korven::ProcessArguments(argc, argv));
    if (const std::optional<int> status = answerOnTerminal(options)) {
        return *status;
    }
    korven::InstallQtTranslation();
    korven::UseJapaneseLocale();
    QApplication::setApplicationName(korven::program::title());
    QApplication::setWindowIcon(korven::ProgramIcon());
    korven::UseJapaneseApplicationFont();
    korven::frmMain window;
    window.show();
    window.files().runCommandLine(options.pathArguments);
    runAutomation(window);
    return app.exec();
}
