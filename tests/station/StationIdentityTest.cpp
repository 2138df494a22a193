#include "station/StationIdentity.h"

#include "station/StationFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StationIdentity, joinsDateSubjectAndPaddedNumbers) {
    EXPECT_EQ(StationIdentity::compose("D", "12", "123", "7", "2"), "D_12_000123_0007_2");
    EXPECT_EQ(StationIdentity::compose("25.05.2019", "3", "999999", "9999", "9"), "25.05.2019_3_999999_9999_9");
}

TEST(StationIdentity, padsTheSchoolNumberToSixDigits) {
    EXPECT_EQ(StationIdentity::schoolNumber("5"), "000005");
    EXPECT_EQ(StationIdentity::schoolNumber("123456"), "123456");
    EXPECT_EQ(StationIdentity::schoolNumber("00"), "000000");
    EXPECT_EQ(StationIdentity::schoolNumber("000042"), "000042");
}

TEST(StationIdentity, padsTheAuditoriumNumberToFourDigits) {
    EXPECT_EQ(StationIdentity::auditoriumNumber("7"), "0007");
    EXPECT_EQ(StationIdentity::auditoriumNumber("1234"), "1234");
    EXPECT_EQ(StationIdentity::auditoriumNumber("000"), "0000");
}

TEST(StationIdentity, countsTextThatIsNoNumberAsZero) {
    EXPECT_EQ(StationIdentity::schoolNumber(""), "000000");
    EXPECT_EQ(StationIdentity::schoolNumber("12a"), "000000");
    EXPECT_EQ(StationIdentity::schoolNumber("-5"), "000000");
    EXPECT_EQ(StationIdentity::auditoriumNumber("99999999999999999999999"), "0000");
}

TEST(StationIdentity, usableNumbersAreDigitsButNotTheSingleZero) {
    EXPECT_FALSE(StationIdentity::isUsableNumber(""));
    EXPECT_FALSE(StationIdentity::isUsableNumber("0"));
    EXPECT_TRUE(StationIdentity::isUsableNumber("00"));
    EXPECT_TRUE(StationIdentity::isUsableNumber("000"));
    EXPECT_TRUE(StationIdentity::isUsableNumber("5"));
    EXPECT_TRUE(StationIdentity::isUsableNumber("123456"));
    EXPECT_FALSE(StationIdentity::isUsableNumber("1 2"));
    EXPECT_FALSE(StationIdentity::isUsableNumber("x"));
}

TEST(StationIdentity, replacesEveryCharacterThatCannotStandInAFolderName) {
    EXPECT_EQ(StationIdentity::folderSafe(QStringLiteral("a/b\\c:d*e?f\"g<h>i|j")), "a-b-c-d-e-f-g-h-i-j");
    EXPECT_EQ(StationIdentity::folderSafe(QStringLiteral("1\t2\n3\r4") + QChar(0) + QChar(0x7f) + QChar(0x85) +
                                          QChar(0x2028)),
              "1-2-3-4----");
    // Dots, letters of any script and the separator stay as the kit wrote them.
    EXPECT_EQ(StationIdentity::folderSafe(QStringLiteral("25.05.2019")), "25.05.2019");
    EXPECT_EQ(StationIdentity::folderSafe(QStringLiteral("Май_2019")), "Май_2019");
    EXPECT_EQ(StationIdentity::folderSafe(QStringLiteral("..")), "..");
}

TEST(StationIdentity, cutsOverlongKitTextsToAFolderNameTheFileSystemTakes) {
    const QString longDate(500, QLatin1Char('9'));
    EXPECT_EQ(StationIdentity::folderSafe(longDate).size(), StationIdentity::kMaxPieceBytes);
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    // Cyrillic (2 bytes), CJK (3 bytes) and characters outside the basic plane (4 bytes, two
    // UTF-16 units), each far longer than a name may be, and cut so no character is split.
    const QString texts[] = {QString(150, QChar(0x0416)), QString(150, QChar(0x4E2D)),
                             QString::fromUcs4(std::u32string(150, U'\U0001F600').c_str()),
                             QStringLiteral("Английский язык, устная часть ") + QString(100, QChar(0x00E9))};
    for (const QString& text : texts) {
        const QString piece = StationIdentity::folderSafe(text);
        EXPECT_LE(piece.toUtf8().size(), StationIdentity::kMaxPieceBytes);
        EXPECT_GT(piece.toUtf8().size(), StationIdentity::kMaxPieceBytes - 4);
        EXPECT_TRUE(text.startsWith(piece)) << piece.toStdString();
        const QString tag = StationIdentity::compose(text, text, QStringLiteral("123456"), QStringLiteral("1234"),
                                                     QString(300, QLatin1Char('7')));
        StationFolders folders(work.path(), tag, QStringLiteral("0042"));
        QString error;
        EXPECT_TRUE(folders.ensureExist(&error)) << error.toStdString();
        EXPECT_TRUE(QFileInfo(folders.answerFolder()).isDir()) << tag.toStdString();
    }
    // An unpaired surrogate has no file name: it is replaced like a forbidden character.
    EXPECT_EQ(StationIdentity::folderSafe(QString(QChar(0xD83D)) + QStringLiteral("x")), QStringLiteral("-x"));
}

TEST(StationIdentity, neverLetsTheStationFolderLeaveTheWorkingFolder) {
    QTemporaryDir sandbox;
    ASSERT_TRUE(sandbox.isValid());
    const QDir root(sandbox.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("work")));
    const QString workDir = root.filePath(QStringLiteral("work"));
    const QString hostile[] = {QStringLiteral("../../x"),   QStringLiteral(".."),        QStringLiteral("/tmp/evil"),
                               QStringLiteral("..\\..\\x"), QStringLiteral("a/../../b"), QStringLiteral("C:\\x")};
    for (const QString& date : hostile) {
        const QString tag = StationIdentity::compose(date, QStringLiteral("../1"), "1", "1", "1");
        EXPECT_FALSE(tag.contains(QLatin1Char('/')) || tag.contains(QLatin1Char('\\'))) << tag.toStdString();
        StationFolders folders(workDir, tag, QStringLiteral("0042"));
        folders.ensureExist();
        QDir station(folders.stationFolder());
        EXPECT_TRUE(station.exists()) << tag.toStdString();
        ASSERT_TRUE(station.cdUp());
        EXPECT_EQ(station.canonicalPath().toStdString(), QDir(workDir).canonicalPath().toStdString());
        EXPECT_TRUE(QFileInfo(folders.answerFolder()).isDir());
    }
    // Nothing but the working folder appeared beside it.
    EXPECT_EQ(root.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"work"});
}
