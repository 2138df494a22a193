#pragma once

#include <QByteArray>
#include <QString>

// Points SDL's disk audio driver at files of one test: the capture device
// reads raw PCM (44100 Hz, 2 channels, signed 16-bit) from the input file and
// then delivers silence; the output device writes raw PCM to the output file.
// The environment is restored when the object goes. Create it before the
// audio layer opens its devices.
namespace audiotest {

class AudioDiskDriver {
public:
    // Files go into dir, which must exist.
    explicit AudioDiskDriver(const QString& dir);
    ~AudioDiskDriver();
    AudioDiskDriver(const AudioDiskDriver&) = delete;
    AudioDiskDriver& operator=(const AudioDiskDriver&) = delete;

    // What the microphone will say.
    void setInput(const QByteArray& pcm);
    // No input file: the capture device cannot be opened, as without a headset.
    void removeInput();
    // Milliseconds between device blocks; 0 runs as fast as the machine goes.
    // Without it SDL paces the devices in real time.
    void setDelayMs(int ms);

    QString inputPath() const { return m_input; }
    // What the output device has written so far (complete once the device is closed).
    QByteArray output() const;

private:
    QString m_input;
    QString m_output;
    QByteArray m_saved[4];
    bool m_had[4] = {};
};

} // namespace audiotest
