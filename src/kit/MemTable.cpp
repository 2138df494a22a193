#include "kit/MemTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace kit {
namespace {

// Case folding for ASCII and the Windows-1251 Cyrillic letters, so that field
// names match without regard to letter case in either alphabet.
unsigned char foldCase(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0)
        return static_cast<unsigned char>(c - 0x20);
    if (c == 0xB8)
        return 0xA8;
    return c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string numberText(double v) {
    char buf[64];
    const int n = std::snprintf(buf, sizeof buf, "%.15g", v);
    return std::string(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

} // namespace

MemTable::MemTable(std::vector<FieldDef> fields) {
    m_data.fields = std::move(fields);
}

int MemTable::fieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < m_data.fields.size(); ++i) {
        if (sameName(m_data.fields[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

void MemTable::replaceData(TableData data) {
    m_data = std::move(data);
    m_editing = false;
    m_appending = false;
    m_buffer.clear();
    rebuildVisible();
    m_recNo = m_visible.empty() ? -1 : 0;
    notify();
}

void MemTable::rebuildVisible() {
    m_visible.clear();
    for (std::size_t i = 0; i < m_data.records.size(); ++i) {
        if (!m_data.records[i].deleted())
            m_visible.push_back(static_cast<int>(i));
    }
}

void MemTable::notify() {
    // A listener may remove itself; iterate over a copy.
    const auto listeners = m_listeners;
    for (const auto& l : listeners)
        l.fn();
}

void MemTable::first() {
    setRecNo(0);
}

bool MemTable::setRecNo(int row) {
    if (row < 0 || row >= recordCount())
        return false;
    if (m_editing)
        post();
    m_recNo = row;
    notify();
    return true;
}

bool MemTable::locate(std::string_view field, std::int64_t value) {
    const int f = fieldIndex(field);
    if (f < 0)
        return false;
    const ValueClass vc = valueClassOf(m_data.fields[static_cast<std::size_t>(f)].type);
    for (int row = 0; row < recordCount(); ++row) {
        const FieldValue& v = m_data.records[static_cast<std::size_t>(m_visible[static_cast<std::size_t>(row)])]
                                  .values[static_cast<std::size_t>(f)];
        if (v.null)
            continue;
        bool match = false;
        switch (vc) {
        case ValueClass::Integer:
        case ValueClass::LargeInt:
        case ValueClass::Boolean:
            match = v.integer == value;
            break;
        case ValueClass::Float:
        case ValueClass::DateTime:
        case ValueClass::Money:
            match = v.number == static_cast<double>(value);
            break;
        case ValueClass::Bytes:
            match = v.bytes == std::to_string(value);
            break;
        }
        if (match)
            return setRecNo(row);
    }
    return false;
}

const Record* MemTable::currentRecord() const {
    if (m_recNo < 0 || m_recNo >= recordCount())
        return nullptr;
    return &m_data.records[static_cast<std::size_t>(m_visible[static_cast<std::size_t>(m_recNo)])];
}

const FieldValue* MemTable::value(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= m_data.fields.size())
        return nullptr;
    if (m_editing)
        return &m_buffer[static_cast<std::size_t>(index)];
    const Record* rec = currentRecord();
    return rec ? &rec->values[static_cast<std::size_t>(index)] : nullptr;
}

const FieldValue* MemTable::currentValue(std::string_view field, int* index) const {
    *index = fieldIndex(field);
    return value(*index);
}

bool MemTable::isNull(std::string_view field) const {
    int f = -1;
    const FieldValue* v = currentValue(field, &f);
    return v == nullptr || v->null;
}

std::string MemTable::asText(std::string_view field) const {
    int f = -1;
    const FieldValue* v = currentValue(field, &f);
    if (v == nullptr || v->null)
        return {};
    switch (valueClassOf(m_data.fields[static_cast<std::size_t>(f)].type)) {
    case ValueClass::Integer:
    case ValueClass::LargeInt:
        return std::to_string(v->integer);
    case ValueClass::Boolean:
        return v->integer ? "True" : "False";
    case ValueClass::Float:
    case ValueClass::DateTime:
    case ValueClass::Money:
        return numberText(v->number);
    case ValueClass::Bytes:
        break;
    }
    return v->bytes;
}

std::string MemTable::asBytes(std::string_view field) const {
    int f = -1;
    const FieldValue* v = currentValue(field, &f);
    if (v == nullptr || v->null)
        return {};
    if (valueClassOf(m_data.fields[static_cast<std::size_t>(f)].type) == ValueClass::Bytes)
        return v->bytes;
    return asText(field);
}

void MemTable::append() {
    if (m_editing)
        post();
    m_buffer.assign(m_data.fields.size(), FieldValue{});
    m_editing = true;
    m_appending = true;
}

void MemTable::edit() {
    if (m_editing)
        return;
    const Record* rec = currentRecord();
    if (rec == nullptr) {
        append(); // an empty table has no row to edit; editing it inserts one
        return;
    }
    m_buffer = rec->values;
    m_editing = true;
    m_appending = false;
}

void MemTable::setText(std::string_view field, std::string_view cp1251) {
    const int f = fieldIndex(field);
    if (f < 0)
        return;
    const FieldDef& def = m_data.fields[static_cast<std::size_t>(f)];
    FieldValue v;
    v.null = false;
    switch (valueClassOf(def.type)) {
    case ValueClass::Integer:
    case ValueClass::LargeInt:
    case ValueClass::Boolean: {
        std::int64_t n = 0;
        const auto r = std::from_chars(cp1251.data(), cp1251.data() + cp1251.size(), n);
        if (def.type == FieldType::Boolean)
            n = (cp1251 == "True" || cp1251 == "true" || (r.ec == std::errc() && n != 0)) ? 1 : 0;
        else if (r.ec != std::errc() || r.ptr != cp1251.data() + cp1251.size())
            v.null = true;
        v.integer = n;
        break;
    }
    case ValueClass::Float:
    case ValueClass::DateTime:
    case ValueClass::Money: {
        double d = 0;
        const auto r = std::from_chars(cp1251.data(), cp1251.data() + cp1251.size(), d);
        v.null = r.ec != std::errc() || r.ptr != cp1251.data() + cp1251.size();
        v.number = d;
        break;
    }
    case ValueClass::Bytes:
        v.bytes = cp1251.substr(0, keptLength(def, cp1251.size()));
        break;
    }
    setValue(f, std::move(v));
}

void MemTable::setValue(int index, FieldValue v) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_data.fields.size())
        return;
    if (!m_editing)
        edit();
    m_buffer[static_cast<std::size_t>(index)] = std::move(v);
}

void MemTable::post() {
    if (!m_editing)
        return;
    m_editing = false;
    for (std::size_t i = 0; i < m_buffer.size(); ++i) {
        if (m_data.fields[i].type == FieldType::AutoInc && !m_buffer[i].null)
            m_data.autoIncMax = std::max(m_data.autoIncMax, m_buffer[i].integer);
    }
    if (m_appending) {
        m_appending = false;
        Record rec;
        rec.values = std::move(m_buffer);
        m_data.records.push_back(std::move(rec));
        m_visible.push_back(static_cast<int>(m_data.records.size() - 1));
        m_recNo = recordCount() - 1;
    } else {
        Record& rec = m_data.records[static_cast<std::size_t>(m_visible[static_cast<std::size_t>(m_recNo)])];
        rec.values = std::move(m_buffer);
    }
    m_buffer.clear();
    notify();
}

void MemTable::cancel() {
    m_editing = false;
    m_appending = false;
    m_buffer.clear();
}

int MemTable::addRowListener(std::function<void()> listener) {
    const int id = m_nextListenerId++;
    m_listeners.push_back({id, std::move(listener)});
    return id;
}

void MemTable::removeRowListener(int id) {
    std::erase_if(m_listeners, [id](const Listener& l) { return l.id == id; });
}

} // namespace kit
