#include "stages/TfrmTask3.h"

#include "main/TfrmMain.h"
#include "richtext/RichView.h"

TfrmTask3::TfrmTask3(TfrmMain& main) : SpokenTaskStage(main, 3, 119, 10) {
    setObjectName(QStringLiteral("frmTask3"));
    RxDBRichEdit1->setDataField(sheetField(0));
}

void TfrmTask3::Start() {
    Start(0);
}

void TfrmTask3::Start(int photo) {
    startAnswer(sheetField(photo), mainWindow().TaskTime3, QStringLiteral("_3.ogg"), 40);
}

QString TfrmTask3::sheetField(int photo) {
    if (photo >= 1 && photo <= 3)
        return QStringLiteral("t3Task%1").arg(photo);
    return QStringLiteral("t3Pre");
}
