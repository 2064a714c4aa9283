// The main window's list and tree building from the in-memory model, its search, and the
// editor's start-up with the demo save against a bare QMainWindow program, measured side by
// side, and the list's filter. After the table it prints `ratio NAME VALUE` lines from the medians of this
// run.
#include "bench/RatioReporter.h"
#include "catalogue/ReferenceTables.h"
#include "mainwindow/CategoryTree.h"
#include "mainwindow/ColumnLayouts.h"
#include "mainwindow/RecordFilter.h"
#include "mainwindow/RecordList.h"
#include "mainwindow/RecordRows.h"
#include "mainwindow/RecordSearch.h"
#include "mainwindow/RecordTableModel.h"
#include "mainwindow/TableText.h"
#include "mainwindow/frmMain.h"
#include "model/RecordFields.h"
#include "tests/support/FileContents.h"
#include "tests/support/SaveImageBuilder.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <vector>

namespace {

using namespace korven;
using namespace korven::mainwindow;

constexpr double kFrameSeconds = 0.016;

struct Setup {
    QTemporaryDir dir;
    QString savePath;
    QString brokenSavePath;  // generated without the demo's care: about 2 000 values break a rule
    QString editor;
    QString bare;
    std::unique_ptr<frmMain> window;
    std::unique_ptr<frmMain> broadWindow;  // on the save with all 700 Allied ships in play
    QString largestNode;                   // the Allied individual-ship group with the most ships
    NodeList largestList;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

Setup* setup = nullptr;

using fixtures::writeFile;

// The category tree as the window builds it, into a tree widget.
void fillTree(QTreeWidget& view, const CategoryTree& tree) {
    view.clear();
    std::vector<QTreeWidgetItem*> items;
    items.reserve(tree.nodes.size());
    for (const TreeNode& node : tree.nodes) {
        auto* item = node.parent > 0 ? new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent - 1)])
                                     : new QTreeWidgetItem(&view);
        item->setText(0, node.caption);
        item->setData(0, Qt::UserRole, node.key.value_or(QString()));
        items.push_back(item);
    }
}

// Tree and largest list from the model into fresh widgets: the plain rules and the widget work.
void TreeAndLargestList(benchmark::State& state) {
    QTreeWidget tree;
    RecordListView list(nullptr);
    const SaveFile& model = *setup->window->saveFile();
    for (auto _ : state) {
        fillTree(tree, BuildCategoryTree());
        list.showColumns(DefaultColumns(ListKind::Kokan));
        list.showRows(BuildRows(model, setup->largestList));
        benchmark::DoNotOptimize(list.rowCount());
    }
}

// The most a ship node can list: all 700 Allied ships in one group.
std::vector<RecordRow> allAlliedShips() {
    auto model = std::make_unique<SaveFile>(*setup->window->saveFile());
    const int16_t shipClass = model->Ship[SaveFile::kJapaneseShips].Words[ShipWord::ClassNumber];
    for (int n = SaveFile::kJapaneseShips; n < SaveFile::kShips; ++n) {
        model->Ship[static_cast<std::size_t>(n)].Words[ShipWord::NameNumber] =
            static_cast<int16_t>(n - SaveFile::kJapaneseShips);
        model->Ship[static_cast<std::size_t>(n)].Words[ShipWord::ClassNumber] = shipClass;
    }
    return BuildRows(*model, NodeList{ListKind::Kokan, false, ListingGroupOfClass(*model, shipClass)});
}

void AllAlliedShipsList(benchmark::State& state) {
    const std::vector<RecordRow> rows = allAlliedShips();
    RecordListView view(nullptr);
    view.showColumns(DefaultColumns(ListKind::Kokan));
    for (auto _ : state) {
        view.showRows(rows);
        if (view.rowCount() != SaveFile::kShips - SaveFile::kJapaneseShips) {
            state.SkipWithError("not every Allied ship was listed");
            break;
        }
    }
}

// CSV export of every Allied ship as the list shows them, up to the bytes written to the file.
void CsvOfAllAlliedShips(benchmark::State& state) {
    RecordListView view(nullptr);
    view.showColumns(DefaultColumns(ListKind::Kokan));
    view.showRows(allAlliedShips());
    for (auto _ : state) {
        benchmark::DoNotOptimize(CommaSeparated(view.rowTexts(view.allRows(), true)));
    }
}

// The largest list as the user gets it: a click on its node in the loaded window.
void ListFillInWindow(benchmark::State& state) {
    frmMain& window = *setup->window;
    for (auto _ : state) {
        window.browser().selectNode(setup->largestNode);
        benchmark::DoNotOptimize(window.saveFile());
    }
}

// One keystroke in the search box of the loaded window: every record of the save searched and
// the matches shown. The queries match many records ("1" every number with a 1 in it).
void SearchKeystroke(benchmark::State& state) {
    auto* box = setup->window->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    const QStringList queries{QStringLiteral("1"), QStringLiteral("ｼ"), QStringLiteral("丸"),
                              QStringLiteral("伊")};
    qsizetype next = 0;
    for (auto _ : state) {
        box->setText(queries[next]);
        next = (next + 1) % queries.size();
    }
    box->clear();
}

