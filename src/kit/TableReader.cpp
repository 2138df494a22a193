#include "kit/TableReader.h"

#include "kit/Cp1251.h"
#include "kit/Extended80.h"
#include "kit/StreamTags.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>

namespace kit {
namespace {

constexpr const char* kReadError = "Stream read error";
constexpr const char* kBadValue = "Invalid property value";
constexpr std::size_t kMaxReserve = 65536;
constexpr std::size_t kUtf8Piece = 65536;

// Rough stored size of one record, for the reservation before reading records.
std::uint64_t recordSize(const std::vector<FieldDef>& fields) {
    std::uint64_t size = 0;
    for (const FieldDef& f : fields)
        size += valueClassOf(f.type) == ValueClass::Bytes ? static_cast<std::uint64_t>(std::max(f.size, 8)) : 8;
    return std::max<std::uint64_t>(size, 1);
}

std::int64_t readLittle(const unsigned char* p, int n) {
    std::uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    // Sign-extend from n bytes.
    const int shift = 64 - 8 * n;
    return static_cast<std::int64_t>(v << shift) >> shift;
}

// Payload bytes of a numeric tag; 0 for a tag that holds no number.
int numberPayloadSize(unsigned char tag) {
    switch (tag) {
    case TagInt8:
        return 1;
    case TagInt16:
        return 2;
    case TagInt32:
        return 4;
    case TagInt64:
        return 8;
    case TagExtended:
        return 10;
    default:
        return 0;
    }
}

} // namespace

TableReader::TableReader(ByteSource& source, const LoadProgress& progress) : m_source(source), m_progress(progress) {}

unsigned char TableReader::tag() {
    unsigned char t = 0;
    if (!m_source.readByte(&t))
        throw Failure{kReadError};
    return t;
}

int TableReader::peekTag() {
    const int t = m_source.peek();
    if (t < 0)
        throw Failure{kReadError};
    return t;
}

void TableReader::expectTag(unsigned char expected) {
    if (tag() != expected)
        throw Failure{kBadValue};
}

std::int64_t TableReader::integer() {
    unsigned char buf[4];
    const int n = numberPayloadSize(tag());
    if (n == 0 || n > 4) // integers here are at most 32 bits
        throw Failure{kBadValue};
    if (!m_source.read(buf, static_cast<std::size_t>(n)))
        throw Failure{kReadError};
    return readLittle(buf, n);
}

std::string TableReader::string() {
    const unsigned char t = tag();
    unsigned char len[4];
    std::uint64_t n = 0;
    switch (t) {
    case TagString:
        if (!m_source.read(len, 1))
            throw Failure{kReadError};
        n = len[0];
        break;
    case TagLString:
    case TagWString:
    case TagUtf8String:
        if (!m_source.read(len, 4))
            throw Failure{kReadError};
        n = static_cast<std::uint32_t>(readLittle(len, 4));
        if (t == TagWString)
            n *= 2;
        break;
    default:
        throw Failure{kBadValue};
    }
    if (t == TagString || t == TagLString) {
        std::string bytes;
        if (!m_source.readBytes(n, &bytes))
            throw Failure{kReadError};
        return bytes;
    }
    if (t == TagUtf8String)
        return utf8String(n);
    // Converted strings pass through one buffer kept for the whole load, so large
    // blobs do not each cost a fresh allocation.
    if (!m_source.readBytes(n, &m_scratch))
        throw Failure{kReadError};
    return utf16leToCp1251(m_scratch);
}

std::string TableReader::utf8String(std::uint64_t n) {
    if (n > m_source.remaining())
        throw Failure{kReadError}; // before anything is allocated
    // Read and decoded a piece at a time, so the piece is still in the cache when it
    // is decoded; the result gathers in a buffer kept for the whole load (never
    // cleared: it is only written) and leaves it as a string of exactly its size.
    if (m_decodedSize < n) {
        m_decoded.reset();
        m_decoded = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(n));
        m_decodedSize = static_cast<std::size_t>(n);
    }
    m_scratch.resize(kUtf8Piece + 3);
    std::size_t carried = 0; // bytes of a character cut at the end of the last piece
    std::size_t length = 0;
    std::uint64_t left = n;
    while (left > 0) {
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(left, kUtf8Piece));
        if (!m_source.read(m_scratch.data() + carried, take))
            throw Failure{kReadError};
        left -= take;
        const std::string_view piece(m_scratch.data(), carried + take);
        std::size_t written = 0;
        const std::size_t used = utf8PieceToCp1251(piece, left == 0, m_decoded.get() + length, &written);
        length += written;
        carried = piece.size() - used;
        std::memmove(m_scratch.data(), m_scratch.data() + used, carried);
    }
    return std::string(m_decoded.get(), length);
}

bool TableReader::boolean() {
    return tag() == TagTrue;
}

