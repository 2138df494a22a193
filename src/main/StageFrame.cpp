#include "main/StageFrame.h"

#include "main/StationWindow.h"

#include <QTimer>

StageFrame::StageFrame(StationWindow& main) : QFrame(&main), tickTimer(new QTimer(this)), m_main(main) {
    tickTimer->setInterval(1000);
    connect(tickTimer, &QTimer::timeout, this, &StageFrame::onTick);
}

StageFrame::~StageFrame() = default;

void StageFrame::switchTo(StageCode code) {
    tickTimer->stop();
    m_main.startStage(code);
}
