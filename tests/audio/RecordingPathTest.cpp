// The recording path end to end: SDL's disk driver as the microphone, the
// real encoder (or a failing stand-in), the Recorder as the stages use it.
#include "audio/AnswerRecovery.h"
#include "audio/OggInspect.h"
#include "audio/Recorder.h"
#include "audio/RecordingChannel.h"
#include "audio/SdlAudioLayer.h"

#include "AudioWait.h"
#include "support/AudioDiskDriver.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdio>

#include <sys/resource.h>

using namespace audio;

namespace {

// Children of this process whose command name is `name`.
std::vector<pid_t> childrenNamed(const QString& name) {
    std::vector<pid_t> found;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(tasks.filePath(task + QStringLiteral("/children")));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& pid : f.readAll().split(' ')) {
            if (pid.trimmed().isEmpty())
                continue;
            QFile comm(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid.trimmed())));
            if (comm.open(QIODevice::ReadOnly) && QString::fromLatin1(comm.readAll().trimmed()) == name)
                found.push_back(pid.trimmed().toInt());
        }
    }
    return found;
}

// Stops the recording after exactly `limit` bytes, as a test stands in for the
// examinee pressing the button at a known moment.
struct ByteLimit {
    std::uint64_t limit;
    std::atomic<std::uint64_t> seen{0};
    static bool proc(Handle, const void*, std::uint32_t length, void* user) {
        auto* self = static_cast<ByteLimit*>(user);
        return (self->seen += length) < self->limit;
    }
};

class RecordingPathTest : public ::testing::Test {
protected:
    RecordingPathTest() : driver(dir.path()) {}
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("work")));
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    // The layer and recorder as the main window sets them up.
    void startStation(SdlAudioLayerOptions options = {}) {
        if (options.workingDir.isEmpty())
            options.workingDir = path(QStringLiteral("work"));
        layer = createSdlAudioLayer(options);
        ASSERT_TRUE(layer->recordInit(-1));
        recorder = std::make_unique<Recorder>(*layer, [this](const QString& text) {
            shown << text;
            codes << layer->errorGetCode();
        });
    }

    QTemporaryDir dir;
    audiotest::AudioDiskDriver driver;
    std::unique_ptr<AudioLayer> layer;
    std::unique_ptr<Recorder> recorder;
    QStringList shown;
    QList<int> codes;
};

} // namespace

TEST_F(RecordingPathTest, recordedSineComesBackAtRightFrequencyAndLength) {
    driver.setInput(audiotest::sinePcm(440, 2 * 44100));
    driver.setDelayMs(0);
    startStation();
    ByteLimit stopAt{2u * 44100u * 4u};
    // Recording from the device's first block; the encoder starts meanwhile
    // and loses nothing of it.
    const Handle ch = layer->recordStart(44100, 2, 0, &ByteLimit::proc, &stopAt);
    ASSERT_NE(ch, 0u);
    EXPECT_EQ(layer->channelIsActive(ch), Playing);
    const QString out = path(QStringLiteral("sine.ogg"));
    ASSERT_TRUE(layer->encodeStart(ch, out, EncodeAutoFree));
    ASSERT_TRUE(layer->channelPlay(ch, false));
    ASSERT_TRUE(waitUntil([&] { return layer->channelIsActive(ch) == Stopped; }));
    EXPECT_TRUE(layer->channelStop(ch));

    const auto sound = audiotest::decodeFile(out);
    ASSERT_TRUE(sound.ok);
    EXPECT_EQ(sound.rate, 44100);
    EXPECT_EQ(sound.channels, 2);
    EXPECT_EQ(sound.frames(), 2 * 44100);
    EXPECT_NEAR(audiotest::dominantFrequency(sound), 440.0, 2.0);
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(out));
}

