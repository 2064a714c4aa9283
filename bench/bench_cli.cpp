// korvenedit-cli's apply against verify on the demo save: an unedited dump, 10 000 and
// 100 000 assignments, each from reading the file to knowing what would be written (the
// write itself is the file core's, measured by bench_file_core). Prints `ratio NAME VALUE`.
#include "bench/CliEdits.h"
#include "bench/RatioReporter.h"
#include "cli/Assignment.h"
#include "cli/Commands.h"
#include "cli/EditsInput.h"
#include "cli/ModelJson.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileWriter.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

using namespace korven;

struct Inputs {
    QTemporaryDir dir;
    QString path;
    QByteArray dump;
    QByteArray assignments10k;
    QByteArray assignments100k;
};

Inputs* inputs = nullptr;

std::unique_ptr<SaveFile> open(OpenedSaveFile& opened) {
    auto model = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    opened = OpenSaveFile(inputs->path, LockMode::ReadOnly, *model, status, messages);
    return opened.outcome == OpenOutcome::Opened ? std::move(model) : nullptr;
}

void Verify(benchmark::State& state) {
    NullStatus status;
    for (auto _ : state) {
        OpenedSaveFile opened;
        const auto model = open(opened);
        const std::optional<QByteArray> composed = model ? ComposeSaveImage(*model, status) : std::nullopt;
        if (!composed || !cli::CompareImages(model->image, *composed).identical()) {
            state.SkipWithError("the demo save does not verify");
            break;
        }
    }
}

void apply(benchmark::State& state, const QByteArray& edits, bool expectChanges) {
    for (auto _ : state) {
        OpenedSaveFile opened;
        const auto model = open(opened);
        const cli::EditsInput input = cli::ParseEdits(edits);
        if (!model || !input.error.isEmpty()) {
            state.SkipWithError("the inputs do not load");
            break;
        }
        cli::ModelEditor editor(*model);
        cli::AssignmentResult result;
        if (input.kind == cli::EditsInput::Kind::Json) {
            result = editor.applyJson(input.json);
        } else {
            for (const cli::EditLine& line : input.lines) {
                result = editor.assign(line.assignment, line.number);
                if (!result.ok()) {
                    break;
                }
            }
        }
        if (result.ok()) {
            result = editor.finish(false);
        }
        const bool changed = editor.changedFields() > 0;
        if (!result.ok() || changed != expectChanges) {
            state.SkipWithError("the edits did not apply as expected");
            break;
        }
    }
}

void ApplyUneditedDump(benchmark::State& state) {
    apply(state, inputs->dump, false);
}
void Apply10kAssignments(benchmark::State& state) {
    apply(state, inputs->assignments10k, true);
}
void Apply100kAssignments(benchmark::State& state) {
    apply(state, inputs->assignments100k, true);
}

}  // namespace

int main(int argc, char** argv) {
    bench::initialize(argc, argv);

    Inputs setup;
    inputs = &setup;
    setup.path = setup.dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    QFile file(setup.path);
    const QByteArray image = fixtures::SaveImageBuilder().build();
    if (!setup.dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(image) != image.size()) {
        std::fputs("cannot write the benchmark file\n", stderr);
        return 1;
    }
    file.close();
    OpenedSaveFile opened;
    const auto model = open(opened);
    if (!model) {
        std::fputs("the benchmark file does not load\n", stderr);
        return 1;
    }
    setup.dump = cli::DumpModelJson(*model);
    opened = {};
    setup.assignments10k = bench::shipFuelAssignments(10000);
    setup.assignments100k = bench::shipFuelAssignments(100000);

    for (const auto& [name, function] :
         {std::pair{"Verify", &Verify}, std::pair{"ApplyUneditedDump", &ApplyUneditedDump},
          std::pair{"Apply10kAssignments", &Apply10kAssignments},
          std::pair{"Apply100kAssignments", &Apply100kAssignments}}) {
        benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kMillisecond)->UseRealTime();
    }

    bench::RatioReporter reporter;
    reporter.run();

    reporter.printRatio("apply_unedited_dump_vs_verify", "ApplyUneditedDump", "Verify");
    reporter.printRatio("apply_10k_assignments_vs_verify", "Apply10kAssignments", "Verify");
    // Against one second: the seconds 100 000 assignments take.
    bench::RatioReporter::printRatio("apply_100k_assignments_seconds",
                                     reporter.median("Apply100kAssignments"), 1.0);
    return 0;
}
