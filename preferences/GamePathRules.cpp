#include "preferences/GamePathRules.h"

namespace korven {

bool EndsWithSeparator(const QString& path, QChar separator) {
    return !path.isEmpty() && (path.back() == separator || path.back() == u'/');
}

QString WithTrailingSeparator(const QString& path, QChar separator) {
    if (path.isEmpty() || EndsWithSeparator(path, separator)) {
        return path;
    }
    return path + separator;
}

}  // namespace korven
