#include "mainwindow/SaveListing.h"

#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/RecentFiles.h"
#include "model/Layout.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "platform/LockedFile.h"

#include <QDir>
#include <QRegularExpression>

#include <memory>

namespace korven::mainwindow {
namespace {

// The header ends within the first few hundred bytes: a name of at most 255 bytes, the turn
// counters and the scenario title.
constexpr qint64 kHeaderBytes = 512;

bool namedAsSave(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral("^SaveFile.*\\.SAVE$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(fileName).hasMatch();
}

Result<QByteArray> readStart(const QString& path) {
    const Result<std::unique_ptr<LockedFile>> handle = LockedFile::open(path, LockMode::ReadOnly);
    if (!handle) {
        return Failed(handle.error());
    }
    return (*handle)->readPrefix(kHeaderBytes);
}

}  // namespace

SaveEntry SaveEntryOf(const QString& path, const QByteArray& image) {
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
    return entry;
}

std::vector<SaveEntry> ListSaves(const QString& folder, const QString& openPath,
                                 const QByteArray& openImage) {
    std::vector<SaveEntry> saves;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                                           QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& info : files) {
        const QString path = info.absoluteFilePath();
        if (!openPath.isEmpty() && SamePath(path, openPath)) {
            saves.push_back(SaveEntryOf(path, openImage.left(kHeaderBytes)));
            continue;
        }
        const Result<QByteArray> start = readStart(path);
        const bool named = namedAsSave(info.fileName());
        if (!start) {
            if (named) {
                SaveEntry entry{path, {}, {}, {}, info.lastModified(), {}};
                entry.problem = korven::texts::reasonLine(start.error());
                saves.push_back(entry);
            }
            continue;
        }
        if (named || HasSaveFileMagic(*start)) {
            saves.push_back(SaveEntryOf(path, *start));
        }
    }
    return saves;
}

}  // namespace korven::mainwindow
