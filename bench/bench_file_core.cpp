// The file core against the plain system calls it is built on, measured side by side on the
// demo save in a temporary folder. After the benchmark table it prints one line per ratio,
// `ratio NAME VALUE`, from the medians of this run.
#include "bench/PlainFiles.h"
#include "bench/RatioReporter.h"
#include "model/AnchorSearch.h"
#include "model/Layout.h"
#include "model/OpenSaveFile.h"
#include "model/SaveFileWriter.h"
#include "platform/LockedFile.h"
#include "tests/support/FileContents.h"
#include "tests/support/SaveImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <vector>

namespace {

using namespace korven;

struct Files {
    QTemporaryDir dir;
    QByteArray demo = fixtures::SaveImageBuilder().build();
    QByteArray anchorAtEnd;  // the key at the last offset the search looks at
    QString demoPath;
    QString writePath;
    QString plainPath;
    QString anchorPath;
};

Files* files = nullptr;

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

using fixtures::writeFile;

// open, lock, read, check, parse.
void Load(benchmark::State& state) {
    auto model = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    for (auto _ : state) {
        OpenedSaveFile opened = OpenSaveFile(files->demoPath, LockMode::Normal, *model, status, messages);
        if (opened.outcome != OpenOutcome::Opened) {
            state.SkipWithError("the demo save did not load");
            break;
        }
        benchmark::DoNotOptimize(model->LastBaseIndex);
    }
}

// The least any load into a model of its own can cost: the file opened, checked and locked as
// Load does, read whole, and its bytes copied once into a buffer of the model's size, with no
// field parsed.
void LockedReadAndCopy(benchmark::State& state) {
    std::vector<char> model(sizeof(SaveFile));
    QByteArray kept;  // the model keeps the image, as the loader's does
    for (auto _ : state) {
        const Result<std::unique_ptr<LockedFile>> file = LockedFile::open(files->demoPath, LockMode::Normal);
        if (!file) {
            state.SkipWithError("the demo save did not open");
            break;
        }
        const Result<QByteArray> image = (*file)->readAll(MaxSaveFileSize());
        if (!image) {
            state.SkipWithError("the demo save could not be read");
            break;
        }
        std::memcpy(model.data(), image->constData(), std::min(model.size(), std::size_t(image->size())));
        kept = *image;
        benchmark::DoNotOptimize(model.data());
        benchmark::ClobberMemory();
    }
}

// open, one read of the whole file, close.
void ReadFile(benchmark::State& state) {
    const QByteArray name = nativePath(files->demoPath);
    std::vector<char> buffer(static_cast<std::size_t>(files->demo.size()));
    for (auto _ : state) {
        const int fd = bench::plain::openRead(name.constData());
        const qint64 n = bench::plain::read(fd, buffer.data(), static_cast<qint64>(buffer.size()));
        bench::plain::close(fd);
        if (n != static_cast<qint64>(buffer.size())) {
            state.SkipWithError("short read");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
    }
}

void AnchorSearchInMemory(benchmark::State& state) {
    NullStatus status;
    NullMessages messages;
    const QString key = layout::anchorKey();
    for (auto _ : state) {
        FieldReader reader(files->anchorAtEnd);
        const Result<int32_t, Reported> found =
            AnchorSearch(key, reader, layout::kAnchorStartPos, layout::kAnchorEndPos, status, messages);
        if (!found || *found != layout::kAnchorEndPos) {
            state.SkipWithError("the key was not found at the end of the range");
            break;
        }
    }
}

// The search as first written for the game's file routines: one positioned read per
// candidate, the key read and decoded only when the first byte matches.
int32_t scanWithPread(int fd, const QString& key, qint64 startPos, qint64 endPos) {
    const QByteArray keyBytes = cp932::encode(key).value_or(QByteArray());
    const qint64 size = bench::plain::size(fd);
    qint64 last = 0;
    qint64 p = startPos - 1;
    QByteArray window(keyBytes.size(), Qt::Uninitialized);
    while (p < endPos && last + 168 < size) {
        ++p;
        char byte = 0;
        if (bench::plain::readAt(fd, &byte, 1, p - 1) != 1) {
            return -1;
        }
        last = p;
        if (byte != keyBytes.at(0)) {
            continue;
        }
        const qint64 n = bench::plain::readAt(fd, window.data(), window.size(), p - 1);
        last = p + n - 1;
        if (n == window.size() && cp932::decode(window) == key) {
            return static_cast<int32_t>(p);
        }
    }
    return -1;
}

void AnchorScanWithPread(benchmark::State& state) {
    const int fd = bench::plain::openRead(nativePath(files->anchorPath).constData());
    const QString key = layout::anchorKey();
    for (auto _ : state) {
        if (scanWithPread(fd, key, layout::kAnchorStartPos, layout::kAnchorEndPos) != layout::kAnchorEndPos) {
            state.SkipWithError("the byte-by-byte scan did not find the key at the end of the range");
            break;
        }
    }
    bench::plain::close(fd);
}

// validate, compose, temporary file, fsync, rename.
void Write(benchmark::State& state) {
    auto model = std::make_unique<SaveFile>();
    NullStatus status;
    NullMessages messages;
    OpenedSaveFile opened = OpenSaveFile(files->writePath, LockMode::Normal, *model, status, messages);
    if (!opened.handle) {
        state.SkipWithError("cannot open the save to write");
        return;
    }
    for (auto _ : state) {
        if (!WriteSaveFile(*model, *opened.handle, status, messages)) {
            state.SkipWithError("the save was not written");
            break;
        }
    }
}

void plainWrite(benchmark::State& state, bool sync) {
    const QByteArray name = nativePath(files->plainPath);
    for (auto _ : state) {
        // Over the same bytes in place: truncating first would make ext4 flush on close.
        const int fd = bench::plain::openWrite(name.constData());
        const qint64 n = bench::plain::write(fd, files->demo.constData(), files->demo.size());
        if (sync) {
            bench::plain::sync(fd);
        }
        bench::plain::close(fd);
        if (n != files->demo.size()) {
            state.SkipWithError("short write");
            break;
        }
    }
}

void PlainWrite(benchmark::State& state) {
    plainWrite(state, false);
}
void PlainWriteFsync(benchmark::State& state) {
    plainWrite(state, true);
}

}  // namespace

int main(int argc, char** argv) {
    bench::initialize(argc, argv);

    Files setup;
    files = &setup;
    fixtures::SaveImageOptions options;
    options.aircraftBlockOffset = layout::kAnchorEndPos - 1;
    setup.anchorAtEnd = fixtures::SaveImageBuilder(options).build();
    setup.demoPath = setup.dir.filePath(QStringLiteral("SaveFile1.SAVE"));
    setup.writePath = setup.dir.filePath(QStringLiteral("SaveFile2.SAVE"));
    setup.plainPath = setup.dir.filePath(QStringLiteral("plain.bin"));
    setup.anchorPath = setup.dir.filePath(QStringLiteral("SaveFile3.SAVE"));
    if (!setup.dir.isValid() || !writeFile(setup.demoPath, setup.demo) ||
        !writeFile(setup.writePath, setup.demo) || !writeFile(setup.anchorPath, setup.anchorAtEnd)) {
        std::fputs("cannot write the benchmark files\n", stderr);
        return 1;
    }

    benchmark::RegisterBenchmark("Load", Load)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("ReadFile", ReadFile)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("LockedReadAndCopy", LockedReadAndCopy)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("AnchorSearchInMemory", AnchorSearchInMemory)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("AnchorScanWithPread", AnchorScanWithPread)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Write", Write)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("PlainWrite", PlainWrite)->Unit(benchmark::kMicrosecond)->UseRealTime();
    benchmark::RegisterBenchmark("PlainWriteFsync", PlainWriteFsync)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();

    bench::RatioReporter reporter;
    reporter.run();

    reporter.printRatio("load_vs_read", "Load", "ReadFile");
    reporter.printRatio("locked_read_and_copy_vs_read", "LockedReadAndCopy", "ReadFile");
    // The load against its floor: what any locked load into a model of its own costs.
    reporter.printRatio("load_vs_locked_read_and_copy", "Load", "LockedReadAndCopy");
    reporter.printRatio("anchor_speedup", "AnchorScanWithPread", "AnchorSearchInMemory");
    reporter.printRatio("write_vs_plain_write", "Write", "PlainWrite");
    reporter.printRatio("write_vs_plain_write_fsync", "Write", "PlainWriteFsync");
    return 0;
}
