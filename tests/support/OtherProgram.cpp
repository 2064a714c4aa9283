#include "tests/support/OtherProgram.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <cstdio>
#endif

namespace korven::fixtures {

bool WriteInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool RenameOver(const QString& from, const QString& to) {
#ifdef Q_OS_WIN
    return MoveFileExW(QDir::toNativeSeparators(from).toStdWString().c_str(),
                       QDir::toNativeSeparators(to).toStdWString().c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

}  // namespace korven::fixtures
