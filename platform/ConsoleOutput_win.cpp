#include "platform/ConsoleOutput.h"

#include <qt_windows.h>

#include <fcntl.h>
#include <io.h>
#include <cstdio>

namespace korven {

Utf8StandardStreams::Utf8StandardStreams() : m_previousCodePage(GetConsoleOutputCP()) {
    SetConsoleOutputCP(CP_UTF8);
    // Binary: text mode would turn "\n" into "\r\n" and stop reading at a Ctrl+Z.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

Utf8StandardStreams::~Utf8StandardStreams() {
    SetConsoleOutputCP(m_previousCodePage);
}

}  // namespace korven
