#pragma once

#include "mainwindow/CategoryTree.h"
#include "model/RecordKey.h"
#include "model/SaveFile.h"

#include <QString>
#include <QStringList>

#include <vector>

// The rows of each list kind, built from the in-memory model. Building never fails on stored
// data: a code outside its name table shows as the bare number, a class number outside the
// table leaves the class columns empty.
namespace korven::mainwindow {

struct RecordRow {
    RecordKey key;
    QString text;
    QStringList subItems;
};

std::vector<RecordRow> BuildRows(const SaveFile& file, const NodeList& list);

// An individual ship's name from its name number (Ship.Words[2]). A number that names
// nothing (no table entry, an empty entry or a negative number) shows as the number.
QString IndividualShipName(int nameNumber, bool japaneseSide);

// Half-width characters turned into their full-width forms (half-width katakana with their
// voiced marks combined), as base names are shown.
QString ToFullWidth(const QString& text);

// The ship group under which a class and its ships are listed. A class number or ship type
// outside the tables has no group; such records are listed under the side's first group so
// that they can still be found.
int ListingGroupOfClass(const SaveFile& file, int classNumber);

}  // namespace korven::mainwindow
