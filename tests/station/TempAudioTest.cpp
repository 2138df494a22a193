#include "station/TempAudio.h"

#include "audio/SdlAudioLayer.h"
#include "support/AudioDiskDriver.h"
#include "support/AudioFakeLayer.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>
#include <limits>

TEST(TempAudioStageSeconds, roundsHalvesToTheEvenNeighbourAndAddsTwo) {
    EXPECT_EQ(TempAudio::stageSeconds(60.5), 62);
    EXPECT_EQ(TempAudio::stageSeconds(61.5), 64);
    EXPECT_EQ(TempAudio::stageSeconds(0.5), 2);
    EXPECT_EQ(TempAudio::stageSeconds(1.5), 4);
    EXPECT_EQ(TempAudio::stageSeconds(2998.5), 3000);
}

TEST(TempAudioStageSeconds, roundsOtherFractionsToTheNearestSecond) {
    EXPECT_EQ(TempAudio::stageSeconds(45.2), 47);
    EXPECT_EQ(TempAudio::stageSeconds(45.7), 48);
    EXPECT_EQ(TempAudio::stageSeconds(60.50001), 63);
    EXPECT_EQ(TempAudio::stageSeconds(0.0), 2);
}

TEST(TempAudioStageSeconds, givesOneSecondForAFailedOrMeaninglessLength) {
    EXPECT_EQ(TempAudio::stageSeconds(-1.0), 1);
    EXPECT_EQ(TempAudio::stageSeconds(-1e9), 1);
    EXPECT_EQ(TempAudio::stageSeconds(std::nan("")), 1);
    EXPECT_EQ(TempAudio::stageSeconds(-std::numeric_limits<double>::infinity()), 1);
}

TEST(TempAudioStageSeconds, keepsAnAbsurdLengthWithinTheCountdownsRange) {
    const int seconds = TempAudio::stageSeconds(1e300);
    EXPECT_GT(seconds, 100000000);
    EXPECT_LT(seconds, std::numeric_limits<int>::max() / 2);
    EXPECT_EQ(TempAudio::stageSeconds(std::numeric_limits<double>::infinity()), 1);
}

struct TempAudioFixture : ::testing::Test {
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QTemporaryDir dir;
    FakeAudioLayer layer;
    audio::Handle stream = 0;
};

TEST_F(TempAudioFixture, writesTheBlobUnchangedReplacingAnOlderFile) {
    const QString path = file(QStringLiteral("~$t1.tmp"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    QByteArray bytes("OggS\0\x01\xff\x80 every byte value survives", 32);
    QString error;
    EXPECT_TRUE(TempAudio::writeFile(path, bytes, &error));
    EXPECT_TRUE(error.isEmpty());
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), bytes);
}

TEST_F(TempAudioFixture, reportsAFileThatCannotBeWritten) {
    const QString path = file(QStringLiteral("~$t1.tmp"));
    ASSERT_TRUE(QDir().mkdir(path)); // a folder of that name: no file can replace it
    QString error;
    EXPECT_FALSE(TempAudio::writeFile(path, "abc", &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Не удалось записать временный файл ")));
    EXPECT_TRUE(error.contains(path));
}

TEST_F(TempAudioFixture, opensTheFileStopsThePreviousStreamAndTimesTheStage) {
    const QString path = file(QStringLiteral("~$t1a.tmp"));
    layer.streamSeconds.insert(path, 45.2);
    stream = 0x777; // the last examinee's freed handle
    TempAudio audio(layer, stream, path);
    QString error;
    EXPECT_EQ(audio.open("sound", &error), 47);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(layer.calls.mid(0, 4),
              (QStringList{"channelStop", "streamCreateFile", "channelGetLength", "channelBytes2Seconds"}));
    ASSERT_EQ(layer.createdStreams.size(), 1u);
    EXPECT_EQ(stream, layer.createdStreams[0]);
    EXPECT_EQ(layer.createdPaths, QStringList{path});

    audio.play();
    EXPECT_EQ(layer.channelIsActive(stream), audio::Playing);
    audio.close();
    EXPECT_EQ(layer.freedStreams, std::vector<audio::Handle>{stream});
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(TempAudioFixture, givesTheTimeOfNothingWhenTheFileCannotBeWritten) {
    const QString path = file(QStringLiteral("~$t1a.tmp"));
    ASSERT_TRUE(QDir().mkdir(path));
    layer.streamSeconds.insert(path, 300.0); // would be played if a stale file were opened
    TempAudio audio(layer, stream, path);
    QString error;
    EXPECT_EQ(audio.open("sound", &error), 1);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(stream, 0u);
    EXPECT_TRUE(layer.createdPaths.isEmpty());
    audio.play();
    audio.close(); // nothing to stop or free, nothing to delete: no harm
    EXPECT_TRUE(layer.freedStreams.empty());
}

TEST_F(TempAudioFixture, givesTheTimeOfNothingForAnUnplayableBlob) {
    const QString path = file(QStringLiteral("~$t1.tmp"));
    TempAudio audio(layer, stream, path); // the fake knows no stream for it
    QString error;
    EXPECT_EQ(audio.open(QByteArray(), &error), 1);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(stream, 0u);
    EXPECT_TRUE(QFile::exists(path));
    audio.close();
    EXPECT_FALSE(QFile::exists(path));
}

// The rule on the real decoder: files of 45.2 s and 60.5 s, copied out of a blob the way
// the stages do it, give 47 and 62.
TEST_F(TempAudioFixture, timesRealSoundFilesByTheirDecodedLength) {
    audiotest::AudioDiskDriver driver(dir.path());
    std::unique_ptr<audio::AudioLayer> real = audio::createSdlAudioLayer(dir.path());
    ASSERT_TRUE(real->init(-1, 44100, 0));
    const QList<QPair<double, int>> cases = {{45.2, 47}, {60.5, 62}};
    for (const auto& [seconds, expected] : cases) {
        const QString source = file(QStringLiteral("source.wav"));
        const int frames = static_cast<int>(seconds * 44100 + 0.5);
        ASSERT_TRUE(audiotest::writeSoundFile(source, audiotest::sinePcm(440.0, frames), SF_FORMAT_WAV));
        QFile wav(source);
        ASSERT_TRUE(wav.open(QIODevice::ReadOnly));
        audio::Handle handle = 0;
        TempAudio audio(*real, handle, file(QStringLiteral("~$t1.tmp")));
        QString error;
        EXPECT_EQ(audio.open(wav.readAll(), &error), expected) << seconds;
        EXPECT_NE(handle, 0u);
        audio.close();
        EXPECT_FALSE(QFile::exists(audio.path()));
    }
}
