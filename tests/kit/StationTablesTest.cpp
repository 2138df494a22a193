#include "kit/StationTables.h"
#include "kit/TableStream.h"
#include "support/ReviewAnswersFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// The answers file exactly as its format describes it, built independently of the writer.
std::string expectedAnswersFile(const QList<QByteArray>& values) {
    return reviewAnswersFile(values).toStdString();
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(StationTables, savesTheAnswersFileOfTheReviewExampleByteForByte) {
    kit::MemTable answers = kit::makeAnswersTable();
    kit::writeAnswer(answers, "a1", "12312");
    kit::writeAnswer(answers, "a4", "21043");
    kit::writeAnswer(answers, "a5", "00300");
    kit::writeAnswer(answers, "a6", "11111");
    const std::string bytes = kit::writeTableStream(answers);
    EXPECT_EQ(bytes.size(), 247u);
    EXPECT_EQ(bytes, expectedAnswersFile({"12312", "", "", "21043", "00300", "11111"}));
    EXPECT_EQ(bytes.substr(237), std::string("\x08\x06\x05\x31\x31\x31\x31\x31\x00\x00", 10));
    const std::string a1Entry("\x06\x02\x61\x31\x06\x06\x53\x74\x72\x69\x6E\x67\x02\x14\x06\x02\x61\x31\x06\x00\x02\x14"
                              "\x08\x08\x06\x04\x44\x61\x74\x61\x06\x00",
                              32);
    EXPECT_EQ(bytes.substr(8, 32), a1Entry);
}

TEST(StationTables, startsAnswersWithOneRowOfEmptyStrings) {
    kit::MemTable answers = kit::makeAnswersTable();
    EXPECT_EQ(answers.recordCount(), 1);
    EXPECT_EQ(answers.recNo(), 0);
    EXPECT_FALSE(answers.isEditing());
    for (const char* f : {"a1", "a2", "a3", "a4", "a5", "a6"})
        EXPECT_FALSE(answers.isNull(f)) << f;
    EXPECT_EQ(kit::writeTableStream(answers), expectedAnswersFile({"", "", "", "", "", ""}));
}

TEST(StationTables, cutsAnswersToTwentyCharactersAndKeepsOneRow) {
    kit::MemTable answers = kit::makeAnswersTable();
    kit::writeAnswer(answers, "A1", "123456789012345678901234");
    kit::writeAnswer(answers, "a1", "21032");
    kit::writeAnswer(answers, "a4", "123456789012345678901234");
    EXPECT_EQ(answers.recordCount(), 1);
    EXPECT_EQ(answers.asText("a1"), "21032");
    EXPECT_EQ(answers.asText("a4"), "12345678901234567890");
}

TEST(StationTables, definesTheKitFieldsInTheStationOrder) {
    const kit::MemTable complects = kit::makeComplectsTable();
    const char* names[] = {"subjid", "subjname", "ExamDate", "Zone",     "VarNo", "Intro",  "TestRTF",
                           "VarCnt", "t1Ans",    "t1Aud",    "t1Task",   "t1Pre", "t2Pre",  "t2Task",
                           "t3Pre",  "t3Task1",  "t3Task2",  "t3Task3",  "t4Ans", "t4Task", "t5Ans",
                           "t5Task", "t6Ans",    "t6Task",   "t1AudPrep"};
    ASSERT_EQ(complects.fields().size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i)
        EXPECT_EQ(complects.fields()[i].name, names[i]);
    EXPECT_EQ(complects.fields()[1].size, 255);
    EXPECT_EQ(complects.fields()[2].size, 10);
    EXPECT_EQ(complects.fields()[5].type, kit::FieldType::Blob);
    EXPECT_EQ(complects.fields()[8].type, kit::FieldType::Memo);
    EXPECT_EQ(complects.recordCount(), 0);
    EXPECT_EQ(complects.recNo(), -1);
}

TEST(StationTables, replacesAnAnswersFileWithoutLeavingTemporaryFiles) {
    const fs::path dir = fs::path(ZUNT_BINARY_DIR) / "kit-answers-save";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path file = dir / "0042_0.ans";
    std::ofstream(file) << "old";
    kit::MemTable answers = kit::makeAnswersTable();
    kit::writeAnswer(answers, "a1", "12312");
    std::string error;
    ASSERT_TRUE(kit::saveTable(answers, file.string(), &error)) << error;
    EXPECT_EQ(readFile(file), kit::writeTableStream(answers));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    fs::remove_all(dir);
}

TEST(StationTables, reportsAnUnwritableAnswersFolderNamingTheFile) {
    const std::string path = std::string(ZUNT_BINARY_DIR) + "/kit-no-such-folder/0042_0.ans";
    std::string error;
    EXPECT_FALSE(kit::saveTable(kit::makeAnswersTable(), path, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
}

TEST(StationTables, keepsTheOldFileWhenTheDiskIsFull) {
    // /dev/full fails every write; a save aimed beside it cannot even start, so use a
    // folder where the rename target is a directory: the write succeeds, the replace fails.
    const fs::path dir = fs::path(ZUNT_BINARY_DIR) / "kit-answers-keep";
    fs::remove_all(dir);
    fs::create_directories(dir / "target" / "inside");
    std::string error;
    EXPECT_FALSE(kit::saveTable(kit::makeAnswersTable(), (dir / "target").string(), &error));
    EXPECT_TRUE(fs::is_directory(dir / "target" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "temporary file removed";
    fs::remove_all(dir);
}
