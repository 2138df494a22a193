#pragma once

#include "stages/common/LayoutChoiceStage.h"

// Task 5 (stage 50): each list has its own four lines of t5Ans; the answer goes to a5,
// then task 6. Carries the layout menu.
class ChoiceTask5Stage : public LayoutChoiceStage {
    Q_OBJECT
public:
    explicit ChoiceTask5Stage(StationWindow& main);

    static ChoiceStage::Design design();
};
