#pragma once

#include "cli/Assignment.h"
#include "cli/Commands.h"
#include "platform/LockedFile.h"

#include <functional>
#include <memory>
#include <optional>

// What the commands share: reading a save, and editing and saving one.
namespace korven::cli {

struct LoadedFile {
    std::unique_ptr<SaveFile> model;
    std::unique_ptr<LockedFile> handle;
};

// The file loaded under `mode`; on failure the core's reason and the file are on the error
// stream.
std::optional<LoadedFile> load(const QString& path, LockMode mode, Console& console);

using Edit = std::function<AssignmentResult(ModelEditor&)>;

// Loads the file, applies the edits, and saves the result in place (after a backup) or as a
// copy; nothing is written when an edit is refused or when no value changed.
int editAndSave(const QString& path, const SaveOptions& options, Console& console, const Edit& edit);

}  // namespace korven::cli
