#include "platform/FileDialogColumns.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

namespace korven {
namespace {

// QFileSystemModel's column order.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

class ProgramLocaleColumns final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr ||
            (index.column() != kSizeColumn && index.column() != kDateColumn)) {
            return QIdentityProxyModel::data(index, role);
        }
        const QModelIndex source = mapToSource(index);
        const QLocale locale;
        if (index.column() == kDateColumn) {
            return locale.toString(files->lastModified(source), QLocale::ShortFormat);
        }
        // Folders and drives show no size; keep whatever the model says for them.
        return files->isDir(source) ? QIdentityProxyModel::data(index, role)
                                    : QVariant(locale.formattedDataSize(files->size(source)));
    }
};

}  // namespace

void UseProgramLocaleForColumns(QFileDialog& dialog) {
    // Setting a model resets the detail view's column widths; keep the dialog's own.
    auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    const QByteArray widths = details != nullptr ? details->header()->saveState() : QByteArray();
    dialog.setProxyModel(new ProgramLocaleColumns(&dialog));
    if (details != nullptr) {
        details->header()->restoreState(widths);
    }
}

}  // namespace korven
