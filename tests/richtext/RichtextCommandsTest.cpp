#include "tools/RichtextCommands.h"

#include "support/RichtextSamples.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

const tools::Command* command(const char* name) {
    static const auto commands = tools::richtextCommands();
    for (const auto& c : commands) {
        if (std::strcmp(c.name, name) == 0)
            return &c;
    }
    return nullptr;
}

class RichtextCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { richtext_test::ensureApplication(); }
    std::string data(const char* name) const { return ZUNT_TEST_DATA "/richtext/" + std::string(name); }
};

TEST_F(RichtextCommandsTest, printsTheTextOfADocumentAsUtf8) {
    const tools::Command* c = command("rtf-text");
    ASSERT_NE(c, nullptr);
    testing::internal::CaptureStdout();
    EXPECT_EQ(c->run({data("wordpad-cp1251.rtf")}), 0);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(QString::fromStdString(out), QStringLiteral("Инструкция участника\n"
                                                          "\u2022\tПрочитайте задание.\n"
                                                          "\u2022\tОтвечайте громко.\n"
                                                          "Время: 2 минуты.\n"));
    EXPECT_EQ(c->run({data("no-such-file.rtf")}), 1);
    EXPECT_EQ(c->run({}), 2);
}

TEST_F(RichtextCommandsTest, rendersTheWholeDocumentAtTheGivenWidth) {
    const tools::Command* c = command("rtf-render");
    ASSERT_NE(c, nullptr);
    QTemporaryDir dir;
    const std::string out = dir.filePath(QStringLiteral("sheet.png")).toStdString();
    testing::internal::CaptureStdout();
    EXPECT_EQ(c->run({data("libreoffice-sheet.rtf"), out}), 0);
    EXPECT_EQ(c->run({data("libreoffice-sheet.rtf"), out + "-narrow.png", "600"}), 0);
    testing::internal::GetCapturedStdout();
    const QImage wide(QString::fromStdString(out));
    ASSERT_FALSE(wide.isNull());
    EXPECT_EQ(wide.width(), 1016);
    EXPECT_GT(wide.height(), 380) << "text, table and photo";
    // The photo's blue stands under the table, at the left edge.
    bool blue = false;
    for (int y = 0; y < wide.height() && !blue; ++y)
        blue = qBlue(wide.pixel(60, y)) > 200 && qRed(wide.pixel(60, y)) < 60;
    EXPECT_TRUE(blue);
    EXPECT_EQ(QImage(QString::fromStdString(out + "-narrow.png")).width(), 600);
    EXPECT_EQ(c->run({data("libreoffice-sheet.rtf"), out, "wide"}), 2);
}

} // namespace
