#pragma once

#include "catalogue/ReferenceTables.h"
#include "editors/ModuleMain.h"
#include "model/SaveFileLoader.h"
#include "tests/support/Recorders.h"

#include <QFile>

#include <cstdio>
#include <memory>

namespace korven::fixtures {

// For the programs that show the dialogs over a save file (screenshots, the accessibility
// check): the reference tables and marking colours set up and the save at `path` loaded;
// null, after a line on stderr, when it cannot be read or loaded.
inline std::unique_ptr<SaveFile> LoadSaveForDialogs(const QString& path) {
    QFile save(path);
    if (!save.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read the save file\n");
        return nullptr;
    }
    catalogue::FillReferenceTables();
    auto file = std::make_unique<SaveFile>();
    RecordingStatus status;
    RecordingMessages messages;
    if (!LoadSaveFile(save.readAll(), *file, status, messages)) {
        std::fprintf(stderr, "cannot load the save file\n");
        return nullptr;
    }
    return file;
}

}  // namespace korven::fixtures
