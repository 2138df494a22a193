#include "stages/tasks/PhotoAnswerStage.h"

#include "main/StationWindow.h"
#include "richtext/RichView.h"

PhotoAnswerStage::PhotoAnswerStage(StationWindow& main) : RecordedAnswerStage(main, 3, 119, 10) {
    setObjectName(QStringLiteral("photoAnswerStage"));
    sheetView->setDataField(sheetField(0));
}

void PhotoAnswerStage::start() {
    start(0);
}

void PhotoAnswerStage::start(int photo) {
    startAnswer(sheetField(photo), mainWindow().taskTime3, QStringLiteral("_3.ogg"), StageCode::ChoiceTask4);
}

QString PhotoAnswerStage::sheetField(int photo) {
    if (photo >= 1 && photo <= 3)
        return QStringLiteral("t3Task%1").arg(photo);
    return QStringLiteral("t3Pre");
}
