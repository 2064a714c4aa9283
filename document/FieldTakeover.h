#pragma once

#include "model/ChangeSet.h"
#include "model/SaveFile.h"

#include <QString>
#include <QStringList>

// Change sets that take field values from another model: the file as last saved, to put one
// change back, or another save being compared, to take its values over.
namespace korven {

// The change set that gives the fields at `paths` in `model` the values they have in `source`.
// A field that only one of them has, or that already holds the value, is left out.
ChangeSet TakeValues(const SaveFile& model, const SaveFile& source, const QStringList& paths, QString name);

}  // namespace korven
