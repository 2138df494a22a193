#include "stages/PrepareStage.h"

#include "main/StationTexts.h"
#include "main/TfrmMain.h"
#include "richtext/RichView.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

PrepareStage::PrepareStage(TfrmMain& main, int taskNo, const QString& sheetField)
    : SheetStage(main, {41, QStringLiteral("Подготовка к выполнению задания № %1").arg(taskNo),
                        QStringLiteral("Я готов!"), QSize(75, 25), 8, 6}),
      m_taskNo(taskNo) {
    connect(Button1, &QPushButton::clicked, this, &PrepareStage::Button1Click);
    RxDBRichEdit1->setDataField(sheetField);
}

void PrepareStage::Button1Click() {
    confirmEarlyEnd(texts::kConfirmPrepareEnd, Countdown::kEarlyEndPrepare);
}

void PrepareStage::startPreparation(int seconds) {
    TfrmMain& main = mainWindow();
    main.lblProcessTime->show();
    main.ProcessBar->show();
    startCountdown(seconds, QStringLiteral("Подготовка к заданию № %1:").arg(m_taskNo));
}
