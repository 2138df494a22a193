#pragma once

#include "stages/common/ChoiceStage.h"

// Task 4 (stage 40): every list offers all lines of t4Ans; the answer goes to a4, then task 5.
class ChoiceTask4Stage : public ChoiceStage {
    Q_OBJECT
public:
    explicit ChoiceTask4Stage(StationWindow& main);

    static ChoiceStage::Design design();
};
