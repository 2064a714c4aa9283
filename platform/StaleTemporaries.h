#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace korven {

// A save's temporary file beside `fileName` is named TemporaryPrefix(fileName) ("." + the file
// name + ".") followed by RandomSuffix() (six letters and digits), in the system's bytes.
QByteArray TemporaryPrefix(const QString& fileName);
QByteArray RandomSuffix();
bool IsTemporarySuffix(QByteArrayView part);

// Removes the temporary files that killed saves of `path` left in its folder: only names of
// our own pattern, only regular files of this user that no process holds (a save in
// progress holds its temporary file from before it has a name). Returns how many.
int RemoveStaleTemporaries(const QString& path);

}  // namespace korven
