#include "mainwindow/CommandLine.h"

#include "platform/PathAttributes.h"

namespace korven::mainwindow {

QString CommandLinePath(const QString& commandLine) {
    qsizetype from = 0;
    qsizetype to = commandLine.size();
    while (from < to && commandLine.at(from) == u' ') {
        ++from;
    }
    while (to > from && commandLine.at(to - 1) == u' ') {
        --to;
    }
    QString path = commandLine.mid(from, to - from);
    if (path.startsWith(u'"')) {
        path = path.mid(1);
        path.chop(1);
    }
    return path;
}

QString CommandLinePath(const QStringList& arguments) {
    if (arguments.size() != 1) {
        return CommandLinePath(arguments.join(u' '));
    }
    // The shell has already split and unquoted the argument; only quotes that reached us
    // around the whole path (from a launcher that quotes) are taken away.
    const QString& path = arguments.front();
    const bool quoted = path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"');
    if (quoted && !AttributesOf(path).exists) {
        return path.mid(1, path.size() - 2);
    }
    return path;
}

CommandLineTarget ExaminePath(const QString& path) {
    const PathAttributes attributes = AttributesOf(path);
    if (!attributes.exists) {
        return {};
    }
    if (attributes.isFolder) {
        return CommandLineTarget{PathKind::Folder, false};
    }
    return CommandLineTarget{PathKind::File, !attributes.hasWritePermission};
}

}  // namespace korven::mainwindow
