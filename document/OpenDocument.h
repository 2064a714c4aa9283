#pragma once

#include "model/ChangeSet.h"
#include "model/SaveFile.h"
#include "platform/Backups.h"
#include "platform/LockedFile.h"
#include "platform/Sinks.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <functional>
#include <memory>

namespace korven {

enum class DocumentOpen { Opened, AlreadyOpen, NoPath, CannotOpen, NotASaveFile, LoadFailed };
enum class DocumentSave {
    Saved,
    NoFile,
    ReadOnly,
    Failed,        // the user has been told why; the file is as it was
    Cancelled,     // the file changed on disk and the user chose not to save
    ReloadWanted,  // the file changed on disk and the user chose it over the edits
};
enum class DocumentRestore { Restored, NoFile, ReadOnly, Failed };
enum class DocumentEdit {
    Applied,
    NoFile,
    NoChange,
    Refused,  // a path or value the file cannot hold; the user has been told, the model is as it was
};

struct SaveOutcome {
    DocumentSave outcome = DocumentSave::NoFile;
    QString backup;        // the backup of the file as it was before its first write, if made
    bool inPlace = false;  // rewritten in place to keep its other names (not all or nothing)
};

// The one open save file: its path, read-only and changed flags, the model, the locked handle,
// the backup made before the first write, and the history of its edits. Windows show it; every
// failure has been told through the message sink by the time an outcome returns. While a file
// is open its model changes only through apply(), undo() and redo(), and each tells changed().
//
// The history is a QUndoStack (QtGui, which needs no display) so that the window's undo view
// and menu bind to the same stack the document undoes on; a second history kept in step with
// it would be two truths about which state is the saved one.
class OpenDocument : public QObject {
    Q_OBJECT
public:
    // Backups go to `backupFolder`, or when empty to the default folder as it is at each save.
    OpenDocument(StatusSink& status, MessageSink& messages, QString backupFolder = {});
    ~OpenDocument();

    DocumentOpen open(const QString& path, bool readOnly);
    // Writes the model into the open file, never silently over a file another program changed
    // since it was loaded or saved (the user decides). Refused (ReadOnly) in read-only mode
    // until leaveReadOnly() succeeded; a failed write keeps the changed flag and the history.
    // `confirm`, when given, is asked last, after any question about a change on disk, with the
    // model as the file the save would write over holds it; false cancels.
    SaveOutcome save(const std::function<bool(const SaveFile& onDisk)>& confirm = {});
    // Writes the model under `path` and makes that the open file; on failure nothing changes.
    SaveOutcome saveAs(const QString& path);
    // Opens the file for writing; fails when no file is open or it cannot be written.
    Result<void> leaveReadOnly();
    // Replaces the open file with a backup of it: the file as it is now is backed up first, then
    // replaced whole, then loaded again, with a fresh history. `backup` names the new backup.
    struct RestoreOutcome {
        DocumentRestore outcome = DocumentRestore::NoFile;
        QString backup;
    };
    RestoreOutcome restoreBackup(const QString& backupPath);
    // Drops the file, the model and the history; the read-only flag stays until the next open.
    void close();

    // Applies the changes to the model and makes them one step of the history, named as the set.
    DocumentEdit apply(ChangeSet changes);
    bool undo();
    bool redo();

    bool isOpen() const { return m_model != nullptr; }
    const QString& path() const { return m_path; }
    bool isReadOnly() const { return m_readOnly; }
    // The model differs from the file as last opened or saved, by the history's reckoning.
    bool isChanged() const { return isOpen() && !m_history.isClean(); }
    // Null when no file is open. Its address stays the same while the file is open; read it,
    // and change it through apply().
    const SaveFile* model() const { return m_model.get(); }
    // The model as the file on disk holds it (at opening or the last save); null when closed.
    const SaveFile* savedModel() const { return m_saved.get(); }
    QUndoStack& history() { return m_history; }
    // The changes of the history's step `index`; empty for an index it does not have.
    std::vector<FieldChange> stepChanges(int index) const;
    BackupStore backups() const;

signals:
    // The fields an edit, an undo or a redo changed, with the values before and after it.
    void changed(const std::vector<FieldChange>& changes);

private:
    class ChangeStep;

    void markSaved();

    StatusSink& m_status;
    MessageSink& m_messages;
    QString m_backupFolder;

    QString m_path;
    bool m_readOnly = false;
    std::unique_ptr<SaveFile> m_model;
    std::unique_ptr<LockedFile> m_handle;
    std::unique_ptr<const SaveFile> m_saved;
    bool m_backedUp = false;  // the open file's backup exists
    QString m_backupPath;
    QUndoStack m_history;
    // What an undo or redo moved over, told once the history stands at its new step.
    std::vector<FieldChange> m_moved;
};

}  // namespace korven
