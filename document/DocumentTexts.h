#pragma once

#include <QDir>
#include <QString>

// The open document's own texts. Tests refer to the same constants.
namespace korven::document::texts {

// The name of one step of the edit history.
inline QString editStep(const QString& recordName) {
    return QStringLiteral("%1を編集").arg(recordName);
}

inline QString backupUnreadable(const QString& path) {
    return QStringLiteral("バックアップを読み込めませんでした。\n%1").arg(QDir::toNativeSeparators(path));
}

}  // namespace korven::document::texts
