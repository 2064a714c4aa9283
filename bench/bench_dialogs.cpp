// Opening each edit dialog over the loaded demo save: warm (the program has opened it before)
// and the first of a session (in a fresh process, after the main window came up). Each is
// timed from the dialog's construction until it is shown and its events are handled. After
// the table it prints `ratio NAME VALUE` lines: medians of this run against a 16 ms frame.
#include "bench/RatioReporter.h"
#include "mainwindow/frmMain.h"
#include "platform/QtTranslation.h"
#include "tests/support/EditorDialogs.h"
#include "tests/support/SaveImageBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace korven;

constexpr double kFrameSeconds = 0.016;
constexpr char kFirstOpenFlag[] = "--first-open=";

// A dialog kind: the ratio's name and the record-list key that opens it.
struct DialogKind {
    const char* name;
    const char* key;
};

constexpr DialogKind kDialogs[] = {
    {"ship_class", "Kankei12"}, {"ship", "Kokan20"},      {"aircraft", "Air5"},      {"base", "Base3"},
    {"properties", ""},         {"science", "Kagaku1,2"}, {"aircrew", "ToujouRen0"},
};

struct Setup {
    QTemporaryDir dir;
    QString savePath;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    std::unique_ptr<frmMain> window;
    int fileChanges = 0;
};

Setup* setup = nullptr;

// Seconds from the dialog's construction until it is shown; the dialog is closed untimed.
double timeOpening(frmMain& window, const QString& key, int& fileChanges) {
    // Over a copy of the model, as a session over the document has; made before the timing.
    SaveFile model = *window.saveFile();
    EditSession session{model, [&fileChanges] { ++fileChanges; }, {}, {}, {}, {}};
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<EditDialog> dialog = fixtures::MakeEditorDialog(key, session);
    if (!dialog) {
        return -1;
    }
    dialog->setParent(&window, dialog->windowFlags());
    dialog->show();
    QCoreApplication::processEvents();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    dialog->close();
    return seconds;
}

void WarmOpen(benchmark::State& state, QString key) {
    timeOpening(*setup->window, key, setup->fileChanges);  // the first opening is not warm
    for (auto _ : state) {
        const double seconds = timeOpening(*setup->window, key, setup->fileChanges);
        if (seconds < 0) {
            state.SkipWithError("the dialog did not open");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// A fresh program opens the dialog once and reports the time it took.
void FirstOpen(benchmark::State& state, QString key) {
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(setup->environment);
        process.start(QCoreApplication::applicationFilePath(),
                      {QString::fromLatin1(kFirstOpenFlag) + key, setup->savePath});
        bool ok = false;
        const double seconds =
            process.waitForFinished(60000) && process.exitCode() == 0
                ? QString::fromLatin1(process.readAllStandardOutput()).trimmed().toDouble(&ok)
                : 0;
        if (!ok || seconds <= 0) {
            state.SkipWithError("the first opening was not measured");
            break;
        }
        state.SetIterationTime(seconds);
    }
}

// The child of FirstOpen: the program's start-up with the save open, then one timed opening.
int firstOpen(int argc, char** argv, const QString& key, const QString& savePath) {
    QApplication app(argc, argv);
    InstallQtTranslation();
    frmMain window;
    window.show();
    if (!window.files().openFile(savePath, true)) {
        return 1;
    }
    QCoreApplication::processEvents();
    int fileChanges = 0;
    const double seconds = timeOpening(window, key, fileChanges);
    std::printf("%.6f\n", seconds);
    return seconds < 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 3 && std::string(argv[1]).starts_with(kFirstOpenFlag)) {
        const QString key = QString::fromLocal8Bit(argv[1] + std::string(kFirstOpenFlag).size());
        int qtArgc = 1;
        return firstOpen(qtArgc, argv, key, QString::fromLocal8Bit(argv[2]));
    }

    bench::initialize(argc, argv);

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    InstallQtTranslation();
    Setup s;
    setup = &s;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, s.dir.filePath(QStringLiteral("config")));
    s.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), s.dir.filePath(QStringLiteral("config")));
    s.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), s.dir.path());
    s.savePath = s.dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    QFile save(s.savePath);
    const QByteArray image = fixtures::SaveImageBuilder(fixtures::DemoSaveOptions()).build();
    if (!s.dir.isValid() || !save.open(QIODevice::WriteOnly) || save.write(image) != image.size()) {
        std::fputs("cannot write the demo save\n", stderr);
        return 1;
    }
    save.close();
    s.window = std::make_unique<frmMain>();
    s.window->show();
    if (!s.window->files().openFile(s.savePath, true)) {
        std::fputs("the demo save did not open\n", stderr);
        return 1;
    }

    for (const DialogKind& kind : kDialogs) {
        const QString key = QString::fromLatin1(kind.key);
        benchmark::RegisterBenchmark((std::string("WarmOpen/") + kind.name).c_str(), WarmOpen, key)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(20);
        benchmark::RegisterBenchmark((std::string("FirstOpen/") + kind.name).c_str(), FirstOpen, key)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(1);
    }

    bench::RatioReporter reporter;
    reporter.run();
    for (const DialogKind& kind : kDialogs) {
        const std::string warm = std::string("WarmOpen/") + kind.name;
        const std::string first = std::string("FirstOpen/") + kind.name;
        reporter.printRatio(("open_" + std::string(kind.name) + "_warm_vs_frame").c_str(),
                            reporter.median(warm), kFrameSeconds);
        reporter.printRatio(("open_" + std::string(kind.name) + "_first_vs_frame").c_str(),
                            reporter.median(first), kFrameSeconds);
    }
    if (s.fileChanges != 0) {
        std::fputs("opening a dialog changed the file\n", stderr);
        return 1;
    }
    return 0;
}
