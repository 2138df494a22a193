#pragma once

#include "stages/common/LayoutChoiceStage.h"

// Task 6 (stage 60): every list offers all lines of t6Ans; the answer goes to a6, then the
// answer review. Carries the layout menu.
class ChoiceTask6Stage : public LayoutChoiceStage {
    Q_OBJECT
public:
    explicit ChoiceTask6Stage(StationWindow& main);

    static ChoiceStage::Design design();
};
