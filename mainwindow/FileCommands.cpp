#include "mainwindow/FileCommands.h"

#include "mainwindow/BackupsDialog.h"
#include "mainwindow/ChangeCommands.h"
#include "mainwindow/ChangesDialog.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/DroppedFile.h"
#include "mainwindow/FileFilter.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/SaveListing.h"
#include "mainwindow/SavesDialog.h"
#include "model/ModelDiff.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"

#include <QFileInfo>
#include <QWidget>

namespace korven {

using namespace mainwindow;
namespace mt = mainwindow::texts;

FileCommands::FileCommands(QWidget* owner, OpenDocument& document, SettingsStore& settings,
                           StatusSink& status, MessageSink& messages)
    : QObject(owner),
      m_owner(owner),
      m_document(document),
      m_settings(settings),
      m_status(status),
      m_messages(messages),
      m_recent(RecentFiles::Read(settings)) {}

void FileCommands::runCommandLine(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        return;
    }
    const QString path = CommandLinePath(arguments);
    const CommandLineTarget target = ExaminePath(path);
    switch (target.kind) {
        case PathKind::Folder:
            ui().show(Message(mt::folderGiven(), MessageIcon::Exclamation));
            return;
        case PathKind::Missing:
            ui().show(Message(mt::parameterError()));
            return;
        case PathKind::File:
            break;
    }
    openFile(path, target.readOnly);
}

bool FileCommands::openFile(const QString& path, bool readOnly) {
    switch (m_document.open(path, readOnly)) {
        case DocumentOpen::AlreadyOpen:
            ui().show(Message(mt::secondFile(), MessageIcon::Exclamation));
            return false;
        case DocumentOpen::NoPath:
        case DocumentOpen::CannotOpen:
            return false;
        case DocumentOpen::NotASaveFile:
        case DocumentOpen::LoadFailed:
            // The window goes back to its no-file state, as after Close.
            close();
            return false;
        case DocumentOpen::Opened:
            break;
    }
    emit opened();
    rememberRecent();
    return true;
}

void FileCommands::openInPlace(const QString& path) {
    const CommandLineTarget target = ExaminePath(path);
    if (target.kind == PathKind::Folder) {
        ui().show(Message(mt::folderGiven(), MessageIcon::Exclamation));
        return;
    }
    if (target.kind == PathKind::Missing) {
        ui().show(Message(mt::fileMissing(path), MessageIcon::Exclamation));
        return;
    }
    if (m_document.isOpen()) {
        if (SamePath(path, m_document.path())) {
            return;  // already the open file
        }
        if (ClearlyNotASave(path)) {
            ui().show(Message(korven::texts::notASaveFile(), MessageIcon::Exclamation));
            return;
        }
        if (!close()) {
            return;
        }
    }
    openFile(path, target.readOnly);
}

void FileCommands::openRecent(int entry) {
    const QString path = m_recent.paths().value(entry);
    if (path.isEmpty()) {
        return;
    }
    if (ExaminePath(path).kind == PathKind::Missing) {
        m_recent.remove(path);
        m_recent.write(m_settings);
        emit recentChanged();
        ui().show(Message(mt::recentFileMissing(path), MessageIcon::Exclamation));
        return;
    }
    openInPlace(path);
}

void FileCommands::rememberRecent() {
    m_recent.add(m_document.path());
    m_recent.write(m_settings);
    emit recentChanged();
}

