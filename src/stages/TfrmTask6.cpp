#include "stages/TfrmTask6.h"

#include "main/TfrmMain.h"
#include "stages/ChoiceRules.h"

int TfrmTask6::LayoutTarget = 0;

TfrmTask6::TfrmTask6(TfrmMain& main) : LayoutChoiceStage(main, design(), LayoutTarget) {
    setObjectName(QStringLiteral("frmTask6"));
}

ChoiceStage::Design TfrmTask6::design() {
    Design d;
    d.frameSize = QSize(909, 597);
    d.caption = QStringLiteral("Выполнение задания № 6.");
    d.sheetField = QStringLiteral("t6Task");
    d.optionsField = QStringLiteral("t6Ans");
    d.options = &ChoiceRules::task6Options;
    d.time = &TfrmMain::TaskTime6;
    d.answerField = "a6";
    d.nextCode = 1000;
    d.lists = {QRect(184, 192, 108, 24), QRect(365, 216, 108, 24), QRect(114, 264, 108, 24), QRect(745, 315, 108, 24),
               QRect(159, 413, 108, 24)};
    d.tabFromLastList = true;
    return d;
}
