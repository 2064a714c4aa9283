#include "platform/UiServices.h"

#include "platform/FileDialogColumns.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLayout>
#include <QMessageBox>
#include <QWidget>

namespace korven {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Yes:
            return QMessageBox::Yes;
        case MessageAnswer::No:
            return QMessageBox::No;
        case MessageAnswer::Cancel:
            return QMessageBox::Cancel;
        case MessageAnswer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

QWidget* activeOwner() {
    return QApplication::activeWindow();
}

class QtUiServices final : public UiServices {
public:
    MessageAnswer show(const Message& message) override {
        QWidget* owner = activeOwner();
        QMessageBox box(toQt(message.icon),
                        message.title.isEmpty()
                            ? (owner ? owner->windowTitle() : QApplication::applicationName())
                            : message.title,
                        message.text, QMessageBox::NoButton, owner);
        switch (message.buttons) {
            case MessageButtons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case MessageButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case MessageButtons::YesNoCancel:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
        }
        // The buttons' Japanese captions come from Qt's translation (InstallQtTranslation).
        box.setDefaultButton(toQt(message.defaultAnswer));
        switch (box.exec()) {
            case QMessageBox::Yes:
                return MessageAnswer::Yes;
            case QMessageBox::No:
                return MessageAnswer::No;
            case QMessageBox::Cancel:
                return MessageAnswer::Cancel;
            default:
                break;
        }
        // Closing a Yes/No box through its frame counts as its safe answer.
        return message.buttons == MessageButtons::Ok      ? MessageAnswer::Ok
               : message.buttons == MessageButtons::YesNo ? MessageAnswer::No
                                                          : MessageAnswer::Cancel;
    }

    void beep() override { QApplication::beep(); }

    std::optional<OpenFileChoice> getOpenFile(QWidget* owner, const FileDialogOptions& options) override {
        QFileDialog dialog(owner, options.caption, options.directory, options.filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        // Qt's own dialog, so that the read-only check box can be added to it.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        UseProgramLocaleForColumns(dialog);
        // The filter names carry their patterns already, as the program words them.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        QCheckBox* readOnly = nullptr;
        if (options.showReadOnlyBox) {
            readOnly = new QCheckBox(QStringLiteral("読み取り専用で開く(&R)"), &dialog);
            if (auto* layout = dialog.layout()) {
                layout->addWidget(readOnly);
            }
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return OpenFileChoice{dialog.selectedFiles().constFirst(),
                              readOnly != nullptr && readOnly->isChecked()};
    }

    std::optional<QString> getSaveFile(QWidget* owner, const FileDialogOptions& options) override {
        QFileDialog dialog(owner, options.caption, options.directory, options.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(options.defaultSuffix);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        UseProgramLocaleForColumns(dialog);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        return dialog.selectedFiles().constFirst();
    }

    QString browseForFolder(QWidget* owner, const QString& title) override {
        QFileDialog dialog(owner, title);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        UseProgramLocaleForColumns(dialog);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return {};
        }
        return dialog.selectedFiles().constFirst();
    }

    QPixmap loadPicture(const QString& path) override {
        QImageReader reader(path);
        return QPixmap::fromImage(reader.read());
    }
};

UiServices*& current() {
    static QtUiServices qtServices;
    static UiServices* services = &qtServices;
    return services;
}

}  // namespace

UiServices& ui() {
    return *current();
}

ScopedUiServices::ScopedUiServices(UiServices& services) : m_previous(current()) {
    current() = &services;
}

ScopedUiServices::~ScopedUiServices() {
    current() = m_previous;
}

}  // namespace korven
