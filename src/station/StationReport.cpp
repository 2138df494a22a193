#include "station/StationReport.h"

#include "kit/Cp1251.h"
#include "kit/MemTable.h"
#include "kit/StationTables.h"
#include "kit/TableStream.h"
#include "station/ExamProgress.h"
#include "station/StationLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace {

bool isCode(const QString& name) {
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    return fourDigits.match(name).hasMatch();
}

QString seconds(double value) {
    return QString::number(value, 'f', 1);
}

// One word or "word:seconds", never a blank: the line stays a list of key=value pairs.
QString recordingValue(const RecordingDecoder::Result& r) {
    if (r.interrupted)
        return QStringLiteral("recoverable:") + seconds(r.rawSeconds);
    switch (r.state) {
    case RecordingDecoder::State::Missing:
        return QStringLiteral("missing");
    case RecordingDecoder::State::Empty:
        return QStringLiteral("empty");
    case RecordingDecoder::State::Unreadable:
        return QStringLiteral("broken");
    case RecordingDecoder::State::CutShort:
        return QStringLiteral("cut-short:") + seconds(r.seconds);
    case RecordingDecoder::State::Decoded:
        break;
    }
    return (r.silent ? QStringLiteral("silent:") : QString()) + seconds(r.seconds);
}

QString fileState(const RecordingDecoder::Result& r) {
    switch (r.state) {
    case RecordingDecoder::State::Missing:
        return QStringLiteral("is missing");
    case RecordingDecoder::State::Empty:
        return QStringLiteral("holds no sound");
    case RecordingDecoder::State::Unreadable:
        return QStringLiteral("does not open");
    case RecordingDecoder::State::CutShort:
        return QStringLiteral("plays %1 s, cut short").arg(seconds(r.seconds));
    case RecordingDecoder::State::Decoded:
        break;
    }
    return QStringLiteral("plays %1 s").arg(seconds(r.seconds));
}

// A value never breaks the line apart: blanks and control characters become "?".
QString printable(QString value) {
    for (QChar& c : value) {
        if (c.isSpace() || !c.isPrint() || c == QLatin1Char('='))
            c = QLatin1Char('?');
    }
    return value;
}

} // namespace

bool StationReport::Examinee::complete() const {
    const auto whole = [](const RecordingDecoder::Result& r) {
        return r.state == RecordingDecoder::State::Decoded && !r.interrupted;
    };
    return whole(codeRecording) && whole(task2) && whole(task3) && answersState == AnswersState::Read;
}

QString StationReport::Examinee::line() const {
    QStringList parts{code, QStringLiteral("code=") + recordingValue(codeRecording),
                      QStringLiteral("task2=") + recordingValue(task2),
                      QStringLiteral("task3=") + recordingValue(task3)};
    switch (answersState) {
    case AnswersState::Missing:
        parts << QStringLiteral("answers=missing");
        break;
    case AnswersState::Broken:
        parts << QStringLiteral("answers=broken");
        break;
    case AnswersState::Read:
        for (int i = 0; i < answers.size(); ++i)
            parts << QString::fromLatin1(kit::kAnswerFields[i]) + QLatin1Char('=') + printable(answers[i]);
        break;
    }
    return parts.join(QLatin1Char(' '));
}

StationReport StationReport::inspect(const QString& stationFolder) {
    StationReport report;
    const QFileInfo info(stationFolder);
    const QDir station(info.absoluteFilePath());
    if (!info.isDir() || !station.dirName().startsWith(QStringLiteral("Answer_")))
        return report;
    report.m_isStationFolder = true;
    const QFileInfoList entries =
        station.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && isCode(entry.fileName()))
            report.m_examinees.push_back(inspectAnswerFolder(entry.absoluteFilePath(), entry.fileName()));
        else if (entry.isFile() && StationLog::isLogFileName(entry.fileName()))
            continue; // the technician's log lives beside the answers
        else
            report.m_notes << QStringLiteral("stray entry in the station folder: ") + entry.fileName();
    }
    std::sort(report.m_examinees.begin(), report.m_examinees.end(),
              [](const Examinee& a, const Examinee& b) { return a.code < b.code; });
    for (const Examinee& e : report.m_examinees)
        report.noteAnswerFolder(station.filePath(e.code), e);
    return report;
}

