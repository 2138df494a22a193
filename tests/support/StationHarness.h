#pragma once

#include "main/StageRegistry.h"
#include "main/TfrmMain.h"
#include "support/AudioFakeLayer.h"
#include "support/ScriptedDialogService.h"

#include <QTemporaryDir>

#include <memory>

class StageFrame;

// A main window for GUI tests: scripted dialogs, a scripted audio layer, a registry the
// test fills, and a temporary working folder that is removed with the harness. The
// window is created without its start-up; tests that want it put a kim.kim in workDir
// and call FormCreate.
struct StationHarness {
    StationHarness();
    ~StationHarness();

    QTemporaryDir workDir;
    ScriptedDialogService dialogs;
    FakeAudioLayer audio;
    StageRegistry stages;
    std::unique_ptr<TfrmMain> window;

    // Creates the window (after the test has filled stages).
    TfrmMain& createWindow();
};

// Calls the frame's Timer1Timer n times, as n ticks of its timer would. Stops early when
// the frame is destroyed by a switch.
void tick(StageFrame* frame, int n = 1);
