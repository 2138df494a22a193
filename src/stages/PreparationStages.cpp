#include "stages/StageTable.h"

#include "main/StageRegistry.h"
#include "stages/TfrmPrepare1.h"
#include "stages/TfrmPrepare2.h"
#include "stages/TfrmPrepare3.h"
#include "stages/TfrmTask1.h"
#include "stages/TfrmTask2.h"
#include "stages/TfrmTask3.h"

namespace stages {

namespace {

// Task 3 starts on the photo that the stage code names.
void addTask3(StageRegistry& registry, int code, int photo) {
    registry.add(
        code, [](TfrmMain& main) -> StageFrame* { return new TfrmTask3(main); },
        [photo](StageFrame& frame) { static_cast<TfrmTask3&>(frame).Start(photo); });
}

} // namespace

void registerPreparationStages(StageRegistry& registry) {
    registry.add<TfrmPrepare1>(10);
    registry.add<TfrmTask1>(11);
    registry.add<TfrmPrepare2>(20);
    registry.add<TfrmTask2>(21);
    registry.add<TfrmPrepare3>(30);
    addTask3(registry, 31, 1);
    addTask3(registry, 32, 2);
    addTask3(registry, 33, 3);
    addTask3(registry, 39, 0);
}

} // namespace stages
