#pragma once

#include <QString>

// The rules of the participant code: when a typed code is accepted, its four-digit
// form (participantCode) and the kit variant it selects.
class ParticipantCode {
public:
    static const QString kWrongLength; // "Код участника должен состоять из 4 цифр"
    static const QString kAlreadyUsed; // "Участник с таким кодом уже отвечал на данной станции"
    static const QString kRefused; // "Некорректный код участника!"

    enum class Verdict {
        Accepted,    // four decimal digits, no answer folder yet
        Refused,     // "\n\r" and the one reason were appended to errorText
        Interrupted, // the answer folder is there without an answers file: the work was cut off
    };
    // Looks in the station folder of stationTag inside workDir (where the answers are
    // written). A code whose answers file exists has answered and is refused.
    static Verdict check(const QString& code, const QString& workDir, const QString& stationTag, QString& errorText);

    // The code's value plus 10000, characters 2 to 5: "12" gives "0012".
    static QString studId(const QString& code);

    // "0" for codes starting with "000", else "1" for an odd and "2" for an even value.
    static QString variantFor(const QString& code);
};
