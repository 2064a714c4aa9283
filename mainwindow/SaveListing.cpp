#include "mainwindow/SaveListing.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/NaturalOrder.h"
#include "mainwindow/RecentFiles.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "platform/LockedFile.h"

#include <QDir>

#include <algorithm>
#include <memory>

namespace korven::mainwindow {
namespace {

// The header ends within the first few hundred bytes: a name of at most 255 bytes, the turn
// counters and the scenario title.
constexpr qint64 kHeaderBytes = 512;

// "SaveFile*.SAVE" in any case. Plain comparisons, not a regular expression: this runs on the
// listing thread, and the MinGW build of Qt crashes ending a thread that matched one (its
// per-thread matching stack), which can then hang the program's exit.
bool namedAsSave(const QString& fileName) {
    return fileName.startsWith(u"SaveFile", Qt::CaseInsensitive) &&
           fileName.endsWith(u".SAVE", Qt::CaseInsensitive);
}

struct FileStart {
    QByteArray bytes;
    qint64 size = 0;
};

// Opening refuses anything but a regular file without waiting, so a FIFO, a device or a
// link that loops never blocks the listing.
Result<FileStart> readStart(const QString& path) {
    const Result<std::unique_ptr<LockedFile>> handle = LockedFile::open(path, LockMode::ReadOnly);
    if (!handle) {
        return Failed(handle.error());
    }
    const Result<qint64> size = (*handle)->size();
    if (!size) {
        return Failed(size.error());
    }
    Result<QByteArray> bytes = (*handle)->readPrefix(kHeaderBytes);
    if (!bytes) {
        return Failed(bytes.error());
    }
    return FileStart{std::move(*bytes), *size};
}

// Why the folder itself cannot be listed, if it cannot.
std::optional<FileFailure> folderFailure(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists()) {
        return FileFailure{FileProblem::NotFound, {}};
    }
    if (!info.isDir()) {
        return FileFailure{FileProblem::NotAFile, {}};
    }
    if (!QDir(folder).isReadable()) {
        return FileFailure{FileProblem::NoPermission, {}};
    }
    return std::nullopt;
}

// Every entry but the folder's own, including FIFOs, devices and dangling links, whose names
// alone may make them candidates.
QStringList namesIn(const QString& folder) {
    QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return NaturalLess(a, b); });
    return names;
}

std::optional<SaveEntry> entryOf(const QString& path, bool named) {
    const Result<FileStart> start = readStart(path);
    if (!start) {
        if (!named) {
            return std::nullopt;
        }
        SaveEntry entry;
        entry.path = path;
        entry.modified = QFileInfo(path).lastModified();
        entry.problem = korven::texts::reasonLine(start.error());
        return entry;
    }
    if (!named && !HasSaveFileMagic(start->bytes)) {
        return std::nullopt;
    }
    return SaveEntryOf(path, start->bytes, start->size);
}

}  // namespace

SaveEntry SaveEntryOf(const QString& path, const QByteArray& image, qint64 size) {
    SaveEntry entry;
    entry.path = path;
    entry.modified = QFileInfo(path).lastModified();
    if (!HasSaveFileMagic(image)) {
        entry.problem = korven::texts::notASaveFile();
        return entry;
    }
    // The model is large; the header fills only its first fields.
    const auto file = std::make_unique<SaveFile>();
    if (!LoadSaveHeader(image, *file)) {
        entry.problem = korven::texts::readError();
        return entry;
    }
    entry.saveName = file->saveNameText();
    entry.scenario = file->ScenarioTitle.text();
    entry.turn = turnFromCounter(file->TurnInfo[TurnInfoWord::CurrentTurn]);
    if (size < MinSaveFileSize()) {
        entry.problem = texts::savesCutShort();
    }
    return entry;
}

bool ListSavesStepwise(const QString& folder, const HeldSave& held,
                       const std::function<bool(ListingStep)>& step) {
    if (const std::optional<FileFailure> failure = folderFailure(folder)) {
        SaveEntry entry;
        entry.path = folder;
        entry.problem = korven::texts::reasonLine(*failure);
        return step({entry, 1, 1});
    }
    const QStringList names = namesIn(folder);
    const QDir dir(folder);
    qsizetype done = 0;
    for (const QString& name : names) {
        const QString path = dir.absoluteFilePath(name);
        ListingStep next;
        if (!held.path.isEmpty() && SamePath(path, held.path)) {
            next.entry = SaveEntryOf(path, held.image.left(kHeaderBytes), held.image.size());
        } else {
            next.entry = entryOf(path, namedAsSave(name));
        }
        next.done = ++done;
        next.total = names.size();
        if (!step(std::move(next))) {
            return false;
        }
    }
    return true;
}

std::vector<SaveEntry> ListSaves(const QString& folder, const HeldSave& held) {
    std::vector<SaveEntry> saves;
    ListSavesStepwise(folder, held, [&](ListingStep step) {
        if (step.entry) {
            saves.push_back(std::move(*step.entry));
        }
        return true;
    });
    return saves;
}

}  // namespace korven::mainwindow
