#pragma once

#include "mainwindow/SaveListing.h"

#include <QFutureWatcher>
#include <QObject>

#include <deque>
#include <memory>
#include <vector>

class QThread;

namespace korven::mainwindow {

// A folder's listing on a thread of its own: rows come back in batches on the thread that
// started it, with the progress; destroying the task stops the listing and waits for its
// thread to end, so none outlives the task.
class SaveListingTask : public QObject {
    Q_OBJECT
public:
    explicit SaveListingTask(QObject* parent = nullptr);
    ~SaveListingTask() override;

    // Stops any listing under way, then lists `folder` afresh.
    void start(const QString& folder, const HeldSave& held);
    // Asks the listing to stop; `finished` follows with `cancelled` set.
    void cancel();
    bool isRunning() const;

signals:
    void rowsRead(const std::vector<korven::mainwindow::SaveEntry>& rows);
    void progress(qsizetype done, qsizetype total);
    void finished(bool cancelled, qsizetype done, qsizetype total);

private:
    void stop();
    void deliver(int begin, int end);
    void drain();

    // One of each per listing: a watcher dropped with its listing takes that listing's
    // undelivered signals with it, so a stopped listing never reports into the next.
    std::unique_ptr<QFutureWatcher<std::vector<SaveEntry>>> m_watcher;
    std::unique_ptr<QThread> m_thread;
    std::deque<std::vector<SaveEntry>> m_pending;  // read, not yet handed on
    bool m_draining = false;
    enum class End { Running, Done, Cancelled } m_ended = End::Running;
    qsizetype m_done = 0;
    qsizetype m_total = 0;
};

}  // namespace korven::mainwindow