// A first keystroke that matches hundreds of records, on the save with every Allied ship in
// play, until the window has drawn it. The two digits alternate, so each is a new search.
void SearchBroadKeystroke(benchmark::State& state) {
    auto* box = setup->broadWindow->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    const QStringList queries{QStringLiteral("1"), QStringLiteral("2")};
    qsizetype next = 0;
    for (auto _ : state) {
        box->setText(queries[next]);
        QCoreApplication::processEvents();
        next = (next + 1) % queries.size();
    }
    box->clear();
}

// Filters as they are typed, each a keystroke after the one before; the numbers compare by value,
// the texts after folding.
const QStringList kFilters{QStringLiteral("燃料 < 1000"), QStringLiteral("燃料 < 10000"),
                           QStringLiteral("艦種 = 駆逐艦"), QStringLiteral("速力 >= 30 燃料 > 0")};

// One keystroke in the filter box over the largest list of the loaded window: the conditions
// read, every row tested, the list and the count shown again.
void FilterKeystroke(benchmark::State& state) {
    frmMain& window = *setup->window;
    window.browser().selectNode(setup->largestNode);
    QLineEdit* box = window.browser().filterBox();
    qsizetype next = 0;
    for (auto _ : state) {
        box->setText(kFilters[next]);
        next = (next + 1) % kFilters.size();
    }
    box->clear();
}

// The same over the most a list can hold, all 700 Allied ships, as the box's keystroke runs it.
void FilterKeystrokeAllAlliedShips(benchmark::State& state) {
    RecordListView view(nullptr);
    view.showColumns(DefaultColumns(ListKind::Kokan));
    view.showRows(allAlliedShips());
    qsizetype next = 0;
    for (auto _ : state) {
        view.setRowFilter(ParseFilter(kFilters[next], view.table().columns()));
        benchmark::DoNotOptimize(view.rowCount());
        next = (next + 1) % kFilters.size();
    }
}

// The first search after an edit: the index over every list of the tree is built again.
void SearchIndexBuild(benchmark::State& state) {
    const SaveFile& model = *setup->window->saveFile();
    const CategoryTree tree = BuildCategoryTree();
    for (auto _ : state) {
        const SearchIndex index = SearchIndex::Build(model, tree);
        benchmark::DoNotOptimize(index.size());
    }
}

void runToExit(benchmark::State& state, const QString& program, const QStringList& arguments) {
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(setup->environment);
        process.start(program, arguments);
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("the program did not start and quit");
            break;
        }
    }
}

// korvenedit with the demo save until its window is up.
void WindowStart(benchmark::State& state) {
    runToExit(state, setup->editor, {setup->savePath});
}

// The same with a save the health check has much to say about.
void WindowStartBrokenSave(benchmark::State& state) {
    runToExit(state, setup->editor, {setup->brokenSavePath});
}

void BareWindowStart(benchmark::State& state) {
    runToExit(state, setup->bare, {});
}

// The same with one label: the font system's start, which a window without text never pays.
void BareWindowWithLabelStart(benchmark::State& state) {
    runToExit(state, setup->bare, {QStringLiteral("label")});
}

// The peak resident memory of one run of `program`, in kilobytes, as bench_peak_memory counts
// it; 0 when it did not run to a clean exit.
long peakResidentKilobytes(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(setup->environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/bench_peak_memory"),
                  QStringList{program} + arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return 0;
    }
    return process.readAllStandardOutput().trimmed().toLong();
}

// The editor on the demo save against the bare window with a label, five interleaved pairs.
void printPeakMemory() {
    std::vector<double> editor;
    std::vector<double> bare;
    for (int i = 0; i < 5; ++i) {
        editor.push_back(double(peakResidentKilobytes(setup->editor, {setup->savePath})));
        bare.push_back(double(peakResidentKilobytes(setup->bare, {QStringLiteral("label")})));
    }
    const auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("peak memory: editor %.1f MB, bare window with a label %.1f MB\n", median(editor) / 1024,
                median(bare) / 1024);
    bench::RatioReporter::printRatio("peak_memory_vs_bare_with_label", median(editor), median(bare));
}

}  // namespace

