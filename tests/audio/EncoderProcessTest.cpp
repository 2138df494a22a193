#include "audio/EncoderProcess.h"

#include "AudioWait.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

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
    EncoderCommand command(const QString& program) const { return streamingEncoderCommand(program, m_dir.path()); }
    QTemporaryDir m_dir;
};

// Feeds all of input and collects the output, as the station's writer does:
// never blocking on either pipe. Stops early when the encoder goes away.
QByteArray pump(EncoderProcess& enc, const QByteArray& input) {
    QByteArray output;
    qsizetype fed = 0;
    char buffer[65536];
    bool inputGone = false;
    for (;;) {
        if (fed < input.size() && !inputGone) {
            const long w = enc.write(input.constData() + fed, static_cast<std::size_t>(input.size() - fed));
            if (w < 0)
                inputGone = true;
            else
                fed += w;
        } else if (!inputGone) {
            enc.closeInput();
            inputGone = true;
        }
        const long r = enc.read(buffer, sizeof buffer);
        if (r < 0)
            return output;
        if (r > 0)
            output.append(buffer, r);
        else
            std::this_thread::sleep_for(1ms);
    }
}

} // namespace

TEST_F(EncoderProcessTest, encodesEverythingWrittenIntoCompleteOggStream) {
    ASSERT_FALSE(realEncoder().isEmpty()) << "oggenc (vorbis-tools) is needed";
    EncoderProcess enc;
    ASSERT_TRUE(enc.start(command(realEncoder())));
    // More than the pipes hold: both must be served at once.
    const QByteArray output = pump(enc, streamingWavHeader(44100, 2) + audiotest::sinePcm(440, 44100));
    ASSERT_TRUE(enc.waitExit(10s));
    EXPECT_TRUE(enc.exitedCleanly());

    const QString out = path("sine 440.ogg");
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(output);
    f.close();
    const auto sound = audiotest::decodeFile(out);
    ASSERT_TRUE(sound.ok);
    EXPECT_EQ(sound.frames(), 44100);
    EXPECT_NEAR(audiotest::dominantFrequency(sound), 440.0, 2.0);
    EXPECT_TRUE(audiotest::oggEndsWithEndOfStream(out));
}

TEST_F(EncoderProcessTest, noticesEncoderThatDiesMidwayAndReportsFailure) {
    EncoderProcess enc;
    ASSERT_TRUE(enc.start(command(QStringLiteral(FAKE_ENCODER_DIES))));
    const QByteArray output = pump(enc, streamingWavHeader(44100, 2) + audiotest::sinePcm(440, 5 * 44100));
    EXPECT_EQ(output, QByteArray("partial"));
    ASSERT_TRUE(enc.waitExit(5s));
    EXPECT_FALSE(enc.exitedCleanly());
    EXPECT_EQ(enc.errorTail(), QStringLiteral("fake encoder: cannot go on")); // for the technician's log
}

TEST_F(EncoderProcessTest, neverBlocksOnEncoderThatHangsAndKillsIt) {
    EncoderProcess enc;
    ASSERT_TRUE(enc.start(command(QStringLiteral(FAKE_ENCODER_HANGS))));
    const pid_t pid = enc.pid();
    // More than the pipe holds: the writes must give up, not hang.
    const QByteArray block = audiotest::sinePcm(440, 44100);
    long taken = 0;
    for (int i = 0; i < 4; ++i)
        taken += std::max(0L, enc.write(block.constData(), static_cast<std::size_t>(block.size())));
    EXPECT_LT(taken, 4 * block.size());
    enc.closeInput();
    EXPECT_FALSE(enc.waitExit(300ms));
    enc.kill();
    EXPECT_TRUE(enc.hasExited());
    EXPECT_FALSE(enc.exitedCleanly());
    EXPECT_TRUE(processGone(pid));
}

TEST_F(EncoderProcessTest, refusesProgramThatCannotBeStarted) {
    EncoderProcess enc;
    EXPECT_FALSE(enc.start(command(path("no-such-encoder"))));
    EXPECT_EQ(enc.inputFd(), -1);
}

TEST_F(EncoderProcessTest, destructorLeavesNoProcessBehind) {
    pid_t pid = -1;
    {
        EncoderProcess enc;
        ASSERT_TRUE(enc.start(command(QStringLiteral(FAKE_ENCODER_HANGS))));
        pid = enc.pid();
    }
    EXPECT_TRUE(processGone(pid));
}
