#include "model/Recipe.h"

#include "catalogue/ReferenceTables.h"
#include "model/FieldId.h"
#include "model/ModelTexts.h"
#include "model/RecordFields.h"
#include "model/ValueLists.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <memory>

namespace korven::recipe {
namespace {

using edit::Operation;
using fields::Description;

// A line's refusal, worded; thrown nowhere, returned up to the line.
struct Refused {
    QString reason;
};

template <typename T>
using Or = std::variant<T, Refused>;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

std::optional<qint64> integer(QStringView text) {
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative || text.startsWith(u'+') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 18) {
        return std::nullopt;
    }
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return negative ? -value : value;
}

// ---- one line's text -------------------------------------------------------------------------

struct LineParts {
    QStringView path;
    Operation operation = Operation::Set;
    bool subtract = false;  // "-=": Add with the operand negated
    QStringView value;      // Set: the text after the operator and one blank
};

Or<LineParts> splitLine(QStringView line) {
    int depth = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        depth += c == u'[' ? 1 : c == u']' ? -1 : 0;
        if (c != u'=' || depth != 0) {
            continue;
        }
        LineParts parts;
        qsizetype pathEnd = i;
        const QChar before = i > 0 ? line[i - 1] : QChar();
        if (before == u'+' || before == u'-' || before == u'*') {
            parts.operation = before == u'*' ? Operation::MultiplyPercent : Operation::Add;
            --pathEnd;
        } else if (!(before.isLetterOrNumber() || before == u']' || isBlank(before))) {
            return Refused{texts::recipeUnknownOperator(QString(before) + u'=')};
        }
        if (i + 1 < line.size() && line[i + 1] == u'=') {
            return Refused{texts::recipeUnknownOperator(QStringLiteral("=="))};
        }
        parts.path = line.first(pathEnd).trimmed();
        parts.value = line.sliced(i + 1);
        if (!parts.value.isEmpty() && isBlank(parts.value.front())) {
            parts.value = parts.value.sliced(1);
        }
        if (parts.operation == Operation::Set && parts.value.trimmed() == u"max") {
            parts.operation = Operation::Maximum;
        }
        parts.subtract = before == u'-';
        return parts;
    }
    return Refused{texts::recipeNoOperator()};
}

// ---- selectors -------------------------------------------------------------------------------

// A field of a record a condition looks at.
struct ConditionField {
    enum class Kind { Own, OfClass, ShipSide };
    Kind kind = Kind::Own;
    FieldId id;  // with the record index 0; the class's for OfClass
};

struct Condition {
    ConditionField field;
    enum class Op { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual } op = Op::Equal;
    std::optional<qint64> number;
    QString text;  // for a text field
};

struct Selector {
    enum class Kind { All, Indices, Conditions };
    Kind kind = Kind::All;
    std::vector<std::pair<int, int>> ranges;  // Indices: first..last, inclusive
    std::vector<Condition> conditions;
    bool single() const {
        return kind == Kind::Indices && ranges.size() == 1 && ranges[0].first == ranges[0].second;
    }
};

const QString& tableOf(const Description& d) {
    static QHash<const Description*, QString> tables;
    auto found = tables.find(&d);
    if (found == tables.end()) {
        const QString pattern = QString::fromLatin1(d.pattern);
        qsizetype end = 0;
        while (end < pattern.size() && pattern[end] != u'.' && pattern[end] != u'[') {
            ++end;
        }
        found = tables.insert(&d, pattern.left(end));
    }
    return *found;
}

std::optional<std::pair<int, int>> indexRange(QStringView text) {
    const qsizetype dash = text.indexOf(u'-', 1);
    const std::optional<qint64> first = integer(dash < 0 ? text : text.first(dash));
    const std::optional<qint64> last = dash < 0 ? first : integer(text.sliced(dash + 1));
    if (!first || !last || *first < 0 || *last < *first || *last > 1'000'000) {
        return std::nullopt;
    }
    return std::pair(static_cast<int>(*first), static_cast<int>(*last));
}

