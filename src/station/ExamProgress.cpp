#include "station/ExamProgress.h"

#include "kit/AtomicFile.h"
#include "kit/StationTables.h"
#include "station/RecordingDecoder.h"
#include "station/StationFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>

namespace {

const QString kDoneKey = QStringLiteral("done");

// Far more than a station will ever see for one answer; a bound keeps the search finite.
constexpr int kMaxKept = 99;

QString keptSuffix(const QString& suffix, int number) {
    // "_2.ogg" -> "_2_interrupted.ogg", then "_2_interrupted2.ogg", ...
    QString base = suffix;
    base.chop(4);
    return base + QStringLiteral("_interrupted") + (number > 1 ? QString::number(number) : QString()) +
           QStringLiteral(".ogg");
}

// The answer's own file and what the recorder keeps beside it until it is whole.
QStringList filesOf(const QString& path) {
    return {path, RecordingDecoder::rawSoundPath(path), RecordingDecoder::reencodingPath(path)};
}

bool anyExists(const QStringList& paths) {
    for (const QString& path : paths) {
        if (QFileInfo::exists(path))
            return true;
    }
    return false;
}

} // namespace

std::optional<ExamProgress::Step> ExamProgress::stepOf(StageCode stage) {
    switch (stage) {
    case StageCode::CodeRecording:
        return Step::CodeRecording;
    case StageCode::ListeningTask:
        return Step::Task1;
    case StageCode::SpokenAnswer:
        return Step::Task2;
    case StageCode::PhotoAnswer1:
    case StageCode::PhotoAnswer2:
    case StageCode::PhotoAnswer3:
    case StageCode::PhotoAnswerNoPhoto:
        return Step::Task3;
    case StageCode::ChoiceTask4:
        return Step::Task4;
    case StageCode::ChoiceTask5:
        return Step::Task5;
    case StageCode::ChoiceTask6:
        return Step::Task6;
    default:
        return std::nullopt;
    }
}

StageCode ExamProgress::firstStageOf(Step step) {
    switch (step) {
    case Step::CodeRecording:
        return StageCode::CodeRecording;
    case Step::Task1:
        return StageCode::ListeningPreparation;
    case Step::Task2:
        return StageCode::SpokenPreparation;
    case Step::Task3:
        return StageCode::PhotoChoice; // the photo is chosen again: its choice is part of the preparation
    case Step::Task4:
        return StageCode::ChoiceTask4;
    case Step::Task5:
        return StageCode::ChoiceTask5;
    case Step::Task6:
        return StageCode::ChoiceTask6;
    }
    return StageCode::CodeRecording;
}

QString ExamProgress::resumePointText(StageCode stage) {
    switch (stage) {
    case StageCode::CodeRecording:
        return QStringLiteral("записи кода участника");
    case StageCode::ListeningPreparation:
        return QStringLiteral("задания № 1");
    case StageCode::SpokenPreparation:
        return QStringLiteral("задания № 2");
    case StageCode::PhotoChoice:
        return QStringLiteral("задания № 3");
    case StageCode::ChoiceTask4:
        return QStringLiteral("задания № 4");
    case StageCode::ChoiceTask5:
        return QStringLiteral("задания № 5");
    case StageCode::ChoiceTask6:
        return QStringLiteral("задания № 6");
    default:
        return QStringLiteral("просмотра ответов");
    }
}

QString ExamProgress::path(const StationFolders& folders) {
    return folders.answerFile(kSuffix);
}

ExamProgress ExamProgress::load(const StationFolders& folders) {
    ExamProgress progress;
    QFile file(path(folders));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return progress;
    // Small by construction; anything longer is not ours.
    const QByteArray data = file.read(64 * 1024);
    for (const QByteArray& rawLine : data.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq);
        const QString value = line.mid(eq + 1);
        if (key == kDoneKey) {
            for (const QString& number : value.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                bool ok = false;
                const int code = number.toInt(&ok);
                if (ok && stepOf(StageCode{code}))
                    progress.markDone(StageCode{code});
            }
            continue;
        }
        for (int i = 0; i < 6; ++i) {
            if (key == QLatin1String(kit::kAnswerFields[i]))
                progress.answers[i] = value.left(20); // a field of the answers table holds 20
        }
    }
    return progress;
}

