#include "audio/SdlAudioLayer.h"
#include "stages/preexam/PreExamStages.h"
#include "main/QtDialogService.h"
#include "app/Rehearsal.h"
#include "app/StationCommandLine.h"
#include "station/Version.h"
#include "main/StageRegistry.h"
#include "station/StationTexts.h"
#include "main/StationWindow.h"
#include "stages/StageTable.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StationCommandLine commandLine = StationCommandLine::parse(arguments);
    switch (commandLine.action) {
    case StationCommandLine::Action::ShowHelp:
        std::fputs(commandLine.message.toLocal8Bit().constData(), stdout);
        return 0;
    case StationCommandLine::Action::ShowVersion:
        std::printf("zunt-station %s\n", kStationVersion);
        return 0;
    case StationCommandLine::Action::Refuse:
        std::fprintf(stderr, "zunt-station: error: %s (see zunt-station --help)\n",
                     commandLine.message.toLocal8Bit().constData());
        return 2;
    case StationCommandLine::Action::Rehearse:
        return rehearsal::run(argc, argv, commandLine.rehearsalDir);
    case StationCommandLine::Action::RunStation:
        break;
    }

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
