#include "cli/Commands.h"

#include "cli/Assignment.h"
#include "cli/CliTexts.h"
#include "cli/ModelJson.h"
#include "model/ModelTexts.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileWriter.h"
#include "model/SaveInPlace.h"
#include "model/TurnCalendar.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <algorithm>
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

namespace {

struct LoadedFile {
    std::unique_ptr<SaveFile> model;
    std::unique_ptr<LockedFile> handle;
};

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

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo left(a);
    const QFileInfo right(b);
    return left.exists() && right.exists() && left.canonicalFilePath() == right.canonicalFilePath();
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
        if (m.Ship[j].Words[2] != -1) {
            ++(j < SaveFile::kJapaneseShips ? japaneseShips : alliedShips);
        }
    }
    const int phase = m.TurnInfo[1];
    const QString phaseText =
        phaseName(phase).value_or(texts::unknownPhase()) + QStringLiteral(" (%1)").arg(phase);
    const QString current =
        turnText(turnFromCounter(m.TurnInfo[0])) + QStringLiteral(" (%1)").arg(m.TurnInfo[0]);

    return {
        labelled(texts::infoFile(), path),
        labelled(texts::infoSaveName(), m.saveNameText()),
        labelled(texts::infoScenarioNumber(), QString::number(m.TurnInfo[2])),
        labelled(texts::infoScenarioTitle(), m.ScenarioTitle.text()),
        labelled(texts::infoCurrentTurn(), current),
        labelled(texts::infoCurrentPhase(), phaseText),
        labelled(texts::infoStartTurn(), turnText({m.TurnInfo[3], m.TurnInfo[4], m.TurnInfo[5]})),
        labelled(texts::infoEndTurn(), turnText({m.TurnInfo[6], m.TurnInfo[7], m.TurnInfo[8]})),
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
    const std::optional<LoadedFile> loaded = load(path, LockMode::ReadOnly, console);
    if (!loaded) {
        return kExitFailure;
    }
    for (const QString& line : InfoLines(path, *loaded->model)) {
        console.out << line << '\n';
    }
    return kExitOk;
}

int RunDump(const QString& path, Console& console) {
    const std::optional<LoadedFile> loaded = load(path, LockMode::ReadOnly, console);
    if (!loaded) {
        return kExitFailure;
    }
    console.out << QString::fromUtf8(DumpModelJson(*loaded->model));
    return kExitOk;
}

int RunVerify(const QString& path, Console& console) {
    const std::optional<LoadedFile> loaded = load(path, LockMode::ReadOnly, console);
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

int RunSet(const QString& path, const QStringList& assignments, const QString& outputPath, Console& console) {
    const bool inPlace = outputPath.isEmpty() || sameFile(path, outputPath);
    // A copy leaves the original alone, so reading it under a shared lock is enough.
    const std::optional<LoadedFile> loaded =
        load(path, inPlace ? LockMode::Normal : LockMode::ReadOnly, console);
    if (!loaded) {
        return kExitFailure;
    }
    SaveFile& model = *loaded->model;
    const AssignmentResult result = ApplyAssignments(model, assignments);
    if (!result.ok()) {
        console.err << result.message << '\n' << texts::nothingWritten() << '\n';
        return kExitFailure;
    }

    ConsoleStatus status(console.verbose ? &console.err : nullptr);
    if (inPlace) {
        ConsoleMessages messages(console.err);
        const InPlaceOptions options{BackupStore(console.backupFolder), true,
                                     console.force ? OnDiskChange::Overwrite : OnDiskChange::Refuse};
        const InPlaceSave saved = SaveInPlace(model, *loaded->handle, options, status, messages);
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
        console.out << texts::saved(path) << '\n';
        return kExitOk;
    }
    ConsoleMessages messages(console.err);
    const SavedAs copy =
        WriteSaveFileAs(model, outputPath, BackupStore(console.backupFolder), status, messages);
    if (!copy.handle) {
        console.err << texts::fileLine(outputPath) << '\n';
        return kExitFailure;
    }
    if (copy.backup) {
        console.out << korven::texts::backupMade(*copy.backup) << '\n';
    }
    console.out << texts::saved(outputPath) << '\n';
    return kExitOk;
}

int RunDiff(const QString& pathA, const QString& pathB, Console& console) {
    const std::optional<LoadedFile> a = load(pathA, LockMode::ReadOnly, console);
    if (!a) {
        return kExitFailure;
    }
    const std::optional<LoadedFile> b = load(pathB, LockMode::ReadOnly, console);
    if (!b) {
        return kExitFailure;
    }
    const QStringList lines = DiffLines(DiffModels(*a->model, *b->model));
    for (const QString& line : lines) {
        console.out << line << '\n';
    }
    return lines.isEmpty() ? kExitOk : kExitFailure;
}

int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    const QCommandLineOption outputOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                          QString(), QStringLiteral("NEW"));
    const QCommandLineOption verboseOption(QStringList{QStringLiteral("v"), QStringLiteral("verbose")});
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption versionOption(QStringLiteral("version"));
    const QCommandLineOption forceOption(QStringLiteral("force"));
    parser.addOptions({outputOption, verboseOption, helpOption, versionOption, forceOption});

    auto usageError = [&err](const QString& text) {
        err << text << '\n' << texts::usage();
        err.flush();
        return kExitUsage;
    };
    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(helpOption)) {
        out << texts::usage();
        return kExitOk;
    }
    if (parser.isSet(versionOption)) {
        out << QStringLiteral("korvenedit-cli %1.%2.%3\n")
                   .arg(KORVEN_VERSION_MAJOR)
                   .arg(KORVEN_VERSION_MINOR)
                   .arg(KORVEN_VERSION_PATCH);
        return kExitOk;
    }

    QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        return usageError(texts::noCommand());
    }
    const QString command = args.takeFirst();
    const bool known = command == u"info" || command == u"dump" || command == u"verify" ||
                       command == u"set" || command == u"diff";
    if (!known) {
        return usageError(texts::unknownCommand(command));
    }
    if (parser.isSet(outputOption) && command != u"set") {
        return usageError(texts::outputOnlyForSet());
    }
    if (parser.isSet(forceOption) && command != u"set") {
        return usageError(texts::forceOnlyForSet());
    }

    Console console{out, err, parser.isSet(verboseOption)};
    console.force = parser.isSet(forceOption);
    if (command == u"set") {
        if (args.isEmpty()) {
            return usageError(texts::wrongArguments(command));
        }
        const QString path = args.takeFirst();
        if (args.isEmpty()) {
            return usageError(texts::noAssignments());
        }
        if (parser.isSet(outputOption) && parser.value(outputOption).isEmpty()) {
            return usageError(texts::wrongArguments(command));
        }
        return RunSet(path, args, parser.value(outputOption), console);
    }
    if (command == u"diff") {
        if (args.size() != 2) {
            return usageError(texts::wrongArguments(command));
        }
        return RunDiff(args[0], args[1], console);
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
