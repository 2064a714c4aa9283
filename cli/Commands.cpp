#include "cli/Commands.h"

#include "cli/Assignment.h"
#include "cli/CheckCommand.h"
#include "cli/CliTexts.h"
#include "cli/CommandHelp.h"
#include "cli/CommandSupport.h"
#include "cli/EditsInput.h"
#include "cli/FieldList.h"
#include "cli/ModelJson.h"
#include "cli/RecipeEdits.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/RecordFields.h"
#include "model/SaveFileWriter.h"
#include "model/SaveInPlace.h"
#include "model/TurnCalendar.h"
#include "platform/PathAttributes.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace korven::cli {

namespace {

// Message boxes break lines with CR LF; a terminal wants LF.
QString consoleText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

MessageAnswer ConsoleMessages::show(const Message& message) {
    m_err << consoleText(message.text) << '\n';
    m_err.flush();
    return message.defaultAnswer;
}

void ConsoleStatus::showStatus(const QString& text) {
    if (m_err != nullptr) {
        *m_err << text << '\n';
        m_err->flush();
    }
}

ImageComparison CompareImages(QByteArrayView file, QByteArrayView composed, qsizetype maxOffsets) {
    ImageComparison result;
    result.fileSize = file.size();
    result.composedSize = composed.size();
    const qsizetype longer = std::max(file.size(), composed.size());
    for (qsizetype i = 0; i < longer; ++i) {
        if (i < file.size() && i < composed.size() && file[i] == composed[i]) {
            continue;
        }
        ++result.differingBytes;
        if (result.firstOffsets.size() < maxOffsets) {
            result.firstOffsets.append(i);
        }
    }
    return result;
}

std::optional<LoadedFile> load(const QString& path, LockMode mode, Console& console) {
    auto model = std::make_unique<SaveFile>();
    ConsoleStatus status(console.verbose ? &console.err : nullptr);
    ConsoleMessages messages(console.err);
    OpenedSaveFile opened = OpenSaveFile(path, mode, *model, status, messages);
    if (opened.outcome != OpenOutcome::Opened) {
        console.err << texts::fileLine(path) << '\n';
        return std::nullopt;
    }
    return LoadedFile{std::move(model), std::move(opened.handle)};
}

namespace {

QString labelled(const QString& label, const QString& value) {
    return label + QStringLiteral(": ") + value;
}

QString turnText(const Turn& t) {
    return texts::turnText(t.year, t.month, t.turn);
}

QString byteText(const QByteArray& image, qsizetype offset) {
    if (offset >= image.size()) {
        return QStringLiteral("--");
    }
    return QStringLiteral("%1")
        .arg(static_cast<unsigned char>(image[offset]), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// By identity, not by name: a hard link or another spelling of the input is the input.
bool sameFile(const QString& a, const QString& b) {
    const std::optional<FileIdentity> left = IdentityOf(a);
    const std::optional<FileIdentity> right = IdentityOf(b);
    return left && right && left->device == right->device && left->file == right->file;
}

}  // namespace

QStringList InfoLines(const QString& path, const SaveFile& m) {
    int shipClasses = 0;
    for (const ShipClassRecord& record : m.ShipClass) {
        shipClasses += record.Name.text().isEmpty() ? 0 : 1;
    }
    int japaneseShips = 0;
    int alliedShips = 0;
    for (int j = 0; j < SaveFile::kShips; ++j) {
        if (m.Ship[j].Words[ShipWord::NameNumber] != -1) {
            ++(j < SaveFile::kJapaneseShips ? japaneseShips : alliedShips);
        }
    }
    const int phase = m.TurnInfo[TurnInfoWord::Phase];
    const QString phaseText =
        phaseName(phase).value_or(texts::unknownPhase()) + QStringLiteral(" (%1)").arg(phase);
    const QString current = turnText(turnFromCounter(m.TurnInfo[TurnInfoWord::CurrentTurn])) +
                            QStringLiteral(" (%1)").arg(m.TurnInfo[TurnInfoWord::CurrentTurn]);

    return {
        labelled(texts::infoFile(), path),
        labelled(texts::infoSaveName(), m.saveNameText()),
        labelled(texts::infoScenarioNumber(), QString::number(m.TurnInfo[TurnInfoWord::Scenario])),
        labelled(texts::infoScenarioTitle(), m.ScenarioTitle.text()),
        labelled(texts::infoCurrentTurn(), current),
        labelled(texts::infoCurrentPhase(), phaseText),
        labelled(texts::infoStartTurn(),
                 turnText({m.TurnInfo[TurnInfoWord::StartYear], m.TurnInfo[TurnInfoWord::StartMonth],
                           m.TurnInfo[TurnInfoWord::StartTurn]})),
        labelled(texts::infoEndTurn(),
                 turnText({m.TurnInfo[TurnInfoWord::EndYear], m.TurnInfo[TurnInfoWord::EndMonth],
                           m.TurnInfo[TurnInfoWord::EndTurn]})),
        labelled(texts::infoShipClasses(), QString::number(shipClasses)),
        labelled(texts::infoJapaneseShips(), QString::number(japaneseShips)),
        labelled(texts::infoAlliedShips(), QString::number(alliedShips)),
        labelled(texts::infoAircraftTypes(), QString::number(SaveFile::kWrittenAircraftTypes)),
        labelled(texts::infoBases(), QString::number(m.LastBaseIndex + 1)),
        labelled(QStringLiteral("LastBaseIndex"), QString::number(m.LastBaseIndex)),
        labelled(QStringLiteral("HeaderEndPos"), QString::number(m.HeaderEndPos)),
        labelled(QStringLiteral("AircraftBlockPos"), QString::number(m.AircraftBlockPos)),
        labelled(QStringLiteral("ShipClassBlockPos"), QString::number(m.ShipClassBlockPos)),
        labelled(QStringLiteral("BaseBlockPos"), QString::number(m.BaseBlockPos)),
    };
}

int RunInfo(const QString& path, Console& console) {
    const std::optional<LoadedFile> loaded = load(path, LockMode::Unlocked, console);
    if (!loaded) {
        return kExitFailure;
    }
    for (const QString& line : InfoLines(path, *loaded->model)) {
        console.out << line << '\n';
    }
    return kExitOk;
}

int RunDump(const QString& path, Console& console) {
    const std::optional<LoadedFile> loaded = load(path, LockMode::Unlocked, console);
    if (!loaded) {
        return kExitFailure;
    }
    console.out << QString::fromUtf8(DumpModelJson(*loaded->model));
    return kExitOk;
}

int RunVerify(const QString& path, Console& console) {
    const std::optional<LoadedFile> loaded = load(path, LockMode::Unlocked, console);
    if (!loaded) {
        return kExitFailure;
    }
    ConsoleStatus status(console.verbose ? &console.err : nullptr);
    // The writer copies the bytes after the known part as they are, so only the known part can
    // differ; composing just that part keeps a save with large trailing data in memory once.
    const std::optional<QByteArray> composed = ComposeKnownPart(*loaded->model, status);
    if (!composed) {
        console.err << korven::texts::writeError() << '\n';
        return kExitFailure;
    }
    const QByteArray& file = loaded->model->image;
    const ImageComparison comparison = CompareImages(QByteArrayView(file).first(composed->size()), *composed);
    if (comparison.identical()) {
        console.out << texts::imagesIdentical(file.size()) << '\n';
        return kExitOk;
    }
    console.out << texts::imagesDiffer(comparison.differingBytes) << '\n';
    if (comparison.fileSize != comparison.composedSize) {
        console.out << texts::sizesDiffer(comparison.fileSize, comparison.composedSize) << '\n';
    }
    for (const qsizetype offset : comparison.firstOffsets) {
        console.out << QStringLiteral("  0x%1 (%2): %3 -> %4")
                           .arg(offset, 8, 16, QLatin1Char('0'))
                           .arg(offset)
                           .arg(byteText(file, offset), byteText(*composed, offset))
                    << '\n';
    }
    return kExitFailure;
}

int editAndSave(const QString& path, const SaveOptions& options, Console& console, const Edit& edit) {
    // --output promises that the input stays as it was.
    if (!options.outputPath.isEmpty() && sameFile(path, options.outputPath)) {
        console.err << texts::outputIsInput(options.outputPath) << '\n' << texts::nothingWritten() << '\n';
        return kExitFailure;
    }
    const bool inPlace = options.outputPath.isEmpty();
    // A copy leaves the original alone, so it is read as the commands that only look read.
    const std::optional<LoadedFile> loaded =
        load(path, inPlace && !options.dryRun ? LockMode::Normal : LockMode::Unlocked, console);
    if (!loaded) {
        return kExitFailure;
    }
    SaveFile& model = *loaded->model;
    ModelEditor editor(model);
    AssignmentResult result = edit(editor);
    editor.writeOverrides(console.err);
    if (result.skipped > 0) {
        console.err << texts::neverWrittenSkipped(result.skipped) << '\n';
    }
    if (result.ok()) {
        result = editor.finish(options.checkRanges);
    }
    if (!result.ok()) {
        console.err << result.message << '\n' << texts::nothingWritten() << '\n';
        return kExitFailure;
    }
    if (options.dryRun) {
        WritePreview(editor, console.out);
        return kExitOk;
    }
    const qsizetype changed = editor.changedFields();
    if (changed == 0) {
        console.err << texts::noChanges() << '\n';
        if (inPlace) {
            return kExitOk;
        }
        // The copy asked for is written all the same: the file's own bytes.
    }
    // The count is only said of a save that happened.
    ConsoleStatus status(console.verbose ? &console.err : nullptr);
    ConsoleMessages messages(console.err);
    if (inPlace) {
        const InPlaceOptions writing{BackupStore(console.backupFolder), true,
                                     console.force ? OnDiskChange::Overwrite : OnDiskChange::Refuse};
        const InPlaceSave saved = SaveInPlace(model, *loaded->handle, writing, status, messages);
        if (saved.result == InPlaceResult::Saved) {
            console.out << texts::totalChanged(changed) << '\n';
        }
        if (!saved.backup.isEmpty()) {
            console.out << korven::texts::backupMade(saved.backup) << '\n';
        }
        if (saved.result == InPlaceResult::Refused) {
            console.err << consoleText(korven::texts::changedOnDisk(saved.backup)) << '\n'
                        << texts::useForce() << '\n'
                        << texts::nothingWritten() << '\n';
            return kExitFailure;
        }
        if (saved.result != InPlaceResult::Saved) {
            console.err << texts::fileLine(path) << '\n';
            return kExitFailure;
        }
        if (saved.inPlace) {
            console.out << korven::texts::rewrittenInPlace() << '\n';
        }
        console.out << texts::saved(path) << '\n';
        return kExitOk;
    }
    const Result<SavedAs, Reported> copy =
        WriteSaveFileAs(model, options.outputPath, BackupStore(console.backupFolder), status, messages);
    if (!copy) {
        console.err << texts::fileLine(options.outputPath) << '\n';
        return kExitFailure;
    }
    if (changed > 0) {
        console.out << texts::totalChanged(changed) << '\n';
    }
    if (copy->backup) {
        console.out << korven::texts::backupMade(*copy->backup) << '\n';
    }
    console.out << texts::saved(options.outputPath) << '\n';
    return kExitOk;
}

namespace {

// Assignments one after the other; those that select many records say how many fields they
// changed.
// `refusedLine`, when given, is set to the line of a refused assignment.
AssignmentResult assignAll(ModelEditor& editor, const std::vector<EditLine>& lines, Console& console,
                           qsizetype* refusedLine = nullptr) {
    for (const EditLine& line : lines) {
        const AssignmentResult result = editor.assign(line.assignment, line.number);
        if (!result.ok()) {
            if (refusedLine != nullptr) {
                *refusedLine = line.number;
            }
            return result;
        }
        if (result.selectsMany) {
            console.out << texts::fieldsChanged(line.assignment, result.changed) << '\n';
        }
    }
    return {};
}

}  // namespace

int RunSet(const QString& path, const QStringList& assignments, const SaveOptions& options,
           Console& console) {
    std::vector<EditLine> lines;
    for (const QString& assignment : assignments) {
        lines.push_back({0, assignment});
    }
    return editAndSave(path, options, console,
                       [&](ModelEditor& editor) { return assignAll(editor, lines, console); });
}

int RunApply(const QString& path, const QByteArray& edits, const SaveOptions& options, Console& console) {
    const EditsInput input = ParseEdits(edits);
    // Nothing but blanks and comments is no edit; a copy asked for is written all the same, as
    // with `{}`.
    const bool copyAsIs = input.error == texts::noEdits() && !options.outputPath.isEmpty();
    if (!input.error.isEmpty() && !copyAsIs) {
        console.err << input.error << '\n' << texts::nothingWritten() << '\n';
        return kExitFailure;
    }
    return editAndSave(path, options, console, [&](ModelEditor& editor) {
        if (input.kind == EditsInput::Kind::Json) {
            return editor.applyJson(input.json);
        }
        // What the assignments say is held back until it is known they stand, not a recipe.
        QString said;
        QTextStream saying(&said);
        Console held{saying, console.err, console.verbose, console.backupFolder, console.force};
        qsizetype refusedLine = 0;
        const AssignmentResult result = assignAll(editor, input.lines, held, &refusedLine);
        if (!result.ok() && MayBeRecipe(result.error)) {
            if (std::optional<AssignmentResult> recipe = ApplyAsRecipe(
                    editor, input.text, refusedLine, result.error == AssignmentError::NoMatch, console.out)) {
                return *recipe;
            }
        }
        saying.flush();
        console.out << said;
        return result;
    });
}

int RunDiff(const QString& pathA, const QString& pathB, bool json, Console& console) {
    const std::optional<LoadedFile> a = load(pathA, LockMode::Unlocked, console);
    if (!a) {
        return kExitUnreadable;
    }
    const std::optional<LoadedFile> b = load(pathB, LockMode::Unlocked, console);
    if (!b) {
        return kExitUnreadable;
    }
    const std::vector<FieldChange> changes = DiffModels(*a->model, *b->model);
    if (json) {
        console.out << QString::fromUtf8(QJsonDocument(DiffJson(changes)).toJson(QJsonDocument::Indented));
    } else {
        for (const QString& line : DiffLines(changes)) {
            console.out << line << '\n';
        }
    }
    return changes.empty() ? kExitOk : kExitFailure;
}

int RunFields(const std::optional<QString>& kind, bool markdown, Console& console) {
    console.out << (markdown ? FieldsMarkdown() : FieldsText(kind));
    return kExitOk;
}

namespace {

struct ReadEdits {
    std::optional<QByteArray> bytes;  // none: unreadable, or larger than kEditsLimit
    bool tooLarge = false;
};

// Reads piece by piece with `read` (bytes read, or -1) and stops once past the limit: an endless
// input such as /dev/zero must not fill the memory. `expectedSize`, a regular file's size, is
// room made at once: growing a buffer of megabytes copies it and touches fresh pages each time,
// which cost apply more than parsing the edits.
template <typename Read>
ReadEdits readBounded(Read read, qint64 expectedSize = 0) {
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(expectedSize));
    char buffer[1 << 16];
    qint64 n;
    while ((n = read(buffer, qint64{sizeof buffer})) > 0) {
        if (bytes.size() + n > kEditsLimit) {
            return {std::nullopt, true};
        }
        bytes.append(buffer, static_cast<qsizetype>(n));
    }
    return n < 0 ? ReadEdits{} : ReadEdits{std::move(bytes)};
}

ReadEdits readEdits(const QString& editsPath) {
    if (editsPath == u"-") {
        // With the C library: on Windows Qt reports the end of a pipe as a read error.
        return readBounded([](char* buffer, qint64 size) -> qint64 {
            const size_t n = std::fread(buffer, 1, static_cast<size_t>(size), stdin);
            return n == 0 && std::ferror(stdin) ? -1 : static_cast<qint64>(n);
        });
    }
    QFile file(editsPath);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    if (file.size() > kEditsLimit) {  // known before reading, for a regular file
        return {std::nullopt, true};
    }
    return readBounded([&file](char* buffer, qint64 size) { return file.read(buffer, size); }, file.size());
}

}  // namespace

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    auto option = [](const QString& longName) {
        const OptionHelp& help = FindOption(longName);
        QStringList names{help.longName};
        if (!help.shortName.isEmpty()) {
            names.prepend(help.shortName);
        }
        return QCommandLineOption(names, help.description, help.valueName);
    };
    QCommandLineParser parser;
    const QCommandLineOption outputOption = option(QStringLiteral("output"));
    const QCommandLineOption checkOption = option(QStringLiteral("check"));
    const QCommandLineOption jsonOption = option(QStringLiteral("json"));
    const QCommandLineOption markdownOption = option(QStringLiteral("markdown"));
    const QCommandLineOption verboseOption = option(QStringLiteral("verbose"));
    const QCommandLineOption helpOption = option(QStringLiteral("help"));
    const QCommandLineOption versionOption = option(QStringLiteral("version"));
    const QCommandLineOption forceOption = option(QStringLiteral("force"));
    const QCommandLineOption fixOption = option(QStringLiteral("fix"));
    const QCommandLineOption dryRunOption = option(QStringLiteral("dry-run"));
    const QCommandLineOption recipeOption = option(QStringLiteral("recipe"));
    parser.addOptions({outputOption, checkOption, jsonOption, markdownOption, forceOption, fixOption,
                       dryRunOption, recipeOption, verboseOption, helpOption, versionOption});

