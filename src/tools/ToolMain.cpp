#include "tools/AudioCommands.h"
#include "tools/DeviceCommands.h"
#include "tools/KitCheckCommands.h"
#include "tools/KitCommands.h"
#include "tools/RichtextCommands.h"
#include "tools/StationCommands.h"

#include "station/Version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

std::vector<tools::Command> allCommands() {
    std::vector<tools::Command> all;
    for (auto part : {tools::kitCommands, tools::kitCheckCommands, tools::audioCommands, tools::deviceCommands,
                      tools::richtextCommands, tools::stationCommands}) {
        auto cmds = part();
        all.insert(all.end(), cmds.begin(), cmds.end());
    }
    return all;
}

void printUsage(std::FILE* to, const std::vector<tools::Command>& cmds) {
    std::fprintf(to, "usage: zunt-tool [--help] [--version] COMMAND [ARGS]\n\n"
                     "Kits, sheets, sound and station folders of the ZUNT oral-exam station.\n\ncommands:\n");
    for (const auto& c : cmds)
        std::fprintf(to, "  %s\n", c.usage);
    std::fprintf(to, "\noptions:\n"
                     "  -h, --help     show this help and exit\n"
                     "  -v, --version  show the version and exit\n");
}

// Only what the command needs: a kit command starts no Qt at all, and none touches a screen.
std::unique_ptr<QCoreApplication> applicationFor(tools::Needs needs, int& argc, char** argv) {
    if (needs == tools::Needs::Gui || needs == tools::Needs::Widgets) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    switch (needs) {
    case tools::Needs::Nothing:
        return nullptr;
    case tools::Needs::Core:
        return std::make_unique<QCoreApplication>(argc, argv);
    case tools::Needs::Gui:
        return std::make_unique<QGuiApplication>(argc, argv);
    case tools::Needs::Widgets:
        return std::make_unique<QApplication>(argc, argv);
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const auto cmds = allCommands();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Everything from the command on is the command's own.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("show this help"));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("show the version"));
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        QString error = parser.errorText();
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
        return tools::fail(error.toStdString() + " (see zunt-tool --help)", 2);
    }
    if (parser.isSet(version)) {
        std::printf("zunt-tool %s\n", kStationVersion);
        return 0;
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet(help) || (!rest.isEmpty() && rest.first() == QLatin1String("help"))) {
        printUsage(stdout, cmds);
        return 0;
    }
    if (rest.isEmpty()) {
        printUsage(stderr, cmds);
        return 2;
    }
    // The command's own words as the shell gave them: file names need not be valid text.
    const int first = argc - static_cast<int>(rest.size());
    for (const auto& c : cmds) {
        if (rest.first() == QLatin1String(c.name)) {
            const auto app = applicationFor(c.needs, argc, argv);
            return c.run(tools::Args(argv + first + 1, argv + argc));
        }
    }
    return tools::fail("unknown command '" + rest.first().toStdString() + "' (see zunt-tool --help)", 2);
}
