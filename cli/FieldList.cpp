#include "cli/FieldList.h"

#include "cli/CliTexts.h"
#include "cli/FieldRef.h"
#include "cli/ModelJson.h"
#include "model/FieldDescriptions.h"
#include "model/FieldId.h"
#include "model/RecordFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

#include <limits>
#include <memory>

namespace korven::cli {
namespace {

struct Shape {
    std::vector<qint64> extents;  // array sizes, outermost first, down to a record or a leaf
    QString width;                // empty for a record
    QString range;
};

template <typename T>
void shapeOf(Shape& shape) {
    if constexpr (IsArray<T>::value) {
        shape.extents.push_back(static_cast<qint64>(std::tuple_size_v<T>));
        shapeOf<typename T::value_type>(shape);
    } else if constexpr (kIsRecord<T>) {
        return;
    } else if constexpr (std::is_integral_v<T>) {
        shape.width =
            std::is_same_v<T, uint8_t> ? QStringLiteral("u8") : QStringLiteral("int%1").arg(8 * sizeof(T));
        shape.range = QStringLiteral("%1..%2")
                          .arg(qint64{std::numeric_limits<T>::min()})
                          .arg(qint64{std::numeric_limits<T>::max()});
    } else {
        shape.width = QStringLiteral("text %1").arg(T::kWidth);
        shape.range = texts::textBytesRange(T::kWidth);
    }
}

// The shape of field `member` of the records a table holds.
template <typename T>
void memberShape(const QString& member, Shape& shape) {
    if constexpr (IsArray<T>::value) {
        memberShape<typename T::value_type>(member, shape);
    } else if constexpr (kIsRecord<T>) {
        T record{};
        fields::forEach<T>(
            [&](const char* name, auto& value) {
                if (member == QLatin1String(name)) {
                    shapeOf<std::remove_reference_t<decltype(value)>>(shape);
                }
            },
            record);
    }
}

QString indexRange(qint64 extent) {
    return QStringLiteral("[0-%1]").arg(extent - 1);
}

// "Perf[1]" -> "Perf" and {"1"}; "[*][1]" -> "" and {"*", "1"}.
std::pair<QString, QStringList> splitIndices(const QString& text) {
    const qsizetype bracket = text.indexOf(u'[');
    const QString name = bracket < 0 ? text : text.left(bracket);
    QStringList indices;
    if (bracket >= 0) {
        indices = text.mid(bracket + 1).chopped(1).split(QStringLiteral("]["));
    }
    return {name, indices};
}

QString withRanges(const QString& name, const QStringList& indices, const std::vector<qint64>& extents,
                   std::size_t from) {
    QString text = name;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        const std::size_t at = from + static_cast<std::size_t>(i);
        text += indices[i] == u"*" && at < extents.size() ? indexRange(extents[at])
                                                          : QLatin1Char('[') + indices[i] + QLatin1Char(']');
    }
    return text;
}

FieldRow rowFor(const fields::Description& d) {
    static const auto model = std::make_unique<SaveFile>();
    const QString pattern = QString::fromUtf8(d.pattern);
    const qsizetype dot = pattern.indexOf(u'.');
    const auto [table, tableIndices] = splitIndices(dot < 0 ? pattern : pattern.left(dot));
    FieldRow row{&d,
                 table,
                 {},
                 {},
                 {},
                 {},
                 texts::dialogRule(d),
                 QString::fromUtf8(d.japanese),
                 QString::fromUtf8(d.english)};

    Shape top;
    auto topShape = [&](auto& field) { shapeOf<std::remove_reference_t<decltype(field)>>(top); };
    if (!VisitTable(*model, table, topShape)) {
        VisitFoundHeaderValue(*model, table, topShape);
    }
    if (dot < 0) {
        // A header value or table: its own indices follow its name.
        row.path = withRanges(table, tableIndices, top.extents, 0);
        row.width = top.width;
        row.range = top.range;
        if (table == u"SaveName") {  // SaveNameLength bytes, not a fixed width
            row.width = QStringLiteral("text SaveNameLength");
            row.range = texts::textBytesRange(255);
        }
        return row;
    }
    QString recordPart = table;
    for (const qint64 extent : top.extents) {
        recordPart += indexRange(extent);
    }
    const auto [member, memberIndices] = splitIndices(pattern.mid(dot + 1));
    Shape field;
    // Named again for the lambda: clang before 16 cannot capture a structured binding.
    VisitTable(*model, table, [&field, &name = member](auto& records) {
        memberShape<std::remove_reference_t<decltype(records)>>(name, field);
    });
    row.path = recordPart + QLatin1Char('.') + withRanges(member, memberIndices, field.extents, 0);
    row.width = field.width;
    row.range = field.range;
    return row;
}

// The row's path with the field's English name, its index ranges kept in order.
QString namedPath(const FieldRow& row) {
    const std::vector<fields::PathMatch> matches =
        fields::MatchPath(row.path, [](QStringView, int) { return true; });
    const auto match = std::find_if(matches.begin(), matches.end(), [&](const fields::PathMatch& m) {
        return m.field == row.description && !m.named;
    });
    if (match == matches.end()) {
        return row.path;
    }
    QList<QString> open;
    for (const QStringView range : match->open) {
        open.append(range.toString());
    }
    return fields::PathWith(*row.description, true, open);
}

// A JSON value as text: a string quoted and escaped, a number, or null.
QString json(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.sliced(1, array.size() - 2));
}

