#include "cli/Assignment.h"

#include "cli/CliTexts.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"

#include <QRegularExpression>

#include <functional>
#include <limits>
#include <type_traits>
#include <variant>
#include <vector>

namespace korven::cli {
namespace {

// Indices too long to read are kept as this, which every table rejects.
constexpr qint64 kHugeIndex = std::numeric_limits<qint64>::max();

struct Segment {
    QString name;
    std::vector<qint64> indices;
    QStringList indexTexts;  // as written, for messages
};
using Path = std::vector<Segment>;

std::optional<Path> parsePath(const QString& text) {
    static const QRegularExpression segmentPattern(
        QStringLiteral("\\A([A-Za-z][A-Za-z0-9]*)((?:\\[[0-9]+\\])*)\\z"));
    static const QRegularExpression indexPattern(QStringLiteral("\\[([0-9]+)\\]"));
    Path path;
    for (const QString& part : text.split(QLatin1Char('.'))) {
        const QRegularExpressionMatch match = segmentPattern.match(part);
        if (!match.hasMatch()) {
            return std::nullopt;
        }
        Segment segment;
        segment.name = match.captured(1);
        for (const QRegularExpressionMatch& index : indexPattern.globalMatch(match.captured(2))) {
            bool ok = false;
            const qint64 value = index.captured(1).toLongLong(&ok);
            segment.indices.push_back(ok ? value : kHugeIndex);
            segment.indexTexts.append(index.captured(1));
        }
        path.push_back(std::move(segment));
    }
    if (path.empty() || path.size() > 2) {
        return std::nullopt;
    }
    return path;
}

struct IntegerTarget {
    qint64 minimum;
    qint64 maximum;
    std::function<void(qint64)> store;
};
struct TextTarget {
    qsizetype width;
    std::function<void(const QString&)> store;
};
using Target = std::variant<IntegerTarget, TextTarget>;

struct Resolution {
    std::optional<Target> target;
    AssignmentError error = AssignmentError::None;
    QString reason;
};

Resolution failure(AssignmentError error, QString reason) {
    return {std::nullopt, error, std::move(reason)};
}

template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

template <typename T>
struct IsText : std::false_type {};
template <std::size_t W>
struct IsText<FixedText<W>> : std::true_type {};

template <typename T>
constexpr bool kIsRecord = std::is_same_v<T, AircraftTypeRecord> || std::is_same_v<T, ShipClassRecord> ||
                           std::is_same_v<T, BaseRecord> || std::is_same_v<T, ShipRecord> ||
                           std::is_same_v<T, CarrierAirRecord> || std::is_same_v<T, ScienceWeaponEntry>;

template <typename T>
Target leafTarget(T& field) {
    if constexpr (IsText<T>::value) {
        return TextTarget{static_cast<qsizetype>(T::kWidth),
                          [&field](const QString& text) { field.setText(text); }};
    } else {
        static_assert(std::is_integral_v<T>);
        return IntegerTarget{std::numeric_limits<T>::min(), std::numeric_limits<T>::max(),
                             [&field](qint64 value) { field = static_cast<T>(value); }};
    }
}

// The text of a path up to and including segment `upTo`, for messages.
QString pathText(const Path& path, std::size_t upTo) {
    QString text;
    for (std::size_t s = 0; s <= upTo && s < path.size(); ++s) {
        if (s > 0) {
            text += QLatin1Char('.');
        }
        text += path[s].name;
        for (const QString& index : path[s].indexTexts) {
            text += QLatin1Char('[') + index + QLatin1Char(']');
        }
    }
    return text;
}

// Walks `field` by the indices of segment `segment` from `index` on, then into the record
// field that the next segment names.
template <typename T>
Resolution resolve(T& field, const Path& path, std::size_t segment, std::size_t index) {
    const Segment& current = path[segment];
    if constexpr (IsArray<T>::value) {
        if (index >= current.indices.size()) {
            return failure(AssignmentError::IndexCount, texts::wrongIndexCount(pathText(path, segment)));
        }
        const qint64 i = current.indices[index];
        const auto size = static_cast<qint64>(std::tuple_size_v<T>);
        if (i >= size) {
            return failure(AssignmentError::IndexRange,
                           texts::indexOutOfRange(current.indexTexts[index], size - 1));
        }
        return resolve(field[static_cast<std::size_t>(i)], path, segment, index + 1);
    } else {
        if (index < current.indices.size()) {
            return failure(AssignmentError::IndexCount, texts::wrongIndexCount(pathText(path, segment)));
        }
        if constexpr (kIsRecord<T>) {
            if (segment + 1 >= path.size()) {
                return failure(AssignmentError::UnknownField,
                               texts::missingFieldName(pathText(path, segment)));
            }
            const QString& wanted = path[segment + 1].name;
            Resolution result = failure(AssignmentError::UnknownField, texts::unknownField(wanted));
            fields::forEach<T>(
                [&](const char* name, auto& member) {
                    if (wanted == QLatin1String(name)) {
                        result = resolve(member, path, segment + 1, 0);
                    }
                },
                field);
            return result;
        } else {
            if (segment + 1 < path.size()) {
                return failure(AssignmentError::UnknownField,
                               texts::unknownField(pathText(path, segment + 1)));
            }
            return {leafTarget(field), AssignmentError::None, {}};
        }
    }
}

Resolution resolveModel(SaveFile& m, const Path& path) {
    const QString& name = path.front().name;
    auto top = [&](auto& field) { return resolve(field, path, 0, 0); };
    if (name == u"TurnInfo")
        return top(m.TurnInfo);
    if (name == u"ScenarioTitle")
        return top(m.ScenarioTitle);
    if (name == u"AirDevelopment")
        return top(m.AirDevelopment);
    if (name == u"ScienceWeapon")
        return top(m.ScienceWeapon);
    if (name == u"AircrewSkill")
        return top(m.AircrewSkill);
    if (name == u"AircraftType")
        return top(m.AircraftType);
    if (name == u"ShipClass")
        return top(m.ShipClass);
    if (name == u"Base")
        return top(m.Base);
    if (name == u"Ship")
        return top(m.Ship);
    if (name == u"CarrierAir")
        return top(m.CarrierAir);
    return failure(AssignmentError::UnknownField, texts::unknownField(name));
}

// Fields the writer leaves alone: changing them would be lost, or would move the blocks
// under the positions the writer relies on.
std::optional<QString> neverWritten(const SaveFile& m, const Path& path) {
    static const QStringList header = {
        QStringLiteral("SaveNameLength"),    QStringLiteral("SaveName"),
        QStringLiteral("HeaderEndPos"),      QStringLiteral("AircraftBlockPos"),
        QStringLiteral("ShipClassBlockPos"), QStringLiteral("BaseBlockPos"),
        QStringLiteral("LastBaseIndex"),
    };
    const Segment& first = path.front();
    if (header.contains(first.name)) {
        return texts::neverWritten(first.name);
    }
    if (first.indices.empty()) {
        return std::nullopt;
    }
    const qint64 index = first.indices.front();
    if ((first.name == u"AircraftType" || first.name == u"AirDevelopment") &&
        index >= SaveFile::kWrittenAircraftTypes && index < SaveFile::kAircraftTypes) {
        return texts::neverWritten(pathText(path, 0));
    }
    if (first.name == u"Base" && index > m.LastBaseIndex && index < SaveFile::kBases) {
        return texts::baseNotInFile(index, m.LastBaseIndex);
    }
    return std::nullopt;
}

class Silent : public StatusSink, public MessageSink {
public:
    void showStatus(const QString&) override {}
    MessageAnswer show(const Message& message) override { return message.defaultAnswer; }
};

// Whether the image the writer would store loads back with the blocks where they are now.
bool keepsLayout(const SaveFile& model) {
    Silent silent;
    const std::optional<QByteArray> image = ComposeSaveImage(model, silent);
    if (!image) {
        return false;
    }
    auto reloaded = std::make_unique<SaveFile>();
    return LoadSaveFile(*image, *reloaded, silent, silent) == 0 &&
           reloaded->HeaderEndPos == model.HeaderEndPos &&
           reloaded->AircraftBlockPos == model.AircraftBlockPos &&
           reloaded->ShipClassBlockPos == model.ShipClassBlockPos &&
           reloaded->BaseBlockPos == model.BaseBlockPos && reloaded->LastBaseIndex == model.LastBaseIndex;
}

AssignmentResult refuse(const QString& assignment, AssignmentError error, const QString& reason) {
    return {error, texts::assignmentRefused(assignment, reason)};
}

}  // namespace

AssignmentResult ApplyAssignment(SaveFile& model, const QString& assignment) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    const std::optional<Path> path = equals < 0 ? std::nullopt : parsePath(assignment.left(equals));
    if (!path) {
        return refuse(assignment, AssignmentError::Syntax, texts::badSyntax());
    }
    const QString value = assignment.mid(equals + 1);

