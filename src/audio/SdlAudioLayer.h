#pragma once

#include "audio/AudioLayer.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>

// The real audio layer: devices through SDL2's audio subsystem (PipeWire,
// PulseAudio, ALSA, or the disk driver in tests), decoding through libsndfile,
// and encoding by an external Ogg Vorbis encoder fed on its standard input.
//
// Ownership: the layer owns its devices, channels, streams and encoder
// processes; destroying it releases them all. Threads: see AudioLayer.
namespace audio {

struct SdlAudioLayerOptions {
    // Folder the encoder runs in and is looked up in first ("oggenc", or
    // "oggenc.exe" on Windows), before the search path.
    QString workingDir;
    // When set, the encoder program to run instead of the looked-up one.
    QString encoderProgram;
    // How long channelStop waits for the encoder to finish the file before it
    // kills it and reports ErrorCode::EncoderTimeout.
    int encoderExitTimeoutMs = 15000;
    // How long the capture thread waits for room in the buffer to the writer
    // before it drops sound and reports ErrorCode::EncoderOverrun. The writer
    // keeps the sound on disk whatever the encoder does, so only a stalled
    // disk gets there.
    int encoderBufferWaitMs = 2000;
    // An encoder that takes no sound for this long while some waits is taken
    // for hung: it is killed and replaced.
    int encoderStallMs = 1200;
};

class OutputMixer;
class RecordingChannel;

class SdlAudioLayer : public AudioLayer {
public:
    static constexpr std::uint32_t Version = 0x02040001;

    explicit SdlAudioLayer(SdlAudioLayerOptions options);
    ~SdlAudioLayer() override;
    SdlAudioLayer(const SdlAudioLayer&) = delete;
    SdlAudioLayer& operator=(const SdlAudioLayer&) = delete;

    std::uint32_t version() override;
    bool recordInit(int device) override;
    bool init(int device, int freq, std::uint32_t flags) override;
    // Recording always uses the system's default capture device, which follows
    // the headset as the sound server switches to it.
    bool recordSetDevice(int device) override;
    Handle recordStart(int freq, int chans, std::uint32_t flags, RecordProc proc, void* user) override;
    bool encodeStart(Handle channel, const QString& outputFile, std::uint32_t flags) override;
    int encodeIsActive(Handle channel) override;
    bool channelPlay(Handle handle, bool restart) override;
    bool channelStop(Handle handle) override;
    int channelIsActive(Handle handle) override;
    bool channelFinish(Handle channel) override;
    RecordingStatus recordingStatus(Handle channel) override;
    Handle streamCreateFile(const QString& path) override;
    bool streamFree(Handle stream) override;
    std::uint64_t channelGetLength(Handle handle) override;
    double channelBytes2Seconds(Handle handle, std::uint64_t bytes) override;
    int errorGetCode() override;
    bool recordFree() override;
    bool free() override;
    bool stop() override;

    // Bytes the capture device delivered to a running recording (for the
    // benchmark); 0 for an unknown handle.
    std::uint64_t recordedBytes(Handle channel);
    // Frames the capture device delivered since the recording opened it,
    // before and after its start (for the benchmark).
    std::uint64_t framesDelivered(Handle channel);

private:
    bool fail(ErrorCode code);
    bool startSdl();
    RecordingChannel* recording(Handle handle);
    bool stopRecording(Handle handle);

    SdlAudioLayerOptions m_options;
    int m_error = 0;
    bool m_sdlStarted = false;
    bool m_recordStarted = false;
    bool m_outputStarted = false;
    Handle m_nextHandle = 0x00010001;
    std::unique_ptr<OutputMixer> m_mixer;
    // The capture thread looks recordings up in encodeIsActive.
    std::mutex m_recordingsMutex;
    std::map<Handle, std::unique_ptr<RecordingChannel>> m_recordings;
    // The final status of the recording stopped last, for recordingStatus.
    std::pair<Handle, RecordingStatus> m_lastStopped;
};

std::unique_ptr<AudioLayer> createSdlAudioLayer(const QString& workingDir);
std::unique_ptr<AudioLayer> createSdlAudioLayer(const SdlAudioLayerOptions& options);

} // namespace audio
