#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <qt_windows.h>

#include <shellapi.h>

namespace korven {

QString CanonicalPath(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

// argv holds the arguments in the ANSI code page, which cannot spell every name; the wide
// command line can. Once the application exists, Qt has taken its own options out of its
// copy of that line, as it does out of argv on Linux.
QStringList ProcessArguments(int, const char* const*) {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::arguments().mid(1);
    }
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    QStringList arguments;
    for (int i = 1; i < count; ++i) {
        arguments.append(QString::fromWCharArray(wide[i]));
    }
    LocalFree(wide);
    return arguments;
}

}  // namespace korven
