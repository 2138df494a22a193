#include "kit/TableStream.h"
#include "kit/TableWriter.h"

#include <gtest/gtest.h>

namespace {

std::string integerBytes(std::int64_t v) {
    std::string out;
    kit::TableWriter(&out).writeInteger(v);
    return out;
}

std::string stringBytes(std::string_view s) {
    std::string out;
    kit::TableWriter(&out).writeString(s);
    return out;
}

} // namespace

TEST(TableWriter, writesIntegersWithTheSmallestTagAtEachBoundary) {
    EXPECT_EQ(integerBytes(127), std::string("\x02\x7F", 2));
    EXPECT_EQ(integerBytes(-128), std::string("\x02\x80", 2));
    EXPECT_EQ(integerBytes(128), std::string("\x03\x80\x00", 3));
    EXPECT_EQ(integerBytes(-129), std::string("\x03\x7F\xFF", 3));
    EXPECT_EQ(integerBytes(32767), std::string("\x03\xFF\x7F", 3));
    EXPECT_EQ(integerBytes(-32768), std::string("\x03\x00\x80", 3));
    EXPECT_EQ(integerBytes(32768), std::string("\x04\x00\x80\x00\x00", 5));
    EXPECT_EQ(integerBytes(40000), std::string("\x04\x40\x9C\x00\x00", 5));
    EXPECT_EQ(integerBytes(-32769), std::string("\x04\xFF\x7F\xFF\xFF", 5));
}

TEST(TableWriter, choosesStringTagByLengthAndContent) {
    const std::string s255(255, 'a');
    EXPECT_EQ(stringBytes(s255), "\x06\xFF" + s255);
    const std::string s256(256, 'b');
    EXPECT_EQ(stringBytes(s256), std::string("\x0C\x00\x01\x00\x00", 5) + s256);
    EXPECT_EQ(stringBytes(""), std::string("\x06\x00", 2));
    // "Да" in Windows-1251 goes out as UTF-8 under tag 20.
    EXPECT_EQ(stringBytes("\xC4\xE0"), std::string("\x14\x04\x00\x00\x00", 5) + "Да");
}

TEST(TableWriter, writesDefaultLabelAndWidthForAStringField) {
    kit::FieldDef def;
    def.name = "name";
    def.type = kit::FieldType::String;
    def.size = 30;
    kit::MemTable table({def});
    const std::string bytes = kit::writeTableStream(table);
    const std::string expected = std::string("TPF0\x03\xFB\x00\x01", 8) + "\x06\x04name\x06\x06String\x02\x1E" +
                                 "\x06\x04name" + std::string("\x06\x00\x02\x1E\x08\x08", 6) + "\x06\x04" + "Data" +
                                 std::string("\x06\x00\x00\x01\x00\x01\x00", 7);
    EXPECT_EQ(bytes, expected);
}

TEST(TableWriter, writesNullFlagsAndTypedValues) {
    kit::FieldDef flag{.name = "f", .type = kit::FieldType::Boolean};
    kit::FieldDef big{.name = "n", .type = kit::FieldType::LargeInt};
    kit::MemTable table({flag, big});
    table.append();
    table.setText("f", "True");
    table.post();
    const std::string bytes = kit::writeTableStream(table);
    // Record: list, status 0, not null + true, null flag for n, end of record, end of records.
    EXPECT_EQ(bytes.substr(bytes.size() - 9), std::string("\x01\x01\x02\x00\x08\x09\x09\x00\x00", 9));
}
