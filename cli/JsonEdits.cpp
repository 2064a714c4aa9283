#include "cli/JsonEdits.h"

#include "cli/CliTexts.h"
#include "cli/ModelJson.h"
#include "model/RecordFields.h"

#include <QJsonArray>

namespace korven::cli {
namespace {

// A path kept as a chain of parts on the stack, spelled out only for messages and for the
// fields that change.
struct PathPart {
    const PathPart* parent = nullptr;
    QString name;  // a member, or else an index
    qint64 index = 0;

    QString text() const {
        const QString head = parent != nullptr ? parent->text() : QString();
        if (!name.isNull()) {
            return head.isEmpty() ? name : head + QLatin1Char('.') + name;
        }
        return head + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
    }
};

class Walker {
public:
    Walker(const JsonStoring& storing, JsonEditResult& result) : m_storing(storing), m_result(result) {}

    // `frozen`: a part the writer never stores, where only the value it holds is accepted.
    // Values are read in place: a dump has some 100 000 of them.
    template <typename T>
    bool walk(T& field, QJsonValueConstRef value, const PathPart& path, bool frozen, qint64 written = -1) {
        if (value.isNull()) {
            return true;
        }
        if constexpr (IsArray<T>::value) {
            return walkArray(field, value, path, frozen, written);
        } else if constexpr (kIsRecord<T>) {
            if (!value.isObject()) {
                return fail(path, AssignmentError::UnknownField, texts::jsonNotAnObject());
            }
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                // Each key() call builds a new string; a dump has thousands of records.
                const PathPart at{&path, it.key(), 0};
                bool found = false;
                bool ok = true;
                fields::forEach<T>(
                    [&](const char* name, auto& member) {
                        if (!found && at.name == QLatin1String(name)) {
                            found = true;
                            ok = walk(member, it.value(), at, frozen);
                        }
                    },
                    field);
                if (!found) {
                    return fail(at, AssignmentError::UnknownField, texts::unknownField(at.name));
                }
                if (!ok) {
                    return false;
                }
            }
            return true;
        } else {
            return leaf(FieldRef(&field), value, path, frozen);
        }
    }

    bool fail(const PathPart& path, AssignmentError error, const QString& reason) {
        m_result = {error, path.text(), reason, 0};
        return false;
    }

private:
    template <typename T>
    bool walkArray(T& field, QJsonValueConstRef value, const PathPart& path, bool frozen, qint64 written) {
        const auto size = static_cast<qint64>(std::tuple_size_v<T>);
        auto item = [&](qint64 i, QJsonValueConstRef itemValue) {
            const PathPart at{&path, QString(), i};
            if (i >= size) {
                return fail(at, AssignmentError::IndexRange,
                            texts::indexOutOfRange(QString::number(i), size - 1));
            }
            const bool past = written >= 0 && i >= written;
            return walk(field[static_cast<std::size_t>(i)], itemValue, at, frozen || past);
        };
        if (value.isArray()) {
            const QJsonArray array = value.toArray();
            qint64 i = 0;
            for (auto it = array.constBegin(); it != array.constEnd(); ++it, ++i) {
                if (!item(i, *it)) {
                    return false;
                }
            }
            return true;
        }
        if (value.isObject()) {
            const QJsonObject object = value.toObject();
            for (auto it = object.begin(); it != object.end(); ++it) {
                bool ok = false;
                const qint64 i = it.key().toLongLong(&ok);
                if (!ok || i < 0 || it.key().startsWith(u'+')) {
                    return fail(PathPart{&path, it.key(), 0}, AssignmentError::Syntax,
                                texts::jsonBadIndex(it.key()));
                }
                if (!item(i, it.value())) {
                    return false;
                }
            }
            return true;
        }
        return fail(path, AssignmentError::IndexCount, texts::jsonNotAnArray());
    }

    bool leaf(const FieldRef& field, QJsonValueConstRef value, const PathPart& path, bool frozen) {
        // The value held already: nothing to check or store. Most of a dump edited by hand is
        // this, and a text the file holds may have no code page 932 form of its own (bytes
        // that decode to U+FFFD), which must not refuse the dump that shows it.
        if (field.holds(value)) {
            return true;
        }
        if (value.isArray() || value.isObject()) {
            return fail(path, AssignmentError::IndexCount, texts::wrongIndexCount(path.text()));
        }
        const PreparedValue prepared = field.fromJson(value);
        if (prepared.error != AssignmentError::None) {
            return fail(path, prepared.error, prepared.reason);
        }
        if (frozen) {
            if (value != field.value()) {
                return fail(path, AssignmentError::NeverWritten, texts::neverWritten(path.text()));
            }
            return true;
        }
        if (field.current() != prepared.value) {
            m_storing(field, path.text());
            field.store(prepared.value);
            ++m_result.changed;
        }
        return true;
    }

    const JsonStoring& m_storing;
    JsonEditResult& m_result;
};

}  // namespace

JsonEditResult ApplyJsonEdits(SaveFile& model, const QJsonObject& edits, const JsonStoring& storing) {
    JsonEditResult result;
    Walker walker(storing, result);
    for (auto it = edits.begin(); it != edits.end(); ++it) {
        const QString& name = it.key();
        const PathPart path{nullptr, name, 0};
        if (name == u"FormatVersion") {
            if (!it.value().isDouble() || it.value().toInteger(-1) < 1 ||
                it.value().toInteger(-1) > kDumpFormatVersion) {
                walker.fail(path, AssignmentError::FormatVersion,
                            texts::unknownFormatVersion(kDumpFormatVersion));
                return result;
            }
            continue;
        }
        if (const std::optional<QJsonValue> current = NeverWrittenHeaderValue(model, name)) {
            if (!it.value().isNull() && it.value() != *current) {
                walker.fail(path, AssignmentError::NeverWritten, texts::neverWritten(name));
                return result;
            }
            continue;
        }
        bool ok = true;
        const bool known = VisitTable(model, name, [&](auto& table) {
            using T = std::remove_reference_t<decltype(table)>;
            qint64 written = -1;
            if constexpr (IsArray<T>::value) {
                written = WrittenRecords(model, name, static_cast<qint64>(std::tuple_size_v<T>));
            }
            ok = walker.walk(table, it.value(), path, false, written);
        });
        if (!known) {
            walker.fail(path, AssignmentError::UnknownField, texts::unknownField(name));
            return result;
        }
        if (!ok) {
            return result;
        }
    }
    return result;
}

}  // namespace korven::cli
