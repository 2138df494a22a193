#include "station/StationLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

StationLog* g_current = nullptr;

// A long day of stage switches stays far below this; a runaway warning loop does not.
constexpr int kRunLinesKept = 5000;

const char* typeName(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "info";
}

} // namespace

StationLog::StationLog(const QString& folder) : m_folder(QDir(folder).absolutePath()) {
    QDir().mkpath(m_folder);
    g_current = this;
    m_previous = qInstallMessageHandler(&StationLog::handle);
}

StationLog::~StationLog() {
    qInstallMessageHandler(m_previous);
    g_current = nullptr;
}

StationLog* StationLog::current() {
    return g_current;
}

QString StationLog::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

QString StationLog::fileName(const QDate& day) {
    return QStringLiteral("zunt-station-%1.log").arg(day.toString(Qt::ISODate));
}

bool StationLog::isLogFileName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^zunt-station-\\d{4}-\\d{2}-\\d{2}\\.log$"));
    return pattern.match(name).hasMatch();
}

bool StationLog::moveCurrentTo(const QString& folder) {
    return g_current && g_current->moveTo(folder);
}

bool StationLog::moveTo(const QString& folder) {
    const QString target = QDir(folder).absolutePath();
    QMutexLocker lock(&m_mutex);
    if (target == m_folder)
        return false;
    QDir().mkpath(target);
    const QString from = QDir(m_folder).filePath(fileName(QDate::currentDate()));
    m_folder = target;
    QStringList lines{QStringLiteral("--- the lines of this run so far, also in %1").arg(from)};
    lines += m_runLines;
    append(QDir(m_folder).filePath(fileName(QDate::currentDate())), lines);
    return true;
}

QString StationLog::folder() const {
    QMutexLocker lock(&m_mutex);
    return m_folder;
}

QString StationLog::filePath() const {
    QMutexLocker lock(&m_mutex);
    return QDir(m_folder).filePath(fileName(QDate::currentDate()));
}

void StationLog::handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    StationLog* log = g_current;
    if (!log)
        return;
    const QString category = QString::fromUtf8(context.category ? context.category : "default");
    log->write(QStringLiteral("%1 [%2] %3: %4")
                   .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz")), category,
                        QLatin1String(typeName(type)), text));
    // Ours are for the file only; Qt's own messages keep their usual way out as well.
    if (!category.startsWith(QLatin1String("zunt.")) && log->m_previous)
        log->m_previous(type, context, text);
}

void StationLog::write(const QString& line) {
    QMutexLocker lock(&m_mutex);
    m_runLines << line;
    if (m_runLines.size() > kRunLinesKept)
        m_runLines.removeFirst();
    append(QDir(m_folder).filePath(fileName(QDate::currentDate())), {line});
}

bool StationLog::append(const QString& path, const QStringList& lines) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return false;
    for (const QString& line : lines) {
        QString oneLine = line;
        oneLine.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1String(" / "));
        file.write(oneLine.toUtf8() + '\n');
    }
    return file.error() == QFileDevice::NoError;
}
