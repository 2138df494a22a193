#pragma once

#include "main/StageFrame.h"

class QLabel;
class QPushButton;

// Stage 1001, the end of one examinee's work: announces it and offers the next examinee
// (stage 5, through the one-shot tickTimer) or the end of the station's work (stopExam at
// once). The main window owns the frame.
class FinishStage : public StageFrame {
    Q_OBJECT
public:
    explicit FinishStage(StationWindow& main);

    QPushButton* const Button1;
    QPushButton* const Button2;
    QLabel* const Label1;
    QFrame* const Panel1; // an empty band that keeps Label1 97 px below the top edge

    void start() override;

    void Button1Click();
    void Button2Click();

public slots:
    void onTick() override;
};
