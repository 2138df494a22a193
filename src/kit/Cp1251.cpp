#include "kit/Cp1251.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define KIT_AVX2_DECODER 1
#include <immintrin.h>
#endif

namespace kit {
namespace {

// Code points of bytes 0x80..0xFF. 0x98 is undefined in the code page; it is kept
// as the C1 control U+0098 so that binary blobs survive the round trip.
constexpr std::array<std::uint16_t, 128> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

struct Utf8Seq {
    std::array<char, 3> bytes;
    std::uint8_t length;
};

#ifdef KIT_AVX2_DECODER
// For the 32-byte decoder. A character is looked up by a row key, its code point
// over 16 (U+2000..U+27FF as 0x80 plus bits 4-10), and its low four bits. The
// capital and small letters А..я (keys 65..68) are computed rather than looked up.
// The other rows the code page uses, twelve, fit in seven 16-byte tables (repeated
// for both lanes), one lookup each.
constexpr std::size_t kVectorTables = 7;

struct VectorTables {
    bool ready = false;
    // Rows whose low nibbles do not clash share a table; owners[t][low] holds the key
    // of the row a byte of bytes[t] belongs to (0 where none: no character's key).
    alignas(32) std::array<std::array<std::uint8_t, 32>, kVectorTables> bytes{};
    alignas(32) std::array<std::array<std::uint8_t, 32>, kVectorTables> owners{};
    // For each 8-bit mask, the positions of its set bits in order: a shuffle that
    // packs the bytes kept.
    std::array<std::uint64_t, 256> pack{};
};

int rowKey(unsigned cp) {
    if (cp < 0x800)
        return static_cast<int>(cp >> 4);
    if (cp >= 0x2000 && cp < 0x2800)
        return 0x80 | static_cast<int>((cp >> 4) & 0x7F);
    return -1;
}

bool isComputedRow(int key) {
    return key >= 65 && key <= 68;
}

void buildVectorTables(VectorTables& vt) {
    struct Row {
        int key = 0;
        unsigned used = 0; // a bit per low nibble
        std::array<std::uint8_t, 16> bytes{};
    };
    std::vector<Row> rows;
    for (std::size_t b = 0x80; b < 0x100; ++b) {
        const unsigned cp = kHigh[b - 0x80];
        const int key = rowKey(cp);
        if (key < 0)
            return; // a character the decoder cannot place: it stays off
        if (isComputedRow(key)) {
            // А..Я, а..п are U+0410..U+043F at 0xC0..0xEF; р..я U+0440..U+044F at 0xF0..0xFF.
            if (b != cp - 0x410 + 0xC0)
                return;
            continue;
        }
        auto row = std::find_if(rows.begin(), rows.end(), [&](const Row& r) { return r.key == key; });
        if (row == rows.end())
            row = rows.insert(rows.end(), Row{key, 0, {}});
        row->used |= 1u << (cp & 0x0F);
        row->bytes[cp & 0x0F] = static_cast<std::uint8_t>(b);
    }
    // Fullest rows first, each into the first table where its nibbles are free.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return std::popcount(a.used) > std::popcount(b.used); });
    std::array<unsigned, kVectorTables> used{};
    for (auto& table : vt.bytes)
        table.fill('?');
    for (const Row& row : rows) {
        std::size_t t = 0;
        while (t < kVectorTables && (used[t] & row.used) != 0)
            ++t;
        if (t == kVectorTables)
            return;
        used[t] |= row.used;
        for (unsigned low = 0; low < 16; ++low) {
            if ((row.used >> low) & 1) {
                vt.bytes[t][low] = vt.bytes[t][16 + low] = row.bytes[low];
                vt.owners[t][low] = vt.owners[t][16 + low] = static_cast<std::uint8_t>(row.key);
            }
        }
    }
    for (unsigned mask = 0; mask < 256; ++mask) {
        std::uint64_t shuffle = 0;
        int kept = 0;
        for (unsigned j = 0; j < 8; ++j) {
            if (mask & (1u << j))
                shuffle |= static_cast<std::uint64_t>(j) << (8 * kept++);
        }
        vt.pack[mask] = shuffle;
    }
    __builtin_cpu_init();
    vt.ready = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}
#endif

struct Tables {
    std::array<Utf8Seq, 256> toUtf8{};
    std::array<std::uint8_t, 65536> fromUnicode{}; // 0: not in the code page (U+0000 is handled apart)
    // Code points below U+0800 (one or two bytes of UTF-8), '?' where the page lacks one.
    std::array<std::uint8_t, 0x800> fromTwoBytes{};
    // A character of one or two bytes keyed on its first byte plus 256 times the
    // second (the second is ignored after an ASCII byte).
    std::array<std::uint8_t, 65536> fromPair{};
#ifdef KIT_AVX2_DECODER
    VectorTables vector;
#endif

