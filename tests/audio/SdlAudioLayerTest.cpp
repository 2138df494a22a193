#include "audio/SdlAudioLayer.h"

#include "AudioWait.h"
#include "support/AudioDiskDriver.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

using namespace audio;

namespace {

constexpr auto NoLength = static_cast<std::uint64_t>(-1);

// A signal with no zero sample, so where it starts in the output is plain.
QByteArray rampPcm(int frames) {
    QByteArray pcm(frames * 4, '\0');
    auto* s = reinterpret_cast<std::int16_t*>(pcm.data());
    for (int i = 0; i < frames; ++i) {
        s[2 * i] = static_cast<std::int16_t>(1000 + i % 7000);
        s[2 * i + 1] = static_cast<std::int16_t>(-1000 - i % 5000);
    }
    return pcm;
}

class SdlAudioLayerTest : public ::testing::Test {
protected:
    SdlAudioLayerTest() : driver(dir.path()) {}
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromUtf8(name)); }
    std::unique_ptr<AudioLayer> makeLayer() { return createSdlAudioLayer(dir.path()); }
    int code(AudioLayer& layer) { return layer.errorGetCode(); }

    QTemporaryDir dir;
    audiotest::AudioDiskDriver driver;
};

// Position of the first frame that is not silent; -1 if there is none.
qsizetype firstSoundFrame(const QByteArray& raw) {
    const auto* s = reinterpret_cast<const std::int16_t*>(raw.constData());
    for (qsizetype f = 0; f < raw.size() / 4; ++f) {
        if (s[2 * f] != 0 || s[2 * f + 1] != 0)
            return f;
    }
    return -1;
}

} // namespace

TEST_F(SdlAudioLayerTest, reportsInterfaceVersion24) {
    EXPECT_EQ(makeLayer()->version() >> 16, 0x0204u);
}

TEST_F(SdlAudioLayerTest, startsBothDevicesOnceAndReleasesThemInOrder) {
    auto layer = makeLayer();
    EXPECT_TRUE(layer->recordInit(-1));
    EXPECT_TRUE(layer->init(-1, 44100, 0));
    EXPECT_FALSE(layer->recordInit(-1));
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::AlreadyInitialised));
    EXPECT_TRUE(layer->recordSetDevice(1));
    EXPECT_TRUE(layer->recordFree());
    EXPECT_TRUE(layer->free());
    EXPECT_FALSE(layer->stop());
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::NotInitialised));
}

TEST_F(SdlAudioLayerTest, withoutCaptureDeviceFailsRecordInitAndKeepsWorking) {
    driver.removeInput();
    auto layer = makeLayer();
    EXPECT_FALSE(layer->recordInit(-1));
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::Device));
    EXPECT_EQ(layer->recordStart(44100, 2, RecordPaused, nullptr, nullptr), 0u);
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::NotInitialised));
    // The output and the file streams still serve the other stages.
    EXPECT_TRUE(layer->init(-1, 44100, 0));
    ASSERT_TRUE(audiotest::writeSoundFile(path("k.wav"), audiotest::sinePcm(440, 4410), SF_FORMAT_WAV));
    EXPECT_NE(layer->streamCreateFile(path("k.wav")), 0u);
}

TEST_F(SdlAudioLayerTest, answersHandleZeroAndFreedHandlesHarmlessly) {
    auto layer = makeLayer();
    EXPECT_EQ(layer->channelIsActive(0), 0);
    EXPECT_EQ(layer->channelGetLength(0), NoLength);
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::BadHandle));
    EXPECT_EQ(layer->channelBytes2Seconds(0, 100), -1.0);
    EXPECT_FALSE(layer->channelPlay(0, true));
    EXPECT_FALSE(layer->channelStop(0));
    EXPECT_FALSE(layer->streamFree(0));

    ASSERT_TRUE(audiotest::writeSoundFile(path("k.wav"), audiotest::sinePcm(440, 4410), SF_FORMAT_WAV));
    const Handle a = layer->streamCreateFile(path("k.wav"));
    const Handle b = layer->streamCreateFile(path("k.wav"));
    ASSERT_NE(a, 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(layer->channelGetLength(a), 4410u * 4u);
    EXPECT_DOUBLE_EQ(layer->channelBytes2Seconds(a, layer->channelGetLength(a)), 0.1);
    EXPECT_TRUE(layer->streamFree(a));
    EXPECT_FALSE(layer->streamFree(a));
    EXPECT_EQ(layer->channelIsActive(a), 0);
    EXPECT_EQ(layer->channelGetLength(a), NoLength);
    EXPECT_FALSE(layer->channelStop(a));
    // A new stream never takes a freed handle.
    EXPECT_NE(layer->streamCreateFile(path("k.wav")), a);
}

TEST_F(SdlAudioLayerTest, failsToOpenMissingOrUndecodableFile) {
    auto layer = makeLayer();
    EXPECT_EQ(layer->streamCreateFile(path("none.ogg")), 0u);
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::FileOpen));
    driver.setInput("not sound");
    EXPECT_EQ(layer->streamCreateFile(driver.inputPath()), 0u);
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::FileFormat));
}

