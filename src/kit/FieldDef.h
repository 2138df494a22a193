#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Structure of an in-memory table: field and index definitions and one stored value.
namespace kit {

// The 38 data types of the table stream, in the order of their names.
enum class FieldType {
    Unknown,
    String,
    SmallInt,
    Integer,
    Word,
    Boolean,
    Float,
    Currency,
    BCD,
    Date,
    Time,
    DateTime,
    Bytes,
    VarBytes,
    AutoInc,
    Blob,
    Memo,
    Graphic,
    FmtMemo,
    ParadoxOle,
    DBaseOle,
    TypedBinary,
    Cursor,
    FixedChar,
    WideString,
    LargeInt,
    ADT,
    Array,
    Reference,
    DataSet,
    HugeBlob,
    HugeClob,
    Variant,
    Interface,
    Dispatch,
    Guid,
    SQLTimeStamp,
    FMTBcdField,
};
inline constexpr int kFieldTypeCount = 38;

enum class FieldKind { Data, Calculated, Lookup, InternalCalc, Aggregate };

// How a type's values are held and encoded.
enum class ValueClass {
    Integer,  // SmallInt, Integer, Word, AutoInc: FieldValue::integer
    LargeInt, // FieldValue::integer, travels as an 80-bit float
    Boolean,  // FieldValue::integer 0 or 1
    Float,    // FieldValue::number
    DateTime, // Date, Time, DateTime: FieldValue::number, 0 is null
    Money,    // Currency, BCD: FieldValue::number rounded to 4 places
    Bytes,    // everything else: FieldValue::bytes (Windows-1251 text or raw bytes)
};

// The type's name as written in a stream ("String", "dBaseOle", ...).
std::string_view fieldTypeName(FieldType type);
// Exact (case-sensitive) lookup of a type name; false when unknown.
bool fieldTypeFromName(std::string_view name, FieldType* type);
// False for the types a table may not use (Unknown, Cursor, WideString, ...).
bool isFieldTypeAllowed(FieldType type);
ValueClass valueClassOf(FieldType type);
std::string_view fieldKindName(FieldKind kind);
// Unknown names count as Data.
FieldKind fieldKindFromName(std::string_view name);

struct FieldDef {
    std::string name{}; // Windows-1251
    FieldType type = FieldType::String;
    int size = 0;
    bool required = false;
    std::string label{}; // display label; empty means the name
    std::string mask{};  // edit mask
    int width = 0;       // display width; 0 means the default (a String field's size)
    bool readOnly = false;
    FieldKind kind = FieldKind::Data;
    std::string defaultExpr{};
};

// How many of `length` bytes a value of the field keeps: a String field's values are
// cut to its size.
std::size_t keptLength(const FieldDef& def, std::size_t length);

struct IndexDef {
    std::string name{};
    std::string fields{}; // field names separated by ';'
    std::string display{};
    bool descending = false;
    bool caseInsensitive = false;
    bool notMaintained = false;
    bool unique = false;
};

// One field's value; which member holds it follows from the field's ValueClass.
struct FieldValue {
    bool null = true;
    std::int64_t integer = 0;
    double number = 0.0;
    std::string bytes{};

    bool operator==(const FieldValue&) const = default;
};

} // namespace kit
