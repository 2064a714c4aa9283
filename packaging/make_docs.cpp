// Fills the manual pages and the shell completion from the programs' own usage tables, so a
// command or option added to korvenedit-cli appears in all of them:
//   make_docs TEMPLATE OUTPUT
#include "app/StartupOptions.h"
#include "cli/CommandHelp.h"
#include "cli/FieldList.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

using namespace korven;

namespace {

// Text as roff reads it: backslashes and dashes escaped, no line starting a request.
QString roff(QString text) {
    text.replace(u'\\', QStringLiteral("\\e")).replace(u'-', QStringLiteral("\\-"));
    return text.startsWith(u'.') || text.startsWith(u'\'') ? QStringLiteral("\\&") + text : text;
}

bool isJapanese(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF);
}

// groff breaks lines only at spaces, and Japanese has none: a long sentence would overrun the
// line. A zero-width break point (\:) between two Japanese characters lets it break there,
// except before closing and after opening brackets and marks, which stay with their neighbour.
QString japaneseBreakPoints(const QString& page) {
    static const QString noBreakBefore =
        QStringLiteral("、。，．）」』】・ーぁぃぅぇぉっゃゅょァィゥェォッャュョ");
    static const QString noBreakAfter = QStringLiteral("（「『【");
    QStringList lines = page.split(u'\n');
    for (QString& line : lines) {
        if (line.startsWith(u'.') || line.startsWith(u'\'')) {
            continue;  // requests and macro calls keep their arguments whole
        }
        QString broken;
        for (qsizetype i = 0; i < line.size(); ++i) {
            broken += line[i];
            const bool between = i + 1 < line.size() && isJapanese(line[i]) && isJapanese(line[i + 1]);
            if (between && !noBreakAfter.contains(line[i]) && !noBreakBefore.contains(line[i + 1])) {
                broken += QStringLiteral("\\:");
            }
        }
        line = broken;
    }
    return lines.join(u'\n');
}

QString synopsisLine(const cli::CommandHelp& command) {
    return QStringLiteral(".B korvenedit\\-cli\n") + roff(command.name) + u' ' + roff(command.arguments) +
           QStringLiteral("\n.br\n");
}

QString commandsSection() {
    QString text;
    for (const cli::CommandHelp& command : cli::Commands()) {
        text += QStringLiteral(".TP\n.B ") + roff(command.name + u' ' + command.arguments) + u'\n' +
                roff(command.summary) + u'\n';
        for (const QString& paragraph : command.details) {
            text += QStringLiteral(".IP\n") + roff(paragraph) + u'\n';
        }
        if (!command.examples.isEmpty()) {
            text += QStringLiteral(".IP\n.EX\n");
            for (const QString& example : command.examples) {
                text += roff(example) + u'\n';
            }
            text += QStringLiteral(".EE\n");
        }
    }
    return text;
}

QString cliOptionsSection() {
    QString text;
    for (const cli::OptionHelp& option : cli::Options()) {
        text +=
            QStringLiteral(".TP\n.B ") + roff(option.synopsis()) + u'\n' + roff(option.description) + u'\n';
    }
    return text;
}

QString editorOptionsSection() {
    QString text;
    for (const startup::EditorOption& option : startup::EditorOptions()) {
        text += QStringLiteral(".TP\n.B ") + roff(option.synopsis) + u'\n' + roff(option.description) + u'\n';
    }
    return text;
}

QString exitStatusSection() {
    QString text;
    for (const cli::ExitStatusHelp& status : cli::ExitStatuses()) {
        text += QStringLiteral(".TP\n.B %1\n").arg(status.status) + roff(status.description) + u'\n';
    }
    return text;
}

QStringList optionWords(const cli::OptionHelp& option) {
    QStringList words{QStringLiteral("--") + option.longName};
    if (!option.shortName.isEmpty()) {
        words.prepend(u'-' + option.shortName);
    }
    return words;
}

QString commandNames() {
    QStringList names;
    for (const cli::CommandHelp& command : cli::Commands()) {
        names.append(command.name);
    }
    return names.join(u' ');
}

QString globalOptionWords() {
    QStringList words;
    for (const cli::OptionHelp& option : cli::Options()) {
        words += optionWords(option);
    }
    return words.join(u' ');
}

// One case branch per command: the options it takes.
QString commandOptionCases() {
    QString text;
    for (const cli::CommandHelp& command : cli::Commands()) {
        QStringList words;
        for (const QString& name : command.optionNames + cli::CommonOptionNames()) {
            words += optionWords(cli::FindOption(name));
        }
        text += QStringLiteral("        %1) options=\"%2\" ;;\n").arg(command.name, words.join(u' '));
    }
    return text;
}

// The options followed by a value, as a case pattern.
QString valueOptionPattern() {
    QStringList words;
    for (const cli::OptionHelp& option : cli::Options()) {
        if (!option.valueName.isEmpty()) {
            words += optionWords(option);
        }
    }
    return words.join(u'|');
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: make_docs TEMPLATE OUTPUT\n", stderr);
        return 2;
    }
    QFile input(QFile::decodeName(argv[1]));
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_docs: cannot read %s\n", argv[1]);
        return 1;
    }
    QString text = QString::fromUtf8(input.readAll());
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(KORVEN_VERSION_MAJOR)
                                .arg(KORVEN_VERSION_MINOR)
                                .arg(KORVEN_VERSION_PATCH);
    text.replace(QStringLiteral("@VERSION@"), version)
        .replace(QStringLiteral("@CLI_SYNOPSIS@\n"),
                 [] {
                     QString lines;
                     for (const cli::CommandHelp& command : cli::Commands()) {
                         lines += synopsisLine(command);
                     }
                     return lines;
                 }())
        .replace(QStringLiteral("@CLI_COMMANDS@\n"), commandsSection())
        .replace(QStringLiteral("@CLI_OPTIONS@\n"), cliOptionsSection())
        .replace(QStringLiteral("@CLI_EXIT_STATUS@\n"), exitStatusSection())
        .replace(QStringLiteral("@CLI_FIELD_KINDS@"), cli::FieldTables().join(u' '))
        .replace(QStringLiteral("@EDITOR_OPTIONS@\n"), editorOptionsSection())
        .replace(QStringLiteral("@CLI_COMMAND_NAMES@"), commandNames())
        .replace(QStringLiteral("@CLI_GLOBAL_OPTIONS@"), globalOptionWords())
        .replace(QStringLiteral("@CLI_COMMAND_OPTION_CASES@\n"), commandOptionCases())
        .replace(QStringLiteral("@CLI_VALUE_OPTIONS@"), valueOptionPattern());
    const QRegularExpressionMatch unknown = QRegularExpression(QStringLiteral("@[A-Z_]+@")).match(text);
    if (unknown.hasMatch()) {
        std::fprintf(stderr, "make_docs: unknown marker %s\n", qPrintable(unknown.captured()));
        return 1;
    }
    if (QRegularExpression(QStringLiteral("^\\.TH "), QRegularExpression::MultilineOption)
            .match(text)
            .hasMatch()) {
        text = japaneseBreakPoints(text);
    }
    QSaveFile output(QFile::decodeName(argv[2]));
    if (!output.open(QIODevice::WriteOnly) || output.write(text.toUtf8()) < 0 || !output.commit()) {
        std::fprintf(stderr, "make_docs: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
