#pragma once

#include <QFrame>

class QTimer;
class TfrmMain;

// Base of every stage frame. The main window owns the frame (Qt parent) and destroys it
// at the next switch, taking its controls and timers with it. A stage ends only from a
// tick of its own Timer1: countdown stages tick once a second, the others arm Timer1 as a
// one-shot from a button and switch in Timer1Timer. Tests call Timer1Timer directly.
class StageFrame : public QFrame {
    Q_OBJECT
public:
    explicit StageFrame(TfrmMain& main);
    ~StageFrame() override;

    // Called once by StartFrame after the frame is placed and visible.
    virtual void Start() = 0;

    // Disabled at creation; 1000 ms unless the stage sets its own interval.
    QTimer* const Timer1;

public slots:
    virtual void Timer1Timer() = 0;

protected:
    TfrmMain& mainWindow() const { return m_main; }

    // The one-shot switch of the stages without a countdown: stop Timer1, go to code.
    void switchTo(int code);

private:
    TfrmMain& m_main;
};
