#pragma once

#include "kit/ByteSource.h"
#include "kit/MemTable.h"
#include "kit/TableStream.h"

#include <memory>
#include <string>

// Reads one table stream into a TableData, starting from what a table already
// holds (a stream without field definitions keeps the table's fields and records).
namespace kit {

class TableReader {
public:
    TableReader(ByteSource& source, const LoadProgress& progress);

    // False with the user-visible message in *error; *out may then be half filled.
    bool read(const TableData& current, TableData* out, std::string* error);
    int version() const { return m_version; }

private:
    struct Failure {
        std::string message;
    };

    unsigned char tag();
    int peekTag();
    void expectTag(unsigned char expected);
    std::int64_t integer();
    std::string string();
    std::string utf8String(std::uint64_t n);
    bool boolean();
    FieldValue value(const FieldDef& def);
    void readFieldDefs(const TableData& current, TableData* out);
    void readIndexDefs(const TableData& current, TableData* out);
    void readRecords(TableData* out);
    void readValues(const TableData& data, std::vector<FieldValue>* values);

    ByteSource& m_source;
    const LoadProgress& m_progress;
    int m_version = 0;
    std::string m_scratch;
    std::unique_ptr<char[]> m_decoded;
    std::size_t m_decodedSize = 0;
};

} // namespace kit
