#include "mainwindow/CommandLine.h"

#include <QFileInfo>

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

CommandLineTarget ExaminePath(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        return {};
    }
    if (info.isDir()) {
        return CommandLineTarget{PathKind::Folder, false};
    }
    constexpr QFile::Permissions kWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return CommandLineTarget{PathKind::File, (info.permissions() & kWrite) == 0};
}

}  // namespace korven::mainwindow
