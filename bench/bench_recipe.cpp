// Recipes on the demo save: a one-line preview over every ship against a 16 ms frame, and a
// 10 000-line recipe against the same save's verify (composing the file), in process.
// After the table it prints `ratio NAME VALUE` lines from the medians of this run.
#include "bench/RatioReporter.h"
#include "model/Recipe.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"

#include <QCoreApplication>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

using namespace korven;

constexpr double kFrameSeconds = 0.016;

std::unique_ptr<SaveFile> model;

// Every ship refuelled to its class's capacity, as a player's recipe does it.
void PreviewOf1200Ships(benchmark::State& state) {
    const QString text = QStringLiteral("# 全艦補給\nShip[*].Fuel = max\n");
    for (auto _ : state) {
        benchmark::DoNotOptimize(recipe::Prepare(*model, text));
    }
}

// 10 000 lines of each kind over the ships, named and positional.
QString tenThousandLines() {
    QString text = QStringLiteral("# 一万行\n");
    for (int i = 0; i < 10000; ++i) {
        const int ship = i % SaveFile::kShips;
        switch (i % 4) {
            case 0:
                text += QStringLiteral("Ship[%1].Fuel += 1\n").arg(ship);
                break;
            case 1:
                text += QStringLiteral("Ship[%1].Words[6] -= 1\n").arg(ship);
                break;
            case 2:
                text += QStringLiteral("Ship[%1].UpperSteps = max\n").arg(ship);
                break;
            default:
                text += QStringLiteral("Ship[%1].Affiliation = %2\n").arg(ship).arg(i % 50);
                break;
        }
    }
    return text;
}

void PrepareOf10000Lines(benchmark::State& state) {
    const QString text = tenThousandLines();
    for (auto _ : state) {
        benchmark::DoNotOptimize(recipe::Prepare(*model, text));
    }
}

void ComposeOfTheSave(benchmark::State& state) {
    NullStatus status;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeSaveImage(*model, status));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bench::initialize(argc, argv);
    QFile file(QStringLiteral(KORVEN_DEMO_SAVE));
    model = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    if (!file.open(QIODevice::ReadOnly) || !LoadSaveFile(file.readAll(), *model, status, messages).ok()) {
        return 1;
    }
    benchmark::RegisterBenchmark("PreviewOf1200Ships", PreviewOf1200Ships)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("PrepareOf10000Lines", PrepareOf10000Lines)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ComposeOfTheSave", ComposeOfTheSave)->Unit(benchmark::kMillisecond);

    bench::RatioReporter reporter;
    reporter.run();
    bench::RatioReporter::printRatio("recipe_preview_of_1200_ships_per_frame",
                                     reporter.median("PreviewOf1200Ships"), kFrameSeconds);
    reporter.printRatio("recipe_10000_lines_per_compose", "PrepareOf10000Lines", "ComposeOfTheSave");
    return 0;
}
