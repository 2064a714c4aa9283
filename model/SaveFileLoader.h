#pragma once

#include "model/SaveFile.h"
#include "platform/Result.h"
#include "platform/Sinks.h"

namespace korven {

// Reads only the header of a save image: the save's name, the turn counters and the scenario
// title, and where the header ends. False when the image ends before them.
bool LoadSaveHeader(const QByteArray& image, SaveFile& file);

// Reads a whole save image (already checked for its magic) into `file`, keeping the image for
// the writer. A failure has told the user why: a missing anchor gets the search's warning, any
// read past the end of the image "データ取得エラー". After a failure the model is partly filled
// and must not be used.
Result<void, Reported> LoadSaveFile(const QByteArray& image, SaveFile& file, StatusSink& status,
                                    MessageSink& messages);

}  // namespace korven
