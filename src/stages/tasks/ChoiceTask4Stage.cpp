#include "stages/tasks/ChoiceTask4Stage.h"

#include "main/StationWindow.h"
#include "station/ChoiceRules.h"

ChoiceTask4Stage::ChoiceTask4Stage(StationWindow& main) : ChoiceStage(main, design()) {
    setObjectName(QStringLiteral("choiceTask4Stage"));
}

ChoiceStage::Design ChoiceTask4Stage::design() {
    Design d;
    d.frameSize = QSize(1198, 627);
    d.caption = QStringLiteral("Выполнение задания № 4.");
    d.sheetField = QStringLiteral("t4Task");
    d.optionsField = QStringLiteral("t4Ans");
    d.options = &ChoiceRules::task4Options;
    d.time = &StationWindow::taskTime4;
    d.answerField = "a4";
    d.nextCode = StageCode::ChoiceTask5;
    d.lists = {QRect(274, 85, 145, 24), QRect(274, 176, 145, 24), QRect(274, 261, 145, 24), QRect(274, 352, 145, 24),
               QRect(274, 458, 145, 24)};
    d.tabFromLastList = false;
    return d;
}
