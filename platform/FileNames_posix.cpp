#include "platform/FileNames.h"

#include <cstdlib>

namespace korven {

QString CanonicalPath(const QString& path) {
    char* resolved = ::realpath(EncodeFileName(path).constData(), nullptr);
    if (resolved == nullptr) {
        return {};
    }
    const QString result = DecodeFileName(QByteArray(resolved));
    std::free(resolved);
    return result;
}

QStringList ProcessArguments(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(DecodeFileName(QByteArray(argv[i])));
    }
    return arguments;
}

}  // namespace korven
