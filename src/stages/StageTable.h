#pragma once

class StageRegistry;

namespace stages {

// Every stage of the exam, each phase registering its own codes.
void registerStages(StageRegistry& registry);

} // namespace stages
