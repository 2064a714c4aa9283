#pragma once

#include "model/FieldDescriptions.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The reference of `fields`: every field path with its width, its range, what the edit
// dialogs allow and its meaning, from the core's field descriptions and the model's types.
namespace korven::cli {

struct FieldRow {
    const fields::Description* description = nullptr;
    QString table;   // the top-level name: "ShipClass", "TurnInfo"...
    QString path;    // with index ranges: "ShipClass[0-252].Perf[1]"
    QString name;    // the same with the English name: "ShipClass[0-252].Speed"
    QString width;   // "u8", "int16", "int32", "text 27"
    QString range;   // what the width holds
    QString dialog;  // what the edit dialogs allow, "-" when they do not edit it
    QString japanese;
    QString english;
};

std::vector<FieldRow> FieldRows();

// The top-level names in file order, for `fields KIND`.
QStringList FieldTables();

// Tab-separated lines with a heading line; only `table`'s rows when it is given.
QString FieldsText(const std::optional<QString>& table);
// The reference document docs/fields.md.
QString FieldsMarkdown();
// One JSON object per row: path, name, width, min, max, dialogMin, dialogMax, japanese, english.
QString FieldsJson(const std::optional<QString>& table);

}  // namespace korven::cli
