#pragma once

#include <QString>

class DialogService;
class QSettings;

// The folder the station works in: the kit is read there and every answer is written below
// it, nowhere else. In this order: the folder given on the command line; the current folder
// when it holds kim.kim; the folder the organiser picks in the folder dialog, which opens on
// the folder picked last (kept in settings under kSettingsKey). UI thread only.
struct WorkingFolder {
    static constexpr const char* kSettingsKey = "workingFolder";

    QString path;    // absolute; empty when there is none
    QString problem; // why there is none, in English for standard error; empty when the dialog was cancelled

    static WorkingFolder resolve(const QString& given, const QString& currentFolder, DialogService& dialogs,
                                 QSettings& settings);
};
