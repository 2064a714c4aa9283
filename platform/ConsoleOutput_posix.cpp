#include "platform/ConsoleOutput.h"

namespace korven {

// Linux streams are bytes already, and terminals take UTF-8.
Utf8StandardStreams::Utf8StandardStreams() = default;
Utf8StandardStreams::~Utf8StandardStreams() = default;

}  // namespace korven
