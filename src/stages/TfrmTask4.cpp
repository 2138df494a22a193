#include "stages/TfrmTask4.h"

#include "main/TfrmMain.h"
#include "stages/ChoiceRules.h"

TfrmTask4::TfrmTask4(TfrmMain& main) : ChoiceStage(main, design()) {
    setObjectName(QStringLiteral("frmTask4"));
}

ChoiceStage::Design TfrmTask4::design() {
    Design d;
    d.frameSize = QSize(1198, 627);
    d.caption = QStringLiteral("Выполнение задания № 4.");
    d.sheetField = QStringLiteral("t4Task");
    d.optionsField = QStringLiteral("t4Ans");
    d.options = &ChoiceRules::task4Options;
    d.time = &TfrmMain::TaskTime4;
    d.answerField = "a4";
    d.nextCode = 50;
    d.lists = {QRect(274, 85, 145, 24), QRect(274, 176, 145, 24), QRect(274, 261, 145, 24), QRect(274, 352, 145, 24),
               QRect(274, 458, 145, 24)};
    d.tabFromLastList = false;
    return d;
}