TEST_F(RecordingPathTest, nameWithSpaceRecordsIntoOneFileOfThatName) {
    driver.setInput(audiotest::sinePcm(440, 44100));
    driver.setDelayMs(0);
    startStation();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Answer_20 05 2019")));
    const QString out = path(QStringLiteral("Answer_20 05 2019/0042 2.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    recorder->stopRecording(out);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_NE(recorder->PlayStream, 0u);
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(out));
    // Nothing was written under the pieces of the name.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("mic-in.raw")});
    EXPECT_EQ(QDir(path(QStringLiteral("Answer_20 05 2019"))).entryList(QDir::Files), QStringList{"0042 2.ogg"});
    EXPECT_TRUE(QDir(path(QStringLiteral("work"))).isEmpty());
}

TEST_F(RecordingPathTest, withoutEncoderShowsMessageAndCreatesNoFile) {
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(path(QStringLiteral("work"))));
    startStation();
    const QString out = path(QStringLiteral("0042_0.ogg"));
    recorder->startRecording(out);
    qputenv("PATH", savedPath);
    EXPECT_EQ(recorder->RecChannel, 0u);
    EXPECT_EQ(shown, QStringList{QString::fromUtf8(Recorder::EncoderStartFailedText)});
    EXPECT_EQ(codes, QList<int>{static_cast<int>(ErrorCode::EncoderNotFound)});
    EXPECT_FALSE(QFileInfo::exists(out));
    // The channel was stopped: the device is free for the next attempt.
    const Handle again = layer->recordStart(44100, 2, RecordPaused, nullptr, nullptr);
    EXPECT_NE(again, 0u);
    layer->channelStop(again);
}

TEST_F(RecordingPathTest, encoderFoundInWorkingFolderIsUsedBeforeSearchPath) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_ENCODER_HANGS), path(QStringLiteral("work/oggenc"))));
    SdlAudioLayerOptions options;
    options.encoderExitTimeoutMs = 200;
    options.encoderBufferWaitMs = 5;
    startStation(options);
    const QString out = path(QStringLiteral("t.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    // The child takes its new name a moment after it starts.
    EXPECT_TRUE(waitUntil([] { return childrenNamed(QStringLiteral("oggenc")).size() == 1; }));
    // No input: the microphone hears silence, and the screen can say so.
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().recordedSeconds >= 0.1; }));
    EXPECT_TRUE(recorder->liveStatus().silentSoFar);
    EXPECT_EQ(recorder->liveStatus().peakLevel, 0.0);
    recorder->stopRecording(out);
    // The stand-in hangs, which shows that it, not the real encoder, ran.
    EXPECT_EQ(codes, QList<int>{static_cast<int>(ErrorCode::EncoderTimeout)});
}

TEST_F(RecordingPathTest, encoderKilledMidAnswerIsReplacedAndAnswerStaysWhole) {
    driver.setInput(audiotest::sinePcm(440, 6 * 44100));
    startStation(); // real-time pacing, as a headset delivers
    const QString out = path(QStringLiteral("0042_2.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().recordedSeconds >= 1.0; }));
    const auto encoders = childrenNamed(QStringLiteral("oggenc"));
    ASSERT_EQ(encoders.size(), 1u);
    ::kill(encoders.front(), SIGKILL);
    const auto killed = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().failures == 1; }));
    const auto noticed = std::chrono::steady_clock::now() - killed;
    const RecordingStatus during = recorder->liveStatus();
    EXPECT_EQ(during.lastFailure, ErrorCode::EncoderFailed);
    EXPECT_FALSE(during.silentSoFar);
    EXPECT_NEAR(during.peakLevel, 12000.0 / 32768, 0.01);
    EXPECT_EQ(layer->channelIsActive(recorder->RecChannel), Playing) << "the recording goes on";
    std::printf("encoder death noticed after %.0f ms\n", std::chrono::duration<double, std::milli>(noticed).count());
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().recordedSeconds >= 3.0; }));
    const double recorded = recorder->liveStatus().recordedSeconds;
    recorder->stopRecording(out);

    EXPECT_TRUE(shown.isEmpty()) << shown.join(QStringLiteral("|")).toStdString();
    EXPECT_EQ(recorder->lastOutcome.code, ErrorCode::Ok);
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(out));
    const auto sound = audiotest::decodeFile(out);
    ASSERT_TRUE(sound.ok);
    // The whole answer, the gap while the encoder was replaced included.
    EXPECT_GE(static_cast<double>(sound.frames()) / 44100, recorded);
    EXPECT_NEAR(recorder->lastOutcome.seconds, static_cast<double>(sound.frames()) / 44100, 0.001);
    EXPECT_NEAR(audiotest::dominantFrequency(sound), 440.0, 2.0);
    // One file under its name; the kept sound and the replacement's file went.
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("0042_2*")}, QDir::Files), QStringList{"0042_2.ogg"});
}

