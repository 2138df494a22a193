#include "main/CountdownStage.h"

#include "main/DialogService.h"
#include "main/TfrmMain.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

CountdownStage::CountdownStage(TfrmMain& main) : StageFrame(main) {}

void CountdownStage::startCountdown(int seconds, const QString& phaseText) {
    TfrmMain& main = mainWindow();
    main.lblProcessName->setText(phaseText);
    main.lblProcessTime->setText(Countdown::secondsText(seconds));
    main.fitHeaderLabels();
    main.ProcessBar->setRange(0, seconds);
    main.ProcessBar->setValue(0);
    m_countdown.start(seconds);
    Timer1->start();
}

void CountdownStage::confirmEarlyEnd(const QString& question, int marker) {
    if (mainWindow().dialogs().confirm(question))
        m_countdown.endEarly(marker);
}

void CountdownStage::Timer1Timer() {
    if (m_countdown.tick()) {
        Timer1->stop();
        finishStage(); // destroys this frame through StartFrame: nothing may follow
        return;
    }
    TfrmMain& main = mainWindow();
    main.ProcessBar->setValue(m_countdown.elapsed());
    main.lblProcessTime->setText(Countdown::secondsText(m_countdown.remaining()));
    main.lblProcessTime->adjustSize();
}
