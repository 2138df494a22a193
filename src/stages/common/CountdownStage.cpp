#include "stages/common/CountdownStage.h"

#include "main/DialogService.h"
#include "main/StationWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

CountdownStage::CountdownStage(StationWindow& main) : StageFrame(main) {}

void CountdownStage::startCountdown(int seconds, const QString& phaseText) {
    StationWindow& main = mainWindow();
    main.phaseLabel->setText(phaseText);
    main.timeLabel->setText(Countdown::secondsText(seconds));
    main.fitHeaderLabels();
    main.progressBar->setRange(0, seconds);
    main.progressBar->setValue(0);
    m_countdown.start(seconds);
    tickTimer->start();
}

void CountdownStage::confirmEarlyEnd(const QString& question, int marker) {
    if (mainWindow().dialogs().confirm(question))
        m_countdown.endEarly(marker);
}

void CountdownStage::onTick() {
    if (m_finished)
        return; // the switch is waiting (for a box, or for a recording's file to be whole)
    if (m_countdown.tick()) {
        tickTimer->stop();
        m_finished = true;
        finishStage(); // destroys this frame through startStage: nothing may follow
        return;
    }
    StationWindow& main = mainWindow();
    main.progressBar->setValue(m_countdown.elapsed());
    main.timeLabel->setText(Countdown::secondsText(m_countdown.remaining()));
    main.timeLabel->adjustSize();
}
