#include "mainwindow/TableText.h"

#include <QRegularExpression>

namespace korven::mainwindow {
namespace {

// Names come from the save, and a save may come from someone else: a spreadsheet runs a cell
// that starts like a formula, so such a cell gets a leading apostrophe and stays text.
// Numbers, negative ones too, stay numbers.
QString inert(const QString& cell) {
    static const QRegularExpression number(QStringLiteral("\\A[+-]?[0-9]+(\\.[0-9]+)?\\z"));
    const bool formulaLike = !cell.isEmpty() && QStringView(u"=+-@\t\r").contains(cell.front());
    return formulaLike && !number.match(cell).hasMatch() ? u'\'' + cell : cell;
}

QString flattened(QString cell) {
    cell = inert(cell);
    for (QChar& c : cell) {
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            c = u' ';
        }
    }
    return cell;
}

QString quoted(const QString& raw) {
    const QString cell = inert(raw);
    const bool needsQuotes =
        cell.contains(u',') || cell.contains(u'"') || cell.contains(u'\n') || cell.contains(u'\r');
    if (!needsQuotes) {
        return cell;
    }
    return u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Each row's cells in their written form, joined by `separator`, each line ended by `lineEnd`.
template <typename CellForm>
QString joined(const std::vector<QStringList>& rows, CellForm form, QChar separator, const QString& lineEnd) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row) {
            cells.append(form(cell));
        }
        text += cells.join(separator) + lineEnd;
    }
    return text;
}

}  // namespace

QString TabSeparated(const std::vector<QStringList>& rows) {
    return joined(rows, flattened, u'\t', QStringLiteral("\n"));
}

QByteArray CommaSeparated(const std::vector<QStringList>& rows) {
    return QByteArrayLiteral("\xEF\xBB\xBF") + joined(rows, quoted, u',', QStringLiteral("\r\n")).toUtf8();
}

}  // namespace korven::mainwindow
