#pragma once

#include "stages/PrepareStage.h"

// Stage 20: the examinee reads the task-2 preparation sheet. Next: task 2 (21).
class TfrmPrepare2 : public PrepareStage {
    Q_OBJECT
public:
    explicit TfrmPrepare2(TfrmMain& main);

    void Start() override;

protected:
    void finishStage() override;
};
