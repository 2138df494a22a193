#pragma once

#include <QString>

// The station identity (stationTag): exam date, subject id, the school number as six
// digits, the auditorium number as four digits and the station number, joined by "_".
// It names the station folder, so every piece is made safe for one folder name: the kit's
// texts can hold anything, and nothing may ever be written outside the working folder.
class StationIdentity {
public:
    // The replacement of a character that cannot stand in a folder name.
    static constexpr QChar kReplacement = QLatin1Char('-');
    // Longest piece kept, in bytes of its UTF-8 file name (the kit's date field holds 10
    // characters). Three pieces of it and the fixed parts stay far below the 255 bytes a
    // folder name may have, whatever script the kit is written in.
    static constexpr int kMaxPieceBytes = 64;

    static QString compose(const QString& examDate, const QString& subjId, const QString& schoolText,
                           const QString& audText, const QString& compText);

    // The integer value plus 1000000, characters 2 to 7: 123 gives "000123".
    static QString schoolNumber(const QString& text);
    // The integer value plus 10000, characters 2 to 5: 7 gives "0007".
    static QString auditoriumNumber(const QString& text);

    // The piece with path separators, the characters Windows forbids in names
    // (: * ? " < > |), control characters and unpaired surrogates replaced by
    // kReplacement; cut between characters to at most kMaxPieceBytes bytes of UTF-8.
    // The folder name starts with "Answer_", so it can never be "." or ".." itself.
    static QString folderSafe(const QString& piece);

    // A number field's text is usable when it holds digits only, is not empty and is not
    // exactly "0" ("00" passes and yields zero).
    static bool isUsableNumber(const QString& text);

private:
    static QString fixedDigits(const QString& text, int width);
};
