#include "cli/CliTexts.h"
#include "cli/Commands.h"
#include "cli/StandardOutput.h"
#include "model/ModelTexts.h"
#include "platform/ConsoleOutput.h"
#include "platform/FileNames.h"
#include "platform/QtTranslation.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const korven::Utf8StandardStreams streams;
    // Qt's own error texts (a file that cannot be written, for instance) reach stderr too.
    korven::InstallQtTranslation();
    // Names the data folder that holds the backups, shared with the editor.
    QCoreApplication::setApplicationName(QStringLiteral("KorvenEdit"));
    korven::cli::StandardOutput output(stdout);
    QTextStream out(&output);
    QTextStream err(stderr);
    // Decoded from argv: Qt's own decoding loses file names that are not valid UTF-8.
    QStringList arguments = korven::ProcessArguments(argc, argv);
    arguments.prepend(QCoreApplication::applicationFilePath());
    const int status = korven::cli::RunCommandLine(arguments, out, err);
    out.flush();
    if (!output.finish() && !output.readerGone()) {
        err << korven::cli::texts::outputNotWritten() << '\n'
            << korven::texts::reasonLine(*output.failure()) << '\n';
    }
    err.flush();
    return output.failure() ? korven::cli::kExitFailure : status;
}
