#include "main/StageFrame.h"

#include "main/TfrmMain.h"

#include <QTimer>

StageFrame::StageFrame(TfrmMain& main) : QFrame(&main), Timer1(new QTimer(this)), m_main(main) {
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &StageFrame::Timer1Timer);
}

StageFrame::~StageFrame() = default;

void StageFrame::switchTo(int code) {
    Timer1->stop();
    m_main.StartFrame(code);
}
