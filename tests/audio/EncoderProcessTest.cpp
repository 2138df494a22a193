#include "audio/EncoderProcess.h"

#include "AudioWait.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace audio;
using namespace std::chrono_literals;

namespace {

QString realEncoder() {
    return QStandardPaths::findExecutable(QStringLiteral("oggenc"));
}

bool processGone(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

class EncoderProcessTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return QDir(m_dir.path()).filePath(QString::fromUtf8(name)); }
    EncoderCommand command(const QString& program, const QString& out) const {
        return encoderCommand(program, m_dir.path(), out);
    }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(EncoderProcessTest, encodesEverythingPushedIntoCompleteOggFile) {
    ASSERT_FALSE(realEncoder().isEmpty()) << "oggenc (vorbis-tools) is needed";
    EncoderProcess enc(64 * 1024, 5000ms);
    const QString out = path("sine 440.ogg");
    ASSERT_TRUE(enc.start(command(realEncoder(), out), streamingWavHeader(44100, 2)));
    const QByteArray pcm = audiotest::sinePcm(440, 44100);
    // Blocks the size a device delivers, more than the buffer holds in all.
    for (int at = 0; at < pcm.size(); at += 8820)
        enc.push(pcm.constData() + at, static_cast<std::size_t>(std::min<int>(8820, pcm.size() - at)));
    EXPECT_TRUE(enc.isActive());
    EXPECT_EQ(enc.finish(10000ms), EncoderProcess::Outcome::Complete);

    const auto sound = audiotest::decodeFile(out);
    ASSERT_TRUE(sound.ok);
    EXPECT_EQ(sound.frames(), 44100);
    EXPECT_NEAR(audiotest::dominantFrequency(sound), 440.0, 2.0);
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(out));
}

TEST_F(EncoderProcessTest, noticesEncoderThatDiesMidwayAndReportsFailure) {
    EncoderProcess enc(64 * 1024, 5000ms);
    ASSERT_TRUE(enc.start(command(QStringLiteral(FAKE_ENCODER_DIES), path("x.ogg")), streamingWavHeader(44100, 2)));
    const QByteArray block = audiotest::sinePcm(440, 2205);
    EXPECT_TRUE(waitUntil([&] {
        enc.push(block.constData(), static_cast<std::size_t>(block.size()));
        return !enc.isActive();
    }));
    EXPECT_EQ(enc.finish(5000ms), EncoderProcess::Outcome::Failed);
}

TEST_F(EncoderProcessTest, killsEncoderThatHangsAfterItsInputIsClosed) {
    EncoderProcess enc(64 * 1024, 5ms);
    ASSERT_TRUE(enc.start(command(QStringLiteral(FAKE_ENCODER_HANGS), path("x.ogg")), streamingWavHeader(44100, 2)));
    const pid_t pid = enc.pid();
    // More than the pipe and the buffer hold together: pushes must give up, not hang.
    const QByteArray block = audiotest::sinePcm(440, 44100);
    for (int i = 0; i < 4; ++i)
        enc.push(block.constData(), static_cast<std::size_t>(block.size()));
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(enc.finish(300ms), EncoderProcess::Outcome::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
    EXPECT_TRUE(processGone(pid));
}

TEST_F(EncoderProcessTest, refusesProgramThatCannotBeStarted) {
    EncoderProcess enc(64 * 1024, 5ms);
    EXPECT_FALSE(enc.start(command(path("no-such-encoder"), path("x.ogg")), streamingWavHeader(44100, 2)));
    EXPECT_FALSE(enc.isActive());
    EXPECT_FALSE(QFileInfo::exists(path("x.ogg")));
}

TEST_F(EncoderProcessTest, destructorLeavesNoProcessBehind) {
    pid_t pid = -1;
    {
        EncoderProcess enc(64 * 1024, 5ms);
        ASSERT_TRUE(
            enc.start(command(QStringLiteral(FAKE_ENCODER_HANGS), path("x.ogg")), streamingWavHeader(44100, 2)));
        pid = enc.pid();
    }
    EXPECT_TRUE(processGone(pid));
}