Or<Condition> condition(const SaveFile& model, const QString& table, QStringView text) {
    static const std::pair<const char16_t*, Condition::Op> ops[] = {
        {u"==", Condition::Op::Equal},       {u"!=", Condition::Op::NotEqual},
        {u"<=", Condition::Op::LessOrEqual}, {u">=", Condition::Op::GreaterOrEqual},
        {u"<", Condition::Op::Less},         {u">", Condition::Op::Greater},
    };
    Condition result;
    qsizetype at = -1;
    qsizetype length = 0;
    for (const auto& [spelling, op] : ops) {
        const qsizetype found = text.indexOf(QStringView(spelling));
        if (found > 0 && (at < 0 || found < at)) {
            at = found;
            length = QStringView(spelling).size();
            result.op = op;
        }
    }
    if (at < 0) {
        return Refused{texts::recipeBadCondition(text.trimmed().toString())};
    }
    const QStringView field = text.first(at).trimmed();
    const QStringView value = text.sliced(at + length).trimmed();
    std::optional<FieldId> id;
    ConditionField::Kind kind = ConditionField::Kind::Own;
    if (field == u"Side" && table == u"Ship") {
        kind = ConditionField::Kind::ShipSide;
    } else if (field == u"Side" && table == u"Base") {
        id = ParseFieldId(u"Base[0].Owner");
    } else if (field.startsWith(u"Class.") && table == u"Ship") {
        kind = ConditionField::Kind::OfClass;
        id = ParseFieldId(QStringLiteral("ShipClass[0].") + field.sliced(6).toString());
    } else {
        id = ParseFieldId(table + QStringLiteral("[0].") + field.toString());
    }
    if (kind != ConditionField::Kind::ShipSide && !id) {
        return Refused{texts::recipeUnknownConditionField(field.toString())};
    }
    result.field = {kind, id.value_or(FieldId{})};
    const Description* d = id ? id->field : nullptr;
    const std::optional<QJsonValue> sample = id ? ValueAt(model, id->path()) : std::nullopt;
    const bool isText = sample && sample->isString();
    result.number = integer(value);
    if (!result.number && d != nullptr && d->list != fields::ListOf::None) {
        const catalogue::NameTable names = rules::ListFor(d->list).names;
        const auto found = std::find(names.begin(), names.end(), value.toString());
        if (found == names.end()) {
            return Refused{texts::recipeUnknownLabel(value.toString(), QString::fromUtf8(d->japanese))};
        }
        result.number = found - names.begin();
    } else if (!result.number && kind == ConditionField::Kind::ShipSide) {
        const catalogue::NameTable names = catalogue::SideNames();
        const auto found = std::find(names.begin(), names.end(), value.toString());
        if (found == names.end()) {
            return Refused{texts::recipeUnknownLabel(value.toString(), QStringLiteral("Side"))};
        }
        result.number = found - names.begin();
    } else if (!result.number) {
        if (!isText) {
            return Refused{texts::recipeNotAnInteger(value.toString())};
        }
        if (result.op != Condition::Op::Equal && result.op != Condition::Op::NotEqual) {
            return Refused{texts::recipeTextComparison(field.toString())};
        }
        result.text = value.toString();
    }
    return result;
}

Or<Selector> selector(const SaveFile& model, const QString& table, QStringView text, bool recordIndex) {
    Selector result;
    const QStringView content = text.trimmed();
    if (content == u"*") {
        return result;
    }
    result.kind = Selector::Kind::Indices;
    bool indices = true;
    for (const QStringView part : content.split(u',')) {
        const std::optional<std::pair<int, int>> range = indexRange(part.trimmed());
        if (!range) {
            indices = false;
            break;
        }
        result.ranges.push_back(*range);
    }
    if (indices) {
        return result;
    }
    const bool anyCondition = std::any_of(content.begin(), content.end(),
                                          [](QChar c) { return c == u'=' || c == u'<' || c == u'>'; });
    if (!anyCondition) {
        return Refused{texts::recipeBadIndex(text.toString())};
    }
    if (!recordIndex || table == u"ScienceWeapon") {
        return Refused{texts::recipeConditionPlace()};
    }
    result.kind = Selector::Kind::Conditions;
    for (const QStringView part : content.split(QStringLiteral("&&"))) {
        Or<Condition> c = condition(model, table, part);
        if (auto* refused = std::get_if<Refused>(&c)) {
            return *refused;
        }
        result.conditions.push_back(std::move(std::get<Condition>(c)));
    }
    return result;
}

