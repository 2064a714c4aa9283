// Arbitrary bytes through the anchor search, the loader and the writer. Besides crashes and
// reads past the end, it checks the lossless promise: whatever loads composes back to itself.
#include "model/AnchorSearch.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "platform/Sinks.h"

#include <cstdlib>
#include <memory>

using namespace korven;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto file = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    const QByteArray image(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (LoadSaveFile(image, *file, status, messages).ok()) {
        const std::optional<QByteArray> composed = ComposeSaveImage(*file, status);
        if (!composed || *composed != image) {
            std::abort();  // an unedited save must come back byte for byte
        }
    }

    // The search with bounds and a reader position taken from the input itself.
    if (size >= 6) {
        FieldReader reader(image);
        reader.goTo(data[0] | data[1] << 8);
        const int32_t start = static_cast<int16_t>(data[2] | data[3] << 8);
        const int32_t end = static_cast<int16_t>(data[4] | data[5] << 8);
        const Result<int32_t, Reported> found =
            AnchorSearch(QStringLiteral("９６式艦上戦闘機"), reader, start, end, status, messages);
        if (found && (*found < start || *found > end || *found + 15 > static_cast<int32_t>(size))) {
            std::abort();
        }
    }
    return 0;
}
