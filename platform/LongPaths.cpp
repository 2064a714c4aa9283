#include "platform/LongPaths.h"

#include <QStringList>

namespace korven {
namespace {

// CreateDirectoryW's limit without the prefix (MAX_PATH less room for an 8.3 file name); files
// may be 12 characters longer, but one threshold keeps a folder and its files alike.
constexpr qsizetype kShortPathLimit = 248;

// The parts after the root with "." and empty parts dropped and ".." taking the one before it,
// as the system does before it sees a path without the prefix. ".." never climbs above the root.
QString cleanedParts(QStringView rest) {
    QStringList kept;
    for (const QStringView part : rest.split(u'/')) {
        if (part.isEmpty() || part == u".") {
            continue;
        }
        if (part == u"..") {
            if (!kept.isEmpty()) {
                kept.removeLast();
            }
            continue;
        }
        kept.append(part.toString());
    }
    return kept.join(u'\\');
}

bool isDriveRoot(const QString& path) {
    return path.size() >= 3 && path[0].isLetter() && path[1] == u':' && path[2] == u'/';
}

}  // namespace

QString ExtendedLengthPath(const QString& absolutePath) {
    QString path = absolutePath;
    path.replace(u'\\', u'/');
    const bool prefixed = path.startsWith(u"//?/") || path.startsWith(u"//./");
    if (prefixed || path.size() < kShortPathLimit) {
        return path.replace(u'/', u'\\');
    }
    if (isDriveRoot(path)) {
        return QStringLiteral("\\\\?\\") + path.left(2) + u'\\' + cleanedParts(QStringView(path).sliced(3));
    }
    if (path.startsWith(u"//")) {
        // \\server\share\... : the server and share are the root.
        const QStringList parts = path.sliced(2).split(u'/');
        if (parts.size() >= 2 && !parts[0].isEmpty() && !parts[1].isEmpty()) {
            const qsizetype rootLength = 2 + parts[0].size() + 1 + parts[1].size();
            QString result = QStringLiteral("\\\\?\\UNC\\") + parts[0] + u'\\' + parts[1];
            const QString rest = cleanedParts(QStringView(path).sliced(rootLength));
            return rest.isEmpty() ? result : result + u'\\' + rest;
        }
    }
    return path.replace(u'/', u'\\');
}

}  // namespace korven
