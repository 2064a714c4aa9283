#include "mainwindow/SavesDialog.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/SaveListModel.h"
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
#include <QTreeView>
#include <QVBoxLayout>

namespace korven {

using namespace mainwindow;
namespace mt = mainwindow::texts;

namespace {

// Room for each column's longest usual text, so that the list's default size shows them all
// without reading every row first.
void sizeColumns(QTreeView* list) {
    const QFontMetrics metrics(list->font());
    const QString samples[] = {
        QStringLiteral("SaveFile10.SAVE"),
        korven::texts::notASaveFile(),
        QStringLiteral("ＭＭＭＭＭＭＭＭＭＭ"),  // a title of 21 bytes: ten full-width letters
        mt::saveTurn(1945, 12, 10),
        QDateTime(QDate(2000, 12, 31), QTime(23, 59, 59)).toString(mt::backupTimeFormat()),
    };
    for (int c = 0; c < SaveListModel::ColumnCount; ++c) {
        const QString title = list->model()->headerData(c, Qt::Horizontal).toString();
        const int header = list->header()->fontMetrics().horizontalAdvance(title);
        list->setColumnWidth(c, std::max(metrics.horizontalAdvance(samples[c]), header) + 24);
    }
}

// In the list's order, the upper row first.
QStringList selectedPaths(const QTreeView* list, const SaveListModel* rows) {
    QModelIndexList selected = list->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end());
    QStringList paths;
    for (const QModelIndex& index : selected) {
        paths.append(rows->pathAt(index.row()));
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

    auto* view = new QTreeView(&dialog);
    auto* rows = new SaveListModel(view->palette().color(QPalette::Disabled, QPalette::Text), view);
    view->setModel(rows);
    view->setObjectName(QStringLiteral("lstSaves"));
    view->setAccessibleName(mt::savesCaption());
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Sorting is the header's, not the view's: the rows come in the order of their names
    // already, and sorting 20 000 of them again when the listing ends would stall the window.
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(SaveListModel::FileName, Qt::AscendingOrder);
    QObject::connect(header, &QHeaderView::sortIndicatorChanged, rows, &SaveListModel::sort);
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
    QObject::connect(&task, &SaveListingTask::rowsRead, rows, &SaveListModel::append);
    QObject::connect(&task, &SaveListingTask::progress, status, [=](qsizetype done, qsizetype total) {
        status->setText(mt::savesReading(done, total));
    });
    QObject::connect(
        &task, &SaveListingTask::finished, &dialog, [=](bool cancelled, qsizetype done, qsizetype total) {
            status->setText(cancelled ? mt::savesCancelled(done, total) : mt::savesListed(rows->rowCount()));
            cancel->setEnabled(false);
            view->header()->setSectionsClickable(true);
        });
    // A save that changed on disk shows as it is now.
    auto reread = [&] {
        // Rows come in the order of their names; sorting each batch into place would cost
        // the window more than reading them, so the header sorts only a finished list.
        view->header()->setSectionsClickable(false);
        rows->clear();
        view->header()->setSortIndicator(SaveListModel::FileName, Qt::AscendingOrder);
        status->setText(mt::savesReading(0, 0));
        cancel->setEnabled(true);
        task.start(folder, held());
    };

    std::optional<QStringList> chosen;
    auto choose = [&](int count) {
        const QStringList paths = selectedPaths(view, rows);
        if (paths.size() == count) {
            chosen = paths;
            dialog.accept();
        }
    };
    auto follow = [=] {
        const qsizetype selected = view->selectionModel()->selectedRows().size();
        open->setEnabled(selected == 1);
        compare->setEnabled(selected == 2);
    };
    follow();
    QObject::connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, &dialog, follow);
    QObject::connect(view, &QTreeView::doubleClicked, &dialog, [&](const QModelIndex& index) {
        chosen = QStringList{rows->pathAt(index.row())};
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
    for (int c = 0; c < SaveListModel::ColumnCount; ++c) {
        width += view->columnWidth(c);
    }
    dialog.resize(std::max(720, width + 48), 440);
    reread();
    dialog.exec();
    return chosen;
}

}  // namespace korven
