#pragma once

#include "stages/common/SheetStage.h"

// What the three preparation frames share: the bottom bar "Подготовка к выполнению
// задания № N" with "Я готов!", the kit sheet above it, the header bar with the stage's
// name, and the early end at 1000. Children are owned by the frame.
class PreparationStage : public SheetStage {
    Q_OBJECT
public:
    // "Я готов!": on Yes the next tick ends the preparation.
    void onFinishClicked();

protected:
    // sheetField empty: the view shows nothing.
    PreparationStage(StationWindow& main, int taskNo, const QString& sheetField);

    // Shows the header bar's time and gauge and starts counting seconds down.
    void startPreparation(int seconds);

private:
    int m_taskNo;
};
