#pragma once

#include <string>
#include <string_view>

// Conversion between the station's single-byte code page (Windows-1251) and UTF-8.
// Blobs (audio, rich text) travel through these functions, so the pair is lossless
// for every one of the 256 byte values: the one byte Windows-1251 leaves undefined,
// 0x98, maps to U+0098 and back. utf8ToCp1251 turns a character the code page lacks,
// or a malformed sequence, into '?'.
namespace kit {

std::string cp1251ToUtf8(std::string_view cp1251);
std::string utf8ToCp1251(std::string_view utf8);
// Piece by piece: writes what utf8ToCp1251 makes of the characters at the start of
// `utf8` to out, which has room for utf8.size() bytes, sets *written and returns the
// bytes it took. Unless `final`, it leaves up to three bytes at the end, as the next
// piece may continue the character they start; the caller puts them before that
// piece. Pieces so fed decode exactly as the whole text does.
std::size_t utf8PieceToCp1251(std::string_view utf8, bool final, char* out, std::size_t* written);
// UTF-16LE bytes (a string of tag 18) to Windows-1251; an odd trailing byte is ignored.
std::string utf16leToCp1251(std::string_view utf16le);
// True when the text holds a byte of 128 or more, i.e. its UTF-8 form differs.
bool needsUtf8(std::string_view cp1251);

namespace detail {
// For tests: whether this processor has the 32-byte decoder, and switching it off
// (returns the previous setting) so that the portable decoder can be checked too.
bool hasVectorDecoding();
bool setVectorDecoding(bool on);
} // namespace detail

} // namespace kit
