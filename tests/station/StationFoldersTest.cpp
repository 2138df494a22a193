#include "station/StationFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(StationFolders, namesTheStationAndAnswerFoldersInTheWorkingFolder) {
    StationFolders f(QStringLiteral("/exam"), QStringLiteral("2019-05-20_12_000123_0007_2"), QStringLiteral("0042"));
    const QString sep = QDir::separator();
    EXPECT_EQ(f.stationFolder(), QDir::toNativeSeparators("/exam/Answer_2019-05-20_12_000123_0007_2/"));
    EXPECT_EQ(f.answerFolder(), f.stationFolder() + "0042" + sep);
    EXPECT_EQ(f.answerFile("_2.ogg"), f.answerFolder() + "0042_2.ogg");
}

TEST(StationFolders, relativeFormWhenNoWorkingFolderIsGiven) {
    StationFolders f(QString(), QStringLiteral("T"), QStringLiteral("0001"));
    EXPECT_EQ(f.stationFolder(), QDir::toNativeSeparators("./Answer_T/"));
}

TEST(StationFolders, createsBothLevelsAndRecreatesThemWhenRemoved) {
    QTemporaryDir work;
    StationFolders f(work.path(), QStringLiteral("T"), QStringLiteral("0042"));
    EXPECT_FALSE(f.answerFolderExists());
    f.ensureExist();
    EXPECT_TRUE(f.answerFolderExists());
    QDir(f.stationFolder()).removeRecursively();
    f.ensureExist();
    EXPECT_TRUE(f.answerFolderExists());
}

TEST(StationFolders, createsNoLevelAboveTheStationFolder) {
    QTemporaryDir work;
    StationFolders f(work.filePath("missing"), QStringLiteral("T"), QStringLiteral("0042"));
    f.ensureExist();
    EXPECT_FALSE(QFileInfo::exists(work.filePath("missing")));
}