FieldValue TableReader::value(const FieldDef& def) {
    FieldValue v;
    v.null = false;
    const ValueClass vc = valueClassOf(def.type);
    switch (vc) {
    case ValueClass::Integer:
        v.integer = integer();
        break;
    case ValueClass::Boolean:
        v.integer = boolean() ? 1 : 0;
        break;
    case ValueClass::Bytes:
        v.bytes = string();
        v.bytes.resize(keptLength(def, v.bytes.size()));
        break;
    case ValueClass::LargeInt:
    case ValueClass::Float:
    case ValueClass::DateTime:
    case ValueClass::Money: {
        const unsigned char t = tag();
        unsigned char buf[10];
        const int n = numberPayloadSize(t);
        if (n == 0)
            throw Failure{kBadValue};
        if (!m_source.read(buf, static_cast<std::size_t>(n)))
            throw Failure{kReadError};
        if (t == TagExtended) {
            Extended80 e;
            std::memcpy(e.data(), buf, e.size());
            if (vc == ValueClass::LargeInt)
                v.integer = extendedToInt64(e);
            else
                v.number = extendedToDouble(e);
        } else {
            v.integer = readLittle(buf, n);
            v.number = static_cast<double>(v.integer);
        }
        if (vc == ValueClass::DateTime && v.number == 0.0)
            v = FieldValue{};
        if (vc == ValueClass::Money && std::isfinite(v.number) && std::fabs(v.number) < 1e14)
            v.number = std::round(v.number * 10000.0) / 10000.0;
        break;
    }
    }
    return v;
}

void TableReader::readFieldDefs(const TableData& current, TableData* out) {
    expectTag(TagList);
    bool replaced = false;
    while (peekTag() != TagEnd) {
        FieldDef def;
        def.name = string();
        const std::string typeName = string();
        if (!fieldTypeFromName(typeName, &def.type) || !isFieldTypeAllowed(def.type))
            throw Failure{"Unknown field type (" + cp1251ToUtf8(typeName) + ")"};
        def.size = static_cast<int>(integer());
        def.label = string();
        def.mask = string();
        def.width = static_cast<int>(integer());
        def.required = boolean();
        def.readOnly = boolean();
        if (m_version >= 250)
            def.kind = fieldKindFromName(string());
        if (m_version >= 251)
            def.defaultExpr = string();
        if (!replaced) {
            // The first entry discards every field the table had, and its records with them.
            replaced = true;
            out->fields.clear();
            out->records.clear();
            out->autoIncMax = 0;
        }
        out->fields.push_back(std::move(def));
    }
    tag(); // the end of the list
    if (!replaced) {
        out->fields = current.fields;
        out->records = current.records;
        out->autoIncMax = current.autoIncMax;
    }
}

void TableReader::readIndexDefs(const TableData& current, TableData* out) {
    out->indexes = current.indexes;
    if (m_version < 200)
        return;
    expectTag(TagList);
    bool replaced = false;
    while (peekTag() != TagEnd) {
        IndexDef idx;
        idx.name = string();
        idx.fields = string();
        idx.display = string();
        idx.descending = boolean();
        idx.caseInsensitive = boolean();
        idx.notMaintained = boolean();
        idx.unique = boolean();
        if (!replaced) {
            replaced = true;
            out->indexes.clear();
        }
        out->indexes.push_back(std::move(idx));
    }
    tag();
}

void TableReader::readValues(const TableData& data, std::vector<FieldValue>* values) {
    values->clear();
    values->reserve(data.fields.size());
    for (const FieldDef& def : data.fields) {
        if (m_version >= 249 && boolean()) {
            values->emplace_back();
            continue;
        }
        values->push_back(value(def));
    }
}

void TableReader::readRecords(TableData* out) {
    expectTag(TagList);
    // One reservation up front, bounded by what the remaining bytes could hold.
    const std::uint64_t estimate = m_source.size() / recordSize(out->fields);
    const std::uint64_t bound = m_source.remaining() / std::max<std::size_t>(out->fields.size(), 1);
    const std::uint64_t wanted = std::min({estimate + estimate / 50, bound, std::uint64_t{kMaxReserve}});
    out->records.reserve(out->records.size() + static_cast<std::size_t>(wanted));

    std::size_t count = 0;
    while (peekTag() != TagEnd) {
        Record rec;
        if (m_version >= 230) {
            expectTag(TagList);
            rec.status = static_cast<int>(integer());
            readValues(*out, &rec.values);
            while (peekTag() != TagEnd) {
                RecordVersion older;
                older.status = static_cast<int>(integer());
                readValues(*out, &older.values);
                rec.history.push_back(std::move(older));
            }
            tag();
        } else {
            readValues(*out, &rec.values);
        }
        for (std::size_t i = 0; i < out->fields.size(); ++i) {
            if (out->fields[i].type == FieldType::AutoInc && !rec.values[i].null)
                out->autoIncMax = std::max(out->autoIncMax, rec.values[i].integer);
        }
        out->records.push_back(std::move(rec));
        if (++count % 100 == 0 && m_progress && m_source.size() > 0)
            m_progress(static_cast<int>(m_source.position() * 100 / m_source.size()));
    }
    tag();
}

bool TableReader::read(const TableData& current, TableData* out, std::string* error) {
    try {
        char signature[4];
        if (!m_source.read(signature, 4))
            throw Failure{kReadError};
        if (std::memcmp(signature, "TPF0", 4) != 0)
            throw Failure{"Invalid stream format"};
        m_version = peekTag() == TagList ? 100 : static_cast<int>(integer());
        readFieldDefs(current, out);
        readIndexDefs(current, out);
        if (out->fields.empty())
            throw Failure{"Couldnt determine field count for load."};
        readRecords(out);
        return true;
    } catch (const Failure& f) {
        if (error)
            *error = f.message;
    } catch (const std::bad_alloc&) {
        if (error)
            *error = "Out of memory";
    } catch (const std::length_error&) {
        if (error)
            *error = "Out of memory";
    }
    return false;
}

} // namespace kit
