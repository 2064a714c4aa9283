// Arbitrary bytes as the edits file of apply, on the demo save: the JSON reader and the walk
// over the model must refuse or apply without crashing, and edits accepted must compose.
#include "cli/Assignment.h"
#include "cli/EditsInput.h"
#include "fuzz/DemoSave.h"
#include "model/SaveFileWriter.h"
#include "platform/Sinks.h"

#include <cstdlib>
#include <memory>

using namespace korven;
using fuzz::demo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const cli::EditsInput input =
        cli::ParseEdits(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (input.kind != cli::EditsInput::Kind::Json) {
        return 0;  // refused, or assignments: fuzz_assignment's
    }
    static const auto model = std::make_unique<SaveFile>();
    *model = demo();
    cli::ModelEditor editor(*model);
    cli::AssignmentResult result = editor.applyJson(input.json);
    if (result.ok()) {
        result = editor.finish(false);
    }
    NullStatus status;
    if (result.ok() && !ComposeSaveImage(*model, status)) {
        std::abort();  // the edits let through a value the writer cannot store
    }
    return 0;
}
