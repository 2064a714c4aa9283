#pragma once

#include "model/TurnCalendar.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

// The saves in a folder, each described from its header alone: the files named
// SaveFile*.SAVE, and any other file that starts with the save files' magic.
namespace korven::mainwindow {

struct SaveEntry {
    QString path;
    QString saveName;
    QString scenario;
    std::optional<Turn> turn;
    QDateTime modified;
    QString problem;  // why the file could not be read; empty when it was

    friend bool operator==(const SaveEntry&, const SaveEntry&) = default;
};

// Every save in `folder`, by file name. A file that cannot be read is listed with its reason.
// The file at `openPath` is held by this program; its header comes from `openImage`, the
// file as last opened or saved.
std::vector<SaveEntry> ListSaves(const QString& folder, const QString& openPath = {},
                                 const QByteArray& openImage = {});

// One save's entry from the start of its file.
SaveEntry SaveEntryOf(const QString& path, const QByteArray& image);

}  // namespace korven::mainwindow
