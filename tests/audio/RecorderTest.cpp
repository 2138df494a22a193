#include "audio/Recorder.h"

#include "audio/AudioError.h"
#include "support/AudioFakeLayer.h"

#include <gtest/gtest.h>

using namespace audio;

namespace {

class RecorderTest : public ::testing::Test {
protected:
    RecorderTest() : recorder(layer, [this](const QString& text) { shown << text; }) {}

    QStringList callsSince(qsizetype from) const { return layer.calls.mid(from); }

    FakeAudioLayer layer;
    QStringList shown;
    Recorder recorder;
};

} // namespace

TEST_F(RecorderTest, startsPausedRecordingThenEncoderThenPlaysIt) {
    recorder.startRecording(QStringLiteral("test.ogg"));
    EXPECT_NE(recorder.RecChannel, 0u);
    EXPECT_EQ(layer.calls, QStringList({"recordSetDevice", "recordStart", "encodeStart", "channelPlay"}));
    EXPECT_EQ(layer.encodedFiles, QStringList{"test.ogg"});
    EXPECT_EQ(layer.channelIsActive(recorder.RecChannel), Playing);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(RecorderTest, recordProcContinuesExactlyWhileEncoderOfItsChannelRuns) {
    recorder.startRecording(QStringLiteral("a.ogg"));
    ASSERT_EQ(layer.lastProc, &Recorder::RecordProc);
    const Handle ch = recorder.RecChannel;
    EXPECT_TRUE(layer.lastProc(ch, nullptr, 0, layer.lastUser));
    EXPECT_FALSE(layer.lastProc(ch + 1000, nullptr, 0, layer.lastUser));
    layer.endRecording(ch);
    EXPECT_FALSE(layer.lastProc(ch, nullptr, 0, layer.lastUser));
}

TEST_F(RecorderTest, stopEndsRecordingAndOpensFileAsPausedPlayStream) {
    layer.streamSeconds.insert(QStringLiteral("test.ogg"), 3.0);
    recorder.startRecording(QStringLiteral("test.ogg"));
    const auto from = layer.calls.size();
    recorder.stopRecording(QStringLiteral("test.ogg"));
    EXPECT_EQ(callsSince(from), QStringList({"channelStop", "streamCreateFile"}));
    EXPECT_EQ(recorder.RecChannel, 0u);
    ASSERT_NE(recorder.PlayStream, 0u);
    EXPECT_EQ(layer.channelIsActive(recorder.PlayStream), Stopped);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(RecorderTest, stopWithNothingRecordingAndNoFileLeavesPlayStreamZeroSilently) {
    recorder.stopRecording(QStringLiteral("missing.ogg"));
    EXPECT_EQ(recorder.PlayStream, 0u);
    EXPECT_EQ(layer.callCount("channelStop"), 0);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(RecorderTest, newRecordingFreesPreviousPlayStreamFirst) {
    layer.streamSeconds.insert(QStringLiteral("test.ogg"), 3.0);
    recorder.startRecording(QStringLiteral("test.ogg"));
    recorder.stopRecording(QStringLiteral("test.ogg"));
    const Handle previous = recorder.PlayStream;
    layer.channelPlay(previous, true);
    const auto from = layer.calls.size();
    recorder.startRecording(QStringLiteral("test.ogg"));
    EXPECT_EQ(callsSince(from).first(), QStringLiteral("streamFree"));
    EXPECT_EQ(layer.freedStreams, std::vector<Handle>{previous});
    EXPECT_EQ(layer.channelIsActive(previous), Stopped);
}

TEST_F(RecorderTest, failedRecordStartShowsAntivirusMessageAndStillFreesPlayStream) {
    layer.streamSeconds.insert(QStringLiteral("f.ogg"), 1.0);
    recorder.stopRecording(QStringLiteral("f.ogg"));
    ASSERT_NE(recorder.PlayStream, 0u);
    layer.recordStartFails = true;
    recorder.startRecording(QStringLiteral("f.ogg"));
    EXPECT_EQ(recorder.RecChannel, 0u);
    EXPECT_EQ(recorder.PlayStream, 0u);
    EXPECT_EQ(shown,
              QStringList{QStringLiteral("Невозможно начать запись. Возможно работу приложения блокирует антивирус")});
    EXPECT_EQ(layer.callCount("encodeStart"), 0);
}

TEST_F(RecorderTest, failedEncoderStartShowsMessageThenStopsChannel) {
    layer.encodeStartFails = true;
    recorder.startRecording(QStringLiteral("x.ogg"));
    EXPECT_EQ(recorder.RecChannel, 0u);
    EXPECT_EQ(shown, QStringList{QStringLiteral("Невозможно запустить процесс сжатия аудиозаписи...\nПроверьте наличие "
                                                "файла OGGENC.EXE в рабочем каталоге")});
    EXPECT_EQ(layer.calls.mid(layer.calls.size() - 1), QStringList{"channelStop"});
    EXPECT_EQ(layer.callCount("channelPlay"), 0);
}

TEST_F(RecorderTest, reportsRecordingThatWasNotEncodedCompletely) {
    layer.stopRecordingFailsWith = static_cast<int>(ErrorCode::EncoderFailed);
    layer.streamSeconds.insert(QStringLiteral("x.ogg"), 1.0);
    recorder.startRecording(QStringLiteral("x.ogg"));
    recorder.stopRecording(QStringLiteral("x.ogg"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown.first(), QString::fromUtf8(Recorder::RecordingIncompleteText));
    EXPECT_EQ(layer.errorGetCode(), static_cast<int>(ErrorCode::EncoderFailed));
    // What was encoded is still offered for playback.
    EXPECT_NE(recorder.PlayStream, 0u);
    EXPECT_EQ(recorder.RecChannel, 0u);
}

TEST_F(RecorderTest, recordingThatEndedByItselfIsClosedAndReportedBeforeTheNextStarts) {
    layer.stopRecordingFailsWith = static_cast<int>(ErrorCode::EncoderFailed);
    recorder.startRecording(QStringLiteral("x.ogg"));
    const Handle first = recorder.RecChannel;
    layer.endRecording(first);
    EXPECT_EQ(layer.channelIsActive(first), Stopped);
    recorder.startRecording(QStringLiteral("x.ogg"));
    EXPECT_EQ(shown, QStringList{QString::fromUtf8(Recorder::RecordingIncompleteText)});
    EXPECT_NE(recorder.RecChannel, first);
    EXPECT_EQ(layer.callCount("channelStop"), 1);
    EXPECT_EQ(layer.callCount("recordStart"), 2);
}

TEST_F(RecorderTest, stopWithoutWaitingReturnsAtOnceAndOpensFileWhenComplete) {
    layer.streamSeconds.insert(QStringLiteral("t.ogg"), 2.0);
    layer.holdFinish = true;
    recorder.startRecording(QStringLiteral("t.ogg"));
    const Handle ch = recorder.RecChannel;
    recorder.beginStopRecording(QStringLiteral("t.ogg"));
    EXPECT_EQ(recorder.RecChannel, 0u);
    EXPECT_TRUE(recorder.stopPending());
    EXPECT_EQ(layer.callCount("channelStop"), 0) << "nothing waits on the user-interface thread";
    EXPECT_FALSE(recorder.pollStopRecording());
    EXPECT_EQ(recorder.PlayStream, 0u);
    layer.completeFinish(ch);
    EXPECT_TRUE(recorder.pollStopRecording());
    EXPECT_FALSE(recorder.pollStopRecording()) << "reported once";
    EXPECT_FALSE(recorder.stopPending());
    EXPECT_NE(recorder.PlayStream, 0u);
    EXPECT_EQ(recorder.lastOutcome.code, ErrorCode::Ok);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(RecorderTest, stopWithoutWaitingReportsIncompleteRecordingWithItsCause) {
    layer.stopRecordingFailsWith = static_cast<int>(ErrorCode::NoSound);
    recorder.startRecording(QStringLiteral("t.ogg"));
    recorder.beginStopRecording(QStringLiteral("t.ogg"));
    EXPECT_TRUE(recorder.pollStopRecording());
    EXPECT_EQ(recorder.lastOutcome.code, ErrorCode::NoSound);
    EXPECT_EQ(shown, QStringList{recordingFailureText(ErrorCode::NoSound)});
    // Every cause the layer can report has its own text for the screen.
    for (ErrorCode code : {ErrorCode::EncoderNotFound, ErrorCode::EncoderFailed, ErrorCode::EncoderTimeout,
                           ErrorCode::DiskFull, ErrorCode::FolderNotWritable, ErrorCode::NoSound, ErrorCode::Device}) {
        EXPECT_FALSE(recordingProblemText(code).isEmpty()) << static_cast<int>(code);
        EXPECT_FALSE(recordingFailureText(code).isEmpty()) << static_cast<int>(code);
    }
}

TEST(AudioError, appendsCodeOnSecondLine) {
    EXPECT_EQ(formatAudioError(QStringLiteral("Сбой"), 23), QStringLiteral("Сбой\n(Код ошибки: 23)"));
    EXPECT_EQ(formatAudioError(QStringLiteral("a\n\rb"), -1), QStringLiteral("a\n\rb\n(Код ошибки: -1)"));
}
