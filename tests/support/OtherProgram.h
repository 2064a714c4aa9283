#pragma once

#include <QByteArray>
#include <QString>

// What another program (the game, a file copy) does to a save the editor holds open.
namespace korven::fixtures {

// Writes `bytes` into the file itself, as a plain copy does. False when the system refuses:
// on Windows the editor's share mode keeps every other writer out.
bool WriteInPlace(const QString& path, const QByteArray& bytes);

// Renames `from` over `to`, as a program that saves through a temporary file does.
bool RenameOver(const QString& from, const QString& to);

// Why a test of another program changing a held file has nothing to check on this system.
inline constexpr char kWritersShutOut[] =
    "Windows: the share mode of the held file keeps other programs from writing it";
inline constexpr char kReplaceRefused[] =
    "this system does not let another program replace a file that is held open";

}  // namespace korven::fixtures
