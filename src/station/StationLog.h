#pragma once

#include <QDate>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QtMessageHandler>

// The technician's trail: every message of the program (the zunt.* categories and Qt's own
// warnings) appended to one file per day, zunt-station-YYYY-MM-DD.log, in a folder that
// starts as the user's data folder and moves to the station folder once there is one.
// Nothing of it reaches the screen; Qt's own messages still go to the previous handler too.
//
// One log per program: the constructor installs it as Qt's message handler, the destructor
// puts the previous one back. Messages may come from any thread (the handler locks); the
// file is opened for each line so that a crash loses nothing already written. A line that
// cannot be written is dropped: the log must never stop the station.
class StationLog {
public:
    explicit StationLog(const QString& folder);
    ~StationLog();
    StationLog(const StationLog&) = delete;
    StationLog& operator=(const StationLog&) = delete;

    // The installed log, or null.
    static StationLog* current();
    // Where the log goes before there is a station folder: the user's data folder.
    static QString defaultFolder();
    static QString fileName(const QDate& day);
    // True for the name of a day's log file: the station folder's report passes over them.
    static bool isLogFileName(const QString& name);

    // From now on into folder (created when missing). A new folder first gets the lines of
    // this run so far, so it holds the whole run. Nothing happens without an installed log.
    // True when the log has moved (false when it was there already, or there is no log).
    static bool moveCurrentTo(const QString& folder);
    bool moveTo(const QString& folder);

    QString folder() const;
    // Today's file.
    QString filePath() const;

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text);
    void write(const QString& line);
    bool append(const QString& path, const QStringList& lines) const;

    mutable QMutex m_mutex;
    QString m_folder;
    QStringList m_runLines; // this run's lines, for a folder moved to; bounded
    QtMessageHandler m_previous = nullptr;
};
