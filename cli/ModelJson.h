#pragma once

#include "model/SaveFile.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

#include <vector>

// The model as data: a JSON dump keyed by the format's names, and the same values flattened
// to the paths that `set` accepts, for comparing two files field by field.
namespace korven::cli {

// Every field of the model; bases 0..LastBaseIndex only, texts as seen (before the first NUL).
QJsonObject DumpModel(const SaveFile& model);
QByteArray DumpModelJson(const SaveFile& model);  // indented UTF-8

struct ModelValue {
    QString path;  // e.g. Base[3].Stockpile[0][1]
    QJsonValue value;
};

// The leaves of the dump in file order.
std::vector<ModelValue> FlattenModel(const SaveFile& model);

// One line "PATH: OLD -> NEW" per differing field, in file order. A field that only one model
// has (a base after the other's LastBaseIndex) shows as "(なし)" on the other side.
QStringList DiffModels(const SaveFile& a, const SaveFile& b);

// A value as diff shows it: numbers in decimal, texts quoted as JSON strings.
QString FormatValue(const QJsonValue& value);

}  // namespace korven::cli
