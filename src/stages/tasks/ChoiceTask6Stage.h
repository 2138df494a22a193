#pragma once

#include "stages/common/LayoutChoiceStage.h"

// Task 6 (stage 60): every list offers all lines of t6Ans; the answer goes to a6, then the
// answer review. Carries the layout menu.
class ChoiceTask6Stage : public LayoutChoiceStage {
    Q_OBJECT
public:
    explicit ChoiceTask6Stage(StationWindow& main);

    static ChoiceStage::Design design();

    // The list the layout menu of task 6 acts on (0 none, 1..5); kept from one frame of
    // task 6 to the next for the whole run, apart from task 5's.
    static int layoutTarget;
};
