#include "tools/KitCheckCommands.h"

#include "audio/SdlAudioLayer.h"
#include "kit/KitDump.h"
#include "kit/MemTable.h"
#include "richtext/SheetMeasure.h"
#include "station/KitCheck.h"

#include <QDir>

#include <cstdio>

namespace tools {

namespace {

constexpr const char* kCheckUsage =
    "kit-check KIT                check a kit before exam day (exit 0 clean, 1 warnings, 2 errors)";

void print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
}

int kitCheck(const Args& args) {
    if (args.size() != 1)
        return failUsage(kCheckUsage);
    kit::MemTable table;
    int version = 0;
    std::string error;
    if (!kit::loadKitOrStream(args[0], false, &table, &version, &error)) {
        print(QStringLiteral("error: kit: cannot be loaded: ") + QString::fromStdString(error));
        print(QStringLiteral("kit-check: 1 error, 0 warnings"));
        return 2;
    }
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    const QList<KitCheck::Finding> findings =
        KitCheck::check(table, &richtext::measureSheet,
                        [&](const QByteArray& bytes) { return KitCheck::decodeAudioWithLayer(*layer, bytes); });
    for (const KitCheck::Finding& f : findings)
        print(KitCheck::line(f));
    print(KitCheck::summary(findings));
    std::fflush(stdout);
    if (KitCheck::count(findings, KitCheck::Severity::Error) > 0)
        return 2;
    return KitCheck::count(findings, KitCheck::Severity::Warning) > 0 ? 1 : 0;
}

} // namespace

std::vector<Command> kitCheckCommands() {
    return {{"kit-check", kCheckUsage, Needs::Gui, &kitCheck}};
}

} // namespace tools
