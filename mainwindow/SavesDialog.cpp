#include "mainwindow/SavesDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korven {

using namespace mainwindow;
namespace mt = mainwindow::texts;

namespace {

void fill(QTreeWidget* list, const std::vector<SaveEntry>& saves) {
    list->clear();
    for (const SaveEntry& save : saves) {
        const QString turn =
            save.turn ? mt::saveTurn(save.turn->year, save.turn->month, save.turn->turn) : QString();
        auto* item = new QTreeWidgetItem(
            list, {QFileInfo(save.path).fileName(), save.problem.isEmpty() ? save.saveName : save.problem,
                   save.scenario, turn, save.modified.toString(mt::backupTimeFormat())});
        item->setData(0, Qt::UserRole, save.path);
        item->setToolTip(0, save.path);
        if (!save.problem.isEmpty()) {
            item->setForeground(1, list->palette().color(QPalette::Disabled, QPalette::Text));
        }
    }
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        list->setColumnWidth(c, list->columnWidth(c) + 16);
    }
}

// In the list's order, the upper row first.
QStringList selectedPaths(const QTreeWidget* list) {
    QStringList paths;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected()) {
            paths.append(list->topLevelItem(i)->data(0, Qt::UserRole).toString());
        }
    }
    return paths;
}

}  // namespace

std::optional<QStringList> ChooseSaves(const QString& folder,
                                       const std::function<std::vector<SaveEntry>()>& list, QWidget* owner) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmSaves"));
    dialog.setWindowTitle(mt::savesCaption());
    auto* label = new QLabel(mt::savesIn(QDir::toNativeSeparators(folder)), &dialog);
    label->setObjectName(QStringLiteral("lblSaves"));
    label->setWordWrap(true);

    auto* view = new QTreeWidget(&dialog);
    view->setObjectName(QStringLiteral("lstSaves"));
    view->setRootIsDecorated(false);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setHeaderLabels({mt::colSaveFileName(), mt::colSaveName(), mt::colSaveScenario(), mt::colSaveTurn(),
                           mt::colSaveModified()});
    view->header()->setStretchLastSection(false);
    view->setSortingEnabled(true);
    view->sortByColumn(0, Qt::AscendingOrder);
    fill(view, list());

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* open = buttons->addButton(mt::savesOpenButton(), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("cmdOpen"));
    QPushButton* compare = buttons->addButton(mt::savesCompareButton(), QDialogButtonBox::ActionRole);
    compare->setObjectName(QStringLiteral("cmdCompare"));
    QPushButton* refresh = buttons->addButton(mt::savesRefreshButton(), QDialogButtonBox::ActionRole);
    refresh->setObjectName(QStringLiteral("cmdRefresh"));
    buttons->addButton(mt::closeButton(), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdClose"));

    std::optional<QStringList> chosen;
    auto choose = [&](int count) {
        const QStringList paths = selectedPaths(view);
        if (paths.size() == count) {
            chosen = paths;
            dialog.accept();
        }
    };
    auto follow = [=] {
        const qsizetype selected = view->selectedItems().size();
        open->setEnabled(selected == 1);
        compare->setEnabled(selected == 2);
    };
    follow();
    QObject::connect(view, &QTreeWidget::itemSelectionChanged, &dialog, follow);
    QObject::connect(view, &QTreeWidget::itemDoubleClicked, &dialog, [&](QTreeWidgetItem* item) {
        chosen = QStringList{item->data(0, Qt::UserRole).toString()};
        dialog.accept();
    });
    QObject::connect(open, &QPushButton::clicked, &dialog, [&] { choose(1); });
    QObject::connect(compare, &QPushButton::clicked, &dialog, [&] { choose(2); });
    // A save that changed on disk shows as it is now.
    auto* reread = new QAction(&dialog);
    reread->setShortcut(QKeySequence(Qt::Key_F5));
    dialog.addAction(reread);
    QObject::connect(reread, &QAction::triggered, &dialog, [&] { fill(view, list()); });
    QObject::connect(refresh, &QPushButton::clicked, reread, &QAction::trigger);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(720, 400);
    dialog.exec();
    return chosen;
}

}  // namespace korven