    Tables() {
        for (int b = 0; b < 256; ++b) {
            const unsigned cp = b < 0x80 ? static_cast<unsigned>(b) : kHigh[static_cast<std::size_t>(b - 0x80)];
            Utf8Seq& seq = toUtf8[static_cast<std::size_t>(b)];
            if (cp < 0x80) {
                seq = {{static_cast<char>(cp), 0, 0}, 1};
            } else if (cp < 0x800) {
                seq = {{static_cast<char>(0xC0 | (cp >> 6)), static_cast<char>(0x80 | (cp & 0x3F)), 0}, 2};
            } else {
                seq = {{static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                        static_cast<char>(0x80 | (cp & 0x3F))},
                       3};
            }
            if (b != 0)
                fromUnicode[cp] = static_cast<std::uint8_t>(b);
        }
        for (std::size_t cp = 1; cp < fromTwoBytes.size(); ++cp)
            fromTwoBytes[cp] = fromUnicode[cp] != 0 ? fromUnicode[cp] : static_cast<std::uint8_t>('?');
        for (unsigned first = 0; first < 256; ++first) {
            for (unsigned second = 0; second < 256; ++second)
                fromPair[(second << 8) | first] = static_cast<std::uint8_t>(
                    first < 0x80 ? first : fromTwoBytes[((first & 0x1F) << 6) | (second & 0x3F)]);
        }
#ifdef KIT_AVX2_DECODER
        buildVectorTables(vector);
#endif
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

char toByte(const Tables& t, std::uint32_t cp) {
    if (cp == 0)
        return 0;
    if (cp > 0xFFFF)
        return '?';
    const std::uint8_t b = t.fromUnicode[cp];
    return b == 0 ? '?' : static_cast<char>(b);
}

} // namespace

bool needsUtf8(std::string_view cp1251) {
    for (char c : cp1251) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

std::string cp1251ToUtf8(std::string_view cp1251) {
    const Tables& t = tables();
    std::size_t length = 0;
    for (char c : cp1251)
        length += t.toUtf8[static_cast<unsigned char>(c)].length;
    std::string out(length, '\0');
    char* dst = out.data();
    for (char c : cp1251) {
        const Utf8Seq& seq = t.toUtf8[static_cast<unsigned char>(c)];
        dst[0] = seq.bytes[0];
        if (seq.length > 1) {
            dst[1] = seq.bytes[1];
            if (seq.length > 2)
                dst[2] = seq.bytes[2];
        }
        dst += seq.length;
    }
    return out;
}

namespace {

constexpr std::size_t kNoRoom = static_cast<std::size_t>(-1);
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
// Byte j of a loaded word sits at bits 8j..8j+7.
static_assert(std::endian::native == std::endian::little);

std::uint64_t load8(const unsigned char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// One character at src[i] of n bytes, the careful way; returns the bytes it took.
std::size_t decodeOne(const Tables& t, const unsigned char* src, std::size_t i, std::size_t n, char* out) {
    const unsigned c = src[i];
    if (c < 0x80) {
        *out = static_cast<char>(c);
        return 1;
    }
    if (c >= 0xC2 && c <= 0xDF && i + 1 < n && (src[i + 1] & 0xC0) == 0x80) {
        *out = toByte(t, ((c & 0x1F) << 6) | (src[i + 1] & 0x3F));
        return 2;
    }
    if (c >= 0xE0 && c <= 0xEF && i + 2 < n && (src[i + 1] & 0xC0) == 0x80 && (src[i + 2] & 0xC0) == 0x80) {
        const std::uint32_t cp = ((c & 0x0F) << 12) | ((src[i + 1] & 0x3F) << 6) | (src[i + 2] & 0x3F);
        // Overlong forms and surrogates are malformed.
        *out = (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) ? '?' : toByte(t, cp);
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4 && i + 3 < n && (src[i + 1] & 0xC0) == 0x80 && (src[i + 2] & 0xC0) == 0x80 &&
        (src[i + 3] & 0xC0) == 0x80) {
        *out = '?'; // beyond the Basic Multilingual Plane: never in the code page
        return 4;
    }
    *out = '?';
    return 1;
}

#ifdef KIT_AVX2_DECODER
// Whole 32-byte windows of one- to three-byte characters, from src[i] (a character
// start) on, for as long as the input is well-formed, the window lies before n, the
// characters taken so far start before `stop` and the room left holds 32 bytes;
// returns where it stopped (a character start) and advances *dst.
// Windows follow each other at a fixed stride, so that loading the next one never
// waits for this one's sums: a window gives the characters whose last byte it holds,
// and what a character cut by the window's end needs (its bytes before the cut, the
// continuation bytes it still expects) is carried over. Each character's byte is
// computed at its last byte; the other bytes are then packed out.
__attribute__((target("avx2,popcnt"))) std::size_t decodeWindows(const VectorTables& vt, const unsigned char* src,
                                                                 std::size_t n, std::size_t stop, std::size_t i,
                                                                 char** dstp, const char* end) {
    char* dst = *dstp;
    const __m256i contTop = _mm256_set1_epi8(static_cast<char>(0x80));
    const __m256i topBits = _mm256_set1_epi8(static_cast<char>(0xC0));
    __m256i before = _mm256_setzero_si256(); // the previous window
    std::uint32_t expectedNext = 0;          // continuation bytes owed at bits 0-1 of the next window
    std::uint32_t midNext = 0;               // the middle byte of a three-byte character, owed at bit 0
    std::size_t cut = 0;                     // bytes of a character cut by the window's end
    std::size_t w = i;
    while (w + 32 <= n && w - cut < stop && end - dst >= 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + w));
        const auto high = static_cast<std::uint32_t>(_mm256_movemask_epi8(v));
        if ((high | expectedNext) == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), v);
            before = v;
            dst += 32;
            w += 32;
            continue;
        }
        // As signed bytes, leads C2..DF are -62..-33 and E0..EF are -32..-17.
        const __m256i cont = _mm256_cmpeq_epi8(_mm256_and_si256(v, topBits), contTop);
        const __m256i lead2 =
            _mm256_and_si256(_mm256_cmpgt_epi8(v, _mm256_set1_epi8(-63)), _mm256_cmpgt_epi8(_mm256_set1_epi8(-32), v));
        const __m256i lead3 =
            _mm256_and_si256(_mm256_cmpgt_epi8(v, _mm256_set1_epi8(-33)), _mm256_cmpgt_epi8(_mm256_set1_epi8(-16), v));
        const auto contBits = static_cast<std::uint32_t>(_mm256_movemask_epi8(cont));
        const auto lead2Bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(lead2));
        const auto lead3Bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(lead3));
        // The code page's three-byte characters are all E2 80..9F xx (U+2000..U+27FF).
        const auto e2Bits = static_cast<std::uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8(static_cast<char>(0xE2)))));
        const auto a0UpBits =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(v, _mm256_set1_epi8(-97))));
        const std::uint64_t expected = (static_cast<std::uint64_t>(lead2Bits | lead3Bits) << 1) |
                                       (static_cast<std::uint64_t>(lead3Bits) << 2) | expectedNext;
        const std::uint32_t mids = (lead3Bits << 1) | midNext;
        if ((high & ~(contBits | lead2Bits | lead3Bits)) != 0 || ((contBits ^ expected) & 0xFFFFFFFFu) != 0 ||
            lead3Bits != (e2Bits & lead3Bits) || (mids & a0UpBits) != 0)
            break; // malformed, or characters the code page lacks: the careful way

        const __m256i carry = _mm256_permute2x128_si256(v, before, 0x03); // [before.high, v.low]
        const __m256i prev = _mm256_alignr_epi8(v, carry, 15);            // the byte before each byte
        // Row key: bits 4-10 of the code point, from the byte before and this one
        // (16-bit shifts, then masks drop what crossed from the neighbour byte); 0x80
        // marks a three-byte character, whose byte before is a continuation byte.
        __m256i key = _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi16(prev, 2), _mm256_set1_epi8(0x7C)),
                                      _mm256_and_si256(_mm256_srli_epi16(v, 4), _mm256_set1_epi8(0x03)));
        key = _mm256_or_si256(key, _mm256_andnot_si256(_mm256_slli_epi16(prev, 1), contTop));

        const __m256i low = _mm256_and_si256(v, _mm256_set1_epi8(0x0F));
        __m256i out = _mm256_set1_epi8('?');
