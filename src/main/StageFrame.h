#pragma once

#include "station/StageCode.h"

#include <QFrame>

class QTimer;
class StationWindow;

// Base of every stage frame. The main window owns the frame (Qt parent) and destroys it
// at the next switch, taking its controls and timers with it. A stage ends only from a
// tick of its own tickTimer: countdown stages tick once a second, the others arm tickTimer as a
// one-shot from a button and switch in onTick. Tests call onTick directly.
class StageFrame : public QFrame {
    Q_OBJECT
public:
    explicit StageFrame(StationWindow& main);
    ~StageFrame() override;

    // Called once by startStage after the frame is placed and visible.
    virtual void start() = 0;

    // Disabled at creation; 1000 ms unless the stage sets its own interval.
    QTimer* const tickTimer;

public slots:
    virtual void onTick() = 0;

protected:
    StationWindow& mainWindow() const { return m_main; }

    // The one-shot switch of the stages without a countdown: stop tickTimer, go to code.
    void switchTo(StageCode code);

private:
    StationWindow& m_main;
};
