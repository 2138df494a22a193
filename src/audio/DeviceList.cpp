#include "audio/DeviceList.h"

#include <QFile>

#include <SDL.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace audio {

namespace {

// SDL's audio subsystem for the length of one call.
class SdlAudioStarted {
public:
    SdlAudioStarted() : m_ok(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {}
    ~SdlAudioStarted() {
        if (m_ok)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    SdlAudioStarted(const SdlAudioStarted&) = delete;
    SdlAudioStarted& operator=(const SdlAudioStarted&) = delete;
    bool ok() const { return m_ok; }

private:
    bool m_ok;
};

QString sdlError() {
    return QString::fromUtf8(SDL_GetError());
}

QString defaultName(bool capture) {
    char* name = nullptr;
    SDL_AudioSpec spec{};
    if (SDL_GetDefaultAudioInfo(&name, &spec, capture ? 1 : 0) != 0 || !name)
        return QString();
    const QString result = QString::fromUtf8(name);
    SDL_free(name);
    return result;
}

constexpr int kRate = 44100;
constexpr int kChannels = 2;

} // namespace

bool DeviceList::list(std::vector<AudioDevice>& devices, QString* error) {
    devices.clear();
    const SdlAudioStarted sdl;
    if (!sdl.ok()) {
        if (error)
            *error = sdlError();
        return false;
    }
    for (const bool capture : {true, false}) {
        const QString defaultDevice = defaultName(capture);
        const int count = SDL_GetNumAudioDevices(capture ? 1 : 0);
        for (int i = 0; i < count; ++i) {
            AudioDevice device;
            device.capture = capture;
            device.index = i;
            device.name = QString::fromUtf8(SDL_GetAudioDeviceName(i, capture ? 1 : 0));
            device.isDefault = !defaultDevice.isEmpty() && device.name == defaultDevice;
            devices.push_back(device);
        }
    }
    return true;
}

QString DeviceList::driverName() {
    const SdlAudioStarted sdl;
    if (!sdl.ok())
        return QString();
    return QString::fromUtf8(SDL_GetCurrentAudioDriver());
}

bool DeviceList::recordTest(const QString& deviceName, double seconds, const QString& wavFile, TestRecording& result,
                            QString* error) {
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const SdlAudioStarted sdl;
    if (!sdl.ok())
        return fail(sdlError());
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = kChannels;
    want.samples = 1024;
    want.callback = nullptr; // queued: taken with SDL_DequeueAudio below
    const QByteArray name = deviceName.toUtf8();
    const SDL_AudioDeviceID device =
        SDL_OpenAudioDevice(deviceName.isEmpty() ? nullptr : name.constData(), 1, &want, nullptr, 0);
    if (device == 0)
        return fail(sdlError());

    const std::size_t wanted = static_cast<std::size_t>(std::max(0.0, seconds) * kRate) * kChannels;
    std::vector<qint16> samples;
    samples.reserve(wanted);
    SDL_PauseAudioDevice(device, 0);
    // A device that delivers nothing must not hang the tool: give up after twice the time.
    const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(seconds * 2000) + 2000;
    qint16 block[4096];
    while (samples.size() < wanted && SDL_GetTicks64() < deadline) {
        const Uint32 got = SDL_DequeueAudio(device, block, sizeof block);
        if (got == 0) {
            SDL_Delay(10);
            continue;
        }
        const std::size_t count = std::min<std::size_t>(got / sizeof(qint16), wanted - samples.size());
        samples.insert(samples.end(), block, block + count);
    }
    SDL_CloseAudioDevice(device);
    if (samples.size() < wanted)
        return fail(QStringLiteral("the device delivered %1 of %2 s").arg(samples.size() / (kRate * 2.0)).arg(seconds));

    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = kChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open(QFile::encodeName(wavFile).constData(), SFM_WRITE, &info);
    if (!out)
        return fail(QString::fromUtf8(sf_strerror(nullptr)));
    const sf_count_t written = sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
    const bool closed = sf_close(out) == 0;
    if (written != static_cast<sf_count_t>(samples.size()) || !closed)
        return fail(QStringLiteral("cannot write %1").arg(wavFile));

    int peak = 0;
    for (const qint16 s : samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    result.seconds = static_cast<double>(samples.size()) / (kRate * kChannels);
    result.peak = peak / 32768.0;
    return true;
}

} // namespace audio