#pragma GCC unroll 16
        for (std::size_t t = 0; t < kVectorTables; ++t) {
            const __m256i bytes = _mm256_load_si256(reinterpret_cast<const __m256i*>(vt.bytes[t].data()));
            const __m256i owners = _mm256_load_si256(reinterpret_cast<const __m256i*>(vt.owners[t].data()));
            const __m256i hit = _mm256_cmpeq_epi8(_mm256_shuffle_epi8(owners, low), key);
            out = _mm256_blendv_epi8(out, _mm256_shuffle_epi8(bytes, low), hit);
        }
        // А..п (keys 65..67) sit 0x30 above their last byte, р..я (key 68) 0x70.
        const __m256i keys65to67 = _mm256_and_si256(_mm256_cmpgt_epi8(key, _mm256_set1_epi8(64)),
                                                    _mm256_cmpgt_epi8(_mm256_set1_epi8(68), key));
        out = _mm256_blendv_epi8(out, _mm256_add_epi8(v, _mm256_set1_epi8(0x30)), keys65to67);
        out = _mm256_blendv_epi8(out, _mm256_add_epi8(v, _mm256_set1_epi8(0x70)),
                                 _mm256_cmpeq_epi8(key, _mm256_set1_epi8(68)));
        out = _mm256_blendv_epi8(v, out, v); // ASCII bytes are themselves

        // Keep each character's last byte: not a lead, not the middle of three.
        const std::uint32_t keep = ~(lead2Bits | lead3Bits | mids);
        const std::uint64_t eights = 0x0808080808080808ULL;
        const __m256i shuffle = _mm256_setr_epi64x(
            static_cast<long long>(vt.pack[keep & 0xFF]), static_cast<long long>(vt.pack[(keep >> 8) & 0xFF] + eights),
            static_cast<long long>(vt.pack[(keep >> 16) & 0xFF]), static_cast<long long>(vt.pack[keep >> 24] + eights));
        const __m256i packed = _mm256_shuffle_epi8(out, shuffle);
        const __m128i lanes[2] = {_mm256_castsi256_si128(packed), _mm256_extracti128_si256(packed, 1)};
        for (int lane = 0; lane < 2; ++lane) {
            const __m128i l = lanes[lane];
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), l);
            dst += __builtin_popcount((keep >> (16 * lane)) & 0xFF);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm_unpackhi_epi64(l, l));
            dst += __builtin_popcount((keep >> (16 * lane + 8)) & 0xFF);
        }
        expectedNext = static_cast<std::uint32_t>(expected >> 32);
        midNext = lead3Bits >> 31;
        // A lead at 31, or a three-byte lead at 30, starts a character cut by the end.
        cut = (lead2Bits | lead3Bits) >> 31 ? 1 : ((lead3Bits >> 30) & 1) * 2;
        before = v;
        w += 32;
    }
    *dstp = dst;
    return w - cut;
}
#endif

