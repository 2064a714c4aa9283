#include "document/BatchEdit.h"

#include "catalogue/ReferenceTables.h"
#include "document/DocumentTexts.h"
#include "model/FieldOperation.h"
#include "model/ModelTexts.h"

#include <algorithm>
#include <array>

namespace korven::batch {
namespace {

using fields::Check;
using fields::Description;
using limits::Range;

namespace dt = document::texts;

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

std::optional<QString> refusalOf(const Request& request, const QString& label, const Range& width) {
    const std::optional<edit::OperandRefusal> refusal =
        edit::CheckOperand(request.operation, request.value, width);
    if (!refusal) {
        return std::nullopt;
    }
    return refusal->kind == edit::OperandRefusal::Kind::PercentOutside
               ? dt::batchPercentOutside(refusal->maximum)
               : dt::batchValueOutside(label, refusal->minimum, refusal->maximum);
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
        if (edit::HasDialogLimit(d.check) && QString::fromLatin1(d.pattern).startsWith(prefix)) {
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
            const edit::Operated step = edit::Operate(model, path, *field, request.operation, request.value);
            outcome.limited += step.limited ? 1 : 0;
            if (!step.value) {
                continue;
            }
            if (std::optional<FieldChange> change = ChangeTo(model, path, *step.value)) {
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