TEST_F(RecordingPathTest, encoderThatStopsTakingSoundIsReplacedAndAnswerStaysWhole) {
    driver.setInput(audiotest::sinePcm(440, 6 * 44100));
    startStation();
    const QString out = path(QStringLiteral("0042_3.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().recordedSeconds >= 0.5; }));
    const auto encoders = childrenNamed(QStringLiteral("oggenc"));
    ASSERT_EQ(encoders.size(), 1u);
    ::kill(encoders.front(), SIGSTOP);
    const auto stopped = std::chrono::steady_clock::now();
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().failures == 1; }));
    std::printf("stalled encoder noticed after %.0f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - stopped).count());
    EXPECT_EQ(recorder->liveStatus().lastFailure, ErrorCode::EncoderTimeout);
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().recordedSeconds >= 3.0; }));
    recorder->stopRecording(out);
    EXPECT_TRUE(shown.isEmpty());
    const auto sound = audiotest::decodeFile(out);
    EXPECT_NEAR(static_cast<double>(sound.frames()) / 44100, recorder->lastOutcome.seconds, 0.001);
    EXPECT_GE(recorder->lastOutcome.seconds, 3.0);
}

namespace {

// What the audio layer tells the technician's log (category zunt.audio), from any thread.
QStringList g_audioLog;
QMutex g_audioLogMutex;

void keepAudioLog(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (context.category && QByteArray(context.category) == "zunt.audio") {
        QMutexLocker lock(&g_audioLogMutex);
        g_audioLog << text;
    }
}

} // namespace

TEST_F(RecordingPathTest, encoderThatKeepsCrashingIsReportedAndTheSoundIsKept) {
    const QtMessageHandler previous = qInstallMessageHandler(&keepAudioLog);
    driver.setInput(audiotest::sinePcm(440, 5 * 44100));
    SdlAudioLayerOptions options;
    options.encoderProgram = QStringLiteral(FAKE_ENCODER_DIES);
    startStation(options);
    const QString out = path(QStringLiteral("x.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().problem == ErrorCode::EncoderFailed; }));
    EXPECT_FALSE(recordingProblemText(recorder->liveStatus().problem).isEmpty());
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().recordedSeconds >= 0.5; }));
    const double recorded = recorder->liveStatus().recordedSeconds;
    recorder->stopRecording(out);
    EXPECT_EQ(codes, QList<int>{static_cast<int>(ErrorCode::EncoderFailed)});
    EXPECT_EQ(shown, QStringList{QString::fromUtf8(Recorder::RecordingIncompleteText)});
    // Nothing of the answer is lost: its raw sound stays beside it.
    QFile kept(out + QStringLiteral(".pcm.tmp"));
    ASSERT_TRUE(kept.exists());
    EXPECT_GE(static_cast<double>(kept.size()) / (44100 * 4), recorded);
    // The technician learns why: the encoder's own last words are in the log.
    qInstallMessageHandler(previous);
    QMutexLocker lock(&g_audioLogMutex);
    ASSERT_FALSE(g_audioLog.isEmpty());
    EXPECT_TRUE(g_audioLog.first().contains(QStringLiteral("fake encoder: cannot go on")))
        << g_audioLog.first().toStdString();
}

TEST_F(RecordingPathTest, answerOutlivesFullDiskOnceThereIsRoomAgain) {
    driver.setInput(audiotest::sinePcm(440, 10 * 44100));
    driver.setDelayMs(0);
    startStation();
    // The answer's file may not grow past 16 KiB: a full disk, as the writes see it.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 16 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ByteLimit stopAt{10u * 44100u * 4u};
    const Handle ch = layer->recordStart(44100, 2, 0, &ByteLimit::proc, &stopAt);
    ASSERT_NE(ch, 0u);
    const QString out = path(QStringLiteral("full.ogg"));
    ASSERT_TRUE(layer->encodeStart(ch, out, EncodeAutoFree));
    const bool sawFull = waitUntil([&] { return layer->recordingStatus(ch).problem == ErrorCode::DiskFull; });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_TRUE(sawFull);
    // The answer is stopped once all ten seconds were delivered, however fast the driver ran.
    ASSERT_TRUE(waitUntil([&] { return layer->recordingStatus(ch).recordedSeconds >= 10.0; }));
    EXPECT_TRUE(layer->channelStop(ch)) << layer->errorGetCode();
    const auto sound = audiotest::decodeFile(out);
    ASSERT_TRUE(sound.ok);
    EXPECT_EQ(sound.frames(), 10 * 44100);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral(".pcm.tmp")));
}

