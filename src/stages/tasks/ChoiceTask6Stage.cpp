#include "stages/tasks/ChoiceTask6Stage.h"

#include "main/StationWindow.h"
#include "station/ChoiceRules.h"

int ChoiceTask6Stage::layoutTarget = 0;

ChoiceTask6Stage::ChoiceTask6Stage(StationWindow& main) : LayoutChoiceStage(main, design(), layoutTarget) {
    setObjectName(QStringLiteral("choiceTask6Stage"));
}

ChoiceStage::Design ChoiceTask6Stage::design() {
    Design d;
    d.frameSize = QSize(909, 597);
    d.caption = QStringLiteral("Выполнение задания № 6.");
    d.sheetField = QStringLiteral("t6Task");
    d.optionsField = QStringLiteral("t6Ans");
    d.options = &ChoiceRules::task6Options;
    d.time = &StationWindow::taskTime6;
    d.answerField = "a6";
    d.nextCode = StageCode::Review;
    d.lists = {QRect(184, 192, 108, 24), QRect(365, 216, 108, 24), QRect(114, 264, 108, 24), QRect(745, 315, 108, 24),
               QRect(159, 413, 108, 24)};
    d.tabFromLastList = true;
    return d;
}
