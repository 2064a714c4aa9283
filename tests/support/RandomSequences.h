#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QTest>

#include <functional>
#include <optional>
#include <vector>

// What the random-sequence tests share: steps drawn from a seed, a failing sequence shortened
// and written as a row to paste into a regression table, and the loops over the fixed seeds and
// the soak's new ones.
namespace korven::fixtures {

// A step's numbers choose among what the state offers when it runs (modulo its size), so any
// subsequence is still a valid sequence: that is what lets a failure shrink.
template <class Op>
struct RandomStep {
    Op op;
    quint32 a = 0, b = 0, c = 0;
};

struct SequenceFailure {
    int step = -1;
    QString why;
};

template <class Op>
using SequenceRun = std::function<std::optional<SequenceFailure>(const std::vector<RandomStep<Op>>&)>;

// Appends steps to `steps` until it holds `count`, each operation drawn as often as its weight.
template <class Op, std::size_t N>
std::vector<RandomStep<Op>> DrawSteps(quint32 seed, int count, const int (&weights)[N],
                                      std::vector<RandomStep<Op>> steps = {}) {
    QRandomGenerator random(seed);
    int total = 0;
    for (int w : weights) {
        total += w;
    }
    while (int(steps.size()) < count) {
        int pick = random.bounded(total);
        int op = 0;
        while (pick >= weights[op]) {
            pick -= weights[op++];
        }
        steps.push_back({Op(op), random.generate(), random.generate(), random.generate()});
    }
    return steps;
}

// Drops steps, halves first, then one at a time, while the sequence still fails.
template <class Op>
std::vector<RandomStep<Op>> Shrink(std::vector<RandomStep<Op>> steps, SequenceFailure& failure,
                                   const SequenceRun<Op>& run) {
    steps.resize(std::size_t(failure.step) + 1);
    for (std::size_t chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t at = 0; at + chunk <= steps.size();) {
            std::vector<RandomStep<Op>> shorter = steps;
            shorter.erase(shorter.begin() + qsizetype(at), shorter.begin() + qsizetype(at + chunk));
            if (std::optional<SequenceFailure> again = run(shorter)) {
                failure = *again;
                shorter.resize(std::size_t(again->step) + 1);
                steps = std::move(shorter);
            } else {
                at += chunk;
            }
        }
    }
    return steps;
}

// Empty when `steps` pass; otherwise where they fail, and the shortest failing sequence as a
// row: `rowStart` is what the table puts before the steps (the seed, where the run needs it).
template <class Op, std::size_t N>
QString FailureReport(quint32 seed, const std::vector<RandomStep<Op>>& steps, const SequenceRun<Op>& run,
                      const char* const (&opNames)[N], const QString& rowStart = {}) {
    const std::optional<SequenceFailure> failure = run(steps);
    if (!failure) {
        return {};
    }
    SequenceFailure last = *failure;
    const std::vector<RandomStep<Op>> shortest = Shrink(steps, last, run);
    QString code;
    for (const RandomStep<Op>& s : shortest) {
        code += QStringLiteral("\n    {Op::%1, %2u, %3u, %4u},")
                    .arg(QLatin1String(opNames[int(s.op)]))
                    .arg(s.a)
                    .arg(s.b)
                    .arg(s.c);
    }
    return QStringLiteral(
               "seed %1 fails at step %2 of %3: %4\nshortened to %5 steps, failing with: %6\n"
               "QTest::newRow(\"seed %1\") << %7std::vector<Step>{%8\n};\n")
        .arg(seed)
        .arg(failure->step)
        .arg(steps.size())
        .arg(failure->why)
        .arg(shortest.size())
        .arg(last.why, rowStart, code);
}

// The report of one seed's sequence: empty when it passes.
using SeedReport = std::function<QString(quint32 seed)>;

// Seeds 1 to `seeds`; the first that fails fails the test with its report.
inline void CheckFixedSeeds(int seeds, int stepsEach, const SeedReport& report) {
    QElapsedTimer timer;
    timer.start();
    for (quint32 seed = 1; seed <= quint32(seeds); ++seed) {
        const QString failed = report(seed);
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
    }
    qInfo("%d steps, %.0f steps per second", seeds * stepsEach,
          seeds * stepsEach * 1000.0 / double(std::max<qint64>(1, timer.elapsed())));
}

// New seeds for as long as KORVEN_SOAK_SECONDS says, each failure's report appended to
// KORVEN_SOAK_OUT; skips when the variable is not set.
inline void Soak(int stepsEach, const SeedReport& report) {
    const int seconds = qEnvironmentVariableIntValue("KORVEN_SOAK_SECONDS");
    if (seconds <= 0) {
        QSKIP("KORVEN_SOAK_SECONDS is not set");
    }
    QElapsedTimer timer;
    timer.start();
    long steps = 0;
    int failures = 0;
    for (quint32 seed = QRandomGenerator::global()->generate(); timer.elapsed() < seconds * 1000LL;
         ++seed, steps += stepsEach) {
        const QString failed = report(seed);
        if (!failed.isEmpty()) {
            ++failures;
            QFile out(qEnvironmentVariable("KORVEN_SOAK_OUT", QStringLiteral("soak-failures.txt")));
            if (out.open(QIODevice::Append)) {
                out.write(failed.toUtf8() + '\n');
            }
            qWarning().noquote() << failed;
        }
    }
    qInfo("%ld steps, %.0f steps per second, %d failing sequences", steps,
          double(steps) * 1000.0 / double(std::max<qint64>(1, timer.elapsed())), failures);
    QCOMPARE(failures, 0);
}

}  // namespace korven::fixtures
