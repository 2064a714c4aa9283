// korvenedit-cli as a user runs it: the real program started on a copy of the demo save,
// `apply COPY dump.json` (an unedited dump: writes nothing) and `apply COPY edits.txt` (10 000
// assignments: a backup, then the atomic save) against `verify COPY`, each from start to exit.
// The copy is put back and its backup removed before each run that writes, so every run does
// the same work; the backups go to a data folder of our own. Prints `ratio NAME VALUE` from
// the medians of the real times, and the same quotients of the programs' processor time. A
// bare program that only reads and parses the dump shows the floor reading and parsing set.
#include "bench/CliEdits.h"
#include "bench/RatioReporter.h"
#include "tests/support/FileContents.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace korven;

struct Setup {
    QTemporaryDir dir;
    QString copy;
    QByteArray original;
    QString dump;
    QString edits;
    QString backups;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

Setup* setup = nullptr;

// Processor time of the finished runs of each benchmark (all repetitions), from the kernel's
// account of the children this process waited for.
struct ChildTime {
    double seconds = 0;
    double runs = 0;
};
std::map<std::string, ChildTime> childTimes;

double childSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool writeCopy() {
    QFile file(setup->copy);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(setup->original) == setup->original.size();
}

// The backups, but not their group folder: each run then writes one backup as the first of
// an existing group, as for a save backed up before whose contents have changed since.
bool removeBackups() {
    QDirIterator it(setup->backups, {QStringLiteral("*.bak")}, QDir::Files, QDirIterator::Subdirectories);
    bool removed = true;
    while (it.hasNext()) {
        removed = QFile::remove(it.next()) && removed;
    }
    return removed;
}

bool runQuietly(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(setup->environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool runCli(const QStringList& arguments) {
    return runQuietly(QStringLiteral(KORVEN_CLI_BINARY), arguments);
}

// `restore`: put the copy back and remove its backups before each run, outside the timing.
void runEach(benchmark::State& state, const std::string& name, const QStringList& arguments, bool restore,
             const QString& program = QStringLiteral(KORVEN_CLI_BINARY)) {
    ChildTime& time = childTimes[name];
    for (auto _ : state) {
        if (restore) {
            state.PauseTiming();
            const bool restored = writeCopy() && removeBackups();
            // On disk, as a save a user edits is: otherwise the run's own flush pays for ours.
            ::sync();
            state.ResumeTiming();
            if (!restored) {
                state.SkipWithError("cannot restore the copy");
                break;
            }
        }
        const double before = childSeconds();
        if (!runQuietly(program, arguments)) {
            state.SkipWithError("the program failed");
            break;
        }
        time.seconds += childSeconds() - before;
        time.runs += 1;
    }
}

void Verify(benchmark::State& state) {
    runEach(state, "Verify", {QStringLiteral("verify"), setup->copy}, false);
}
void ApplyUneditedDump(benchmark::State& state) {
    runEach(state, "ApplyUneditedDump", {QStringLiteral("apply"), setup->copy, setup->dump}, false);
}
void Apply10kAssignments(benchmark::State& state) {
    runEach(state, "Apply10kAssignments", {QStringLiteral("apply"), setup->copy, setup->edits}, true);
}
// The same dump taken in by a program that does nothing else.
void BareJsonParse(benchmark::State& state) {
    runEach(state, "BareJsonParse", {setup->dump}, false, QStringLiteral(KORVEN_BARE_JSON_BINARY));
}

double meanChildSeconds(const std::string& name) {
    const ChildTime& time = childTimes[name];
    return time.runs > 0 ? time.seconds / time.runs : 0;
}

using fixtures::writeFile;

}  // namespace

int main(int argc, char** argv) {
    bench::initialize(argc, argv);

    Setup s;
    setup = &s;
    const QString data = s.dir.filePath(QStringLiteral("data"));
    s.environment.insert(QStringLiteral("XDG_DATA_HOME"), data);
    s.environment.insert(QStringLiteral("HOME"), s.dir.filePath(QStringLiteral("home")));
    s.backups = data + QStringLiteral("/KorvenEdit/backups");
    s.copy = s.dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    s.dump = s.dir.filePath(QStringLiteral("dump.json"));
    s.edits = s.dir.filePath(QStringLiteral("edits.txt"));
    QFile demo(QStringLiteral(KORVEN_DEMO_SAVE));
    if (!s.dir.isValid() || !demo.open(QIODevice::ReadOnly)) {
        std::fputs("cannot read the demo save\n", stderr);
        return 1;
    }
    s.original = demo.readAll();
    if (!writeCopy() || !writeFile(s.edits, bench::shipFuelAssignments(10000))) {
        std::fputs("cannot write the benchmark files\n", stderr);
        return 1;
    }
    QProcess dump;
    dump.setStandardOutputFile(s.dump);
    dump.start(QStringLiteral(KORVEN_CLI_BINARY), {QStringLiteral("dump"), s.copy});
    if (!dump.waitForFinished(60000) || dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        std::fputs("korvenedit-cli dump failed\n", stderr);
        return 1;
    }

    // One run to make the group folder of the copy's backups.
    if (!runCli({QStringLiteral("apply"), s.copy, s.edits}) || !writeCopy()) {
        std::fputs("korvenedit-cli apply failed\n", stderr);
        return 1;
    }

    for (const auto& [name, function] :
         {std::pair{"Verify", &Verify}, std::pair{"ApplyUneditedDump", &ApplyUneditedDump},
          std::pair{"Apply10kAssignments", &Apply10kAssignments},
          std::pair{"BareJsonParse", &BareJsonParse}}) {
        benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kMillisecond)->UseRealTime();
    }

    bench::RatioReporter reporter;
    reporter.run();

    reporter.printRatio("apply_unedited_dump_process_vs_verify", "ApplyUneditedDump", "Verify");
    reporter.printRatio("apply_10k_assignments_process_vs_verify", "Apply10kAssignments", "Verify");
    // The floor reading and parsing the dump set, and how far apply stays above it.
    reporter.printRatio("bare_json_parse_process_vs_verify", "BareJsonParse", "Verify");
    reporter.printRatio("apply_unedited_dump_process_vs_bare_json_parse", "ApplyUneditedDump",
                        "BareJsonParse");
    // The programs' processor time (means over all runs): what is left is waiting, mostly
    // for the disk to confirm the save.
    const double verify = meanChildSeconds("Verify");
    bench::RatioReporter::printRatio("apply_unedited_dump_process_cpu_vs_verify",
                                     meanChildSeconds("ApplyUneditedDump"), verify);
    bench::RatioReporter::printRatio("apply_10k_assignments_process_cpu_vs_verify",
                                     meanChildSeconds("Apply10kAssignments"), verify);
    return 0;
}
