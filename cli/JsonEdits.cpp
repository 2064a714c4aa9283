#include "cli/JsonEdits.h"

#include "cli/CliTexts.h"
#include "cli/ModelJson.h"
#include "model/RecordFields.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace korven::cli {
namespace {

using rapidjson::Value;

std::string_view keyOf(const Value::ConstMemberIterator& member) {
    return {member->name.GetString(), member->name.GetStringLength()};
}

// A path kept as a chain of parts on the stack, spelled out only for messages and for the
// fields that change.
struct PathPart {
    const PathPart* parent = nullptr;
    std::string_view name;  // a member (UTF-8, in the document), or else an index
    qint64 index = -1;

    QString nameText() const { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }
    QString text() const {
        const QString head = parent != nullptr ? parent->text() : QString();
        if (index < 0) {
            return head.isEmpty() ? nameText() : head + QLatin1Char('.') + nameText();
        }
        return head + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
    }
};

// Whether a member before `member` has its key. Every key must name a field, so an object
// that gets far along here has been refused already: the scan stays short.
bool repeatsKey(const Value& object, const Value::ConstMemberIterator& member) {
    for (auto earlier = object.MemberBegin(); earlier != member; ++earlier) {
        if (keyOf(earlier) == keyOf(member)) {
            return true;
        }
    }
    return false;
}

class Walker {
public:
    // `dumpLastBase`: the last base of the save a whole dump came from, when it is before the
    // model's: that base's name marks the end of the list there, not here.
    Walker(const JsonStoring& storing, JsonEditResult& result, bool skipNeverWritten, qint64 dumpLastBase)
        : m_storing(storing),
          m_result(result),
          m_skipNeverWritten(skipNeverWritten),
          m_dumpLastBase(dumpLastBase) {}