    auto usageError = [&err](const QString& text) {
        err << text << '\n' << Usage();
        err.flush();
        return kExitUsage;
    };
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    QStringList args = parser.positionalArguments();
    // "COMMAND --help" and "help COMMAND" give that command's usage; anything else the whole list.
    if (parser.isSet(helpOption) || args.value(0) == u"help") {
        const QString named = args.value(0) == u"help" ? args.value(1) : args.value(0);
        if (args.value(0) == u"help" && !named.isEmpty() && FindCommand(named) == nullptr) {
            return usageError(texts::unknownCommand(named));
        }
        const CommandHelp* command = FindCommand(named);
        out << (command != nullptr ? CommandUsage(*command) : Usage());
        return kExitOk;
    }
    if (parser.isSet(versionOption)) {
        out << QStringLiteral("korvenedit-cli %1.%2.%3\n")
                   .arg(KORVEN_VERSION_MAJOR)
                   .arg(KORVEN_VERSION_MINOR)
                   .arg(KORVEN_VERSION_PATCH);
        return kExitOk;
    }

    if (args.isEmpty()) {
        return usageError(texts::noCommand());
    }
    const QString command = args.takeFirst();
    const CommandHelp* help = FindCommand(command);
    if (help == nullptr || command == u"help") {
        return usageError(texts::unknownCommand(command));
    }
    // A command takes the options its usage lists.
    for (const QCommandLineOption* limited : {&outputOption, &checkOption, &forceOption, &jsonOption,
                                              &markdownOption, &fixOption, &dryRunOption, &recipeOption}) {
        const QString longName = limited->names().constLast();
        if (parser.isSet(*limited) && !help->optionNames.contains(longName)) {
            return usageError(texts::optionNotFor(QStringLiteral("--") + longName, command));
        }
    }
    if (parser.isSet(outputOption) && parser.value(outputOption).isEmpty()) {
        return usageError(texts::wrongArguments(command));
    }

