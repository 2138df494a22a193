#include "kit/Cp1251.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using kit::cp1251ToUtf8;
using kit::utf8ToCp1251;

namespace {

// Runs a check with each decoder this processor has: the 32-byte one where there
// is one, and the portable one.
template <typename Check> void withEachDecoder(const Check& check) {
    for (const bool vector : {true, false}) {
        if (vector && !kit::detail::hasVectorDecoding())
            continue;
        SCOPED_TRACE(vector ? "32-byte decoder" : "portable decoder");
        const bool was = kit::detail::setVectorDecoding(vector);
        check();
        kit::detail::setVectorDecoding(was);
    }
}

} // namespace

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
    const std::string text(20000, '\xE0');
    const std::string symbols = [] {
        std::string s;
        while (s.size() < 30000)
            s += "\x85\x99\xB9\x88 a";
        return s;
    }();
    withEachDecoder([&] {
        EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(blob)), blob);
        EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(text)), text);
        EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(symbols)), symbols);
    });
}

TEST(Cp1251, decodesLongMalformedInputLikeShortInput) {
    std::string utf8 = cp1251ToUtf8(randomBytes(50000, 11));
    const std::string bad[] = {"\xC0\xAF", "\xED\xA0\x80", "\xF0\x9F\x98\x80", "\xE2\x82", "\x80\x80", "\xFF"};
    const std::string text = cp1251ToUtf8(std::string(10000, '\xC0')) + "日本" + cp1251ToUtf8(std::string(10000, 'z'));
    withEachDecoder([&] {
        for (std::size_t k = 0; k < std::size(bad); ++k) {
            std::string broken = utf8;
            broken.insert(9000 + 7000 * k, bad[k]);
            EXPECT_EQ(utf8ToCp1251(broken), decodePiecewise(broken)) << k;
            broken.append(bad[k]);
            EXPECT_EQ(utf8ToCp1251(broken), decodePiecewise(broken)) << k;
        }
        EXPECT_EQ(utf8ToCp1251(text), std::string(10000, '\xC0') + "??" + std::string(10000, 'z'));
    });
}

namespace {

// A plain decoder with the documented rules, one character at a time: the fast
// paths must give exactly what it gives, malformed input included.
std::string referenceDecode(const std::string& utf8) {
    std::map<std::string, char> byteOf;
    for (int b = 1; b < 256; ++b)
        byteOf[cp1251ToUtf8(std::string(1, static_cast<char>(b)))] = static_cast<char>(b);
    const auto at = [&](std::size_t i) {
        return static_cast<unsigned char>(utf8[i]);
    };
    const auto isCont = [&](std::size_t i) {
        return i < utf8.size() && (at(i) & 0xC0) == 0x80;
    };
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned c = at(i);
        std::size_t len = 0;
        if (c < 0x80)
            len = 1;
        else if (c >= 0xC2 && c <= 0xDF)
            len = 2;
        else if (c >= 0xE0 && c <= 0xEF)
            len = 3;
        else if (c >= 0xF0 && c <= 0xF4)
            len = 4;
        bool whole = len > 0;
        for (std::size_t k = 1; whole && k < len; ++k)
            whole = isCont(i + k);
        if (!whole) {
            out += '?';
            ++i;
            continue;
        }
        if (len == 3) {
            const unsigned cp = ((c & 0x0F) << 12) | ((at(i + 1) & 0x3F) << 6) | (at(i + 2) & 0x3F);
            if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) {
                out += '?';
                i += 3;
                continue;
            }
        }
        const std::string seq = utf8.substr(i, len);
        const auto found = byteOf.find(seq);
        out += len == 1 ? seq[0] : (found != byteOf.end() ? found->second : '?');
        i += len;
    }
    return out;
}

// Mixed one-, two- and three-byte characters, as around a sample in an audio blob.
const std::string kContext = cp1251ToUtf8("a\xC6z\xE9\xF7q\xC0w\xFF-\xA8\x85\xB8k\xB0\x96");

// Feeds utf8PieceToCp1251 pieces of the given size, carrying cut characters over.
std::string decodeInPieces(const std::string& utf8, std::size_t pieceSize) {
    std::string out;
    std::string piece;
    std::size_t pos = 0;
    do {
        const std::size_t take = std::min(pieceSize, utf8.size() - pos);
        piece += utf8.substr(pos, take);
        pos += take;
        std::string chunk(piece.size(), '\0');
        std::size_t written = 0;
        const std::size_t used = kit::utf8PieceToCp1251(piece, pos == utf8.size(), chunk.data(), &written);
        out.append(chunk, 0, written);
        piece.erase(0, used);
    } while (pos < utf8.size());
    EXPECT_TRUE(piece.empty());
    return out;
}

} // namespace

