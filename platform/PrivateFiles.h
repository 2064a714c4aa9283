#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>

// Files only this user may read: the backups and their folders.
namespace korven {

// Makes `path` a folder only this user can enter; one left by an earlier version is tightened.
Result<void> MakePrivateFolder(const QString& path);

// Writes `contents` into `folder` under the first free name that `nameFor` gives for 0, 1,
// 2, ... (only the first when `stopIfExists`), flushed before it has that name, so no reader
// ever sees it half written. `tempPrefix` (see TemporaryPrefix) names it meanwhile where the
// system needs a name. Returns the name given.
Result<QString> WriteNewPrivateFile(const QString& folder, const QByteArray& tempPrefix,
                                    const QByteArray& contents, const std::function<QString(qint64)>& nameFor,
                                    bool stopIfExists);

}  // namespace korven