QString number(const std::optional<qint64>& value) {
    return value ? QString::number(*value) : QStringLiteral("null");
}

}  // namespace

std::vector<FieldRow> FieldRows() {
    std::vector<FieldRow> rows;
    for (const fields::Description& d : fields::Descriptions()) {
        rows.push_back(rowFor(d));
        rows.back().name = namedPath(rows.back());
    }
    return rows;
}

QString FieldsJson(const std::optional<QString>& table) {
    // Written by hand: the keys keep this order, which a QJsonObject would sort.
    QStringList objects;
    for (const FieldRow& row : FieldRows()) {
        if (table && row.table != *table) {
            continue;
        }
        const qsizetype dots = row.range.indexOf(QStringLiteral(".."));
        const bool numeric = !row.width.startsWith(u"text");
        const fields::Description& d = *row.description;
        const bool fixedDialog = d.check == fields::Check::Range;
        const std::optional<qint64> none;
        objects.append(
            QStringLiteral("  {\"path\": %1, \"name\": %2, \"width\": %3, \"min\": %4, \"max\": %5, "
                           "\"dialogMin\": %6, \"dialogMax\": %7, \"japanese\": %8, \"english\": %9}")
                .arg(json(row.path), json(row.name), json(row.width),
                     number(numeric ? std::optional(row.range.first(dots).toLongLong()) : none),
                     number(numeric ? std::optional(row.range.sliced(dots + 2).toLongLong()) : none),
                     number(fixedDialog ? std::optional(d.range.minimum) : none),
                     number(fixedDialog ? std::optional(d.range.maximum) : none), json(row.japanese),
                     json(row.english)));
    }
    return QStringLiteral("[\n") + objects.join(QStringLiteral(",\n")) + QStringLiteral("\n]\n");
}

QStringList FieldTables() {
    QStringList tables;
    for (const FieldRow& row : FieldRows()) {
        if (!tables.contains(row.table)) {
            tables.append(row.table);
        }
    }
    return tables;
}

QString FieldsText(const std::optional<QString>& table) {
    QString text = texts::fieldsHeading() + QLatin1Char('\n');
    for (const FieldRow& row : FieldRows()) {
        if (!table || row.table == *table) {
            text +=
                QStringList{row.name, row.path, row.width, row.range, row.dialog, row.japanese, row.english}
                    .join(u'\t') +
                QLatin1Char('\n');
        }
    }
    return text;
}

QString FieldsMarkdown() {
    QString text = texts::fieldsDocumentIntro(kDumpFormatVersion);
    QString section;
    for (const FieldRow& row : FieldRows()) {
        const bool block = fields::IsRecordTable(row.table) && row.table != u"ScienceWeapon";
        const QString rowSection = block ? row.table : QStringLiteral("SaveHeader");
        if (rowSection != section) {
            section = rowSection;
            text += QStringLiteral("\n## %1\n\n").arg(section) + texts::fieldsTableHeading();
        }
        text += QStringLiteral("| `%1` | `%2` | %3 | %4 | %5 | %6 | %7 |\n")
                    .arg(row.path, row.name, row.width, row.range, row.dialog, row.japanese, row.english);
    }
    return text;
}

}  // namespace korven::cli
