#include "support/KitStreamBuilder.h"
#include "kit/Cp1251.h"
#include "kit/TableStream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using kit::FieldType;
using kit::MemTable;

namespace {

std::string loadError(std::string_view bytes) {
    MemTable table;
    std::string error;
    EXPECT_FALSE(kit::readTableStream(table, bytes, &error));
    return error;
}

// A version-251 stream with one field of the given type and one record holding `value`.
std::string oneValueStream(std::string_view type, int size, const std::string& value) {
    KitStreamBuilder b;
    b.signature().int16(251).list().field("v", type, size).end().list().end();
    b.list().list().int8(0).boolean(false).raw(value).end().end();
    return b.bytes();
}

MemTable loaded(std::string_view bytes) {
    MemTable table;
    std::string error;
    EXPECT_TRUE(kit::readTableStream(table, bytes, &error)) << error;
    return table;
}

} // namespace

TEST(TableReader, readsVersion249WithIndexesStatusesAndNullFlagsButNoKinds) {
    KitStreamBuilder b;
    b.signature().int16(249).list().field("id", "Integer", 0, 249).field("name", "String", 10, 249).end();
    b.list().str("byId").str("id").str("ById").boolean(true).boolean(false).boolean(false).boolean(true).end();
    b.list();
    b.list().int8(2).boolean(false).int16(300).boolean(true).end();
    b.end();
    MemTable t = loaded(b.bytes());
    ASSERT_EQ(t.fields().size(), 2u);
    EXPECT_EQ(t.fields()[0].kind, kit::FieldKind::Data);
    EXPECT_EQ(t.fields()[1].defaultExpr, "");
    ASSERT_EQ(t.indexes().size(), 1u);
    EXPECT_EQ(t.indexes()[0].display, "ById");
    EXPECT_TRUE(t.indexes()[0].descending);
    EXPECT_TRUE(t.indexes()[0].unique);
    EXPECT_FALSE(t.indexes()[0].caseInsensitive);
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.data().records[0].status, 2);
    EXPECT_EQ(t.asText("id"), "300");
    EXPECT_TRUE(t.isNull("name"));
}

TEST(TableReader, readsStreamWithListRightAfterSignatureAsVersion100) {
    KitStreamBuilder b;
    b.signature().list().field("VarNo", "Integer", 0, 100).field("txt", "Memo", 0, 100).end();
    // No index list; records are bare values, no status, no null flags.
    b.list().int8(1).str("one").int8(2).lstr("two").end();
    MemTable t = loaded(b.bytes());
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_TRUE(t.indexes().empty());
    EXPECT_EQ(t.asText("txt"), "one");
    ASSERT_TRUE(t.locate("varno", 2));
    EXPECT_EQ(t.asBytes("TXT"), "two");
}

TEST(TableReader, readsVersion230RecordListsWithoutNullFlags) {
    KitStreamBuilder b;
    b.signature().int16(230).list().field("x", "SmallInt", 0, 230).end().list().end();
    b.list().list().int8(1).int8(-5).end().end();
    MemTable t = loaded(b.bytes());
    EXPECT_EQ(t.asText("x"), "-5");
    EXPECT_EQ(t.data().records[0].status, 1);
}

TEST(TableReader, keepsHistoriesAndHidesDeletedRecords) {
    KitStreamBuilder b;
    b.signature().int16(251).list().field("n", "Integer", 0).end().list().end().list();
    b.list().int8(1).boolean(false).int8(10).int8(0).boolean(false).int8(9).int8(2).boolean(true).end();
    b.list().int8(3).boolean(false).int8(20).end();
    b.list().int8(0).boolean(false).int8(30).end();
    b.end();
    MemTable t = loaded(b.bytes());
    ASSERT_EQ(t.data().records.size(), 3u);
    EXPECT_EQ(t.recordCount(), 2); // the deleted record is kept but not visited
    const kit::Record& first = t.data().records[0];
    EXPECT_EQ(first.values[0].integer, 10);
    ASSERT_EQ(first.history.size(), 2u);
    EXPECT_EQ(first.history[0].status, 0);
    EXPECT_EQ(first.history[0].values[0].integer, 9);
    EXPECT_TRUE(first.history[1].values[0].null);
    EXPECT_TRUE(t.data().records[1].deleted());
    EXPECT_FALSE(t.locate("n", 20));
    ASSERT_TRUE(t.setRecNo(1));
    EXPECT_EQ(t.asText("n"), "30");
}

