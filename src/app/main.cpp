#include "app/Rehearsal.h"
#include "app/StartupFacts.h"
#include "app/StationCommandLine.h"
#include "app/StationSession.h"
#include "app/WorkingFolder.h"
#include "main/DialogService.h"
#include "main/QtDialogService.h"
#include "main/StationApplication.h"
#include "main/StationWindow.h"
#include "station/LogCategories.h"
#include "station/StationLog.h"
#include "station/StationTexts.h"
#include "station/Version.h"
#include "widgets/StageWidgets.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
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

    StationApplication app(argc, argv);
    // Names of the settings file and of the log's folder before there is a station folder.
    QCoreApplication::setOrganizationName(QStringLiteral("zunt"));
    QCoreApplication::setApplicationName(QStringLiteral("zunt-station"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kStationVersion));
    QApplication::setApplicationDisplayName(texts::kAppTitle);
    // Qt's own strings (context menus, standard buttons) in Russian too.
    QTranslator qtRussian;
    if (qtRussian.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtRussian);

    StationLog log(StationLog::defaultFolder());
    startupfacts::logProgram();

    QtDialogService dialogs;
    QSettings settings;
    const WorkingFolder folder = WorkingFolder::resolve(commandLine.workDir, QDir::currentPath(), dialogs, settings);
    if (folder.path.isEmpty()) {
        if (folder.problem.isEmpty()) {
            qCInfo(lcMain) << "no working folder picked: the station ends";
            return 1;
        }
        qCWarning(lcMain).noquote() << folder.problem;
        std::fprintf(stderr, "zunt-station: error: %s\n", folder.problem.toLocal8Bit().constData());
        return 2;
    }
    qCInfo(lcMain).noquote() << "working folder" << folder.path;
    startupfacts::logAudio(folder.path);

    // Before the kit and any examinee: the organiser can still change the screen.
    const QString screenWarning =
        StageWidgets::screenTooSmallText(QSize(StationWindow::kClientWidth, StationWindow::kClientHeight));
    if (!screenWarning.isEmpty()) {
        qCWarning(lcMain).noquote() << "screen warning:" << screenWarning;
        dialogs.message(screenWarning);
    }

    StationSession session(dialogs, folder.path,
                           QDir::toNativeSeparators(QApplication::applicationDirPath() + QLatin1Char('/')));
    if (!session.start())
        return 1;
    startupfacts::logKit(session.main());
    QObject::connect(&session.main(), &StationWindow::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    session.main().show();
    app.setFailureReporter([&session](const QString& text) { session.main().dialogs().error(text); });
    const int status = app.exec();
    app.setFailureReporter({});
    qCInfo(lcMain) << "the station's work has ended";
    return status;
}
