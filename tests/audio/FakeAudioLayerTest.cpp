// The fake other subsystems script their audio failures with.
#include "support/AudioFakeLayer.h"

#include <gtest/gtest.h>

using namespace audio;

TEST(FakeAudioLayer, failsDeviceStartsAsScriptedWithScriptedCode) {
    FakeAudioLayer layer;
    layer.versionValue = 0x02030000;
    layer.recordInitSucceeds = false;
    layer.failureCode = 23;
    EXPECT_EQ(layer.version(), 0x02030000u);
    EXPECT_FALSE(layer.recordInit(-1));
    EXPECT_EQ(layer.errorGetCode(), 23);
    EXPECT_TRUE(layer.init(-1, 44100, 0));
    EXPECT_EQ(layer.calls, QStringList({"version", "recordInit", "init"}));
}

TEST(FakeAudioLayer, givesScriptedLengthPerPathAndTracksStreams) {
    FakeAudioLayer layer;
    layer.streamSeconds.insert(QStringLiteral("~$t1.tmp"), 45.2);
    const Handle s = layer.streamCreateFile(QStringLiteral("~$t1.tmp"));
    ASSERT_NE(s, 0u);
    EXPECT_DOUBLE_EQ(layer.channelBytes2Seconds(s, layer.channelGetLength(s)), 45.2);
    EXPECT_EQ(layer.streamCreateFile(QStringLiteral("other")), 0u);
    EXPECT_EQ(layer.createdPaths, QStringList({"~$t1.tmp", "other"}));
    EXPECT_TRUE(layer.channelPlay(s, true));
    EXPECT_EQ(layer.channelIsActive(s), Playing);
    EXPECT_TRUE(layer.streamFree(s));
    EXPECT_EQ(layer.channelIsActive(s), Stopped);
    EXPECT_EQ(layer.channelBytes2Seconds(s, 100), -1.0);
    EXPECT_EQ(layer.createdStreams, std::vector<Handle>{s});
    EXPECT_EQ(layer.freedStreams, std::vector<Handle>{s});
}

TEST(FakeAudioLayer, failsRecordingAndEncoderAsScripted) {
    FakeAudioLayer layer;
    layer.recordStartFails = true;
    EXPECT_EQ(layer.recordStart(44100, 2, RecordPaused, nullptr, nullptr), 0u);
    layer.recordStartFails = false;
    const Handle ch = layer.recordStart(44100, 2, RecordPaused, nullptr, nullptr);
    EXPECT_EQ(layer.channelIsActive(ch), Paused);
    layer.encodeStartFails = true;
    EXPECT_FALSE(layer.encodeStart(ch, QStringLiteral("a.ogg"), EncodeAutoFree));
    EXPECT_EQ(layer.errorGetCode(), static_cast<int>(ErrorCode::EncoderNotFound));
    EXPECT_EQ(layer.encodeIsActive(ch), 0);
    EXPECT_TRUE(layer.encodedFiles.isEmpty());
}
