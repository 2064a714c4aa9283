#include "mainwindow/FileFilter.h"

#include <QStringList>

namespace korven::mainwindow {

QString DialogFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& name = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        if (patterns == u"*.*") {
            patterns = QStringLiteral("*");
        }
        // The dialog reads the patterns from the last parentheses and, hiding the details,
        // shows what comes before them.
        entries.append(name + QStringLiteral(" (") + patterns + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace korven::mainwindow
