#include "kit/KitDump.h"

#include "kit/Cp1251.h"
#include "kit/KitFile.h"
#include "kit/TableStream.h"

#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <optional>
#include <new>

namespace kit {
namespace {

bool isBinary(FieldType type) {
    switch (type) {
    case FieldType::Blob:
    case FieldType::Graphic:
    case FieldType::ParadoxOle:
    case FieldType::DBaseOle:
    case FieldType::TypedBinary:
    case FieldType::HugeBlob:
    case FieldType::Bytes:
    case FieldType::VarBytes:
        return true;
    default:
        return false;
    }
}

std::string jsonString(std::string_view cp1251) {
    const std::string utf8 = cp1251ToUtf8(cp1251);
    std::string out = "\"";
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out += digits[c >> 4];
        out += digits[c & 0xF];
    }
    return out;
}

std::string textNumber(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

// JSON has no infinity: it is written as a string.
std::string number17(double v) {
    if (std::isinf(v))
        return v > 0 ? "\"inf\"" : "\"-inf\"";
    if (std::isnan(v))
        return "\"nan\"";
    return textNumber(v);
}

// A value both listings show alike: null, integers and Booleans as they are, other
// numbers through `number`; nothing for a byte string, which each shows its own way.
std::optional<std::string> scalarValue(const FieldDef& def, const FieldValue& v, std::string (*number)(double)) {
    if (v.null)
        return "null";
    switch (valueClassOf(def.type)) {
    case ValueClass::Integer:
    case ValueClass::LargeInt:
        return std::to_string(v.integer);
    case ValueClass::Boolean:
        return v.integer ? "true" : "false";
    case ValueClass::Float:
    case ValueClass::DateTime:
    case ValueClass::Money:
        return number(v.number);
    case ValueClass::Bytes:
        break;
    }
    return std::nullopt;
}

std::string jsonValue(const FieldDef& def, const FieldValue& v) {
    if (std::optional<std::string> scalar = scalarValue(def, v, number17))
        return *std::move(scalar);
    return "\"" + hex(v.bytes) + "\"";
}

std::string jsonValues(const std::vector<FieldDef>& fields, const std::vector<FieldValue>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += jsonValue(fields[i], values[i]);
    }
    return out + "]";
}

// Escapes control characters so a listing line stays one line.
std::string readable(std::string_view cp1251) {
    std::string out;
    for (char ch : cp1251ToUtf8(cp1251)) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '\n') {
            out += "\\n";
        } else if (ch == '\r') {
            out += "\\r";
        } else if (ch == '\t') {
            out += "\\t";
        } else if (ch == '\\') {
            out += "\\\\";
        } else if (c < 0x20) {
            static const char digits[] = "0123456789abcdef";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 0xF];
        } else {
            out += ch;
        }
    }
    return out;
}

std::string textValue(const FieldDef& def, const FieldValue& v) {
    if (std::optional<std::string> scalar = scalarValue(def, v, textNumber))
        return *std::move(scalar);
    if (isBinary(def.type)) {
        const auto crc = crc32(0, reinterpret_cast<const Bytef*>(v.bytes.data()), static_cast<uInt>(v.bytes.size()));
        char buf[64];
        std::snprintf(buf, sizeof buf, "<%zu bytes, crc32 %08lx>", v.bytes.size(), static_cast<unsigned long>(crc));
        return buf;
    }
    return "\"" + readable(v.bytes) + "\"";
}

// names: the fields' names already made readable, once for all records.
void appendValues(std::string& out, const std::vector<FieldDef>& fields, const std::vector<std::string>& names,
                  const std::vector<FieldValue>& values, const char* indent) {
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i) {
        out += indent;
        out += names[i];
        out += " = ";
        out += textValue(fields[i], values[i]);
        out += '\n';
    }
}

const char* statusName(int status) {
    switch (status) {
    case StatusUnchanged:
        return "unchanged";
    case StatusModified:
        return "modified";
    case StatusInserted:
        return "inserted";
    case StatusDeleted:
        return "deleted";
    default:
        return "unknown";
    }
}

// True when the file begins with the table stream's signature "TPF0".
bool isTableStream(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    char head[4] = {};
    return file && std::fread(head, 1, 4, file.get()) == 4 && std::string_view(head, 4) == "TPF0";
}

bool makeTemporaryFile(std::string* path, std::string* error) {
    const char* dir = std::getenv("TMPDIR");
    std::string name = std::string(dir && *dir ? dir : "/tmp") + "/zunt-kit-XXXXXX";
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        *error = "cannot create a temporary file in " + name.substr(0, name.rfind('/')) + ": " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    *path = name;
    return true;
}

} // namespace

