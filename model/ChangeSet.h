#pragma once

#include "model/FieldLimits.h"
#include "model/ModelDiff.h"
#include "model/SaveFile.h"

#include <QJsonValue>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// An edit as the fields it changes, in the paths korvenedit-cli set takes, with both values:
// enough to apply it, to undo it and to show it, without a copy of the model.
namespace korven {

struct ChangeSet {
    QString name;
    std::vector<FieldChange> changes;
};

enum class ChangeDirection { Forward, Backward };

struct ChangeRefusal {
    enum class Reason { UnknownField, NotAnInteger, OutOfRange, NotAText, TextUnmappable, TextTooLong };
    QString path;
    Reason reason = Reason::UnknownField;
};

// Stores each change's new value (Forward) or, in reverse order, its old value (Backward).
// All or nothing: every path and value is checked before the first store.
std::optional<ChangeRefusal> ApplyChanges(SaveFile& model, const std::vector<FieldChange>& changes,
                                          ChangeDirection direction);

// The value a concrete path ("Ship[7].Words[6]") holds, as the model tree shows it; nothing when
// the path names no field the writer stores.
std::optional<QJsonValue> ValueAt(const SaveFile& model, QStringView path);

// The values a number field's width holds (0..255, -32768..32767...); nothing for a text or a path
// that names no field.
std::optional<limits::Range> WidthAt(const SaveFile& model, QStringView path);

// The change that sets `path` to `value` from what `model` holds now; nothing when the path names
// no such field or the field already holds the value.
std::optional<FieldChange> ChangeTo(const SaveFile& model, const QString& path, const QJsonValue& value);

}  // namespace korven