// Read once per call; only tests switch it.
std::atomic<bool> g_vectorDecoding{true};

// Decodes the characters that start before `stop` into dst, which has room for
// `room` bytes; returns the bytes written, or kNoRoom when the input needs more.
// *consumed receives the input bytes taken (at least `stop`; the bytes from `stop`
// on serve as lookahead and may be taken as well).
std::size_t decodeUtf8(const Tables& t, std::string_view utf8, std::size_t stop, char* dst, std::size_t room,
                       std::size_t* consumed) {
    const auto* src = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    char* const begin = dst;
    char* const end = dst + room;
    std::size_t i = 0;
#ifdef KIT_AVX2_DECODER
    // Where the 32-byte decoder stopped, the ways below take over for one window's
    // length before it tries again, so malformed input costs it one attempt a window.
    const bool windows = t.vector.ready && g_vectorDecoding.load(std::memory_order_relaxed);
    std::size_t windowsFrom = 0;
#endif
    // Without it, or where it stopped: blobs are about half ASCII and half two-byte
    // sequences in random order. An eight-byte block is decoded, up to its first byte
    // that is neither of those, without a branch per byte: every byte writes its
    // character, and continuation bytes are overwritten by the next one. A block that
    // starts with anything else (three-byte characters, malformed input) goes the
    // careful way, one character.
    while (i + 8 <= n && i < stop) {
#ifdef KIT_AVX2_DECODER
        if (windows && i >= windowsFrom) {
            i = decodeWindows(t.vector, src, n, stop, i, &dst, end);
            windowsFrom = i + 32;
            continue;
        }
#endif
        const std::uint64_t w = load8(src + i);
        if (end - dst >= 8) {
            const std::uint64_t high = w & kHighBits;
            if (high == 0) {
                std::memcpy(dst, src + i, 8);
                dst += 8;
                i += 8;
                continue;
            }
            const std::uint64_t bit6 = (w << 1) & kHighBits;
            const std::uint64_t bit5 = (w << 2) & kHighBits;
            const std::uint64_t cont = high & ~bit6;
            const std::uint64_t leads = high & bit6;
            // Leads of two-byte forms are C2..DF: C0 and C1 would be overlong, so one
            // of bits 1-4 must be set.
            const std::uint64_t hasBits1to4 = ((w & 0x1E1E1E1E1E1E1E1EULL) + 0x7F7F7F7F7F7F7F7FULL) & kHighBits;
            const std::uint64_t lead2 = leads & ~bit5 & hasBits1to4;
            const std::uint64_t bad = (leads & ~lead2) | (cont ^ (lead2 << 8));
            // The block goes up to its first byte the fast way cannot take, less a lead
            // whose continuation is not in it. No branches, which blobs would
            // mispredict: a sentinel bit stands for "no bad byte" and gives 8.
            auto take = static_cast<unsigned>((__builtin_ctzll((bad >> 1) | (1ULL << 63)) + 1) / 8);
            take -= static_cast<unsigned>((lead2 >> ((8 * take - 1) & 63)) & 1) & static_cast<unsigned>(take != 0);
            if (take > 0) {
                // Bytes come from the loaded word rather than memory: a store through
                // char* could alias the input, which would force a reload per byte.
                // All eight bytes are written; only the first `take` count.
                const std::uint8_t* table = t.fromPair.data();
                // Byte j goes to j less the continuation bytes before it (a continuation
                // byte lands where the next character will overwrite it). The running
                // counts come out of one multiplication, a byte each.
                const std::uint64_t offsets = 0x0706050403020100ULL - (cont >> 7) * 0x0101010101010100ULL;
#pragma GCC unroll 8
                for (int j = 0; j < 8; ++j)
                    dst[(offsets >> (8 * j)) & 0xFF] = static_cast<char>(table[(w >> (8 * j)) & 0xFFFF]);
                const std::uint64_t taken = cont & (~0ULL >> (64 - 8 * take));
                dst += take - static_cast<unsigned>(((taken >> 7) * 0x0101010101010101ULL) >> 56);
                i += take;
                continue;
            }
        }
        if (dst == end)
            return kNoRoom;
        i += decodeOne(t, src, i, n, dst++);
    }
    while (i < stop) {
        if (dst == end)
            return kNoRoom;
        i += decodeOne(t, src, i, n, dst++);
    }
    *consumed = i;
    return static_cast<std::size_t>(dst - begin);
}