int main(int argc, char** argv) {
    bench::initialize(argc, argv);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    Setup s;
    setup = &s;
    // Settings, runtime files and the save live in a scratch folder, for this process and the
    // programs it starts.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, s.dir.filePath(QStringLiteral("config")));
    s.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    s.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), s.dir.filePath(QStringLiteral("config")));
    s.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), s.dir.path());
    s.environment.insert(QStringLiteral("KORVENEDIT_QUIT_WHEN_SHOWN"), QStringLiteral("1"));
    s.savePath = s.dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    s.editor = QCoreApplication::applicationDirPath() + QStringLiteral("/korvenedit");
    s.bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_bare_window");
    s.brokenSavePath = s.dir.filePath(QStringLiteral("SaveFile4.SAVE"));
    const QByteArray image = fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build();
    if (!s.dir.isValid() || !writeFile(s.savePath, image) ||
        !writeFile(s.brokenSavePath, fixtures::SaveImageBuilder().build())) {
        std::fputs("cannot write the saves\n", stderr);
        return 1;
    }

    // The in-memory benchmarks use a loaded window; it reads a copy, so the start-up runs can
    // lock the save itself.
    const QString copy = s.dir.filePath(QStringLiteral("SaveFile2.SAVE"));
    QFile::copy(s.savePath, copy);
    s.window = std::make_unique<frmMain>();
    s.window->show();
    if (!s.window->files().openFile(copy, true)) {
        std::fputs("the demo save did not open\n", stderr);
        return 1;
    }
    std::size_t most = 0;
    for (int group = 0; group < 7; ++group) {
        const NodeList list{ListKind::Kokan, false, group};
        const std::size_t rows = BuildRows(*s.window->saveFile(), list).size();
        if (rows > most) {
            most = rows;
            s.largestList = list;
            s.largestNode = QStringLiteral("Kokan_1_%1").arg(group);
        }
    }
    std::printf("largest list: %s, %zu rows\n", qPrintable(s.largestNode), most);

    // Every Allied ship slot named and of one class, as in the longest campaigns.
    QByteArray broad = image;
    const fixtures::SaveImageBuilder layout;
    const int16_t alliedClass = fixtures::getInt16(broad, layout.shipOffset(SaveFile::kJapaneseShips) + 6);
    for (int n = SaveFile::kJapaneseShips; n < SaveFile::kShips; ++n) {
        fixtures::putInt16(broad, layout.shipOffset(n) + 4,
                           static_cast<int16_t>(n - SaveFile::kJapaneseShips));
        fixtures::putInt16(broad, layout.shipOffset(n) + 6, alliedClass);
    }
    const QString broadPath = s.dir.filePath(QStringLiteral("SaveFile3.SAVE"));
    const bool written = writeFile(broadPath, broad);
    s.broadWindow = std::make_unique<frmMain>();
    s.broadWindow->show();
    if (!written || !s.broadWindow->files().openFile(broadPath, true)) {
        std::fputs("the 700-ship save did not open\n", stderr);
        return 1;
    }
    auto* broadBox = s.broadWindow->findChild<QLineEdit*>(QStringLiteral("txtSearch"));
    for (const char* query : {"1", "2"}) {
        broadBox->setText(QString::fromLatin1(query));
        std::printf("broad search \"%s\": %s\n", query,
                    qPrintable(s.broadWindow->findChild<QLabel*>(QStringLiteral("lblSearchCount"))->text()));
    }
    broadBox->clear();

    benchmark::RegisterBenchmark("TreeAndLargestList", TreeAndLargestList)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("ListFillInWindow", ListFillInWindow)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("AllAlliedShipsList", AllAlliedShipsList)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("CsvOfAllAlliedShips", CsvOfAllAlliedShips)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("SearchKeystroke", SearchKeystroke)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("SearchBroadKeystroke", SearchBroadKeystroke)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("FilterKeystroke", FilterKeystroke)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("FilterKeystrokeAllAlliedShips", FilterKeystrokeAllAlliedShips)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("SearchIndexBuild", SearchIndexBuild)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("WindowStart", WindowStart)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("WindowStartBrokenSave", WindowStartBrokenSave)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("BareWindowStart", BareWindowStart)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("BareWindowWithLabelStart", BareWindowWithLabelStart)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    bench::RatioReporter reporter;
    reporter.run();

    reporter.printRatio("window_start_vs_bare", reporter.median("WindowStart"),
                        reporter.median("BareWindowStart"));
    reporter.printRatio("window_start_vs_bare_with_label", reporter.median("WindowStart"),
                        reporter.median("BareWindowWithLabelStart"));
    reporter.printRatio("window_start_broken_save_vs_bare_with_label",
                        reporter.median("WindowStartBrokenSave"),
                        reporter.median("BareWindowWithLabelStart"));
    reporter.printRatio("list_fill_vs_frame", reporter.median("ListFillInWindow"), kFrameSeconds);
    reporter.printRatio("tree_and_list_vs_frame", reporter.median("TreeAndLargestList"), kFrameSeconds);
    reporter.printRatio("all_allied_ships_list_vs_frame", reporter.median("AllAlliedShipsList"),
                        kFrameSeconds);
    reporter.printRatio("csv_export_of_700_ships_vs_frame", reporter.median("CsvOfAllAlliedShips"),
                        kFrameSeconds);
    reporter.printRatio("search_keystroke_vs_frame", reporter.median("SearchKeystroke"), kFrameSeconds);
    reporter.printRatio("search_broad_keystroke_vs_frame", reporter.median("SearchBroadKeystroke"),
                        kFrameSeconds);
    reporter.printRatio("filter_keystroke_vs_frame", reporter.median("FilterKeystroke"), kFrameSeconds);
    reporter.printRatio("filter_keystroke_all_allied_ships_vs_frame",
                        reporter.median("FilterKeystrokeAllAlliedShips"), kFrameSeconds);
    reporter.printRatio("search_index_build_vs_frame", reporter.median("SearchIndexBuild"), kFrameSeconds);
    printPeakMemory();
    return 0;
}
