#pragma once

#include "stages/common/RecordedAnswerStage.h"

// Stage 21: the spoken answer to task 2, recorded into StudID_2.ogg. Next: the task-3
// preparation (30).
class SpokenAnswerStage : public RecordedAnswerStage {
    Q_OBJECT
public:
    explicit SpokenAnswerStage(StationWindow& main);

    void start() override;
};
