#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace richtext {

// What a bound view needs from a table: the current row's bytes of a field named
// without regard to letter case, and a call after the current row (or the whole
// content) changes. Callbacks run on the thread that changed the row (the GUI thread).
class FieldSource {
public:
    virtual ~FieldSource() = default;

    virtual bool hasField(const QString& name) const = 0;
    // Empty when there is no such field or no current row.
    virtual QByteArray fieldBytes(const QString& name) const = 0;
    virtual int addRowListener(std::function<void()> listener) = 0;
    virtual void removeRowListener(int id) = 0;
};

} // namespace richtext
