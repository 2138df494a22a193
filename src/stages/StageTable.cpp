#include "stages/StageTable.h"

namespace stages {

void registerStages(StageRegistry& registry) {
    registerPreExamStages(registry);
    registerTaskStages(registry);
    registerReviewStages(registry);
}

} // namespace stages
