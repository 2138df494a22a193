#include "kit/KitDump.h"
#include "kit/KitManifest.h"
#include "kit/StationTables.h"
#include "kit/TableStream.h"
#include "support/KitStreamBuilder.h"

#include <gtest/gtest.h>

#include <limits>

using kit::MemTable;

namespace {

MemTable fromManifest(std::string_view text) {
    MemTable t;
    std::string error;
    EXPECT_TRUE(kit::parseManifest(text, ".", "m", &t, &error)) << error;
    return t;
}

std::string manifestError(std::string_view text) {
    MemTable t;
    std::string error;
    EXPECT_FALSE(kit::parseManifest(text, ".", "m", &t, &error));
    return error;
}

} // namespace

TEST(KitDump, printsEveryTypeInItsJsonForm) {
    MemTable t = fromManifest("field i SmallInt\nfield w Word\nfield n LargeInt\nfield b Boolean\n"
                              "field f Float\nfield d DateTime\nfield c Currency\nfield s String 5 label=\"Имя\"\n"
                              "field m Memo\nrow\ni = -32768\nw = 65535\nn = 9223372036854775807\nb = false\n"
                              "f = -inf\nd = 43605.5\nc = 0.1\ns = Ёж\"\\\\\nm null\n");
    const std::string json = kit::dumpJson(t, 251);
    EXPECT_NE(json.find("\"label\": \"Имя\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"values\": [-32768, 65535, 9223372036854775807, false, \"-inf\", 43605.5, "
                        "0.10000000000000001, \"a8e6225c\", null]"),
              std::string::npos)
        << json;
    EXPECT_EQ(json.rfind("{\"version\": 251, \"fields\": [", 0), 0u);
}

TEST(KitDump, listsDeletedRecordsAndOlderVersions) {
    KitStreamBuilder b;
    b.signature().int16(251).list().field("n", "Integer", 0).end().list().end().list();
    b.list().int8(1).boolean(false).int8(10).int8(0).boolean(false).int8(9).end();
    b.list().int8(3).boolean(true).end();
    b.end();
    MemTable t;
    std::string error;
    ASSERT_TRUE(kit::readTableStream(t, b.bytes(), &error)) << error;
    const std::string json = kit::dumpJson(t, 251);
    EXPECT_NE(json.find("{\"status\": 1, \"deleted\": false, \"values\": [10], \"history\": [{\"status\": 0, "
                        "\"values\": [9]}]}"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"status\": 3, \"deleted\": true, \"values\": [null], \"history\": []}"), std::string::npos);
    const std::string text = kit::dumpText(t, 251);
    EXPECT_NE(text.find("record 2 (deleted)\n  n = null\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  older version 1 (unchanged)\n    n = 9\n"), std::string::npos) << text;
}

TEST(KitDump, showsBlobsAsSizeAndChecksumAndTextsAsUtf8) {
    MemTable t = fromManifest("field b Blob\nfield m Memo\nrow\nb hex 00 01 ff\nm = строка\\nвторая\n");
    const std::string text = kit::dumpText(t, 251);
    EXPECT_NE(text.find("  b = <3 bytes, crc32 "), std::string::npos) << text;
    EXPECT_NE(text.find("  m = \"строка\\nвторая\"\n"), std::string::npos) << text;
}

TEST(KitManifest, readsFieldOptionsIndexesStatusesAndEscapes) {
    MemTable t = fromManifest("# comment\n\nfield VarNo Integer required readonly width=4 kind=Lookup "
                              "default=\"1+1\" mask=99\nindex ix VarNo display=Disp descending caseinsensitive "
                              "notmaintained unique\nrow status=2\n  varno = 12\r\n");
    ASSERT_EQ(t.fields().size(), 1u);
    const kit::FieldDef& f = t.fields()[0];
    EXPECT_TRUE(f.required);
    EXPECT_TRUE(f.readOnly);
    EXPECT_EQ(f.width, 4);
    EXPECT_EQ(f.kind, kit::FieldKind::Lookup);
    EXPECT_EQ(f.defaultExpr, "1+1");
    EXPECT_EQ(f.mask, "99");
    ASSERT_EQ(t.indexes().size(), 1u);
    EXPECT_EQ(t.indexes()[0].display, "Disp");
    EXPECT_TRUE(t.indexes()[0].descending && t.indexes()[0].caseInsensitive && t.indexes()[0].notMaintained &&
                t.indexes()[0].unique);
    EXPECT_EQ(t.data().records[0].status, 2);
    EXPECT_EQ(t.asText("VarNo"), "12");
}

TEST(KitManifest, rejectsMistakesNamingTheLine) {
    EXPECT_EQ(manifestError(""), "m:1: the manifest describes no field");
    EXPECT_EQ(manifestError("field x Text\n"), "m:1: unknown or forbidden field type 'Text'");
    EXPECT_EQ(manifestError("field x Guid\n"), "m:1: unknown or forbidden field type 'Guid'");
    EXPECT_EQ(manifestError("field x Integer\nfield X String\n"), "m:2: the field 'X' is described already");
    EXPECT_EQ(manifestError("field x Integer\nrow\nx = 1.5\n"), "m:3: not an integer: '1.5'");
    EXPECT_EQ(manifestError("field x SmallInt\nrow\nx = 40000\n"),
              "m:3: the number is out of the field type's range: 40000");
    EXPECT_EQ(manifestError("field x Integer\nrow\ny = 1\n"), "m:3: no field 'y'");
    EXPECT_EQ(manifestError("field x Integer\nx = 1\n"), "m:2: a field value outside a row (or an unknown word 'x')");
    EXPECT_EQ(manifestError("field x Integer\nrow\nfield y Integer\n"),
              "m:3: fields are described before the first row line");
    EXPECT_EQ(manifestError("field x String 3\nrow\nx = abcd\n"), "m:3: the value is longer than the field's size (3)");
    EXPECT_EQ(manifestError("field x Date\nrow\nx = 0\n"), "m:3: date 0 reads as an empty value; write null");
    EXPECT_EQ(manifestError("field x Blob\nrow\nx < no-such-file.bin\n"),
              "m:3: cannot open the file './no-such-file.bin'");
    EXPECT_EQ(manifestError("field x Integer\nrow\nx hex 01\n"), "m:3: 'hex' is only for string and binary fields");
    EXPECT_EQ(manifestError("field x Memo\nrow\nx = 日本\n"),
              "m:3: the text holds characters outside code page Windows-1251, or invalid UTF-8");
    EXPECT_EQ(manifestError("field x Memo\nrow\nx = a\\q\n"), "m:3: unknown escape sequence \\q");
    EXPECT_EQ(manifestError("field x Integer label=\"open\n"), "m:1: no closing quote");
}

TEST(KitManifest, loadsBlobFilesRelativeToTheManifest) {
    MemTable t;
    std::string error;
    ASSERT_TRUE(kit::loadManifest(std::string(ZUNT_TEST_DATA) + "/kit/sample/manifest.txt", &t, &error)) << error;
    ASSERT_TRUE(t.locate("VarNo", 1));
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    EXPECT_EQ(t.asBytes("t1Aud"), all + all + all + all);
    EXPECT_EQ(t.asText("subjname"), "\xC0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xE8\xE9 \xFF\xE7\xFB\xEA");
    EXPECT_EQ(t.data().records[1].values[1].bytes, "AB");
}
