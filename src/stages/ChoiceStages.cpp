#include "stages/StageTable.h"

#include "main/StageRegistry.h"
#include "stages/TfrmTask4.h"
#include "stages/TfrmTask5.h"
#include "stages/TfrmTask6.h"

namespace stages {

void registerChoiceStages(StageRegistry& registry) {
    registry.add<TfrmTask4>(40);
    registry.add<TfrmTask5>(50);
    registry.add<TfrmTask6>(60);
}

} // namespace stages
