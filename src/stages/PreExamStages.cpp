#include "stages/StageTable.h"

#include "main/StageRegistry.h"

namespace stages {

void registerPreExamStages(StageRegistry& registry) {
    (void)registry; // the stages of this group register here as they land
}

} // namespace stages

namespace stages {

void createStationWindows(TfrmMain& main) {
    (void)main; // the countdown window and the kit text viewer are created here as they land
}

} // namespace stages
