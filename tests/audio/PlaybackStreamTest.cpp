#include "audio/PlaybackStream.h"

#include "support/AudioSignals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace audio;

namespace {

class PlaybackStreamTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return QDir(m_dir.path()).filePath(QString::fromUtf8(name)); }
    std::unique_ptr<PlaybackStream> open(const QString& p) {
        ErrorCode error = ErrorCode::Ok;
        auto s = PlaybackStream::open(p, error);
        m_error = error;
        return s;
    }
    // Everything the stream puts out until it ends.
    static std::vector<std::int32_t> drain(PlaybackStream& s) {
        std::vector<std::int32_t> all;
        std::vector<std::int32_t> block(1024 * 2);
        s.setPlaying(true);
        for (int guard = 0; guard < 100000; ++guard) {
            std::fill(block.begin(), block.end(), 0);
            const bool more = s.mixInto(block.data(), 1024);
            all.insert(all.end(), block.begin(), block.end());
            if (!more)
                break;
        }
        return all;
    }
    QTemporaryDir m_dir;
    ErrorCode m_error = ErrorCode::Ok;
};

} // namespace

TEST_F(PlaybackStreamTest, givesLengthInBytesAndSecondsOfEveryFormatTheStationPlays) {
    const int frames = 3 * 44100 + 123;
    const QByteArray pcm = audiotest::sinePcm(330, frames);
    const struct {
        const char* name;
        int format;
    } cases[] = {{"a.wav", SF_FORMAT_WAV}, {"a.flac", SF_FORMAT_FLAC}, {"a.ogg", SF_FORMAT_OGG}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(audiotest::writeSoundFile(path(c.name), pcm, c.format));
        auto s = open(path(c.name));
        ASSERT_TRUE(s);
        EXPECT_EQ(s->lengthBytes(), static_cast<std::uint64_t>(frames) * 4u);
        EXPECT_DOUBLE_EQ(s->bytesToSeconds(s->lengthBytes()), frames / 44100.0);
    }
}

TEST_F(PlaybackStreamTest, measuresMp3ByTheFramesItDecodesTo) {
    const QByteArray pcm = audiotest::sinePcm(440, 5 * 22050, 12000, 22050, 1);
    if (!audiotest::writeSoundFile(path("kit.mp3"), pcm, SF_FORMAT_MPEG, 22050, 1))
        GTEST_SKIP() << "this libsndfile cannot write MP3";
    auto s = open(path("kit.mp3"));
    ASSERT_TRUE(s);
    const auto decoded = audiotest::decodeFile(path("kit.mp3"));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(s->frames(), decoded.frames());
    EXPECT_EQ(s->lengthBytes(), static_cast<std::uint64_t>(decoded.frames()) * 2u);
    EXPECT_NEAR(s->bytesToSeconds(s->lengthBytes()), 5.0, 0.1);
}

TEST_F(PlaybackStreamTest, putsOutDecodedSamplesUnchangedForDeviceFormat) {
    const QByteArray pcm = audiotest::sinePcm(1000, 10000);
    ASSERT_TRUE(audiotest::writeSoundFile(path("a.wav"), pcm, SF_FORMAT_WAV));
    auto s = open(path("a.wav"));
    ASSERT_TRUE(s);
    const auto out = drain(*s);
    const auto* in = reinterpret_cast<const std::int16_t*>(pcm.constData());
    ASSERT_GE(out.size(), 20000u);
    for (std::size_t i = 0; i < 20000; ++i)
        ASSERT_EQ(out[i], in[i]) << "sample " << i;
    for (std::size_t i = 20000; i < out.size(); ++i)
        ASSERT_EQ(out[i], 0) << "sample " << i;
    EXPECT_FALSE(s->playing());
    EXPECT_TRUE(s->ended());
}

TEST_F(PlaybackStreamTest, convertsMonoAtOtherRateToStereoAt44100) {
    const QByteArray pcm = audiotest::sinePcm(200, 22050, 12000, 22050, 1);
    ASSERT_TRUE(audiotest::writeSoundFile(path("m.wav"), pcm, SF_FORMAT_WAV, 22050, 1));
    auto s = open(path("m.wav"));
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->bytesToSeconds(s->lengthBytes()), 1.0);
    const auto out = drain(*s);
    std::size_t lastSound = 0;
    bool channelsEqual = true;
    for (std::size_t f = 0; f + 1 < out.size(); f += 2) {
        channelsEqual = channelsEqual && out[f] == out[f + 1];
        if (out[f] != 0)
            lastSound = f / 2;
    }
    EXPECT_TRUE(channelsEqual);
    EXPECT_NEAR(static_cast<double>(lastSound), 44100.0, 300.0);
}

TEST_F(PlaybackStreamTest, rewindPlaysFromStartAgain) {
    ASSERT_TRUE(audiotest::writeSoundFile(path("a.wav"), audiotest::sinePcm(1000, 3000), SF_FORMAT_WAV));
    auto s = open(path("a.wav"));
    ASSERT_TRUE(s);
    const auto first = drain(*s);
    s->rewind();
    EXPECT_FALSE(s->ended());
    EXPECT_EQ(drain(*s), first);
}

TEST_F(PlaybackStreamTest, tellsMissingFileFromUndecodableOne) {
    EXPECT_FALSE(open(path("missing.ogg")));
    EXPECT_EQ(m_error, ErrorCode::FileOpen);
    QFile f(path("broken.ogg"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is no sound at all, just text pretending to be a file");
    f.close();
    EXPECT_FALSE(open(path("broken.ogg")));
    EXPECT_EQ(m_error, ErrorCode::FileFormat);
}
