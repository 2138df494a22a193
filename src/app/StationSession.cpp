#include "app/StationSession.h"
#include "stages/preexam/PreExamStages.h"

#include "audio/SdlAudioLayer.h"
#include "main/StageRegistry.h"
#include "main/StationWindow.h"
#include "stages/StageTable.h"

#include <QDir>

StationSession::StationSession(DialogService& dialogs, const QString& workDir, const QString& appDir)
    : m_stages(std::make_unique<StageRegistry>()), m_audio(audio::createSdlAudioLayer(workDir)) {
    stages::registerStages(*m_stages);
    StationWindow::Services services;
    services.dialogs = &dialogs;
    services.audio = m_audio.get();
    services.stages = m_stages.get();
    services.workDir = QDir(workDir).absolutePath();
    services.appDir = appDir;
    m_main = std::make_unique<StationWindow>(services);
}

StationSession::~StationSession() {
    m_main->canExit = true;
    m_main.reset(); // its shut-down still talks to the audio layer
}

bool StationSession::start() {
    if (!m_main->startUp())
        return false;
    stages::createStationWindows(*m_main);
    return true;
}
