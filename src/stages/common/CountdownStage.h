#pragma once

#include "station/Countdown.h"
#include "main/StageFrame.h"

// Base of the preparation and task stages: the countdown written once. Start calls
// startCountdown; each tickTimer tick moves the header bar; when the time is used up (or
// the examinee confirmed the early end) finishStage does the stage's closing work and
// requests the next stage.
class CountdownStage : public StageFrame {
    Q_OBJECT
public:
    explicit CountdownStage(StationWindow& main);

    // Ticks since Start (whole seconds).
    int elapsed() const { return m_countdown.elapsed(); }
    const Countdown& countdown() const { return m_countdown; }
    // The stage has done its closing work and asked for the next stage.
    bool finished() const { return m_finished; }

    void onTick() final;

protected:
    // Header texts and bar reset, elapsed 0, tickTimer running.
    void startCountdown(int seconds, const QString& phaseText);

    // The finish button: asks with the confirmation box; on Yes the next tick ends the stage.
    void confirmEarlyEnd(const QString& question, int marker);

    // Called once, on the tick that ends the stage; must end with startStage.
    virtual void finishStage() = 0;

private:
    Countdown m_countdown;
    bool m_finished = false; // finishStage has run; the stage may stay until the switch happens
};
