#include "tools/Commands.h"

namespace tools {

std::vector<Command> stationCommands() {
    return {};
}

} // namespace tools
