#include "station/StationFolders.h"

#include <QDir>
#include <QFileInfo>

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

void StationFolders::ensureExist() const {
    QDir dir;
    for (const QString& level : {stationFolder(), answerFolder()}) {
        if (!QFileInfo(level).isDir())
            dir.mkdir(level);
    }
}
