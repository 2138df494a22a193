#include "stages/tasks/SpokenAnswerStage.h"

#include "main/StationWindow.h"

SpokenAnswerStage::SpokenAnswerStage(StationWindow& main) : RecordedAnswerStage(main, 2, 113, 4) {
    setObjectName(QStringLiteral("spokenAnswerStage"));
}

void SpokenAnswerStage::start() {
    startAnswer(QStringLiteral("t2task"), mainWindow().taskTime2, QStringLiteral("_2.ogg"), StageCode::PhotoChoice);
}
