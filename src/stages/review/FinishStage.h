#pragma once

#include "main/StageFrame.h"

class QLabel;
class QPushButton;

// Stage 1001, the end of one examinee's work: announces it (and warns when the answers file
// is not in the answer folder: the organiser went on without it) and offers the next
// examinee (stage 5, through the one-shot tickTimer) or the end of the station's work. The
// main window owns the frame.
class FinishStage : public StageFrame {
    Q_OBJECT
public:
    explicit FinishStage(StationWindow& main);

    QPushButton* const nextExamineeButton;
    QPushButton* const stopStationButton;
    QLabel* const doneLabel;
    QFrame* const topSpacer;           // an empty band that keeps doneLabel 97 px below the top edge
    QLabel* const answersMissingLabel; // below doneLabel, shown only without the answers file

    void start() override;

    void onNextExamineeClicked();
    void onStopStationClicked();

public slots:
    void onTick() override;
};
