#include "tools/Commands.h"

#include "station/StationReport.h"

#include <QFile>
#include <QString>

#include <cstdio>

namespace tools {
namespace {

int checkStation(const Args& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zunt-tool check-station DIR\n");
        return 2;
    }
    const QString dir = QFile::decodeName(args[0].c_str());
    const StationReport report = StationReport::inspect(dir);
    if (!report.isStationFolder()) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), StationReport::kNotAStationFolder.toUtf8().constData());
        return report.exitStatus();
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
        {"check-station", "check-station DIR    report on every answer folder of a station folder", &checkStation},
    };
}

} // namespace tools
