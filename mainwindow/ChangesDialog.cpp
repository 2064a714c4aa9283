#include "mainwindow/ChangesDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
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
    // Columns fit the rows in view and the first hundred: measuring every text of a batch
    // over all ships at each keystroke costs more than a frame, and the rows look alike.
    list->header()->setResizeContentsPrecision(100);
    FillChangeList(list, rows);
    // Room beyond the widest text for the focus frame and the sort of spacing a header wants.
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        list->setColumnWidth(c, list->columnWidth(c) + 16);
    }
    return list;
}

ChangesDialog::ChangesDialog(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                             ChangesPurpose purpose, const ChangesActions& actions, QWidget* owner)
    : QDialog(owner), m_purpose(purpose), m_actions(actions), m_shown(rows) {
    setObjectName(QStringLiteral("frmChanges"));
    setWindowTitle(caption);
    m_summary = new QLabel(summary(static_cast<int>(rows.size()), purpose), this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    m_list = NewChangeList(rows, purpose, this);
    if (m_actions.open) {
        connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ChangesDialog::openRow);
    }
    if (m_actions.apply) {
        auto* command = new QAction(m_actions.caption, m_list);
        command->setObjectName(QStringLiteral("mnuChangeApply"));
        m_list->setContextMenuPolicy(Qt::ActionsContextMenu);
        m_list->addAction(command);
        connect(command, &QAction::triggered, this, &ChangesDialog::applyToChosenRows);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list);
    addButtons();
    // Wide enough for every column, the other file's value and the path included, as far as
    // the screen allows.
    int columns = 0;
    for (int c = 0; c < m_list->columnCount(); ++c) {
        columns += m_list->columnWidth(c);
    }
    const QMargins margins = layout->contentsMargins();
    const int wanted = columns + 2 * m_list->frameWidth() + margins.left() + margins.right() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    resize(std::min(std::max(wanted, 640), screen()->availableGeometry().width() * 9 / 10), 400);
}

void ChangesDialog::addButtons() {
    auto* buttons = new QDialogButtonBox(this);
    if (m_purpose == ChangesPurpose::BeforeSave) {
        QPushButton* save = buttons->addButton(mt::saveButton(), QDialogButtonBox::AcceptRole);
        save->setObjectName(QStringLiteral("cmdSave"));
        save->setDefault(true);
        buttons->addButton(mt::cancelButton(), QDialogButtonBox::RejectRole)
            ->setObjectName(QStringLiteral("cmdCancel"));
    } else {
        buttons->addButton(mt::closeButton(), QDialogButtonBox::AcceptRole)
            ->setObjectName(QStringLiteral("cmdClose"));
    }
    if (m_actions.saveRecipe) {
        QPushButton* recipe = buttons->addButton(mt::saveAsRecipeButton(), QDialogButtonBox::ActionRole);
        recipe->setObjectName(QStringLiteral("cmdSaveRecipe"));
        connect(recipe, &QPushButton::clicked, this, &ChangesDialog::saveChosenRowsAsRecipe);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
}

void ChangesDialog::saveChosenRowsAsRecipe() {
    std::vector<mainwindow::ChangeRow> picked;
    for (const QTreeWidgetItem* item : m_list->selectedItems()) {
        picked.push_back(rowOf(item));
    }
    m_actions.saveRecipe(picked.empty() ? m_shown : picked, this);
}

const mainwindow::ChangeRow& ChangesDialog::rowOf(const QTreeWidgetItem* item) const {
    return m_shown[item->data(0, Qt::UserRole).toULongLong()];
}

void ChangesDialog::openRow(const QTreeWidgetItem* item) {
    const std::optional<RecordKey> key = rowOf(item).key;
    if (!key) {
        return;
    }
    m_actions.open(*key);
    if (m_actions.rows) {
        showRows(m_actions.rows());
    }
}

void ChangesDialog::showRows(std::vector<mainwindow::ChangeRow> rows) {
    m_shown = std::move(rows);
    FillChangeList(m_list, m_shown);
    m_summary->setText(summary(static_cast<int>(m_shown.size()), m_purpose));
}

void ChangesDialog::applyToChosenRows() {
    std::vector<mainwindow::ChangeRow> picked;
    const QList<QTreeWidgetItem*> selected = m_actions.oneRow && m_list->currentItem() != nullptr
                                                 ? QList{m_list->currentItem()}
                                                 : m_list->selectedItems();
    for (const QTreeWidgetItem* item : selected) {
        picked.push_back(rowOf(item));
    }
    if (picked.empty()) {
        return;
    }
    showRows(m_actions.apply(picked));
}

bool ShowChanges(const std::vector<mainwindow::ChangeRow>& rows, const QString& caption,
                 ChangesPurpose purpose, QWidget* owner, const ChangesActions& actions) {
    ChangesDialog dialog(rows, caption, purpose, actions, owner);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace korven
