#include "richtext/MemTableFieldSource.h"

#include "kit/MemTable.h"

#include <string>

namespace richtext {

MemTableFieldSource::MemTableFieldSource(kit::MemTable* table) : m_table(table) {}

MemTableFieldSource::~MemTableFieldSource() = default;

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

int MemTableFieldSource::addRowListener(std::function<void()> listener) {
    return m_table ? m_table->addRowListener(std::move(listener)) : -1;
}

void MemTableFieldSource::removeRowListener(int id) {
    if (m_table && id >= 0)
        m_table->removeRowListener(id);
}

} // namespace richtext
