#pragma once

#include <QStringView>

namespace korven::mainwindow {

// File names as a player counts them: runs of digits compare by their value, so SaveFile2
// comes before SaveFile10; letters compare without case. A strict weak order.
bool NaturalLess(QStringView a, QStringView b);

}  // namespace korven::mainwindow
