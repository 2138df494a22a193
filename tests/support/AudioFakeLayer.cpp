#include "AudioFakeLayer.h"

using audio::ErrorCode;
using audio::Handle;

bool FakeAudioLayer::fail(ErrorCode code) {
    m_error = static_cast<int>(code);
    return false;
}

bool FakeAudioLayer::failScripted() {
    m_error = failureCode;
    return false;
}

FakeAudioLayer::Channel* FakeAudioLayer::find(Handle handle) {
    auto it = m_channels.find(handle);
    return it == m_channels.end() ? nullptr : &it.value();
}

void FakeAudioLayer::endRecording(Handle channel) {
    if (auto* c = find(channel)) {
        c->state = audio::Stopped;
        c->encoder = false;
    }
}

void FakeAudioLayer::completeFinish(Handle channel) {
    if (auto* c = find(channel); c && c->finishing)
        c->finished = true;
}

bool FakeAudioLayer::channelFinish(Handle channel) {
    calls << QStringLiteral("channelFinish");
    auto* c = find(channel);
    if (!c || !c->recording)
        return fail(ErrorCode::BadHandle);
    c->state = audio::Stopped;
    c->finishing = true;
    c->finished = !holdFinish;
    return true;
}

audio::RecordingStatus FakeAudioLayer::recordingStatus(Handle channel) {
    auto* c = find(channel);
    if (!c || !c->recording)
        return {};
    audio::RecordingStatus s = liveStatus;
    s.valid = true;
    s.capturing = c->state == audio::Playing;
    s.finishing = c->finishing && !c->finished;
    s.finished = c->finished;
    if (c->finished && c->encoded)
        s.result = static_cast<ErrorCode>(stopRecordingFailsWith);
    return s;
}

std::uint32_t FakeAudioLayer::version() {
    calls << QStringLiteral("version");
    return versionValue;
}

bool FakeAudioLayer::recordInit(int) {
    calls << QStringLiteral("recordInit");
    return recordInitSucceeds || failScripted();
}

bool FakeAudioLayer::init(int, int, std::uint32_t) {
    calls << QStringLiteral("init");
    return initSucceeds || failScripted();
}

bool FakeAudioLayer::recordSetDevice(int) {
    calls << QStringLiteral("recordSetDevice");
    return true;
}

Handle FakeAudioLayer::recordStart(int, int, std::uint32_t flags, audio::RecordProc proc, void* user) {
    calls << QStringLiteral("recordStart");
    if (recordStartFails) {
        failScripted();
        return 0;
    }
    lastProc = proc;
    lastUser = user;
    const Handle h = m_next++;
    Channel c;
    c.recording = true;
    c.state = (flags & audio::RecordPaused) ? audio::Paused : audio::Playing;
    m_channels.insert(h, c);
    return h;
}

bool FakeAudioLayer::encodeStart(Handle channel, const QString& outputFile, std::uint32_t) {
    calls << QStringLiteral("encodeStart");
    auto* c = find(channel);
    if (!c || !c->recording)
        return fail(ErrorCode::BadHandle);
    if (encodeStartFails)
        return fail(ErrorCode::EncoderNotFound);
    c->encoder = true;
    c->encoded = true;
    encodedFiles << outputFile;
    return true;
}

int FakeAudioLayer::encodeIsActive(Handle channel) {
    auto* c = find(channel);
    return c && c->encoder ? 1 : 0;
}

bool FakeAudioLayer::channelPlay(Handle handle, bool) {
    calls << QStringLiteral("channelPlay");
    auto* c = find(handle);
    if (!c)
        return fail(ErrorCode::BadHandle);
    c->state = audio::Playing;
    return true;
}

bool FakeAudioLayer::channelStop(Handle handle) {
    calls << QStringLiteral("channelStop");
    auto* c = find(handle);
    if (!c)
        return fail(ErrorCode::BadHandle);
    if (!c->recording) {
        c->state = audio::Stopped;
        return true;
    }
    const bool hadEncoder = c->encoded;
    m_channels.remove(handle);
    if (hadEncoder && stopRecordingFailsWith != 0) {
        m_error = stopRecordingFailsWith;
        return false;
    }
    return true;
}

int FakeAudioLayer::channelIsActive(Handle handle) {
    calls << QStringLiteral("channelIsActive");
    auto* c = find(handle);
    return c ? c->state : audio::Stopped;
}

Handle FakeAudioLayer::streamCreateFile(const QString& path) {
    calls << QStringLiteral("streamCreateFile");
    createdPaths << path;
    if (!streamSeconds.contains(path)) {
        fail(ErrorCode::FileOpen);
        return 0;
    }
    const Handle h = m_next++;
    Channel c;
    c.seconds = streamSeconds.value(path);
    m_channels.insert(h, c);
    createdStreams.push_back(h);
    return h;
}

bool FakeAudioLayer::streamFree(Handle stream) {
    calls << QStringLiteral("streamFree");
    auto* c = find(stream);
    if (!c || c->recording)
        return fail(ErrorCode::BadHandle);
    m_channels.remove(stream);
    freedStreams.push_back(stream);
    return true;
}

std::uint64_t FakeAudioLayer::channelGetLength(Handle handle) {
    calls << QStringLiteral("channelGetLength");
    auto* c = find(handle);
    if (!c || c->recording) {
        fail(ErrorCode::BadHandle);
        return static_cast<std::uint64_t>(-1);
    }
    // 44100 Hz, 2 channels, 16 bits: 176400 bytes a second.
    return static_cast<std::uint64_t>(c->seconds * 176400.0 + 0.5);
}

double FakeAudioLayer::channelBytes2Seconds(Handle handle, std::uint64_t bytes) {
    calls << QStringLiteral("channelBytes2Seconds");
    auto* c = find(handle);
    if (!c || c->recording) {
        fail(ErrorCode::BadHandle);
        return -1.0;
    }
    return static_cast<double>(bytes) / 176400.0;
}

int FakeAudioLayer::errorGetCode() {
    return m_error;
}

bool FakeAudioLayer::recordFree() {
    calls << QStringLiteral("recordFree");
    return true;
}

bool FakeAudioLayer::free() {
    calls << QStringLiteral("free");
    m_channels.clear();
    return true;
}

bool FakeAudioLayer::stop() {
    calls << QStringLiteral("stop");
    return true;
}