bool loadKitOrStream(const std::string& path, bool forceStream, MemTable* table, int* version, std::string* error) {
    try {
        if (forceStream || isTableStream(path))
            return loadTable(*table, path, error, {}, version);
        // Unpacked into a private temporary file and read from there, as the station does,
        // so that neither the compressed kit nor the whole stream is held beside the table.
        std::string tmpPath;
        if (!makeTemporaryFile(&tmpPath, error))
            return false;
        const bool ok = unpackKit(path, tmpPath, error) && loadTable(*table, tmpPath, error, {}, version);
        std::remove(tmpPath.c_str());
        return ok;
    } catch (const std::bad_alloc&) {
        *error = "Out of memory";
        return false;
    }
}

std::string dumpText(const MemTable& table, int version) {
    const TableData& d = table.data();
    std::string out = "version " + std::to_string(version) + "\n";
    out += "fields: " + std::to_string(d.fields.size()) + "\n";
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        const FieldDef& f = d.fields[i];
        out += "  " + std::to_string(i + 1) + ". " + readable(f.name) + " " + std::string(fieldTypeName(f.type)) +
               " size " + std::to_string(f.size) + ", label \"" + readable(f.label) + "\", mask \"" + readable(f.mask) +
               "\", width " + std::to_string(f.width) + (f.required ? ", required" : "") +
               (f.readOnly ? ", read-only" : "") + ", kind " + std::string(fieldKindName(f.kind)) + ", default \"" +
               readable(f.defaultExpr) + "\"\n";
    }
    out += "indexes: " + std::to_string(d.indexes.size()) + "\n";
    for (const IndexDef& idx : d.indexes) {
        out += "  " + readable(idx.name) + " on \"" + readable(idx.fields) + "\", display \"" + readable(idx.display) +
               "\"" + (idx.descending ? ", descending" : "") + (idx.caseInsensitive ? ", case-insensitive" : "") +
               (idx.notMaintained ? ", not maintained" : "") + (idx.unique ? ", unique" : "") + "\n";
    }
    out += "records: " + std::to_string(d.records.size()) + "\n";
    std::vector<std::string> names;
    for (const FieldDef& f : d.fields)
        names.push_back(readable(f.name));
    for (std::size_t r = 0; r < d.records.size(); ++r) {
        const Record& rec = d.records[r];
        out += "record " + std::to_string(r + 1) + " (" + statusName(rec.status) + ")\n";
        appendValues(out, d.fields, names, rec.values, "  ");
        for (std::size_t h = 0; h < rec.history.size(); ++h) {
            out += "  older version " + std::to_string(h + 1) + " (" + statusName(rec.history[h].status) + ")\n";
            appendValues(out, d.fields, names, rec.history[h].values, "    ");
        }
    }
    return out;
}

std::string dumpJson(const MemTable& table, int version) {
    const TableData& d = table.data();
    std::string out = "{\"version\": " + std::to_string(version) + ", \"fields\": [";
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        const FieldDef& f = d.fields[i];
        out += std::string(i ? ", " : "") + "{\"name\": " + jsonString(f.name) + ", \"type\": \"" +
               std::string(fieldTypeName(f.type)) + "\", \"size\": " + std::to_string(f.size) +
               ", \"label\": " + jsonString(f.label) + ", \"mask\": " + jsonString(f.mask) +
               ", \"width\": " + std::to_string(f.width) + ", \"required\": " + (f.required ? "true" : "false") +
               ", \"readonly\": " + (f.readOnly ? "true" : "false") +
               ", \"kind\": " + jsonString(fieldKindName(f.kind)) + ", \"default\": " + jsonString(f.defaultExpr) + "}";
    }
    out += "], \"indexes\": [";
    for (std::size_t i = 0; i < d.indexes.size(); ++i) {
        const IndexDef& x = d.indexes[i];
        out += std::string(i ? ", " : "") + "{\"name\": " + jsonString(x.name) +
               ", \"fields\": " + jsonString(x.fields) + ", \"display\": " + jsonString(x.display) +
               ", \"descending\": " + (x.descending ? "true" : "false") +
               ", \"caseInsensitive\": " + (x.caseInsensitive ? "true" : "false") +
               ", \"notMaintained\": " + (x.notMaintained ? "true" : "false") +
               ", \"unique\": " + (x.unique ? "true" : "false") + "}";
    }
    out += "], \"records\": [";
    for (std::size_t r = 0; r < d.records.size(); ++r) {
        const Record& rec = d.records[r];
        out += std::string(r ? ", " : "") + "{\"status\": " + std::to_string(rec.status) +
               ", \"deleted\": " + (rec.deleted() ? "true" : "false") +
               ", \"values\": " + jsonValues(d.fields, rec.values) + ", \"history\": [";
        for (std::size_t h = 0; h < rec.history.size(); ++h) {
            out += std::string(h ? ", " : "") + "{\"status\": " + std::to_string(rec.history[h].status) +
                   ", \"values\": " + jsonValues(d.fields, rec.history[h].values) + "}";
        }
        out += "]}";
    }
    out += "]}\n";
    return out;
}

} // namespace kit