    // `frozen`: a part the writer never stores, where only the value it holds is accepted.
    template <typename T>
    bool walk(T& field, const Value& value, const PathPart& path, bool frozen, qint64 written = -1) {
        if (value.IsNull()) {
            return true;
        }
        if constexpr (IsArray<T>::value) {
            return walkArray(field, value, path, frozen, written);
        } else if constexpr (kIsRecord<T>) {
            if (!value.IsObject()) {
                return fail(path, AssignmentError::UnknownField, texts::jsonNotAnObject());
            }
            for (auto it = value.MemberBegin(); it != value.MemberEnd(); ++it) {
                const PathPart at{&path, keyOf(it)};
                if (repeatsKey(value, it)) {
                    return duplicate(at, at.nameText());
                }
                bool found = false;
                bool ok = true;
                bool endMark = false;
                if constexpr (std::is_same_v<T, BaseRecord>) {
                    endMark = path.index == m_dumpLastBase && at.name == "Name";
                }
                fields::forEach<T>(
                    [&](const char* name, auto& member) {
                        if (!found && at.name == name) {
                            found = true;
                            ok = walk(member, it->value, at, frozen || endMark);
                        }
                    },
                    field);
                if (!found) {
                    return fail(at, AssignmentError::UnknownField, texts::unknownField(at.nameText()));
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
        m_result = {error, path.text(), reason, 0, 0};
        return false;
    }
    bool duplicate(const PathPart& path, const QString& key) {
        return fail(path, AssignmentError::DuplicateKey, texts::jsonDuplicateKey(key));
    }
    // A field the writer never stores, given another value than it holds.
    bool neverWritten(const PathPart& path) {
        if (m_skipNeverWritten) {
            ++m_result.skipped;
            return true;
        }
        return fail(path, AssignmentError::NeverWritten, texts::neverWritten(path.text()));
    }

private:
    template <typename T>
    bool walkArray(T& field, const Value& value, const PathPart& path, bool frozen, qint64 written) {
        const auto size = static_cast<qint64>(std::tuple_size_v<T>);
        auto item = [&](qint64 i, const Value& itemValue) {
            const PathPart at{&path, {}, i};
            if (i >= size) {
                return fail(at, AssignmentError::IndexRange,
                            texts::indexOutOfRange(QString::number(i), size - 1));
            }
            const bool past = written >= 0 && i >= written;
            return walk(field[static_cast<std::size_t>(i)], itemValue, at, frozen || past);
        };
        if (value.IsArray()) {
            qint64 i = 0;
            for (const Value& element : value.GetArray()) {
                if (!item(i++, element)) {
                    return false;
                }
            }
            return true;
        }
        if (value.IsObject()) {
            std::vector<bool> seen(static_cast<std::size_t>(size));  // "7" and "07" are one index
            for (auto it = value.MemberBegin(); it != value.MemberEnd(); ++it) {
                const std::optional<qint64> i = indexKey(keyOf(it));
                const PathPart at{&path, keyOf(it)};
                if (!i) {
                    return fail(at, AssignmentError::Syntax, texts::jsonBadIndex(at.nameText()));
                }
                if (*i < size) {
                    const auto slot = static_cast<std::size_t>(*i);
                    if (seen[slot]) {
                        return duplicate(PathPart{&path, {}, *i}, at.nameText());
                    }
                    seen[slot] = true;
                }
                if (!item(*i, it->value)) {
                    return false;
                }
            }
            return true;
        }
        return fail(path, AssignmentError::IndexCount, texts::jsonNotAnArray());
    }

    // A key of an array given as an object: a decimal number that fits 64 bits.
    static std::optional<qint64> indexKey(std::string_view key) {
        if (key.empty()) {
            return std::nullopt;
        }
        qint64 index = 0;
        for (const char c : key) {
            const int digit = c - '0';
            if (digit < 0 || digit > 9 || index > (std::numeric_limits<qint64>::max() - digit) / 10) {
                return std::nullopt;
            }
            index = index * 10 + digit;
        }
        return index;
    }

    bool leaf(const FieldRef& field, const Value& value, const PathPart& path, bool frozen) {
        // The value held already: nothing to check or store. Most of a dump edited by hand is
        // this, and a text the file holds may have no code page 932 form of its own (bytes
        // that decode to U+FFFD), which must not refuse the dump that shows it.
        if (field.holds(value)) {
            return true;
        }
        if (value.IsArray() || value.IsObject()) {
            return fail(path, AssignmentError::IndexCount, texts::wrongIndexCount(path.text()));
        }
        if (frozen && m_skipNeverWritten) {  // whatever it holds: it would not be stored
            return neverWritten(path);
        }
        const PreparedValue prepared = field.fromJson(value);
        if (prepared.error != AssignmentError::None) {
            return fail(path, prepared.error, prepared.reason);
        }
        if (frozen) {  // and the value is not the one held
            return neverWritten(path);
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
    const bool m_skipNeverWritten;
    const qint64 m_dumpLastBase;
};

// The LastBaseIndex a whole dump carries, when it is before the model's; else -1.
qint64 earlierLastBase(const SaveFile& model, const Value& edits) {
    const auto found = edits.FindMember("LastBaseIndex");
    if (!edits.HasMember("FormatVersion") || found == edits.MemberEnd() || !found->value.IsInt64()) {
        return -1;
    }
    const qint64 last = found->value.GetInt64();
    return last >= 0 && last < model.LastBaseIndex ? last : -1;
}

}  // namespace

JsonEditResult ApplyJsonEdits(SaveFile& model, const rapidjson::Value& edits, const JsonStoring& storing) {
    JsonEditResult result;
    const qint64 dumpLastBase = earlierLastBase(model, edits);
    Walker walker(storing, result, edits.HasMember("FormatVersion"), dumpLastBase);
    for (auto it = edits.MemberBegin(); it != edits.MemberEnd(); ++it) {
        const PathPart path{nullptr, keyOf(it)};
        const QString name = path.nameText();
        if (repeatsKey(edits, it)) {
            walker.duplicate(path, name);
            return result;
        }
        const Value& value = it->value;
        if (name == u"FormatVersion") {
            // Any integral number, as for a field: 1.0 is version 1.
            const double version = value.IsNumber() ? value.GetDouble() : 0;
            if (version < 1 || version > kDumpFormatVersion || std::trunc(version) != version) {
                walker.fail(path, AssignmentError::FormatVersion,
                            texts::unknownFormatVersion(kDumpFormatVersion));
                return result;
            }
            continue;
        }
        if (const std::optional<QJsonValue> current = NeverWrittenHeaderValue(model, name)) {
            if (!value.IsNull() && !JsonEquals(value, *current) && !walker.neverWritten(path)) {
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
                if (name == u"Base" && dumpLastBase >= 0) {
                    written = dumpLastBase + 1;  // the dump's bases after its last are not its save's
                }
            }
            ok = walker.walk(table, value, path, false, written);
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
