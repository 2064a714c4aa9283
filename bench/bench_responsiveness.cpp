// How long the window's event loop stands still while a long task runs, against a 16 ms frame:
// the saves list on a folder of 20 000 saves, the 診断 list of a save with about 15 000
// findings, and 比較 of that save with the demo. Each repetition's figure is its longest gap between the
// ticks of a 1 ms timer. After the table it prints `ratio NAME VALUE` lines from the medians of this run.
#include "bench/RatioReporter.h"
#include "bench/StallMeter.h"
#include "catalogue/ReferenceTables.h"
#include "document/OpenDocument.h"
#include "mainwindow/ChangeCommands.h"
#include "mainwindow/ChangesDialog.h"
#include "mainwindow/DiagnosisDialog.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/SavesDialog.h"
#include "model/SaveFileLoader.h"
#include "model/SaveFileWriter.h"
#include "model/SaveRules.h"
#include "tests/support/SaveImageBuilder.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

using namespace korven;

constexpr double kFrameSeconds = 0.016;
constexpr int kSaves = 20000;

QString savesFolder;
OpenDocument* broken = nullptr;
SaveFile* compared = nullptr;

// Saves as the game leaves them, each holding its full size without taking the disk: only the
// header is written, the rest is a hole.
bool writeSaves(const QString& folder) {
    const QByteArray image = fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build();
    for (int i = 1; i <= kSaves; ++i) {
        QFile file(folder + QStringLiteral("/SaveFile%1.SAVE").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(image.left(512)) != 512 ||
            !file.resize(image.size())) {
            return false;
        }
    }
    return true;
}

void recordStall(benchmark::State& state, double seconds) {
    state.SetIterationTime(seconds);
}

// The saves list from the menu until it says it has listed the folder.
void SavesList20000Files(benchmark::State& state) {
    for (auto _ : state) {
        bench::StallMeter meter;
        double stall = 0;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = qApp->activeModalWidget();
            auto* status = dialog->findChild<QLabel*>(QStringLiteral("lblSavesStatus"));
            const QAbstractItemModel* list =
                dialog->findChild<QTreeView*>(QStringLiteral("lstSaves"))->model();
            auto* done = new QTimer(dialog);
            QObject::connect(done, &QTimer::timeout, dialog, [=, &meter, &stall] {
                if (list->rowCount() == kSaves && !status->text().startsWith(u"読み込み中")) {
                    stall = meter.stop();
                    dialog->findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
                }
            });
            done->start(1);
        });
        meter.start();
        ChooseSaves(
            savesFolder, [] { return mainwindow::HeldSave{}; }, nullptr);
        recordStall(state, stall);
    }
}

// 診断 from the menu until its findings are listed and drawn.
void DiagnosisOpen15000Findings(benchmark::State& state) {
    for (auto _ : state) {
        bench::StallMeter meter;
        meter.start();
        double stall = 0;
        QTimer::singleShot(0, [&] {
            mainwindow::DiagnosisDialog dialog(*broken, {}, nullptr);
            dialog.show();
            const auto* summary = dialog.findChild<QLabel*>(QStringLiteral("lblSummary"));
            while (summary->text() == mainwindow::texts::diagnosisChecking()) {
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            QEventLoop loop;
            QTimer::singleShot(50, &loop, &QEventLoop::quit);
            loop.exec();
            stall = meter.stop();
        });
        while (stall == 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        recordStall(state, stall);
    }
}

// 比較 with a save that differs in about 47 000 values, from the menu until its list is drawn:
// the differences worked out, listed and shown.
void CompareManyDifferences(benchmark::State& state) {
    for (auto _ : state) {
        bench::StallMeter meter;
        meter.start();
        double stall = 0;
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(50, [&] {
                stall = meter.stop();
                qApp->activeModalWidget()->close();
            });
            ShowChanges(mainwindow::CompareRows(*broken->model(), *compared), QString(),
                        ChangesPurpose::Compare, nullptr);
        });
        while (stall == 0) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        recordStall(state, stall);
    }
}

