#include "app/StationCommandLine.h"

#include <QCommandLineParser>

StationCommandLine StationCommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption rehearsal(QStringLiteral("rehearsal"), QString(), QStringLiteral("DIR"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(rehearsal);

    StationCommandLine result;
    if (!parser.parse(arguments)) {
        result.action = Action::Refuse;
        result.message = parser.errorText();
        if (result.message.endsWith(QLatin1Char('.')))
            result.message.chop(1);
    } else if (parser.isSet(help)) {
        result.action = Action::ShowHelp;
        result.message = usage();
    } else if (parser.isSet(version)) {
        result.action = Action::ShowVersion;
    } else if (const QStringList rest = parser.positionalArguments();
               rest.size() > 1 || (!rest.isEmpty() && parser.isSet(rehearsal))) {
        result.action = Action::Refuse;
        result.message = QStringLiteral("unexpected argument '%1'").arg(rest.last());
    } else if (parser.isSet(rehearsal)) {
        result.action = Action::Rehearse;
        result.rehearsalDir = parser.value(rehearsal);
    } else if (!rest.isEmpty()) {
        result.workDir = rest.first();
    }
    return result;
}

QString StationCommandLine::usage() {
    return QStringLiteral("usage: zunt-station [FOLDER]\n"
                          "       zunt-station --rehearsal DIR\n"
                          "\n"
                          "The ZUNT oral-exam station. It works in FOLDER, which holds the exam kit kim.kim;\n"
                          "without FOLDER, in the current folder when that holds kim.kim, else in the folder\n"
                          "picked in a folder dialog (it opens on the one picked last). Answers are written\n"
                          "below that folder only.\n"
                          "\n"
                          "options:\n"
                          "  --rehearsal DIR  play an organiser and three examinees on the kit in DIR and\n"
                          "                   check what the station wrote (offscreen without a display)\n"
                          "  -h, --help       show this help and exit\n"
                          "  -v, --version    show the version and exit\n");
}
