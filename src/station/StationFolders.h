#pragma once

#include <QString>

// The station folder (Answer_<stationTag>) and a participant's answer folder below it,
// both inside the working folder, and the files in them. Every stage that writes or
// reads answers builds its paths here, so the used-code check and the writes agree.
class StationFolders {
public:
    StationFolders(QString workDir, QString stationTag, QString studId);

    QString stationFolder() const; // with a trailing separator
    QString answerFolder() const;  // with a trailing separator
    // participantCode + suffix in the answer folder, e.g. "_2.ogg" gives .../0042/0042_2.ogg
    QString answerFile(const QString& suffix) const;

    bool answerFolderExists() const;

    // Creates the station folder if missing, then the answer folder if missing: one level
    // at a time, nothing above them. On failure *error names the folder and the system's
    // reason ("Не удаётся создать папку «…»: нет доступа").
    bool ensureExist(QString* error = nullptr) const;

private:
    QString m_workDir;
    QString m_stationTag;
    QString m_studId;
};