// Bytes that are not UTF-8 continuation bytes (10xxxxxx), eight at a time.
std::size_t countCharacterStarts(std::string_view utf8) {
    const auto* src = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t continuations = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t w = load8(src + i);
        // One bit per byte at most: the multiplication adds them up in the top byte.
        continuations += static_cast<std::size_t>((((w & ~(w << 1) & kHighBits) >> 7) * 0x0101010101010101ULL) >> 56);
    }
    for (; i < n; ++i)
        continuations += (src[i] & 0xC0) == 0x80 ? 1 : 0;
    return n - continuations;
}

} // namespace

std::string utf8ToCp1251(std::string_view utf8) {
    const Tables& t = tables();
    // Every byte that is not a continuation byte starts one character, so well-formed
    // input fits exactly: no oversized buffer stays behind in a table of blobs.
    const std::size_t count = countCharacterStarts(utf8);
    std::string out(count, '\0');
    std::size_t consumed = 0;
    if (decodeUtf8(t, utf8, utf8.size(), out.data(), count, &consumed) == count)
        return out;
    // Stray continuation bytes each become '?': at most one character per byte.
    out.assign(utf8.size(), '\0');
    out.resize(decodeUtf8(t, utf8, utf8.size(), out.data(), out.size(), &consumed));
    return out;
}