// A save where every aircraft type, ship and base breaks several rules.
QByteArray brokenImage() {
    NullStatus status;
    NullMessages messages;
    SaveFile file;
    const QByteArray image = fixtures::SaveImageBuilder().build();
    if (!LoadSaveFile(image, file, status, messages)) {
        return {};
    }
    for (ShipRecord& ship : file.Ship) {
        ship.Words[2] = 1;  // named, so that the rules judge it
        ship.Words[4] = 9999;
        ship.Words[5] = 9999;
        ship.Words[6] = 9999;
        ship.Bytes.fill(250);
        ship.BusouKai.fill(250);
        ship.Words2.fill(9999);
    }
    for (AircraftTypeRecord& type : file.AircraftType) {
        type.NumData.fill(250);
        type.Kidou.fill(250);
        type.Kouzoku.fill(9999);
        type.Flags.fill(7);
        for (auto& bomb : type.Bomb) {
            bomb.fill(7);
        }
    }
    for (BaseRecord& base : file.Base) {
        base.Terrain = 200;
        base.PublicOrder = 200;
        base.Airfield = 9999;
        base.Fortification = 9999;
        for (auto& counts : base.AirCount) {
            counts.fill(9999);
        }
        for (auto& units : base.Units) {
            units.fill(9999);
        }
        for (auto& stock : base.Stockpile) {
            stock.fill(123456);
        }
        base.Extra.fill(7);
        for (auto& words : base.ExtraWords) {
            words.fill(7);
        }
        for (auto& bytes : base.ExtraBytes) {
            bytes.fill(7);
        }
    }
    return *ComposeSaveImage(file, status);
}

// The save 比較 sets against the broken one: the demo with the fields the broken save leaves
// alone changed too, about 47 000 values in all.
void differFromTheBrokenSave(SaveFile& file) {
    for (ShipClassRecord& shipClass : file.ShipClass) {
        shipClass.Kind.fill(1);
        shipClass.StepIndex = 1;
        shipClass.Perf.fill(1);
        shipClass.Armor.fill(1);
        for (auto& mounts : shipClass.Weapon) {
            mounts.fill(1);
        }
        shipClass.AircraftCapacity = 1;
    }
    for (ShipRecord& ship : file.Ship) {
        ship.Words.fill(1);
    }
    for (AircraftTypeRecord& type : file.AircraftType) {
        type.Kind.fill(1);
    }
    file.AirDevelopment.fill(1);
    for (CarrierAirRecord& carrier : file.CarrierAir) {
        for (auto& slot : carrier.Slots) {
            slot.fill(1);
        }
    }
    for (BaseRecord& base : file.Base) {
        base.Region = 1;
        base.Size = 1;
        base.Resource.fill(1);
        base.Factory.fill(1);
        base.Task = 1;
        base.Owner = 1;
        base.Anchorage = 1;
        base.AirType.fill(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bench::initialize(argc, argv);
    catalogue::FillReferenceTables();

    const QTemporaryDir dir;
    savesFolder = dir.filePath(QStringLiteral("saves"));
    if (!dir.isValid() || !QDir().mkdir(savesFolder) || !writeSaves(savesFolder)) {
        std::fputs("cannot write the saves\n", stderr);
        return 1;
    }
    const QString brokenPath = dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    QFile file(brokenPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(brokenImage()) <= 0) {
        std::fputs("cannot write the broken save\n", stderr);
        return 1;
    }
    file.close();
    NullStatus status;
    NullMessages messages;
    OpenDocument document(status, messages, dir.filePath(QStringLiteral("backups")));
    if (document.open(brokenPath, true) != DocumentOpen::Opened) {
        std::fputs("cannot open the broken save\n", stderr);
        return 1;
    }
    broken = &document;
    SaveFile other;
    if (!LoadSaveFile(fixtures::SaveImageBuilder().build(), other, status, messages)) {
        std::fputs("cannot read the demo save\n", stderr);
        return 1;
    }
    differFromTheBrokenSave(other);
    compared = &other;
    std::printf("findings: %zu, differences from the other save: %zu\n",
                rules::CountFindings(*document.model()),
                mainwindow::CompareRows(*document.model(), other).size());

    benchmark::RegisterBenchmark("SavesList20000Files", SavesList20000Files)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);
    benchmark::RegisterBenchmark("DiagnosisOpen15000Findings", DiagnosisOpen15000Findings)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);

    benchmark::RegisterBenchmark("CompareManyDifferences", CompareManyDifferences)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(1);

    bench::RatioReporter reporter;
    reporter.run();
    bench::RatioReporter::printRatio("saves_list_20000_files_longest_stall_vs_frame",
                                     reporter.median("SavesList20000Files"), kFrameSeconds);
    bench::RatioReporter::printRatio("diagnosis_15000_findings_open_longest_stall_vs_frame",
                                     reporter.median("DiagnosisOpen15000Findings"), kFrameSeconds);
    bench::RatioReporter::printRatio("compare_many_differences_longest_stall_vs_frame",
                                     reporter.median("CompareManyDifferences"), kFrameSeconds);
    return 0;
}
