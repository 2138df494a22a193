#pragma once

#include "stages/common/PreparationStage.h"
#include "station/StageCode.h"

#include <array>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

// Stage 30: after the countdown window, the examinee reads the task-3 preparation sheet
// and chooses the photo to talk about. Next: task 3 on that photo (31, 32, 33) or on
// none (39).
class PhotoChoiceStage : public PreparationStage {
    Q_OBJECT
public:
    explicit PhotoChoiceStage(StationWindow& main);

    // " Выбор фото ": "нет", "1", "2", "3" in four columns; the ids are the item indexes.
    QGroupBox* const photoGroup;
    std::array<QRadioButton*, 4> photoItems;

    // The photo chosen, 1 to 3, or 9 for none; set when the stage ends.
    int photoChoice = 0;

    void start() override;

    // The selected item of photoGroup: 0 for "нет", 1 to 3 for the photos.
    int photoItemIndex() const;
    // The photo of a selected item: 1 to 3, or 9 for "нет".
    static int photoFor(int itemIndex);
    // The task-3 stage that follows a selected item.
    static StageCode nextStageCode(int itemIndex);

protected:
    void finishStage() override;

private:
    QButtonGroup* m_photoButtons;
};
