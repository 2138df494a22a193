#include "app/StartupFacts.h"

#include "audio/DeviceList.h"
#include "audio/EncoderCommand.h"
#include "kit/Cp1251.h"
#include "main/StationWindow.h"
#include "station/LogCategories.h"
#include "station/Version.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSysInfo>

namespace startupfacts {

namespace {

QString kitText(const kit::MemTable& table, const char* field) {
    return QString::fromStdString(kit::cp1251ToUtf8(table.asText(field)));
}

// "oggenc from vorbis-tools 1.4.2"; empty when it does not answer in time.
QString encoderVersion(const QString& program) {
    QProcess process;
    process.start(program, {QStringLiteral("--version")});
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return QString();
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError()).trimmed();
}

} // namespace

void logProgram() {
    qCInfo(lcMain).noquote() << "zunt-station" << kStationVersion << "started; Qt" << qVersion() << "on"
                             << QSysInfo::prettyProductName() << "platform" << QGuiApplication::platformName();
}

void logAudio(const QString& workDir) {
    std::vector<audio::AudioDevice> devices;
    QString error;
    if (!audio::DeviceList::list(devices, &error)) {
        qCWarning(lcAudio).noquote() << "the audio subsystem cannot start:" << error;
    } else {
        qCInfo(lcAudio).noquote()
            << QStringLiteral("audio driver %1, %2 devices").arg(audio::DeviceList::driverName()).arg(devices.size());
        for (const audio::AudioDevice& d : devices)
            qCInfo(lcAudio).noquote() << QStringLiteral("%1 %2: %3%4")
                                             .arg(QLatin1String(d.capture ? "capture" : "playback"))
                                             .arg(d.index)
                                             .arg(d.name, QLatin1String(d.isDefault ? " (default)" : ""));
    }
    const QString encoder = audio::findEncoder(workDir);
    if (encoder.isEmpty())
        qCWarning(lcAudio).noquote() << "encoder" << audio::encoderFileName()
                                     << "is neither in the working folder nor on the search path";
    else
        qCInfo(lcAudio).noquote() << "encoder" << encoder << "version:" << encoderVersion(encoder);
}

void logKit(const StationWindow& main) {
    qCInfo(lcKit).noquote() << "kit:" << main.complects.recordCount() << "variants; subject"
                            << kitText(main.complects, "subjid") << kitText(main.complects, "subjname") << "exam date"
                            << kitText(main.complects, "ExamDate") << "variant" << kitText(main.complects, "VarNo");
}

} // namespace startupfacts
