#pragma once

#include <QString>

#include <vector>

// The audio devices SDL sees, for the technician (zunt-tool devices, the station's log).
// Each call starts SDL's audio subsystem for itself and stops it again (SDL counts the
// starts, so a running audio layer is not disturbed). Any thread but one at a time.
namespace audio {

struct AudioDevice {
    bool capture = false;
    int index = 0; // SDL's index within capture or playback devices
    QString name;
    bool isDefault = false; // what the station opens; unknown (all false) on drivers that do not say
};

class DeviceList {
public:
    // Capture devices first, then playback. False with SDL's reason when the audio
    // subsystem cannot start.
    static bool list(std::vector<AudioDevice>& devices, QString* error);
    // The driver SDL uses ("pulseaudio", "alsa", "disk", ...); empty when it cannot start.
    static QString driverName();

    struct TestRecording {
        double seconds = 0; // recorded
        double peak = 0;    // highest sample, 0..1: 0 means the microphone gave silence
    };
    // Records seconds from the capture device called deviceName (empty: the default one)
    // at 44100 Hz, 2 channels, 16 bits into the WAV file wavFile.
    static bool recordTest(const QString& deviceName, double seconds, const QString& wavFile, TestRecording& result,
                           QString* error);
};

} // namespace audio
