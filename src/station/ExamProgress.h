#pragma once

#include "station/StageCode.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class StationFolders;

// How far an examinee got: which answering stages have ended and the choice answers so
// far. Kept in the answer folder (<code>.progress) from the first answer to the answers
// file, so that an examinee whose station stopped (a power cut, a crash) goes on where
// the work stopped instead of starting again or being turned away.
//
// The file is a few "key=value" lines, replaced whole at each write:
//   done=6 11 21        codes of the stages that ended, in the order they ended
//   a1=20133            the answers row, a1 to a6
class ExamProgress {
public:
    // The stages that leave an answer behind: the code recording, tasks 1 to 6.
    enum class Step { CodeRecording, Task1, Task2, Task3, Task4, Task5, Task6 };
    static constexpr int kStepCount = 7;
    inline static const QString kSuffix = QStringLiteral(".progress");

    // The step a stage answers, if any (every task-3 photo stage answers Task3).
    static std::optional<Step> stepOf(StageCode stage);
    // Where a step starts for an examinee who comes back to it: its preparation, if it has one.
    static StageCode firstStageOf(Step step);
    // "записи кода участника", "задания 1" … "задания 6", "просмотра ответов"
    static QString resumePointText(StageCode stage);

    static QString fileName(const QString& code) { return code + kSuffix; }
    // <answer folder>/<code>.progress
    static QString path(const StationFolders& folders);

    // Missing file: nothing done yet. A file that does not read counts as missing too:
    // the examinee then answers again from the start, beside what is kept.
    static ExamProgress load(const StationFolders& folders);
    // Written beside and renamed over: the old file stays whole if the write fails.
    bool save(const StationFolders& folders, QString* error) const;

    void markDone(StageCode stage);
    bool isDone(Step step) const;
    // The first stage whose answer is missing, or the review when all are there.
    StageCode resumeStage() const;

    // a1 to a6, as the answers table holds them (empty when not answered).
    QStringList answers = QStringList(6);

    // The recordings of a resumed examinee that are still to be made, as answer-file
    // suffixes (_0.ogg, _2.ogg, _3.ogg): what the stages from resumeAt on will write.
    static QStringList recordingsFrom(StageCode resumeAt);
    // Moves every file of each such recording (the answer, its raw sound and its
    // re-encoding) aside under the next free <code>_N_interrupted[K].ogg name, so that
    // the new recording overwrites nothing. Returns the names now kept; on failure *error
    // names the file and the reason, and what was moved stays moved (nothing is lost).
    static bool setAsideRecordings(const StationFolders& folders, StageCode resumeAt, QStringList* kept,
                                   QString* error);
    // Whether fileName is an interrupted recording kept beside the answer of suffix
    // (or one of its raw sound and re-encoding files), for the code.
    static bool isKeptRecording(const QString& code, const QString& fileName);
    // The kept recordings of the answer of suffix, oldest first (file names).
    static QStringList keptRecordings(const StationFolders& folders, const QString& suffix);

private:
    QList<StageCode> m_done;
};
