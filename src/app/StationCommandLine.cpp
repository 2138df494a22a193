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
    } else if (!parser.positionalArguments().isEmpty()) {
        result.action = Action::Refuse;
        result.message = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
    } else if (parser.isSet(rehearsal)) {
        result.action = Action::Rehearse;
        result.rehearsalDir = parser.value(rehearsal);
    }
    return result;
}

QString StationCommandLine::usage() {
    return QStringLiteral("usage: zunt-station [--rehearsal DIR]\n"
                          "\n"
                          "The ZUNT oral-exam station: run it in the folder that holds the exam kit kim.kim;\n"
                          "answers are written below that folder.\n"
                          "\n"
                          "options:\n"
                          "  --rehearsal DIR  play an organiser and three examinees on the kit in DIR and\n"
                          "                   check what the station wrote (offscreen without a display)\n"
                          "  -h, --help       show this help and exit\n"
                          "  -v, --version    show the version and exit\n");
}
