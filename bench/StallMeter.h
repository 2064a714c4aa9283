#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace korven::bench {

// What a player feels of a task run on the window's thread: a timer that ticks as often as
// it can, and the longest gap between two of its ticks while the task runs.
class StallMeter {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    // The longest gap in seconds, the time up to now included.
    double stop() {
        tick();
        m_timer.stop();
        return static_cast<double>(m_longest) / 1e9;
    }

private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

}  // namespace korven::bench
