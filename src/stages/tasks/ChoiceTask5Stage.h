#pragma once

#include "stages/common/LayoutChoiceStage.h"

// Task 5 (stage 50): each list has its own four lines of t5Ans; the answer goes to a5,
// then task 6. Carries the layout menu.
class ChoiceTask5Stage : public LayoutChoiceStage {
    Q_OBJECT
public:
    explicit ChoiceTask5Stage(StationWindow& main);

    static ChoiceStage::Design design();

    // The list the layout menu of task 5 acts on (0 none, 1..5); kept from one frame of
    // task 5 to the next for the whole run, apart from task 6's.
    static int layoutTarget;
};
