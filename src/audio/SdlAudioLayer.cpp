#include "audio/SdlAudioLayer.h"

#include "audio/EncoderCommand.h"
#include "audio/AnswerWriter.h"
#include "audio/OutputMixer.h"
#include "audio/PlaybackStream.h"
#include "audio/RecordingChannel.h"

#include <QFileInfo>

#include <SDL.h>

namespace audio {

namespace {

constexpr int DeviceOpenAttempts = 3;
constexpr Uint32 DeviceOpenRetryMs = 100;

} // namespace

SdlAudioLayer::SdlAudioLayer(SdlAudioLayerOptions options)
    : m_options(std::move(options)), m_mixer(std::make_unique<OutputMixer>()) {}

SdlAudioLayer::~SdlAudioLayer() {
    recordFree();
    free();
    if (m_sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudioLayer::fail(ErrorCode code) {
    m_error = static_cast<int>(code);
    return false;
}

bool SdlAudioLayer::startSdl() {
    if (m_sdlStarted)
        return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return fail(ErrorCode::Driver);
    m_sdlStarted = true;
    return true;
}

std::uint32_t SdlAudioLayer::version() {
    return Version;
}

bool SdlAudioLayer::recordInit(int device) {
    if (m_recordStarted)
        return fail(ErrorCode::AlreadyInitialised);
    if (device < -1)
        return fail(ErrorCode::Device);
    if (!startSdl())
        return false;
    // Open it once now, so a missing microphone is reported at start-up.
    RecordingChannel probe(0, nullptr, nullptr);
    if (!probe.open())
        return fail(ErrorCode::Device);
    m_recordStarted = true;
    return true;
}

bool SdlAudioLayer::init(int device, int freq, std::uint32_t) {
    if (m_outputStarted)
        return fail(ErrorCode::AlreadyInitialised);
    if (device < -1)
        return fail(ErrorCode::Device);
    if (freq <= 0)
        return fail(ErrorCode::IllegalParameter);
    if (!startSdl())
        return false;
    if (!OutputMixer::probe())
        return fail(ErrorCode::Device);
    m_outputStarted = true;
    return true;
}

bool SdlAudioLayer::recordSetDevice(int) {
    return m_recordStarted || fail(ErrorCode::NotInitialised);
}

RecordingChannel* SdlAudioLayer::recording(Handle handle) {
    std::lock_guard lock(m_recordingsMutex);
    auto it = m_recordings.find(handle);
    return it == m_recordings.end() ? nullptr : it->second.get();
}

Handle SdlAudioLayer::recordStart(int freq, int chans, std::uint32_t flags, RecordProc proc, void* user) {
    if (!m_recordStarted) {
        fail(ErrorCode::NotInitialised);
        return 0;
    }
    if (freq != RecordingChannel::SampleRate || chans != RecordingChannel::Channels) {
        fail(ErrorCode::Format);
        return 0;
    }
    {
        // One capturing at a time; one whose end is under way does not count.
        std::lock_guard lock(m_recordingsMutex);
        for (const auto& [h, channel] : m_recordings) {
            if (channel->capturing() && !channel->status().finishing && !channel->status().finished) {
                fail(ErrorCode::Busy);
                return 0;
            }
        }
    }
    const Handle handle = m_nextHandle++;
    auto channel = std::make_unique<RecordingChannel>(handle, proc, user,
                                                      std::chrono::milliseconds(m_options.encoderBufferWaitMs));
    // A sound server that is busy for a moment (a headset being switched)
    // refuses the device once; try again before telling the examinee.
    bool opened = false;
    for (int attempt = 0; attempt < DeviceOpenAttempts && !opened; ++attempt) {
        if (attempt > 0)
            SDL_Delay(DeviceOpenRetryMs);
        opened = channel->open(!(flags & RecordPaused));
    }
    if (!opened) {
        fail(ErrorCode::Device);
        return 0;
    }
    std::lock_guard lock(m_recordingsMutex);
    m_recordings.emplace(handle, std::move(channel));
    return handle;
}

bool SdlAudioLayer::encodeStart(Handle channel, const QString& outputFile, std::uint32_t) {
    RecordingChannel* c = recording(channel);
    if (!c)
        return fail(ErrorCode::BadHandle);
    if (c->hasEncoder())
        return fail(ErrorCode::AlreadyInitialised);
    AnswerWriter::Settings settings;
    // Made absolute against the current folder: the file written is the one
    // the caller opens afterwards, whatever folder the encoder runs in.
    settings.answerPath = QFileInfo(outputFile).absoluteFilePath();
    settings.workingDir = m_options.workingDir;
    settings.locateEncoder = [program = m_options.encoderProgram, dir = m_options.workingDir] {
        return program.isEmpty() ? findEncoder(dir) : program;
    };
    settings.exitTimeout = std::chrono::milliseconds(m_options.encoderExitTimeoutMs);
    settings.stallTimeout = std::chrono::milliseconds(m_options.encoderStallMs);
    auto writer = std::make_unique<AnswerWriter>(settings, c->ring());
    ErrorCode error = ErrorCode::Ok;
    if (!writer->start(error))
        return fail(error);
    c->attachWriter(std::move(writer));
    return true;
}

int SdlAudioLayer::encodeIsActive(Handle channel) {
    std::lock_guard lock(m_recordingsMutex);
    auto it = m_recordings.find(channel);
    return it != m_recordings.end() && it->second->encoderActive() ? 1 : 0;
}

bool SdlAudioLayer::channelPlay(Handle handle, bool restart) {
    if (RecordingChannel* c = recording(handle))
        return c->resume() || fail(ErrorCode::IllegalParameter);
    if (!m_mixer->find(handle))
        return fail(ErrorCode::BadHandle);
    if (!m_outputStarted)
        return fail(ErrorCode::NotInitialised);
    return m_mixer->play(handle, restart) || fail(ErrorCode::Device);
}

bool SdlAudioLayer::stopRecording(Handle handle) {
    RecordingChannel* c = recording(handle);
    // Outside the lock: closing the device waits for the capture thread, which
    // may be inside encodeIsActive.
    const ErrorCode outcome = c->stop();
    {
        std::lock_guard lock(m_recordingsMutex);
        m_lastStopped = {handle, c->status()};
        m_recordings.erase(handle);
    }
    return outcome == ErrorCode::Ok || fail(outcome);
}

bool SdlAudioLayer::channelStop(Handle handle) {
    if (recording(handle))
        return stopRecording(handle);
    if (!m_mixer->find(handle))
        return fail(ErrorCode::BadHandle);
    m_mixer->stop(handle);
    return true;
}

bool SdlAudioLayer::channelFinish(Handle channel) {
    RecordingChannel* c = recording(channel);
    if (!c)
        return fail(ErrorCode::BadHandle);
    c->beginStop();
    return true;
}

RecordingStatus SdlAudioLayer::recordingStatus(Handle channel) {
    if (RecordingChannel* c = recording(channel))
        return c->status();
    std::lock_guard lock(m_recordingsMutex);
    return channel != 0 && m_lastStopped.first == channel ? m_lastStopped.second : RecordingStatus{};
}

int SdlAudioLayer::channelIsActive(Handle handle) {
    if (handle == 0)
        return Stopped;
    if (RecordingChannel* c = recording(handle))
        return c->state();
    return m_mixer->playing(handle) ? Playing : Stopped;
}

Handle SdlAudioLayer::streamCreateFile(const QString& path) {
    ErrorCode error = ErrorCode::Ok;
    auto stream = PlaybackStream::open(path, error);
    if (!stream) {
        fail(error);
        return 0;
    }
    const Handle handle = m_nextHandle++;
    m_mixer->add(handle, std::move(stream));
    return handle;
}

bool SdlAudioLayer::streamFree(Handle stream) {
    return m_mixer->remove(stream) || fail(ErrorCode::BadHandle);
}

std::uint64_t SdlAudioLayer::channelGetLength(Handle handle) {
    if (const PlaybackStream* s = m_mixer->find(handle))
        return s->lengthBytes();
    fail(ErrorCode::BadHandle);
    return static_cast<std::uint64_t>(-1);
}

double SdlAudioLayer::channelBytes2Seconds(Handle handle, std::uint64_t bytes) {
    if (const PlaybackStream* s = m_mixer->find(handle))
        return s->bytesToSeconds(bytes);
    fail(ErrorCode::BadHandle);
    return -1.0;
}

int SdlAudioLayer::errorGetCode() {
    return m_error;
}

std::uint64_t SdlAudioLayer::recordedBytes(Handle channel) {
    RecordingChannel* c = recording(channel);
    return c ? c->bytesRecorded() : 0;
}

std::uint64_t SdlAudioLayer::framesDelivered(Handle channel) {
    RecordingChannel* c = recording(channel);
    return c ? c->framesDelivered() : 0;
}

bool SdlAudioLayer::recordFree() {
    std::vector<Handle> handles;
    {
        std::lock_guard lock(m_recordingsMutex);
        for (const auto& [handle, channel] : m_recordings)
            handles.push_back(handle);
    }
    for (Handle h : handles)
        stopRecording(h);
    if (!m_recordStarted)
        return fail(ErrorCode::NotInitialised);
    m_recordStarted = false;
    return true;
}

bool SdlAudioLayer::free() {
    m_mixer->close();
    if (!m_outputStarted)
        return fail(ErrorCode::NotInitialised);
    m_outputStarted = false;
    return true;
}

bool SdlAudioLayer::stop() {
    m_mixer->stopAll();
    return m_outputStarted || fail(ErrorCode::NotInitialised);
}

std::unique_ptr<AudioLayer> createSdlAudioLayer(const QString& workingDir) {
    SdlAudioLayerOptions options;
    options.workingDir = workingDir;
    return std::make_unique<SdlAudioLayer>(options);
}

std::unique_ptr<AudioLayer> createSdlAudioLayer(const SdlAudioLayerOptions& options) {
    return std::make_unique<SdlAudioLayer>(options);
}

} // namespace audio
