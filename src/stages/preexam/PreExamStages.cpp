#include "stages/preexam/PreExamStages.h"

#include "main/StageRegistry.h"
#include "main/StationWindow.h"
#include "stages/preexam/CountdownWindow.h"
#include "stages/preexam/InstructionStage.h"
#include "stages/preexam/CodeRecordingStage.h"
#include "stages/preexam/HardwareCheckStage.h"
#include "stages/preexam/KitTextViewer.h"

namespace stages {

void registerPreExamStages(StageRegistry& registry) {
    registry.add<HardwareCheckStage>(StageCode::HardwareCheck);
    registry.add<InstructionStage>(StageCode::Instruction);
    registry.add<CodeRecordingStage>(StageCode::CodeRecording);
}

void createStationWindows(StationWindow& main) {
    // Both windows are the main window's children and go with it.
    main.countdownWindow = new CountdownWindow(main);
    main.kitTextViewer = new KitTextViewer(main);
}

} // namespace stages
