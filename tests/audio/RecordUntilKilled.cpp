// Records the default microphone into OUT as the station does and never stops:
// the power-cut test kills it and its encoder together.
#include "audio/Recorder.h"
#include "audio/SdlAudioLayer.h"

#include <QDir>
#include <QFile>

#include <cstdio>

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    auto layer = audio::createSdlAudioLayer(QDir::currentPath());
    if (!layer->recordInit(-1))
        return 1;
    audio::Recorder recorder(*layer, [](const QString&) {});
    recorder.startRecording(QFile::decodeName(argv[1]));
    if (recorder.RecChannel == 0)
        return 1;
    std::printf("recording\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