bool ExamProgress::save(const StationFolders& folders, QString* error) const {
    QStringList lines;
    QStringList done;
    for (StageCode code : m_done)
        done << QString::number(static_cast<int>(code));
    lines << kDoneKey + QLatin1Char('=') + done.join(QLatin1Char(' '));
    for (int i = 0; i < 6; ++i) {
        QString value = answers.value(i);
        value.remove(QLatin1Char('\n')).remove(QLatin1Char('\r')); // one line per key, always
        lines << QLatin1String(kit::kAnswerFields[i]) + QLatin1Char('=') + value;
    }
    const QByteArray data = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    std::string reason;
    const std::string target = QFile::encodeName(path(folders)).toStdString();
    if (kit::writeFileAtomically(target, std::string_view(data.constData(), static_cast<std::size_t>(data.size())),
                                 &reason))
        return true;
    if (error)
        *error = QString::fromStdString(reason);
    return false;
}

void ExamProgress::markDone(StageCode stage) {
    const std::optional<Step> step = stepOf(stage);
    if (step && !isDone(*step))
        m_done << stage;
}

bool ExamProgress::isDone(Step step) const {
    for (StageCode code : m_done) {
        if (stepOf(code) == step)
            return true;
    }
    return false;
}

StageCode ExamProgress::resumeStage() const {
    for (int i = 0; i < kStepCount; ++i) {
        if (!isDone(Step(i)))
            return firstStageOf(Step(i));
    }
    return StageCode::Review;
}

QStringList ExamProgress::recordingsFrom(StageCode resumeAt) {
    const int at = static_cast<int>(resumeAt);
    QStringList suffixes;
    if (at <= static_cast<int>(StageCode::CodeRecording))
        suffixes << QStringLiteral("_0.ogg");
    if (at <= static_cast<int>(StageCode::SpokenPreparation))
        suffixes << QStringLiteral("_2.ogg");
    if (at <= static_cast<int>(StageCode::PhotoChoice))
        suffixes << QStringLiteral("_3.ogg");
    return suffixes;
}

bool ExamProgress::setAsideRecordings(const StationFolders& folders, StageCode resumeAt, QStringList* kept,
                                      QString* error) {
    for (const QString& suffix : recordingsFrom(resumeAt)) {
        const QStringList from = filesOf(folders.answerFile(suffix));
        if (!anyExists(from))
            continue;
        QStringList to;
        for (int number = 1; number <= kMaxKept && to.isEmpty(); ++number) {
            const QStringList candidate = filesOf(folders.answerFile(keptSuffix(suffix, number)));
            if (!anyExists(candidate))
                to = candidate;
        }
        if (to.isEmpty()) {
            if (error)
                *error = QStringLiteral("Не удаётся сохранить прерванную запись «%1»: слишком много прерванных записей")
                             .arg(QDir::toNativeSeparators(from.first()));
            return false;
        }
        for (int i = 0; i < from.size(); ++i) {
            if (!QFileInfo::exists(from[i]))
                continue;
            // A rename in one folder: the sound never exists twice nor nowhere.
            if (std::rename(QFile::encodeName(from[i]).constData(), QFile::encodeName(to[i]).constData()) != 0) {
                if (error)
                    *error =
                        QStringLiteral("Не удаётся сохранить прерванную запись «%1»: %2")
                            .arg(QDir::toNativeSeparators(from[i]), QString::fromStdString(kit::systemReason(errno)));
                return false;
            }
        }
        if (kept)
            *kept << QFileInfo(to.first()).fileName();
    }
    return true;
}

bool ExamProgress::isKeptRecording(const QString& code, const QString& fileName) {
    static const QRegularExpression kept(
        QStringLiteral("^([0-9]{4})_[023]_interrupted([2-9]|[1-9][0-9])?\\.ogg(\\.pcm\\.tmp|\\.redo\\.tmp)?$"));
    const QRegularExpressionMatch match = kept.match(fileName);
    return match.hasMatch() && match.captured(1) == code;
}

QStringList ExamProgress::keptRecordings(const StationFolders& folders, const QString& suffix) {
    QStringList names;
    for (int number = 1; number <= kMaxKept; ++number) {
        const QString kept = folders.answerFile(keptSuffix(suffix, number));
        if (QFileInfo::exists(kept))
            names << QFileInfo(kept).fileName();
        else if (!anyExists(filesOf(kept)))
            break;
    }
    return names;
}
