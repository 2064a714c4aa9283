// Arbitrary text through the command-line tool's PATH=VALUE parser, on the demo save. A
// refused assignment must leave the model unchanged; an accepted one must still compose.
#include "cli/Assignment.h"
#include "fuzz/DemoSave.h"
#include "model/SaveFileWriter.h"
#include "platform/Sinks.h"

#include <cstdlib>
#include <memory>

using namespace korven;
using fuzz::demo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto model = std::make_unique<SaveFile>();
    *model = demo();
    const QString assignment =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    NullStatus status;
    const cli::AssignmentResult result = cli::ApplyAssignment(*model, assignment);
    const std::optional<QByteArray> composed = ComposeSaveImage(*model, status);
    if (!composed) {
        std::abort();  // the parser let through a value the writer cannot store
    }
    if (!result.ok() && *composed != demo().image) {
        std::abort();  // a refused assignment changed the model
    }
    return 0;
}
