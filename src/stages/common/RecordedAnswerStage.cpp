#include "stages/common/RecordedAnswerStage.h"

#include "main/DialogService.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "richtext/RichView.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

const QString RecordedAnswerStage::kPhaseText = QStringLiteral("Отвечайте! Идет запись:");

RecordedAnswerStage::RecordedAnswerStage(StationWindow& main, int taskNo, int buttonWidth, int buttonRightMargin)
    : SheetStage(main, {49, QStringLiteral("Выполнение задания № %1. Идет запись...").arg(taskNo),
                        QStringLiteral("Завершить ответ!"), QSize(buttonWidth, 25), 13, buttonRightMargin}) {
    connect(finishButton, &QPushButton::clicked, this, &RecordedAnswerStage::onFinishClicked);
}

void RecordedAnswerStage::onFinishClicked() {
    confirmEarlyEnd(texts::kConfirmTaskEnd, Countdown::kEarlyEndPrepare);
}

void RecordedAnswerStage::startAnswer(const QString& sheetField, int seconds, const QString& fileSuffix,
                                      StageCode nextCode) {
    StationWindow& main = mainWindow();
    m_fileSuffix = fileSuffix;
    m_nextCode = nextCode;
    sheetView->setDataField(sheetField);
    if (main.countdownWindow)
        main.dialogs().execModal(*main.countdownWindow);

    main.headerBar->show();
    main.timeLabel->show();
    main.progressBar->show();
    startCountdown(seconds, kPhaseText);
    const StationFolders folders = main.folders();
    folders.ensureExist();
    // Last: a failure box of the recorder lets ticks run, which may end this stage under it.
    main.startRecording(folders.answerFile(m_fileSuffix));
}

void RecordedAnswerStage::finishStage() {
    StationWindow& main = mainWindow();
    const StationFolders folders = main.folders();
    // The folders may have gone during the answer; the recording's file must have a home.
    folders.ensureExist();
    main.stopRecording(folders.answerFile(m_fileSuffix));
    mainWindow().startStage(m_nextCode);
}
