#include "mainwindow/HistoryDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QUndoStack>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

HistoryDialog::HistoryDialog(QUndoStack& history, std::function<void(int step)> open, QWidget* owner,
                             const std::function<void(int step, QWidget* owner)>& saveRecipe)
    : QDialog(owner),
      m_history(history),
      m_open(std::move(open)),
      m_list(new QListWidget(this)),
      m_moveHere(new QPushButton(mt::historyMoveHere(), this)) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(mt::historyCaption());
    m_list->setObjectName(QStringLiteral("lstHistory"));
    m_list->setAccessibleName(mt::historyCaption());
    m_list->installEventFilter(this);
    m_moveHere->setObjectName(QStringLiteral("cmdMoveHere"));
    m_moveHere->setAutoDefault(false);
    // Row 0 is the file as opened; row n the state after step n - 1.
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { openRow(index.row()); });
    connect(m_list, &QListWidget::currentRowChanged, this, &HistoryDialog::followChoice);
    connect(m_moveHere, &QPushButton::clicked, this, &HistoryDialog::moveToChosen);
    connect(&m_history, &QUndoStack::indexChanged, this, &HistoryDialog::fill);
    connect(&m_history, &QUndoStack::cleanChanged, this, &HistoryDialog::fill);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_moveHere, QDialogButtonBox::ActionRole);
    if (saveRecipe) {
        QPushButton* recipe = buttons->addButton(mt::saveAsRecipeButton(), QDialogButtonBox::ActionRole);
        recipe->setObjectName(QStringLiteral("cmdSaveRecipe"));
        recipe->setAutoDefault(false);
        connect(recipe, &QPushButton::clicked, this,
                [this, saveRecipe] { saveRecipe(m_list->currentRow() - 1, this); });
    }
    QPushButton* close = buttons->addButton(mt::closeButton(), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(420, 320);
    fill();
    m_list->setCurrentRow(m_history.index());
}

void HistoryDialog::fill() {
    const int chosen = m_list->currentRow();
    m_list->clear();
    const QIcon saved = style()->standardIcon(QStyle::SP_DialogSaveButton);
    for (int row = 0; row <= m_history.count(); ++row) {
        auto* item = new QListWidgetItem(row == 0 ? mt::historyOpened() : m_history.text(row - 1), m_list);
        QString spoken = item->text();
        // The saved state is told in words too, not by its icon alone.
        if (row == m_history.cleanIndex()) {
            item->setIcon(saved);
            spoken = mt::historySavedPoint(spoken);
        }
        if (row == m_history.index()) {
            QFont font = item->font();
            font.setBold(true);
            item->setFont(font);
            spoken = mt::historyCurrentPoint(spoken);
        }
        item->setData(Qt::AccessibleTextRole, spoken);
    }
    m_list->setCurrentRow(std::min(chosen, m_list->count() - 1));
    followChoice();
}

void HistoryDialog::followChoice() {
    const int row = m_list->currentRow();
    m_moveHere->setEnabled(row >= 0 && row != m_history.index());
}

void HistoryDialog::moveToChosen() {
    if (m_list->currentRow() >= 0) {
        m_history.setIndex(m_list->currentRow());
    }
}

void HistoryDialog::openRow(int row) {
    if (m_open && row > 0) {
        m_open(row - 1);
    }
}

bool HistoryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openRow(m_list->currentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ShowHistory(QUndoStack& history, QWidget* owner, const std::function<void(int step)>& open,
                 const std::function<void(int step, QWidget* owner)>& saveRecipe) {
    HistoryDialog dialog(history, open, owner, saveRecipe);
    dialog.exec();
}

}  // namespace korven
