#include "support/Screenshot.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

void saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("ZUNT_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}
