#pragma once

#include <QString>
#include <QStringList>

namespace korven {

// The installed family to show the program's text in: the first of the known Japanese user
// interface families that `installedJapanese` lists, else its first; empty when it is empty.
QString ChooseJapaneseFamily(const QStringList& installedJapanese);

// Makes the application font a family that holds Japanese, unless the default one does. Every
// text of the program is Japanese, and a family without it sends each text through the font
// fallback search, which costs the start-up several milliseconds.
void UseJapaneseApplicationFont();

}  // namespace korven
