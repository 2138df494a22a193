#include "tools/Commands.h"

namespace tools {

std::vector<Command> kitCommands() {
    return {};
}

} // namespace tools
