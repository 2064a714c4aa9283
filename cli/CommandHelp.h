#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What korvenedit-cli can do, written once: the usage texts, `help COMMAND`, the manual page
// and the shell completion are all made from these tables.
namespace korven::cli {

struct OptionHelp {
    QString shortName;  // without the dash; may be empty
    QString longName;   // without the dashes
    QString valueName;  // empty for a switch
    QString description;
    // "-o, --output NEW"
    QString synopsis() const;
};

struct CommandHelp {
    QString name;
    QString arguments;  // after the command's name, as in the usage line
    QString summary;
    QStringList details;      // paragraphs
    QStringList examples;     // command lines
    QStringList optionNames;  // long names of the options it takes besides the common ones
};

struct ExitStatusHelp {
    int status;
    QString description;
};

const QList<CommandHelp>& Commands();
const QList<ExitStatusHelp>& ExitStatuses();
// Every option, in the order the usage lists them.
const QList<OptionHelp>& Options();
// The long names of the options every command takes.
QStringList CommonOptionNames();
const CommandHelp* FindCommand(const QString& name);
const OptionHelp& FindOption(const QString& longName);

// The whole tool's usage, and one command's.
QString Usage();
QString CommandUsage(const CommandHelp& command);

}  // namespace korven::cli
