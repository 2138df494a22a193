#include "audio/AnswerRecovery.h"

#include "audio/EncoderCommand.h"
#include "audio/EncoderProcess.h"
#include "audio/OggInspect.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

namespace audio {

namespace {

const char* const SpoolSuffix = ".pcm.tmp";
constexpr int FrameBytes = 4;

} // namespace

QStringList interruptedAnswers(const QString& folder) {
    std::multimap<qint64, QString> found;
    QDirIterator it(folder, {QStringLiteral("*.pcm.tmp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString spool = it.next();
        found.emplace(QFileInfo(spool).lastModified().toMSecsSinceEpoch(),
                      spool.left(spool.size() - static_cast<qsizetype>(qstrlen(SpoolSuffix))));
    }
    QStringList answers;
    for (const auto& [time, answer] : found)
        answers << answer;
    return answers;
}

ErrorCode recoverAnswer(const QString& answerPath, const QString& workingDir, const QString& encoderProgram) {
    QFile spool(answerPath + QString::fromLatin1(SpoolSuffix));
    if (!spool.open(QIODevice::ReadOnly))
        return ErrorCode::FileOpen;
    // Whole frames only: the cut may have come in the middle of one.
    const QByteArray pcm = spool.read(spool.size() - spool.size() % FrameBytes);
    const QString program = encoderProgram.isEmpty() ? findEncoder(workingDir) : encoderProgram;
    if (program.isEmpty())
        return ErrorCode::EncoderNotFound;
    EncoderProcess encoder;
    if (!encoder.start(streamingEncoderCommand(program, workingDir)))
        return ErrorCode::EncoderStart;

    const QString redo = answerPath + QStringLiteral(".redo.tmp");
    QFile out(redo);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return ErrorCode::FolderNotWritable;
    const QByteArray input = streamingWavHeader(44100, 2) + pcm;
    qsizetype fed = 0;
    bool inputClosed = false;
    char buffer[65536];
    for (;;) {
        if (!inputClosed && fed < input.size()) {
            const long w = encoder.write(input.constData() + fed, static_cast<std::size_t>(input.size() - fed));
            if (w < 0)
                return ErrorCode::EncoderFailed;
            fed += w;
        } else if (!inputClosed) {
            encoder.closeInput();
            inputClosed = true;
        }
        const long r = encoder.read(buffer, sizeof buffer);
        if (r < 0)
            break;
        if (r > 0 && out.write(buffer, r) != r) {
            out.remove();
            return ErrorCode::DiskFull;
        }
        if (r == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!out.flush() || !encoder.waitExit(std::chrono::seconds(15)) || !encoder.exitedCleanly()) {
        encoder.kill();
        out.remove();
        return ErrorCode::EncoderFailed;
    }
    out.close();
    const OggPages pages = scanOggPages(redo);
    if (!pages.endOfStream || pages.lastGranule < pcm.size() / FrameBytes) {
        QFile::remove(redo);
        return ErrorCode::EncoderFailed;
    }
    QFile::remove(answerPath);
    if (!QFile::rename(redo, answerPath))
        return ErrorCode::FolderNotWritable;
    spool.close();
    spool.remove();
    return ErrorCode::Ok;
}

} // namespace audio
