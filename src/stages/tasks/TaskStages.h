#pragma once

class StageRegistry;

namespace stages {

// The preparations, the listening and spoken tasks and the choice tasks over task sheets.
void registerTaskStages(StageRegistry& registry);

} // namespace stages
