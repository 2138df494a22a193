#include "kit/KitFile.h"
#include "kit/StationTables.h"
#include "kit/TableStream.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class KitFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::path(ZUNT_BINARY_DIR) /
                ("kit-kitfile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_kim = (m_dir / "kim.kim").string();
        m_tmp = (m_dir / "kim.tmp").string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void writeKim(const std::string& bytes) const { std::ofstream(m_kim, std::ios::binary) << bytes; }
    std::string readTmp() const {
        std::ifstream in(m_tmp, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string withLength(std::string kim, std::int32_t length) {
        for (int i = 0; i < 4; ++i)
            kim[static_cast<std::size_t>(i)] =
                static_cast<char>((static_cast<std::uint32_t>(length) >> (8 * i)) & 0xFF);
        return kim;
    }

    fs::path m_dir;
    std::string m_kim;
    std::string m_tmp;
};

std::string sampleStream() {
    kit::MemTable t = kit::makeComplectsTable();
    for (int var : {1, 2}) {
        t.append();
        t.setText("VarNo", std::to_string(var));
        t.setText("subjname", "\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8\xE9"); // "Английский"
        t.setText("t1Aud", std::string(200000, static_cast<char>(0x80 + var)));
        t.post();
    }
    return kit::writeTableStream(t);
}

} // namespace

TEST_F(KitFileTest, unpacksExactlyLBytesAndIgnoresDataBeyondThem) {
    const std::string stream = sampleStream();
    std::string packed = kit::packKitData(stream + "trailing bytes that are never read");
    packed = withLength(packed, static_cast<std::int32_t>(stream.size()));
    writeKim(packed);
    std::string error;
    ASSERT_TRUE(kit::unpackKit(m_kim, m_tmp, &error)) << error;
    EXPECT_EQ(readTmp(), stream);
    std::string inMemory;
    ASSERT_TRUE(kit::unpackKitData(packed, &inMemory, &error)) << error;
    EXPECT_EQ(inMemory, stream);
}

TEST_F(KitFileTest, leavesTheTemporaryFileEmptyWhenLengthIsNotPositive) {
    for (std::int32_t length : {0, -1, INT32_MIN}) {
        writeKim(withLength(kit::packKitData(sampleStream()), length));
        std::ofstream(m_tmp) << "old content";
        std::string error;
        ASSERT_TRUE(kit::unpackKit(m_kim, m_tmp, &error)) << error;
        EXPECT_TRUE(fs::exists(m_tmp));
        EXPECT_EQ(fs::file_size(m_tmp), 0u);
    }
    // Loading the empty stream then fails like any empty stream.
    kit::MemTable t = kit::makeComplectsTable();
    std::string error;
    EXPECT_FALSE(kit::loadKit(t, m_kim, m_tmp, &error));
    EXPECT_EQ(error, "Stream read error");
    EXPECT_FALSE(fs::exists(m_tmp));
}

TEST_F(KitFileTest, reportsZlibDataEndingBeforeLengthAsReadError) {
    const std::string stream = sampleStream();
    const std::string packed = kit::packKitData(stream);
    std::string error;
    std::string out;
    EXPECT_FALSE(kit::unpackKitData(withLength(packed, static_cast<std::int32_t>(stream.size() + 1)), &out, &error));
    EXPECT_EQ(error, "Stream read error");
    // Cut compressed input: the data ends before the stream does.
    EXPECT_FALSE(kit::unpackKitData(packed.substr(0, packed.size() / 2), &out, &error));
    EXPECT_EQ(error, "Stream read error");
    EXPECT_FALSE(kit::unpackKitData("\x01\x00", &out, &error));
    EXPECT_EQ(error, "Stream read error");

    writeKim(packed.substr(0, 40));
    EXPECT_FALSE(kit::unpackKit(m_kim, m_tmp, &error));
    EXPECT_EQ(error, "Stream read error");
    EXPECT_FALSE(fs::exists(m_tmp)) << "no half-written temporary file stays behind";
}

TEST_F(KitFileTest, reportsCorruptZlibDataAsError) {
    std::string packed = kit::packKitData(sampleStream());
    std::string out;
    std::string error;
    std::string badHeader = packed;
    badHeader[4] = 0x00;
    EXPECT_FALSE(kit::unpackKitData(badHeader, &out, &error));
    EXPECT_EQ(error, "Error");
    std::string badBlock = packed;
    badBlock[6] = static_cast<char>(0xFF); // reserved block type 3
    EXPECT_FALSE(kit::unpackKitData(badBlock, &out, &error));
    EXPECT_EQ(error, "Error");
}

TEST_F(KitFileTest, failsFastOnALengthThatPromisesFarMoreThanTheFileHolds) {
    std::string packed = withLength(kit::packKitData(std::string(60, 'x')), INT32_MAX);
    ASSERT_LT(packed.size(), 100u);
    writeKim(packed);
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(kit::unpackKit(m_kim, m_tmp, &error));
    EXPECT_EQ(error, "Stream read error");
    std::string out;
    EXPECT_FALSE(kit::unpackKitData(packed, &out, &error));
    EXPECT_EQ(error, "Stream read error");
    EXPECT_TRUE(out.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(KitFileTest, namesTheFileWhenTheKitIsMissing) {
    std::string error;
    EXPECT_FALSE(kit::unpackKit(m_kim, m_tmp, &error));
    EXPECT_NE(error.find(m_kim), std::string::npos) << error;
}

TEST_F(KitFileTest, loadsAKitAndDeletesTheTemporaryFile) {
    writeKim(kit::packKitData(sampleStream()));
    kit::MemTable t = kit::makeComplectsTable();
    std::string error;
    ASSERT_TRUE(kit::loadKit(t, m_kim, m_tmp, &error)) << error;
    EXPECT_FALSE(fs::exists(m_tmp));
    EXPECT_EQ(t.recordCount(), 2);
    // No row of variant 0: the table stays on its first row.
    EXPECT_FALSE(t.locate("VarNo", 0));
    EXPECT_EQ(t.recNo(), 0);
    EXPECT_EQ(t.asText("varno"), "1");
    ASSERT_TRUE(t.locate("VarNo", 2));
    EXPECT_EQ(t.asBytes("T1AUD"), std::string(200000, static_cast<char>(0x82)));
    EXPECT_EQ(t.asText("SubjName"), "\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8\xE9");
}

TEST_F(KitFileTest, savesAKitThatLoadsBack) {
    kit::MemTable t = kit::makeComplectsTable();
    t.append();
    t.setText("VarNo", "0");
    t.setText("Intro", "{\\rtf1 hi}");
    t.post();
    std::string error;
    ASSERT_TRUE(kit::saveKit(t, m_kim, &error)) << error;
    kit::MemTable back;
    ASSERT_TRUE(kit::loadKit(back, m_kim, m_tmp, &error)) << error;
    EXPECT_EQ(back.asText("intro"), "{\\rtf1 hi}");
}
