#pragma once

#include "main/CountdownStage.h"

#include <functional>

// A countdown stage whose boxes may stay open past the end of its time: the finish button's
// confirmation and the recorder's error box have no owner and the countdown runs on while
// they are open, so the stage can end under them; the frame must then outlive the box. The
// closing work is done on time; only the switch waits until the box is closed, and then
// happens from a timer event, never from inside the call that opened the box.
class ConfirmedCountdownStage : public CountdownStage {
    Q_OBJECT
public:
    explicit ConfirmedCountdownStage(TfrmMain& main);

protected:
    // The finish button: the confirmation, Yes ending the stage on the next tick.
    void askEarlyEnd(const QString& question, int marker);
    // Runs a call that may show a modal box while the countdown runs.
    void whileBoxMayShow(const std::function<void()>& call);
    // The last step of finishStage instead of StartFrame.
    void endWith(int code);

private:
    bool m_boxMayShow = false;
    int m_pendingCode = 0;
};
