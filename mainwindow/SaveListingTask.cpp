#include "mainwindow/SaveListingTask.h"

#include <QElapsedTimer>
#include <QPromise>
#include <QThread>
#include <QTimer>

namespace korven::mainwindow {
namespace {

// The first rows go to the window at once, so that it fills; later ones a few times a
// second. Each batch makes the list lay out and paint again, which costs the window about
// the same whether the batch holds ten rows or thousands.
constexpr qint64 kFirstBatchMilliseconds = 8;
constexpr qint64 kBatchMilliseconds = 100;

void listInto(QPromise<std::vector<SaveEntry>>& promise, const QString& folder, const HeldSave& held) {
    promise.start();
    std::vector<SaveEntry> batch;
    QElapsedTimer since;
    since.start();
    qint64 interval = kFirstBatchMilliseconds;
    ListSavesStepwise(folder, held, [&](ListingStep step) {
        if (promise.isCanceled()) {
            return false;
        }
        if (step.entry) {
            batch.push_back(std::move(*step.entry));
        }
        if (since.elapsed() >= interval || step.done == step.total) {
            // Rows before progress: a cancelled listing's count never takes in rows not shown.
            if (!batch.empty()) {
                promise.addResult(std::move(batch));
                batch = {};
            }
            promise.setProgressRange(0, int(step.total));
            promise.setProgressValue(int(step.done));
            since.restart();
            interval = kBatchMilliseconds;
        }
        return true;
    });
    promise.finish();
}

}  // namespace

SaveListingTask::SaveListingTask(QObject* parent) : QObject(parent) {}

SaveListingTask::~SaveListingTask() {
    stop();
}

void SaveListingTask::start(const QString& folder, const HeldSave& held) {
    stop();
    m_done = 0;
    m_total = 0;
    m_pending.clear();
    m_ended = End::Running;
    using Watcher = QFutureWatcher<std::vector<SaveEntry>>;
    m_watcher = std::make_unique<Watcher>();
    Watcher* watcher = m_watcher.get();
    connect(watcher, &Watcher::resultsReadyAt, this, &SaveListingTask::deliver);
    connect(watcher, &Watcher::progressValueChanged, this, [this, watcher](int done) {
        m_done = done;
        m_total = watcher->progressMaximum();
        emit progress(m_done, m_total);
    });
    connect(watcher, &Watcher::finished, this, [this, watcher] {
        // Progress signals are thinned out: the last may not have come.
        m_done = watcher->progressValue();
        m_total = watcher->progressMaximum();
        m_ended = watcher->isCanceled() ? End::Cancelled : End::Done;
        drain();
    });
    QPromise<std::vector<SaveEntry>> promise;
    watcher->setFuture(promise.future());
    m_thread.reset(QThread::create(
        [promise = std::move(promise), folder, held]() mutable { listInto(promise, folder, held); }));
    m_thread->setObjectName(QStringLiteral("SaveListing"));  // the name the system shows for it
    m_thread->start();
}

void SaveListingTask::cancel() {
    if (m_watcher) {
        m_watcher->cancel();
    }
}

bool SaveListingTask::isRunning() const {
    return m_thread && m_thread->isRunning();
}

void SaveListingTask::stop() {
    if (!m_thread) {
        return;
    }
    m_watcher->cancel();
    m_thread->wait();
    m_thread.reset();
    m_watcher.reset();
    m_pending.clear();
}

void SaveListingTask::deliver(int begin, int end) {
    const QFuture<std::vector<SaveEntry>> future = m_watcher->future();
    for (int i = begin; i < end; ++i) {
        m_pending.push_back(future.resultAt(i));
    }
    drain();
}

// One batch per turn of the event loop: batches that piled up while the window was busy
// never come in one long stall.
void SaveListingTask::drain() {
    if (m_draining) {
        return;
    }
    if (!m_pending.empty()) {
        m_draining = true;
        QTimer::singleShot(0, this, [this] {
            m_draining = false;
            if (m_pending.empty()) {
                return;
            }
            const std::vector<SaveEntry> rows = std::move(m_pending.front());
            m_pending.pop_front();
            emit rowsRead(rows);
            drain();
        });
        return;
    }
    if (m_ended != End::Running) {
        const bool cancelled = m_ended == End::Cancelled;
        m_ended = End::Running;
        emit finished(cancelled, m_done, m_total);
    }
}

}  // namespace korven::mainwindow
