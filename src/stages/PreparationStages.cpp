#include "stages/StageTable.h"

#include "main/StageRegistry.h"

namespace stages {

void registerPreparationStages(StageRegistry& registry) {
    (void)registry; // the stages of this group register here as they land
}

} // namespace stages
