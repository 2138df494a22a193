#include "kit/TableWriter.h"

#include "kit/Cp1251.h"
#include "kit/Extended80.h"
#include "kit/StreamTags.h"

#include <algorithm>
#include <cstdint>

namespace kit {

void TableWriter::putLittle(std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        put(static_cast<unsigned char>(v >> (8 * i)));
}

void TableWriter::writeInteger(std::int64_t value) {
    if (value >= -128 && value <= 127) {
        put(TagInt8);
        putLittle(static_cast<std::uint64_t>(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        put(TagInt16);
        putLittle(static_cast<std::uint64_t>(value), 2);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        put(TagInt32);
        putLittle(static_cast<std::uint64_t>(value), 4);
    } else {
        put(TagInt64);
        putLittle(static_cast<std::uint64_t>(value), 8);
    }
}

void TableWriter::writeString(std::string_view cp1251) {
    if (needsUtf8(cp1251)) {
        const std::string utf8 = cp1251ToUtf8(cp1251);
        put(TagUtf8String);
        putLittle(utf8.size(), 4);
        m_out->append(utf8);
    } else if (cp1251.size() <= 255) {
        put(TagString);
        put(static_cast<unsigned char>(cp1251.size()));
        m_out->append(cp1251);
    } else {
        put(TagLString);
        putLittle(cp1251.size(), 4);
        m_out->append(cp1251);
    }
}

void TableWriter::writeBoolean(bool value) {
    put(value ? TagTrue : TagFalse);
}

void TableWriter::writeExtended(const Extended80& e) {
    put(TagExtended);
    m_out->append(reinterpret_cast<const char*>(e.data()), e.size());
}

void TableWriter::writeDouble(double value) {
    writeExtended(extendedFromDouble(value));
}

void TableWriter::writeLargeInt(std::int64_t value) {
    writeExtended(extendedFromInt64(value));
}

void TableWriter::writeValue(const FieldDef& def, const FieldValue& value) {
    switch (valueClassOf(def.type)) {
    case ValueClass::Integer:
        // These types hold 32 bits; clamp so a reader never meets tag 19 here.
        writeInteger(std::clamp<std::int64_t>(value.integer, INT32_MIN, INT32_MAX));
        break;
    case ValueClass::LargeInt:
        writeLargeInt(value.integer);
        break;
    case ValueClass::Boolean:
        writeBoolean(value.integer != 0);
        break;
    case ValueClass::Float:
    case ValueClass::DateTime:
    case ValueClass::Money:
        writeDouble(value.number);
        break;
    case ValueClass::Bytes:
        writeString(value.bytes);
        break;
    }
}

void TableWriter::writeFieldDef(const FieldDef& def) {
    writeString(def.name);
    writeString(fieldTypeName(def.type));
    writeInteger(def.size);
    writeString(def.label.empty() ? def.name : def.label);
    writeString(def.mask);
    int width = def.width;
    if (width <= 0 && def.type == FieldType::String)
        width = def.size;
    writeInteger(width);
    writeBoolean(def.required);
    writeBoolean(def.readOnly);
    writeString(fieldKindName(def.kind));
    writeString(def.defaultExpr);
}

void TableWriter::writeTable(const TableData& data) {
    m_out->append("TPF0", 4);
    writeInteger(251);
    put(TagList);
    for (const FieldDef& def : data.fields)
        writeFieldDef(def);
    put(TagEnd);
    put(TagList);
    for (const IndexDef& idx : data.indexes) {
        writeString(idx.name);
        writeString(idx.fields);
        writeString(idx.display);
        writeBoolean(idx.descending);
        writeBoolean(idx.caseInsensitive);
        writeBoolean(idx.notMaintained);
        writeBoolean(idx.unique);
    }
    put(TagEnd);
    put(TagList);
    for (const Record& rec : data.records) {
        put(TagList);
        writeInteger(rec.status);
        for (std::size_t i = 0; i < data.fields.size(); ++i) {
            const FieldValue& v = rec.values[i];
            // A date of 0 cannot be told from null once written; write it as null.
            const bool null = v.null || (valueClassOf(data.fields[i].type) == ValueClass::DateTime && v.number == 0);
            writeBoolean(null);
            if (!null)
                writeValue(data.fields[i], v);
        }
        put(TagEnd);
    }
    put(TagEnd);
}

} // namespace kit
