#include "tools/AudioCommands.h"

#include "audio/Recorder.h"
#include "audio/SdlAudioLayer.h"

#include <QDir>
#include <QString>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace tools {

namespace {

QString arg(const std::string& s) {
    return QString::fromLocal8Bit(s.c_str());
}

constexpr const char* kRecordUsage =
    "record OUT SECONDS   record the default microphone into an Ogg Vorbis file, print its length";
constexpr const char* kLengthUsage =
    "length FILE          print a sound file's length in seconds, as the task-1 stages compute it";
constexpr const char* kPlayUsage = "play FILE            play a sound file to its end on the default output device";

// The layer's error codes in the tool's words; the station shows its own Russian texts.
std::string describe(int code) {
    switch (static_cast<audio::ErrorCode>(code)) {
    case audio::ErrorCode::Memory:
        return "out of memory";
    case audio::ErrorCode::FileOpen:
        return "the file is missing or cannot be read";
    case audio::ErrorCode::Driver:
        return "the system's audio subsystem cannot be started";
    case audio::ErrorCode::Format:
        return "the device refused 44100 Hz, 2 channels, 16 bits";
    case audio::ErrorCode::Device:
        return "no such device, or it cannot be opened";
    case audio::ErrorCode::FileFormat:
        return "the file holds nothing that can be decoded";
    case audio::ErrorCode::EncoderNotFound:
        return "the encoder oggenc is neither in the working folder nor on the search path";
    case audio::ErrorCode::EncoderStart:
        return "the encoder could not be started";
    case audio::ErrorCode::EncoderFailed:
        return "the encoder ended before the recording did";
    case audio::ErrorCode::EncoderTimeout:
        return "the encoder did not finish in time and was killed";
    case audio::ErrorCode::EncoderOverrun:
        return "the encoder fell behind and recorded sound was dropped";
    default:
        return "audio error";
    }
}

int failAudio(const std::string& what, int code) {
    return fail(what + ": " + describe(code) + " (audio error " + std::to_string(code) + ")");
}

// Seconds of a stream as the task-1 stages compute them: the length in bytes,
// of which the low 32 bits are used, turned into seconds by the layer.
double streamSeconds(audio::AudioLayer& layer, audio::Handle stream) {
    const std::uint32_t bytes = static_cast<std::uint32_t>(layer.channelGetLength(stream));
    return layer.channelBytes2Seconds(stream, bytes);
}

int record(const Args& args) {
    bool ok = false;
    const double seconds = args.size() == 2 ? arg(args[1]).toDouble(&ok) : 0;
    if (!ok || seconds < 0)
        return failUsage(kRecordUsage);
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    if (!layer->recordInit(-1))
        return failAudio("cannot start the recording device", layer->errorGetCode());
    bool failed = false;
    audio::Recorder recorder(*layer, [&](const QString&) {
        failed = true;
        failAudio("recording " + args[0] + " failed", layer->errorGetCode());
    });
    const QString out = arg(args[0]);
    recorder.startRecording(out);
    if (recorder.RecChannel == 0)
        return 1;
    // The recording runs for the time asked, unless it ends by itself first.
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end && layer->channelIsActive(recorder.RecChannel) != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    recorder.stopRecording(out);
    if (recorder.PlayStream == 0)
        return fail("the recording " + args[0] + " cannot be opened");
    std::printf("%.3f\n", streamSeconds(*layer, recorder.PlayStream));
    return failed ? 1 : 0;
}

int length(const Args& args) {
    if (args.size() != 1)
        return failUsage(kLengthUsage);
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    const audio::Handle stream = layer->streamCreateFile(arg(args[0]));
    if (stream == 0)
        return failAudio("cannot open " + args[0], layer->errorGetCode());
    std::printf("%.3f\n", streamSeconds(*layer, stream));
    return 0;
}

int play(const Args& args) {
    if (args.size() != 1)
        return failUsage(kPlayUsage);
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    if (!layer->init(-1, 44100, 0))
        return failAudio("no output device", layer->errorGetCode());
    const audio::Handle stream = layer->streamCreateFile(arg(args[0]));
    if (stream == 0 || !layer->channelPlay(stream, true))
        return failAudio("cannot play " + args[0], layer->errorGetCode());
    while (layer->channelIsActive(stream) != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    layer->free();
    return 0;
}

} // namespace

std::vector<Command> audioCommands() {
    return {
        {"record", kRecordUsage, Needs::Core, &record},
        {"length", kLengthUsage, Needs::Core, &length},
        {"play", kPlayUsage, Needs::Core, &play},
    };
}

} // namespace tools
