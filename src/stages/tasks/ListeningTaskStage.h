#pragma once

#include "audio/AudioLayer.h"
#include "stages/common/SheetStage.h"
#include "station/TempAudio.h"

#include <array>

class PositionComboBox;
class QPlainTextEdit;

// Stage 11: the listening task. The kit's task-1 audio plays once; the examinee answers by
// choosing one of three options in each of five lists over the sheet; the time is the
// audio's length plus two seconds. At the end the positions go to a1. Next: the task-2
// preparation (20). Children are owned by the frame.
class ListeningTaskStage : public SheetStage {
    Q_OBJECT
public:
    explicit ListeningTaskStage(StationWindow& main);

    // One list per statement, at fixed places over the sheet (declared as the tab order runs).
    PositionComboBox* const list5;
    PositionComboBox* const list4;
    PositionComboBox* const list3;
    PositionComboBox* const list2;
    PositionComboBox* const list1;
    // Hidden: the kit's option lines, as the examinee's lists were filled from them.
    QPlainTextEdit* const optionsMemo;

    // The stream of the task audio, kept between examinees like the preparation's.
    static audio::Handle taskAudioStream;
    static const QString kTempFileName;

    void start() override;
    // "Завершить ответ!": on Yes the choices are stored on the next tick, whatever the time.
    void onFinishClicked();

    // list1 to list5, in the order of the answer string.
    std::array<PositionComboBox*, 5> lists() const { return {list1, list2, list3, list4, list5}; }
    // The answer string of the lists as they stand.
    std::string answerString() const;

protected:
    void finishStage() override;

private:
    PositionComboBox* makeList(const QString& name, int statement, QPoint place);

    TempAudio m_audio;
};