// Whether a bracket's content selects the fixed index `index` of a positional path.
bool selects(QStringView content, int index) {
    content = content.trimmed();
    if (content == u"*") {
        return true;
    }
    for (const QStringView part : content.split(u',')) {
        const std::optional<std::pair<int, int>> range = indexRange(part.trimmed());
        if (range && range->first <= index && index <= range->second) {
            return true;
        }
    }
    return false;
}

// ---- the model's shape -----------------------------------------------------------------------

// How many places each open index of a field has, on a model whose every base is in the file.
const std::vector<int>& extentsOf(const Description& d) {
    static const auto shape = [] {
        auto model = std::make_unique<SaveFile>();
        model->LastBaseIndex = SaveFile::kBases - 1;
        return model;
    }();
    static QHash<const Description*, std::vector<int>> cache;
    const auto found = cache.constFind(&d);
    if (found != cache.constEnd()) {
        return *found;
    }
    std::vector<int> extents;
    const auto open = static_cast<int>(fields::PathWith(d, false, {}).count(u'#'));
    for (int i = 0; i < open; ++i) {
        QList<QString> indices(open, QStringLiteral("0"));
        int extent = 0;
        do {
            indices[i] = QString::number(++extent);
        } while (ValueAt(*shape, fields::PathWith(d, false, indices)));
        extents.push_back(extent);
    }
    return *cache.insert(&d, std::move(extents));
}

// Aircraft types 170..175 and their development entries, and the header values the loader
// finds: the writer never stores them.
bool neverWritten(const FieldId& id) {
    const QString& table = tableOf(*id.field);
    if ((table == u"AircraftType" || table == u"AirDevelopment") &&
        id.indices[0] >= SaveFile::kWrittenAircraftTypes) {
        return true;
    }
    return QByteArrayView(id.field->english).endsWith("never written");
}

// Whether a field's first index picks records that conditions can choose among: a record
// table's, or an air development's (one value each, read by its own name in a condition).
bool selectsRecords(const Description& d) {
    return fields::RecordIndexCount(d) > 0 || tableOf(d) == u"AirDevelopment";
}

// How many records `*` and conditions run over: those the file holds.
int writtenRecords(const SaveFile& model, const Description& d, int extent) {
    return tableOf(d) == u"Base" ? std::min(extent, int{model.LastBaseIndex} + 1) : extent;
}

bool compare(qint64 a, Condition::Op op, qint64 b) {
    switch (op) {
        case Condition::Op::Equal:
            return a == b;
        case Condition::Op::NotEqual:
            return a != b;
        case Condition::Op::Less:
            return a < b;
        case Condition::Op::LessOrEqual:
            return a <= b;
        case Condition::Op::Greater:
            return a > b;
        case Condition::Op::GreaterOrEqual:
            return a >= b;
    }
    return false;
}

bool holds(const SaveFile& model, const Condition& c, int record) {
    FieldId id = c.field.id;
    switch (c.field.kind) {
        case ConditionField::Kind::ShipSide:
            return compare(record < SaveFile::kJapaneseShips ? 0 : 1, c.op, *c.number);
        case ConditionField::Kind::OfClass: {
            const int shipClass = model.Ship[static_cast<std::size_t>(record)].Words[ShipWord::ClassNumber];
            if (shipClass < 0 || shipClass >= SaveFile::kShipClasses) {
                return false;
            }
            id.indices[0] = shipClass;
            break;
        }
        case ConditionField::Kind::Own:
            id.indices[0] = record;
            break;
    }
    const std::optional<QJsonValue> value = ValueAt(model, id.path());
    if (!value) {
        return false;
    }
    if (value->isString()) {
        return (value->toString() == c.text) == (c.op == Condition::Op::Equal);
    }
    return c.number && compare(value->toInteger(), c.op, *c.number);
}

