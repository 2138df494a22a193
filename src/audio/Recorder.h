#pragma once

#include "audio/AudioLayer.h"

#include <QString>

#include <functional>

// The recording state of the main window: the running recording and the
// playback stream of the last finished one, with the operations the stages
// call. Owned by the main window; everything runs on the user-interface thread
// except RecordProc, which the layer calls on its capture thread.
namespace audio {

// How a recording ended.
struct RecordingOutcome {
    QString fileName;
    ErrorCode code = ErrorCode::Ok; // Ok: the file holds the whole answer
    double seconds = 0;             // sound recorded (what the file holds when code is Ok)
};

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
    // completely is reported through the error box. Blocks for as long as the
    // encoder takes: for the command-line tool; screens use beginStopRecording.
    void stopRecording(const QString& fileName);

    // Ends the recording without waiting: keeps the sound up to now, and the
    // layer completes the file on its own threads. RecChannel is 0 at once.
    // Call pollStopRecording on the screen's ticks.
    void beginStopRecording(const QString& fileName);
    // True while a recording ended by beginStopRecording is being completed.
    bool stopPending() const { return m_finishing != 0; }
    // Once the pending recording is complete (and only then, once): opens it
    // as PlayStream, reports an incomplete one through the error box as
    // stopRecording does, fills lastOutcome and returns true.
    bool pollStopRecording();
    // Waits for a pending end, as stopRecording would have.
    void waitStopRecording();
    // The end of the last recording, by either way.
    RecordingOutcome lastOutcome;

    // The running recording as the screen shows it (level, silence, failures);
    // valid is false when nothing records. Cheap: read it on every tick.
    RecordingStatus liveStatus();

    // The recording callback: continue while the channel's encoder runs. The
    // user value is the layer.
    static bool RecordProc(Handle handle, const void* buffer, std::uint32_t length, void* user);

    static const char* const RecordStartFailedText;
    static const char* const EncoderStartFailedText;
    static const char* const DeviceStartFailedText;
    static const char* const RecordingIncompleteText;

private:
    // Ends the channel in RecChannel and reports an incomplete recording.
    void finishChannel(const QString& fileName);
    // Takes the outcome of a channel whose end is complete.
    void collect(Handle channel, const QString& fileName);

    AudioLayer& m_layer;
    std::function<void(const QString& text)> m_showAudioError;
    Handle m_finishing = 0;
    QString m_finishingFile;
};

// Texts for the screen, Russian. The live one says what went wrong while the
// recording goes on (the sound is kept meanwhile); the final one why a
// finished recording is not a whole answer. Both empty for ErrorCode::Ok.
QString recordingProblemText(ErrorCode code);
QString recordingFailureText(ErrorCode code);

} // namespace audio
