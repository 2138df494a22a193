#pragma once

#include "station/RecordingDecoder.h"

#include <QString>
#include <QStringList>

#include <vector>

// The end-of-day check of a station folder (Answer_<stationTag>): for every answer
// folder, in code order, whether the three recordings play whole and how long they are (or
// how much of one cut short still plays, or that it can be recovered), and the choice
// answers read back from the answers file. One line per examinee made of the
// code and space-separated key=value pairs, then "complete N incomplete M", so that an
// organiser can read it and a program can parse it. Reads files only; any thread.
class StationReport {
public:
    enum class AnswersState { Missing, Broken, Read };

    struct Examinee {
        QString code;
        RecordingDecoder::Result codeRecording; // StudID_0.ogg
        RecordingDecoder::Result task2;         // StudID_2.ogg
        RecordingDecoder::Result task3;         // StudID_3.ogg
        AnswersState answersState = AnswersState::Missing;
        QStringList answers; // a1..a6 when Read

        // All three recordings play whole, none waits for recovery, and the answers file reads.
        bool complete() const;
        QString line() const;
    };

    static StationReport inspect(const QString& stationFolder);

    // False when the folder is missing or is not named Answer_<tag>.
    bool isStationFolder() const { return m_isStationFolder; }
    const std::vector<Examinee>& examinees() const { return m_examinees; }
    // Null when the station holds no answer folder of that code.
    const Examinee* find(const QString& code) const;
    int completeCount() const;
    int incompleteCount() const;

    // The examinee lines and the summary line, without line ends.
    QStringList lines() const;
    // What the organiser should look at besides: interrupted answers and their leftovers,
    // and entries that belong to no examinee.
    const QStringList& notes() const { return m_notes; }
    // 0 when nothing is incomplete, 1 otherwise, 2 when the folder is not a station folder.
    int exitStatus() const;

private:
    static Examinee inspectAnswerFolder(const QString& folder, const QString& code);
    static void readAnswers(const QString& path, Examinee& examinee);
    void noteAnswerFolder(const QString& folder, const Examinee& e);

    bool m_isStationFolder = false;
    std::vector<Examinee> m_examinees;
    QStringList m_notes;
};
