#pragma once

#include "model/FieldDescriptions.h"
#include "model/FieldLimits.h"
#include "model/SaveFile.h"

#include <QString>

#include <optional>

// What a batch edit and a recipe's relative lines do to one number field: the operation, the
// limit of the result to what the field's dialog accepts, and the operands each refuses.
namespace korven::edit {

enum class Operation {
    Set,              // 値にする
    Add,              // 加える
    MultiplyPercent,  // 掛ける（%）
    Maximum,          // 最大にする: the dialog's limit, for a ship's current values its class's
};

// Enough to make a field ten times its value, not so much that a product overflows.
inline constexpr qint64 kMaximumPercent = 10000;

// Why an operand is refused before anything changes: it must lie within minimum..maximum.
struct OperandRefusal {
    enum class Kind { ValueOutside, PercentOutside };
    Kind kind = Kind::ValueOutside;
    qint64 minimum = 0;
    qint64 maximum = 0;
};

// Every path of a field has the same width: one look before anything changes.
std::optional<OperandRefusal> CheckOperand(Operation operation, qint64 operand, const limits::Range& width);

// Whether Maximum has a limit to go to in a field: a range or a limit from another field.
bool HasDialogLimit(fields::Check check);

struct Operated {
    std::optional<qint64> value;  // nothing: the field is left as it is
    bool limited = false;         // the result was moved into what the dialog accepts, or dropped
};

// The value `operation` gives number field `path` (described by `field`) in `model`, limited
// to what its dialog accepts; nothing when no value is obviously right.
Operated Operate(const SaveFile& model, const QString& path, const fields::Description& field,
                 Operation operation, qint64 operand);

}  // namespace korven::edit
