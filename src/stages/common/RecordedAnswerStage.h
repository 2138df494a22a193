#pragma once

#include "stages/common/SheetStage.h"

// What the task-2 and task-3 frames share: the sheet, the bar "Выполнение задания № N. Идет
// запись..." with "Завершить ответ!", the countdown window, then T seconds of recording
// into the examinee's answer file, stopped on the tick after the one that shows 0.
// Children are owned by the frame; the recording belongs to the main window's recorder.
class RecordedAnswerStage : public SheetStage {
    Q_OBJECT
public:
    // "Завершить ответ!": on Yes the recording stops on the next tick.
    void onFinishClicked();

    // The header name while the answer is recorded.
    static const QString kPhaseText;

protected:
    RecordedAnswerStage(StationWindow& main, int taskNo, int buttonWidth, int buttonRightMargin);

    // Binds the sheet, shows the countdown window, then counts seconds down while recording
    // into the answer file participantCode + fileSuffix; the stage ends with nextCode.
    void startAnswer(const QString& sheetField, int seconds, const QString& fileSuffix, StageCode nextCode);

    void finishStage() override;

private:
    QString m_fileSuffix;
    StageCode m_nextCode = StageCode::Review;
};