void FileCommands::open() {
    if (m_document.isOpen()) {
        ui().show(Message(mt::secondFile(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::openDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.showReadOnlyBox = true;
    options.directory = m_recent.lastFolder();
    const std::optional<OpenFileChoice> choice = ui().getOpenFile(m_owner, options);
    if (!choice) {
        return;
    }
    openFile(choice->path, choice->readOnly);
}

bool FileCommands::save() {
    if (!m_document.isOpen()) {
        ui().show(Message(mt::noFileLoaded(), MessageIcon::Exclamation));
        return false;
    }
    if (m_document.isReadOnly()) {
        const MessageAnswer answer = ui().show(Message(mt::readOnlySaveQuestion(), MessageIcon::Question,
                                                       MessageButtons::YesNo, MessageAnswer::No));
        if (answer != MessageAnswer::Yes) {
            return false;
        }
        if (const Result<void> writable = m_document.leaveReadOnly(); !writable) {
            ui().show(Message(korven::texts::withReason(mt::cannotLeaveReadOnly(), writable.error()),
                              MessageIcon::Error));
            return false;
        }
    }
    // The review comes after the check for another program's change, and shows what the save
    // does to the file as it is on disk, so it never hides an undoing of that change.
    std::function<bool(const SaveFile&)> review;
    if (m_reviewBeforeSave) {
        review = [this](const SaveFile& onDisk) {
            const SaveFile& model = *m_document.model();
            const std::vector<ChangeRow> rows = ChangeRowsFor(DiffModels(onDisk, model), model);
            return (rows.empty() && !m_document.isChanged()) ||
                   ShowChanges(rows, mt::reviewCaption(), ChangesPurpose::BeforeSave, m_owner);
        };
    }
    const SaveOutcome saved = m_document.save(review);
    if (saved.outcome == DocumentSave::ReloadWanted) {
        reload();
        return false;
    }
    showSaved(saved);
    return !m_document.isChanged();
}

// The user chose the version on disk over the edits: the file is opened afresh in its mode.
void FileCommands::reload() {
    const QString path = m_document.path();
    const bool readOnly = m_document.isReadOnly();
    m_document.close();
    close();
    openFile(path, readOnly);
}

void FileCommands::showSaved(const SaveOutcome& saved) {
    if (saved.outcome == DocumentSave::Saved && saved.inPlace) {
        m_status.showStatus(korven::texts::rewrittenInPlace());
    } else if (saved.outcome == DocumentSave::Saved && !saved.backup.isEmpty()) {
        m_status.showStatus(mt::savedWithBackup(saved.backup));
    } else if (saved.outcome == DocumentSave::Failed || saved.outcome == DocumentSave::Cancelled) {
        m_status.showStatus(mt::notSaved());
    }
    emit editStateChanged();
}

void FileCommands::saveAs() {
    if (!m_document.isOpen()) {
        ui().show(Message(mt::noFileLoaded(), MessageIcon::Exclamation));
        return;
    }
    FileDialogOptions options;
    options.caption = mt::saveAsDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.defaultSuffix = mt::saveSuffix();
    options.directory = QFileInfo(m_document.path()).absolutePath();
    const std::optional<QString> chosen = ui().getSaveFile(m_owner, options);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    if (SamePath(*chosen, m_document.path())) {
        save();
        return;
    }
    const SaveOutcome saved = m_document.saveAs(*chosen);
    if (saved.outcome == DocumentSave::Saved) {
        rememberRecent();
    }
    showSaved(saved);
}

bool FileCommands::close() {
    if (m_document.isChanged()) {
        const MessageAnswer answer =
            ui().show(Message(mt::saveQuestion(m_document.path()), MessageIcon::Question,
                              MessageButtons::YesNoCancel, MessageAnswer::Yes));
        if (answer == MessageAnswer::Yes) {
            if (!save()) {
                return false;
            }
        } else if (answer != MessageAnswer::No) {
            return false;
        }
    }
    m_document.close();
    emit closed();
    return true;
}

std::vector<ChangeRow> FileCommands::pendingChanges() const {
    const SaveFile& model = *m_document.model();
    return ChangeRowsFor(DiffModels(*m_document.savedModel(), model), model);
}

// Another save's fields against the open model. The open file itself is locked by this window,
// so choosing it compares with the file as last opened or saved.
void FileCommands::compare() {
    if (!m_document.isOpen()) {
        return;
    }
    FileDialogOptions options;
    options.caption = mt::compareDialogCaption();
    options.filter = DialogFilter(mt::fileFilter());
    options.directory = QFileInfo(m_document.path()).absolutePath();
    const std::optional<OpenFileChoice> choice = ui().getOpenFile(m_owner, options);
    if (!choice) {
        return;
    }
    const std::shared_ptr<const SaveFile> other = loadForCompare(choice->path);
    if (!other) {
        return;
    }
    ShowChanges(CompareRows(*m_document.model(), *other), mt::compareCaption(choice->path),
                ChangesPurpose::Compare, m_owner,
                CompareActions(m_document, other, [this](const RecordKey& key) { emit recordWanted(key); }));
}

std::shared_ptr<const SaveFile> FileCommands::loadForCompare(const QString& path) {
    if (m_document.isOpen() && SamePath(path, m_document.path())) {
        return std::make_shared<const SaveFile>(*m_document.savedModel());
    }
    auto other = std::make_shared<SaveFile>();
    if (OpenSaveFile(path, LockMode::ReadOnly, *other, m_status, m_messages).outcome != OpenOutcome::Opened) {
        return nullptr;
    }
    return other;
}

void FileCommands::compareSaves(const QString& first, const QString& second) {
    const std::shared_ptr<const SaveFile> one = loadForCompare(first);
    const std::shared_ptr<const SaveFile> two = one ? loadForCompare(second) : nullptr;
    if (!two) {
        return;
    }
    ShowChanges(ChangeRowsFor(DiffModels(*one, *two), *one), mt::compareCaption(second),
                ChangesPurpose::Compare, m_owner);
}

void FileCommands::listSaves(const QString& gameFolder) {
    QString folder = gameFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = m_document.isOpen() ? QFileInfo(m_document.path()).absolutePath() : m_recent.lastFolder();
    }
    if (folder.isEmpty()) {
        ui().show(Message(mt::savesNoFolder(), MessageIcon::Exclamation));
        return;
    }
    const auto held = [this] {
        // Taken afresh on every refresh: the open file may have been saved meanwhile. The
        // listing gets a copy, never the document.
        return m_document.isOpen() ? HeldSave{m_document.path(), m_document.savedModel()->image} : HeldSave{};
    };
    const std::optional<QStringList> chosen = ChooseSaves(folder, held, m_owner);
    if (!chosen) {
        return;
    }
    if (chosen->size() == 2) {
        compareSaves(chosen->at(0), chosen->at(1));
    } else {
        openInPlace(chosen->at(0));
    }
}

void FileCommands::restoreBackup() {
    if (!m_document.isOpen()) {
        return;
    }
    if (m_document.isReadOnly()) {
        ui().show(Message(mt::restoreReadOnly(), MessageIcon::Exclamation));
        return;
    }
    const std::optional<BackupEntry> chosen =
        ChooseBackup(ListBackups(m_document.backups(), m_document.path(), *m_document.model()),
                     m_document.path(), m_owner);
    if (!chosen) {
        return;
    }
    QString question = mt::restoreQuestion(chosen->time.toString(mt::backupTimeFormat()));
    if (m_document.isChanged()) {
        question += mt::restoreDropsChanges();
    }
    if (ui().show(Message(question, MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No)) !=
        MessageAnswer::Yes) {
        return;
    }
    const OpenDocument::RestoreOutcome restored = m_document.restoreBackup(chosen->path);
    if (restored.outcome == DocumentRestore::Restored) {
        m_status.showStatus(mt::restored(restored.backup));
        emit backupRestored();
    }
}

}  // namespace korven
