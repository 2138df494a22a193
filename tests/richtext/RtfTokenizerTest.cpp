#include "richtext/CodePage.h"
#include "richtext/RtfTokenizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

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
    EXPECT_EQ(CodePage::decode("\xb7l\xa7", CodePage::Bullets), QStringLiteral("\u2022\u25CF\u25AA"));
    EXPECT_EQ(CodePage::decode("abc", 4242), QStringLiteral("abc"));
    EXPECT_FALSE(CodePage::isKnown(4242));
    EXPECT_TRUE(CodePage::isKnown(1251));
}

// Qt's converters agree with the published code pages except where a page leaves a byte
// undefined (C1 controls or private-use characters now, U+FFFD before) and in IBM's own
// choices for the DOS pages: 0x1A, 0x1C and 0x7F rotate, and 437 gives 0xE6 as Greek mu.
TEST(CodePageTest, pinsWhatQtGivesForBytesTheCodePagesLeaveUndefined) {
    const auto c1 = [](std::initializer_list<int> bytes) {
        std::vector<std::pair<int, char16_t>> out;
        for (int b : bytes)
            out.emplace_back(b, static_cast<char16_t>(b));
        return out;
    };
    const std::vector<std::pair<int, char16_t>> dos = {{0x1A, u'\x1C'}, {0x1C, u'\x7F'}, {0x7F, u'\x1A'}};
    auto pc437 = dos;
    pc437.emplace_back(0xE6, u'\u03BC');
    auto thai = c1({0x81, 0x82, 0x83, 0x84, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D,
                    0x8E, 0x8F, 0x90, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F});
    for (int b : {0xDB, 0xDC, 0xDD, 0xDE})
        thai.emplace_back(b, static_cast<char16_t>(0xF8C1 + b - 0xDB));
    for (int b : {0xFC, 0xFD, 0xFE, 0xFF})
        thai.emplace_back(b, static_cast<char16_t>(0xF8C5 + b - 0xFC));
    auto greek = c1({0x81, 0x88, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x98, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F});
    greek.emplace_back(0xAA, u'\u00AA');
    const std::vector<std::pair<int, std::vector<std::pair<int, char16_t>>>> differing = {
        {437, pc437},
        {850, dos},
        {866, dos},
        {874, thai},
        {1250, c1({0x81, 0x83, 0x88, 0x90, 0x98})},
        {1251, c1({0x98})},
        {1252, c1({0x81, 0x8D, 0x8F, 0x90, 0x9D})},
        {1253, greek},
        {1254, c1({0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E})},
        {1255, c1({0x81, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F})},
        {1256, {}},
        {1257, c1({0x81, 0x83, 0x88, 0x8A, 0x8C, 0x90, 0x98, 0x9A, 0x9C, 0x9F})},
        {1258, c1({0x81, 0x8A, 0x8D, 0x8E, 0x8F, 0x90, 0x9A, 0x9D, 0x9E})},
        {10000, {}},
        {10007, {}},
    };
    for (const auto& [page, bytes] : differing) {
        ASSERT_TRUE(CodePage::isKnown(page)) << page;
        for (const auto& [byte, now] : bytes)
            EXPECT_EQ(CodePage::decode(QByteArray(1, static_cast<char>(byte)), page), QString(QChar(now)))
                << "code page " << page << " byte " << byte;
        // A whole run decodes as its bytes one by one: single-byte pages carry no state.
        QByteArray all;
        QString oneByOne;
        for (int b = 0; b < 256; ++b) {
            all += static_cast<char>(b);
            oneByOne += CodePage::decode(QByteArray(1, static_cast<char>(b)), page);
        }
        EXPECT_EQ(CodePage::decode(all, page), oneByOne) << page;
    }
    // Defined bytes of a few pages, for the record.
    EXPECT_EQ(CodePage::decode("\x80\xa0\xa1", 874), QStringLiteral("\u20AC\u00A0\u0E01"));
    EXPECT_EQ(CodePage::decode("\xe6\xea", 850), QStringLiteral("µÛ"));
    EXPECT_EQ(CodePage::decode("\x8e\xc6", 10000), QStringLiteral("é∆"));
    EXPECT_EQ(CodePage::decode("\x80\xdf", 10007), QStringLiteral("Ая"));
}

TEST(CodePageTest, decodesEastAsianCodePages) {
    EXPECT_EQ(CodePage::decode("\x93\xfa\x96\x7b", 932), QStringLiteral("日本"));
    EXPECT_EQ(CodePage::decode("\xd6\xd0\xce\xc4", 936), QStringLiteral("中文"));
    EXPECT_EQ(CodePage::decode("\xc7\xd1\xb1\xdb", 949), QStringLiteral("한글"));
    EXPECT_EQ(CodePage::decode("\xa4\xa4\xa4\xe5", 950), QStringLiteral("中文"));
}

} // namespace
