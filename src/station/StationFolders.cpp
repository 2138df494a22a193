#include "station/StationFolders.h"

#include "kit/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

StationFolders::StationFolders(QString workDir, QString stationTag, QString studId)
    : m_workDir(std::move(workDir)), m_stationTag(std::move(stationTag)), m_studId(std::move(studId)) {}

QString StationFolders::stationFolder() const {
    QString base = m_workDir.isEmpty() ? QStringLiteral(".") : m_workDir;
    if (!base.endsWith(QLatin1Char('/')) && !base.endsWith(QDir::separator()))
        base += QLatin1Char('/');
    return QDir::toNativeSeparators(base + QStringLiteral("Answer_") + m_stationTag + QLatin1Char('/'));
}

QString StationFolders::answerFolder() const {
    return stationFolder() + m_studId + QDir::separator();
}

QString StationFolders::answerFile(const QString& suffix) const {
    return answerFolder() + m_studId + suffix;
}

bool StationFolders::answerFolderExists() const {
    return QFileInfo(answerFolder()).isDir();
}

bool StationFolders::ensureExist(QString* error) const {
    for (const QString& level : {stationFolder(), answerFolder()}) {
        if (QFileInfo(level).isDir())
            continue;
        const QByteArray path = QFile::encodeName(QDir::cleanPath(level));
        // Created with the system call itself: its reason is what the organiser must read.
        if (::mkdir(path.constData(), 0777) != 0) {
            // Something else of that name (a file) is as much in the way as a refusal.
            const int reason = errno == EEXIST ? ENOTDIR : errno;
            if (reason == ENOTDIR && QFileInfo(level).isDir())
                continue; // made by someone else meanwhile
            if (error)
                *error = QStringLiteral("Не удаётся создать папку «%1»: %2")
                             .arg(QDir::toNativeSeparators(QDir::cleanPath(level)),
                                  QString::fromStdString(kit::systemReason(reason)));
            return false;
        }
    }
    return true;
}
