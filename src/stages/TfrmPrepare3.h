#pragma once

#include "stages/PrepareStage.h"

#include <array>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

// Stage 30: after the countdown window, the examinee reads the task-3 preparation sheet
// and chooses the photo to talk about. Next: task 3 on that photo (31, 32, 33) or on
// none (39).
class TfrmPrepare3 : public PrepareStage {
    Q_OBJECT
public:
    explicit TfrmPrepare3(TfrmMain& main);

    // " Выбор фото ": "нет", "1", "2", "3" in four columns; the ids are the item indexes.
    QGroupBox* const nPhoto;
    std::array<QRadioButton*, 4> nPhotoItems;

    // The photo chosen, 1 to 3, or 9 for none; set when the stage ends.
    int PhotoChoice = 0;

    void Start() override;

    // The selected item of nPhoto: 0 for "нет", 1 to 3 for the photos.
    int nPhotoItemIndex() const;
    // The stage code that follows a selected item: 31, 32, 33, or 39 for "нет".
    static int nextStageCode(int itemIndex);

protected:
    void finishStage() override;

private:
    QButtonGroup* m_photoGroup;
};
