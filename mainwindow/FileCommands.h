#pragma once

#include "document/OpenDocument.h"
#include "mainwindow/ChangeRows.h"
#include "mainwindow/RecentFiles.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

class QWidget;

namespace korven {

class SettingsStore;

// The File commands over the open document: opening (from the dialog, the command line, a
// recent file or a drop), save, save as, close, restoring a backup and comparing with another
// save. Questions and failures go to the user here; the window follows through the signals.
class FileCommands : public QObject {
    Q_OBJECT
public:
    // `owner` parents the dialogs; the rest must outlive the commands.
    FileCommands(QWidget* owner, OpenDocument& document, SettingsStore& settings, StatusSink& status,
                 MessageSink& messages);

    // The program's arguments (without the program name): opens the file they name, if any.
    void runCommandLine(const QStringList& arguments);
    // Opens `path` (read-only when asked) as the open file; false when it was not opened, the
    // user having been told why. Every way of opening a file comes through here.
    bool openFile(const QString& path, bool readOnly);
    // A recent file or a dropped one: the open file is closed first (asking to save it), as
    // a path on the command line would be examined.
    void openInPlace(const QString& path);
    void openRecent(int entry);

    void open();
    bool save();
    void saveAs();
    // False when the user kept the file open (Cancel, or a save that failed).
    bool close();
    void restoreBackup();
    void compare();
    // The saves in `gameFolder`, else in the open file's folder, else in the folder a file was
    // last opened from: the user opens one or compares two.
    void listSaves(const QString& gameFolder);
    // Two saves as they are on disk.
    void compareSaves(const QString& first, const QString& second);

    // The open model against the file as last opened or saved.
    std::vector<mainwindow::ChangeRow> pendingChanges() const;
    const mainwindow::RecentFiles& recent() const { return m_recent; }
    void setReviewBeforeSave(bool review) { m_reviewBeforeSave = review; }

signals:
    void opened();
    void closed();
    // Saved: the caption and the labels say so.
    void editStateChanged();
    // A backup replaced the records: the list shows them again.
    void backupRestored();
    void recentChanged();
    // A row of a comparison asks for its record's dialog.
    void recordWanted(const RecordKey& key);

private:
    void reload();
    void showSaved(const SaveOutcome& saved);
    void rememberRecent();
    // `path` read for a comparison; the open file as last opened or saved, as this window holds
    // its lock. Null when it could not be read, the user having been told why.
    std::shared_ptr<const SaveFile> loadForCompare(const QString& path);

    QWidget* m_owner;
    OpenDocument& m_document;
    SettingsStore& m_settings;
    StatusSink& m_status;
    MessageSink& m_messages;
    mainwindow::RecentFiles m_recent;
    bool m_reviewBeforeSave = false;
};

}  // namespace korven
