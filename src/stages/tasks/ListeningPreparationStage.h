#pragma once

#include "audio/AudioLayer.h"
#include "stages/common/PreparationStage.h"
#include "station/TempAudio.h"

// Stage 10: the examinee listens to the kit's task-1 preparation audio once; the time is
// the audio's length plus two seconds. Next: task 1 (11).
class ListeningPreparationStage : public PreparationStage {
    Q_OBJECT
public:
    explicit ListeningPreparationStage(StationWindow& main);

    // The stream of the preparation audio, kept between examinees: the next run stops it
    // (freed by then, so harmlessly) before it opens its own.
    static audio::Handle prepAudioStream;
    // The temporary copy of the kit's audio, in the working folder.
    static const QString kTempFileName;

    void start() override;

protected:
    void finishStage() override;

private:
    TempAudio m_audio;
};
