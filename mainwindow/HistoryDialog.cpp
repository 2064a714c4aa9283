#include "mainwindow/HistoryDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStyle>
#include <QUndoView>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

HistoryDialog::HistoryDialog(QUndoStack& history, bool canOpen, QWidget* owner,
                             const std::function<void(int step, QWidget* owner)>& saveRecipe)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(mt::historyCaption());
    auto* view = new QUndoView(&history, this);
    view->setObjectName(QStringLiteral("lstHistory"));
    view->setEmptyLabel(mt::historyOpened());
    view->setCleanIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    // The first row is the file as opened; step n is row n + 1.
    connect(view, &QUndoView::doubleClicked, this, [this, canOpen](const QModelIndex& index) {
        if (canOpen && index.row() > 0) {
            m_chosen = index.row() - 1;
            accept();
        }
    });
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(mt::closeButton(), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    if (saveRecipe) {
        QPushButton* recipe = buttons->addButton(mt::saveAsRecipeButton(), QDialogButtonBox::ActionRole);
        recipe->setObjectName(QStringLiteral("cmdSaveRecipe"));
        connect(recipe, &QPushButton::clicked, this,
                [this, view, saveRecipe] { saveRecipe(view->currentIndex().row() - 1, this); });
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    resize(360, 320);
}

void ShowHistory(QUndoStack& history, QWidget* owner, const std::function<void(int step)>& open,
                 const std::function<void(int step, QWidget* owner)>& saveRecipe) {
    HistoryDialog dialog(history, static_cast<bool>(open), owner, saveRecipe);
    dialog.exec();
    if (dialog.chosenStep() >= 0) {
        open(dialog.chosenStep());
    }
}

}  // namespace korven
