#include "stages/tasks/TaskStages.h"

#include "main/StageRegistry.h"
#include "stages/tasks/ChoiceTask4Stage.h"
#include "stages/tasks/ChoiceTask5Stage.h"
#include "stages/tasks/ChoiceTask6Stage.h"
#include "stages/tasks/ListeningPreparationStage.h"
#include "stages/tasks/ListeningTaskStage.h"
#include "stages/tasks/PhotoAnswerStage.h"
#include "stages/tasks/PhotoChoiceStage.h"
#include "stages/tasks/SpokenAnswerStage.h"
#include "stages/tasks/SpokenPreparationStage.h"

namespace stages {

namespace {

// Task 3 starts on the photo that the stage code names.
void addPhotoAnswer(StageRegistry& registry, StageCode code, int photo) {
    registry.add(
        code, [](StationWindow& main) -> StageFrame* { return new PhotoAnswerStage(main); },
        [photo](StageFrame& frame) { static_cast<PhotoAnswerStage&>(frame).start(photo); });
}

} // namespace

void registerTaskStages(StageRegistry& registry) {
    registry.add<ListeningPreparationStage>(StageCode::ListeningPreparation);
    registry.add<ListeningTaskStage>(StageCode::ListeningTask);
    registry.add<SpokenPreparationStage>(StageCode::SpokenPreparation);
    registry.add<SpokenAnswerStage>(StageCode::SpokenAnswer);
    registry.add<PhotoChoiceStage>(StageCode::PhotoChoice);
    addPhotoAnswer(registry, StageCode::PhotoAnswer1, 1);
    addPhotoAnswer(registry, StageCode::PhotoAnswer2, 2);
    addPhotoAnswer(registry, StageCode::PhotoAnswer3, 3);
    addPhotoAnswer(registry, StageCode::PhotoAnswerNoPhoto, 0);
    registry.add<ChoiceTask4Stage>(StageCode::ChoiceTask4);
    registry.add<ChoiceTask5Stage>(StageCode::ChoiceTask5);
    registry.add<ChoiceTask6Stage>(StageCode::ChoiceTask6);
}

} // namespace stages
