#include "support/StationHarness.h"

#include "main/StageFrame.h"

#include <QPointer>

StationHarness::StationHarness() = default;

StationHarness::~StationHarness() {
    if (window)
        window->CanExit = true;
}

TfrmMain& StationHarness::createWindow() {
    TfrmMain::Services services;
    services.dialogs = &dialogs;
    services.audio = &audio;
    services.stages = &stages;
    services.workDir = workDir.path();
    services.appDir = workDir.path() + QLatin1Char('/');
    window = std::make_unique<TfrmMain>(services);
    return *window;
}

void tick(StageFrame* frame, int n) {
    QPointer<StageFrame> guard(frame);
    for (int i = 0; i < n && guard; ++i)
        guard->Timer1Timer();
}
