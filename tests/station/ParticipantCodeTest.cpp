#include "station/ParticipantCode.h"

#include "station/StationFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Verdict = ParticipantCode::Verdict;
const QString kStation = QStringLiteral("25.05.2019_3_000123_0007_2");

struct Station {
    Station() { EXPECT_TRUE(dir.isValid()); }
    Verdict check(const QString& code, QString* errors = nullptr, const QString& tag = kStation) {
        QString text;
        const Verdict verdict = ParticipantCode::check(code, dir.path(), tag, text);
        if (errors)
            *errors = text;
        return verdict;
    }
    // The answer folder only, as a station that stopped part-way leaves it.
    void started(const QString& code, const QString& tag = kStation) {
        StationFolders(dir.path(), tag, code).ensureExist();
    }
    void answered(const QString& code, const QString& tag = kStation) {
        started(code, tag);
        QFile file(StationFolders(dir.path(), tag, code).answerFile(QStringLiteral("_0.ans")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir;
};

} // namespace

TEST(ParticipantCode, choosesTheVariantFromTheCode) {
    EXPECT_EQ(ParticipantCode::variantFor("0005"), "0");
    EXPECT_EQ(ParticipantCode::variantFor("0000"), "0");
    EXPECT_EQ(ParticipantCode::variantFor("0009"), "0");
    EXPECT_EQ(ParticipantCode::variantFor("0010"), "2");
    EXPECT_EQ(ParticipantCode::variantFor("0011"), "1");
    EXPECT_EQ(ParticipantCode::variantFor("1235"), "1");
    EXPECT_EQ(ParticipantCode::variantFor("9998"), "2");
}

TEST(ParticipantCode, keepsFourDigitsWithLeadingZeros) {
    EXPECT_EQ(ParticipantCode::studId("0012"), "0012");
    EXPECT_EQ(ParticipantCode::studId("0000"), "0000");
    EXPECT_EQ(ParticipantCode::studId("9999"), "9999");
}

TEST(ParticipantCode, refusesCodesShorterThanFourDigits) {
    Station s;
    for (const QString& code : {QString(), QStringLiteral("1"), QStringLiteral("12"), QStringLiteral("123")}) {
        QString errors;
        EXPECT_EQ(s.check(code, &errors), Verdict::Refused) << code.toStdString();
        EXPECT_EQ(errors, "\n\rКод участника должен состоять из 4 цифр");
    }
}

TEST(ParticipantCode, refusesCodesThatAreNotFourDigits) {
    Station s;
    for (const QString& code :
         {QStringLiteral("12345"), QStringLiteral("12a4"), QStringLiteral("../x"), QStringLiteral("-123")}) {
        QString errors;
        EXPECT_EQ(s.check(code, &errors), Verdict::Refused) << code.toStdString();
        EXPECT_EQ(errors, "\n\rКод участника должен состоять из 4 цифр");
    }
}

TEST(ParticipantCode, acceptsAFreshCode) {
    Station s;
    QString errors;
    EXPECT_EQ(s.check("1235", &errors), Verdict::Accepted);
    EXPECT_TRUE(errors.isEmpty());
}

TEST(ParticipantCode, refusesACodeWhoseAnswersFileExistsAndOffersToResumeOneWithout) {
    Station s;
    s.answered("1235");
    QString errors;
    EXPECT_EQ(s.check("1235", &errors), Verdict::Refused);
    EXPECT_EQ(errors, "\n\rУчастник с таким кодом уже отвечал на данной станции");
    EXPECT_EQ(s.check("1237"), Verdict::Accepted);
    s.started("1237");
    errors.clear();
    EXPECT_EQ(s.check("1237", &errors), Verdict::Interrupted);
    EXPECT_TRUE(errors.isEmpty());
}

TEST(ParticipantCode, acceptsTheSameCodeAtAnotherStation) {
    Station s;
    s.answered("1235");
    EXPECT_EQ(s.check("1235", nullptr, QStringLiteral("25.05.2019_3_000123_0007_3")), Verdict::Accepted);
}

TEST(ParticipantCode, acceptsACodeAgainOnceItsAnswerFolderIsRemoved) {
    Station s;
    s.answered("1235");
    ASSERT_EQ(s.check("1235"), Verdict::Refused);
    ASSERT_TRUE(QDir(StationFolders(s.dir.path(), kStation, "1235").answerFolder()).removeRecursively());
    EXPECT_EQ(s.check("1235"), Verdict::Accepted);
}

TEST(ParticipantCode, appendsToTheErrorTextItIsGiven) {
    Station s;
    QString errors = QStringLiteral("before");
    EXPECT_EQ(ParticipantCode::check("12", s.dir.path(), kStation, errors), Verdict::Refused);
    EXPECT_EQ(errors, "before\n\rКод участника должен состоять из 4 цифр");
}
