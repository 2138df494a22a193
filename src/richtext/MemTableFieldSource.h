#pragma once

#include "richtext/FieldSource.h"

namespace kit {
class MemTable;
}

namespace richtext {

// FieldSource over the kit's in-memory table. Does not own the table; the table must
// outlive this adapter (the view drops its adapter before its data source goes).
class MemTableFieldSource : public FieldSource {
public:
    explicit MemTableFieldSource(kit::MemTable* table);
    ~MemTableFieldSource() override;
    MemTableFieldSource(const MemTableFieldSource&) = delete;
    MemTableFieldSource& operator=(const MemTableFieldSource&) = delete;

    kit::MemTable* table() const { return m_table; }

    bool hasField(const QString& name) const override;
    QByteArray fieldBytes(const QString& name) const override;
    int addRowListener(std::function<void()> listener) override;
    void removeRowListener(int id) override;

private:
    kit::MemTable* m_table;
};

} // namespace richtext
