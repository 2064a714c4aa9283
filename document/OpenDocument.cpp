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

#include <utility>

namespace korven {

// One change set. It holds only the changed fields with both values, so the history grows
// with the edits and not with the model.
class OpenDocument::ChangeStep : public QUndoCommand {
public:
    ChangeStep(OpenDocument& document, ChangeSet changes)
        : QUndoCommand(changes.name), m_document(document), m_changes(std::move(changes.changes)) {}

    const std::vector<FieldChange>& changes() const { return m_changes; }
    void undo() override { move(ChangeDirection::Backward); }
    void redo() override {
        // The set was applied before the step was pushed.
        if (m_pushed) {
            move(ChangeDirection::Forward);
        }
        m_pushed = true;
    }

private:
    void move(ChangeDirection direction) {
        // Every value was stored once already, so it fits its field.
        ApplyChanges(*m_document.m_model, m_changes, direction);
        m_document.m_moved.insert(m_document.m_moved.end(), m_changes.begin(), m_changes.end());
    }

    OpenDocument& m_document;
    std::vector<FieldChange> m_changes;
    bool m_pushed = false;
};

OpenDocument::OpenDocument(StatusSink& status, MessageSink& messages, QString backupFolder)
    : m_status(status), m_messages(messages), m_backupFolder(std::move(backupFolder)) {
    // Told after the step, so that whoever listens finds the history and its saved point as
    // they now are.
    connect(&m_history, &QUndoStack::indexChanged, this, [this] {
        if (!m_moved.empty()) {
            emit changed(std::exchange(m_moved, {}));
        }
    });
}

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
    m_saved = std::make_unique<const SaveFile>(*m_model);
    return DocumentOpen::Opened;
}

Result<void> OpenDocument::leaveReadOnly() {
    if (!isOpen()) {
        return Failed(FileFailure{});
    }
    const Result<void> reopened = m_handle->reopenForWriting();
    if (reopened) {
        m_readOnly = false;
    }
    return reopened;
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
    Result<SavedAs, Reported> saved = WriteSaveFileAs(*m_model, path, backups(), m_status, m_messages);
    if (!saved) {
        return {DocumentSave::Failed, {}};
    }
    m_handle = std::move(saved->handle);
    m_path = path;
    m_readOnly = false;
    // The new file was written whole by us; a file it replaced was backed up first.
    m_backedUp = true;
    m_backupPath = saved->backup.value_or(QString());
    markSaved();
    return {DocumentSave::Saved, m_backupPath};
}

void OpenDocument::markSaved() {
    m_saved = std::make_unique<const SaveFile>(*m_model);
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
    const Result<QString, Reported> before = BackUpSaveFile(*m_handle, backups(), m_messages);
    if (!before) {
        return {DocumentRestore::Failed, {}};
    }
    if (const Result<void> replaced = m_handle->replaceContents(contents); !replaced) {
        m_messages.show(
            Message(texts::withReason(texts::writeError(), replaced.error()), MessageIcon::Error));
        return {DocumentRestore::Failed, {}};
    }
    // The model keeps its address; the steps of the replaced file no longer apply.
    *m_model = std::move(*restored);
    m_history.clear();
    m_saved = std::make_unique<const SaveFile>(*m_model);
    m_backedUp = true;
    m_backupPath = *before;
    return {DocumentRestore::Restored, *before};
}

void OpenDocument::close() {
    m_handle.reset();
    m_model.reset();
    m_saved.reset();
    m_path.clear();
    m_backedUp = false;
    m_backupPath.clear();
    // Last, so that whoever follows the history finds the document closed already.
    m_history.clear();
}

DocumentEdit OpenDocument::apply(ChangeSet changes) {
    if (!isOpen()) {
        return DocumentEdit::NoFile;
    }
    if (changes.changes.empty()) {
        return DocumentEdit::NoChange;
    }
    if (const std::optional<ChangeRefusal> refused =
            ApplyChanges(*m_model, changes.changes, ChangeDirection::Forward)) {
        m_messages.show(Message(document::texts::changeRefused(*refused), MessageIcon::Exclamation));
        return DocumentEdit::Refused;
    }
    auto* step = new ChangeStep(*this, std::move(changes));
    // Pushed first, so that whoever is told finds the document changed already.
    m_history.push(step);
    emit changed(step->changes());
    return DocumentEdit::Applied;
}

std::vector<FieldChange> OpenDocument::stepChanges(int index) const {
    const auto* step = dynamic_cast<const ChangeStep*>(m_history.command(index));
    return step != nullptr ? step->changes() : std::vector<FieldChange>{};
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

}  // namespace korven
