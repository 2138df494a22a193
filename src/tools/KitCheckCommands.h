#pragma once

#include "tools/Command.h"

namespace tools {

// kit-check: a kit checked as the station will use it, before exam day.
std::vector<Command> kitCheckCommands();

} // namespace tools
