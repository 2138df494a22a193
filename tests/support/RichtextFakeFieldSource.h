#pragma once

#include "richtext/FieldSource.h"

#include <QMap>
#include <QVector>

#include <map>

namespace richtext_test {

// A table of rows of named blob fields with a current row, standing in for the kit
// table in view tests. Field names are matched without regard to letter case.
class RichtextFakeFieldSource : public richtext::FieldSource {
public:
    void setField(int row, const QString& name, const QByteArray& bytes);
    void setCurrentRow(int row); // calls the listeners, like a move of the kit table
    void replaceAll();           // calls the listeners, like loading a new kit
    int listenerCount() const { return static_cast<int>(m_listeners.size()); }

    bool hasField(const QString& name) const override;
    QByteArray fieldBytes(const QString& name) const override;
    int addRowListener(std::function<void()> listener) override;
    void removeRowListener(int id) override;

private:
    void notify();

    QVector<QMap<QString, QByteArray>> m_rows; // keys in lower case
    int m_row = 0;
    std::map<int, std::function<void()>> m_listeners;
    int m_nextId = 1;
};

} // namespace richtext_test
