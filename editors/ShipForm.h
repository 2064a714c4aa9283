#pragma once

#include "editors/FieldForm.h"

#include <QStringList>

#include <vector>

// The ship editor's grids as tables: the header beside the picture, the performance group
// (class values, then the ship's own), the damage group and the weapons group.
namespace korven::ship {

std::vector<FormCell> headerCells();
std::vector<FormCell> performanceCells();
std::vector<FormCell> damageCells();
std::vector<FormCell> weaponCells();

// The object names of the controls that only an individual ship has; class mode hides them.
QStringList shipOnlyControls();

}  // namespace korven::ship
