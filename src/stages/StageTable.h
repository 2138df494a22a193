#pragma once

class StageRegistry;
class TfrmMain;

// The stage codes of the exam and the windows that live for the whole run. The program
// entry calls both; each group of stages registers its own codes in its own unit.
namespace stages {

void registerStages(StageRegistry& registry);

// Pre-exam stages: 1, 5, 6.
void registerPreExamStages(StageRegistry& registry);
// Preparations and the listening and spoken tasks: 10, 11, 20, 21, 30, 31, 32, 33, 39.
void registerPreparationStages(StageRegistry& registry);
// The choice tasks over task sheets: 40, 50, 60.
void registerChoiceStages(StageRegistry& registry);
// Review and finish: 1000, 1001.
void registerReviewStages(StageRegistry& registry);

// Creates the five-second countdown window and the kit text viewer, owned by the main
// window, and hands them to it (TfrmMain::FiveSec, TfrmMain::frmTestRTF).
void createStationWindows(TfrmMain& main);

} // namespace stages
