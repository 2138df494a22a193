#include "stages/SpokenTaskStage.h"

#include "main/DialogService.h"
#include "main/StationTexts.h"
#include "main/TfrmMain.h"
#include "richtext/RichView.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

const QString SpokenTaskStage::kPhaseText = QStringLiteral("Отвечайте! Идет запись:");

SpokenTaskStage::SpokenTaskStage(TfrmMain& main, int taskNo, int buttonWidth, int buttonRightMargin)
    : SheetStage(main, {49, QStringLiteral("Выполнение задания № %1. Идет запись...").arg(taskNo),
                        QStringLiteral("Завершить ответ!"), QSize(buttonWidth, 25), 13, buttonRightMargin}) {
    connect(Button1, &QPushButton::clicked, this, &SpokenTaskStage::Button1Click);
}

void SpokenTaskStage::Button1Click() {
    confirmEarlyEnd(texts::kConfirmTaskEnd, Countdown::kEarlyEndPrepare);
}

void SpokenTaskStage::startAnswer(const QString& sheetField, int seconds, const QString& fileSuffix, int nextCode) {
    TfrmMain& main = mainWindow();
    m_fileSuffix = fileSuffix;
    m_nextCode = nextCode;
    RxDBRichEdit1->setDataField(sheetField);
    if (main.FiveSec)
        main.dialogs().execModal(*main.FiveSec);

    main.Panel1->show();
    main.lblProcessTime->show();
    main.ProcessBar->show();
    startCountdown(seconds, kPhaseText);
    const StationFolders folders = main.folders();
    folders.ensureExist();
    // Last: a failure box of the recorder lets ticks run, which may end this stage under it.
    main.StartRecording(folders.answerFile(m_fileSuffix));
}

void SpokenTaskStage::finishStage() {
    TfrmMain& main = mainWindow();
    const StationFolders folders = main.folders();
    // The folders may have gone during the answer; the recording's file must have a home.
    folders.ensureExist();
    main.StopRecording(folders.answerFile(m_fileSuffix));
    mainWindow().StartFrame(m_nextCode);
}
