#include "stages/tasks/ChoiceTask5Stage.h"

#include "main/StationWindow.h"
#include "station/ChoiceRules.h"

int ChoiceTask5Stage::layoutTarget = 0;

ChoiceTask5Stage::ChoiceTask5Stage(StationWindow& main) : LayoutChoiceStage(main, design(), layoutTarget) {
    setObjectName(QStringLiteral("choiceTask5Stage"));
}

ChoiceStage::Design ChoiceTask5Stage::design() {
    Design d;
    d.frameSize = QSize(1011, 639);
    d.caption = QStringLiteral("Выполнение задания № 5.");
    d.sheetField = QStringLiteral("t5Task");
    d.optionsField = QStringLiteral("t5Ans");
    d.options = &ChoiceRules::task5Options;
    d.designItems = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    d.time = &StationWindow::taskTime5;
    d.answerField = "a5";
    d.nextCode = StageCode::ChoiceTask6;
    d.lists = {QRect(270, 238, 109, 24), QRect(614, 238, 102, 24), QRect(113, 287, 100, 24), QRect(709, 337, 106, 24),
               QRect(265, 386, 106, 24)};
    d.tabFromLastList = true;
    return d;
}
