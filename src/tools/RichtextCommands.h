#pragma once

#include "tools/Command.h"

namespace tools {

// rtf-text, rtf-render: sheets as the station reads and shows them.
std::vector<Command> richtextCommands();

} // namespace tools
