#include "app/WorkingFolder.h"

#include "main/DialogService.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

bool holdsKit(const QString& folder) {
    return QFileInfo(QDir(folder).filePath(QStringLiteral("kim.kim"))).isFile();
}

} // namespace

WorkingFolder WorkingFolder::resolve(const QString& given, const QString& currentFolder, DialogService& dialogs,
                                     QSettings& settings) {
    WorkingFolder result;
    if (!given.isEmpty()) {
        if (!QFileInfo(given).isDir())
            result.problem = QStringLiteral("no such folder '%1'").arg(given);
        else
            result.path = QDir(given).absolutePath();
        return result;
    }
    if (holdsKit(currentFolder)) {
        result.path = QDir(currentFolder).absolutePath();
        return result;
    }
    // Started from the menu: the current folder is the home folder, never a kit's.
    QString start = settings.value(QLatin1String(kSettingsKey)).toString();
    if (start.isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    const QString picked =
        dialogs.chooseFolder(QStringLiteral("Выберите папку с экзаменационным комплектом kim.kim"), start);
    if (picked.isEmpty())
        return result;
    result.path = QDir(picked).absolutePath();
    settings.setValue(QLatin1String(kSettingsKey), result.path);
    return result;
}
