#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The reference of `fields`: every field path with its width, its range, what the edit
// dialogs allow and its meaning, from the core's field descriptions and the model's types.
namespace korven::cli {

struct FieldRow {
    QString table;   // the top-level name: "ShipClass", "TurnInfo"...
    QString path;    // with index ranges: "ShipClass[0-252].Perf[1]"
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

}  // namespace korven::cli
