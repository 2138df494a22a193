#include "support/RichtextFakeFieldSource.h"

namespace richtext_test {

void RichtextFakeFieldSource::setField(int row, const QString& name, const QByteArray& bytes) {
    if (m_rows.size() <= row)
        m_rows.resize(row + 1);
    m_rows[row][name.toLower()] = bytes;
}

void RichtextFakeFieldSource::setCurrentRow(int row) {
    m_row = row;
    notify();
}

void RichtextFakeFieldSource::replaceAll() {
    notify();
}

bool RichtextFakeFieldSource::hasField(const QString& name) const {
    for (const auto& row : m_rows) {
        if (row.contains(name.toLower()))
            return true;
    }
    return false;
}

QByteArray RichtextFakeFieldSource::fieldBytes(const QString& name) const {
    if (m_row < 0 || m_row >= m_rows.size())
        return {};
    return m_rows[m_row].value(name.toLower());
}

int RichtextFakeFieldSource::addRowListener(std::function<void()> listener) {
    const int id = m_nextId++;
    m_listeners[id] = std::move(listener);
    return id;
}

void RichtextFakeFieldSource::removeRowListener(int id) {
    m_listeners.erase(id);
}

void RichtextFakeFieldSource::notify() {
    // Copy: a listener may unsubscribe while we call.
    const auto listeners = m_listeners;
    for (const auto& [id, listener] : listeners)
        listener();
}

} // namespace richtext_test
