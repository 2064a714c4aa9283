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

void ShowHistory(QUndoStack& history, QWidget* owner, const std::function<void(int step)>& open) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmHistory"));
    dialog.setWindowTitle(mt::historyCaption());
    auto* view = new QUndoView(&history, &dialog);
    view->setObjectName(QStringLiteral("lstHistory"));
    view->setEmptyLabel(mt::historyOpened());
    view->setCleanIcon(dialog.style()->standardIcon(QStyle::SP_DialogSaveButton));
    // The first row is the file as opened; step n is row n + 1.
    int chosen = -1;
    QObject::connect(view, &QUndoView::doubleClicked, &dialog, [&](const QModelIndex& index) {
        if (open && index.row() > 0) {
            chosen = index.row() - 1;
            dialog.accept();
        }
    });
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* close = buttons->addButton(mt::closeButton(), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(360, 320);
    dialog.exec();
    if (chosen >= 0) {
        open(chosen);
    }
}

}  // namespace korven
