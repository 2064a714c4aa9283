#include "cli/FieldList.h"

#include "cli/CliTexts.h"
#include "cli/FieldRef.h"
#include "cli/ModelJson.h"
#include "model/FieldDescriptions.h"
#include "model/RecordFields.h"

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
    FieldRow row{
        table, {}, {}, {}, texts::dialogRule(d), QString::fromUtf8(d.japanese), QString::fromUtf8(d.english)};

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

}  // namespace

std::vector<FieldRow> FieldRows() {
    std::vector<FieldRow> rows;
    for (const fields::Description& d : fields::Descriptions()) {
        rows.push_back(rowFor(d));
    }
    return rows;
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
            text += QStringList{row.path, row.width, row.range, row.dialog, row.japanese, row.english}.join(
                        u'\t') +
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
        text += QStringLiteral("| `%1` | %2 | %3 | %4 | %5 | %6 |\n")
                    .arg(row.path, row.width, row.range, row.dialog, row.japanese, row.english);
    }
    return text;
}

}  // namespace korven::cli
