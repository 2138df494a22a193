#include "audio/EncoderCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

namespace audio {

QString encoderFileName() {
#ifdef Q_OS_WIN
    return QStringLiteral("oggenc.exe");
#else
    return QStringLiteral("oggenc");
#endif
}

QString findEncoder(const QString& workingDir) {
    const QFileInfo local(QDir(workingDir).filePath(encoderFileName()));
    if (local.isFile() && local.isExecutable())
        return local.absoluteFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("oggenc"));
}

EncoderCommand encoderCommand(const QString& program, const QString& workingDir, const QString& outputFile) {
    return {program, {QStringLiteral("-o"), QFileInfo(outputFile).absoluteFilePath(), QStringLiteral("-")}, workingDir};
}

EncoderCommand streamingEncoderCommand(const QString& program, const QString& workingDir) {
    // Quiet: its error output then holds what went wrong, not a progress display.
    return {
        program, {QStringLiteral("-Q"), QStringLiteral("-o"), QStringLiteral("-"), QStringLiteral("-")}, workingDir};
}

QByteArray streamingWavHeader(int sampleRate, int channels) {
    QByteArray h(44, '\0');
    auto put32 = [&h](int at, quint32 v) {
        qToLittleEndian(v, h.data() + at);
    };
    auto put16 = [&h](int at, quint16 v) {
        qToLittleEndian(v, h.data() + at);
    };
    const quint16 blockAlign = static_cast<quint16>(channels * 2);
    // The sizes are unknown while recording; the largest values tell the
    // encoder to read until the end of its input.
    h.replace(0, 4, "RIFF");
    put32(4, 0xFFFFFFFFu);
    h.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1); // PCM
    put16(22, static_cast<quint16>(channels));
    put32(24, static_cast<quint32>(sampleRate));
    put32(28, static_cast<quint32>(sampleRate) * blockAlign);
    put16(32, blockAlign);
    put16(34, 16);
    h.replace(36, 4, "data");
    put32(40, 0xFFFFFFFFu);
    return h;
}

} // namespace audio
