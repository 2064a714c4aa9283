#include "mainwindow/ChangesDialog.h"

#include "mainwindow/MainWindowTexts.h"

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

QTreeWidget* changeList(const std::vector<mainwindow::ChangeRow>& rows, ChangesPurpose purpose,
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
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const mainwindow::ChangeRow& row : rows) {
        items.append(new QTreeWidgetItem(
            QStringList{row.category, row.record, row.field, row.before, row.after, row.path}));
    }
    list->addTopLevelItems(items);
    // Room beyond the widest text for the focus frame and the sort of spacing a header wants.
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        list->setColumnWidth(c, list->columnWidth(c) + 16);
    }
    return list;
}

}  // namespace

bool ShowChanges(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                 ChangesPurpose purpose, QWidget* owner) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmChanges"));
    dialog.setWindowTitle(caption);
    auto* label = new QLabel(summary(static_cast<int>(rows.size()), purpose), &dialog);
    label->setObjectName(QStringLiteral("lblSummary"));
    QTreeWidget* list = changeList(rows, purpose, &dialog);

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
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace korven
