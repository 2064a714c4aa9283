#include "mainwindow/BackupsDialog.h"

#include "mainwindow/MainWindowTexts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace korven {

namespace mt = mainwindow::texts;

std::optional<BackupEntry> ChooseBackup(const std::vector<BackupEntry>& backups, const QString& savePath,
                                        QWidget* owner) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("frmBackups"));
    dialog.setWindowTitle(mt::backupsCaption());
    auto* label = new QLabel(backups.empty() ? mt::noBackups() : mt::backupsOf(savePath), &dialog);
    label->setObjectName(QStringLiteral("lblBackups"));
    label->setWordWrap(true);

    auto* list = new QTreeWidget(&dialog);
    list->setObjectName(QStringLiteral("lstBackups"));
    list->setRootIsDecorated(false);
    list->setHeaderLabels(
        {mt::colBackupTime(), mt::colBackupSize(), mt::colBackupDifferences(), mt::colBackupOrigin()});
    list->header()->setStretchLastSection(false);
    for (const BackupEntry& backup : backups) {
        auto* item = new QTreeWidgetItem(
            list, {backup.time.toString(mt::backupTimeFormat()), mt::backupSize(backup.size),
                   backup.differences ? mt::backupDifferences(*backup.differences) : mt::backupUnreadable(),
                   backup.elsewhere ? mt::backupElsewhere(QDir::toNativeSeparators(backup.origin))
                                    : mt::backupOfThisFile()});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(0, QDir::toNativeSeparators(backup.path));
        item->setToolTip(3, QDir::toNativeSeparators(backup.elsewhere ? backup.origin : savePath));
        // An unreadable backup cannot be restored.
        item->setDisabled(!backup.differences);
    }
    // Room beyond the widest text for the focus frame and the sort of spacing a header wants.
    for (int c = 0; c < list->columnCount(); ++c) {
        list->resizeColumnToContents(c);
        list->setColumnWidth(c, list->columnWidth(c) + 16);
    }

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* restore = buttons->addButton(mt::restoreButton(), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("cmdRestore"));
    restore->setEnabled(false);
    buttons->addButton(mt::closeButton(), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdClose"));
    QObject::connect(list, &QTreeWidget::currentItemChanged, restore,
                     [restore](QTreeWidgetItem* item) { restore->setEnabled(item && !item->isDisabled()); });
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, &dialog, [&dialog](QTreeWidgetItem* item) {
        if (!item->isDisabled()) {
            dialog.accept();
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(640, 360);
    if (dialog.exec() != QDialog::Accepted || list->currentItem() == nullptr) {
        return std::nullopt;
    }
    return backups[static_cast<std::size_t>(list->indexOfTopLevelItem(list->currentItem()))];
}

}  // namespace korven
