#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace korven {

// The installed family to show the program's text in: the first of the known Japanese user
// interface families in `installed` that holds Japanese, else the first family that does;
// empty when none does. `holdsJapanese` is asked about as few families as it can be, since
// each answer may load that family's fonts.
QString ChooseJapaneseFamily(const QStringList& installed,
                             const std::function<bool(const QString&)>& holdsJapanese);

// Makes the application font a family that holds Japanese, unless the default one does. Every
// text of the program is Japanese, and a family without it sends each text through the font
// fallback search, which costs the start-up several milliseconds.
void UseJapaneseApplicationFont();

}  // namespace korven
