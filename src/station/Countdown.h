#pragma once

#include <QString>

// The once-a-second countdown of the preparation and task stages, without any widget:
// T is the stage's time in whole seconds, elapsed the ticks since start. A stage with
// T = 90 shows 90, 89, ... 0 and ends on the 91st tick.
class Countdown {
public:
    // Markers that an early end pushes elapsed to (the task-1 and task-4..6 settings can exceed 1000).
    static constexpr int kEarlyEndPrepare = 1000;
    static constexpr int kEarlyEndLong = 3000;

    void start(int seconds);

    // One tick. Returns true when the stage has ended (elapsed passed T).
    bool tick();

    // The examinee confirmed the early end: the next tick ends the stage. The marker is
    // raised to T when T is larger, so a long stage also ends at once.
    void endEarly(int marker);

    int elapsed() const { return m_elapsed; }
    int remaining() const { return m_total - m_elapsed; }
    bool ended() const { return m_elapsed > m_total; }

    // "N сек." for the header bar.
    static QString secondsText(int seconds);

private:
    int m_total = 0;
    int m_elapsed = 0;
};
