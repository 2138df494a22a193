#include "tools/Commands.h"

#include "audio/AudioError.h"
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

void printAudioError(audio::AudioLayer& layer, const QString& text) {
    std::fprintf(stderr, "%s\n", audio::formatAudioError(text, layer.errorGetCode()).toLocal8Bit().constData());
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
    if (!ok || seconds < 0) {
        std::fprintf(stderr, "usage: zunt-tool record OUT SECONDS\n");
        return 2;
    }
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    if (!layer->recordInit(-1)) {
        printAudioError(*layer, QString::fromUtf8(audio::Recorder::DeviceStartFailedText));
        return 1;
    }
    bool failed = false;
    audio::Recorder recorder(*layer, [&](const QString& text) {
        failed = true;
        printAudioError(*layer, text);
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
    if (recorder.PlayStream == 0) {
        std::fprintf(stderr, "zunt-tool: the recording %s cannot be opened\n", args[0].c_str());
        return 1;
    }
    std::printf("%.3f\n", streamSeconds(*layer, recorder.PlayStream));
    return failed ? 1 : 0;
}

int length(const Args& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zunt-tool length FILE\n");
        return 2;
    }
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    const audio::Handle stream = layer->streamCreateFile(arg(args[0]));
    if (stream == 0) {
        std::fprintf(stderr, "zunt-tool: %s cannot be opened (error code %d)\n", args[0].c_str(),
                     layer->errorGetCode());
        return 1;
    }
    std::printf("%.3f\n", streamSeconds(*layer, stream));
    return 0;
}

int play(const Args& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: zunt-tool play FILE\n");
        return 2;
    }
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    if (!layer->init(-1, 44100, 0)) {
        std::fprintf(stderr, "zunt-tool: no output device (error code %d)\n", layer->errorGetCode());
        return 1;
    }
    const audio::Handle stream = layer->streamCreateFile(arg(args[0]));
    if (stream == 0 || !layer->channelPlay(stream, true)) {
        std::fprintf(stderr, "zunt-tool: %s cannot be played (error code %d)\n", args[0].c_str(),
                     layer->errorGetCode());
        return 1;
    }
    while (layer->channelIsActive(stream) != 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    layer->free();
    return 0;
}

} // namespace

std::vector<Command> audioCommands() {
    return {
        {"record", "record OUT SECONDS   record the default microphone into an Ogg Vorbis file, print its length",
         &record},
        {"length", "length FILE          print a sound file's length in seconds, as the task-1 stages compute it",
         &length},
        {"play", "play FILE            play a sound file to its end on the default output device", &play},
    };
}

} // namespace tools
