#include "stages/PrepareStage.h"

#include "main/StageWidgets.h"
#include "main/StationTexts.h"
#include "main/TfrmMain.h"
#include "richtext/RichView.h"
#include "stages/BottomBar.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

PrepareStage::PrepareStage(TfrmMain& main, int taskNo, const QString& sheetField)
    : CountdownStage(main),
      Panel1(new BottomBar(this, 41, QStringLiteral("Подготовка к выполнению задания № %1").arg(taskNo))),
      Button1(Panel1->addButton(QStringLiteral("Я готов!"), QSize(75, 25), 8, 6)),
      RxDBRichEdit1(new richtext::RichView(this)), m_taskNo(taskNo) {
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &PrepareStage::Button1Click);

    RxDBRichEdit1->setObjectName(QStringLiteral("RxDBRichEdit1"));
    RxDBRichEdit1->setDataSource(&main.complects);
    RxDBRichEdit1->setDataField(sheetField);

    StageWidgets::stackSheetOverBar(this, RxDBRichEdit1, Panel1);
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
