#include "tools/DeviceCommands.h"

#include "audio/DeviceList.h"

#include <QString>

#include <cmath>
#include <cstdio>
#include <string>

namespace tools {

namespace {

constexpr const char* kDevicesUsage =
    "devices [--test DEVICE OUT.wav]  list the capture and playback devices (* default); record 2 s from one";
constexpr double kTestSeconds = 2.0;

void printDevices(const std::vector<audio::AudioDevice>& devices) {
    for (const bool capture : {true, false}) {
        std::printf("%s:\n", capture ? "capture" : "playback");
        int shown = 0;
        for (const auto& d : devices) {
            if (d.capture != capture)
                continue;
            std::printf("  %c %d  %s\n", d.isDefault ? '*' : ' ', d.index, d.name.toUtf8().constData());
            ++shown;
        }
        if (shown == 0)
            std::printf("    (none)\n");
    }
}

// DEVICE as the list shows it: its number among the capture devices, or its name.
bool findCapture(const std::vector<audio::AudioDevice>& devices, const std::string& wanted, QString& name) {
    const QString text = QString::fromLocal8Bit(wanted.c_str());
    bool isNumber = false;
    const int index = text.toInt(&isNumber);
    for (const auto& d : devices) {
        if (d.capture && ((isNumber && d.index == index) || d.name == text)) {
            name = d.name;
            return true;
        }
    }
    return false;
}

int devices(const Args& args) {
    const bool test = args.size() == 3 && args[0] == "--test";
    if (!args.empty() && !test)
        return failUsage(kDevicesUsage);
    std::vector<audio::AudioDevice> found;
    QString error;
    if (!audio::DeviceList::list(found, &error))
        return fail("the audio subsystem cannot be started: " + error.toStdString());
    if (!test) {
        std::printf("driver: %s\n", audio::DeviceList::driverName().toUtf8().constData());
        printDevices(found);
        return 0;
    }
    QString name;
    if (!findCapture(found, args[1], name))
        return fail("no capture device '" + args[1] + "' (see zunt-tool devices)");
    audio::DeviceList::TestRecording recorded;
    if (!audio::DeviceList::recordTest(name, kTestSeconds, QString::fromLocal8Bit(args[2].c_str()), recorded, &error))
        return fail("recording from '" + name.toStdString() + "' failed: " + error.toStdString());
    const double peakDb = recorded.peak > 0 ? 20 * std::log10(recorded.peak) : -INFINITY;
    std::printf("%s: %.3f s, peak %.1f dBFS%s\n", args[2].c_str(), recorded.seconds, peakDb,
                recorded.peak == 0 ? " (silence: is the microphone connected and unmuted?)" : "");
    return 0;
}

} // namespace

std::vector<Command> deviceCommands() {
    return {{"devices", kDevicesUsage, Needs::Core, &devices}};
}

} // namespace tools
