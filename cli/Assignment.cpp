#include "cli/Assignment.h"

#include "cli/AssignmentPath.h"
#include "cli/CliTexts.h"
#include "cli/FieldRef.h"
#include "cli/JsonEdits.h"
#include "cli/Utf8Writer.h"
#include "model/FieldId.h"
#include "model/ModelDiff.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "model/SaveRules.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <utility>

namespace korven::cli {

struct ModelEditor::Written {
    FieldRef field;
    FieldValue original;
    int lastEdit;  // index into m_edits
};

namespace {

// The fields a path names, or why it names none; on a refusal the leaves mean nothing.
struct Resolution {
    QVarLengthArray<FieldRef, 4> leaves;  // most assignments name one field
    AssignmentError error = AssignmentError::None;
    QString reason;
};

void fail(Resolution& out, AssignmentError error, QString reason) {
    out.error = error;
    out.reason = std::move(reason);
}

struct Context {
    const SaveFile& model;
    const Path& path;
};

template <typename T>
void resolveInto(T& field, const Context& context, qsizetype segment, qsizetype index, Resolution& out);

// Texts compare as equal or not; a filter value that is not a number matches no number.
bool passesFilter(const FieldRef& field, const Filter& filter) {
    const QJsonValue value = field.value();
    if (value.isString()) {
        const bool equal = value.toString() == filter.value;
        return filter.op == Filter::Op::Equal ? equal : filter.op == Filter::Op::NotEqual && !equal;
    }
    bool ok = false;
    const qint64 wanted = filter.value.toLongLong(&ok);
    const qint64 number = value.toInteger();
    if (!ok) {
        return false;
    }
    switch (filter.op) {
        case Filter::Op::Equal:
            return number == wanted;
        case Filter::Op::NotEqual:
            return number != wanted;
        case Filter::Op::Less:
            return number < wanted;
        case Filter::Op::LessOrEqual:
            return number <= wanted;
        case Filter::Op::Greater:
            return number > wanted;
        case Filter::Op::GreaterOrEqual:
            return number >= wanted;
    }
    return false;
}

// The one field a filter names in a record, by `relative`: the filter's field after an empty
// segment that stands for the record; an error when it names none or several.
template <typename Record>
Resolution filterField(Record& record, const Context& relative) {
    Resolution result;
    resolveInto(record, relative, 0, 0, result);
    return result;
}

template <typename T>
void resolveInto(T& field, const Context& context, qsizetype segment, qsizetype index, Resolution& out) {
    const Path& path = context.path;
    const Segment& current = path[segment];
    if constexpr (IsArray<T>::value) {
        if (index >= current.indices.size()) {
            fail(out, AssignmentError::IndexCount, texts::wrongIndexCount(PathText(path, segment)));
            return;
        }
        const Selector& selector = current.indices[index];
        const auto size = static_cast<qint64>(std::tuple_size_v<T>);
        const bool topRecords = segment == 0 && index == 0;
        const qint64 written = topRecords ? WrittenRecords(context.model, current.name, size) : size;
        auto visit = [&](qint64 i) {
            resolveInto(field[static_cast<std::size_t>(i)], context, segment, index + 1, out);
            return out.error == AssignmentError::None;
        };
        switch (selector.kind) {
            case Selector::Kind::Index:
                if (selector.first >= size) {
                    fail(out, AssignmentError::IndexRange,
                         texts::indexOutOfRange(selector.text.toString(), size - 1));
                } else if (selector.first >= written) {
                    fail(out, AssignmentError::NeverWritten,
                         current.name == u"Base"
                             ? texts::baseNotInFile(selector.first, context.model.LastBaseIndex)
                             : texts::neverWritten(PathText(path, 0)));
                } else {
                    visit(selector.first);
                }
                return;
            case Selector::Kind::All:
            case Selector::Kind::Range: {
                const bool all = selector.kind == Selector::Kind::All;
                if (!all && selector.last >= size) {
                    fail(out, AssignmentError::IndexRange,
                         texts::indexOutOfRange(QString::number(selector.last), size - 1));
                    return;
                }
                const qint64 last = std::min(all ? size - 1 : selector.last, written - 1);
                for (qint64 i = all ? 0 : selector.first; i <= last; ++i) {
                    if (!visit(i)) {
                        return;
                    }
                }
                return;
            }
            case Selector::Kind::Filter:
                if constexpr (kIsRecord<typename T::value_type>) {
                    Path relative(1);
                    relative.append(selector.filter->field.constData(), selector.filter->field.size());
                    const Context inRecord{context.model, relative};
                    for (qint64 i = 0; i < written; ++i) {
                        auto& record = field[static_cast<std::size_t>(i)];
                        const Resolution tested = filterField(record, inRecord);
                        if (tested.error != AssignmentError::None) {
                            fail(out, tested.error, tested.reason);
                            return;
                        }
                        if (tested.leaves.size() != 1) {
                            fail(out, AssignmentError::Syntax, texts::badSyntax());
                            return;
                        }
                        if (passesFilter(tested.leaves.front(), *selector.filter) && !visit(i)) {
                            return;
                        }
                    }
                } else {
                    fail(out, AssignmentError::Syntax, texts::filterOnRecordsOnly());
                }
                return;
        }
    } else {
        if (index < current.indices.size()) {
            fail(out, AssignmentError::IndexCount, texts::wrongIndexCount(PathText(path, segment)));
            return;
        }
        if constexpr (kIsRecord<T>) {
            if (segment + 1 >= path.size()) {
                fail(out, AssignmentError::UnknownField, texts::missingFieldName(PathText(path, segment)));
                return;
            }
            const QStringView wanted = path[segment + 1].name;
            bool found = false;
            fields::forEach<T>(
                [&](const char* name, auto& member) {
                    if (!found && wanted == QLatin1String(name)) {
                        found = true;
                        resolveInto(member, context, segment + 1, 0, out);
                    }
                },
                field);
            if (!found) {
                fail(out, AssignmentError::UnknownField, texts::unknownField(wanted.toString()));
            }
        } else {
            if (segment + 1 < path.size()) {
                fail(out, AssignmentError::UnknownField, texts::unknownField(PathText(path, segment + 1)));
                return;
            }
            out.leaves.push_back(FieldRef(&field));
        }
    }
}

// Into `result`, which the caller keeps: an assignment is resolved without copying its fields.
void resolveModel(SaveFile& m, const Path& path, Resolution& result) {
    const Context context{m, path};
    const QStringView table = path.front().name;
    if (VisitTable(m, table, [&](auto& t) { resolveInto(t, context, 0, 0, result); })) {
        return;
    }
    // Looked for only once no table has the name: none of them is a table.
    if (NeverWrittenHeaderValue(m, table)) {
        fail(result, AssignmentError::NeverWritten, texts::neverWritten(table.toString()));
    } else {
        fail(result, AssignmentError::UnknownField, texts::unknownField(table.toString()));
    }
}

// Where the value of an assignment starts: after the first "=" outside brackets; -1 when
// there is none.
qsizetype valueStart(QStringView assignment) {
    int depth = 0;
    for (qsizetype i = 0; i < assignment.size(); ++i) {
        const QChar c = assignment[i];
        depth += c == u'[' ? 1 : c == u']' ? -1 : 0;
        if (c == u'=' && depth == 0) {
            return i;
        }
    }
    return -1;
}

// Whether the image the writer would store loads back with the blocks where they are now.
bool keepsLayout(const SaveFile& model) {
    NullStatus status;
    NullMessages messages;
    const std::optional<QByteArray> image = ComposeSaveImage(model, status);
    if (!image) {
        return false;
    }
    auto reloaded = std::make_unique<SaveFile>();
    return LoadSaveFile(*image, *reloaded, status, messages).ok() &&
           reloaded->HeaderEndPos == model.HeaderEndPos &&
           reloaded->AircraftBlockPos == model.AircraftBlockPos &&
           reloaded->ShipClassBlockPos == model.ShipClassBlockPos &&
           reloaded->BaseBlockPos == model.BaseBlockPos && reloaded->LastBaseIndex == model.LastBaseIndex;
}

AssignmentResult refuse(const QString& edit, AssignmentError error, const QString& reason) {
    return {error, texts::assignmentRefused(edit, reason), 0, false, 0};
}

// The address of the field a concrete path names in `model`.
const void* addressOf(SaveFile& model, const QString& path) {
    const std::optional<Path> parsed = ParsePath(path);
    if (!parsed) {
        return nullptr;
    }
    Resolution resolved;
    resolveModel(model, *parsed, resolved);
    return resolved.error == AssignmentError::None && resolved.leaves.size() == 1
               ? resolved.leaves.front().address()
               : nullptr;
}

// A filter's field written by its English name ("Class==12"), as the walker reads it
// ("Words[3]==12"); the filter as it is otherwise.
QString positionalFilter(QStringView table, QStringView filter) {
    qsizetype op = 0;
    while (op < filter.size() && filter[op] != u'=' && filter[op] != u'!' && filter[op] != u'<' &&
           filter[op] != u'>') {
        ++op;
    }
    const QString prefix = table.toString() + QStringLiteral("[0].");
    const std::optional<FieldId> id = ParseFieldId(prefix + filter.first(op).toString());
    const QString path = id ? id->path() : QString();
    return path.startsWith(prefix) ? path.sliced(prefix.size()) + filter.sliced(op).toString()
                                   : filter.toString();
}

// A path written with English names (in the field or in a filter), as the positional path the
// walker reads; nothing when it has none.
std::optional<QString> positionalPath(QStringView path) {
    const std::vector<fields::PathMatch> matches =
        fields::MatchPath(path, [](QStringView, int) { return true; });
    if (matches.empty()) {
        return std::nullopt;
    }
    const fields::PathMatch& match = matches.front();
    QString text;
    if (match.named) {
        QList<QString> open;
        for (const QStringView index : match.open) {
            open.append(index.toString());
        }
        text = fields::PathWith(*match.field, false, open);
    } else {
        text = path.toString();
    }
    // A filter stands in the record's own brackets, the first ones.
    const qsizetype open = text.indexOf(u'[');
    qsizetype close = open;
    for (int depth = 0; open >= 0 && close < text.size(); ++close) {
        depth += text[close] == u'[' ? 1 : text[close] == u']' ? -1 : 0;
        if (depth == 0) {
            break;
        }
    }
    if (fields::RecordIndexCount(*match.field) > 0 && open >= 0 && close < text.size()) {
        const QString table = text.first(open);
        const QString filter = positionalFilter(table, QStringView(text).sliced(open + 1, close - open - 1));
        text = table + u'[' + filter + text.sliced(close);
    }
    return text == path ? std::nullopt : std::optional(text);
}

}  // namespace

ModelEditor::ModelEditor(SaveFile& model, bool keepOriginal)
    : m_model(model), m_original(keepOriginal ? std::make_unique<SaveFile>(model) : nullptr) {}

ModelEditor::~ModelEditor() = default;

QString ModelEditor::Edit::name() const {
    return line > 0 ? texts::editAtLine(line, text) : text;
}

void ModelEditor::writeOverrides(QTextStream& out) const {
    if (m_overrides.empty()) {
        return;
    }
    // The fixed pieces of the messages, encoded once for them all.
    std::array<QByteArray, texts::kOverridesPieces.size()> pieces;
    std::transform(texts::kOverridesPieces.begin(), texts::kOverridesPieces.end(), pieces.begin(),
                   [](QStringView piece) { return piece.toUtf8(); });
    const QByteArray atLine = texts::kAtLine.toUtf8();
    Utf8Writer writer(out);
    auto name = [&](const Edit& edit) {
        if (edit.line > 0) {
            writer.append(edit.line);
            writer.append(atLine);
        }
        writer.append(edit.text.size() > texts::kQuoteLimit ? texts::excerpt(edit.text) : edit.text);
    };
    // The first ones show what happened; thousands more would only bury the rest.
    const auto shown = std::min(static_cast<qsizetype>(m_overrides.size()), texts::kOverridesShown);
    // An index loop rather than views::take, which clang 14 (the fuzz build) cannot compile
    // against this libstdc++.
    for (qsizetype i = 0; i < shown; ++i) {
        const Override& override = m_overrides[static_cast<std::size_t>(i)];
        writer.append(pieces[0]);
        name(m_edits[override.later]);
        writer.append(pieces[1]);
        name(m_edits[override.earlier]);
        writer.append(pieces[2]);
        writer.append(qint64{override.fields});
        writer.append(pieces[3]);
        writer.endLine();
    }
    if (const auto more = static_cast<qsizetype>(m_overrides.size()) - shown; more > 0) {
        writer.append(QStringView(texts::moreOverrides(more)));
        writer.endLine();
    }
}

AssignmentResult ModelEditor::assign(const QString& assignment, qsizetype line) {
    Edit edit{assignment, line};
    // The value starts after the first "=" outside brackets: a filter's "==" belongs to the
    // path. A path without a filter holds no "=", so when one follows it, it is that first
    // "=": most assignments are parsed once and not scanned as well. The rest are scanned.
    qsizetype split = -1;
    std::optional<Path> path = ParsePathPrefix(assignment, split);
    if (!path || split == assignment.size() || assignment[split] != u'=' || HasFilter(*path)) {
        split = valueStart(assignment);
        path = split < 0 ? std::nullopt : ParsePath(QStringView(assignment).first(split));
    }
    if (!path) {
        return refuse(edit.name(), AssignmentError::Syntax, texts::badSyntax());
    }
    Resolution resolved;
    resolveModel(m_model, *path, resolved);
    // Named fields are read as the positional path they stand for; a refusal names the
    // assignment as written. `positional` holds the text the path then refers to.
    QString positional;
    if (resolved.error == AssignmentError::UnknownField || resolved.error == AssignmentError::IndexCount) {
        const std::optional<QString> translated = positionalPath(QStringView(assignment).first(split));
        std::optional<Path> translatedPath = translated ? ParsePath(*translated) : std::nullopt;
        if (translatedPath) {
            Resolution again;
            resolveModel(m_model, *translatedPath, again);
            if (again.error == AssignmentError::None) {
                positional = *translated;
                path = ParsePath(positional);
                resolved = std::move(again);
            }
        }
    }
    if (resolved.error != AssignmentError::None) {
        return refuse(edit.name(), resolved.error, resolved.reason);
    }
    if (resolved.leaves.empty()) {
        return refuse(edit.name(), AssignmentError::NoMatch, texts::nothingSelected());
    }
    const PreparedValue prepared =
        resolved.leaves.front().fromText(QStringView(assignment).sliced(split + 1));
    if (prepared.error != AssignmentError::None) {
        return refuse(edit.name(), prepared.error, prepared.reason);
    }

    const int editIndex = static_cast<int>(m_edits.size());
    m_edits.push_back(std::move(edit));
    QVarLengthArray<int, 4> overridden;  // the earlier edit of each field set before
    AssignmentResult result;
    result.selectsMany = SelectsMany(*path);
    for (const FieldRef& leaf : resolved.leaves) {
        const int earlier = noteWrite(leaf, editIndex);
        if (earlier >= 0) {
            overridden.append(earlier);
        }
        result.changed += leaf.store(prepared.value) ? 1 : 0;
    }
    // One report per earlier edit, in the order they came.
    if (overridden.size() > 1) {
        std::sort(overridden.begin(), overridden.end());
    }
    for (auto run = overridden.cbegin(); run != overridden.cend();) {
        const auto next = std::upper_bound(run, overridden.cend(), *run);
        m_overrides.push_back({editIndex, *run, static_cast<int>(next - run)});
        run = next;
    }
    return result;
}

void ModelEditor::revert() {
    if (m_original) {
        m_model = *m_original;
    }
    m_written.clear();
    m_edits.clear();
    m_overrides.clear();
}

AssignmentResult ModelEditor::applyChanges(const std::vector<FieldChange>& changes,
                                           const std::vector<QString>& editNames) {
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const FieldChange& change = changes[i];
        const std::optional<Path> parsed = ParsePath(change.path);
        Resolution resolved;
        if (parsed) {
            resolveModel(m_model, *parsed, resolved);
        }
        if (!parsed || resolved.error != AssignmentError::None || resolved.leaves.size() != 1) {
            return refuse(editNames[i], AssignmentError::UnknownField, texts::unknownField(change.path));
        }
        m_edits.push_back({editNames[i], 0});
        const FieldRef& field = resolved.leaves.front();
        noteWrite(field, static_cast<int>(m_edits.size()) - 1);
        field.store(change.newValue.isString() ? FieldValue(change.newValue.toString())
                                               : FieldValue(change.newValue.toInteger()));
    }
    return {};
}

