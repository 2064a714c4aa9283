#pragma once

#include "platform/Backups.h"

#include "model/SaveFile.h"
#include "platform/Sinks.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTextStream>

#include <optional>

// The commands of korvenedit-cli. Each writes its result to `out`, problems to `err`, and
// returns the exit status.
namespace korven::cli {

enum ExitStatus : int {
    kExitOk = 0,
    kExitFailure = 1,  // a problem with a file or an assignment; diff: the models differ
    kExitUsage = 2,
    kExitUnreadable = 3,  // diff: a file that cannot be read
};

struct Console {
    QTextStream& out;
    QTextStream& err;
    bool verbose = false;
    QString backupFolder = BackupStore::defaultFolder();  // where `set` keeps the file it replaces
    bool force = false;  // `set` writes over a file that changed on disk since it was loaded
};

// Prints the core's messages on the error stream, one line each.
class ConsoleMessages : public MessageSink {
public:
    explicit ConsoleMessages(QTextStream& err) : m_err(err) {}
    MessageAnswer show(const Message& message) override;

private:
    QTextStream& m_err;
};

// Discards progress texts, or prints them on the error stream when asked to.
class ConsoleStatus : public StatusSink {
public:
    explicit ConsoleStatus(QTextStream* err) : m_err(err) {}
    void showStatus(const QString& text) override;

private:
    QTextStream* m_err;
};

struct ImageComparison {
    qsizetype fileSize = 0;
    qsizetype composedSize = 0;
    qsizetype differingBytes = 0;   // bytes beyond the shorter image count as differing
    QList<qsizetype> firstOffsets;  // 0-based
    bool identical() const { return differingBytes == 0; }
};

ImageComparison CompareImages(QByteArrayView file, QByteArrayView composed, qsizetype maxOffsets = 16);

// The lines of `info` for a loaded model.
QStringList InfoLines(const QString& path, const SaveFile& model);

int RunInfo(const QString& path, Console& console);
int RunDump(const QString& path, Console& console);
int RunVerify(const QString& path, Console& console);
// What set and apply do besides editing.
struct SaveOptions {
    QString outputPath;        // empty: save in place; else save there and leave the file untouched
    bool checkRanges = false;  // --check
    bool dryRun = false;       // --dry-run: show what would change, write nothing
};

int RunSet(const QString& path, const QStringList& assignments, const SaveOptions& options, Console& console);
// `edits` is the edits document's contents (a file's, or standard input's).
int RunApply(const QString& path, const QByteArray& edits, const SaveOptions& options, Console& console);
int RunDiff(const QString& pathA, const QString& pathB, bool json, Console& console);
int RunFields(const std::optional<QString>& kind, bool markdown, Console& console);

// Parses the arguments (the program name first) and runs the command.
int RunCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace korven::cli
