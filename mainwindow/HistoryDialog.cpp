#include "mainwindow/HistoryDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QUndoView>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

void ShowHistory(QUndoStack& history, QWidget* owner) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmHistory"));
    dialog.setWindowTitle(mt::historyCaption());
    auto* view = new QUndoView(&history, &dialog);
    view->setObjectName(QStringLiteral("lstHistory"));
    view->setEmptyLabel(mt::historyOpened());
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* close = buttons->addButton(mt::closeButton(), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(360, 320);
    dialog.exec();
}

}  // namespace korven
