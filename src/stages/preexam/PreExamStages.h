#pragma once

class StageRegistry;
class StationWindow;

namespace stages {

// The hardware check, the instruction with the code entry and the code recording.
void registerPreExamStages(StageRegistry& registry);

// Creates the countdown window and the kit text viewer, owned by the main window, and
// hands them to it (StationWindow::countdownWindow, StationWindow::kitTextViewer).
void createStationWindows(StationWindow& main);

} // namespace stages
