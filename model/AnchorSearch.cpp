#include "model/AnchorSearch.h"

#include "model/ModelTexts.h"

#include <algorithm>
#include <cstring>

namespace korven {
namespace {

// Bytes that must lie beyond the last byte read for the scan to go on.
constexpr qint64 kGuard = 168;

}  // namespace

Result<int32_t, Reported> AnchorSearch(const QString& key, FieldReader& reader, int32_t startPos,
                                       int32_t endPos, StatusSink& status, MessageSink& messages) {
    status.showStatus(texts::statusSearching());

    const cp932::TextMatcher matcher(key);
    const QByteArray& keyBytes = matcher.encoded();
    const QByteArray& image = reader.image();
    const qint64 size = image.size();
    const char* data = image.constData();

    int32_t result = -1;
    qint64 last = reader.lastReadPosition();
    qint64 p = std::max<qint64>(startPos, 1) - 1;
    // Reading candidates one by one is equivalent to jumping to the next byte equal to the
    // key's first byte, as long as every candidate skipped would have passed the guard.
    const qint64 plainLimit = std::min<qint64>(endPos, size - kGuard);
    while (!keyBytes.isEmpty() && p < endPos && last + kGuard < size) {
        const qint64 from = p + 1;
        if (from > size) {
            break;
        }
        const qint64 to = std::max(from, plainLimit);
        const void* hit = std::memchr(data + from - 1, keyBytes[0], static_cast<size_t>(to - from + 1));
        if (hit == nullptr) {
            last = to;
            break;
        }
        p = static_cast<const char*>(hit) - data + 1;
        const qint64 available = std::min<qint64>(keyBytes.size(), size - (p - 1));
        last = p + available - 1;
        if (available == keyBytes.size() && matcher.matches(QByteArrayView(data + p - 1, available))) {
            result = static_cast<int32_t>(p);
            break;
        }
    }
    reader.goTo(last + 1);

    if (result < 0) {
        messages.show(Message(texts::anchorNotFound(key), MessageIcon::Exclamation));
        return Failed(Reported{});
    }
    return result;
}

}  // namespace korven
