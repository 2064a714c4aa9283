// The batch edit over every ship, against one 16 ms frame: the dialog's preview as the value
// changes (at most three frames), and the document's apply and undo of the result (one each).
// After the table it prints `ratio NAME VALUE` lines from the medians of this run.
#include "bench/DemoDocument.h"
#include "bench/RatioReporter.h"
#include "catalogue/ReferenceTables.h"
#include "document/BatchEdit.h"
#include "document/OpenDocument.h"
#include "mainwindow/BatchEditDialog.h"
#include "mainwindow/MainWindowTexts.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace korven;

constexpr double kFrameSeconds = 0.016;

OpenDocument* document = nullptr;

std::vector<RecordKey> everyShip() {
    std::vector<RecordKey> ships;
    for (int s = 0; s < SaveFile::kShips; ++s) {
        ships.push_back(RecordKey{RecordKind::Ship, s});
    }
    return ships;
}

const QString kFuel = QStringLiteral("燃料（現在）");

// A keystroke in the value box: the batch worked out again, its rows listed and counted.
void PreviewOf1200Ships(benchmark::State& state) {
    BatchEditDialog dialog(*document, everyShip(), nullptr);
    auto* field = dialog.findChild<QComboBox*>(QStringLiteral("cboField"));
    auto* operation = dialog.findChild<QComboBox*>(QStringLiteral("cboOperation"));
    auto* value = dialog.findChild<QLineEdit*>(QStringLiteral("txtValue"));
    field->setCurrentIndex(field->findText(kFuel));
    operation->setCurrentIndex(operation->findText(mainwindow::texts::batchAdd()));
    int n = 0;
    for (auto _ : state) {
        value->setText(QString::number(-1 - (n++ % 2)));
    }
}

ChangeSet fuelBatch() {
    return batch::Prepare(*document->model(), {everyShip(), kFuel, batch::Operation::Add, -1}).changes;
}

void ApplyOf1200Ships(benchmark::State& state) {
    const ChangeSet changes = fuelBatch();
    for (auto _ : state) {
        document->apply(changes);
        state.PauseTiming();
        document->undo();
        state.ResumeTiming();
    }
    state.counters["changes"] = static_cast<double>(changes.changes.size());
}

void UndoOf1200Ships(benchmark::State& state) {
    const ChangeSet changes = fuelBatch();
    for (auto _ : state) {
        state.PauseTiming();
        document->apply(changes);
        state.ResumeTiming();
        document->undo();
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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

    benchmark::RegisterBenchmark("PreviewOf1200Ships", PreviewOf1200Ships)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("ApplyOf1200Ships", ApplyOf1200Ships)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("UndoOf1200Ships", UndoOf1200Ships)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    bench::RatioReporter reporter;
    reporter.run();

    bench::RatioReporter::printRatio("batch_preview_of_1200_ships_per_frame",
                                     reporter.median("PreviewOf1200Ships"), kFrameSeconds);
    bench::RatioReporter::printRatio("batch_apply_of_1200_ships_per_frame",
                                     reporter.median("ApplyOf1200Ships"), kFrameSeconds);
    bench::RatioReporter::printRatio("batch_undo_of_1200_ships_per_frame", reporter.median("UndoOf1200Ships"),
                                     kFrameSeconds);
    return 0;
}