// Whether the list shows the record: conditions pick among the ships that exist.
bool listed(const SaveFile& model, const Description& d, int record) {
    return tableOf(d) != u"Ship" ||
           model.Ship[static_cast<std::size_t>(record)].Words[ShipWord::NameNumber] != -1;
}

QString changeRefusal(const SaveFile& model, const ChangeRefusal& refusal, const QString& value) {
    switch (refusal.reason) {
        case ChangeRefusal::Reason::UnknownField:
            return texts::recipeUnknownField(refusal.path);
        case ChangeRefusal::Reason::NotAnInteger:
            return texts::recipeNotAnInteger(value);
        case ChangeRefusal::Reason::OutOfRange: {
            const limits::Range width = *WidthAt(model, refusal.path);
            return texts::recipeValueOutside(value, width.minimum, width.maximum);
        }
        case ChangeRefusal::Reason::NotAText:
            return texts::recipeNotAText(refusal.path);
        case ChangeRefusal::Reason::TextUnmappable:
            return texts::recipeTextUnmappable();
        case ChangeRefusal::Reason::TextTooLong:
            return texts::recipeTextTooLong();
    }
    return {};
}

// ---- evaluation ------------------------------------------------------------------------------

class Evaluator {
public:
    explicit Evaluator(const SaveFile& model) : m_work(std::make_unique<SaveFile>(model)) {}

    // The line's refusal; otherwise its changes are made to the working copy.
    std::optional<QString> line(QStringView text, LineCount& count) {
        Or<LineParts> split = splitLine(text);
        if (auto* refused = std::get_if<Refused>(&split)) {
            return refused->reason;
        }
        m_parts = std::get<LineParts>(split);
        m_count = &count;
        m_lineChanges.clear();
        m_operandChecked = false;
        if (const std::optional<QString> refusal = readOperand()) {
            return refusal;
        }
        const std::vector<fields::PathMatch> matches = fields::MatchPath(m_parts.path, selects);
        if (matches.empty()) {
            return texts::recipeUnknownField(m_parts.path.toString());
        }
        for (const fields::PathMatch& match : matches) {
            if (const std::optional<QString> refusal = field(match)) {
                return refusal;
            }
        }
        if (const std::optional<ChangeRefusal> refusal =
                ApplyChanges(*m_work, m_lineChanges, ChangeDirection::Forward)) {
            return changeRefusal(*m_work, *refusal, m_parts.value.toString());
        }
        count.changed = static_cast<int>(m_lineChanges.size());
        m_changes.insert(m_changes.end(), m_lineChanges.begin(), m_lineChanges.end());
        return std::nullopt;
    }

