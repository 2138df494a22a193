#pragma once

#include "main/StageRegistry.h"
#include "main/StationWindow.h"
#include "support/AudioFakeLayer.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

// A main window for GUI tests: scripted dialogs, a scripted audio layer, a registry the
// test fills, and a temporary working folder that is removed with the harness. The
// window is created without its start-up; tests that want it put a kim.kim in workDir
// and call startUp.
struct StationHarness {
    StationHarness();
    ~StationHarness();

    QTemporaryDir workDir;
    ScriptedDialogService dialogs;
    FakeAudioLayer audio;
    StageRegistry stages;
    std::unique_ptr<StationWindow> window;

    // Creates the window (after the test has filled stages).
    StationWindow& createWindow();
};

// The services of a window working in workDir, which is its program folder too.
StationWindow::Services stationServices(DialogService& dialogs, audio::AudioLayer& audio, const StageRegistry& stages,
                                        const QString& workDir);

// A stage that only sits there: it stands in for the next stage so a test sees that the
// switch reached it, and in what state, without running the real one.
class IdleStage : public StageFrame {
public:
    using StageFrame::StageFrame;
    void start() override {}
    void onTick() override {}
};

// Registers an IdleStage at code; started runs each time the switch starts it.
void addIdleStage(StageRegistry& stages, StageCode code, std::function<void()> started);

// Calls the frame's onTick n times, as n ticks of its timer would. Stops early when
// the frame is destroyed by a switch.
void tick(StageFrame* frame, int n = 1);
