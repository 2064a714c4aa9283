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

}  // namespace

QString TabSeparated(const std::vector<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row) {
            cells.append(flattened(cell));
        }
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

QByteArray CommaSeparated(const std::vector<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString& cell : row) {
            cells.append(quoted(cell));
        }
        text += cells.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

}  // namespace korven::mainwindow
