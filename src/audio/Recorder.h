#pragma once

#include "audio/AudioLayer.h"

#include <QString>

#include <functional>

// The recording state of the main window: the running recording and the
// playback stream of the last finished one, with the operations the stages
// call. Owned by the main window; everything runs on the user-interface thread
// except RecordProc, which the layer calls on its capture thread.
namespace audio {

class Recorder {
public:
    // The layer must outlive the recorder. showAudioError shows the audio error
    // box with the given text (it appends the layer's code itself).
    Recorder(AudioLayer& layer, std::function<void(const QString& text)> showAudioError);

    Handle RecChannel = 0; // the running recording; 0 when none
    Handle PlayStream = 0; // playback stream of the last finished recording; 0 when none

    // Begins recording into fileName; on failure the error box has been shown
    // and RecChannel is 0.
    void startRecording(const QString& fileName);
    // Ends the recording, returning once the file is complete, and opens the
    // file as PlayStream (not playing). A recording that was not encoded
    // completely is reported through the error box.
    void stopRecording(const QString& fileName);

    // The recording callback: continue while the channel's encoder runs. The
    // user value is the layer.
    static bool RecordProc(Handle handle, const void* buffer, std::uint32_t length, void* user);

    static const char* const RecordStartFailedText;
    static const char* const EncoderStartFailedText;
    static const char* const DeviceStartFailedText;
    static const char* const RecordingIncompleteText;

private:
    // Ends the channel in RecChannel and reports an incomplete recording.
    void finishChannel();

    AudioLayer& m_layer;
    std::function<void(const QString& text)> m_showAudioError;
};

} // namespace audio
