#include "mainwindow/ChangesDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

namespace {

QString summary(int count, ChangesPurpose purpose) {
    if (purpose == ChangesPurpose::Compare) {
        return count == 0 ? mt::noDifferences() : mt::differenceCount(count);
    }
    QString text = count == 0 ? mt::noChanges() : mt::changeCount(count);
    if (purpose == ChangesPurpose::BeforeSave) {
        text += u'\n' + mt::saveQuestionAfterReview();
    }
    return text;
}

}  // namespace

void FillChangeList(QTreeWidget* list, const std::vector<mainwindow::ChangeRow>& rows) {
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const mainwindow::ChangeRow& row : rows) {
        auto* item = new QTreeWidgetItem(
            QStringList{row.category, row.record, row.field, row.before, row.after, row.path});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(items.size()));
        items.append(item);
    }
    list->addTopLevelItems(items);
}

QTreeWidget* NewChangeList(const std::vector<mainwindow::ChangeRow>& rows, ChangesPurpose purpose,
                           QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("lstChanges"));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    const bool compare = purpose == ChangesPurpose::Compare;
    list->setHeaderLabels({mt::colChangeCategory(), mt::colChangeRecord(), mt::colChangeField(),
                           compare ? mt::colCompareOpen() : mt::colChangeBefore(),
                           compare ? mt::colCompareOther() : mt::colChangeAfter(), mt::colChangePath()});
    FillChangeList(list, rows);
    // Room beyond the widest text for the focus frame and the sort of spacing a header wants.
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        list->setColumnWidth(c, list->columnWidth(c) + 16);
    }
    return list;
}

bool ShowChanges(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                 ChangesPurpose purpose, QWidget* owner, const ChangesActions& actions) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmChanges"));
    dialog.setWindowTitle(caption);
    auto* label = new QLabel(summary(static_cast<int>(rows.size()), purpose), &dialog);
    label->setObjectName(QStringLiteral("lblSummary"));
    QTreeWidget* list = NewChangeList(rows, purpose, &dialog);
    std::vector<mainwindow::ChangeRow> shown = rows;
    auto rowOf = [&shown](const QTreeWidgetItem* item) -> const mainwindow::ChangeRow& {
        return shown[item->data(0, Qt::UserRole).toULongLong()];
    };
    std::optional<RecordKey> chosen;
    if (actions.open) {
        QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, [&](QTreeWidgetItem* item) {
            if (rowOf(item).key) {
                chosen = rowOf(item).key;
                dialog.done(QDialog::Rejected);
            }
        });
    }
    if (actions.apply) {
        auto* command = new QAction(actions.caption, list);
        command->setObjectName(QStringLiteral("mnuChangeApply"));
        list->setContextMenuPolicy(Qt::ActionsContextMenu);
        list->addAction(command);
        QObject::connect(command, &QAction::triggered, &dialog, [&] {
            std::vector<mainwindow::ChangeRow> picked;
            const QList<QTreeWidgetItem*> selected = actions.oneRow && list->currentItem() != nullptr
                                                         ? QList{list->currentItem()}
                                                         : list->selectedItems();
            for (const QTreeWidgetItem* item : selected) {
                picked.push_back(rowOf(item));
            }
            if (picked.empty()) {
                return;
            }
            shown = actions.apply(picked);
            FillChangeList(list, shown);
            label->setText(summary(static_cast<int>(shown.size()), purpose));
        });
    }

    auto* buttons = new QDialogButtonBox(&dialog);
    if (purpose == ChangesPurpose::BeforeSave) {
        QPushButton* save = buttons->addButton(mt::saveButton(), QDialogButtonBox::AcceptRole);
        save->setObjectName(QStringLiteral("cmdSave"));
        save->setDefault(true);
        buttons->addButton(mt::cancelButton(), QDialogButtonBox::RejectRole)
            ->setObjectName(QStringLiteral("cmdCancel"));
    } else {
        buttons->addButton(mt::closeButton(), QDialogButtonBox::AcceptRole)
            ->setObjectName(QStringLiteral("cmdClose"));
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(640, 400);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (chosen) {
        actions.open(*chosen);
    }
    return accepted;
}

}  // namespace korven
