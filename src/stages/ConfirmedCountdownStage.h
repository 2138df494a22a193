#pragma once

#include "main/CountdownStage.h"

// A countdown stage whose finish button may stay open past the end of the time. The box
// has no owner and the countdown runs on while it is open, so the stage can end under it;
// the frame must then outlive the box. The closing work is done on time; only the switch
// waits until the box is closed, and then happens from a timer event, never from inside
// the button's click.
class ConfirmedCountdownStage : public CountdownStage {
    Q_OBJECT
public:
    explicit ConfirmedCountdownStage(TfrmMain& main);

protected:
    // The finish button: the confirmation, Yes ending the stage on the next tick.
    void askEarlyEnd(const QString& question, int marker);
    // The last step of finishStage instead of StartFrame.
    void endWith(int code);

private:
    bool m_asking = false;
    int m_pendingCode = 0;
};
