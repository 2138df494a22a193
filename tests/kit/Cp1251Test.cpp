#include "kit/Cp1251.h"

#include <gtest/gtest.h>

using kit::cp1251ToUtf8;
using kit::utf8ToCp1251;

TEST(Cp1251, convertsCyrillicBothWays) {
    const std::string cp = "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xB8"; // "Привет, Ёё"
    EXPECT_EQ(cp1251ToUtf8(cp), "Привет, Ёё");
    EXPECT_EQ(utf8ToCp1251("Привет, Ёё"), cp);
}

TEST(Cp1251, mapsHighBytesLikeTheCodePage) {
    EXPECT_EQ(cp1251ToUtf8("\x88"), "€");
    EXPECT_EQ(cp1251ToUtf8("\xB9"), "№");
    EXPECT_EQ(cp1251ToUtf8("\x96\x97"), "–—");
    EXPECT_EQ(cp1251ToUtf8("\xA0"), "\u00A0");
    EXPECT_EQ(cp1251ToUtf8("\xC0\xFF"), "Ая");
    EXPECT_EQ(utf8ToCp1251("«№»"), "\xAB\xB9\xBB");
}

TEST(Cp1251, keepsEveryByteValueThroughTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::string utf8 = cp1251ToUtf8(all);
    EXPECT_EQ(utf8ToCp1251(utf8), all);
    // The undefined byte 0x98 becomes U+0098 and comes back.
    EXPECT_EQ(cp1251ToUtf8("\x98"), "\xC2\x98");
    EXPECT_EQ(utf8ToCp1251("\xC2\x98"), "\x98");
}

TEST(Cp1251, replacesCharactersOutsideTheCodePageAndMalformedInput) {
    EXPECT_EQ(utf8ToCp1251("a日b"), "a?b");
    EXPECT_EQ(utf8ToCp1251("😀"), "?");
    EXPECT_EQ(utf8ToCp1251("\xC3"), "?");         // truncated sequence
    EXPECT_EQ(utf8ToCp1251("\xC0\xAF"), "??");    // overlong form
    EXPECT_EQ(utf8ToCp1251("\xED\xA0\x80"), "?"); // surrogate
    EXPECT_EQ(utf8ToCp1251(std::string("\0x", 2)), std::string("\0x", 2));
}

TEST(Cp1251, convertsUtf16LittleEndian) {
    const std::string units("\x01\x04\x36\x04\x41\x00\x3D\xD8\x00\xDE", 10); // Ёж A, then a surrogate pair
    EXPECT_EQ(kit::utf16leToCp1251(units), "\xA8\xE6\x41?");
    EXPECT_EQ(kit::utf16leToCp1251(std::string("\x41\x00\x42", 3)), "A"); // odd byte ignored
}

TEST(Cp1251, tellsWhenTextNeedsUtf8) {
    EXPECT_FALSE(kit::needsUtf8("plain ascii ~\x7F"));
    EXPECT_TRUE(kit::needsUtf8("x\x80"));
}

namespace {

// The careful decoder alone: pieces short enough for it, split where a character starts.
std::string decodePiecewise(const std::string& utf8) {
    std::string out;
    std::size_t start = 0;
    while (start < utf8.size()) {
        std::size_t end = std::min(utf8.size(), start + 1000);
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
            ++end;
        out += utf8ToCp1251(std::string_view(utf8).substr(start, end - start));
        start = end;
    }
    return out;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::string s(n, '\0');
    unsigned x = seed;
    for (char& c : s) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 16);
    }
    return s;
}

} // namespace

TEST(Cp1251, keepsLongBinaryBlobsThroughTheRoundTrip) {
    const std::string blob = randomBytes(300000, 7);
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(blob)), blob);
    const std::string text(20000, '\xE0');
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(text)), text);
    const std::string symbols = [] {
        std::string s;
        while (s.size() < 30000)
            s += "\x85\x99\xB9\x88 a";
        return s;
    }();
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(symbols)), symbols);
}

TEST(Cp1251, decodesLongMalformedInputLikeShortInput) {
    std::string utf8 = cp1251ToUtf8(randomBytes(50000, 11));
    const std::string bad[] = {"\xC0\xAF", "\xED\xA0\x80", "\xF0\x9F\x98\x80", "\xE2\x82", "\x80\x80", "\xFF"};
    for (std::size_t k = 0; k < std::size(bad); ++k) {
        std::string broken = utf8;
        broken.insert(9000 + 7000 * k, bad[k]);
        EXPECT_EQ(utf8ToCp1251(broken), decodePiecewise(broken)) << k;
        broken.append(bad[k]);
        EXPECT_EQ(utf8ToCp1251(broken), decodePiecewise(broken)) << k;
    }
    const std::string text = cp1251ToUtf8(std::string(10000, '\xC0')) + "日本" + cp1251ToUtf8(std::string(10000, 'z'));
    EXPECT_EQ(utf8ToCp1251(text), std::string(10000, '\xC0') + "??" + std::string(10000, 'z'));
}
