#pragma once

#include "model/FieldIo.h"
#include "platform/Result.h"
#include "platform/Sinks.h"

#include <QString>

namespace korven {

// Finds the first position (1-based) between startPos and endPos, both inclusive, where the
// code page 932 form of `key` starts; when there is none the user has been warned. Candidates are tried one
// byte apart; the scan also gives up once fewer than 169 bytes lie beyond the last byte read
// (the bytes before the reader's position on entry count as read). The reader is left after
// the last byte read.
Result<int32_t, Reported> AnchorSearch(const QString& key, FieldReader& reader, int32_t startPos,
                                       int32_t endPos, StatusSink& status, MessageSink& messages);

}  // namespace korven
