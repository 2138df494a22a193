#pragma once

// Tags that open each value of a table stream; the reader and the writer share them.
namespace kit {

enum StreamTag : unsigned char {
    TagEnd = 0,
    TagList = 1,
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagExtended = 5,
    TagString = 6,
    TagFalse = 8,
    TagTrue = 9,
    TagLString = 12,
    TagWString = 18,
    TagInt64 = 19,
    TagUtf8String = 20,
};

} // namespace kit
