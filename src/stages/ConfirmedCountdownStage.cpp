#include "stages/ConfirmedCountdownStage.h"

#include "main/TfrmMain.h"

#include <QTimer>

ConfirmedCountdownStage::ConfirmedCountdownStage(TfrmMain& main) : CountdownStage(main) {}

void ConfirmedCountdownStage::askEarlyEnd(const QString& question, int marker) {
    m_asking = true;
    confirmEarlyEnd(question, marker); // a Yes after the end changes nothing any more
    m_asking = false;
    if (m_pendingCode != 0)
        QTimer::singleShot(0, this, [this] { mainWindow().StartFrame(m_pendingCode); });
}

void ConfirmedCountdownStage::endWith(int code) {
    if (m_asking)
        m_pendingCode = code;
    else
        mainWindow().StartFrame(code);
}
