#include "stages/StageTable.h"

#include "stages/preexam/PreExamStages.h"
#include "stages/review/ReviewStages.h"
#include "stages/tasks/TaskStages.h"

namespace stages {

void registerStages(StageRegistry& registry) {
    registerPreExamStages(registry);
    registerTaskStages(registry);
    registerReviewStages(registry);
}

} // namespace stages
