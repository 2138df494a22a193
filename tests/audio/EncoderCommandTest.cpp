#include "audio/EncoderCommand.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace audio;

namespace {

// Puts an executable file named like the encoder into dir.
QString placeEncoder(const QString& dir) {
    const QString path = QDir(dir).filePath(encoderFileName());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

} // namespace

TEST(EncoderCommand, passesOutputNameAsOneArgumentBetweenOptionAndStdinMarker) {
    const QString name = QDir::temp().filePath(QStringLiteral("Answer_2019 05 20/0042/0042_2.ogg"));
    const EncoderCommand cmd = encoderCommand(QStringLiteral("/usr/bin/oggenc"), QStringLiteral("/work"), name);
    EXPECT_EQ(cmd.program, QStringLiteral("/usr/bin/oggenc"));
    EXPECT_EQ(cmd.workingDir, QStringLiteral("/work"));
    ASSERT_EQ(cmd.arguments.size(), 3);
    EXPECT_EQ(cmd.arguments[0], QStringLiteral("-o"));
    EXPECT_EQ(cmd.arguments[1], name);
    EXPECT_EQ(cmd.arguments[2], QStringLiteral("-"));
}

TEST(EncoderCommand, resolvesRelativeOutputAgainstCurrentFolderNotEncoderFolder) {
    const EncoderCommand cmd =
        encoderCommand(QStringLiteral("/usr/bin/oggenc"), QStringLiteral("/elsewhere"), QStringLiteral("test.ogg"));
    EXPECT_EQ(cmd.arguments[1], QDir::current().absoluteFilePath(QStringLiteral("test.ogg")));
}

TEST(EncoderCommand, prefersEncoderInWorkingFolderOverSearchPath) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString local = placeEncoder(dir.path());
    EXPECT_EQ(findEncoder(dir.path()), QFileInfo(local).absoluteFilePath());
}

TEST(EncoderCommand, fallsBackToSearchPathAndFindsNothingWithoutEither) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray savedPath = qgetenv("PATH");
    QTemporaryDir pathDir;
    const QString onPath = placeEncoder(pathDir.path());
    qputenv("PATH", QFile::encodeName(pathDir.path()));
    EXPECT_EQ(findEncoder(dir.path()), onPath);
    qputenv("PATH", QFile::encodeName(dir.path()));
    EXPECT_TRUE(findEncoder(dir.path()).isEmpty());
    qputenv("PATH", savedPath);
}

TEST(EncoderCommand, ignoresNonExecutableFileInWorkingFolder) {
    QTemporaryDir dir;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.path() + QStringLiteral("/none")));
    QFile f(QDir(dir.path()).filePath(encoderFileName()));
    f.open(QIODevice::WriteOnly);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(findEncoder(dir.path()).isEmpty());
    qputenv("PATH", savedPath);
}

TEST(EncoderCommand, writesWavHeaderForStereo16BitStreamOfUnknownLength) {
    const QByteArray h = streamingWavHeader(44100, 2);
    ASSERT_EQ(h.size(), 44);
    EXPECT_EQ(h.left(4), QByteArray("RIFF"));
    EXPECT_EQ(h.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(h.mid(36, 4), QByteArray("data"));
    auto u32 = [&h](int at) {
        return qFromLittleEndian<quint32>(h.constData() + at);
    };
    auto u16 = [&h](int at) {
        return qFromLittleEndian<quint16>(h.constData() + at);
    };
    EXPECT_EQ(u32(16), 16u);
    EXPECT_EQ(u16(20), 1u);          // PCM
    EXPECT_EQ(u16(22), 2u);          // channels
    EXPECT_EQ(u32(24), 44100u);      // rate
    EXPECT_EQ(u32(28), 44100u * 4u); // bytes per second
    EXPECT_EQ(u16(32), 4u);          // block align
    EXPECT_EQ(u16(34), 16u);         // bits
    EXPECT_EQ(u32(40), 0xFFFFFFFFu); // read to the end of input
}
