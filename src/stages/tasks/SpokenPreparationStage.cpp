#include "stages/tasks/SpokenPreparationStage.h"

#include "main/StationWindow.h"

SpokenPreparationStage::SpokenPreparationStage(StationWindow& main)
    : PreparationStage(main, 2, QStringLiteral("t2Pre")) {
    setObjectName(QStringLiteral("spokenPreparationStage"));
}

void SpokenPreparationStage::start() {
    startPreparation(mainWindow().prepTime2);
}

void SpokenPreparationStage::finishStage() {
    mainWindow().startStage(StageCode::SpokenAnswer);
}