    if (const std::optional<QString> reason = neverWritten(model, *path)) {
        return refuse(assignment, AssignmentError::NeverWritten, *reason);
    }
    const Resolution resolved = resolveModel(model, *path);
    if (!resolved.target) {
        return refuse(assignment, resolved.error, resolved.reason);
    }

    if (const auto* integer = std::get_if<IntegerTarget>(&*resolved.target)) {
        static const QRegularExpression pattern(QStringLiteral("\\A[+-]?[0-9]+\\z"));
        if (!pattern.match(value).hasMatch()) {
            return refuse(assignment, AssignmentError::NotAnInteger, texts::notAnInteger(value));
        }
        bool ok = false;
        const qint64 number = value.toLongLong(&ok);
        if (!ok || number < integer->minimum || number > integer->maximum) {
            return refuse(assignment, AssignmentError::ValueRange,
                          texts::valueOutOfRange(value, integer->minimum, integer->maximum));
        }
        integer->store(number);
        return {};
    }

    const auto& text = std::get<TextTarget>(*resolved.target);
    const qsizetype bytes = cp932::encodedLength(value);
    if (bytes < 0) {
        return refuse(assignment, AssignmentError::TextUnmappable, texts::textUnmappable());
    }
    if (bytes > text.width) {
        return refuse(assignment, AssignmentError::TextTooLong, texts::textTooLong(bytes, text.width));
    }
    text.store(value);
    return {};
}

AssignmentResult ApplyAssignments(SaveFile& model, const QStringList& assignments) {
    const auto original = std::make_unique<SaveFile>(model);
    for (const QString& assignment : assignments) {
        AssignmentResult result = ApplyAssignment(model, assignment);
        if (!result.ok()) {
            return result;
        }
    }
    if (assignments.isEmpty() || keepsLayout(model)) {
        return {};
    }
    // Rare: replay one at a time to name the assignment that moves the blocks.
    for (const QString& assignment : assignments) {
        ApplyAssignment(*original, assignment);
        if (!keepsLayout(*original)) {
            return refuse(assignment, AssignmentError::MovesBlocks, texts::movesBlocks());
        }
    }
    return refuse(assignments.constLast(), AssignmentError::MovesBlocks, texts::movesBlocks());
}

}  // namespace korven::cli
