#pragma once

class StageRegistry;

namespace stages {

// The answer review and the finish.
void registerReviewStages(StageRegistry& registry);

} // namespace stages
