#pragma once

#include "kit/FieldDef.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// An in-memory table: field and index definitions, records with status, null
// values and attached older versions, and a current row.
//
// Ownership and threads: a MemTable owns all its data; it is used from one thread
// (the user-interface thread) and is not synchronised. Row listeners are called on
// the thread that moved the row or replaced the content, after the change.
// Texts are Windows-1251 bytes in std::string.
namespace kit {

enum RecordStatus : int { StatusUnchanged = 0, StatusModified = 1, StatusInserted = 2, StatusDeleted = 3 };

struct RecordVersion {
    int status = StatusUnchanged;
    std::vector<FieldValue> values;
};

struct Record {
    int status = StatusUnchanged;
    std::vector<FieldValue> values;     // one per field, in field order
    std::vector<RecordVersion> history; // older versions, in stream order
    bool deleted() const { return status == StatusDeleted; }
};

// Everything a stream load replaces at once.
struct TableData {
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    std::vector<Record> records; // all records, deleted ones included
    std::int64_t autoIncMax = 0; // largest AutoInc value seen
};

class MemTable {
public:
    MemTable() = default;
    explicit MemTable(std::vector<FieldDef> fields);
    MemTable(MemTable&&) noexcept = default;
    MemTable& operator=(MemTable&&) noexcept = default;
    MemTable(const MemTable&) = delete;
    MemTable& operator=(const MemTable&) = delete;

    // Structure.
    const std::vector<FieldDef>& fields() const { return m_data.fields; }
    const std::vector<IndexDef>& indexes() const { return m_data.indexes; }
    int fieldIndex(std::string_view name) const; // letter case ignored; -1 if none
    const TableData& data() const { return m_data; }
    // Replaces definitions and records; the first visible row becomes current.
    void replaceData(TableData data);

    // Rows. Deleted records are kept (and saved) but are not rows one can visit.
    int recordCount() const { return static_cast<int>(m_visible.size()); }
    int recNo() const { return m_recNo; } // 0-based, -1 when empty
    void first();
    bool setRecNo(int row);
    // First row whose integer field equals value; no match leaves the row.
    bool locate(std::string_view field, std::int64_t value);

    // Current-row values (the edit buffer while editing).
    bool isNull(std::string_view field) const;
    // Windows-1251 text; integers in decimal; empty when the field is missing or null.
    std::string asText(std::string_view field) const;
    // The whole stored content of a string, memo or blob field.
    std::string asBytes(std::string_view field) const;
    const FieldValue* value(int fieldIndex) const;

    // Editing: append() or edit(), then setText()/setValue(), then post().
    void append();
    void edit();
    bool isEditing() const { return m_editing; }
    // String fields are cut to the field size; integer fields take decimal text.
    // Starts editing the current row when not editing yet.
    void setText(std::string_view field, std::string_view cp1251);
    void setValue(int fieldIndex, FieldValue value);
    void post();
    void cancel();

    // Listeners run after the current row changes or the content is replaced.
    int addRowListener(std::function<void()> listener);
    void removeRowListener(int id);

private:
    void rebuildVisible();
    void notify();
    const Record* currentRecord() const;
    const FieldValue* currentValue(std::string_view field, int* index) const;

    struct Listener {
        int id;
        std::function<void()> fn;
    };

    TableData m_data;
    std::vector<int> m_visible; // indexes into m_data.records of not-deleted records
    int m_recNo = -1;
    bool m_editing = false;
    bool m_appending = false;
    std::vector<FieldValue> m_buffer;
    std::vector<Listener> m_listeners;
    int m_nextListenerId = 1;
};

} // namespace kit
