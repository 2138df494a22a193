#include "tools/Command.h"

#include <cstdio>
#include <cstring>

namespace tools {

int fail(const std::string& message, int status) {
    std::fflush(stdout);
    std::fprintf(stderr, "zunt-tool: error: %s\n", message.c_str());
    return status;
}

int failUsage(const char* usage) {
    // The usage line without its description: "kit-build MANIFEST OUT".
    const char* end = std::strstr(usage, "  ");
    const std::string line = end ? std::string(usage, end) : std::string(usage);
    return fail("usage: zunt-tool " + line, 2);
}

} // namespace tools
