#include "stages/StageTable.h"

#include "main/StageRegistry.h"
#include "main/TfrmMain.h"
#include "stages/T_FiveSec.h"
#include "stages/TfrmInstruction.h"
#include "stages/TfrmRecStudID.h"
#include "stages/TfrmTestHard.h"
#include "stages/TfrmTestRTF.h"

namespace stages {

void registerPreExamStages(StageRegistry& registry) {
    registry.add<TfrmTestHard>(1);
    registry.add<TfrmInstruction>(5);
    registry.add<TfrmRecStudID>(6);
}

void createStationWindows(TfrmMain& main) {
    // Both windows are the main window's children and go with it.
    main.FiveSec = new T_FiveSec(main);
    main.frmTestRTF = new TfrmTestRTF(main);
}

} // namespace stages
