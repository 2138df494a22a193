#include "station/StationIdentity.h"

#include "station/Digits.h"

namespace {

bool forbiddenInFolderName(char32_t c) {
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    const QChar::Category category = QChar::category(c);
    return c < 0x20 || c == 0x7f || category == QChar::Other_Control || category == QChar::Other_Surrogate ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
           (c < 0x80 && forbidden.contains(QChar(c)));
}

int utf8Bytes(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
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
    // A name longer than the file system allows would make every recording fail, so the
    // cut counts the bytes the name takes on the disk, one whole character at a time.
    QString safe;
    int bytes = 0;
    for (qsizetype i = 0; i < piece.size();) {
        char32_t c = piece[i].unicode();
        qsizetype units = 1;
        if (piece[i].isHighSurrogate() && i + 1 < piece.size() && piece[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(piece[i], piece[i + 1]);
            units = 2;
        }
        const bool forbidden = forbiddenInFolderName(c);
        const int size = forbidden ? 1 : utf8Bytes(c);
        if (bytes + size > kMaxPieceBytes)
            break;
        if (forbidden)
            safe += kReplacement;
        else
            safe += piece.mid(i, units);
        bytes += size;
        i += units;
    }
    return safe;
}

bool StationIdentity::isUsableNumber(const QString& text) {
    return !text.isEmpty() && text != QLatin1String("0") && isAsciiDigits(text);
}
