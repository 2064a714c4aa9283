#pragma once

#include <QString>
#include <QStringList>

// The one path the command line may name.
namespace korven::mainwindow {

// The command line as one text: spaces trimmed at both ends; when the first character is a
// double quote, the first and the last character are dropped. Empty for an empty line.
QString CommandLinePath(const QString& commandLine);

// The path the program's arguments name. Exactly one argument is the path as given (no
// trimming), except that a quoted path arriving as one argument ("…") loses its quotes unless
// a file of that very name exists. Several arguments are joined with spaces and read as the
// one-text command line above.
QString CommandLinePath(const QStringList& arguments);

enum class PathKind { Missing, Folder, File };

struct CommandLineTarget {
    PathKind kind = PathKind::Missing;
    // A file without any write permission opens read-only; any other file in normal mode.
    bool readOnly = false;
};

CommandLineTarget ExaminePath(const QString& path);

}  // namespace korven::mainwindow
