#include "stages/StageTable.h"

#include "main/StageRegistry.h"
#include "stages/TfrmFinishExam.h"
#include "stages/TfrmPlayAnswers.h"

namespace stages {

void registerReviewStages(StageRegistry& registry) {
    registry.add<TfrmPlayAnswers>(1000);
    registry.add<TfrmFinishExam>(1001);
}

} // namespace stages
