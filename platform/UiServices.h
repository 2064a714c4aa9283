#pragma once

#include "platform/Sinks.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The seam over the toolkit's interactive services: message boxes, the beep, file dialogs,
// the folder browser and pictures. Production uses Qt; tests install a scripted double.
namespace korven {

struct FileDialogOptions {
    QString caption;
    QString filter;         // Qt filter syntax: "Name (patterns);;Name (patterns)"
    QString defaultSuffix;  // without the dot; empty for none
    QString directory;
    bool showReadOnlyBox = false;  // open dialog: the read-only check box
};

struct OpenFileChoice {
    QString path;
    bool readOnly = false;  // the user ticked the read-only check box
};

class UiServices : public MessageSink {
public:
    // The message box is owned by the active window, titled with its caption unless the
    // message names a title.
    MessageAnswer show(const Message& message) override = 0;
    virtual void beep() = 0;
    // Nothing when the user cancels. The open dialog only accepts existing files.
    virtual std::optional<OpenFileChoice> getOpenFile(QWidget* owner, const FileDialogOptions& options) = 0;
    // Asks before overwriting an existing file; nothing when the user cancels.
    virtual std::optional<QString> getSaveFile(QWidget* owner, const FileDialogOptions& options) = 0;
    // Empty when the user cancels.
    virtual QString browseForFolder(QWidget* owner, const QString& title) = 0;
    // A null pixmap when the file cannot be read as a picture.
    virtual QPixmap loadPicture(const QString& path) = 0;
};

// The services in use: Qt's unless a test installed others.
UiServices& ui();

// Installs `services` for the lifetime of the object (tests).
class ScopedUiServices {
public:
    explicit ScopedUiServices(UiServices& services);
    ~ScopedUiServices();
    ScopedUiServices(const ScopedUiServices&) = delete;
    ScopedUiServices& operator=(const ScopedUiServices&) = delete;

private:
    UiServices* m_previous;
};

}  // namespace korven
