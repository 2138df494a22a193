#pragma once

#include "stages/common/PreparationStage.h"

// Stage 20: the examinee reads the task-2 preparation sheet. Next: task 2 (21).
class SpokenPreparationStage : public PreparationStage {
    Q_OBJECT
public:
    explicit SpokenPreparationStage(StationWindow& main);

    void start() override;

protected:
    void finishStage() override;
};
