#pragma once

#include "model/ModelDiff.h"
#include "model/SaveFile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <vector>

// The model as JSON for the command line: the dump, and the differences between two files.
namespace korven::cli {

// The version of the dump's shape, written as "FormatVersion"; apply refuses a later one.
inline constexpr int kDumpFormatVersion = 1;

// Every field of the model (bases 0..LastBaseIndex only, texts as seen), and FormatVersion.
QJsonObject DumpModel(const SaveFile& model);
QByteArray DumpModelJson(const SaveFile& model);  // indented UTF-8

// One line "PATH: OLD -> NEW" per change.
QStringList DiffLines(const std::vector<FieldChange>& changes);
// A list of {"path", "old", "new"}; a side that does not have the field is null.
QJsonArray DiffJson(const std::vector<FieldChange>& changes);

}  // namespace korven::cli
