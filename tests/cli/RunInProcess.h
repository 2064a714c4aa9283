#pragma once

#include "cli/Commands.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

// korvenedit-cli's command line run in the test's own process, with its streams captured.
namespace korven::fixtures {

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(QStringList arguments) {
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    arguments.prepend(QStringLiteral("korvenedit-cli"));
    result.status = cli::RunCommandLine(arguments, out, err);
    out.flush();
    err.flush();
    return result;
}

}  // namespace korven::fixtures
