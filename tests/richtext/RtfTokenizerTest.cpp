#include "richtext/CodePage.h"
#include "richtext/RtfTokenizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using richtext::CodePage;
using richtext::RtfTokenizer;
using T = RtfTokenizer::Type;

namespace {

std::string describe(const QByteArray& data) {
    RtfTokenizer tokens(data);
    std::string out;
    for (auto t = tokens.next(); t.type != T::End; t = tokens.next()) {
        switch (t.type) {
        case T::GroupStart:
            out += "{ ";
            break;
        case T::GroupEnd:
            out += "} ";
            break;
        case T::Word:
            out += "w:" + std::string(t.word) + (t.hasParam ? "=" + std::to_string(t.param) : "") + ' ';
            break;
        case T::Symbol:
            out += std::string("s:") + (t.symbol ? t.symbol : '0') + ' ';
            break;
        case T::HexByte:
            out += "h:" + std::to_string(static_cast<unsigned char>(t.symbol)) + ' ';
            break;
        case T::Text:
            out += "t:" + std::string(t.word) + ' ';
            break;
        default:
            break;
        }
    }
    return out;
}

TEST(RtfTokenizerTest, splitsGroupsWordsSymbolsHexAndText) {
    EXPECT_EQ(describe("{\\rtf1\\b0 Hi\\'e9\\~there\\*\\x-12y}"),
              "{ w:rtf=1 w:b=0 t:Hi h:233 s:~ t:there s:* w:x=-12 t:y } ");
}

TEST(RtfTokenizerTest, dropsLineBreaksAndTheDelimitingSpace) {
    EXPECT_EQ(describe("a\r\nb\\par  c"), "t:a t:b w:par t: c ");
    EXPECT_EQ(describe("\\\n"), "s:\n ") << "a backslash before a line break is a paragraph";
}

TEST(RtfTokenizerTest, clampsNumbersAndLongWords) {
    EXPECT_EQ(describe("\\fs99999999999999999999"), "w:fs=" + std::to_string(INT_MAX) + " ");
    EXPECT_EQ(describe("\\fs-99999999999999999999"), "w:fs=" + std::to_string(-INT_MAX) + " ");
    const std::string word(100, 'a');
    EXPECT_EQ(describe(QByteArray::fromStdString("\\" + word + "5")), "w:" + std::string(32, 'a') + "=5 ");
    EXPECT_EQ(describe("\\-5"), "s:- t:5 ") << "a minus without a word is a symbol";
}

TEST(RtfTokenizerTest, readsBinaryDataAndStopsAtTheEnd) {
    QByteArray data("\\bin4 {}\\x rest");
    RtfTokenizer tokens(data);
    auto t = tokens.next();
    ASSERT_EQ(t.type, T::Word);
    EXPECT_EQ(tokens.readBinary(t.param), "{}\\x");
    EXPECT_EQ(tokens.next().word, " rest");
    EXPECT_EQ(tokens.readBinary(1000).size(), 0u);
    EXPECT_EQ(tokens.next().type, T::End);
    EXPECT_EQ(tokens.readBinary(-5).size(), 0u);
}

TEST(RtfTokenizerTest, toleratesTruncatedHex) {
    EXPECT_EQ(describe("\\'a"), "s:0 ");
    EXPECT_EQ(describe("\\'"), "s:0 ");
    EXPECT_EQ(describe("\\'gx"), "s:0 t:gx ");
    EXPECT_EQ(describe("\\"), "");
}

TEST(CodePageTest, mapsFontCharsetsToCodePages) {
    EXPECT_EQ(CodePage::forCharset(204, 1252), 1251);
    EXPECT_EQ(CodePage::forCharset(0, 1251), 1252);
    EXPECT_EQ(CodePage::forCharset(161, 1252), 1253);
    EXPECT_EQ(CodePage::forCharset(238, 1252), 1250);
    EXPECT_EQ(CodePage::forCharset(1, 1251), 1251) << "default charset is the document's";
    EXPECT_EQ(CodePage::forCharset(2, 1251), CodePage::Symbol);
    EXPECT_EQ(CodePage::forCharset(12345, 1257), 1257);
}

TEST(CodePageTest, decodesSingleByteCodePages) {
    EXPECT_EQ(CodePage::decode("\xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8", 1251), QStringLiteral("Привет Ёё"));
    EXPECT_EQ(CodePage::decode("\x80\x93\x94", 1252), QStringLiteral("€“”"));
    EXPECT_EQ(CodePage::decode("\xe1\xe2\xe3", 1253), QStringLiteral("αβγ"));
    EXPECT_EQ(CodePage::decode("\x8f\xe0\xa8", 866), QStringLiteral("При"));
    EXPECT_EQ(CodePage::decode("\xb7", CodePage::Symbol), QStringLiteral("\u2022"));
    EXPECT_EQ(CodePage::decode("abc", 4242), QStringLiteral("abc"));
    EXPECT_FALSE(CodePage::isKnown(4242));
    EXPECT_TRUE(CodePage::isKnown(1251));
}

} // namespace
