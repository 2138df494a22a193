#include "tools/StationCommands.h"

#include "station/StationReport.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace tools {
namespace {

constexpr const char* kCheckUsage = "check-station DIR    report on every answer folder of a station folder";

int checkStation(const Args& args) {
    if (args.size() != 1)
        return failUsage(kCheckUsage);
    const QString dir = QFile::decodeName(args[0].c_str());
    const StationReport report = StationReport::inspect(dir);
    if (!report.isStationFolder()) {
        return fail(args[0] + " is not a station folder (expected a folder named Answer_...)", report.exitStatus());
    }
    for (const QString& line : report.lines())
        std::printf("%s\n", line.toUtf8().constData());
    for (const QString& note : report.notes())
        std::fprintf(stderr, "%s\n", note.toUtf8().constData());
    std::fflush(stdout);
    return report.exitStatus();
}

} // namespace

std::vector<Command> stationCommands() {
    return {
        {"check-station", kCheckUsage, Needs::Core, &checkStation},
    };
}

} // namespace tools
