#include "audio/SdlAudioLayer.h"
#include "stages/preexam/PreExamStages.h"
#include "main/QtDialogService.h"
#include "app/Rehearsal.h"
#include "main/StageRegistry.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "stages/StageTable.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char** argv) {
    if (const std::optional<QString> dir = rehearsal::requested(argc, argv))
        return rehearsal::run(argc, argv, *dir);
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(texts::kAppTitle);
    // Qt's own strings (context menus, standard buttons) in Russian too.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtRussian);

    const QString workDir = QDir::currentPath();
    QtDialogService dialogs;
    std::unique_ptr<audio::AudioLayer> audioLayer = audio::createSdlAudioLayer(workDir);
    StageRegistry stages;
    stages::registerStages(stages);

    StationWindow::Services services;
    services.dialogs = &dialogs;
    services.audio = audioLayer.get();
    services.stages = &stages;
    services.workDir = workDir;
    services.appDir = QDir::toNativeSeparators(QApplication::applicationDirPath() + QLatin1Char('/'));
    StationWindow stationWindow(services);
    if (!stationWindow.startUp())
        return 1;
    stages::createStationWindows(stationWindow);
    QObject::connect(&stationWindow, &StationWindow::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    stationWindow.show();
    return app.exec();
}