TEST_F(RecordingPathTest, microphoneThatDeliversNothingIsShownAtOnceAndNeverPassesForSuccess) {
    driver.setInput(audiotest::sinePcm(440, 44100));
    driver.setDelayMs(2500); // no block for the first 2.5 s
    startStation();
    const QString out = path(QStringLiteral("0042_0.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    ASSERT_TRUE(waitUntil([&] { return recorder->liveStatus().problem == ErrorCode::Device; }));
    EXPECT_FALSE(recorder->liveStatus().capturing);
    recorder->stopRecording(out);
    EXPECT_EQ(recorder->lastOutcome.code, ErrorCode::NoSound);
    EXPECT_EQ(codes, QList<int>{static_cast<int>(ErrorCode::NoSound)});
    EXPECT_EQ(shown, QStringList{recordingFailureText(ErrorCode::NoSound)});
}

TEST_F(RecordingPathTest, answerFolderThatCannotBeWrittenIsReportedAtStart) {
    startStation();
    const QString out = path(QStringLiteral("no such folder/0042_2.ogg"));
    recorder->startRecording(out);
    EXPECT_EQ(recorder->RecChannel, 0u);
    EXPECT_EQ(codes, QList<int>{static_cast<int>(ErrorCode::FolderNotWritable)});
    EXPECT_EQ(shown, QStringList{recordingFailureText(ErrorCode::FolderNotWritable)});
}

TEST_F(RecordingPathTest, powerCutMidAnswerIsRecoveredToWithinASecondOfTheCut) {
    driver.setInput(audiotest::sinePcm(440, 30 * 44100));
    QProcess station;
    station.setWorkingDirectory(path(QStringLiteral("work")));
    const QString out = path(QStringLiteral("0042_3.ogg"));
    station.start(QStringLiteral(RECORD_UNTIL_KILLED), {out});
    ASSERT_TRUE(station.waitForReadyRead(20000));
    // The raw sound beside the answer is what the station had recorded.
    QFile spool(out + QStringLiteral(".pcm.tmp"));
    ASSERT_TRUE(waitUntil([&] { return spool.size() >= 3 * 44100 * 4; }));
    std::vector<pid_t> encoders;
    const QString children = QStringLiteral("/proc/%1/task/%1/children").arg(static_cast<qint64>(station.processId()));
    for (const QString& task :
         QDir(QStringLiteral("/proc/%1/task").arg(station.processId())).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f(QStringLiteral("/proc/%1/task/%2/children").arg(station.processId()).arg(task));
        if (f.open(QIODevice::ReadOnly)) {
            for (const QByteArray& pid : f.readAll().split(' '))
                if (!pid.trimmed().isEmpty())
                    encoders.push_back(pid.trimmed().toInt());
        }
    }
    ASSERT_EQ(encoders.size(), 1u) << children.toStdString();
    ::kill(static_cast<pid_t>(station.processId()), SIGKILL);
    ::kill(encoders.front(), SIGKILL);
    station.waitForFinished(5000);
    const double recorded = static_cast<double>(spool.size()) / (44100 * 4);

    const OggInspection cut = inspectOggFile(out);
    EXPECT_FALSE(cut.endedCleanly);
    // The encoder keeps whole pages back; the raw sound beside the answer has
    // all but the last second, and the station's start-up encodes it again.
    EXPECT_EQ(interruptedAnswers(dir.path()), QStringList{out});
    EXPECT_EQ(recoverAnswer(out, path(QStringLiteral("work"))), ErrorCode::Ok);
    const OggInspection file = inspectOggFile(out);
    std::printf("recorded %.3f s; the cut file plays %.3f s, the recovered one %.3f s\n", recorded, cut.decodedSeconds,
                file.decodedSeconds);
    EXPECT_TRUE(file.endedCleanly);
    EXPECT_GT(file.decodedSeconds, recorded - 1.0);
    EXPECT_FALSE(spool.exists());
    EXPECT_TRUE(interruptedAnswers(dir.path()).isEmpty());
    EXPECT_TRUE(inspectOggFile(path(QStringLiteral("no such answer.ogg"))).empty());
}

TEST_F(RecordingPathTest, hungEncoderIsKilledWithinBoundAndReported) {
    SdlAudioLayerOptions options;
    options.encoderProgram = QStringLiteral(FAKE_ENCODER_HANGS);
    options.encoderExitTimeoutMs = 300;
    options.encoderBufferWaitMs = 5;
    startStation(options);
    const QString out = path(QStringLiteral("x.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    const auto started = std::chrono::steady_clock::now();
    recorder->stopRecording(out);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_EQ(shown, QStringList{QString::fromUtf8(Recorder::RecordingIncompleteText)});
    EXPECT_EQ(codes, QList<int>{static_cast<int>(ErrorCode::EncoderTimeout)});
    EXPECT_TRUE(QFileInfo::exists(out + QStringLiteral(".pcm.tmp")));
    EXPECT_TRUE(childrenNamed(QFileInfo(QStringLiteral(FAKE_ENCODER_HANGS)).fileName()).empty());
}

TEST_F(RecordingPathTest, stopRightAfterStartGivesShortCompletePlayableFile) {
    driver.setInput(audiotest::sinePcm(440, 44100));
    startStation(); // real-time pacing, as a headset delivers
    const QString out = path(QStringLiteral("test.ogg"));
    recorder->startRecording(out);
    ASSERT_NE(recorder->RecChannel, 0u);
    recorder->stopRecording(out);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(out));
    ASSERT_NE(recorder->PlayStream, 0u);
    const double seconds =
        layer->channelBytes2Seconds(recorder->PlayStream, layer->channelGetLength(recorder->PlayStream));
    EXPECT_GE(seconds, 0.0);
    EXPECT_LT(seconds, 1.0);
    EXPECT_TRUE(audiotest::decodeFile(out).ok);
}

TEST_F(RecordingPathTest, recordingHoldsTheFramesDeliveredBetweenStartAndStop) {
    driver.setInput(audiotest::sinePcm(440, 3 * 44100));
    startStation(); // real-time pacing: blocks arrive while the stop is asked for
    auto& sdl = static_cast<SdlAudioLayer&>(*layer);
    const QString out = path(QStringLiteral("length.ogg"));
    recorder->startRecording(out);
    const Handle ch = recorder->RecChannel;
    ASSERT_NE(ch, 0u);
    ASSERT_TRUE(waitUntil([&] { return sdl.framesDelivered(ch) >= 44100; }));
    const std::uint64_t deliveredBeforeStop = sdl.framesDelivered(ch);
    recorder->beginStopRecording(out);
    ASSERT_TRUE(waitUntil([&] { return layer->recordingStatus(ch).finished; }));
    const std::uint64_t deliveredAtClose = sdl.framesDelivered(ch);
    ASSERT_TRUE(recorder->pollStopRecording());
    EXPECT_TRUE(shown.isEmpty());
    const auto frames = static_cast<std::uint64_t>(audiotest::decodeFile(out).frames());
    // Every frame delivered before the stop, the start's first block included,
    // and no more than the block that covers the stop's moment.
    const std::uint64_t slack = 30 * 44100 / 1000;
    EXPECT_GE(frames + slack, deliveredBeforeStop);
    EXPECT_LE(frames, deliveredAtClose + slack);
    EXPECT_LE(deliveredAtClose - deliveredBeforeStop, 5u * RecordingChannel::BlockFrames);
}

TEST_F(RecordingPathTest, newRecordingFreesPreviousPlaybackStream) {
    driver.setInput(audiotest::sinePcm(440, 44100));
    startStation();
    ASSERT_TRUE(layer->init(-1, 44100, 0));
    const QString out = path(QStringLiteral("test.ogg"));
    recorder->startRecording(out);
    recorder->stopRecording(out);
    const Handle previous = recorder->PlayStream;
    ASSERT_NE(previous, 0u);
    ASSERT_TRUE(layer->channelPlay(previous, true));

    recorder->startRecording(out);
    EXPECT_EQ(recorder->PlayStream, 0u);
    EXPECT_EQ(layer->channelIsActive(previous), Stopped);
    EXPECT_FALSE(layer->streamFree(previous)) << "already freed";
    recorder->stopRecording(out);
    EXPECT_NE(recorder->PlayStream, previous);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(RecordingPathTest, refusesSecondRecordingWhileOneRuns) {
    startStation();
    const Handle first = layer->recordStart(44100, 2, RecordPaused, nullptr, nullptr);
    ASSERT_NE(first, 0u);
    EXPECT_EQ(layer->recordStart(44100, 2, RecordPaused, nullptr, nullptr), 0u);
    EXPECT_EQ(layer->errorGetCode(), static_cast<int>(ErrorCode::Busy));
    EXPECT_TRUE(layer->channelStop(first));
    EXPECT_EQ(layer->channelIsActive(first), Stopped);
}
