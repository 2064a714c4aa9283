#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The editor's own options. They are recognised only as the first argument, so a path with
// spaces passed unquoted ("My -file.SAVE") keeps reaching the window whole; "--" ends them.
namespace korven::startup {

enum class StartupAction { OpenWindow, ShowHelp, ShowVersion, UsageError };

struct StartupOptions {
    StartupAction action = StartupAction::OpenWindow;
    QStringList pathArguments;  // what the window takes as its command line (OpenWindow)
    QString unknownOption;      // UsageError
};

// `arguments` without the program name.
StartupOptions ParseStartupOptions(const QStringList& arguments);

// Exit statuses that match korvenedit-cli's.
inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 2;

struct EditorOption {
    QString synopsis;  // "-h, --help"
    QString description;
};
// The options the usage and the manual page list.
const QList<EditorOption>& EditorOptions();

QString usage();
QString versionLine();
// The message for an unknown option; a hint when the option is in fact the name of a file.
QString unknownOptionMessage(const QString& option);

}  // namespace korven::startup
