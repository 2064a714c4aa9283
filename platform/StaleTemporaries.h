#pragma once

#include <QByteArray>
#include <QString>

namespace korven {

// The start of the name a save's temporary file gets beside `fileName`: ".<fileName>.".
QByteArray TemporaryPrefix(const QString& fileName);

// Removes the temporary files that killed saves of `path` left in its folder: only names of
// our own pattern, only regular files of this user that no process holds locked (a save in
// progress holds its temporary file's lock from before it has a name). Returns how many.
int RemoveStaleTemporaries(const QString& path);

}  // namespace korven
