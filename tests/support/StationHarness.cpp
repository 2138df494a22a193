#include "support/StationHarness.h"

#include <QPointer>

StationHarness::StationHarness() = default;

StationHarness::~StationHarness() {
    if (window)
        window->canExit = true;
}

StationWindow& StationHarness::createWindow() {
    window = std::make_unique<StationWindow>(stationServices(dialogs, audio, stages, workDir.path()));
    return *window;
}

StationWindow::Services stationServices(DialogService& dialogs, audio::AudioLayer& audio, const StageRegistry& stages,
                                        const QString& workDir) {
    StationWindow::Services services;
    services.dialogs = &dialogs;
    services.audio = &audio;
    services.stages = &stages;
    services.workDir = workDir;
    services.appDir = workDir + QLatin1Char('/');
    return services;
}

void addIdleStage(StageRegistry& stages, StageCode code, std::function<void()> started) {
    stages.add(
        code, [](StationWindow& main) -> StageFrame* { return new IdleStage(main); },
        [started = std::move(started)](StageFrame&) { started(); });
}

void tick(StageFrame* frame, int n) {
    QPointer<StageFrame> guard(frame);
    for (int i = 0; i < n && guard; ++i)
        guard->onTick();
}
