#include "stages/review/ReviewStages.h"

#include "main/StageRegistry.h"
#include "stages/review/FinishStage.h"
#include "stages/review/ReviewStage.h"

namespace stages {

void registerReviewStages(StageRegistry& registry) {
    registry.add<ReviewStage>(StageCode::Review);
    registry.add<FinishStage>(StageCode::Finish);
}

} // namespace stages
