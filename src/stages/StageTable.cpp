#include "stages/StageTable.h"

namespace stages {

void registerStages(StageRegistry& registry) {
    registerPreExamStages(registry);
    registerPreparationStages(registry);
    registerChoiceStages(registry);
    registerReviewStages(registry);
}

} // namespace stages
