#include "richtext/MemTableFieldSource.h"

// The kit table lands from its own branch; until then the adapter shows an empty table.
#if __has_include("kit/MemTable.h")
#include "kit/MemTable.h"
#define RICHTEXT_HAVE_MEMTABLE 1
#endif

#include <string>

namespace richtext {

MemTableFieldSource::MemTableFieldSource(kit::MemTable* table) : m_table(table) {}

MemTableFieldSource::~MemTableFieldSource() = default;

#ifdef RICHTEXT_HAVE_MEMTABLE

bool MemTableFieldSource::hasField(const QString& name) const {
    const std::string key = name.toStdString();
    return m_table && m_table->fieldIndex(key) >= 0;
}

QByteArray MemTableFieldSource::fieldBytes(const QString& name) const {
    if (!hasField(name))
        return {};
    const std::string bytes = m_table->asBytes(name.toStdString());
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

int MemTableFieldSource::rowKey() const {
    return m_table ? m_table->recNo() : -1;
}

int MemTableFieldSource::addRowListener(std::function<void()> listener) {
    return m_table ? m_table->addRowListener(std::move(listener)) : -1;
}

void MemTableFieldSource::removeRowListener(int id) {
    if (m_table && id >= 0)
        m_table->removeRowListener(id);
}

#else

bool MemTableFieldSource::hasField(const QString&) const {
    return false;
}

QByteArray MemTableFieldSource::fieldBytes(const QString&) const {
    return {};
}

int MemTableFieldSource::rowKey() const {
    return -1;
}

int MemTableFieldSource::addRowListener(std::function<void()>) {
    return -1;
}

void MemTableFieldSource::removeRowListener(int) {}

#endif

} // namespace richtext
