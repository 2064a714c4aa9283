#include "mainwindow/SavesDialog.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/NaturalOrder.h"
#include "mainwindow/SaveListingTask.h"
#include "model/ModelTexts.h"

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

enum Column { FileName, SaveName, Scenario, CurrentTurn, Modified };

// Sorts file names as a player counts them and times by time, not by their text.
class SaveItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : FileName;
        if (column == FileName) {
            return NaturalLess(text(FileName), other.text(FileName));
        }
        if (column == Modified) {
            return data(Modified, Qt::UserRole).toDateTime() <
                   other.data(Modified, Qt::UserRole).toDateTime();
        }
        return QTreeWidgetItem::operator<(other);
    }
};

QTreeWidgetItem* itemOf(const SaveEntry& save, const QColor& problemColour) {
    const QString turn =
        save.turn ? mt::saveTurn(save.turn->year, save.turn->month, save.turn->turn) : QString();
    auto* item = new SaveItem(
        QStringList{QFileInfo(save.path).fileName(), save.problem.isEmpty() ? save.saveName : save.problem,
                    save.scenario, turn, save.modified.toString(mt::backupTimeFormat())});
    item->setData(FileName, Qt::UserRole, save.path);
    item->setData(Modified, Qt::UserRole, save.modified);
    item->setToolTip(FileName, save.path);
    if (!save.problem.isEmpty()) {
        item->setForeground(SaveName, problemColour);
        item->setToolTip(SaveName, save.problem);
    }
    return item;
}

// Room for each column's longest usual text, so that the list's default size shows them all
// without reading every row first.
void sizeColumns(QTreeWidget* list) {
    const QFontMetrics metrics(list->font());
    const QString samples[] = {
        QStringLiteral("SaveFile10.SAVE"),
        korven::texts::notASaveFile(),
        QStringLiteral("ＭＭＭＭＭＭＭＭＭＭ"),  // a title of 21 bytes: ten full-width letters
        mt::saveTurn(1945, 12, 10),
        QDateTime(QDate(2000, 12, 31), QTime(23, 59, 59)).toString(mt::backupTimeFormat()),
    };
    for (int c = 0; c < list->columnCount(); ++c) {
        const int header = list->header()->fontMetrics().horizontalAdvance(list->headerItem()->text(c));
        list->setColumnWidth(c, std::max(metrics.horizontalAdvance(samples[c]), header) + 24);
    }
}

// In the list's order, the upper row first.
QStringList selectedPaths(const QTreeWidget* list) {
    QStringList paths;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        if (list->topLevelItem(i)->isSelected()) {
            paths.append(list->topLevelItem(i)->data(FileName, Qt::UserRole).toString());
        }
    }
    return paths;
}

}  // namespace

std::optional<QStringList> ChooseSaves(const QString& folder, const std::function<HeldSave()>& held,
                                       QWidget* owner) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmSaves"));
    dialog.setWindowTitle(mt::savesCaption());
    auto* label = new QLabel(mt::savesIn(QDir::toNativeSeparators(folder)), &dialog);
    label->setObjectName(QStringLiteral("lblSaves"));
    label->setWordWrap(true);

    auto* view = new QTreeWidget(&dialog);
    view->setObjectName(QStringLiteral("lstSaves"));
    view->setAccessibleName(mt::savesCaption());
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setHeaderLabels({mt::colSaveFileName(), mt::colSaveName(), mt::colSaveScenario(), mt::colSaveTurn(),
                           mt::colSaveModified()});
    view->header()->setStretchLastSection(false);
    view->sortByColumn(FileName, Qt::AscendingOrder);
    sizeColumns(view);

    auto* status = new QLabel(&dialog);
    status->setObjectName(QStringLiteral("lblSavesStatus"));
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* open = buttons->addButton(mt::savesOpenButton(), QDialogButtonBox::ActionRole);
    open->setObjectName(QStringLiteral("cmdOpen"));
    QPushButton* compare = buttons->addButton(mt::savesCompareButton(), QDialogButtonBox::ActionRole);
    compare->setObjectName(QStringLiteral("cmdCompare"));
    QPushButton* refresh = buttons->addButton(mt::savesRefreshButton(), QDialogButtonBox::ActionRole);
    refresh->setObjectName(QStringLiteral("cmdRefresh"));
    QPushButton* cancel = buttons->addButton(mt::savesCancelButton(), QDialogButtonBox::ActionRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addButton(mt::closeButton(), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdClose"));

    // Declared after the dialog, so it ends first: closing stops the listing and its thread.
    SaveListingTask task;
    const QColor problemColour = view->palette().color(QPalette::Disabled, QPalette::Text);
    QObject::connect(&task, &SaveListingTask::rowsRead, view, [=](const std::vector<SaveEntry>& rows) {
        QList<QTreeWidgetItem*> items;
        items.reserve(qsizetype(rows.size()));
        for (const SaveEntry& save : rows) {
            items.append(itemOf(save, problemColour));
        }
        view->addTopLevelItems(items);
    });
    QObject::connect(&task, &SaveListingTask::progress, status, [=](qsizetype done, qsizetype total) {
        status->setText(mt::savesReading(done, total));
    });
    QObject::connect(&task, &SaveListingTask::finished, &dialog,
                     [=](bool cancelled, qsizetype done, qsizetype total) {
                         status->setText(cancelled ? mt::savesCancelled(done, total)
                                                   : mt::savesListed(view->topLevelItemCount()));
                         cancel->setEnabled(false);
                         view->setSortingEnabled(true);
                     });
    // A save that changed on disk shows as it is now.
    auto reread = [&] {
        // Rows come in the order of their names; sorting each batch into place would cost
        // the window more than reading them.
        view->setSortingEnabled(false);
        view->clear();
        status->setText(mt::savesReading(0, 0));
        cancel->setEnabled(true);
        task.start(folder, held());
    };

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
        chosen = QStringList{item->data(FileName, Qt::UserRole).toString()};
        dialog.accept();
    });
    QObject::connect(open, &QPushButton::clicked, &dialog, [&] { choose(1); });
    QObject::connect(compare, &QPushButton::clicked, &dialog, [&] { choose(2); });
    QObject::connect(cancel, &QPushButton::clicked, &task, &SaveListingTask::cancel);
    auto* rereadAction = new QAction(&dialog);
    rereadAction->setShortcut(QKeySequence(Qt::Key_F5));
    dialog.addAction(rereadAction);
    QObject::connect(rereadAction, &QAction::triggered, &dialog, reread);
    QObject::connect(refresh, &QPushButton::clicked, rereadAction, &QAction::trigger);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(view);
    layout->addWidget(status);
    layout->addWidget(buttons);
    int width = 0;
    for (int c = 0; c < view->columnCount(); ++c) {
        width += view->columnWidth(c);
    }
    dialog.resize(std::max(720, width + 48), 440);
    reread();
    dialog.exec();
    return chosen;
}

}  // namespace korven
