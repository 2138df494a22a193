#pragma once

#include "app/StationDriver.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class RehearsalDialogService;
class StationReport;
class StationWindow;

// The technicians' rehearsal on a started station: the hardware test with school 1,
// auditorium 1 and station 1, then the examinees 0001, 1235 and 0042 (variants 0, 1 and 2)
// choosing at random in every list and photo 1, 2 and none, every stage cut to a few
// seconds, then the end of the station's work; then the station folder is checked. UI
// thread; the main window must outlive the run.
class StationRehearsal {
public:
    struct Options {
        StationDriver::Pace pace = StationDriver::Pace::Live;
        int stageSeconds = 3;
        std::function<int(int optionCount)> pick; // random when empty
    };

    // The three examinees, in order.
    static QList<StationDriver::Examinee> examinees();
    // The folder name the rehearsal's station will get on this kit.
    static QString stationFolderName(const StationWindow& main);

    // Runs the rehearsal, printing progress, the answer strings chosen and the station
    // report; true only when the report is complete and agrees with the choices and the
    // station showed no error on the way.
    static bool run(StationWindow& main, const RehearsalDialogService& dialogs, const Options& options,
                    const std::function<void(const QString& line)>& print);

    // What in the report disagrees with the examinees' choices (empty when all agrees):
    // an examinee missing or incomplete, answers other than chosen, an examinee not played.
    static QStringList disagreements(const StationReport& report, const QList<StationDriver::Outcome>& outcomes);
};
