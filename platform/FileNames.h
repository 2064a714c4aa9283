#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File names between the system's bytes and QString. On Linux a name is any bytes, which Qt
// takes for UTF-8; its own conversion turns bytes that are not valid UTF-8 into U+FFFD, after which the file
// cannot be found again. Here each such byte becomes the unpaired surrogate U+DC80 + byte, which goes back to
// the same byte, so every name the system hands over can be opened.
namespace korven {

QString DecodeFileName(const QByteArray& name);
QByteArray EncodeFileName(const QString& name);

// The path with links resolved, absolute; empty when it does not exist.
QString CanonicalPath(const QString& path);

// The process's arguments after the program name, decoded as file names.
QStringList ProcessArguments(int argc, const char* const* argv);

// A name made only of valid text, for naming things after a file (a backup): every escaped
// byte becomes '_'.
QString PrintableFileName(const QString& name);

}  // namespace korven
