#include "stages/TfrmTask2.h"

#include "main/TfrmMain.h"

TfrmTask2::TfrmTask2(TfrmMain& main) : SpokenTaskStage(main, 2, 113, 4) {
    setObjectName(QStringLiteral("frmTask2"));
}

void TfrmTask2::Start() {
    startAnswer(QStringLiteral("t2task"), mainWindow().TaskTime2, QStringLiteral("_2.ogg"), 30);
}
