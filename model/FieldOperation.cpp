#include "model/FieldOperation.h"

#include "model/ChangeSet.h"
#include "model/SaveRules.h"

#include <algorithm>
#include <cmath>

namespace korven::edit {
namespace {

using fields::Check;
using limits::Range;

// The value an operation gives, before any limit.
qint64 operated(Operation operation, qint64 old, qint64 value, const Range& width) {
    switch (operation) {
        case Operation::Set:
            return value;
        case Operation::Add:
            return old + value;
        case Operation::MultiplyPercent:
            return std::llround(static_cast<double>(old) * static_cast<double>(value) / 100.0);
        case Operation::Maximum:
            break;
    }
    return width.maximum;
}

}  // namespace

std::optional<OperandRefusal> CheckOperand(Operation operation, qint64 operand, const Range& width) {
    switch (operation) {
        case Operation::Set:
            if (!width.contains(operand)) {
                return OperandRefusal{OperandRefusal::Kind::ValueOutside, width.minimum, width.maximum};
            }
            break;
        case Operation::Add: {
            const qint64 span = width.maximum - width.minimum;
            if (operand < -span || operand > span) {
                return OperandRefusal{OperandRefusal::Kind::ValueOutside, -span, span};
            }
            break;
        }
        case Operation::MultiplyPercent:
            if (operand < 0 || operand > kMaximumPercent) {
                return OperandRefusal{OperandRefusal::Kind::PercentOutside, 0, kMaximumPercent};
            }
            break;
        case Operation::Maximum:
            break;
    }
    return std::nullopt;
}

bool HasDialogLimit(Check check) {
    switch (check) {
        case Check::Range:
        case Check::ClassUpperSteps:
        case Check::ClassLowerSteps:
        case Check::ClassFuel:
        case Check::ClassFirings:
        case Check::ScienceLeave:
            return true;
        default:
            return false;
    }
}

Operated Operate(const SaveFile& model, const QString& path, const fields::Description& field,
                 Operation operation, qint64 operand) {
    const Range width = *WidthAt(model, path);
    const qint64 old = ValueAt(model, path)->toInteger();
    const qint64 wanted = operated(operation, old, operand, width);
    qint64 value = std::clamp(wanted, width.minimum, width.maximum);
    const std::optional<rules::Finding> finding = rules::CheckField(model, path, value);
    if (finding && finding->fix) {
        value = *finding->fix;
    } else if (finding || (operation == Operation::Maximum && field.check != Check::Range)) {
        // No value is obviously right, or the class whose value is the limit is unknown.
        return {std::nullopt, operation != Operation::Maximum};
    }
    return {value, operation != Operation::Maximum && value != wanted};
}

}  // namespace korven::edit