TEST_F(SdlAudioLayerTest, refusesPlaybackBeforeOutputDeviceIsStarted) {
    auto layer = makeLayer();
    ASSERT_TRUE(audiotest::writeSoundFile(path("k.wav"), audiotest::sinePcm(440, 4410), SF_FORMAT_WAV));
    const Handle s = layer->streamCreateFile(path("k.wav"));
    EXPECT_FALSE(layer->channelPlay(s, true));
    EXPECT_EQ(code(*layer), static_cast<int>(ErrorCode::NotInitialised));
}

TEST_F(SdlAudioLayerTest, playsFileToOutputDeviceAsItsDecodedSamples) {
    const QByteArray pcm = rampPcm(22050);
    ASSERT_TRUE(audiotest::writeSoundFile(path("answer.wav"), pcm, SF_FORMAT_WAV));
    auto layer = makeLayer();
    ASSERT_TRUE(layer->init(-1, 44100, 0));
    const Handle s = layer->streamCreateFile(path("answer.wav"));
    ASSERT_TRUE(layer->channelPlay(s, true));
    EXPECT_EQ(layer->channelIsActive(s), Playing);
    ASSERT_TRUE(waitUntil([&] { return layer->channelIsActive(s) == Stopped; }));
    layer->free(); // closes the device, so its file is complete

    const QByteArray out = driver.output();
    const qsizetype start = firstSoundFrame(out);
    ASSERT_GE(start, 0);
    ASSERT_GE(out.size() - start * 4, pcm.size());
    EXPECT_EQ(out.mid(start * 4, pcm.size()), pcm);
    EXPECT_EQ(firstSoundFrame(out.mid(start * 4 + pcm.size())), -1) << "nothing after the end";
}

TEST_F(SdlAudioLayerTest, mixesStreamsAndStopsEachOnItsOwn) {
    ASSERT_TRUE(audiotest::writeSoundFile(path("long.wav"), audiotest::constantPcm(1000, 3 * 44100), SF_FORMAT_WAV));
    ASSERT_TRUE(audiotest::writeSoundFile(path("short.wav"), audiotest::constantPcm(2000, 8820), SF_FORMAT_WAV));
    auto layer = makeLayer();
    ASSERT_TRUE(layer->init(-1, 44100, 0));
    const Handle longStream = layer->streamCreateFile(path("long.wav"));
    const Handle shortStream = layer->streamCreateFile(path("short.wav"));
    ASSERT_TRUE(layer->channelPlay(longStream, true));
    ASSERT_TRUE(layer->channelPlay(shortStream, true));
    ASSERT_TRUE(waitUntil([&] { return layer->channelIsActive(shortStream) == Stopped; }));
    EXPECT_EQ(layer->channelIsActive(longStream), Playing);
    EXPECT_TRUE(layer->streamFree(longStream)); // while it plays
    EXPECT_EQ(layer->channelIsActive(longStream), Stopped);
    layer->free();

    const QByteArray out = driver.output();
    const auto* s = reinterpret_cast<const std::int16_t*>(out.constData());
    qsizetype mixed = 0, shortAlone = 0, longAlone = 0, other = 0;
    for (qsizetype i = 0; i < out.size() / 2; ++i) {
        switch (s[i]) {
        case 0:
            break;
        case 3000:
            ++mixed;
            break;
        case 2000:
            ++shortAlone;
            break;
        case 1000:
            ++longAlone;
            break;
        default:
            ++other;
        }
    }
    EXPECT_EQ(mixed + shortAlone, 8820 * 2) << "every sample of the short stream, mixed or not";
    EXPECT_GT(mixed, 0);
    EXPECT_GT(longAlone, 0);
    EXPECT_LT(longAlone + mixed, 3 * 44100 * 2) << "freeing cut the long stream off";
    EXPECT_EQ(other, 0);
}

TEST_F(SdlAudioLayerTest, stoppedStreamResumesWhereItStoppedAndRestartsOnRequest) {
    ASSERT_TRUE(audiotest::writeSoundFile(path("k.wav"), audiotest::constantPcm(500, 44100), SF_FORMAT_WAV));
    auto layer = makeLayer();
    ASSERT_TRUE(layer->init(-1, 44100, 0));
    const Handle s = layer->streamCreateFile(path("k.wav"));
    ASSERT_TRUE(layer->channelPlay(s, true));
    EXPECT_TRUE(layer->channelStop(s));
    EXPECT_EQ(layer->channelIsActive(s), Stopped);
    ASSERT_TRUE(layer->channelPlay(s, false));
    ASSERT_TRUE(waitUntil([&] { return layer->channelIsActive(s) == Stopped; }));
    // Played to its end: playing again starts it over.
    ASSERT_TRUE(layer->channelPlay(s, false));
    EXPECT_EQ(layer->channelIsActive(s), Playing);
    EXPECT_TRUE(layer->stop());
    EXPECT_EQ(layer->channelIsActive(s), Stopped);
}
