#include "stages/common/PreparationStage.h"

#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

PreparationStage::PreparationStage(StationWindow& main, int taskNo, const QString& sheetField)
    : SheetStage(main, {41, QStringLiteral("Подготовка к выполнению задания № %1").arg(taskNo),
                        QStringLiteral("Я готов!"), QSize(75, 25), 8, 6}),
      m_taskNo(taskNo) {
    connect(finishButton, &QPushButton::clicked, this, &PreparationStage::onFinishClicked);
    sheetView->setDataField(sheetField);
}

void PreparationStage::onFinishClicked() {
    confirmEarlyEnd(texts::kConfirmPrepareEnd, Countdown::kEarlyEndPrepare);
}

void PreparationStage::startPreparation(int seconds) {
    StationWindow& main = mainWindow();
    main.timeLabel->show();
    main.progressBar->show();
    startCountdown(seconds, QStringLiteral("Подготовка к заданию № %1:").arg(m_taskNo));
}