TEST(Cp1251, decodesEveryByteValueAtEveryPlaceOfABlockOrWindow) {
    // One-, two- and three-byte characters in turn, so that the byte under test
    // falls at every place of an eight-byte block and of a 32-byte window, and
    // characters are cut at every place by a window's end.
    std::string pattern;
    for (std::size_t k = 0; k < 90; ++k)
        pattern += "x\xE0\x85y\xFF"[k % 5];
    withEachDecoder([&] {
        for (int b = 0; b < 256; ++b) {
            for (std::size_t offset = 0; offset < 72; ++offset) {
                std::string cp = pattern;
                cp[offset] = static_cast<char>(b);
                ASSERT_EQ(utf8ToCp1251(cp1251ToUtf8(cp)), cp) << b << " at " << offset;
            }
        }
    });
}

TEST(Cp1251, decodesEveryTwoAndThreeByteSequenceLikeThePlainDecoder) {
    std::string two;
    for (int lead = 0xC0; lead <= 0xDF; ++lead) {
        for (int cont = 0x80; cont <= 0xBF; ++cont) {
            two += static_cast<char>(lead);
            two += static_cast<char>(cont);
            two += (cont % 3 == 0) ? "b" : "";
        }
    }
    // Every lead E0..EF with every pair of continuation bytes: the code page's
    // characters (E2 80..84), others it lacks, overlong forms and surrogates.
    std::string three;
    for (int lead = 0xE0; lead <= 0xEF; ++lead) {
        for (int mid = 0x80; mid <= 0xBF; ++mid) {
            for (int last = 0x80; last <= 0xBF; ++last) {
                three += static_cast<char>(lead);
                three += static_cast<char>(mid);
                three += static_cast<char>(last);
                three += (last % 7 == 0) ? "\xD0\x90" : ((last % 5 == 0) ? "c" : "");
            }
        }
    }
    withEachDecoder([&] {
        EXPECT_EQ(utf8ToCp1251(two), referenceDecode(two));
        EXPECT_EQ(utf8ToCp1251(two.substr(1)), referenceDecode(two.substr(1))); // every pair shifted by one
        EXPECT_EQ(utf8ToCp1251(three), referenceDecode(three));
    });
}

TEST(Cp1251, decodesMalformedSequencesAtEveryPlaceLikeThePlainDecoder) {
    const std::string bad[] = {"\x80",         "\xBF\xBF",     "\xC0\xAF",         "\xC1\x80",         "\xC2",
                               "\xDF\x41",     "\xC3\xC3\xA9", "\xE2\x82",         "\xE2\x82\xAC",     "\xE0\x80\x80",
                               "\xED\xA0\x80", "\xEF\xBF\xBF", "\xF0\x9F\x98\x80", "\xF5\x80\x80\x80", "\xFE",
                               "\xFF",         "\xE2\xA0\x80", "\xE3\x80\x80"};
    // Long enough for the bad bytes to fall at every place of a 32-byte window.
    const std::string context = kContext + kContext + kContext + kContext;
    withEachDecoder([&] {
        for (const std::string& b : bad) {
            for (std::size_t offset = 0; offset <= 70; ++offset) {
                const std::string utf8 = context.substr(0, offset) + b + context.substr(offset) + kContext;
                ASSERT_EQ(utf8ToCp1251(utf8), referenceDecode(utf8)) << offset;
                const std::string atEnd = context + context.substr(0, offset) + b;
                ASSERT_EQ(utf8ToCp1251(atEnd), referenceDecode(atEnd)) << offset;
            }
        }
    });
}

TEST(Cp1251, decodesPiecesCutAnywhereLikeTheWholeText) {
    std::string utf8 = cp1251ToUtf8(randomBytes(3000, 5));
    utf8.insert(100, "\xE2\x82");
    utf8.insert(700, "\xF0\x9F\x98\x80");
    utf8.insert(1500, "\xC3");
    utf8 += "\xE2\x84";
    const std::string whole = referenceDecode(utf8);
    withEachDecoder([&] {
        ASSERT_EQ(utf8ToCp1251(utf8), whole);
        for (std::size_t size : {1, 2, 3, 4, 5, 7, 8, 9, 13, 31, 32, 33, 35, 64, 1000}) {
            EXPECT_EQ(decodeInPieces(utf8, size), whole) << size;
        }
    });
    EXPECT_EQ(decodeInPieces("", 4), "");
    // A piece of three bytes or less takes nothing unless it is the last.
    char out[4];
    std::size_t written = 7;
    EXPECT_EQ(kit::utf8PieceToCp1251("abc", false, out, &written), 0u);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(kit::utf8PieceToCp1251("abc", true, out, &written), 3u);
    EXPECT_EQ(std::string(out, written), "abc");
}
