#pragma once

#include <QString>

// The rules of the participant code: when a typed code is accepted, its four-digit
// form (participantCode) and the kit variant it selects.
class ParticipantCode {
public:
    static const QString kWrongLength; // "Код участника должен состоять из 4 цифр"
    static const QString kAlreadyUsed; // "Участник с таким кодом уже отвечал на данной станции"
    static const QString kRefused; // "Некорректный код участника!"

    // True when the code is four decimal digits and has no answer folder in the station
    // folder of stationTag inside workDir (the folder the answers are written to).
    // Otherwise appends "\n\r" and the one reason to errorText.
    static bool check(const QString& code, const QString& workDir, const QString& stationTag, QString& errorText);

    // The code's value plus 10000, characters 2 to 5: "12" gives "0012".
    static QString studId(const QString& code);

    // "0" for codes starting with "000", else "1" for an odd and "2" for an even value.
    static QString variantFor(const QString& code);
};