std::vector<FieldChange> ModelEditor::changes() const {
    return m_original ? DiffModels(*m_original, m_model) : std::vector<FieldChange>{};
}

AssignmentResult ModelEditor::applyJson(const rapidjson::Value& edits) {
    JsonEditResult applied =
        ApplyJsonEdits(m_model, edits, [this](const FieldRef& field, const QString& path) {
            m_edits.push_back({texts::jsonEdit(path), 0});
            noteWrite(field, static_cast<int>(m_edits.size()) - 1);
        });
    if (applied.error != AssignmentError::None) {
        return {applied.error, texts::jsonEditRefused(applied.path, applied.reason), 0, false, 0};
    }
    return {AssignmentError::None, {}, applied.changed, false, applied.skipped};
}

int ModelEditor::noteWrite(const FieldRef& field, int edit) {
    // Found first: the original value is read only for a field not written before.
    const auto found = m_written.find(field.address());
    if (found != m_written.end()) {
        return std::exchange(found->second.lastEdit, edit);
    }
    m_written.emplace(field.address(), Written{field, field.current(), edit});
    return -1;
}

qsizetype ModelEditor::changedFields() const {
    return std::count_if(m_written.begin(), m_written.end(), [](const auto& entry) {
        return entry.second.field.current() != entry.second.original;
    });
}

