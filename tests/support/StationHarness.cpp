#include "support/StationHarness.h"

#include <QPointer>

StationHarness::StationHarness() = default;

StationHarness::~StationHarness() {
    if (window)
        window->CanExit = true;
}

TfrmMain& StationHarness::createWindow() {
    window = std::make_unique<TfrmMain>(stationServices(dialogs, audio, stages, workDir.path()));
    return *window;
}

TfrmMain::Services stationServices(DialogService& dialogs, audio::AudioLayer& audio, const StageRegistry& stages,
                                   const QString& workDir) {
    TfrmMain::Services services;
    services.dialogs = &dialogs;
    services.audio = &audio;
    services.stages = &stages;
    services.workDir = workDir;
    services.appDir = workDir + QLatin1Char('/');
    return services;
}

void addIdleStage(StageRegistry& stages, int code, std::function<void()> started) {
    stages.add(
        code, [](TfrmMain& main) -> StageFrame* { return new IdleStage(main); },
        [started = std::move(started)](StageFrame&) { started(); });
}

void tick(StageFrame* frame, int n) {
    QPointer<StageFrame> guard(frame);
    for (int i = 0; i < n && guard; ++i)
        guard->Timer1Timer();
}
