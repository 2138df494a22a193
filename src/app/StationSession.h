#pragma once

#include <QString>

#include <memory>

class DialogService;
class StageRegistry;
class StationWindow;

namespace audio {
class AudioLayer;
}

// A whole station as the program entry builds it: every stage registered, the real audio
// layer, the main window with its start-up run and its two long-lived windows. Owns the
// registry, the layer and the window (the window goes first); the dialog service is the
// caller's and must outlive the session. UI thread only.
class StationSession {
public:
    StationSession(DialogService& dialogs, const QString& workDir, const QString& appDir);
    ~StationSession();
    StationSession(const StationSession&) = delete;
    StationSession& operator=(const StationSession&) = delete;

    // The start-up of the program entry; false when the station cannot run (the reason
    // has been shown through the dialog service).
    bool start();

    StationWindow& main() { return *m_main; }
    audio::AudioLayer& audio() { return *m_audio; }

private:
    std::unique_ptr<StageRegistry> m_stages;
    std::unique_ptr<audio::AudioLayer> m_audio;
    std::unique_ptr<StationWindow> m_main;
};
