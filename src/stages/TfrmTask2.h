#pragma once

#include "stages/SpokenTaskStage.h"

// Stage 21: the spoken answer to task 2, recorded into StudID_2.ogg. Next: the task-3
// preparation (30).
class TfrmTask2 : public SpokenTaskStage {
    Q_OBJECT
public:
    explicit TfrmTask2(TfrmMain& main);

    void Start() override;
};
