#include "station/ExamProgress.h"

#include "station/StationFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kStation = QStringLiteral("25.05.2019_3_000123_0007_2");

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ExamProgress, resumesAtTheFirstMissingAnswerWithTheAnswersSoFar) {
    QTemporaryDir work;
    const StationFolders folders(work.path(), kStation, QStringLiteral("0042"));
    ASSERT_TRUE(folders.ensureExist());
    // Nothing written yet, or a file that is not ours: from the code recording.
    EXPECT_EQ(ExamProgress::load(folders).resumeStage(), StageCode::CodeRecording);
    ASSERT_TRUE(writeBytes(ExamProgress::path(folders), QByteArray("\0\xff garbage=\n=x\ndone=7 abc 1000", 29)));
    EXPECT_EQ(ExamProgress::load(folders).resumeStage(), StageCode::CodeRecording);

    using enum StageCode;
    const struct {
        QList<StageCode> ended;
        StageCode resumeAt;
    } cases[] = {
        {{CodeRecording}, ListeningPreparation},
        {{CodeRecording, ListeningTask}, SpokenPreparation},
        {{CodeRecording, ListeningTask, SpokenAnswer}, PhotoChoice},
        {{CodeRecording, ListeningTask, SpokenAnswer, PhotoAnswerNoPhoto}, ChoiceTask4},
        {{CodeRecording, ListeningTask, SpokenAnswer, PhotoAnswer3, ChoiceTask4, ChoiceTask5}, ChoiceTask6},
        {{CodeRecording, ListeningTask, SpokenAnswer, PhotoAnswer1, ChoiceTask4, ChoiceTask5, ChoiceTask6}, Review},
        // Stages that answer nothing do not count.
        {{CodeRecording, ListeningPreparation, SpokenPreparation, PhotoChoice}, ListeningPreparation},
    };
    for (const auto& c : cases) {
        ExamProgress progress;
        for (StageCode code : c.ended)
            progress.markDone(code);
        progress.answers = QStringList{"20133", "", "", "21043", "", "x\ny"};
        ASSERT_TRUE(progress.save(folders, nullptr));
        const ExamProgress back = ExamProgress::load(folders);
        EXPECT_EQ(back.resumeStage(), c.resumeAt) << readAll(ExamProgress::path(folders)).toStdString();
        EXPECT_EQ(back.answers, QStringList({"20133", "", "", "21043", "", "xy"}));
    }
    // Only the file itself, replaced whole each time.
    EXPECT_EQ(QDir(folders.answerFolder()).entryList(QDir::Files), QStringList{QStringLiteral("0042.progress")});
}

TEST(ExamProgress, setsEveryAttemptOfARecordingAsideUnderItsOwnName) {
    QTemporaryDir work;
    const StationFolders folders(work.path(), kStation, QStringLiteral("0042"));
    ASSERT_TRUE(folders.ensureExist());
    ASSERT_TRUE(writeBytes(folders.answerFile(QStringLiteral("_0.ogg")), "code"));
    ASSERT_TRUE(writeBytes(folders.answerFile(QStringLiteral("_2.ogg")), "first"));
    ASSERT_TRUE(writeBytes(folders.answerFile(QStringLiteral("_3.ogg.pcm.tmp")), "raw")); // no file yet, only sound

    QStringList kept;
    ASSERT_TRUE(ExamProgress::setAsideRecordings(folders, StageCode::SpokenPreparation, &kept, nullptr));
    EXPECT_EQ(kept, QStringList({"0042_2_interrupted.ogg", "0042_3_interrupted.ogg"}));
    // The second interruption of the same task keeps the first one's file too.
    ASSERT_TRUE(writeBytes(folders.answerFile(QStringLiteral("_2.ogg")), "second"));
    kept.clear();
    ASSERT_TRUE(ExamProgress::setAsideRecordings(folders, StageCode::SpokenPreparation, &kept, nullptr));
    EXPECT_EQ(kept, QStringList{"0042_2_interrupted2.ogg"});

    EXPECT_EQ(QDir(folders.answerFolder()).entryList(QDir::Files, QDir::Name),
              QStringList({"0042_0.ogg", "0042_2_interrupted.ogg", "0042_2_interrupted2.ogg",
                           "0042_3_interrupted.ogg.pcm.tmp"}));
    EXPECT_EQ(readAll(folders.answerFile(QStringLiteral("_2_interrupted.ogg"))), "first");
    EXPECT_EQ(readAll(folders.answerFile(QStringLiteral("_2_interrupted2.ogg"))), "second");
    EXPECT_EQ(ExamProgress::keptRecordings(folders, QStringLiteral("_2.ogg")),
              QStringList({"0042_2_interrupted.ogg", "0042_2_interrupted2.ogg"}));
    EXPECT_TRUE(ExamProgress::keptRecordings(folders, QStringLiteral("_3.ogg")).isEmpty()); // only its raw sound yet

    for (const char* name : {"0042_2_interrupted.ogg", "0042_2_interrupted2.ogg", "0042_3_interrupted.ogg.pcm.tmp",
                             "0042_0_interrupted.ogg.redo.tmp"})
        EXPECT_TRUE(ExamProgress::isKeptRecording(QStringLiteral("0042"), QString::fromLatin1(name))) << name;
    for (const char* name : {"0043_2_interrupted.ogg", "0042_1_interrupted.ogg", "0042_2_interrupted1.ogg",
                             "0042_2_interrupted.ogg.bak", "0042_2.ogg"})
        EXPECT_FALSE(ExamProgress::isKeptRecording(QStringLiteral("0042"), QString::fromLatin1(name))) << name;
}
