#include "cli/Commands.h"
#include "platform/QtTranslation.h"

#include "platform/FileNames.h"

#include <QCoreApplication>

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>

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
    // The same bytes as on Linux: line ends stay "\n", so dump writes identical JSON.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    // Qt's own error texts (a file that cannot be written, for instance) reach stderr too.
    korven::InstallQtTranslation();
    // Names the data folder that holds the backups, shared with the editor.
    QCoreApplication::setApplicationName(QStringLiteral("KorvenEdit"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    // Decoded from argv: Qt's own decoding loses file names that are not valid UTF-8.
    QStringList arguments = korven::ProcessArguments(argc, argv);
    arguments.prepend(QCoreApplication::applicationFilePath());
    const int status = korven::cli::RunCommandLine(arguments, out, err);
    out.flush();
    err.flush();
    return status;
}