QString ModelEditor::editNamed(const void* field) const {
    const auto found = m_written.find(field);
    if (found != m_written.end()) {
        return m_edits[found->second.lastEdit].name();
    }
    return m_edits.empty() ? QString() : m_edits.back().name();
}

AssignmentResult ModelEditor::finish(bool checkRanges) {
    if (changedFields() == 0) {
        return {};  // every field holds what it held
    }
    if (!keepsLayout(m_model)) {
        // Rare: try each changed text on its own to name the edit that moves the blocks.
        const void* culprit = nullptr;
        for (const FieldChange& change : DiffModels(*m_original, m_model)) {
            if (!change.newValue.isString()) {
                continue;
            }
            auto alone = std::make_unique<SaveFile>(*m_original);
            if (ApplyAssignment(*alone, change.path + QLatin1Char('=') + change.newValue.toString()).ok() &&
                !keepsLayout(*alone)) {
                culprit = addressOf(m_model, change.path);
                break;
            }
        }
        return refuse(editNamed(culprit), AssignmentError::MovesBlocks, texts::movesBlocks());
    }
    if (checkRanges) {
        return checkRules();
    }
    return {};
}

AssignmentResult ModelEditor::checkRules() const {
    // A refusal names the record when the edit does not (a wildcard, a range, a filter).
    auto refusal = [this](const rules::Finding& finding) {
        const QString edit = editNamed(addressOf(m_model, finding.path));
        const QString reason =
            edit.contains(finding.path) ? finding.refusal : texts::atRecord(finding.path, finding.refusal);
        return refuse(edit, AssignmentError::OutsideDialog, reason);
    };
    for (const FieldChange& change : DiffModels(*m_original, m_model)) {
        if (const std::optional<rules::Finding> finding =
                rules::CheckField(m_model, change.path, change.newValue)) {
            return refusal(*finding);
        }
    }
    // A change can break a value it did not touch: a ship's fuel above its class's lowered
    // capacity, a seaplane at a base whose anchorage went. What was wrong before may stay.
    const std::vector<rules::Finding> before = rules::CheckSave(*m_original);
    auto seenBefore = [&before](const rules::Finding& f) {
        return std::any_of(before.begin(), before.end(), [&f](const rules::Finding& b) {
            return b.path == f.path && b.rule == f.rule && b.value == f.value;
        });
    };
    for (const rules::Finding& finding : rules::CheckSave(m_model)) {
        if (!seenBefore(finding)) {
            return refusal(finding);
        }
    }
    return {};
}

AssignmentResult ApplyAssignment(SaveFile& model, const QString& assignment) {
    return ModelEditor(model, false).assign(assignment);
}

AssignmentResult ApplyAssignments(SaveFile& model, const QStringList& assignments) {
    ModelEditor editor(model);
    for (const QString& assignment : assignments) {
        AssignmentResult result = editor.assign(assignment);
        if (!result.ok()) {
            return result;
        }
    }
    return editor.finish(false);
}

}  // namespace korven::cli