std::size_t utf8PieceToCp1251(std::string_view utf8, bool final, char* out, std::size_t* written) {
    // A character is at most four bytes: one that starts three bytes or more before
    // the end is whole, or malformed whatever follows.
    const std::size_t stop = final ? utf8.size() : (utf8.size() > 3 ? utf8.size() - 3 : 0);
    std::size_t consumed = 0;
    // At most one character per byte, so the room never runs out.
    *written = decodeUtf8(tables(), utf8, stop, out, utf8.size(), &consumed);
    return consumed;
}

namespace detail {

bool setVectorDecoding(bool on) {
    return g_vectorDecoding.exchange(on);
}

bool hasVectorDecoding() {
#ifdef KIT_AVX2_DECODER
    return tables().vector.ready;
#else
    return false;
#endif
}

} // namespace detail

std::string utf16leToCp1251(std::string_view utf16le) {
    const Tables& t = tables();
    std::string out;
    out.reserve(utf16le.size() / 2);
    const auto* src = reinterpret_cast<const unsigned char*>(utf16le.data());
    const std::size_t units = utf16le.size() / 2;
    for (std::size_t u = 0; u < units; ++u) {
        const std::uint32_t unit = src[2 * u] | (static_cast<std::uint32_t>(src[2 * u + 1]) << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && u + 1 < units) {
            const std::uint32_t next = src[2 * u + 2] | (static_cast<std::uint32_t>(src[2 * u + 3]) << 8);
            if (next >= 0xDC00 && next <= 0xDFFF)
                ++u; // a pair stands for one character outside the code page
            out.push_back('?');
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            out.push_back('?');
        } else {
            out.push_back(toByte(t, unit));
        }
    }
    return out;
}

} // namespace kit