TEST(TableReader, acceptsTheTagsEachTypeAllows) {
    EXPECT_EQ(loaded(oneValueStream("Integer", 0, std::string("\x04\x40\x9C\x00\x00", 5))).asText("v"), "40000");
    EXPECT_EQ(loaded(oneValueStream("Float", 0, std::string("\x02\xFF", 2))).data().records[0].values[0].number, -1.0);
    KitStreamBuilder big;
    big.int64(std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(loaded(oneValueStream("LargeInt", 0, big.bytes())).asText("v"), "-9223372036854775808");
    const unsigned char maxExtended[10] = {0xFC, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x3D, 0x40};
    KitStreamBuilder ext;
    ext.extended(maxExtended);
    EXPECT_EQ(loaded(oneValueStream("LargeInt", 0, ext.bytes())).asText("v"), "9223372036854775806");
    // Tag 19 is for Float and LargeInt only.
    EXPECT_EQ(loadError(oneValueStream("Integer", 0, std::string("\x13", 1) + std::string(8, '\0'))),
              "Invalid property value");
}

TEST(TableReader, readsTagNineAsTrueAndAnyOtherByteAsFalse) {
    EXPECT_EQ(loaded(oneValueStream("Boolean", 0, "\x09")).asText("v"), "True");
    EXPECT_EQ(loaded(oneValueStream("Boolean", 0, "\x08")).asText("v"), "False");
    EXPECT_EQ(loaded(oneValueStream("Boolean", 0, "\x2A")).asText("v"), "False");
}

TEST(TableReader, loadsDateZeroAsNullAndRoundsMoneyToFourPlaces) {
    EXPECT_TRUE(loaded(oneValueStream("Date", 0, std::string("\x02\x00", 2))).isNull("v"));
    KitStreamBuilder zero;
    zero.extended({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_TRUE(loaded(oneValueStream("DateTime", 0, zero.bytes())).isNull("v"));
    EXPECT_EQ(loaded(oneValueStream("Date", 0, std::string("\x04\xA0\xAF\x00\x00", 5))).asText("v"), "44960");
    // 1.23456 as an 80-bit float.
    KitStreamBuilder money;
    money.extended({0x56, 0xBC, 0x91, 0x79, 0xE4, 0x0F, 0x06, 0x9E, 0xFF, 0x3F});
    EXPECT_EQ(loaded(oneValueStream("Currency", 0, money.bytes())).data().records[0].values[0].number, 1.2346);
    EXPECT_EQ(loaded(oneValueStream("BCD", 0, money.bytes())).asText("v"), "1.2346");
}

TEST(TableReader, convertsUnicodeStringsAndCutsStringsToTheFieldSize) {
    KitStreamBuilder utf8;
    utf8.utf8str("Ёлка");
    EXPECT_EQ(loaded(oneValueStream("String", 20, utf8.bytes())).asText("v"), "\xA8\xEB\xEA\xE0");
    KitStreamBuilder utf16;
    utf16.wstr(u"Ёлка");
    EXPECT_EQ(loaded(oneValueStream("Memo", 0, utf16.bytes())).asBytes("v"), "\xA8\xEB\xEA\xE0");
    KitStreamBuilder longText;
    longText.str("abcdefgh");
    EXPECT_EQ(loaded(oneValueStream("String", 5, longText.bytes())).asText("v"), "abcde");
    EXPECT_EQ(loaded(oneValueStream("Memo", 5, longText.bytes())).asText("v"), "abcdefgh");
}

TEST(TableReader, decodesLongUtf8StringsWithCharactersCutBetweenPieces) {
    // Tag 20 strings are read 65536 bytes at a time: put two- and three-byte
    // characters, and malformed ones, across that boundary.
    const std::string tails[] = {"\xD0\x81z", "\xE2\x82\xAC!",    "\xC3",
                                 "\xE2\x82",  "\xF0\x9F\x98\x80", "\xD0\x81\xE2\x84\x96"};
    for (std::size_t before = 65531; before <= 65536; ++before) {
        for (const std::string& tail : tails) {
            const std::string utf8 = std::string(before, 'a') + tail + std::string(70000, 'b');
            KitStreamBuilder b;
            b.utf8str(utf8);
            const MemTable t = loaded(oneValueStream("Memo", 0, b.bytes()));
            ASSERT_EQ(t.asBytes("v"), kit::utf8ToCp1251(utf8)) << before;
        }
    }
    KitStreamBuilder cut;
    cut.utf8str(std::string(200000, 'a'));
    const std::string stream = oneValueStream("Memo", 0, cut.bytes());
    EXPECT_EQ(loadError(stream.substr(0, stream.size() - 100)), "Stream read error");
}

TEST(TableReader, remembersTheLargestAutoIncValue) {
    KitStreamBuilder b;
    b.signature().int16(251).list().field("id", "AutoInc", 0).end().list().end().list();
    for (int v : {5, 70, 12})
        b.list().int8(0).boolean(false).int8(v).end();
    b.end();
    EXPECT_EQ(loaded(b.bytes()).data().autoIncMax, 70);
}

TEST(TableReader, keepsTheTableFieldsWhenTheStreamDefinesNone) {
    MemTable t({kit::FieldDef{.name = "n", .type = FieldType::Integer}});
    KitStreamBuilder b;
    b.signature().int16(251).list().end().list().end().list().list().int8(0).boolean(false).int8(7).end().end();
    std::string error;
    ASSERT_TRUE(kit::readTableStream(t, b.bytes(), &error)) << error;
    EXPECT_EQ(t.asText("n"), "7");
}

TEST(TableReader, reportsProgressEveryHundredRecords) {
    KitStreamBuilder b;
    b.signature().int16(251).list().field("n", "Integer", 0).end().list().end().list();
    for (int i = 0; i < 250; ++i)
        b.list().int8(0).boolean(false).int8(1).end();
    b.end();
    MemTable t;
    std::vector<int> seen;
    std::string error;
    ASSERT_TRUE(kit::readTableStream(t, b.bytes(), &error, [&](int p) { seen.push_back(p); }));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_GT(seen[1], seen[0]);
    EXPECT_LE(seen[1], 100);
}

TEST(TableReader, givesTheExactMessageForEveryFailure) {
    EXPECT_EQ(loadError(""), "Stream read error");
    EXPECT_EQ(loadError("TPF"), "Stream read error");
    EXPECT_EQ(loadError("TPF1\x03\xFB"), "Invalid stream format");
    EXPECT_EQ(loadError("TPF0\x03\xFB"), "Stream read error"); // ends inside the version
    EXPECT_EQ(loadError(std::string("TPF0\x06\x00", 6)), "Invalid property value");
    EXPECT_EQ(loadError(std::string("TPF0\x03\xFB\x00\x02", 8)), "Invalid property value");

    KitStreamBuilder unknown;
    unknown.signature().int16(251).list().field("x", "Text", 0);
    EXPECT_EQ(loadError(unknown.bytes()), "Unknown field type (Text)");
    KitStreamBuilder caseMatters;
    caseMatters.signature().int16(251).list().field("x", "string", 0);
    EXPECT_EQ(loadError(caseMatters.bytes()), "Unknown field type (string)");
    for (const char* forbidden :
         {"Unknown", "Cursor", "WideString", "Reference", "DataSet", "Variant", "Interface", "Dispatch", "Guid"}) {
        KitStreamBuilder b;
        b.signature().int16(251).list().field("x", forbidden, 0);
        EXPECT_EQ(loadError(b.bytes()), std::string("Unknown field type (") + forbidden + ")");
    }
    KitStreamBuilder cyrillicType;
    cyrillicType.signature().int16(251).list().field("x", "\xD2\xE8\xEF", 0);
    EXPECT_EQ(loadError(cyrillicType.bytes()), "Unknown field type (Тип)");

    KitStreamBuilder noFields;
    noFields.signature().int16(251).list().end().list().end().list().end();
    EXPECT_EQ(loadError(noFields.bytes()), "Couldnt determine field count for load.");

    EXPECT_EQ(loadError(oneValueStream("Integer", 0, "\x06\x01x")), "Invalid property value");
    EXPECT_EQ(loadError(oneValueStream("String", 9, "\x02\x01")), "Invalid property value");
    EXPECT_EQ(loadError(oneValueStream("Float", 0, "\x05\x01\x02")), "Stream read error");
    // A string that promises 4 GB in a few bytes fails without allocating them.
    EXPECT_EQ(loadError(oneValueStream("Blob", 0,
                                       "\x0C\xFF\xFF\xFF\xFF"
                                       "abc")),
              "Stream read error");
    EXPECT_EQ(loadError(oneValueStream("Blob", 0, "\x12\xFF\xFF\xFF\x7F")), "Stream read error");
    const std::string whole = oneValueStream("Integer", 0, "\x02\x05");
    EXPECT_EQ(loadError(whole.substr(0, whole.size() - 1)), "Stream read error");
}

TEST(TableReader, leavesTheTableUntouchedWhenALoadFails) {
    MemTable t({kit::FieldDef{.name = "keep", .type = FieldType::Integer}});
    t.append();
    t.setText("keep", "5");
    t.post();
    std::string error;
    EXPECT_FALSE(kit::readTableStream(t, oneValueStream("Integer", 0, "\x06\x00"), &error));
    ASSERT_EQ(t.fields().size(), 1u);
    EXPECT_EQ(t.fields()[0].name, "keep");
    EXPECT_EQ(t.asText("keep"), "5");
}

TEST(TableStream, roundTripsEveryAllowedTypeAndABlobOfAllByteValues) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    std::vector<kit::FieldDef> fields;
    for (int i = 0; i < kit::kFieldTypeCount; ++i) {
        const auto type = static_cast<FieldType>(i);
        if (!kit::isFieldTypeAllowed(type))
            continue;
        kit::FieldDef def;
        def.name = "f" + std::to_string(i);
        def.type = type;
        def.size = type == FieldType::String ? 300 : 0;
        def.label = "\xCC\xE5\xF2\xEA\xE0"; // "Метка"
        def.mask = "999";
        def.width = 7;
        def.required = i % 2 == 0;
        def.readOnly = i % 3 == 0;
        def.kind = kit::FieldKind::InternalCalc;
        def.defaultExpr = "1";
        fields.push_back(def);
    }
    MemTable t(fields);
    t.append();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        kit::FieldValue v;
        v.null = false;
        switch (kit::valueClassOf(fields[i].type)) {
        case kit::ValueClass::Integer:
            v.integer = -40000;
            break;
        case kit::ValueClass::LargeInt:
            v.integer = std::numeric_limits<std::int64_t>::max() - 1;
            break;
        case kit::ValueClass::Boolean:
            v.integer = 1;
            break;
        case kit::ValueClass::Float:
        case kit::ValueClass::DateTime:
            v.number = 43831.25;
            break;
        case kit::ValueClass::Money:
            v.number = -12.3456;
            break;
        case kit::ValueClass::Bytes:
            v.bytes = all;
            break;
        }
        t.setValue(static_cast<int>(i), v);
    }
    t.post();
    t.append();
    t.post(); // a row of nulls

    MemTable back;
    std::string error;
    ASSERT_TRUE(kit::readTableStream(back, kit::writeTableStream(t), &error)) << error;
    ASSERT_EQ(back.fields().size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(back.fields()[i].name, fields[i].name);
        EXPECT_EQ(back.fields()[i].type, fields[i].type);
        EXPECT_EQ(back.fields()[i].label, fields[i].label);
        EXPECT_EQ(back.fields()[i].kind, kit::FieldKind::InternalCalc);
        EXPECT_EQ(back.fields()[i].required, fields[i].required);
        EXPECT_EQ(back.fields()[i].readOnly, fields[i].readOnly);
        EXPECT_EQ(back.data().records[0].values[i], t.data().records[0].values[i]) << fields[i].name;
        EXPECT_TRUE(back.data().records[1].values[i].null);
    }
}

TEST(TableStream, loadsAndSavesFiles) {
    const std::string path = std::string(ZUNT_BINARY_DIR) + "/kit-tablestream-test.bin";
    MemTable t({kit::FieldDef{.name = "s", .type = FieldType::String, .size = 4}});
    t.append();
    t.setText("s", "abcdef");
    t.post();
    std::string error;
    ASSERT_TRUE(kit::saveTable(t, path, &error)) << error;
    MemTable back;
    ASSERT_TRUE(kit::loadTable(back, path, &error)) << error;
    EXPECT_EQ(back.asText("s"), "abcd");
    std::remove(path.c_str());
    EXPECT_FALSE(kit::loadTable(back, path, &error));
    EXPECT_NE(error.find(path), std::string::npos) << error;
}
