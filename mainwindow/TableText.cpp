#include "mainwindow/TableText.h"

namespace korven::mainwindow {
namespace {

QString flattened(QString cell) {
    for (QChar& c : cell) {
        if (c == u'\t' || c == u'\n' || c == u'\r') {
            c = u' ';
        }
    }
    return cell;
}

QString quoted(const QString& cell) {
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
