#include "mainwindow/RecentMenu.h"

#include "mainwindow/MainWindowTexts.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace korven::mainwindow {

std::vector<QAction*> AddRecentEntries(QMenu* menu, int count, const std::function<void(int)>& open) {
    std::vector<QAction*> entries;
    for (int i = 0; i < count; ++i) {
        QAction* entry = menu->addAction(QString());
        entry->setObjectName(QStringLiteral("mnuFileRecent_%1").arg(i));
        QObject::connect(entry, &QAction::triggered, menu, [open, i] { open(i); });
        entries.push_back(entry);
    }
    return entries;
}

void ShowRecentEntries(const std::vector<QAction*>& entries, QAction* bar, const QStringList& paths) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QString path = paths.value(static_cast<qsizetype>(i));
        QAction* a = entries[i];
        // A path may hold '&', which a menu caption would take for a mnemonic.
        a->setText(texts::menuFileRecent(static_cast<int>(i) + 1,
                                         QString(path).replace(u'&', QStringLiteral("&&"))));
        a->setToolTip(QDir::toNativeSeparators(path));
        a->setVisible(!path.isEmpty());
        // A hidden action still counts among the menu's items for screen readers, which would
        // read out empty entries: only the entries in use are in the menu.
        auto* menu = qobject_cast<QMenu*>(a->parent());
        if (path.isEmpty()) {
            menu->removeAction(a);
        } else if (!menu->actions().contains(a)) {
            menu->insertAction(bar, a);
        }
    }
    bar->setVisible(!paths.isEmpty());
}

}  // namespace korven::mainwindow
