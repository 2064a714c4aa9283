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

BackupsDialog::BackupsDialog(const std::vector<BackupEntry>& backups, const QString& savePath, QWidget* owner)
    : QDialog(owner), m_backups(backups) {
    setObjectName(QStringLiteral("frmBackups"));
    setWindowTitle(mt::backupsCaption());
    auto* label = new QLabel(backups.empty() ? mt::noBackups() : mt::backupsOf(savePath), this);
    label->setObjectName(QStringLiteral("lblBackups"));
    label->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstBackups"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {mt::colBackupTime(), mt::colBackupSize(), mt::colBackupDifferences(), mt::colBackupOrigin()});
    m_list->header()->setStretchLastSection(false);
    fillList(savePath);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(mt::restoreButton(), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("cmdRestore"));
    restore->setEnabled(false);
    buttons->addButton(mt::closeButton(), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cmdClose"));
    connect(m_list, &QTreeWidget::currentItemChanged, restore,
            [restore](QTreeWidgetItem* item) { restore->setEnabled(item && !item->isDisabled()); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (!item->isDisabled()) {
            accept();
        }
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(640, 360);
}

void BackupsDialog::fillList(const QString& savePath) {
    for (const BackupEntry& backup : m_backups) {
        auto* item = new QTreeWidgetItem(
            m_list, {backup.time.toString(mt::backupTimeFormat()), mt::backupSize(backup.size),
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
    for (int c = 0; c < m_list->columnCount(); ++c) {
        m_list->resizeColumnToContents(c);
        m_list->setColumnWidth(c, m_list->columnWidth(c) + 16);
    }
}

std::optional<BackupEntry> BackupsDialog::selected() const {
    if (m_list->currentItem() == nullptr) {
        return std::nullopt;
    }
    return m_backups[static_cast<std::size_t>(m_list->indexOfTopLevelItem(m_list->currentItem()))];
}

std::optional<BackupEntry> ChooseBackup(const std::vector<BackupEntry>& backups, const QString& savePath,
                                        QWidget* owner) {
    BackupsDialog dialog(backups, savePath, owner);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.selected();
}

}  // namespace korven
