#pragma once

#include "stages/ChoiceStage.h"

// Task 4 (stage 40): every list offers all lines of t4Ans; the answer goes to a4, then task 5.
class TfrmTask4 : public ChoiceStage {
    Q_OBJECT
public:
    explicit TfrmTask4(TfrmMain& main);

    static ChoiceStage::Design design();
};
