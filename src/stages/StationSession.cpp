#include "stages/StationSession.h"

#include "audio/SdlAudioLayer.h"
#include "main/StageRegistry.h"
#include "main/TfrmMain.h"
#include "stages/StageTable.h"

#include <QDir>

StationSession::StationSession(DialogService& dialogs, const QString& workDir, const QString& appDir)
    : m_stages(std::make_unique<StageRegistry>()), m_audio(audio::createSdlAudioLayer(workDir)) {
    stages::registerStages(*m_stages);
    TfrmMain::Services services;
    services.dialogs = &dialogs;
    services.audio = m_audio.get();
    services.stages = m_stages.get();
    services.workDir = QDir(workDir).absolutePath();
    services.appDir = appDir;
    m_main = std::make_unique<TfrmMain>(services);
}

StationSession::~StationSession() {
    m_main->CanExit = true;
    m_main.reset(); // its shut-down still talks to the audio layer
}

bool StationSession::start() {
    if (!m_main->FormCreate())
        return false;
    stages::createStationWindows(*m_main);
    return true;
}
