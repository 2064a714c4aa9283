#include "document/BatchEdit.h"

#include "catalogue/ReferenceTables.h"
#include "document/DocumentTexts.h"
#include "model/ModelTexts.h"
#include "model/SaveRules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace korven::batch {
namespace {

using fields::Check;
using fields::Description;
using limits::Range;

namespace dt = document::texts;

// Enough to make a field ten times its value, not so much that a product overflows.
constexpr qint64 kMaximumPercent = 10000;
const QString kAnyIndex = QStringLiteral("[*]");

QString tableOf(RecordKind kind) {
    switch (kind) {
        case RecordKind::ShipClass:
            return QStringLiteral("ShipClass");
        case RecordKind::Ship:
            return QStringLiteral("Ship");
        case RecordKind::AircraftType:
            return QStringLiteral("AircraftType");
        case RecordKind::Base:
            return QStringLiteral("Base");
        case RecordKind::ScienceWeapon:
            return QStringLiteral("ScienceWeapon");
        case RecordKind::AircrewSkill:
            return QStringLiteral("AircrewSkill");
    }
    return {};
}

// A header table keeps its record index in the pattern ("AircrewSkill[*][0]").
QString recordPrefix(RecordKind kind) {
    return kind == RecordKind::AircrewSkill ? tableOf(kind) + kAnyIndex : tableOf(kind) + u'.';
}

bool isLimitedNumber(Check check) {
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

// Every concrete path `pattern` names, each "[*]" run over the indices the model has.
void expand(const SaveFile& model, const QString& pattern, std::vector<QString>& out) {
    const qsizetype any = pattern.indexOf(kAnyIndex);
    if (any < 0) {
        if (ValueAt(model, pattern)) {
            out.push_back(pattern);
        }
        return;
    }
    for (int i = 0;; ++i) {
        const std::size_t before = out.size();
        QString concrete = pattern;
        expand(model, concrete.replace(any, kAnyIndex.size(), QStringLiteral("[%1]").arg(i)), out);
        if (out.size() == before) {
            return;
        }
    }
}

std::vector<QString> pathsOf(const SaveFile& model, const RecordKey& key, const Description& field) {
    const QString prefix = recordPrefix(key.kind);
    QString record = tableOf(key.kind) + QStringLiteral("[%1]").arg(key.index);
    if (key.kind == RecordKind::ScienceWeapon) {
        record += QStringLiteral("[%1]").arg(key.step);
    }
    const QString rest = QString::fromLatin1(field.pattern).mid(prefix.size());
    std::vector<QString> paths;
    expand(model, record + (key.kind == RecordKind::AircrewSkill ? rest : u'.' + rest), paths);
    return paths;
}

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

std::optional<QString> refusalOf(const Request& request, const QString& label, const Range& width) {
    const qint64 value = request.value;
    switch (request.operation) {
        case Operation::Set:
            if (!width.contains(value)) {
                return dt::batchValueOutside(label, width.minimum, width.maximum);
            }
            break;
        case Operation::Add: {
            const qint64 span = width.maximum - width.minimum;
            if (value < -span || value > span) {
                return dt::batchValueOutside(label, -span, span);
            }
            break;
        }
        case Operation::MultiplyPercent:
            if (value < 0 || value > kMaximumPercent) {
                return dt::batchPercentOutside(kMaximumPercent);
            }
            break;
        case Operation::Maximum:
            break;
    }
    return std::nullopt;
}

// One good's stock (both its parts), so that a single good can be topped up: 在庫量（原油）.
std::span<const Description> stockOfEachGood(const Description& stock) {
    constexpr std::size_t kGoods = std::tuple_size_v<decltype(BaseRecord::Stockpile)>;
    static const std::array<QByteArray, kGoods> patterns = [] {
        std::array<QByteArray, kGoods> texts;
        for (std::size_t n = 0; n < kGoods; ++n) {
            texts[n] = QByteArrayLiteral("Base.Stockpile[") + QByteArray::number(n) + "][*]";
        }
        return texts;
    }();
    static const std::array<QByteArray, kGoods> labels = [&stock] {
        std::array<QByteArray, kGoods> texts;
        for (std::size_t n = 0; n < kGoods; ++n) {
            texts[n] =
                korven::texts::stockOfGood(catalogue::MaterialNames()[n], QString::fromUtf8(stock.japanese))
                    .toUtf8();
        }
        return texts;
    }();
    static const std::array<Description, kGoods> goods = [&stock] {
        std::array<Description, kGoods> each;
        for (std::size_t n = 0; n < kGoods; ++n) {
            each[n] = stock;
            each[n].pattern = patterns[n].constData();
            each[n].japanese = labels[n].constData();
        }
        return each;
    }();
    return goods;
}

}  // namespace

std::vector<const Description*> FieldsOf(RecordKind kind) {
    const QString prefix = recordPrefix(kind);
    std::vector<const Description*> result;
    for (const Description& d : fields::Descriptions()) {
        if (isLimitedNumber(d.check) && QString::fromLatin1(d.pattern).startsWith(prefix)) {
            result.push_back(&d);
            if (QLatin1StringView(d.pattern) == QLatin1StringView("Base.Stockpile[*][*]")) {
                for (const Description& good : stockOfEachGood(d)) {
                    result.push_back(&good);
                }
            }
        }
    }
    return result;
}

const Description* FieldOf(RecordKind kind, const QString& label) {
    for (const Description* d : FieldsOf(kind)) {
        if (label == QString::fromUtf8(d->japanese)) {
            return d;
        }
    }
    return nullptr;
}

Outcome Prepare(const SaveFile& model, const Request& request) {
    Outcome outcome;
    if (request.records.empty()) {
        outcome.refusal = dt::batchNoRecords();
        return outcome;
    }
    const RecordKind kind = request.records.front().kind;
    const Description* field = FieldOf(kind, request.label);
    const bool oneKind = std::all_of(request.records.begin(), request.records.end(),
                                     [kind](const RecordKey& key) { return key.kind == kind; });
    if (field == nullptr || !oneKind) {
        outcome.refusal = dt::batchNoField(request.label);
        return outcome;
    }
    qsizetype records = 0;
    bool refusalChecked = false;
    for (const RecordKey& key : request.records) {
        bool recordChanged = false;
        for (const QString& path : pathsOf(model, key, *field)) {
            const Range width = *WidthAt(model, path);
            if (!refusalChecked) {
                // Every path of a field has the same width: one look before anything changes.
                outcome.refusal = refusalOf(request, request.label, width);
                if (outcome.refusal) {
                    return outcome;
                }
                refusalChecked = true;
            }
            const qint64 old = ValueAt(model, path)->toInteger();
            const qint64 wanted = operated(request.operation, old, request.value, width);
            qint64 value = std::clamp(wanted, width.minimum, width.maximum);
            const std::optional<rules::Finding> finding = rules::CheckField(model, path, value);
            if (finding && finding->fix) {
                value = *finding->fix;
            } else if (finding || (request.operation == Operation::Maximum && field->check != Check::Range)) {
                // No value is obviously right, or the class whose value is the limit is unknown.
                outcome.limited += request.operation == Operation::Maximum ? 0 : 1;
                continue;
            }
            if (request.operation != Operation::Maximum && value != wanted) {
                ++outcome.limited;
            }
            if (std::optional<FieldChange> change = ChangeTo(model, path, value)) {
                outcome.changes.changes.push_back(std::move(*change));
                recordChanged = true;
            }
        }
        records += recordChanged ? 1 : 0;
    }
    outcome.changes.name = dt::batchStep(request.label, dt::recordCount(kind, records));
    return outcome;
}

}  // namespace korven::batch
