#include "stages/TfrmPrepare2.h"

#include "main/TfrmMain.h"

TfrmPrepare2::TfrmPrepare2(TfrmMain& main) : PrepareStage(main, 2, QStringLiteral("t2Pre")) {
    setObjectName(QStringLiteral("frmPrepare2"));
}

void TfrmPrepare2::Start() {
    startPreparation(mainWindow().PrepTime2);
}

void TfrmPrepare2::finishStage() {
    mainWindow().StartFrame(21);
}
