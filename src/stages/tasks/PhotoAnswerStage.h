#pragma once

#include "stages/common/RecordedAnswerStage.h"

// Stages 31, 32, 33 and 39: the spoken answer to task 3 on the photo chosen in the
// preparation (or on the preparation sheet when none was), recorded into StudID_3.ogg
// whichever photo it was. Next: task 4 (40).
class PhotoAnswerStage : public RecordedAnswerStage {
    Q_OBJECT
public:
    explicit PhotoAnswerStage(StationWindow& main);

    // As start(0): the preparation sheet.
    void start() override;
    // photo: 1, 2 or 3, or 0 for none.
    void start(int photo);

    // The kit field shown for a photo: t3Task1..3, t3Pre for 0 and anything else.
    static QString sheetField(int photo);
};
