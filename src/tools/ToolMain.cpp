#include "tools/Commands.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

std::vector<tools::Command> allCommands() {
    std::vector<tools::Command> all;
    for (auto part : {tools::kitCommands, tools::audioCommands, tools::richtextCommands, tools::stationCommands}) {
        auto cmds = part();
        all.insert(all.end(), cmds.begin(), cmds.end());
    }
    return all;
}

int usage(const std::vector<tools::Command>& cmds) {
    std::fprintf(stderr, "usage: zunt-tool COMMAND [ARGS]\n\ncommands:\n");
    for (const auto& c : cmds)
        std::fprintf(stderr, "  %s\n", c.usage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Rendering commands need a GUI application but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const auto cmds = allCommands();
    if (argc < 2)
        return usage(cmds);
    for (const auto& c : cmds) {
        if (std::strcmp(c.name, argv[1]) == 0)
            return c.run(tools::Args(argv + 2, argv + argc));
    }
    if (std::strcmp(argv[1], "help") != 0 && std::strcmp(argv[1], "--help") != 0)
        std::fprintf(stderr, "zunt-tool: unknown command '%s'\n", argv[1]);
    return usage(cmds);
}
