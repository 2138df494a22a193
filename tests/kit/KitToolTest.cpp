#include "kit/StationTables.h"
#include "kit/TableStream.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class KitToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::path(ZUNT_BINARY_DIR) / "kit-tool-test";
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    ToolRun run(const std::string& args) const {
        const fs::path out = m_dir / "stdout";
        const fs::path err = m_dir / "stderr";
        const std::string cmd =
            std::string("'") + ZUNT_TOOL + "' " + args + " >'" + out.string() + "' 2>'" + err.string() + "'";
        const int raw = std::system(cmd.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
    }
    std::string path(const char* name) const { return (m_dir / name).string(); }

    fs::path m_dir;
};

const std::string kManifest = std::string(ZUNT_TEST_DATA) + "/kit/sample/manifest.txt";

} // namespace

TEST_F(KitToolTest, buildsAKitWhoseDumpShowsExactlyTheManifest) {
    ASSERT_EQ(run("kit-build '" + kManifest + "' '" + path("kit.kim") + "'").status, 0);
    const ToolRun dump = run("kit-dump --json '" + path("kit.kim") + "'");
    ASSERT_EQ(dump.status, 0) << dump.err;
    std::string audioHex;
    for (int r = 0; r < 4; ++r) {
        for (int i = 0; i < 256; ++i) {
            char buf[3];
            std::snprintf(buf, sizeof buf, "%02x", i);
            audioHex += buf;
        }
    }
    EXPECT_NE(dump.out.find("\"values\": [1, \"c0ede3ebe8e9f1eae8e920ffe7fbea\", \"32302e30352e32303139\", 1, "),
              std::string::npos)
        << dump.out;
    EXPECT_NE(dump.out.find("\"" + audioHex +
                            "\", 0.10000000000000001, 12.345700000000001, 43605, true, 7, "
                            "-9223372036854775808], \"history\": []}"),
              std::string::npos);
    EXPECT_NE(dump.out.find("{\"status\": 3, \"deleted\": true, \"values\": [1, \"4142\", null, 2, null"),
              std::string::npos);
    EXPECT_NE(dump.out.find("\"indexes\": [{\"name\": \"byVar\", \"fields\": \"VarNo\", \"display\": \"ByVar\", "
                            "\"descending\": false, \"caseInsensitive\": false, \"notMaintained\": false, "
                            "\"unique\": true}]"),
              std::string::npos);
}

TEST_F(KitToolTest, extractsOneFieldOfAVariantRow) {
    ASSERT_EQ(run("kit-build '" + kManifest + "' '" + path("kit.kim") + "'").status, 0);
    ASSERT_EQ(run("kit-extract '" + path("kit.kim") + "' 1 INTRO '" + path("intro.rtf") + "'").status, 0);
    EXPECT_EQ(readFile(path("intro.rtf")), readFile(std::string(ZUNT_TEST_DATA) + "/kit/sample/intro.rtf"));
    const ToolRun missing = run("kit-extract '" + path("kit.kim") + "' 0 Intro '" + path("none") + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.substr(missing.err.find("error:")), "error: no row with VarNo 0\n");
    EXPECT_FALSE(fs::exists(path("none")));
}

TEST_F(KitToolTest, dumpsAnAnswersFileAsATableStream) {
    kit::MemTable answers = kit::makeAnswersTable();
    kit::writeAnswer(answers, "a1", "12312");
    std::string error;
    ASSERT_TRUE(kit::saveTable(answers, path("0042_0.ans"), &error)) << error;
    const ToolRun text = run("kit-dump '" + path("0042_0.ans") + "'");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("record 1 (unchanged)\n  a1 = \"12312\"\n  a2 = \"\"\n"), std::string::npos) << text.out;
    const ToolRun json = run("kit-dump --json --stream '" + path("0042_0.ans") + "'");
    EXPECT_NE(json.out.find("\"values\": [\"3132333132\", \"\", \"\", \"\", \"\", \"\"]"), std::string::npos)
        << json.out;
}

TEST_F(KitToolTest, failsWithTheMessageOnStandardErrorAndNothingOnStandardOutput) {
    std::ofstream(path("bad.kim"), std::ios::binary) << std::string("\x10\x00\x00\x00garbage", 11);
    ToolRun r = run("kit-dump --json '" + path("bad.kim") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "zunt-tool: error: Error\n");
    std::ofstream(path("bad.ans"), std::ios::binary) << "TPF0\x03\xFB";
    r = run("kit-dump '" + path("bad.ans") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "zunt-tool: error: Stream read error\n");
    r = run("kit-dump --stream '" + kManifest + "'");
    EXPECT_EQ(r.err, "zunt-tool: error: Invalid stream format\n");
    r = run("kit-build '" + std::string(ZUNT_TEST_DATA) + "/kit/broken-manifest-type.txt' '" + path("x.kim") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("broken-manifest-type.txt:2: unknown or forbidden field type 'Text'"), std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(path("x.kim")));
}

TEST_F(KitToolTest, commandLineAsOtherToolsHaveIt) {
    ToolRun r = run("--help");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("usage: zunt-tool", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("check-station DIR"), std::string::npos);
    EXPECT_EQ(r.err, "");
    r = run("--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("zunt-tool ", 0), 0u) << r.out;
    r = run("--frobnicate kit-dump");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zunt-tool: error: Unknown option 'frobnicate' (see zunt-tool --help)\n");
    r = run("kit-frob");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zunt-tool: error: unknown command 'kit-frob' (see zunt-tool --help)\n");
    r = run("kit-dump");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "zunt-tool: error: usage: zunt-tool kit-dump [--json] [--stream] FILE\n");
    r = run("kit-dump '" + path("none.kim") + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zunt-tool: error: cannot open " + path("none.kim") + ": No such file or directory\n");
    // A kit command starts no Qt: no platform or font warning, even without a runtime folder.
    ASSERT_EQ(run("kit-build '" + kManifest + "' '" + path("kit.kim") + "'").status, 0);
    r = run("kit-dump '" + path("kit.kim") + "'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
}
