// A save in a process of its own, so tests can make it fail for real: a file-size limit
// (EFBIG), no file descriptors left (the temporary file cannot be created), a crash between
// the write and the rename, or a kill at any moment. Prints "saved N" after each successful save; exits 0
// when every save succeeded.
#include "model/OpenSaveFile.h"
#include "model/SaveFileWriter.h"
#include "tests/faults/CrashAtRename.h"
#include "tests/support/Recorders.h"

#include <QCoreApplication>
#include <QTextStream>

#ifndef Q_OS_WIN
#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#endif
#include <memory>

using namespace korven;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        return 2;
    }
    const QString& path = args[1];
    const QString& mode = args[2];
    const long saves = mode == u"loop" ? 1'000'000 : 1;

    auto file = std::make_unique<SaveFile>();
    fixtures::RecordingStatus status;
    fixtures::RecordingMessages messages;
    OpenedSaveFile opened = OpenSaveFile(path, LockMode::Normal, *file, status, messages);
    if (!opened.handle) {
        return 3;
    }
#ifndef Q_OS_WIN  // Windows has no such limits; only "once" and "loop" are used there
    if (mode == u"fsize") {
        // Writing past this size fails with EFBIG instead of killing the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = args.value(3).toULongLong();
        const rlimit fsize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fsize);
    } else if (mode == u"crash") {
        ArmCrashAtRename();
    } else if (mode == u"nofile") {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_NOFILE, &none);
    }
#endif
    QTextStream out(stdout);
    for (long n = 1; n <= saves; ++n) {
        ++file->ShipClass[12].Perf[1];
        if (!WriteSaveFile(*file, *opened.handle, status, messages)) {
            return 1;
        }
        out << "saved " << n << Qt::endl;
    }
    return 0;
}
