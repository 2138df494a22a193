#pragma once

#include "audio/AudioLayer.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// A scripted audio layer for tests of the stages and the main window: it
// records the calls made to it and answers as the test set it up. No sound, no
// threads, no files.
class FakeAudioLayer : public audio::AudioLayer {
public:
    // What the test scripts.
    std::uint32_t versionValue = 0x02040001;
    bool recordInitSucceeds = true;
    bool initSucceeds = true;
    bool recordStartFails = false;
    bool encodeStartFails = false;
    // channelStop on a recording reports an incomplete recording with this code.
    int stopRecordingFailsWith = 0;
    // The code errorGetCode() returns after a scripted failure.
    int failureCode = static_cast<int>(audio::ErrorCode::Device);
    // channelFinish leaves the recording's end under way until completeFinish.
    bool holdFinish = false;
    // What recordingStatus reports of a running recording beyond valid,
    // capturing and the end's progress.
    audio::RecordingStatus liveStatus = speaking();
    // A microphone that hears the examinee: sound above the silence floor.
    static audio::RecordingStatus speaking() {
        audio::RecordingStatus s;
        s.silentSoFar = false;
        s.peakLevel = 0.3;
        return s;
    }
    // Length in seconds of the stream created for a path; a path not listed
    // fails to open.
    QHash<QString, double> streamSeconds;

    // What the code under test did.
    QStringList calls; // member names in call order, e.g. "recordStart"
    std::vector<audio::Handle> createdStreams;
    std::vector<audio::Handle> freedStreams;
    QStringList createdPaths; // paths of streamCreateFile, in order
    QStringList encodedFiles; // outputFile of each successful encodeStart
    audio::RecordProc lastProc = nullptr;
    void* lastUser = nullptr;

    int callCount(const QString& name) const { return static_cast<int>(calls.count(name)); }
    // Ends the recording by itself, as a dying encoder would.
    void endRecording(audio::Handle channel);
    // Completes an end held by holdFinish.
    void completeFinish(audio::Handle channel);

    std::uint32_t version() override;
    bool recordInit(int device) override;
    bool init(int device, int freq, std::uint32_t flags) override;
    bool recordSetDevice(int device) override;
    audio::Handle recordStart(int freq, int chans, std::uint32_t flags, audio::RecordProc proc, void* user) override;
    bool encodeStart(audio::Handle channel, const QString& outputFile, std::uint32_t flags) override;
    int encodeIsActive(audio::Handle channel) override;
    bool channelPlay(audio::Handle handle, bool restart) override;
    bool channelStop(audio::Handle handle) override;
    int channelIsActive(audio::Handle handle) override;
    bool channelFinish(audio::Handle channel) override;
    audio::RecordingStatus recordingStatus(audio::Handle channel) override;
    audio::Handle streamCreateFile(const QString& path) override;
    bool streamFree(audio::Handle stream) override;
    std::uint64_t channelGetLength(audio::Handle handle) override;
    double channelBytes2Seconds(audio::Handle handle, std::uint64_t bytes) override;
    int errorGetCode() override;
    bool recordFree() override;
    bool free() override;
    bool stop() override;

private:
    struct Channel {
        bool recording = false;
        bool encoder = false; // running now
        bool encoded = false; // an encoder was attached
        int state = audio::Stopped;
        double seconds = 0;
        bool finishing = false;
        bool finished = false;
    };
    bool fail(audio::ErrorCode code);
    bool failScripted();
    Channel* find(audio::Handle handle);

    QHash<audio::Handle, Channel> m_channels;
    audio::Handle m_next = 0x10001;
    int m_error = 0;
};
