#include "platform/PrivateFiles.h"

#include "platform/FileNames.h"
#include "platform/PosixFiles.h"
#include "platform/SystemError.h"

#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace korven {
namespace {

constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

}  // namespace

Result<void> MakePrivateFolder(const QString& path) {
    const QByteArray name = EncodeFileName(path);
    if (::mkdir(name.constData(), kPrivateFolder) == 0) {
        // The new folder's entry, like every backup's, must survive a crash.
        posix::SyncFolder(EncodeFileName(QFileInfo(path).absolutePath()));
    } else if (errno != EEXIST) {
        return Failed(LastSystemFailure(true));
    }
    // A folder made by an earlier version followed the umask. One we do not own stays as it
    // is: the backups inside are private in any case.
    ::chmod(name.constData(), kPrivateFolder);
    return {};
}

Result<QString> WriteNewPrivateFile(const QString& folder, const QByteArray& tempPrefix,
                                    const QByteArray& contents, const std::function<QString(qint64)>& nameFor,
                                    bool stopIfExists) {
    const QByteArray folderName = EncodeFileName(folder);
    const Result<posix::Unnamed> created =
        posix::CreateUnnamed(folderName, folderName + '/' + tempPrefix, kPrivateFile);
    if (!created) {
        return Failed(created.error());
    }
    const auto& [fd, tempName] = *created;
    FileFailure failure;
    QString name;
    if (!posix::WriteAll(fd, contents.constData(), contents.size()) || ::fsync(fd) != 0) {
        failure = LastSystemFailure();
    } else {
        for (qint64 attempt = 0;; ++attempt) {
            const QString candidate = nameFor(attempt);
            if (posix::LinkNew(fd, tempName, EncodeFileName(candidate))) {
                name = candidate;
                break;
            }
            if (errno != EEXIST || stopIfExists) {
                failure = LastSystemFailure(true);
                break;
            }
        }
    }
    if (!tempName.isEmpty()) {
        ::unlink(tempName.constData());
    }
    ::close(fd);
    posix::SyncFolder(folderName);
    if (name.isEmpty()) {
        return Failed(failure);
    }
    return name;
}

}  // namespace korven