    // Every field changed, from its first old value to its last new one.
    std::vector<FieldChange> changes() const {
        std::vector<FieldChange> result;
        QHash<QString, std::size_t> at;
        for (const FieldChange& change : m_changes) {
            const auto found = at.constFind(change.path);
            if (found == at.constEnd()) {
                at.insert(change.path, result.size());
                result.push_back(change);
            } else {
                result[*found].newValue = change.newValue;
            }
        }
        std::erase_if(result, [](const FieldChange& c) { return c.oldValue == c.newValue; });
        return result;
    }

private:
    std::optional<QString> readOperand() {
        const QStringView value = m_parts.value.trimmed();
        switch (m_parts.operation) {
            case Operation::Set:
            case Operation::Maximum:
                return std::nullopt;
            case Operation::Add: {
                if (value == u"max") {
                    return texts::recipeMaxOnlySet();
                }
                const std::optional<qint64> number = integer(value);
                if (!number) {
                    return texts::recipeNotAnInteger(value.toString());
                }
                m_operand = m_parts.subtract ? -*number : *number;
                return std::nullopt;
            }
            case Operation::MultiplyPercent: {
                if (value == u"max") {
                    return texts::recipeMaxOnlySet();
                }
                const std::optional<qint64> number =
                    value.endsWith(u'%') ? integer(value.chopped(1)) : std::nullopt;
                if (!number) {
                    return texts::recipePercentSign(value.toString());
                }
                m_operand = *number;
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<QString> field(const fields::PathMatch& match) {
        const Description& d = *match.field;
        if (m_parts.operation == Operation::Maximum && !edit::HasDialogLimit(d.check)) {
            return texts::recipeMaxWithoutLimit(m_parts.path.toString());
        }
        const std::vector<int>& extents = extentsOf(d);
        std::vector<Selector> selectors;
        for (qsizetype i = 0; i < match.open.size(); ++i) {
            Or<Selector> s = selector(*m_work, tableOf(d), match.open[i], i == 0 && selectsRecords(d));
            if (auto* refused = std::get_if<Refused>(&s)) {
                return refused->reason;
            }
            selectors.push_back(std::move(std::get<Selector>(s)));
            for (const auto& [first, last] : selectors.back().ranges) {
                if (last >= extents[static_cast<std::size_t>(i)]) {
                    return texts::recipeIndexOutside(QString::number(last),
                                                     extents[static_cast<std::size_t>(i)] - 1);
                }
            }
        }
        FieldId id{&d, {}, static_cast<int>(selectors.size())};
        return walk(id, selectors, extents, 0);
    }

    std::optional<QString> walk(FieldId& id, const std::vector<Selector>& selectors,
                                const std::vector<int>& extents, std::size_t at) {
        if (at == selectors.size()) {
            return leaf(id);
        }
        const Selector& s = selectors[at];
        auto visit = [&](int index) {
            id.indices[at] = index;
            return walk(id, selectors, extents, at + 1);
        };
        const bool records = at == 0 && fields::RecordIndexCount(*id.field) > 0;
        switch (s.kind) {
            case Selector::Kind::All: {
                const int last = records ? writtenRecords(*m_work, *id.field, extents[at]) : extents[at];
                for (int i = 0; i < last; ++i) {
                    if (auto refusal = visit(i)) {
                        return refusal;
                    }
                }
                return std::nullopt;
            }
            case Selector::Kind::Indices:
                for (const auto& [first, last] : s.ranges) {
                    for (int i = first; i <= last; ++i) {
                        if (auto refusal = visit(i)) {
                            return refusal;
                        }
                    }
                }
                return std::nullopt;
            case Selector::Kind::Conditions: {
                const QString& table = tableOf(*id.field);
                const bool aircraft = table == u"AircraftType" || table == u"AirDevelopment";
                const int last = std::min(writtenRecords(*m_work, *id.field, extents[at]),
                                          aircraft ? int{SaveFile::kWrittenAircraftTypes} : extents[at]);
                for (int i = 0; i < last; ++i) {
                    const bool chosen = listed(*m_work, *id.field, i) &&
                                        std::all_of(s.conditions.begin(), s.conditions.end(),
                                                    [&](const Condition& c) { return holds(*m_work, c, i); });
                    if (chosen) {
                        if (auto refusal = visit(i)) {
                            return refusal;
                        }
                    }
                }
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

    std::optional<QString> leaf(const FieldId& id) {
        const QString path = id.path();
        const std::optional<QJsonValue> current = neverWritten(id) ? std::nullopt : ValueAt(*m_work, path);
        if (!current) {
            ++m_count->neverWritten;
            return std::nullopt;
        }
        std::optional<QJsonValue> target;
        if (m_parts.operation == Operation::Set) {
            if (current->isString()) {
                target = m_parts.value.toString();
            } else if (const std::optional<qint64> number = integer(m_parts.value)) {
                target = *number;
            } else if (id.field->list != fields::ListOf::None) {
                const catalogue::NameTable names = rules::ListFor(id.field->list).names;
                const auto found = std::find(names.begin(), names.end(), m_parts.value.trimmed().toString());
                if (found == names.end()) {
                    return texts::recipeUnknownLabel(m_parts.value.trimmed().toString(),
                                                     QString::fromUtf8(id.field->japanese));
                }
                target = static_cast<qint64>(found - names.begin());
            } else {
                return texts::recipeNotAnInteger(m_parts.value.toString());
            }
        } else {
            if (current->isString()) {
                return texts::recipeNotANumberField(m_parts.path.toString());
            }
            if (!m_operandChecked) {
                const std::optional<edit::OperandRefusal> refusal =
                    edit::CheckOperand(m_parts.operation, m_operand, *WidthAt(*m_work, path));
                if (refusal) {
                    return refusal->kind == edit::OperandRefusal::Kind::PercentOutside
                               ? texts::recipePercentOutside(refusal->maximum)
                               : texts::recipeOperandOutside(refusal->minimum, refusal->maximum);
                }
                m_operandChecked = true;
            }
            const edit::Operated step = edit::Operate(*m_work, path, *id.field, m_parts.operation, m_operand);
            m_count->limited += step.limited ? 1 : 0;
            if (!step.value) {
                return std::nullopt;
            }
            target = *step.value;
        }
        if (std::optional<FieldChange> change = ChangeTo(*m_work, path, *target)) {
            m_lineChanges.push_back(std::move(*change));
        }
        return std::nullopt;
    }

    std::unique_ptr<SaveFile> m_work;
    std::vector<FieldChange> m_changes;
    std::vector<FieldChange> m_lineChanges;
    LineParts m_parts;
    LineCount* m_count = nullptr;
    qint64 m_operand = 0;
    bool m_operandChecked = false;
};

Prepared refused(QString reason) {
    Prepared result;
    result.refusal = std::move(reason);
    return result;
}

}  // namespace

Prepared Prepare(const SaveFile& model, QStringView text) {
    Prepared result;
    Evaluator evaluator(model);
    bool titled = false;
    qsizetype number = 0;
    for (QStringView line : text.split(u'\n')) {
        ++number;
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const QStringView content = line.trimmed();
        if (content.startsWith(u'#')) {
            if (!titled) {
                result.title = content.sliced(1).trimmed().toString();
                titled = true;
            }
            continue;
        }
        if (content.isEmpty()) {
            continue;
        }
        // Leading blanks are layout; trailing ones may belong to a text value.
        const QStringView kept = line.sliced(content.data() - line.data());
        LineCount count{number, kept.toString()};
        if (const std::optional<QString> refusal = evaluator.line(kept, count)) {
            Prepared refusedLine = refused(texts::recipeLineRefused(number, kept.toString(), *refusal));
            refusedLine.refusedLine = number;
            return refusedLine;
        }
        result.lines.push_back(std::move(count));
    }
    if (result.lines.empty()) {
        return refused(texts::recipeEmpty());
    }
    result.changes.name = result.title.isEmpty() ? texts::recipeDefaultTitle() : result.title;
    result.changes.changes = evaluator.changes();
    return result;
}

Prepared PrepareFile(const SaveFile& model, const QByteArray& raw) {
    if (raw.size() > kRecipeLimit) {
        return refused(texts::recipeTooLarge(kRecipeLimit >> 20));
    }
    const QByteArray bytes = raw.startsWith("\xEF\xBB\xBF") ? raw.sliced(3) : raw;
    if (bytes.contains('\0')) {
        return refused(texts::recipeHasNul());
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return refused(texts::recipeNotUtf8());
    }
    return Prepare(model, text);
}

QString TitleLine(const QString& title) {
    return QStringLiteral("# ") + title;
}

QString WriteRecipe(const QString& title, const std::vector<FieldChange>& changes) {
    QString text = TitleLine(title) + u'\n';
    for (const FieldChange& change : changes) {
        const std::optional<FieldId> id = ParseFieldId(change.path);
        if (!id || neverWritten(*id) || change.newValue.isUndefined()) {
            continue;
        }
        const QString value = change.newValue.isString() ? change.newValue.toString()
                                                         : QString::number(change.newValue.toInteger());
        text += id->name() + QStringLiteral(" = ") + value + u'\n';
    }
    return text;
}

QString OperationLine(const QString& path, Operation operation, qint64 operand) {
    switch (operation) {
        case Operation::Set:
            return QStringLiteral("%1 = %2").arg(path).arg(operand);
        case Operation::Add:
            return operand < 0 ? QStringLiteral("%1 -= %2").arg(path).arg(-operand)
                               : QStringLiteral("%1 += %2").arg(path).arg(operand);
        case Operation::MultiplyPercent:
            return QStringLiteral("%1 *= %2%").arg(path).arg(operand);
        case Operation::Maximum:
            break;
    }
    return path + QStringLiteral(" = max");
}

}  // namespace korven::recipe
