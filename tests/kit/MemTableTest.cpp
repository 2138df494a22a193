#include "kit/MemTable.h"

#include <gtest/gtest.h>

using kit::FieldDef;
using kit::FieldType;
using kit::MemTable;

namespace {

MemTable sampleTable() {
    MemTable t({FieldDef{.name = "VarNo", .type = FieldType::Integer},
                FieldDef{.name = "subjname", .type = FieldType::String, .size = 5},
                FieldDef{.name = "\xCF\xEE\xEB\xE5", .type = FieldType::Blob}, // "Поле"
                FieldDef{.name = "big", .type = FieldType::LargeInt}});
    for (int v : {3, 0, 2, 0}) {
        t.append();
        t.setText("VarNo", std::to_string(v));
        t.setText("subjname", "row" + std::to_string(v));
        t.post();
    }
    t.first();
    return t;
}

} // namespace

TEST(MemTable, findsFieldsWithoutRegardToLetterCase) {
    MemTable t = sampleTable();
    EXPECT_EQ(t.fieldIndex("varno"), 0);
    EXPECT_EQ(t.fieldIndex("SUBJNAME"), 1);
    EXPECT_EQ(t.fieldIndex("\xEF\xce\xcb\xc5"), 2); // "пОЛЕ"
    EXPECT_EQ(t.fieldIndex("missing"), -1);
    EXPECT_EQ(t.fieldIndex("VarN"), -1);
}

TEST(MemTable, locatesTheFirstExactMatchAndStaysPutWithoutOne) {
    MemTable t = sampleTable();
    ASSERT_TRUE(t.setRecNo(2));
    EXPECT_TRUE(t.locate("VARNO", 0));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_FALSE(t.locate("VarNo", 7));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_FALSE(t.locate("nofield", 3));
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_FALSE(t.setRecNo(4));
    EXPECT_FALSE(t.setRecNo(-1));
    EXPECT_EQ(t.recNo(), 1);
}

TEST(MemTable, readsValuesAsTextAndBytes) {
    MemTable t = sampleTable();
    EXPECT_EQ(t.asText("VarNo"), "3");
    EXPECT_EQ(t.asText("missing"), "");
    EXPECT_TRUE(t.isNull("\xCF\xEE\xEB\xE5"));
    EXPECT_EQ(t.asText("\xCF\xEE\xEB\xE5"), "");
    EXPECT_TRUE(t.isNull("missing"));
    t.edit();
    t.setText("\xCF\xEE\xEB\xE5", std::string("a\0b", 3));
    t.setText("big", "-9223372036854775808");
    t.post();
    EXPECT_EQ(t.asBytes("\xCF\xEE\xEB\xE5"), std::string("a\0b", 3));
    EXPECT_EQ(t.asText("big"), "-9223372036854775808");
    EXPECT_EQ(t.asBytes("varno"), "3");
}

TEST(MemTable, cutsStringFieldsToTheirSize) {
    MemTable t = sampleTable();
    t.edit();
    t.setText("subjname", "abcdefgh");
    t.post();
    EXPECT_EQ(t.asText("subjname"), "abcde");
    t.setText("VarNo", "not a number"); // starts editing by itself
    EXPECT_TRUE(t.isEditing());
    t.post();
    EXPECT_TRUE(t.isNull("VarNo"));
}

TEST(MemTable, cancelDropsTheEdit) {
    MemTable t = sampleTable();
    t.edit();
    t.setText("subjname", "zzz");
    EXPECT_EQ(t.asText("subjname"), "zzz");
    t.cancel();
    EXPECT_EQ(t.asText("subjname"), "row3");
}

TEST(MemTable, isEmptyWithRowMinusOne) {
    MemTable t({FieldDef{.name = "a"}});
    EXPECT_EQ(t.recNo(), -1);
    EXPECT_EQ(t.recordCount(), 0);
    EXPECT_EQ(t.asText("a"), "");
    EXPECT_FALSE(t.setRecNo(0));
    t.edit(); // nothing to edit: inserts a row
    t.setText("a", "x");
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(t.recNo(), 0);
}

TEST(MemTable, tellsListenersAboutRowMovesAndNewContent) {
    MemTable t = sampleTable();
    int calls = 0;
    std::string seen;
    const int id = t.addRowListener([&] {
        ++calls;
        seen = t.asText("VarNo");
    });
    t.locate("VarNo", 2);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, "2");
    t.locate("VarNo", 99);
    EXPECT_EQ(calls, 1);
    kit::TableData data;
    data.fields = t.fields();
    t.replaceData(std::move(data));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seen, "");
    t.removeRowListener(id);
    t.append();
    t.post();
    EXPECT_EQ(calls, 2);
}
