#include "platform/ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>

namespace korven::program {
namespace {

QString numbers(int major, int minor) {
    return QString::number(major) + u'.' + QStringLiteral("%1").arg(minor, 2, 10, QChar(u'0'));
}

}  // namespace

QString noticesFolder() {
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QStringLiteral("/LICENSES"));
#else
    return QStringLiteral("/usr/share/doc/korvenedit");
#endif
}

QString settingsVersion(int major, int minor, int revision) {
    return numbers(major, minor) + QStringLiteral(" Rev") + QString::number(revision);
}

QString aboutVersion(int major, int minor, int revision) {
    return QStringLiteral("Version ") + numbers(major, minor) + QStringLiteral(" rev") +
           QString::number(revision);
}

}  // namespace korven::program