    Console console{out, err, parser.isSet(verboseOption)};
    console.force = parser.isSet(forceOption);
    const SaveOptions saving{parser.value(outputOption), parser.isSet(checkOption),
                             parser.isSet(dryRunOption)};
    if (command == u"set") {
        if (args.isEmpty()) {
            return usageError(texts::wrongArguments(command));
        }
        const QString path = args.takeFirst();
        if (args.isEmpty()) {
            return usageError(texts::noAssignments());
        }
        return RunSet(path, args, saving, console);
    }
    if (command == u"apply") {
        if (args.size() != 2) {
            return usageError(texts::wrongArguments(command));
        }
        const ReadEdits contents = readEdits(args[1]);
        if (!contents.bytes) {
            err << (contents.tooLarge ? texts::editsTooLarge() : texts::cannotReadEdits(args[1])) << '\n'
                << texts::nothingWritten() << '\n';
            return kExitFailure;
        }
        return RunApply(args[0], *contents.bytes, saving, console);
    }
    if (command == u"diff") {
        if (args.size() != 2) {
            return usageError(texts::wrongArguments(command));
        }
        if (parser.isSet(recipeOption)) {
            return parser.isSet(jsonOption) ? usageError(texts::wrongArguments(command))
                                            : RunDiffRecipe(args[0], args[1], console);
        }
        return RunDiff(args[0], args[1], parser.isSet(jsonOption), console);
    }
    if (command == u"check") {
        const bool fix = parser.isSet(fixOption);
        const bool json = parser.isSet(jsonOption);
        if (args.size() != 1 || (fix && json) || (parser.isSet(outputOption) && !fix) ||
            (parser.isSet(forceOption) && !fix)) {
            return usageError(texts::wrongArguments(command));
        }
        return fix ? RunCheckFix(args[0], saving, console) : RunCheck(args[0], json, console);
    }
    if (command == u"fields") {
        if (args.size() > 1) {
            return usageError(texts::wrongArguments(command));
        }
        const QStringList kinds = FieldTables();
        if (!args.isEmpty() && !kinds.contains(args[0])) {
            return usageError(texts::unknownKind(args[0], kinds));
        }
        const std::optional<QString> kind = args.isEmpty() ? std::nullopt : std::optional(args[0]);
        if (parser.isSet(jsonOption)) {
            if (parser.isSet(markdownOption)) {
                return usageError(texts::wrongArguments(command));
            }
            out << FieldsJson(kind);
            return kExitOk;
        }
        return RunFields(kind, parser.isSet(markdownOption), console);
    }
    if (args.size() != 1) {
        return usageError(texts::wrongArguments(command));
    }
    if (command == u"info") {
        return RunInfo(args[0], console);
    }
    if (command == u"dump") {
        return RunDump(args[0], console);
    }
    return RunVerify(args[0], console);
}

}  // namespace korven::cli
