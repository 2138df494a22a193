#pragma once

#include "audio/AudioLayer.h"
#include "stages/PrepareStage.h"
#include "stages/TempAudio.h"

// Stage 10: the examinee listens to the kit's task-1 preparation audio once; the time is
// the audio's length plus two seconds. Next: task 1 (11).
class TfrmPrepare1 : public PrepareStage {
    Q_OBJECT
public:
    explicit TfrmPrepare1(TfrmMain& main);

    // The stream of the preparation audio, kept between examinees: the next run stops it
    // (freed by then, so harmlessly) before it opens its own.
    static audio::Handle PrepAudioStream;
    // The temporary copy of the kit's audio, in the working folder.
    static const QString kTempFileName;

    void Start() override;

protected:
    void finishStage() override;

private:
    TempAudio m_audio;
};
