#include "kit/FieldDef.h"

#include <algorithm>
#include <array>

namespace kit {
namespace {

constexpr std::array<std::string_view, kFieldTypeCount> kTypeNames = {
    "Unknown",    "String",    "SmallInt", "Integer",    "Word",         "Boolean",     "Float",    "Currency",
    "BCD",        "Date",      "Time",     "DateTime",   "Bytes",        "VarBytes",    "AutoInc",  "Blob",
    "Memo",       "Graphic",   "FmtMemo",  "ParadoxOle", "dBaseOle",     "TypedBinary", "Cursor",   "FixedChar",
    "WideString", "LargeInt",  "ADT",      "Array",      "Reference",    "DataSet",     "HugeBlob", "HugeClob",
    "Variant",    "Interface", "Dispatch", "Guid",       "SQLTimeStamp", "FMTBcdField"};

constexpr std::array<std::string_view, 5> kKindNames = {"Data", "Calculated", "Lookup", "InternalCalc", "Aggregate"};

} // namespace

std::string_view fieldTypeName(FieldType type) {
    const auto i = static_cast<std::size_t>(type);
    return i < kTypeNames.size() ? kTypeNames[i] : std::string_view("Unknown");
}

bool fieldTypeFromName(std::string_view name, FieldType* type) {
    for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
        if (kTypeNames[i] == name) {
            *type = static_cast<FieldType>(i);
            return true;
        }
    }
    return false;
}

bool isFieldTypeAllowed(FieldType type) {
    switch (type) {
    case FieldType::Unknown:
    case FieldType::Cursor:
    case FieldType::WideString:
    case FieldType::Reference:
    case FieldType::DataSet:
    case FieldType::Variant:
    case FieldType::Interface:
    case FieldType::Dispatch:
    case FieldType::Guid:
        return false;
    default:
        return true;
    }
}

ValueClass valueClassOf(FieldType type) {
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::AutoInc:
        return ValueClass::Integer;
    case FieldType::LargeInt:
        return ValueClass::LargeInt;
    case FieldType::Boolean:
        return ValueClass::Boolean;
    case FieldType::Float:
        return ValueClass::Float;
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return ValueClass::DateTime;
    case FieldType::Currency:
    case FieldType::BCD:
        return ValueClass::Money;
    default:
        return ValueClass::Bytes;
    }
}

std::string_view fieldKindName(FieldKind kind) {
    const auto i = static_cast<std::size_t>(kind);
    return i < kKindNames.size() ? kKindNames[i] : kKindNames[0];
}

FieldKind fieldKindFromName(std::string_view name) {
    for (std::size_t i = 0; i < kKindNames.size(); ++i) {
        if (kKindNames[i] == name)
            return static_cast<FieldKind>(i);
    }
    return FieldKind::Data;
}

std::size_t keptLength(const FieldDef& def, std::size_t length) {
    if (def.type == FieldType::String && def.size > 0)
        return std::min(length, static_cast<std::size_t>(def.size));
    return length;
}

} // namespace kit
