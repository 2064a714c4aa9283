#pragma once

#include <QString>

// The one path the command line may name.
namespace korven::mainwindow {

// Spaces trimmed at both ends; when the first character is a double quote, the first and the
// last character are dropped. Empty for an empty command line.
QString CommandLinePath(const QString& commandLine);

enum class PathKind { Missing, Folder, File };

struct CommandLineTarget {
    PathKind kind = PathKind::Missing;
    // A file without any write permission opens read-only; any other file in normal mode.
    bool readOnly = false;
};

CommandLineTarget ExaminePath(const QString& path);

}  // namespace korven::mainwindow
