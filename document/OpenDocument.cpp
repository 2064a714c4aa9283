#include "document/OpenDocument.h"

#include "document/BackupList.h"
#include "document/DocumentTexts.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileBackup.h"
#include "model/SaveFileWriter.h"
#include "model/SaveInPlace.h"

#include <QSignalBlocker>
#include <QUndoCommand>

namespace korven {

// One store of an edit dialog: the whole model before and after it. The model is small enough
// to copy, and a snapshot needs nothing from the dialogs.
class OpenDocument::EditStep : public QUndoCommand {
public:
    EditStep(OpenDocument& document, const QString& name, Snapshot before, Snapshot after)
        : QUndoCommand(name), m_document(document), m_before(std::move(before)), m_after(std::move(after)) {}

    void undo() override { m_document.restore(m_before); }
    void redo() override {
        // The dialog has already stored into the model when the step is pushed.
        if (m_pushed) {
            m_document.restore(m_after);
        }
        m_pushed = true;
    }

private:
    OpenDocument& m_document;
    Snapshot m_before;
    Snapshot m_after;
    bool m_pushed = false;
};

OpenDocument::OpenDocument(StatusSink& status, MessageSink& messages, QString backupFolder)
    : m_status(status), m_messages(messages), m_backupFolder(std::move(backupFolder)) {}

BackupStore OpenDocument::backups() const {
    return m_backupFolder.isEmpty() ? BackupStore() : BackupStore(m_backupFolder);
}

OpenDocument::~OpenDocument() {
    // The steps refer to this document; they go before its members do. Nobody is told: the
    // window that listens may already be half torn down.
    const QSignalBlocker quiet(m_history);
    m_history.clear();
}

DocumentOpen OpenDocument::open(const QString& path, bool readOnly) {
    if (isOpen()) {
        return DocumentOpen::AlreadyOpen;
    }
    m_readOnly = readOnly;
    if (path.isEmpty()) {
        return DocumentOpen::NoPath;
    }
    // A fresh model, so that a failed load never leaves a half-filled one behind.
    auto model = std::make_unique<SaveFile>();
    OpenedSaveFile opened =
        OpenSaveFile(path, readOnly ? LockMode::ReadOnly : LockMode::Normal, *model, m_status, m_messages);
    switch (opened.outcome) {
        case OpenOutcome::CannotOpen:
            return DocumentOpen::CannotOpen;
        case OpenOutcome::NotASaveFile:
            return DocumentOpen::NotASaveFile;
        case OpenOutcome::LoadFailed:
            return DocumentOpen::LoadFailed;
        case OpenOutcome::Opened:
            break;
    }
    m_path = path;
    m_model = std::move(model);
    m_handle = std::move(opened.handle);
    m_backedUp = false;
    m_backupPath.clear();
    m_current = std::make_shared<const SaveFile>(*m_model);
    m_saved = m_current;
    return DocumentOpen::Opened;
}

bool OpenDocument::leaveReadOnly(FileFailure* failure) {
    if (!isOpen() || !m_handle->reopenForWriting(failure)) {
        return false;
    }
    m_readOnly = false;
    return true;
}

SaveOutcome OpenDocument::save(const std::function<bool(const SaveFile& onDisk)>& confirm) {
    if (!isOpen()) {
        return {DocumentSave::NoFile, {}};
    }
    if (m_readOnly) {
        return {DocumentSave::ReadOnly, {}};
    }
    // A failed write leaves the file as it was; the history and the flag stay so nothing is lost.
    InPlaceOptions options{backups(), !m_backedUp, OnDiskChange::Ask};
    if (confirm) {
        // Another program's file that is not a save the editor reads is shown as last saved.
        options.confirm = [&](const QByteArray& onDisk) {
            if (onDisk == m_model->image) {
                return confirm(*m_saved);
            }
            auto theirs = std::make_unique<SaveFile>();
            return confirm(LoadBackup(onDisk, *theirs) ? *theirs : *m_saved);
        };
    }
    const InPlaceSave saved = SaveInPlace(*m_model, *m_handle, options, m_status, m_messages);
    if (!saved.backup.isEmpty()) {
        m_backedUp = true;
        m_backupPath = saved.backup;
    }
    switch (saved.result) {
        case InPlaceResult::Saved:
            markSaved();
            return {DocumentSave::Saved, m_backupPath, saved.inPlace};
        case InPlaceResult::ReloadWanted:
            return {DocumentSave::ReloadWanted, {}};
        case InPlaceResult::Cancelled:
        case InPlaceResult::Refused:
            return {DocumentSave::Cancelled, {}};
        case InPlaceResult::Failed:
            break;
    }
    return {DocumentSave::Failed, {}};
}

// The old file stays open until the new one is complete and locked, so a failure leaves the
// document as it was.
SaveOutcome OpenDocument::saveAs(const QString& path) {
    if (!isOpen()) {
        return {DocumentSave::NoFile, {}};
    }
    SavedAs saved = WriteSaveFileAs(*m_model, path, backups(), m_status, m_messages);
    if (!saved.handle) {
        return {DocumentSave::Failed, {}};
    }
    m_handle = std::move(saved.handle);
    m_path = path;
    m_readOnly = false;
    // The new file was written whole by us; a file it replaced was backed up first.
    m_backedUp = true;
    m_backupPath = saved.backup.value_or(QString());
    markSaved();
    return {DocumentSave::Saved, m_backupPath};
}

void OpenDocument::markSaved() {
    m_saved = m_current;
    m_history.setClean();
}

OpenDocument::RestoreOutcome OpenDocument::restoreBackup(const QString& backupPath) {
    if (!isOpen()) {
        return {DocumentRestore::NoFile, {}};
    }
    if (m_readOnly) {
        return {DocumentRestore::ReadOnly, {}};
    }
    const QByteArray contents = ReadBackup(backupPath);
    auto restored = std::make_unique<SaveFile>();
    if (!LoadBackup(contents, *restored)) {
        m_messages.show(Message(document::texts::backupUnreadable(backupPath), MessageIcon::Error));
        return {DocumentRestore::Failed, {}};
    }
    const std::optional<QString> before = BackUpSaveFile(*m_handle, backups(), m_messages);
    if (!before) {
        return {DocumentRestore::Failed, {}};
    }
    FileFailure failure;
    if (!m_handle->replaceContents(contents, &failure)) {
        m_messages.show(Message(texts::withReason(texts::writeError(), failure), MessageIcon::Error));
        return {DocumentRestore::Failed, {}};
    }
    // The model keeps its address; the steps of the replaced file no longer apply.
    *m_model = std::move(*restored);
    m_history.clear();
    m_current = std::make_shared<const SaveFile>(*m_model);
    m_saved = m_current;
    m_backedUp = true;
    m_backupPath = *before;
    return {DocumentRestore::Restored, *before};
}

void OpenDocument::close() {
    m_handle.reset();
    m_model.reset();
    m_current.reset();
    m_saved.reset();
    m_path.clear();
    m_backedUp = false;
    m_backupPath.clear();
    // Last, so that whoever follows the history finds the document closed already.
    m_history.clear();
}

bool OpenDocument::applyEdit(const QString& recordName) {
    if (!isOpen()) {
        return false;
    }
    auto after = std::make_shared<const SaveFile>(*m_model);
    m_history.push(new EditStep(*this, document::texts::editStep(recordName), m_current, after));
    m_current = std::move(after);
    return true;
}

bool OpenDocument::undo() {
    if (!isOpen() || !m_history.canUndo()) {
        return false;
    }
    m_history.undo();
    return true;
}

bool OpenDocument::redo() {
    if (!isOpen() || !m_history.canRedo()) {
        return false;
    }
    m_history.redo();
    return true;
}

void OpenDocument::restore(const Snapshot& snapshot) {
    // The image is the file as last written; the writer patches the restored fields into it.
    QByteArray image = m_model->image;
    *m_model = *snapshot;
    m_model->image = std::move(image);
    m_current = snapshot;
}

}  // namespace korven
