#pragma once

#include <QString>

namespace korven {

// The path of a picture in the game folder (which ends in the separator when set), or empty
// when there is none. The game was installed on a file system that ignores case, so on one
// that does not, any spelling of the name matches (SHIP12.BMP, Ship12.bmp).
QString FindGamePicture(const QString& gamePath, const QString& fileName);

}  // namespace korven
