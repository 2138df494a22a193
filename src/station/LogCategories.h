#pragma once

#include <QLoggingCategory>

// The technician's log, one category per subsystem; QT_LOGGING_RULES turns them on and off.
// StationLog writes them to the day's log file and never to the screen.
Q_DECLARE_LOGGING_CATEGORY(lcMain)    // zunt.main: start-up, boxes shown, shut-down
Q_DECLARE_LOGGING_CATEGORY(lcKit)     // zunt.kit: the kit loaded
Q_DECLARE_LOGGING_CATEGORY(lcAudio)   // zunt.audio: devices, encoder, recordings
Q_DECLARE_LOGGING_CATEGORY(lcStages)  // zunt.stages: stage switches
Q_DECLARE_LOGGING_CATEGORY(lcStation) // zunt.station: station identity and folders
