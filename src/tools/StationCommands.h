#pragma once

#include "tools/Command.h"

namespace tools {

// check-station: the end-of-day report of a station folder.
std::vector<Command> stationCommands();

} // namespace tools
