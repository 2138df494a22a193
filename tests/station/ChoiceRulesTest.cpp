#include "station/ChoiceRules.h"

#include "support/ChoiceStageKit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

QStringList numbered(int count) {
    QStringList lines;
    for (int k = 1; k <= count; ++k)
        lines.append(QStringLiteral("line %1").arg(k));
    return lines;
}

} // namespace

TEST(ChoiceRulesMemoLines, splitsCrLfAndLfLinesAlike) {
    EXPECT_EQ(ChoiceRules::memoLines("red\r\ngreen\r\nblue"), QStringList({"red", "green", "blue"}));
    EXPECT_EQ(ChoiceRules::memoLines("red\ngreen\nblue"), QStringList({"red", "green", "blue"}));
    EXPECT_EQ(ChoiceRules::memoLines("red\ngreen\r\nblue\rgrey"), QStringList({"red", "green", "blue", "grey"}));
}

TEST(ChoiceRulesMemoLines, finalLineBreakGivesNoEmptyOption) {
    EXPECT_EQ(ChoiceRules::memoLines("red\r\ngreen\r\n"), QStringList({"red", "green"}));
    EXPECT_EQ(ChoiceRules::memoLines("red\ngreen\n"), QStringList({"red", "green"}));
    // Only the one final break is dropped: an empty line before it is an option.
    EXPECT_EQ(ChoiceRules::memoLines("red\r\n\r\n"), QStringList({"red", ""}));
}

TEST(ChoiceRulesMemoLines, emptyTextHasNoLinesButALoneBreakHasOneEmptyLine) {
    EXPECT_TRUE(ChoiceRules::memoLines("").isEmpty());
    EXPECT_EQ(ChoiceRules::memoLines("\r\n"), QStringList({""}));
}

TEST(ChoiceRulesMemoLines, keepsEmptyLineInsideMemoAsOption) {
    EXPECT_EQ(ChoiceRules::memoLines("red\r\n\r\nblue"), QStringList({"red", "", "blue"}));
    EXPECT_EQ(ChoiceRules::memoLines("\nred"), QStringList({"", "red"}));
}

TEST(ChoiceRulesMemoLines, decodesWindows1251AndNeverSplitsALongLine) {
    // "Привет" in Windows-1251.
    const std::string hello("\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(ChoiceRules::memoLines(hello + "\r\n"), QStringList({QStringLiteral("Привет")}));
    const std::string longLine(3000, 'w');
    const QStringList lines = ChoiceRules::memoLines(longLine + "\r\nshort");
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].size(), 3000);
    EXPECT_EQ(lines[1], "short");
}

TEST(ChoiceRulesOptions, taskFourAndSixGiveEveryListAllLines) {
    for (const auto& lists : {ChoiceRules::task4Options("red\r\ngreen\r\nblue\r\n"),
                              ChoiceRules::task6Options("red\r\ngreen\r\nblue\r\n")}) {
        ASSERT_EQ(lists.size(), 5);
        for (const QStringList& options : lists)
            EXPECT_EQ(options, QStringList({"red", "green", "blue"}));
    }
    for (const QStringList& options : ChoiceRules::task4Options(""))
        EXPECT_TRUE(options.isEmpty());
}

TEST(ChoiceRulesOptions, taskOneGivesThreeLinesPerBoxAndIgnoresLinesAfterFifteen) {
    const QList<QStringList> lists = ChoiceRules::task1Options(choicekit::numberedMemo(17));
    ASSERT_EQ(lists.size(), 5);
    EXPECT_EQ(lists[0], QStringList({"line 1", "line 2", "line 3"}));
    EXPECT_EQ(lists[2], QStringList({"line 7", "line 8", "line 9"}));
    EXPECT_EQ(lists[4], QStringList({"line 13", "line 14", "line 15"}));
}

TEST(ChoiceRulesOptions, taskOneFillsMissingLinesWithEmptyOptions) {
    const QList<QStringList> lists = ChoiceRules::task1Options("a\nb\nc\nd\n");
    ASSERT_EQ(lists.size(), 5);
    EXPECT_EQ(lists[0], QStringList({"a", "b", "c"}));
    EXPECT_EQ(lists[1], QStringList({"d", "", ""}));
    EXPECT_EQ(lists[4], QStringList({"", "", ""}));
}

TEST(ChoiceRulesOptions, taskFiveWithTwentyLinesGivesFourConsecutiveLinesPerList) {
    const QList<QStringList> lists = ChoiceRules::task5Options(choicekit::numberedMemo(22));
    ASSERT_EQ(lists.size(), 5);
    EXPECT_EQ(lists[0], numbered(4));
    EXPECT_EQ(lists[2], QStringList({"line 9", "line 10", "line 11", "line 12"}));
    EXPECT_EQ(lists[4], QStringList({"line 17", "line 18", "line 19", "line 20"}));
}

TEST(ChoiceRulesOptions, taskFiveWithSixLinesPadsEveryListToFourOptions) {
    const QList<QStringList> lists = ChoiceRules::task5Options(choicekit::numberedMemo(6));
    ASSERT_EQ(lists.size(), 5);
    EXPECT_EQ(lists[0], numbered(4));
    EXPECT_EQ(lists[1], QStringList({"line 5", "line 6", "", ""}));
    for (int list = 2; list < 5; ++list)
        EXPECT_EQ(lists[list], QStringList({"", "", "", ""}));
}

TEST(ChoiceRulesOptions, groupedOptionsKeepAnEmptyLineAtItsPosition) {
    const QList<QStringList> lists = ChoiceRules::groupedOptions({"a", "", "c", "d"}, 2, 2);
    EXPECT_EQ(lists, QList<QStringList>({{"a", ""}, {"c", "d"}}));
}

TEST(ChoiceRulesAnswer, writesOneDigitPerListWithZeroForNoChoice) {
    EXPECT_EQ(ChoiceRules::answerString({3, 0, 0, 0, 0}), "30000");
    EXPECT_EQ(ChoiceRules::answerString({2, 1, 0, 4, 3}), "21043");
    EXPECT_EQ(ChoiceRules::answerString({0, 0, 0, 0, 0}), "00000");
    EXPECT_EQ(ChoiceRules::answerString({2, 0, 1, 3, 3}), "20133");
}

TEST(ChoiceRulesAnswer, writesPositionsAboveNineInFullWithoutSeparator) {
    EXPECT_EQ(ChoiceRules::answerString({10, 1, 1, 1, 1}), "101111");
    EXPECT_EQ(ChoiceRules::answerString({12, 0, 105, 1, 1}), "12010511");
}

TEST(ChoiceRulesAnswer, positionCountsFromOneAndNoChoiceIsZero) {
    EXPECT_EQ(ChoiceRules::positionOf(-1), 0);
    EXPECT_EQ(ChoiceRules::positionOf(0), 1);
    EXPECT_EQ(ChoiceRules::positionOf(9), 10);
    EXPECT_EQ(ChoiceRules::answerString({-1, 2, -5, 0, 1}), "02001");
}
