#include "tools/AudioCommands.h"

#include "support/AudioDiskDriver.h"
#include "support/AudioSignals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sndfile.h>

#include <cstdio>

namespace {

class AudioCommandsTest : public ::testing::Test {
protected:
    AudioCommandsTest() : driver(dir.path()) {}
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    std::string path(const char* name) const {
        return QDir(dir.path()).filePath(QString::fromUtf8(name)).toStdString();
    }
    // Runs a subcommand; its standard output goes to `printed`.
    int run(const char* name, const tools::Args& args) {
        for (const auto& c : tools::audioCommands()) {
            if (std::string(c.name) == name) {
                testing::internal::CaptureStdout();
                const int rc = c.run(args);
                std::fflush(stdout);
                printed = testing::internal::GetCapturedStdout();
                return rc;
            }
        }
        ADD_FAILURE() << "no command " << name;
        return -1;
    }

    QTemporaryDir dir;
    audiotest::AudioDiskDriver driver;
    std::string printed;
};

} // namespace

TEST_F(AudioCommandsTest, offersRecordLengthAndPlay) {
    std::vector<std::string> names;
    for (const auto& c : tools::audioCommands())
        names.emplace_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"record", "length", "play"}));
}

TEST_F(AudioCommandsTest, lengthPrintsSecondsWithThreeDecimals) {
    ASSERT_TRUE(audiotest::writeSoundFile(QString::fromStdString(path("a.wav")), audiotest::sinePcm(440, 54440),
                                          SF_FORMAT_WAV));
    EXPECT_EQ(run("length", {path("a.wav")}), 0);
    EXPECT_EQ(printed, "1.234\n");
}

TEST_F(AudioCommandsTest, lengthFailsOnMissingFileAndWrongArguments) {
    EXPECT_EQ(run("length", {path("none.ogg")}), 1);
    EXPECT_EQ(printed, "");
    EXPECT_EQ(run("length", {}), 2);
    EXPECT_EQ(run("record", {path("x.ogg")}), 2);
    EXPECT_EQ(run("record", {path("x.ogg"), "soon"}), 2);
    EXPECT_EQ(run("play", {}), 2);
}

TEST_F(AudioCommandsTest, recordWritesOggFileAndPrintsItsLength) {
    driver.setInput(audiotest::sinePcm(440, 44100));
    EXPECT_EQ(run("record", {path("my answer.ogg"), "0.3"}), 0);
    const double seconds = std::stod(printed);
    EXPECT_GT(seconds, 0.0);
    EXPECT_LT(seconds, 1.0);
    const auto sound = audiotest::decodeFile(QString::fromStdString(path("my answer.ogg")));
    ASSERT_TRUE(sound.ok);
    EXPECT_NEAR(static_cast<double>(sound.frames()) / 44100.0, seconds, 0.001);
}

TEST_F(AudioCommandsTest, recordReportsMissingMicrophone) {
    driver.removeInput();
    EXPECT_EQ(run("record", {path("x.ogg"), "0.1"}), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path("x.ogg"))));
}

TEST_F(AudioCommandsTest, playPlaysFileToItsEnd) {
    const QByteArray pcm = audiotest::constantPcm(1234, 4410);
    ASSERT_TRUE(audiotest::writeSoundFile(QString::fromStdString(path("a.wav")), pcm, SF_FORMAT_WAV));
    EXPECT_EQ(run("play", {path("a.wav")}), 0);
    EXPECT_TRUE(driver.output().contains(pcm));
}