void StationReport::noteAnswerFolder(const QString& folder, const Examinee& e) {
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList known{e.code + QStringLiteral("_0.ans"), ExamProgress::fileName(e.code)};
    const std::pair<const char*, const RecordingDecoder::Result*> recordings[] = {
        {"_0.ogg", &e.codeRecording}, {"_2.ogg", &e.task2}, {"_3.ogg", &e.task3}};
    for (const auto& [suffix, result] : recordings) {
        const QString name = e.code + QString::fromLatin1(suffix);
        const QString path = dir.filePath(name);
        // The recorder keeps these beside an answer until it is whole: part of the answer, not strays.
        known << name << RecordingDecoder::rawSoundPath(name) << RecordingDecoder::reencodingPath(name);
        const QString shown = e.code + QLatin1Char('/') + name;
        if (result->interrupted) {
            m_notes << QStringLiteral("interrupted answer that can be recovered: %1 (%2 s of raw sound kept in %3; "
                                      "the file %4); the station recovers it when it starts")
                           .arg(shown, seconds(result->rawSeconds), RecordingDecoder::rawSoundPath(name),
                                fileState(*result));
        } else if (QFileInfo::exists(RecordingDecoder::reencodingPath(path))) {
            m_notes << QStringLiteral("leftover of an interrupted answer: %1 (its raw sound is gone, so the station "
                                      "cannot recover it; it may hold more of the answer than %2, which %3)")
                           .arg(RecordingDecoder::reencodingPath(shown), name, fileState(*result));
        }
        if (result->playable() && result->silent)
            m_notes << QStringLiteral("silent recording: %1 plays %2 s, all of it below the silence floor (-50 dBFS); "
                                      "check the headset and listen to it")
                           .arg(shown, seconds(result->seconds));
    }
    for (const QString& name : entries) {
        if (!ExamProgress::isKeptRecording(e.code, name))
            continue;
        known << name;
        if (!name.endsWith(QStringLiteral(".ogg")))
            continue; // its raw sound: the line of the recording says so
        const RecordingDecoder::Result kept = RecordingDecoder::decode(dir.filePath(name));
        m_notes << QStringLiteral("recording of interrupted work kept beside the answer: %1/%2 (%3%4)")
                       .arg(e.code, name, kept.interrupted ? QStringLiteral("recoverable, ") : QString(),
                            fileState(kept));
    }
    if (e.answersState == AnswersState::Missing && QFileInfo::exists(dir.filePath(ExamProgress::fileName(e.code))))
        m_notes << QStringLiteral("examinee %1 was interrupted: the station can resume the work where it stopped "
                                  "(type the code again)")
                       .arg(e.code);
    for (const QString& name : entries) {
        if (!known.contains(name))
            m_notes << QStringLiteral("stray file in the answer folder ") + e.code + QStringLiteral(": ") + name;
    }
}

StationReport::Examinee StationReport::inspectAnswerFolder(const QString& folder, const QString& code) {
    const QDir dir(folder);
    Examinee e;
    e.code = code;
    e.codeRecording = RecordingDecoder::decode(dir.filePath(code + QStringLiteral("_0.ogg")));
    e.task2 = RecordingDecoder::decode(dir.filePath(code + QStringLiteral("_2.ogg")));
    e.task3 = RecordingDecoder::decode(dir.filePath(code + QStringLiteral("_3.ogg")));
    readAnswers(dir.filePath(code + QStringLiteral("_0.ans")), e);
    return e;
}

void StationReport::readAnswers(const QString& path, Examinee& examinee) {
    const QFileInfo info(path);
    if (!info.exists()) {
        examinee.answersState = AnswersState::Missing;
        return;
    }
    examinee.answersState = AnswersState::Broken;
    kit::MemTable table;
    std::string error;
    if (!info.isFile() || !kit::loadTable(table, QFile::encodeName(path).toStdString(), &error))
        return;
    if (table.recordCount() < 1)
        return;
    table.first();
    QStringList values;
    for (const char* field : kit::kAnswerFields) {
        if (table.fieldIndex(field) < 0)
            return;
        values << QString::fromStdString(kit::cp1251ToUtf8(table.asText(field)));
    }
    examinee.answers = values;
    examinee.answersState = AnswersState::Read;
}

const StationReport::Examinee* StationReport::find(const QString& code) const {
    for (const Examinee& e : m_examinees) {
        if (e.code == code)
            return &e;
    }
    return nullptr;
}

int StationReport::completeCount() const {
    return static_cast<int>(
        std::count_if(m_examinees.begin(), m_examinees.end(), [](const Examinee& e) { return e.complete(); }));
}

int StationReport::incompleteCount() const {
    return static_cast<int>(m_examinees.size()) - completeCount();
}

QStringList StationReport::lines() const {
    QStringList result;
    for (const Examinee& e : m_examinees)
        result << e.line();
    result << QStringLiteral("complete %1 incomplete %2").arg(completeCount()).arg(incompleteCount());
    return result;
}

int StationReport::exitStatus() const {
    if (!m_isStationFolder)
        return 2;
    return incompleteCount() == 0 ? 0 : 1;
}
