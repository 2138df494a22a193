#pragma once

#include "kit/Extended80.h"
#include "kit/MemTable.h"

#include <cstdint>
#include <string>
#include <string_view>

// Appends tagged values and whole table streams (version 251) to a byte string.
namespace kit {

class TableWriter {
public:
    explicit TableWriter(std::string* out) : m_out(out) {}

    void writeTable(const TableData& data);

    void writeInteger(std::int64_t value); // smallest of tags 2, 3, 4 (19 beyond 32 bits)
    void writeString(std::string_view cp1251);
    void writeBoolean(bool value);
    void writeDouble(double value);
    void writeLargeInt(std::int64_t value);
    void writeValue(const FieldDef& def, const FieldValue& value);

private:
    void writeFieldDef(const FieldDef& def);
    void writeExtended(const Extended80& e);
    void put(unsigned char b) { m_out->push_back(static_cast<char>(b)); }
    void putLittle(std::uint64_t v, int bytes);

    std::string* m_out;
};

} // namespace kit
