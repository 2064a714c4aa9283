// The open document's edit history, the change review and the health check, each against one
// 16 ms frame: the user presses Ctrl+Z or opens the review and expects the window at once, and
// the status bar's count follows every edit. After the table it
// prints `ratio NAME VALUE` lines from the medians of this run.
#include "bench/DemoDocument.h"
#include "bench/RatioReporter.h"
#include "catalogue/ReferenceTables.h"
#include "document/OpenDocument.h"
#include "editors/EditSession.h"
#include "mainwindow/ChangeRows.h"
#include "model/ModelDiff.h"
#include "model/RecordFields.h"
#include "model/SaveFileLoader.h"
#include "model/SaveRules.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

using namespace korven;

constexpr double kFrameSeconds = 0.016;

OpenDocument* document = nullptr;

// A one-field edit of an individual ship's fuel, as a dialog's store leads to it.
ChangeSet fuelEdit() {
    const int16_t fuel = document->model()->Ship[7].Words[ShipWord::CurrentFuel];
    return {QStringLiteral("長門"),
            {*ChangeTo(*document->model(), QStringLiteral("Ship[7].Words[6]"), fuel + 1)}};
}

// What one OK of an edit dialog costs: the dialog's copy compared with the model, and the step.
void DialogStore(benchmark::State& state) {
    for (auto _ : state) {
        EditSession session(*document, QStringLiteral("長門"), QStringLiteral("長門"), {});
        session.file.Ship[7].Words[ShipWord::CurrentFuel] =
            static_cast<int16_t>(session.file.Ship[7].Words[ShipWord::CurrentFuel] + 1);
        session.commit();
        // Undone at once, so the next store replaces the step and memory stays flat.
        state.PauseTiming();
        document->undo();
        state.ResumeTiming();
    }
}

// The heap one step of a one-field edit keeps, from glibc's count of the bytes in use: the
// first step is left out, as it sets up the stack's own storage.
void BytesPerOneFieldStep(benchmark::State& state) {
    constexpr int kSteps = 1000;
    double perStep = 0;
    for (auto _ : state) {
        document->apply(fuelEdit());
        const std::size_t before = mallinfo2().uordblks;
        for (int n = 0; n < kSteps; ++n) {
            document->apply(fuelEdit());
        }
        perStep = static_cast<double>(mallinfo2().uordblks - before) / kSteps;
        state.PauseTiming();
        while (document->undo()) {
        }
        state.ResumeTiming();
    }
    state.counters["bytes_per_step"] = perStep;
}

void UndoAndRedo(benchmark::State& state) {
    document->apply(fuelEdit());
    for (auto _ : state) {
        if (!document->undo() || !document->redo()) {
            state.SkipWithError("nothing to undo or redo");
            break;
        }
    }
    state.counters["steps"] = 2;
}

// The review after 100 stores across ships, bases and classes: diff and rows.
void ReviewOf100Changes(benchmark::State& state) {
    const SaveFile& saved = *document->savedModel();
    SaveFile edited = saved;
    for (int n = 0; n < 40; ++n) {
        edited.Ship[static_cast<std::size_t>(n)].Words[ShipWord::CurrentFuel] =
            static_cast<int16_t>(saved.Ship[n].Words[ShipWord::CurrentFuel] + 1);
        edited.Base[static_cast<std::size_t>(n)].Stockpile[0][1] = saved.Base[n].Stockpile[0][1] + 1;
    }
    for (int n = 0; n < 20; ++n) {
        edited.ShipClass[static_cast<std::size_t>(n)].Perf[ShipClassPerf::Speed] =
            static_cast<int16_t>(saved.ShipClass[n].Perf[ShipClassPerf::Speed] + 1);
    }
    for (auto _ : state) {
        const std::vector<mainwindow::ChangeRow> rows =
            mainwindow::ChangeRowsFor(DiffModels(saved, edited), edited);
        if (rows.size() != 100) {
            state.SkipWithError("the review did not have 100 rows");
            break;
        }
    }
}

// The status bar's count after an edit: every rule over the whole save, on the demo save and
// on a generated one that breaks a rule nearly everywhere (about 2 000 findings).
void HealthCheck(benchmark::State& state, fixtures::SaveImageBuilder builder) {
    const auto model = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    if (!LoadSaveFile(builder.build(), *model, status, messages)) {
        state.SkipWithError("the save does not load");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(rules::CountFindings(*model));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bench::initialize(argc, argv);

    catalogue::FillReferenceTables();
    const QTemporaryDir dir;
    NullStatus status;
    NullMessages messages;
    const std::unique_ptr<OpenDocument> opened = bench::OpenDemoDocument(dir, status, messages);
    if (!opened) {
        return 1;
    }
    document = opened.get();

    benchmark::RegisterBenchmark("DialogStore", DialogStore)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("BytesPerOneFieldStep", BytesPerOneFieldStep)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseRealTime();
    benchmark::RegisterBenchmark("UndoAndRedo", UndoAndRedo)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("ReviewOf100Changes", ReviewOf100Changes)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("HealthCheck", HealthCheck,
                                 fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()))
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("HealthCheckBrokenSave", HealthCheck, fixtures::SaveImageBuilder())
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();

    bench::RatioReporter reporter;
    reporter.run();

    bench::RatioReporter::printRatio("dialog_store_per_frame", reporter.median("DialogStore"), kFrameSeconds);
    // One undo and one redo are measured together; each is half of it.
    bench::RatioReporter::printRatio("undo_or_redo_per_frame", reporter.median("UndoAndRedo") / 2,
                                     kFrameSeconds);
    bench::RatioReporter::printRatio("review_of_100_changes_per_frame", reporter.median("ReviewOf100Changes"),
                                     kFrameSeconds);
    bench::RatioReporter::printRatio("health_check_per_frame", reporter.median("HealthCheck"), kFrameSeconds);
    bench::RatioReporter::printRatio("health_check_broken_save_per_frame",
                                     reporter.median("HealthCheckBrokenSave"), kFrameSeconds);
    return 0;
}
