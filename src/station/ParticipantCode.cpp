#include "station/ParticipantCode.h"

#include "station/StationFolders.h"
#include "station/Digits.h"

#include <QFileInfo>

namespace {

constexpr int kCodeLength = 4;
const QString kLineBreak = QStringLiteral("\n\r");

} // namespace

const QString ParticipantCode::kWrongLength = QStringLiteral("Код участника должен состоять из 4 цифр");
const QString ParticipantCode::kAlreadyUsed = QStringLiteral("Участник с таким кодом уже отвечал на данной станции");
const QString ParticipantCode::kRefused = QStringLiteral("Некорректный код участника!");

ParticipantCode::Verdict ParticipantCode::check(const QString& code, const QString& workDir, const QString& stationTag,
                                                QString& errorText) {
    // Anything but four digits would name another folder than the one the code's answers
    // go to, so the used-code check would look in the wrong place.
    if (code.size() != kCodeLength || !isAsciiDigits(code)) {
        errorText += kLineBreak + kWrongLength;
        return Verdict::Refused;
    }
    const StationFolders folders(workDir, stationTag, code);
    if (!folders.answerFolderExists())
        return Verdict::Accepted;
    // Without its answers file the examinee never reached the end: a power cut or a crash
    // stopped the work, and the organiser may let it go on. Anything of that name counts.
    if (!QFileInfo::exists(folders.answerFile(QStringLiteral("_0.ans"))))
        return Verdict::Interrupted;
    errorText += kLineBreak + kAlreadyUsed;
    return Verdict::Refused;
}

QString ParticipantCode::studId(const QString& code) {
    return QString::number(code.toInt() % 10000 + 10000).mid(1, kCodeLength);
}

QString ParticipantCode::variantFor(const QString& code) {
    if (code.startsWith(QLatin1String("000")))
        return QStringLiteral("0");
    return code.toInt() % 2 != 0 ? QStringLiteral("1") : QStringLiteral("2");
}
