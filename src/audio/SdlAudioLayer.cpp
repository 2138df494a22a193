#include "audio/SdlAudioLayer.h"

#include "audio/EncoderCommand.h"
#include "audio/EncoderProcess.h"
#include "audio/OutputMixer.h"
#include "audio/PlaybackStream.h"
#include "audio/RecordingChannel.h"

#include <QFileInfo>

#include <SDL.h>

namespace audio {

namespace {

// About six seconds of sound: far more than a live device ever gets ahead of
// the encoder, small enough to keep memory flat over the longest answer.
constexpr std::size_t EncoderBufferBytes = 1024 * 1024;

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
        std::lock_guard lock(m_recordingsMutex);
        if (!m_recordings.empty()) {
            fail(ErrorCode::Busy);
            return 0;
        }
    }
    const Handle handle = m_nextHandle++;
    auto channel = std::make_unique<RecordingChannel>(handle, proc, user);
    if (!channel->open()) {
        fail(ErrorCode::Device);
        return 0;
    }
    RecordingChannel* c = channel.get();
    {
        std::lock_guard lock(m_recordingsMutex);
        m_recordings.emplace(handle, std::move(channel));
    }
    if (!(flags & RecordPaused))
        c->resume();
    return handle;
}

bool SdlAudioLayer::encodeStart(Handle channel, const QString& outputFile, std::uint32_t) {
    RecordingChannel* c = recording(channel);
    if (!c)
        return fail(ErrorCode::BadHandle);
    if (c->hasEncoder())
        return fail(ErrorCode::AlreadyInitialised);
    const QString found =
        m_options.encoderProgram.isEmpty() ? findEncoder(m_options.workingDir) : m_options.encoderProgram;
    const QFileInfo program(found);
    if (found.isEmpty() || !program.isFile() || !program.isExecutable())
        return fail(ErrorCode::EncoderNotFound);
    auto encoder =
        std::make_unique<EncoderProcess>(EncoderBufferBytes, std::chrono::milliseconds(m_options.encoderBufferWaitMs));
    if (!encoder->start(encoderCommand(program.absoluteFilePath(), m_options.workingDir, outputFile),
                        streamingWavHeader(RecordingChannel::SampleRate, RecordingChannel::Channels)))
        return fail(ErrorCode::EncoderStart);
    c->attachEncoder(std::move(encoder));
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
    const auto outcome = c->stop(std::chrono::milliseconds(m_options.encoderExitTimeoutMs));
    {
        std::lock_guard lock(m_recordingsMutex);
        m_recordings.erase(handle);
    }
    switch (outcome) {
    case EncoderProcess::Outcome::Complete:
        return true;
    case EncoderProcess::Outcome::Failed:
        return fail(ErrorCode::EncoderFailed);
    case EncoderProcess::Outcome::TimedOut:
        return fail(ErrorCode::EncoderTimeout);
    case EncoderProcess::Outcome::Overrun:
        return fail(ErrorCode::EncoderOverrun);
    }
    return fail(ErrorCode::Unknown);
}

bool SdlAudioLayer::channelStop(Handle handle) {
    if (recording(handle))
        return stopRecording(handle);
    if (!m_mixer->find(handle))
        return fail(ErrorCode::BadHandle);
    m_mixer->stop(handle);
    return true;
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
