#pragma once

#include <QString>

namespace korven {

// Paths past the old Windows limit of 260 characters: the wide calls take them only with the
// "\\?\" prefix unless the machine opted in, and the prefix turns off the system's own
// clean-up of the path ("." and ".." parts, forward slashes), so that is done here.
//
// `absolutePath` with either separator; returns it with backslashes, prefixed when it is as
// long as a folder's path may be without the prefix (248 characters) or longer. A relative
// path, one already prefixed and a device path ("\\.\") keep their form.
QString ExtendedLengthPath(const QString& absolutePath);

}  // namespace korven
