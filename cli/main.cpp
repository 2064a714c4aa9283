#include "cli/Commands.h"

#include <QCoreApplication>

#ifdef Q_OS_WIN
#include <qt_windows.h>

namespace {

// The output is UTF-8 as on Linux; a Windows console shows it so while the program runs.
class Utf8Console {
public:
    Utf8Console() : m_previous(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~Utf8Console() { SetConsoleOutputCP(m_previous); }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT m_previous;
};

}  // namespace
#endif

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
#ifdef Q_OS_WIN
    const Utf8Console console;
#endif
    // Names the data folder that holds the backups, shared with the editor.
    QCoreApplication::setApplicationName(QStringLiteral("KorvenEdit"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int status = korven::cli::RunCommandLine(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return status;
}
