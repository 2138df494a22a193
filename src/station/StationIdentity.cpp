#include "station/StationIdentity.h"

#include "station/Digits.h"

namespace {

bool forbiddenInFolderName(QChar c) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    return c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control ||
           c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph || forbidden.contains(c);
}

} // namespace

QString StationIdentity::compose(const QString& examDate, const QString& subjId, const QString& schoolText,
                                 const QString& audText, const QString& compText) {
    const QChar sep = QLatin1Char('_');
    return folderSafe(examDate) + sep + folderSafe(subjId) + sep + schoolNumber(schoolText) + sep +
           auditoriumNumber(audText) + sep + folderSafe(compText);
}

QString StationIdentity::schoolNumber(const QString& text) {
    return fixedDigits(text, 6);
}

QString StationIdentity::auditoriumNumber(const QString& text) {
    return fixedDigits(text, 4);
}

QString StationIdentity::fixedDigits(const QString& text, int width) {
    // The fields admit digits only and are cut to width; anything else counts as zero
    // (the continue action is disabled for it anyway).
    qint64 value = 0;
    if (!text.isEmpty() && text.size() <= 18 && isAsciiDigits(text))
        value = text.toLongLong();
    qint64 offset = 1;
    for (int i = 0; i < width; ++i)
        offset *= 10;
    // Characters 2 to width+1 of value + 10^width: the low width digits, zero-padded.
    return QString::number(value % offset + offset).mid(1, width);
}

QString StationIdentity::folderSafe(const QString& piece) {
    QString safe;
    // A name longer than the file system allows would make every recording fail.
    const QString kept = piece.left(kMaxPieceLength);
    safe.reserve(kept.size());
    for (const QChar c : kept)
        safe += forbiddenInFolderName(c) ? kReplacement : c;
    return safe;
}

bool StationIdentity::isUsableNumber(const QString& text) {
    return !text.isEmpty() && text != QLatin1String("0") && isAsciiDigits(text);
}
