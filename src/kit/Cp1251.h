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
// UTF-16LE bytes (a string of tag 18) to Windows-1251; an odd trailing byte is ignored.
std::string utf16leToCp1251(std::string_view utf16le);
// True when the text holds a byte of 128 or more, i.e. its UTF-8 form differs.
bool needsUtf8(std::string_view cp1251);

} // namespace kit
