#pragma once

#include <QString>
#include <QStringList>

// What the command line of zunt-station asks for. Read before any application object
// exists: the rehearsal decides how the application is made.
struct StationCommandLine {
    enum class Action {
        RunStation, // the station on FOLDER, or on the folder found as zunt-station(1) says
        Rehearse,   // --rehearsal DIR
        ShowHelp,   // --help: usage on standard output, status 0
        ShowVersion,
        Refuse, // an unknown option or a missing value: message on standard error, status 2
    };

    Action action = Action::RunStation;
    QString rehearsalDir;
    QString workDir; // FOLDER as given; empty when none was
    QString message; // the usage text for ShowHelp, the error for Refuse

    static StationCommandLine parse(const QStringList& arguments);
    static QString usage();
};
