#pragma once

#include "model/SaveFile.h"

#include <QJsonValue>
#include <QString>

#include <vector>

// The fields in which two models differ, as structured changes for the command line and for
// reviewing edits before they are saved.
namespace korven {

struct FieldChange {
    QString path;     // e.g. Base[3].Stockpile[0][1]
    QString kind;     // the table the path starts in: "Base", "TurnInfo", "LastBaseIndex"...
    int record = -1;  // the first index after the table's name; -1 when it has none
    // Undefined on the side that does not have the field (a base after its LastBaseIndex).
    QJsonValue oldValue;
    QJsonValue newValue;

    QString oldText() const;  // as FormatValue shows it, or "(なし)" when absent
    QString newText() const;
};

// One change per differing field, in file order.
std::vector<FieldChange> DiffModels(const SaveFile& before, const SaveFile& after);

}  // namespace korven
