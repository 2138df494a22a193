#include "stages/ConfirmedCountdownStage.h"

#include "main/TfrmMain.h"

#include <QTimer>

ConfirmedCountdownStage::ConfirmedCountdownStage(TfrmMain& main) : CountdownStage(main) {}

void ConfirmedCountdownStage::askEarlyEnd(const QString& question, int marker) {
    // A Yes given after the end changes nothing any more.
    whileBoxMayShow([&] { confirmEarlyEnd(question, marker); });
}

void ConfirmedCountdownStage::whileBoxMayShow(const std::function<void()>& call) {
    m_boxMayShow = true;
    call();
    m_boxMayShow = false;
    if (m_pendingCode != 0)
        QTimer::singleShot(0, this, [this] { mainWindow().StartFrame(m_pendingCode); });
}

void ConfirmedCountdownStage::endWith(int code) {
    if (m_boxMayShow)
        m_pendingCode = code;
    else
        mainWindow().StartFrame(code);
}
